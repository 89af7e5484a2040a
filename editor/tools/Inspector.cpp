#include "editor/tools/Inspector.h"

#include "canvas/RubberBand.h"
#include "document/PageDocument.h"
#include "editor/TranslatableStrings.h"
#include "editor/translate/UTranslate.h"
#include "editor/settings/PlayerLists.h"
#include "editor/tools/ColorSelector.h"
#include "editor/tools/InspectorEditor.h"
#include "platform/core/Codec1252.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <typeinfo>

namespace {

// Parts hold parts; no object nests deeper than this.
constexpr int MaxDepth = 8;

// The divider between names and values starts where the longest name shown fits; once the user
// has dragged it, it stays where it was dropped.
class TInspectorTree : public QTreeWidget {
public:
    explicit TInspectorTree(QWidget* parent)
        : QTreeWidget(parent)
    {
        viewport()->setMouseTracking(true);
        connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
            if (OnExpanding)
                OnExpanding(node);
            FitDivider();
        });
        connect(this, &QTreeWidget::itemCollapsed, this, [this] { FitDivider(); });
    }

    void FitDivider()
    {
        if (!FDragged)
            setColumnWidth(0, sizeHintForColumn(0));
    }

    // Called before a line that was opened is shown with its children.
    std::function<void(QTreeWidgetItem*)> OnExpanding;

    // Typing never jumps to another line.
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        // A key the current line's editor leaves (typed on a colour, Return, an arrow) stays on that line.
        if (QApplication::focusWidget() != this) {
            event->accept();
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }

    bool viewportEvent(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const int x = mouse->position().toPoint().x();
            if (mouse->button() == Qt::LeftButton && OnDivider(x)) {
                FDragging = true;
                FGrab = columnViewportPosition(1) - x;
                return true;
            }
            break;
        }
        case QEvent::MouseMove: {
            const int x = static_cast<QMouseEvent*>(event)->position().toPoint().x();
            if (FDragging) {
                FDragged = true;
                const int widest = std::max(DividerMargin, viewport()->width() - DividerMargin);
                setColumnWidth(0, std::clamp(x + FGrab + horizontalOffset(), DividerMargin, widest));
                return true;
            }
            if (OnDivider(x))
                viewport()->setCursor(Qt::SplitHCursor);
            else
                viewport()->unsetCursor();
            break;
        }
        case QEvent::MouseButtonRelease:
            if (FDragging) {
                FDragging = false;
                return true;
            }
            break;
        default:
            break;
        }
        return QTreeWidget::viewportEvent(event);
    }

    void changeEvent(QEvent* event) override
    {
        QTreeWidget::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            FitDivider();
    }

private:
    static constexpr int DividerMargin = 16;
    static constexpr int DividerGrip = 4;

    // The value editors cover the column right of the divider; the grip lies just left of it.
    bool OnDivider(int x) const
    {
        const int divider = columnViewportPosition(1);
        return x >= divider - DividerGrip && x <= divider + 1;
    }

    bool FDragging = false;
    bool FDragged = false;
    // Where the divider lay from the point it was grabbed at.
    int FGrab = 0;
};

// Every line is as high as an editor, so that a line keeps its place when it gets one.
class TLineHeight : public QStyledItemDelegate {
public:
    TLineHeight(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , FHeight(height)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), FHeight));
        return size;
    }

private:
    int FHeight;
};

int EditorHeight(QWidget* parent)
{
    QComboBox list(parent);
    QComboBox open(parent);
    open.setEditable(true);
    QLineEdit field(parent);
    field.setFrame(false);
    QToolButton button(parent);
    button.setText(QStringLiteral("..."));
    return std::max({list.sizeHint().height(), open.sizeHint().height(), field.sizeHint().height(),
                     button.sizeHint().height()});
}

QString Heading(const TItemLayer& layer)
{
    return FromWin1252(layer.TypeName()) + QStringLiteral(" - ") + FromWin1252(layer.Description);
}

} // namespace

class TfrmTools::TShownWatch : public TCustomLayer {
public:
    explicit TShownWatch(std::function<void()> gone)
        : TCustomLayer(nullptr)
        , FGone(std::move(gone))
    {
    }

protected:
    void Notification(TCustomLayer*) override { FGone(); }

private:
    std::function<void()> FGone;
};

