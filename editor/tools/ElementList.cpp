#include "editor/tools/ElementList.h"

#include "canvas/Layers.h"
#include "document/PageDocument.h"
#include "editor/translate/UTranslate.h"
#include "platform/core/Codec1252.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QDockWidget>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <vector>

namespace {

// Sorted lines compare as the list box of the window system does: without regard to case first.
class TElementLine : public QListWidgetItem {
public:
    explicit TElementLine(TItemLayer* control) : Control(control) {}
    // Kept out of the line's data: a drag writes that data out, and a pointer cannot be written.
    TItemLayer* const Control;
    bool operator<(const QListWidgetItem& other) const override
    {
        const int c = text().compare(other.text(), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : text() < other.text();
    }
};

} // namespace

// The check list box: reports mouse presses, key moves and drops of its own lines.
class TElementListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

    // The row pressed (-1: below the lines) and the button.
    std::function<void(int row, Qt::MouseButton button)> OnPress;
    std::function<void(int row)> OnKeyMove;
    std::function<void(int source, int target)> OnDrop;
    // A press or drag is over: what it highlighted without choosing a control is undone.
    std::function<void()> OnSettled;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const QModelIndex at = indexAt(event->position().toPoint());
        QListWidget::mousePressEvent(event);
        if (OnPress)
            OnPress(at.isValid() ? at.row() : -1, event->button());
    }

    // The highlight follows a pressed button over the lines; only a click on one line chooses.
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QListWidget::mouseReleaseEvent(event);
        if (OnSettled)
            OnSettled();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        if (currentRow() != before && currentRow() >= 0 && OnKeyMove)
            OnKeyMove(currentRow());
    }

    // The drag's own loop takes the release.
    void startDrag(Qt::DropActions actions) override
    {
        QListWidget::startDrag(actions);
        if (OnSettled)
            OnSettled();
    }

    // Every drag is accepted; only a drop of one of our own lines does something.
    void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }

    void dropEvent(QDropEvent* event) override
    {
        // The lines are rebuilt from the canvas, so the view must not move them itself.
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        if (event->source() != this || !OnDrop)
            return;
        const QModelIndex target = indexAt(event->position().toPoint());
        OnDrop(currentRow(), target.isValid() ? target.row() : -1);
    }
};

QString ElementLineText(const TItemLayer& layer)
{
    return QStringLiteral("%1  %2 - %3%4")
        .arg(static_cast<quint32>(layer.Control_ID), 4, 10, QLatin1Char('0'))
        .arg(FromWin1252(layer.TypeName()), FromWin1252(layer.Description),
             layer.FLocked ? QStringLiteral(" *") : QString());
}

