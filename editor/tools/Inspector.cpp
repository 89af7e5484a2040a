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

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

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
        connect(this, &QTreeWidget::itemExpanded, this, [this] { FitDivider(); });
        connect(this, &QTreeWidget::itemCollapsed, this, [this] { FitDivider(); });
    }

    void FitDivider()
    {
        if (!FDragged)
            setColumnWidth(0, sizeHintForColumn(0));
    }

protected:
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
    TInspectorEditor* Editor = nullptr;
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
        FDocument.SetProperty(FDocument.Selected(), prop, value);
    };

    FormCreate();

    // Values changed elsewhere (the frame, the arrow keys, other windows) show up as they change.
    connect(&FDocument, &TPageDocument::SelectionChanged, this, Guarded([this](TItemLayer* layer) { ShowSelection(layer); }));
    connect(&FDocument, &TPageDocument::ControlChanged, this, [this](TItemLayer* layer) { ControlChanged(layer); });
    connect(&FDocument, &TPageDocument::ControlRemoved, this, [this](TItemLayer* layer) { ControlRemoved(layer); });
    // A new page or project: the old settings and skin description are never shown again.
    const auto showAgain = Guarded([this] { ShowSelection(FDocument.Selected()); });
    connect(&FDocument, &TPageDocument::PageReplaced, this, showAgain);
    connect(&FDocument, &TPageDocument::ProjectReplaced, this, showAgain);
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

void TfrmTools::ShowSelection(TItemLayer* layer)
{
    JvInspector1->setUpdatesEnabled(false);
    if (layer) {
        InspectObject(FromWin1252(layer->TypeName()) + QStringLiteral(" - ") + FromWin1252(layer->Description), true,
                      layer);
    } else {
        Clear();
        InspectObject(TranslatableString(10), true, &FDocument.WindowInfos());
        InspectObject(TranslatableString(11), false, &FDocument.SkinInfo());
    }
    JvInspector1->setUpdatesEnabled(true);
}

void TfrmTools::InspectObject(const QString& category, bool clear, TPublished* instance)
{
    if (clear)
        Clear();
    if (!instance)
        return;
    QTreeWidgetItem* parent = category.isEmpty() ? nullptr : new QTreeWidgetItem(QStringList{category});
    // A control that leaves the page must not be read again.
    if (auto* layer = dynamic_cast<TItemLayer*>(instance); layer && FDocument.Layers().IndexOf(layer) >= 0)
        FShownLayers.push_back(layer);
    const size_t first = FLines.size();
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
    for (size_t i = first; i < FLines.size(); ++i)
        JvInspector1->setItemWidget(FLines[i]->Node, 1, FLines[i]->Editor);
    static_cast<TInspectorTree*>(JvInspector1)->FitDivider();
}

void TfrmTools::AddProperties(QTreeWidgetItem* parent, TPublished* instance, int depth, QList<QTreeWidgetItem*>& tops)
{
    if (auto* layer = dynamic_cast<TCustomLayer*>(instance))
        layer->AddNotification(FWatch.get());
    for (const TPropInfo& prop : instance->PublishedProperties()) {
        auto line = std::make_unique<TLine>();
        line->Item = FRegistry.CreateItem(prop, FContext);
        line->Node = new QTreeWidgetItem(QStringList{line->Item->Name()});
        if (parent)
            parent->addChild(line->Node);
        else
            tops.append(line->Node);
        line->Editor = new TInspectorEditor(*line->Item);
        TLine* raw = line.get();
        line->Editor->OnCommit = [this, raw](const QString& text) { Commit(*raw, text); };
        line->Editor->OnEditButton = [this, raw] { EditButtonClick(*raw); };
        TPublished* sub = line->Item->SubObject();
        FLines.push_back(std::move(line));
        if (sub && depth < MaxDepth)
            AddProperties(raw->Node, sub, depth + 1, tops);
    }
}

void TfrmTools::Clear()
{
    // Editors may outlive their lines for a moment (the view deletes them later): disarmed first.
    for (const auto& line : FLines)
        line->Editor->Disarm();
    JvInspector1->setCurrentItem(nullptr);
    JvInspector1->clear();
    FLines.clear();
    FShownLayers.clear();
    // A fresh watch: the old one stops watching as it goes.
    FWatch = std::make_unique<TShownWatch>([this] {
        FShownGone = true;
        QMetaObject::invokeMethod(this, [this] { GuardedCall([this] { ShownObjectsAlive(); }); }, Qt::QueuedConnection);
    });
    FShownGone = false;
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
    for (const auto& line : FLines)
        line->Editor->ShowValue(always);
}

bool TfrmTools::ShownObjectsAlive()
{
    bool gone = FShownGone;
    for (const TCustomLayer* layer : FShownLayers)
        gone = gone || FDocument.Layers().IndexOf(layer) < 0;
    if (gone)
        Clear();
    return !gone;
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
                other->Editor->ShowValue(false);
        if (text == line.Item->GetDisplayValue())
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

QStringList TfrmTools::Names(const QString& categoryOrPath) const
{
    const QTreeWidgetItem* parent = nullptr;
    for (int i = 0; i < JvInspector1->topLevelItemCount() && !parent; ++i) {
        QTreeWidgetItem* node = JvInspector1->topLevelItem(i);
        if (!LineOf(node) && node->text(0) == categoryOrPath)
            parent = node;
    }
    if (!parent)
        parent = FindNode(categoryOrPath);
    QStringList out;
    for (int i = 0; parent && i < parent->childCount(); ++i)
        out << parent->child(i)->text(0);
    return out;
}

QTreeWidgetItem* TfrmTools::FindNode(const QString& path) const
{
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
    auto descend = [&names](QTreeWidgetItem* node, int from) -> QTreeWidgetItem* {
        for (int n = from; node && n < names.size(); ++n) {
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
    for (const auto& line : FLines)
        if (line->Node == node)
            return line.get();
    return nullptr;
}

TJvCustomInspectorItem* TfrmTools::Item(const QString& path) const
{
    TLine* line = LineOf(FindNode(path));
    return line ? line->Item.get() : nullptr;
}

TInspectorEditor* TfrmTools::Editor(const QString& path) const
{
    TLine* line = LineOf(FindNode(path));
    return line ? line->Editor : nullptr;
}

QString TfrmTools::DisplayValue(const QString& path) const
{
    TInspectorEditor* editor = Editor(path);
    return editor ? editor->Text() : QString();
}