struct TfrmTools::TLine {
    QTreeWidgetItem* Node = nullptr;
    std::unique_ptr<TJvCustomInspectorItem> Item;
    // Only the current line has one; it stays while the line is current, also for another control.
    TInspectorEditor* Editor = nullptr;
    int Depth = 0;
    // A part's lines exist (made when it is first opened).
    bool PartBuilt = false;
};

TfrmTools::TfrmTools(TPageDocument& document, const TPlayerLists& lists, QWidget* parent)
    : QWidget(parent)
    , FDocument(document)
{
    setObjectName(QStringLiteral("frmTools"));
    setWindowTitle(QStringLiteral("tools"));
    // Keys typed here are the editors' (Del and the arrows never move or delete the selection).
    setProperty("keepsKeys", true);

    auto* title = new QLabel(QStringLiteral("tools"), this);
    title->setObjectName(QStringLiteral("TitleStrip"));
    title->setContentsMargins(2, 0, 0, 0);
    JvInspector1 = new TInspectorTree(this);
    JvInspector1->setObjectName(QStringLiteral("JvInspector1"));
    JvInspector1->setColumnCount(2);
    JvInspector1->setHeaderHidden(true);
    JvInspector1->setSortingEnabled(false);
    JvInspector1->setSelectionMode(QAbstractItemView::SingleSelection);
    JvInspector1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    JvInspector1->setFocusPolicy(Qt::StrongFocus);
    JvInspector1->header()->setStretchLastSection(true);
    JvInspector1->setItemDelegate(new TLineHeight(EditorHeight(this), JvInspector1));
    JvInspector1->setUniformRowHeights(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(JvInspector1, 1);

    FColorStandIn = std::make_unique<TColorHexDialog>(this);
    Clear();
    FContext.ProjectFolder = [this] { return FDocument.ProjectFolder(); };
    FContext.Lists = [&lists]() -> const TPlayerLists& { return lists; };
    FContext.FontNames = [this] { return FDocument.Project().FontNames(); };
    FContext.ColorSelector = [this]() -> IColorSelector& {
        IColorSelector* installed = InstalledColorSelector();
        return installed ? *installed : *FColorStandIn;
    };
    // Edits go through the page, which marks itself modified, keeps the frame on the control and
    // announces what changed. The inspector shows the selected control, or with none the page
    // settings and the skin description.
    FContext.Store = [this](const TPropInfo& prop, const TPropValue& value) {
        // The control shown: text typed for it may be stored after another one was selected.
        FDocument.SetProperty(FShownControl, prop, value);
    };

    FormCreate();

    // The current line alone has an editor; a click on its value puts the focus there.
    static_cast<TInspectorTree*>(JvInspector1)->OnExpanding = [this](QTreeWidgetItem* node) {
        GuardedCall([this, node] {
            if (TLine* line = LineOf(node); line && ShownAlive())
                BuildPart(*line);
        });
    };
    connect(JvInspector1, &QTreeWidget::currentItemChanged, this,
            Guarded([this](QTreeWidgetItem* current, QTreeWidgetItem* previous) { MoveEditor(current, previous); }));
    connect(JvInspector1, &QTreeWidget::itemClicked, this, Guarded([this](QTreeWidgetItem* node, int column) {
        if (column == 1)
            FocusEditor(node);
    }));
    connect(JvInspector1, &QTreeWidget::itemActivated, this, Guarded([this](QTreeWidgetItem* node) { FocusEditor(node); }));

    // Values changed elsewhere (the frame, the arrow keys, other windows) show up as they change.
    connect(&FDocument, &TPageDocument::SelectionChanged, this, Guarded([this](TItemLayer* layer) {
        // Text typed for the control that was shown is stored on it before another one is shown.
        StoreTypedText();
        ShowSelection(layer);
    }));
    connect(&FDocument, &TPageDocument::ControlChanged, this, [this](TItemLayer* layer) { ControlChanged(layer); });
    connect(&FDocument, &TPageDocument::ControlRemoved, this, [this](TItemLayer* layer) { ControlRemoved(layer); });
    // A new page or project: the old settings and skin description are never shown again.
    const auto showAgain = Guarded([this] { ShowSelection(FDocument.Selected()); });
    connect(&FDocument, &TPageDocument::PageReplaced, this, showAgain);
    connect(&FDocument, &TPageDocument::ProjectReplaced, this, showAgain);
    connect(&FDocument, &TPageDocument::WindowInfosChanged, this, [this] { WindowInfosChanged(); });
    ShowSelection(FDocument.Selected());
}

void TfrmTools::ControlChanged(TItemLayer* layer)
{
    if (FCommitting || FRefreshQueued
        || std::find(FShownLayers.begin(), FShownLayers.end(), layer) == FShownLayers.end())
        return;
    FRefreshQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        FRefreshQueued = false;
        GuardedCall([this] { RefreshValues(false); });
    }, Qt::QueuedConnection);
}

