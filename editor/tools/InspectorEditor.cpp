#include "editor/tools/InspectorEditor.h"

#include "editor/tools/InspectorItems.h"
#include "platform/ui/ErrorReport.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QToolButton>

void TValueListCombo::Fill(const QString& text)
{
    const QSignalBlocker quiet(this);
    // Text typed and not yet stored stays typed.
    const bool typed = lineEdit() && lineEdit()->isModified();
    clear();
    if (Source)
        addItems(Source());
    if (isEditable()) {
        setEditText(text);
        lineEdit()->setModified(typed);
        return;
    }
    int index = findText(text, Qt::MatchExactly);
    if (index < 0) {
        addItem(text);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void TValueListCombo::ShowText(const QString& text)
{
    if (!isEditable()) {
        Fill(text);
        return;
    }
    const QSignalBlocker quiet(this);
    setEditText(text);
}

void TValueListCombo::showPopup()
{
    GuardedCall([this] { Fill(isEditable() ? currentText() : itemText(currentIndex())); });
    QComboBox::showPopup();
}

TInspectorEditor::TInspectorEditor(TJvCustomInspectorItem& item, QWidget* parent)
    : QWidget(parent)
    , FItem(&item)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const int maxLength = item.Prop().MaxLength ? int(item.Prop().MaxLength) : 32767;

    if (item.Flags() & iifValueList) {
        FCombo = new TValueListCombo(this);
        FCombo->setObjectName(QStringLiteral("ValueList"));
        FCombo->setEditable(item.TextEditable());
        FCombo->setInsertPolicy(QComboBox::NoInsert);
        FCombo->Source = [this] { return FItem ? FItem->GetValueList() : QStringList(); };
        connect(FCombo, &QComboBox::activated, this, [this](int index) { Commit(FCombo->itemText(index)); });
        if (QLineEdit* field = FCombo->lineEdit()) {
            field->setMaxLength(maxLength);
            // Leaving a field commits only what was typed into it, never a value shown before a change.
            connect(field, &QLineEdit::editingFinished, this, [this, field] {
                if (field->isModified())
                    Commit(FCombo->currentText());
            });
        }
        layout->addWidget(FCombo, 1);
    } else {
        FText = new QLineEdit(this);
        FText->setObjectName(QStringLiteral("ValueText"));
        FText->setFrame(false);
        FText->setReadOnly(!item.TextEditable());
        FText->setMaxLength(maxLength);
        connect(FText, &QLineEdit::editingFinished, this, [this] {
            if (!FText->isReadOnly() && FText->isModified())
                Commit(FText->text());
        });
        layout->addWidget(FText, 1);
    }
    if (item.Flags() & iifEditButton) {
        FButton = new QToolButton(this);
        FButton->setObjectName(QStringLiteral("EditButton"));
        FButton->setText(QStringLiteral("..."));
        connect(FButton, &QToolButton::clicked, this, [this] {
            if (OnEditButton)
                OnEditButton();
        });
        layout->addWidget(FButton);
    }
    setFocusProxy(FCombo ? static_cast<QWidget*>(FCombo) : FText);
    // An open list takes the keys itself and hands them to its field past the field's filters.
    if (FCombo)
        FCombo->installEventFilter(this);
    if (QLineEdit* field = LineEdit())
        field->installEventFilter(this);
    ShowValue(true);
}

TInspectorEditor::~TInspectorEditor()
{
    // QWidget's destructor takes the focus from the field, which then reports the end of an edit:
    // by then nothing of this editor may answer.
    Disarm();
    if (QLineEdit* field = LineEdit()) {
        field->removeEventFilter(this);
        field->disconnect(this);
    }
    if (FCombo) {
        FCombo->removeEventFilter(this);
        FCombo->disconnect(this);
        FCombo->Source = nullptr;
    }
    if (FButton)
        FButton->disconnect(this);
}

bool TInspectorEditor::eventFilter(QObject* watched, QEvent* event)
{
    QLineEdit* field = LineEdit();
    if (event->type() == QEvent::KeyPress && field && (watched == field || watched == FCombo)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && field->isModified()) {
            GuardedCall([this] { ShowValue(true); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TInspectorEditor::ShowValue(bool always)
{
    if (!FItem || (!always && BeingTyped()))
        return;
    const QString text = FItem->GetDisplayValue();
    if (FCombo) {
        // The list is read again only when the value changed (or when it drops down).
        if (always || FCombo->currentText() != text)
            FCombo->ShowText(text);
    } else if (FText->text() != text) {
        FText->setText(text);
        FText->setCursorPosition(0);
    } else if (always) {
        FText->setModified(false);
    }
}

QString TInspectorEditor::Text() const
{
    return FCombo ? FCombo->currentText() : FText->text();
}

void TInspectorEditor::Disarm()
{
    FItem = nullptr;
    OnCommit = nullptr;
    OnEditButton = nullptr;
}

QLineEdit* TInspectorEditor::LineEdit() const
{
    return FCombo ? FCombo->lineEdit() : FText;
}

bool TInspectorEditor::Typed() const
{
    const QLineEdit* field = LineEdit();
    return FItem && field && !field->isReadOnly() && field->isModified();
}

void TInspectorEditor::StoreTyped()
{
    if (Typed())
        Commit(Text());
}

void TInspectorEditor::Commit(const QString& text)
{
    if (FItem && OnCommit)
        OnCommit(text);
}

bool TInspectorEditor::BeingTyped() const
{
    if (FCombo && FCombo->view()->isVisible())
        return true;
    const QLineEdit* field = LineEdit();
    return field && !field->isReadOnly() && field->hasFocus() && field->isModified();
}
