#include "editor/tools/MoveDialog.h"

#include "canvas/Layers.h"
#include "document/PageDocument.h"
#include "editor/translate/UTranslate.h"
#include "platform/core/Codec1252.h"
#include "platform/ui/DialogPlacement.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int ControlRole = Qt::UserRole;

QLineEdit* AddOffset(QGroupBox* box, QGridLayout* grid, int row, const char* name, const QString& caption)
{
    auto* edit = new QLineEdit(QStringLiteral("0"), box);
    edit->setObjectName(QLatin1String(name));
    auto* label = new QLabel(caption, box);
    // Named after its edit, so a language file can translate it.
    label->setObjectName(QStringLiteral("lbl") + QLatin1String(name).mid(2));
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

TSelectionForm::TSelectionForm(TPageDocument& document, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , FDocument(document)
{
    setObjectName(QStringLiteral("SelectionForm"));
    setWindowTitle(QStringLiteral("Move"));
    CentreWhenShown(*this);

    gbMove = new QGroupBox(QStringLiteral("Move"), this);
    gbMove->setObjectName(QStringLiteral("gbMove"));
    auto* grid = new QGridLayout(gbMove);
    edX = AddOffset(gbMove, grid, 0, "edX", QStringLiteral("&x"));
    edY = AddOffset(gbMove, grid, 1, "edY", QStringLiteral("&y"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbMove);
    layout->addWidget(ListBox1, 1);

    for (QLineEdit* edit : {edX, edY})
        connect(edit, &QLineEdit::returnPressed, this, Guarded([this] { edXKeyPress(QChar(13)); }));
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    // A control that leaves the page leaves the list.
    connect(&FDocument, &TPageDocument::ControlRemoved, this, [this](TItemLayer* layer) {
        for (int row = ListBox1->count() - 1; row >= 0; --row)
            if (ListBox1->item(row)->data(ControlRole).value<void*>() == layer)
                delete ListBox1->takeItem(row);
    });
}

// Translated when first shown: no window is activated before it is shown, and without a window
// manager it may never be activated at all.
void TSelectionForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FTranslated) {
        FTranslated = true;
        TranslateForm(this, LanguageFile);
    }
}

void TSelectionForm::Execute()
{
    FormShow();
    Dialogs().ExecModal(*this);
}

void TSelectionForm::FormShow()
{
    FDocument.SetSelection(nullptr);
    ListBox1->clear();
    const TLayerCollection& layers = FDocument.Layers();
    for (int i = 0; i < layers.Count(); ++i) {
        auto* control = dynamic_cast<TItemLayer*>(layers.Items(i));
        if (!control)
            continue;
        auto* line = new QListWidgetItem(FromWin1252(control->TypeName() + ' ' + control->Description), ListBox1);
        line->setData(ControlRole, QVariant::fromValue(static_cast<void*>(control)));
    }
    edX->setText(QStringLiteral("0"));
    edY->setText(QStringLiteral("0"));
}

void TSelectionForm::ListBox1Click()
{
    edX->setText(QStringLiteral("0"));
    edY->setText(QStringLiteral("0"));
}

void TSelectionForm::edXKeyPress(QChar key)
{
    if (key == QChar(13) && !edX->text().isEmpty() && !edY->text().isEmpty())
        MoveSelected();
}

TItemLayer* TSelectionForm::LineControl(int row) const
{
    const QListWidgetItem* line = ListBox1->item(row);
    if (!line)
        return nullptr;
    auto* layer = static_cast<TCustomLayer*>(line->data(ControlRole).value<void*>());
    // A pointer is only trusted while the page still holds that layer.
    if (FDocument.Layers().IndexOf(layer) < 0)
        return nullptr;
    return dynamic_cast<TItemLayer*>(layer);
}

void TSelectionForm::MoveSelected()
{
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (!ListBox1->item(row)->isSelected())
            continue;
        TItemLayer* control = LineControl(row);
        if (!control)
            continue;
        const float dx = float(TextToInteger(edX->text().toStdString()));
        const float dy = float(TextToInteger(edY->text().toStdString()));
        const TFloatRect r = control->Location();
        FDocument.SetBounds(control, TFloatRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy});
    }
    edX->setText(QStringLiteral("0"));
    edY->setText(QStringLiteral("0"));
}