void TfrmTools::ControlRemoved(const TItemLayer* layer)
{
    if (std::find(FShownLayers.begin(), FShownLayers.end(), layer) != FShownLayers.end())
        Clear();
}

void TfrmTools::WindowInfosChanged()
{
    if (FSettingsQueued)
        return;
    FSettingsQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        FSettingsQueued = false;
        // The page settings show while nothing is selected; a video window that came or went makes
        // their video-window lines editable or not.
        if (!FDocument.Selected())
            GuardedCall([this] { ShowSelection(nullptr, false); });
    }, Qt::QueuedConnection);
}

TfrmTools::~TfrmTools()
{
    // Disabled and emptied before the items go.
    JvInspector1->setEnabled(false);
    Clear();
}

void TfrmTools::FormCreate()
{
    FRegistry.RegisterItemClass<TJvInspectorFilenameItem>(TPropType::FileName);
    FRegistry.RegisterItemClass<TJvInspectorColor32Item>(TPropType::Cardinal);
    FRegistry.RegisterItemClass<TJvInspectorFontItem>(TPropType::FontName);
    FRegistry.RegisterItemClass<TJvInspectorTActionIndexItem>(TPropType::Int64Action);
    FRegistry.RegisterItemClass<TJvInspectorTfunctionItem>(TPropType::Function);
    FRegistry.RegisterItemClass<TJvInspectorTWindowItem>(TPropType::WindowNumber);
    TranslateForm(this, LanguageFile);
}

void TfrmTools::ShowSelection(TItemLayer* layer, bool always)
{
    std::vector<std::pair<QString, TPublished*>> shown;
    if (layer) {
        // Parts are placed when painted; a control changed since (a clone) shows them where they will be.
        // Placing them tells the control to repaint: not for one that is painted as it stands.
        if (layer->ChangedSincePaint())
            layer->LayoutParts();
        shown.emplace_back(Heading(*layer), layer);
    } else {
        shown.emplace_back(TranslatableString(10), &FDocument.WindowInfos());
        shown.emplace_back(TranslatableString(11), &FDocument.SkinInfo());
    }
    // The same kind as before: the lines, their editors and the scroll position stay.
    if (ShowAgain(shown, always))
        return;
    JvInspector1->setUpdatesEnabled(false);
    Clear();
    for (const auto& [category, instance] : shown)
        InspectObject(category, false, instance);
    // Back to the kind shown last (a paste or clone passes through no selection): as it was left.
    if (layer && FKept.Kind == std::type_index(typeid(*layer)))
        RestoreView();
    JvInspector1->setUpdatesEnabled(true);
}

QString TfrmTools::PathOf(const QTreeWidgetItem* node) const
{
    QStringList names;
    for (; node && LineOf(node); node = node->parent())
        names.prepend(node->text(0));
    return names.join(QLatin1Char('.'));
}

void TfrmTools::KeepView()
{
    FKept = TKeptView{*FShownKind, {}, PathOf(JvInspector1->currentItem()),
                      {JvInspector1->horizontalScrollBar()->value(), JvInspector1->verticalScrollBar()->value()}};
    // A part's lines come after the part's own line, so a part is opened before the parts in it.
    for (const auto& line : FLines)
        if (line->PartBuilt && line->Node->isExpanded())
            FKept.Open << PathOf(line->Node);
}

void TfrmTools::RestoreView()
{
    const TKeptView kept = FKept;
    for (const QString& path : kept.Open)
        if (QTreeWidgetItem* node = FindNode(path))
            node->setExpanded(true);
    if (QTreeWidgetItem* node = kept.Current.isEmpty() ? nullptr : FindNode(kept.Current))
        JvInspector1->setCurrentItem(node);
    JvInspector1->doItemsLayout();
    JvInspector1->horizontalScrollBar()->setValue(kept.Scroll.x());
    JvInspector1->verticalScrollBar()->setValue(kept.Scroll.y());
}