TfrmObjects::TfrmObjects(TPageDocument& document, QWidget* parent)
    : QWidget(parent)
    , FDocument(document)
{
    setObjectName(QStringLiteral("frmObjects"));
    setWindowTitle(QStringLiteral("Objects"));

    auto* title = new QWidget(this);
    title->setObjectName(QStringLiteral("TitleStrip"));
    auto* caption = new QLabel(QStringLiteral("Objects"), title);
    Image3 = new QToolButton(title);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setArrowType(Qt::DownArrow);
    Image3->setAutoRaise(true);
    auto* titleLayout = new QHBoxLayout(title);
    titleLayout->setContentsMargins(2, 0, 0, 0);
    titleLayout->addWidget(caption, 1);
    titleLayout->addWidget(Image3);

    pmMenu = new QMenu(this);
    pmMenu->setObjectName(QStringLiteral("pmMenu"));
    mnuSortbyID = pmMenu->addAction(QStringLiteral("&Sort by ID"));
    mnuSortbyID->setObjectName(QStringLiteral("mnuSortbyID"));
    mnuSortbyID->setCheckable(true);
    mnuInvertSelection = pmMenu->addAction(QStringLiteral("&Invert Selection"));
    mnuInvertSelection->setObjectName(QStringLiteral("mnuInvertSelection"));

    lbSelection = new TElementListBox(this);
    lbSelection->setObjectName(QStringLiteral("lbSelection"));
    // Its lines are translatable as one comma-separated text.
    lbSelection->setProperty("CheckListBox", true);
    lbSelection->setSelectionMode(QAbstractItemView::SingleSelection);
    lbSelection->setUniformItemSizes(true);
    lbSelection->setDragEnabled(true);
    lbSelection->setDragDropMode(QAbstractItemView::InternalMove);
    lbSelection->setDefaultDropAction(Qt::MoveAction);
    lbSelection->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(lbSelection, 1);

    lbSelection->OnPress = Guarded([this](int row, Qt::MouseButton button) {
        if (row < 0)
            ClearSelection();
        else if (button == Qt::RightButton)
            // The popup menu acts on the selected control: the line right-clicked is chosen first.
            lbSelectionClick(row);
    });
    lbSelection->OnKeyMove = Guarded([this](int row) {
        if (!FUpdating)
            lbSelectionClick(row);
    });
    lbSelection->OnDrop = Guarded([this](int source, int target) { lbSelectionDragDrop(source, target); });
    lbSelection->OnSettled = Guarded([this] {
        // A line highlighted for another control than the selected one: the selection's line again.
        if (const int row = SelectedLine(); row >= 0 && LineControl(row) != FDocument.Selected())
            SyncSelection();
    });
    // The press resets the toggle mark before the release may toggle a check box.
    connect(lbSelection, &QListWidget::itemPressed, this, [this] { FCheckToggled = false; });
    connect(lbSelection, &QListWidget::itemChanged, this, Guarded([this](QListWidgetItem* item) {
        if (FUpdating)
            return;
        FCheckToggled = true;
        lbSelectionClickCheck(lbSelection->row(item));
    }));
    connect(lbSelection, &QListWidget::itemClicked, this, Guarded([this](QListWidgetItem* item) {
        if (FCheckToggled) {
            FCheckToggled = false;
            SyncSelection();
            return;
        }
        lbSelectionClick(lbSelection->row(item));
    }));
    connect(lbSelection, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        // Whatever was pressed, the highlighted line is the one the menu's commands act on.
        SyncSelection();
        if (FPopup)
            FPopup->popup(lbSelection->viewport()->mapToGlobal(pos));
    });
    connect(Image3, &QToolButton::clicked, this, &TfrmObjects::Image3Click);
    connect(mnuSortbyID, &QAction::triggered, this, Guarded([this] {
        // The action has already inverted its check.
        mnuSortbyID->setChecked(!mnuSortbyID->isChecked());
        mnuSortbyIDClick();
    }));
    connect(mnuInvertSelection, &QAction::triggered, this, Guarded([this] { mnuInvertSelectionClick(); }));

    connect(&FDocument, &TPageDocument::SelectionChanged, this, &TfrmObjects::FollowSelection);
    connect(&FDocument, &TPageDocument::ControlAdded, this, Guarded([this](TItemLayer* layer) { AddLine(layer); }));
    connect(&FDocument, &TPageDocument::ControlRemoved, this, [this](TItemLayer* layer) { RemoveLine(layer); });
    connect(&FDocument, &TPageDocument::ControlChanged, this, Guarded([this](TItemLayer* layer) { UpdateLine(layer); }));
    connect(&FDocument, &TPageDocument::Restacked, this, Guarded([this] { FollowRestack(); }));
    connect(&FDocument, &TPageDocument::PageReplaced, this, Guarded([this] { RefreshList(); }));

    TranslateForm(this, LanguageFile);
    RefreshList();
}

QListWidget* TfrmObjects::List() const
{
    return lbSelection;
}

void TfrmObjects::ShowLine(QListWidgetItem* line, TItemLayer* layer)
{
    const bool updating = FUpdating;
    FUpdating = true;
    // Only what differs: each change repaints the line, and a changed text moves it when sorted.
    const QString text = ElementLineText(*layer);
    if (line->text() != text)
        line->setText(text);
    const Qt::CheckState check = layer->Visible() ? Qt::Checked : Qt::Unchecked;
    if (line->checkState() != check)
        line->setCheckState(check);
    if (line->font().italic() != layer->FLocked) {
        QFont font = lbSelection->font();
        font.setItalic(layer->FLocked);
        line->setFont(font);
    }
    FUpdating = updating;
}

void TfrmObjects::RefreshList()
{
    {
        const QSignalBlocker quiet(lbSelection);
        FUpdating = true;
        lbSelection->clear();
        FLines.clear();
        TLayerCollection& layers = FDocument.Layers();
        for (int i = 0; i < layers.Count(); ++i) {
            // The frame and anything else that is no control has no line.
            auto* layer = dynamic_cast<TItemLayer*>(layers.Items(i));
            if (!layer)
                continue;
            AppendLine(layer);
        }
        FUpdating = false;
    }
    SyncSelection();
    lbSelection->viewport()->update();
}

