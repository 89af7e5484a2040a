#include "editor/tools/InspectorEditor.h"

#include "editor/tools/InspectorItems.h"
#include "platform/ui/ErrorReport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QToolButton>

TValueListCombo::TValueListCombo(QWidget* parent)
    : QComboBox(parent)
{
    // The wheel gives a list no focus.
    setFocusPolicy(Qt::StrongFocus);
}

void TValueListCombo::Fill(const QString& text)
{
    const QSignalBlocker quiet(this);
    // Text typed and not yet stored stays typed.
    const bool typed = lineEdit() && lineEdit()->isModified();
    clear();
    if (Source)
        addItems(Source());
    if (isEditable()) {
        // The stored value is the current entry of the open list.
        setCurrentIndex(Stored ? findText(Stored(), Qt::MatchFixedString) : -1);
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
    FChosen = false;
    QComboBox::showPopup();
    // What the list activates from now until it has closed is chosen in it.
    FChosen = true;
    view()->window()->installEventFilter(this);
}

bool TValueListCombo::PopupOpen() const
{
    return view()->isVisible() || QApplication::activePopupWidget() == view()->window();
}

bool TValueListCombo::eventFilter(QObject* watched, QEvent* event)
{
    // The choice is activated right after the list has closed.
    if (event->type() == QEvent::Hide && watched == view()->window())
        QMetaObject::invokeMethod(this, [this] { FChosen = PopupOpen(); }, Qt::QueuedConnection);
    return QComboBox::eventFilter(watched, event);
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
        FCombo->Stored = [this] { return FItem ? FItem->GetDisplayValue() : QString(); };
        connect(FCombo, &QComboBox::activated, this, [this](int index) { Listed(index); });
        if (QLineEdit* field = FCombo->lineEdit()) {
            field->setMaxLength(maxLength);
            // Leaving a field commits only what was typed into it, never a value shown before a
            // change; opening the list leaves it for the list only.
            connect(field, &QLineEdit::editingFinished, this, [this, field] {
                if (field->isModified() && !FCombo->PopupOpen())
                    Commit(FCombo->currentText());
            });
            connect(field, &QLineEdit::textEdited, this, [this] { TypedChanged(); });
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
        connect(FText, &QLineEdit::textEdited, this, [this] { TypedChanged(); });
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
    for (QWidget* part : Parts())
        part->installEventFilter(this);
    ShowValue(true);
}

TInspectorEditor::~TInspectorEditor()
{
    // QWidget's destructor takes the focus from the field, which then reports the end of an edit:
    // by then nothing of this editor may answer.
    Disarm();
    for (QWidget* part : Parts())
        part->removeEventFilter(this);
    if (QLineEdit* field = LineEdit())
        field->disconnect(this);
    if (FCombo) {
        FCombo->disconnect(this);
        FCombo->Source = nullptr;
    }
    if (FButton)
        FButton->disconnect(this);
}

bool TInspectorEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        // Passed on up to the grid, which scrolls.
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress && FItem) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const bool open = FCombo && FCombo->PopupOpen();
        if (plain && !open && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            if (OnStep)
                OnStep(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Escape && plain && !open && Typed()) {
            GuardedCall([this] { ShowValue(true); });
            TypedChanged();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && FShown && !open) {
            StoreTyped();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<QWidget*> TInspectorEditor::Parts() const
{
    std::vector<QWidget*> parts;
    for (QWidget* part : {static_cast<QWidget*>(FCombo), static_cast<QWidget*>(LineEdit()), static_cast<QWidget*>(FButton)})
        if (part)
            parts.push_back(part);
    return parts;
}

void TInspectorEditor::Listed(int index)
{
    if (FCombo->Chosen()) {
        Commit(FCombo->itemText(index));
        return;
    }
    if (QLineEdit* field = LineEdit())
        field->setModified(true);
    else
        FShown = true;
    TypedChanged();
}

void TInspectorEditor::TypedChanged()
{
    if (OnTyped)
        OnTyped();
}

void TInspectorEditor::ShowValue(bool always)
{
    if (!FItem || (!always && BeingTyped()))
        return;
    const QString text = FItem->GetDisplayValue();
    if (always)
        FShown = false;
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
    OnStep = nullptr;
    OnTyped = nullptr;
}

QLineEdit* TInspectorEditor::LineEdit() const
{
    return FCombo ? FCombo->lineEdit() : FText;
}

bool TInspectorEditor::Typed() const
{
    if (FShown)
        return FItem != nullptr;
    const QLineEdit* field = LineEdit();
    return FItem && field && !field->isReadOnly() && field->isModified();
}

bool TInspectorEditor::Differs() const
{
    return Typed() && Text() != FItem->GetDisplayValue();
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
    if (FShown || (FCombo && FCombo->view()->isVisible()))
        return true;
    const QLineEdit* field = LineEdit();
    return field && !field->isReadOnly() && field->hasFocus() && field->isModified();
}