void TfrmTools::InspectObject(const QString& category, bool clear, TPublished* instance)
{
    if (clear)
        Clear();
    if (!instance)
        return;
    QTreeWidgetItem* parent = category.isEmpty() ? nullptr : new QTreeWidgetItem(QStringList{category});
    Shows(parent, instance);
    QList<QTreeWidgetItem*> tops;
    AddProperties(parent, instance, 0, tops);
    // Into the tree at once: line by line, every line would lay the whole tree out again.
    if (parent) {
        JvInspector1->addTopLevelItem(parent);
        parent->setFirstColumnSpanned(true);
        QFont bold = parent->font(0);
        bold.setBold(true);
        parent->setFont(0, bold);
        parent->setExpanded(true);
    } else {
        JvInspector1->addTopLevelItems(tops);
    }
    static_cast<TInspectorTree*>(JvInspector1)->FitDivider();
}

void TfrmTools::Shows(QTreeWidgetItem* heading, TPublished* instance)
{
    // A control that leaves the page must not be read again.
    if (auto* layer = dynamic_cast<TItemLayer*>(instance); layer && FDocument.Layers().IndexOf(layer) >= 0) {
        FShownLayers.push_back(layer);
        if (!FShownControl) {
            FShownControl = layer;
            FShownHeading = heading;
            FShownKind = std::type_index(typeid(*layer));
        }
    }
}

void TfrmTools::AddProperties(QTreeWidgetItem* parent, TPublished* instance, int depth, QList<QTreeWidgetItem*>& tops)
{
    Watch(instance);
    QList<QTreeWidgetItem*> nodes;
    for (const TPropInfo& prop : instance->PublishedProperties()) {
        auto line = std::make_unique<TLine>();
        line->Item = FRegistry.CreateItem(prop, FContext);
        line->Node = new QTreeWidgetItem(QStringList{line->Item->Name(), line->Item->GetDisplayValue()});
        line->Depth = depth;
        if (line->Item->SubObject() && depth < MaxDepth)
            line->Node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        nodes.append(line->Node);
        FLines.push_back(std::move(line));
    }
    if (parent)
        parent->addChildren(nodes);
    else
        tops.append(nodes);
}

void TfrmTools::BuildPart(TLine& line)
{
    if (line.PartBuilt || line.Depth >= MaxDepth)
        return;
    TPublished* sub = line.Item->SubObject();
    if (!sub)
        return;
    line.PartBuilt = true;
    QList<QTreeWidgetItem*> unused;
    AddProperties(line.Node, sub, line.Depth + 1, unused);
}

bool TfrmTools::SameLines(const std::vector<TLine*>& lines, const std::vector<TPropInfo>& props)
{
    if (lines.size() != props.size())
        return false;
    for (std::size_t i = 0; i < props.size(); ++i) {
        const TPropInfo& shown = lines[i]->Item->Prop();
        if (shown.Name != props[i].Name || shown.Type != props[i].Type || shown.MaxLength != props[i].MaxLength
            || shown.ReadOnly() != props[i].ReadOnly() || shown.NameOnly != props[i].NameOnly)
            return false;
    }
    return true;
}

void TfrmTools::Rebind(const std::vector<TLine*>& lines, std::vector<TPropInfo> props, TPublished* instance)
{
    Watch(instance);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TLine& line = *lines[i];
        line.Item->Rebind(std::move(props[i]));
        if (line.Item->Prop().Type != TPropType::Object)
            continue;
        TPublished* sub = line.Item->SubObject();
        if (line.PartBuilt) {
            const std::vector<TLine*> children = LinesUnder(line.Node);
            std::vector<TPropInfo> subProps = sub ? sub->PublishedProperties() : std::vector<TPropInfo>();
            if (sub && SameLines(children, subProps)) {
                Rebind(children, std::move(subProps), sub);
                continue;
            }
            // A part of another kind: its lines are made again when it is opened.
            line.Node->setExpanded(false);
            DropLines(line.Node);
            line.PartBuilt = false;
        }
        const auto policy = sub && line.Depth < MaxDepth ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicatorWhenChildless;
        if (line.Node->childIndicatorPolicy() != policy)
            line.Node->setChildIndicatorPolicy(policy);
    }
}