void TfrmObjects::AddLine(TItemLayer* layer)
{
    // Unsorted, the line goes where its control lies in the stacking order: after the lines of the
    // controls below it (a control usually comes on top, so this is the end).
    int row = -1;
    if (!Sorted()) {
        const TLayerCollection& layers = FDocument.Layers();
        const int index = layers.IndexOf(layer);
        row = 0;
        for (int i = 0; i < index; ++i)
            if (FLines.contains(dynamic_cast<const TItemLayer*>(layers.Items(i))))
                ++row;
    }
    const QSignalBlocker quiet(lbSelection);
    const bool updating = FUpdating;
    FUpdating = true;
    AppendLine(layer, row);
    FUpdating = updating;
}

void TfrmObjects::AppendLine(TItemLayer* layer, int row)
{
    auto* line = new TElementLine(layer);
    line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
    line->setCheckState(Qt::Unchecked);
    ShowLine(line, layer);
    if (row < 0 || row >= lbSelection->count())
        lbSelection->addItem(line);
    else
        lbSelection->insertItem(row, line);
    FLines.insert(layer, line);
}

void TfrmObjects::FollowRestack()
{
    // Sorted by text, the stacking order does not show.
    if (Sorted())
        return;
    // The lines in stacking order; a control without a line (or the reverse) needs a rebuild.
    std::vector<QListWidgetItem*> wanted;
    wanted.reserve(size_t(FLines.size()));
    const TLayerCollection& layers = FDocument.Layers();
    for (int i = 0; i < layers.Count(); ++i)
        if (QListWidgetItem* line = FLines.value(dynamic_cast<const TItemLayer*>(layers.Items(i))))
            wanted.push_back(line);
    const int count = LineCount();
    if (int(wanted.size()) != count || FLines.size() != count) {
        RefreshList();
        return;
    }
    int first = 0;
    while (first < count && lbSelection->item(first) == wanted[size_t(first)])
        ++first;
    if (first == count)
        return;
    int last = count - 1;
    while (lbSelection->item(last) == wanted[size_t(last)])
        --last;
    {
        // A restack moves one control: its line is the first out of place or the last.
        const QSignalBlocker quiet(lbSelection);
        const bool updating = FUpdating;
        FUpdating = true;
        if (lbSelection->item(first) == wanted[size_t(last)])
            lbSelection->insertItem(last, lbSelection->takeItem(first));
        else if (lbSelection->item(last) == wanted[size_t(first)])
            lbSelection->insertItem(first, lbSelection->takeItem(last));
        FUpdating = updating;
    }
    for (int row = first; row <= last; ++row)
        if (lbSelection->item(row) != wanted[size_t(row)]) {
            RefreshList();
            return;
        }
    SyncSelection();
}

void TfrmObjects::RemoveLine(const TItemLayer* layer)
{
    QListWidgetItem* line = FLines.take(layer);
    if (!line)
        return;
    const QSignalBlocker quiet(lbSelection);
    const bool updating = FUpdating;
    FUpdating = true;
    delete line;
    FUpdating = updating;
}

void TfrmObjects::UpdateLine(TItemLayer* layer)
{
    if (QListWidgetItem* line = FLines.value(layer)) {
        const QSignalBlocker quiet(lbSelection);
        // A sorted list moves a line whose text changed to its place by itself.
        ShowLine(line, layer);
    }
}

void TfrmObjects::ClearSelection()
{
    const bool updating = FUpdating;
    FUpdating = true;
    // The current line stays: it is the keyboard's place, from which Up and Down go on and on which
    // Space toggles the check box, also on a hidden control's line.
    lbSelection->clearSelection();
    FUpdating = updating;
}

void TfrmObjects::SelectLine(const TItemLayer* layer)
{
    if (QListWidgetItem* line = FLines.value(layer)) {
        const bool updating = FUpdating;
        FUpdating = true;
        lbSelection->setCurrentItem(line, QItemSelectionModel::ClearAndSelect);
        FUpdating = updating;
        return;
    }
    ClearSelection();
}

void TfrmObjects::Clear()
{
    const QSignalBlocker quiet(lbSelection);
    lbSelection->clear();
    FLines.clear();
}