bool TfrmTools::ShowAgain(const std::vector<std::pair<QString, TPublished*>>& shown, bool always)
{
    if (JvInspector1->topLevelItemCount() != int(shown.size()))
        return false;
    std::vector<std::vector<TLine*>> lines;
    std::vector<std::vector<TPropInfo>> props;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        QTreeWidgetItem* category = JvInspector1->topLevelItem(int(i));
        if (LineOf(category))
            return false;
        lines.push_back(LinesUnder(category));
        props.push_back(shown[i].second->PublishedProperties());
        if (!SameLines(lines.back(), props.back()))
            return false;
    }
    // Nothing of the objects shown before is read again: every line reads its new object.
    FShownLayers.clear();
    FShownControl = nullptr;
    FShownHeading = nullptr;
    FShownKind.reset();
    NewWatch();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        QTreeWidgetItem* category = JvInspector1->topLevelItem(int(i));
        Shows(category, shown[i].second);
        category->setText(0, shown[i].first);
        Rebind(lines[i], std::move(props[i]), shown[i].second);
    }
    RefreshValues(always);
    return true;
}

void TfrmTools::DropLines(QTreeWidgetItem* parent)
{
    std::vector<const QTreeWidgetItem*> nodes;
    std::function<void(const QTreeWidgetItem*)> collect = [&](const QTreeWidgetItem* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            nodes.push_back(node->child(i));
            collect(node->child(i));
        }
    };
    collect(parent);
    std::erase_if(FLines, [&nodes](const std::unique_ptr<TLine>& line) {
        if (std::find(nodes.begin(), nodes.end(), line->Node) == nodes.end())
            return false;
        if (line->Editor)
            line->Editor->Disarm();
        return true;
    });
    qDeleteAll(parent->takeChildren());
}

std::vector<TfrmTools::TLine*> TfrmTools::LinesUnder(const QTreeWidgetItem* parent) const
{
    std::vector<TLine*> out;
    for (int i = 0; i < parent->childCount(); ++i)
        if (TLine* line = LineOf(parent->child(i)))
            out.push_back(line);
    return out;
}

TInspectorEditor* TfrmTools::EnsureEditor(TLine& line)
{
    if (!line.Editor) {
        auto* editor = new TInspectorEditor(*line.Item);
        editor->setAutoFillBackground(true);
        TLine* raw = &line;
        editor->OnCommit = [this, raw](const QString& text) { Commit(*raw, text); };
        editor->OnEditButton = [this, raw] { EditButtonClick(*raw); };
        editor->OnStep = [this, raw](int step) { GuardedCall([this, raw, step] { Step(*raw, step); }); };
        editor->OnTyped = [this] { emit TypedTextChanged(); };
        line.Editor = editor;
        JvInspector1->setItemWidget(line.Node, 1, editor);
    }
    return line.Editor;
}

void TfrmTools::FocusEditor(QTreeWidgetItem* node, bool whole)
{
    if (TLine* line = LineOf(node); line && line->Editor && ShownAlive()) {
        line->Editor->setFocus(Qt::MouseFocusReason);
        // Reached by the keyboard, the value is taken whole: typing replaces it.
        if (QLineEdit* field = line->Editor->LineEdit(); whole && field)
            field->selectAll();
    }
}

void TfrmTools::Step(TLine& line, int step)
{
    QTreeWidgetItem* node = line.Node;
    do
        node = step < 0 ? JvInspector1->itemAbove(node) : JvInspector1->itemBelow(node);
    while (node && !LineOf(node));
    // The line left stores what was typed; the next line's editor takes the focus.
    if (!node) {
        if (line.Editor)
            line.Editor->StoreTyped();
        return;
    }
    JvInspector1->setCurrentItem(node);
    JvInspector1->scrollToItem(node);
    FocusEditor(node, true);
}

void TfrmTools::MoveEditor(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    TLine* left = current == previous ? nullptr : LineOf(previous);
    const QPointer<TInspectorEditor> leaving = left ? left->Editor : nullptr;
    const bool focused = leaving && leaving->isAncestorOf(QApplication::focusWidget());
    TInspectorEditor* editor = nullptr;
    if (TLine* line = LineOf(current); line && ShownAlive())
        editor = EnsureEditor(*line);
    if (!leaving)
        return;
    // The caret goes with the current line; leaving the field stores what was typed into it.
    if (focused && editor)
        editor->setFocus(Qt::OtherFocusReason);
    else if (focused)
        JvInspector1->setFocus(Qt::OtherFocusReason);
    if (leaving)
        leaving->StoreTyped();
    // Storing may have emptied the inspector (the control went meanwhile).
    if (TLine* line = LineOf(previous); line && leaving && line->Editor == leaving)
        DropEditor(*line);
}