void TfrmObjects::FollowSelection(TItemLayer* layer)
{
    if (layer)
        SelectLine(layer);
    else
        ClearSelection();
}

void TfrmObjects::SyncSelection()
{
    FollowSelection(FDocument.Selected());
}

int TfrmObjects::LineCount() const
{
    return lbSelection->count();
}

TItemLayer* TfrmObjects::LineControl(int row) const
{
    const auto* line = dynamic_cast<const TElementLine*>(row >= 0 ? lbSelection->item(row) : nullptr);
    if (!line)
        return nullptr;
    TItemLayer* layer = line->Control;
    // A control's line goes when the page announces that the control goes.
    return FLines.value(layer) == line ? layer : nullptr;
}

QString TfrmObjects::LineText(int row) const
{
    const QListWidgetItem* line = lbSelection->item(row);
    return line ? line->text() : QString();
}

bool TfrmObjects::LineChecked(int row) const
{
    const QListWidgetItem* line = lbSelection->item(row);
    return line && line->checkState() == Qt::Checked;
}

bool TfrmObjects::LineItalic(int row) const
{
    const QListWidgetItem* line = lbSelection->item(row);
    return line && line->font().italic();
}

int TfrmObjects::SelectedLine() const
{
    const QList<QListWidgetItem*> selected = lbSelection->selectedItems();
    return selected.isEmpty() ? -1 : lbSelection->row(selected.first());
}

bool TfrmObjects::Sorted() const
{
    return lbSelection->isSortingEnabled();
}

bool TfrmObjects::DragEnabled() const
{
    return lbSelection->dragEnabled();
}

void TfrmObjects::lbSelectionClick(int row)
{
    TItemLayer* layer = LineControl(row);
    if (layer && layer->Visible()) {
        FDocument.SetSelection(layer);
        SelectLine(layer);
        return;
    }
    // A hidden control cannot be selected.
    ClearSelection();
    FDocument.SetSelection(nullptr);
}

void TfrmObjects::lbSelectionClickCheck(int row)
{
    TItemLayer* layer = LineControl(row);
    if (!layer)
        return;
    // The canvas only: the saved "Visible" and the modified flag stay as they are.
    FDocument.ShowControl(layer, LineChecked(row));
}

void TfrmObjects::lbSelectionDragDrop(int source, int target)
{
    if (Sorted() || source < 0 || source >= LineCount() || LineCount() == 0)
        return;
    if (target < 0 || target >= LineCount())
        target = LineCount() - 1;
    TItemLayer* moved = LineControl(source);
    TItemLayer* place = LineControl(target);
    if (!moved || !place)
        return;
    FDocument.Restack(moved, place->Index());
    // The press that began the drag highlighted the dragged line; the canvas selection is what counts.
    SyncSelection();
}

void TfrmObjects::mnuSortbyIDClick()
{
    mnuSortbyID->setChecked(!mnuSortbyID->isChecked());
    const bool sorted = mnuSortbyID->isChecked();
    lbSelection->setSortingEnabled(sorted);
    if (sorted)
        lbSelection->sortItems();
    lbSelection->setDragEnabled(!sorted);
    lbSelection->setDragDropMode(sorted ? QAbstractItemView::NoDragDrop : QAbstractItemView::InternalMove);
    RefreshList();
}

void TfrmObjects::mnuInvertSelectionClick()
{
    // Lines and checks as they stand now: a change of a control may re-sort or rebuild the lines.
    struct TInvert {
        TItemLayer* Layer;
        bool On;
    };
    std::vector<TInvert> lines;
    lines.reserve(size_t(LineCount()));
    for (int row = 0; row < LineCount(); ++row)
        lines.push_back({LineControl(row), !LineChecked(row)});
    for (const TInvert& line : lines) {
        // A control that left the page meanwhile has no line any more.
        if (!line.Layer || !FLines.contains(line.Layer))
            continue;
        // As its check box would: a hidden control takes no clicks and loses the selection.
        FDocument.ShowControl(line.Layer, line.On);
    }
    // The last line's control ends up selected, unless it is hidden now.
    TItemLayer* last = lines.empty() ? nullptr : lines.back().Layer;
    if (last && FLines.contains(last) && last->Visible())
        FDocument.SetSelection(last);
}

void TfrmObjects::Image3Click()
{
    const QPoint corner(Image3->x() + Image3->width(), Image3->y());
    pmMenu->popup(Image3->parentWidget()->mapToGlobal(corner));
}