void TfrmTools::DropEditor(TLine& line)
{
    TInspectorEditor* editor = std::exchange(line.Editor, nullptr);
    editor->Disarm();
    editor->hide();
    JvInspector1->removeItemWidget(line.Node, 1);
    editor->deleteLater();
}

void TfrmTools::NewWatch()
{
    // A fresh watch: the old one stops watching as it goes.
    FWatch = std::make_unique<TShownWatch>([this] {
        FShownGone = true;
        QMetaObject::invokeMethod(this, [this] { GuardedCall([this] { ShownObjectsAlive(); }); }, Qt::QueuedConnection);
    });
    FShownGone = false;
}

void TfrmTools::Watch(TPublished* instance)
{
    if (auto* layer = dynamic_cast<TCustomLayer*>(instance))
        layer->AddNotification(FWatch.get());
}

void TfrmTools::Clear()
{
    if (FShownKind && FShownHeading)
        KeepView();
    // Editors may outlive their lines for a moment (the view deletes them later): disarmed first.
    for (const auto& line : FLines)
        if (line->Editor)
            line->Editor->Disarm();
    JvInspector1->setCurrentItem(nullptr);
    JvInspector1->clear();
    FLines.clear();
    FShownLayers.clear();
    FShownControl = nullptr;
    FShownHeading = nullptr;
    FShownKind.reset();
    NewWatch();
}

void TfrmTools::StoreTypedText()
{
    TInspectorEditor* typed = nullptr;
    for (const auto& line : FLines)
        if (line->Editor && line->Editor->Typed())
            typed = line->Editor;
    if (typed)
        typed->StoreTyped();
}

bool TfrmTools::HasTypedText() const
{
    for (const auto& line : FLines)
        if (line->Editor && line->Editor->Differs())
            return true;
    return false;
}

void TfrmTools::JvInspector1DataValueChanged(const QString&)
{
    // The page has taken the value (Store of the context): other lines may show it too.
    RefreshValues(true);
}

void TfrmTools::RefreshValues(bool always)
{
    if (!ShownObjectsAlive())
        return;
    // A moved control moves its parts only at the next paint: their lines show where they go.
    if (FShownControl && FShownControl->ChangedSincePaint())
        FShownControl->LayoutParts();
    if (FShownHeading)
        FShownHeading->setText(0, Heading(*FShownControl));
    for (const auto& line : FLines)
        ShowLine(*line, always);
}

void TfrmTools::ShowLine(TLine& line, bool always)
{
    line.Node->setText(1, line.Item->GetDisplayValue());
    if (line.Editor)
        line.Editor->ShowValue(always);
}

bool TfrmTools::ShownAlive() const
{
    bool gone = FShownGone;
    for (const TCustomLayer* layer : FShownLayers)
        gone = gone || FDocument.Layers().IndexOf(layer) < 0;
    return !gone;
}

bool TfrmTools::ShownObjectsAlive()
{
    const bool alive = ShownAlive();
    if (!alive)
        Clear();
    return alive;
}

void TfrmTools::Commit(TLine& line, const QString& text)
{
    if (FCommitting)
        return;
    FCommitting = true;
    const QString property = line.Item->Name();
    QPointer<TInspectorEditor> editor(line.Editor);
    QString refused;
    bool stored = false;
    GuardedCall([&] {
        if (!ShownObjectsAlive())
            return;
        // What changed elsewhere is read first: a new X or Y keeps the size the frame gave.
        for (const auto& other : FLines)
            if (other.get() != &line)
                ShowLine(*other, false);
        // A file read on every assignment is read again under the same name too.
        if (text == line.Item->GetDisplayValue() && !line.Item->Prop().Reload)
            return;
        try {
            line.Item->SetDisplayValue(text);
            stored = true;
        } catch (const TInputRefused& error) {
            refused = error.Message();
        }
    });
    if (editor)
        GuardedCall([&] { editor->ShowValue(true); });
    if (stored)
        GuardedCall([this, &property] { JvInspector1DataValueChanged(property); });
    else if (!refused.isEmpty())
        ShowErrorText(refused);
    FCommitting = false;
    // The message took the focus (and the click that left the line with it): typing goes on in the
    // current line's editor once the event loop is free, unless the focus went on elsewhere.
    if (!refused.isEmpty())
        QMetaObject::invokeMethod(this, [this] {
            QWidget* focus = QApplication::focusWidget();
            if (!focus || isAncestorOf(focus))
                GuardedCall([this] { FocusEditor(JvInspector1->currentItem(), true); });
        }, Qt::QueuedConnection);
    emit TypedTextChanged();
}

void TfrmTools::EditButtonClick(TLine& line)
{
    if (FCommitting)
        return;
    FCommitting = true;
    bool stored = false;
    GuardedCall([&] {
        if (!ShownObjectsAlive())
            return;
        try {
            stored = line.Item->Edit();
        } catch (const TInputRefused& error) {
            ShowErrorText(error.Message());
        }
    });
    if (stored)
        GuardedCall([this, &line] { JvInspector1DataValueChanged(line.Item->Name()); });
    FCommitting = false;
}

QStringList TfrmTools::Categories() const
{
    QStringList out;
    for (int i = 0; i < JvInspector1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = JvInspector1->topLevelItem(i);
        if (!LineOf(node))
            out << node->text(0);
    }
    return out;
}

QStringList TfrmTools::Names(const QString& categoryOrPath)
{
    const QTreeWidgetItem* parent = nullptr;
    for (int i = 0; i < JvInspector1->topLevelItemCount() && !parent; ++i) {
        QTreeWidgetItem* node = JvInspector1->topLevelItem(i);
        if (!LineOf(node) && node->text(0) == categoryOrPath)
            parent = node;
    }
    if (!parent) {
        QTreeWidgetItem* node = FindNode(categoryOrPath);
        if (TLine* line = LineOf(node))
            BuildPart(*line);
        parent = node;
    }
    QStringList out;
    for (int i = 0; parent && i < parent->childCount(); ++i)
        out << parent->child(i)->text(0);
    return out;
}

QTreeWidgetItem* TfrmTools::FindNode(const QString& path)
{
    // A part's lines are made on the way, as when it is opened; nothing is read of what has gone.
    if (!ShownAlive())
        return nullptr;
    const QStringList names = path.split(QLatin1Char('.'));
    // Every top-level line: a category whose lines are searched, or a line without a category.
    std::vector<QTreeWidgetItem*> starts;
    std::vector<QTreeWidgetItem*> loose;
    for (int i = 0; i < JvInspector1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = JvInspector1->topLevelItem(i);
        if (LineOf(node))
            loose.push_back(node);
        else
            starts.push_back(node);
    }
    auto descend = [this, &names](QTreeWidgetItem* node, int from) -> QTreeWidgetItem* {
        for (int n = from; node && n < names.size(); ++n) {
            if (TLine* line = LineOf(node))
                BuildPart(*line);
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < node->childCount() && !next; ++i)
                if (node->child(i)->text(0) == names[n])
                    next = node->child(i);
            node = next;
        }
        return node;
    };
    for (QTreeWidgetItem* top : loose)
        if (top->text(0) == names.front())
            if (QTreeWidgetItem* found = descend(top, 1))
                return found;
    for (QTreeWidgetItem* category : starts)
        if (QTreeWidgetItem* found = descend(category, 0))
            return found;
    return nullptr;
}

TfrmTools::TLine* TfrmTools::LineOf(const QTreeWidgetItem* node) const
{
    if (!node)
        return nullptr;
    for (const auto& line : FLines)
        if (line->Node == node)
            return line.get();
    return nullptr;
}

TJvCustomInspectorItem* TfrmTools::Item(const QString& path)
{
    TLine* line = LineOf(FindNode(path));
    return line ? line->Item.get() : nullptr;
}

TInspectorEditor* TfrmTools::Editor(const QString& path)
{
    TLine* line = LineOf(FindNode(path));
    if (!line)
        return nullptr;
    JvInspector1->setCurrentItem(line->Node);
    return line->Editor;
}

QString TfrmTools::DisplayValue(const QString& path)
{
    TLine* line = LineOf(FindNode(path));
    if (!line)
        return QString();
    return line->Editor ? line->Editor->Text() : line->Node->text(1);
}
