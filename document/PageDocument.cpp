#include "document/PageDocument.h"

#include "document/InsertKinds.h"
#include "document/PageXml.h"
#include "document/ProjectFolder.h"
#include "document/ResizeRules.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

constexpr uint32_t FrameInUse = 0xB0000000u;
constexpr uint32_t FrameReleased = 0x10000000u;

bool IsVideo(const TCustomLayer* layer)
{
    return dynamic_cast<const TOSDVideoControl*>(layer) != nullptr;
}

// Which edge of a rectangle stays where it was asked to be when its size is cut.
enum class TKeep { Near, Far, Centre };

bool SizeFits(const TItemLayer& control, float nearEdge, float farEdge)
{
    const int32_t size = RoundToInt32(double(farEdge) - nearEdge);
    return size >= control.MinSavedSize() && size <= MaxSavedSize;
}

bool PlaceFits(float edge)
{
    return edge >= -float(MaxPlace) && edge <= float(MaxPlace);
}

// Whether a control with the rectangle `r` saves a size and place that a file gives back.
bool Fits(const TItemLayer& control, const TFloatRect& r)
{
    return SizeFits(control, r.Left, r.Right) && SizeFits(control, r.Top, r.Bottom) && PlaceFits(r.Left)
        && PlaceFits(r.Top);
}

// One axis of a rectangle whose size was cut, moved back so that the edge `keep` names stays
// where it was asked to be, and its near edge within the places a file holds.
void Anchor(float& nearEdge, float& farEdge, float askedNear, float askedFar, TKeep keep)
{
    const double extent = double(farEdge) - nearEdge;
    double start = askedNear;
    if (keep == TKeep::Far)
        start = askedFar - extent;
    else if (keep == TKeep::Centre)
        start = (double(askedNear) + askedFar) / 2 - extent / 2;
    start = std::clamp(start, -double(MaxPlace), double(MaxPlace));
    nearEdge = float(start);
    farEdge = float(start + extent);
}

// Gives the control the rectangle `r`, with its size cut to what a file gives back (the reader
// replaces larger sizes, and makes no video window without an area) and its place kept within
// what a file holds, so that the page reads back as it is shown.
void PlaceWithin(TItemLayer& control, const TFloatRect& r, TKeep keepX, TKeep keepY)
{
    control.SetLocation(r);
    if (Fits(control, r))
        return;
    // The kind measures and sets its own size: a horizontal spin control is two buttons wide.
    const int32_t least = control.MinSavedSize();
    const int32_t width = control.GetWidth();
    const bool cutWidth = width < least || width > MaxSavedSize;
    if (cutWidth)
        control.SetWidth(std::clamp(width, least, MaxSavedSize));
    const int32_t height = control.GetHeight();
    const bool cutHeight = height < least || height > MaxSavedSize;
    if (cutHeight)
        control.SetHeight(std::clamp(height, least, MaxSavedSize));
    TFloatRect out = control.Location();
    if (cutWidth || !PlaceFits(r.Left))
        Anchor(out.Left, out.Right, r.Left, r.Right, keepX);
    if (cutHeight || !PlaceFits(r.Top))
        Anchor(out.Top, out.Bottom, r.Top, r.Bottom, keepY);
    control.SetLocation(out);
}

// Counts a batch for the length of a scope.
class TBatch {
public:
    explicit TBatch(int& count) : FCount(count) { ++FCount; }
    ~TBatch() { --FCount; }

private:
    int& FCount;
};

}  // namespace

// Controls that leave the collection, however they go, are announced; so is the frame's child.
class TPageDocument::TObserver : public TLayerObserver {
public:
    explicit TObserver(TPageDocument& document) : FDocument(document) {}

    void LayerChanged(TCustomLayer* layer) override
    {
        // The page settings hold the video window's rectangle, whatever moved or sized it.
        if (layer->Tag == &FDocument)
            if (auto* video = dynamic_cast<TOSDVideoControl*>(layer))
                FDocument.CopyVideoWindow(video);
    }

    void LayerRemoved(TCustomLayer* layer, const QRect&) override
    {
        TPageDocument& d = FDocument;
        if (layer == d.FRubberBand) {
            d.FRubberBand = nullptr;
            return;
        }
        if (layer == d.FVideoLayer)
            d.CopyVideoWindow(nullptr);
        const bool wasSelected = layer == d.FSelected;
        if (wasSelected)
            d.FSelected = nullptr;
        // Only what entered the page as a control is announced; the pointer is compared, never used.
        if (d.FBatch > 0 || layer->Tag != &d)
            return;
        auto* control = reinterpret_cast<TItemLayer*>(layer);
        if (wasSelected)
            emit d.SelectionChanged(nullptr);
        emit d.ControlRemoved(control);
    }

private:
    TPageDocument& FDocument;
};

TPageDocument::TPageDocument(QObject* parent)
    : QObject(parent)
    , FObserver(std::make_unique<TObserver>(*this))
    , FVersion(PageFormatVersion)
    , FProject(OSDControlFactory().SharedProject())
{
    FLayers.AddObserver(FObserver.get());
    FWindowInfos.WindowBackdrop().OnShowBackdrop = [this](const std::string& name) { ShowBackdrop(name); };
    TVideoWindow& video = FWindowInfos.VideoWindow();
    video.OnFindWindow = [this]() -> TPublished* { return FindVideoLayer(FLayers); };
    // An edit of the page settings' value is an edit of the video window's own value.
    video.OnSetValue = [this](const std::string& name, int32_t value) {
        TItemLayer* window = FindVideoLayer(FLayers);
        if (!window)
            throw std::runtime_error("The page has no video window.");
        SetProperty(*window, name, TPropValue(int64_t{value}));
    };
}

TPageDocument::~TPageDocument()
{
    FWindowInfos.WindowBackdrop().OnShowBackdrop = nullptr;
    FWindowInfos.VideoWindow().OnFindWindow = nullptr;
    FWindowInfos.VideoWindow().OnSetValue = nullptr;
    {
        const QSignalBlocker quiet(this);
        TBatch batch(FBatch);
        FRubberBand = nullptr;
        FSelected = nullptr;
        FLayers.Clear();
    }
    FLayers.RemoveObserver(FObserver.get());
}

// --- state ---------------------------------------------------------------------------------

void TPageDocument::SetModified(bool on)
{
    // Told only when it changes: every drag step sets it.
    if (on == FModified)
        return;
    FModified = on;
    emit ModifiedChanged(on);
}

void TPageDocument::SetFileName(const QString& fileName)
{
    FFileName = fileName;
    FPageFile.clear();
    FPageFileSaved = false;
    emit FileNameChanged(fileName);
}

void TPageDocument::SetPageFile(const QString& path, bool saved)
{
    FPageFile = path;
    FPageFileSaved = saved;
}

void TPageDocument::SetBackdrop(TPicture picture)
{
    // Held while it shows: the cache letting go of it must not take it out of the project's total.
    FBackdropPicture = picture && !picture->isNull() ? std::move(picture) : nullptr;
    FBackdrop = FBackdropPicture ? FBackdropPicture->convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
    emit BackdropChanged();
}

bool TPageDocument::SetBackdrop(const QImage& picture)
{
    TPicture counted;
    if (!picture.isNull() && !(counted = FProject->Pictures().Adopt(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied))))
        return false;
    SetBackdrop(std::move(counted));
    return true;
}

void TPageDocument::SetCanvasSize(int width, int height)
{
    FCanvasSize = QSize(std::clamp(width, 0, int(TSkinInfo::MaxSize)), std::clamp(height, 0, int(TSkinInfo::MaxSize)));
    emit CanvasSizeChanged(FCanvasSize.width(), FCanvasSize.height());
}

const QString& TPageDocument::ProjectFolder() const
{
    return FProject->Folder();
}

TSkinInfo& TPageDocument::SkinInfo()
{
    return FProject->SkinInfo();
}

QStringList TPageDocument::OpenProject(std::shared_ptr<TSkinProject> project, bool listPages)
{
    if (!project)
        project = std::make_shared<TSkinProject>();
    QStringList notes;
    QStringList pages;
    // Everything is read before anything changes: a failure (even running out of memory) leaves the
    // open project and page as they were. The factory reads the references into the project it holds.
    if (project->IsOpen()) {
        const std::shared_ptr<TSkinProject> open = OSDControlFactory().SharedProject();
        OSDControlFactory().SetProject(project);
        try {
            OSDControlFactory().ClearReferences();
            if (const auto error = OSDControlFactory().LoadReferences(project->FilePath(QStringLiteral("references.xml"))))
                notes << QStringLiteral("\"%1\": %2").arg(error->Path, DecodeUtf8Or1252(error->Reason));
            if (listPages)
                pages = ListPageFiles(project->Folder());
        } catch (...) {
            OSDControlFactory().SetProject(open);
            throw;
        }
        OSDControlFactory().SetProject(open);
    }
    // The canvas is never larger than the limit, whatever "index.xml" says; the description keeps
    // the file's values until the user edits them.
    const TSkinInfo& info = project->SkinInfo();
    const int width = std::clamp(info.SizeX, TSkinInfo::MinSize, TSkinInfo::MaxSize);
    const int height = std::clamp(info.SizeY, TSkinInfo::MinSize, TSkinInfo::MaxSize);
    if (project->IsOpen() && (width != info.SizeX || height != info.SizeY))
        notes << QStringLiteral("\"%1\": the skin size %2 x %3 is outside %4 to %5; the canvas shows %6 x %7")
                     .arg(project->FilePath(QStringLiteral("index.xml")))
                     .arg(info.SizeX)
                     .arg(info.SizeY)
                     .arg(TSkinInfo::MinSize)
                     .arg(TSkinInfo::MaxSize)
                     .arg(width)
                     .arg(height);

    // The new project first: whoever shows the emptied page shows its skin description, and the
    // old one lives on until everybody has been told.
    const std::shared_ptr<TSkinProject> previous = std::exchange(FProject, std::move(project));
    FProject->SkinInfoSaved();
    OSDControlFactory().SetProject(FProject);
    NewPage();
    FPageList = std::move(pages);
    if (FProject->IsOpen())
        SetCanvasSize(width, height);
    emit ProjectReplaced();
    return notes;
}

// --- selection -----------------------------------------------------------------------------

void TPageDocument::FreeRubberBand()
{
    if (!FRubberBand)
        return;
    TRubberbandLayer* band = FRubberBand;
    FRubberBand = nullptr;
    delete band;
}

int TPageDocument::TopControlIndex() const
{
    const bool frame = FRubberBand && FRubberBand->LayerCollection() == &FLayers;
    return FLayers.Count() - (frame ? 2 : 1);
}

void TPageDocument::SetSelection(TItemLayer* layer)
{
    if (!layer) {
        FreeRubberBand();
        // Told once it holds: whoever follows the selection reads it back.
        FSelected = nullptr;
        emit SelectionChanged(nullptr);
        return;
    }
    if (layer == FSelected)
        return;
    if (FRubberBand) {
        FRubberBand->SetChildLayer(nullptr);
        FRubberBand->SetLayerOptions(FrameReleased);
    }
    FSelected = layer;
    if (!FRubberBand) {
        FRubberBand = new TRubberbandLayer(&FLayers);
        FRubberBand->MinWidth = 1.0f;
        FRubberBand->MinHeight = 1.0f;
        FRubberBand->StippleStep = 0.75f;
        FRubberBand->StippleCounter = 0.0f;
    } else {
        FRubberBand->BringToFront();
    }
    FRubberBand->SetChildLayer(layer);
    FRubberBand->SetLayerOptions(FrameInUse);
    FRubberBand->OnResizing = [this](TRubberbandLayer* sender, const TFloatRect& oldLocation, TFloatRect& newLocation,
                                     TRBDragState dragState, Qt::KeyboardModifiers shift) {
        RubberBandResizing(oldLocation, newLocation, dragState, shift, sender->DragButtons());
    };
    emit SelectionChanged(FSelected);
}

void TPageDocument::RubberBandResizing(const TFloatRect& oldLocation, TFloatRect& newLocation, TRBDragState dragState,
                             Qt::KeyboardModifiers keys, Qt::MouseButtons buttons)
{
    if (!FSelected)
        return;
    const TResizeOutcome outcome =
        ApplyResizeRules(oldLocation, newLocation, dragState, keys, buttons, FSelected->FLocked, IsVideo(FSelected));
    if (dragState != dsMove && !FSelected->FLocked && !Fits(*FSelected, newLocation)) {
        // The handle stops where the size would no longer read back; the edges opposite it stay.
        const bool centred = (keys & Qt::ControlModifier) != 0;
        const bool left = dragState == dsSizeL || dragState == dsSizeTL || dragState == dsSizeBL;
        const bool top = dragState == dsSizeT || dragState == dsSizeTL || dragState == dsSizeTR;
        const TKeep keepX = centred ? TKeep::Centre : left ? TKeep::Far : TKeep::Near;
        const TKeep keepY = centred ? TKeep::Centre : top ? TKeep::Far : TKeep::Near;
        PlaceWithin(*FSelected, newLocation, keepX, keepY);
        newLocation = FSelected->Location();
    }
    // The page's video window follows the rectangle this step applies.
    if (outcome.CopyVideoWindow)
        SetVideoWindow(newLocation);
    if (outcome.Modified)
        SetModified(true);
    emit ControlChanged(FSelected, QString());
}

void TPageDocument::AttachControl(TItemLayer* layer)
{
    layer->SetMouseEvents(true);
    // Marks a control of this page: only those are announced when they go.
    layer->Tag = this;
    if (FBatch == 0)
        emit ControlAdded(layer);
}

// --- reading and writing -------------------------------------------------------------------

void TPageDocument::ClearPage()
{
    // Opening a page announces the new page at its end; an empty selection need not be told first.
    if (FOpening == 0 || FSelected || FRubberBand)
        SetSelection(nullptr);
    {
        TBatch batch(FBatch);
        FLayers.Clear();
    }
    FUnreadItems.clear();
    FCopyElem.reset();
    SetBackdrop(QImage());
    emit ClipboardChanged();
    // The skin description outlives the page: a change of it not yet written stays to be saved.
    SetModified(FProject->SkinInfoChanged());
    if (FOpening == 0)
        emit PageReplaced();
}

void TPageDocument::NewPage()
{
    {
        TBatch opening(FOpening);
        ClearPage();
    }
    FWindowInfos.Reset();
    // Announced once the settings are the new page's too: whoever shows them reads them now.
    if (FOpening == 0)
        emit PageReplaced();
}

void TPageDocument::LoadWindowXML(TJvSimpleXML* doc)
{
    if (!doc || doc->Root().Name() != "screen")
        return;
    ReadPage(doc);
    emit PageReplaced();
}

void TPageDocument::OpenPage(TJvSimpleXML* doc)
{
    {
        TBatch opening(FOpening);
        NewPage();
    }
    ReadPage(doc);
    emit PageReplaced();
}

void TPageDocument::ReadPage(TJvSimpleXML* doc)
{
    TBatch batch(FBatch);
    try {
        ReadPageDocument(doc, FWindowInfos, FLayers, FUnreadItems, [this](TItemLayer* layer) { AttachControl(layer); });
    } catch (...) {
        // What was read so far stays on the page.
    }
    // Values of a "videowindow" element that made no window are no rectangle on the page.
    CopyVideoWindow(FindVideoLayer(FLayers));
}

std::unique_ptr<TJvSimpleXML> TPageDocument::BuildWindowXML()
{
    if (FRubberBand)
        SetSelection(nullptr);
    return BuildPageDocument(FWindowInfos, FLayers, FVersion, FUnreadItems);
}

QStringList TPageDocument::WritePage(const QString& target, bool withSkinInfo, TJvSimpleXML* doc)
{
    // A page never takes the place of a file of the project, whatever name led here.
    if (const QString refusal = ProjectFileRefusal(target); !refusal.isEmpty())
        return {refusal};
    QStringList errors;
    const auto cannotWrite = [&errors](const QString& path, const QString& reason) {
        errors << QStringLiteral("Cannot write \"%1\": %2").arg(path, reason);
    };
    // A text that is no page would not open again: nothing is written, the page stays modified.
    if (doc) {
        if (const std::string fault = PageRootFault(*doc); !fault.empty()) {
            cannotWrite(target, FromWin1252(fault));
            return errors;
        }
    }
    QString reason;
    if (withSkinInfo && !FProject->SaveSkinInfo(&reason))
        cannotWrite(FProject->FilePath(QStringLiteral("index.xml")), reason);
    std::unique_ptr<TJvSimpleXML> built;
    if (!doc) {
        built = BuildWindowXML();
        doc = built.get();
    }
    try {
        doc->SaveToFile(target);
    } catch (const std::exception& e) {
        cannotWrite(target, DecodeUtf8Or1252(FailureReason(e)));
    }
    // A skin description this save did not write is still to be saved.
    if (errors.isEmpty())
        SetModified(FProject->SkinInfoChanged());
    return errors;
}

// --- commands ------------------------------------------------------------------------------

void TPageDocument::CopyVideoWindow(TItemLayer* video)
{
    FVideoLayer = video;
    SetVideoWindow(video ? video->Location() : TFloatRect{});
}

void TPageDocument::SetVideoWindow(const TFloatRect& location)
{
    // Measured as the window measures itself, so the values are what the page file saves.
    const int32_t x = RoundToInt32(location.Left);
    const int32_t y = RoundToInt32(location.Top);
    const int32_t width = RoundToInt32(double(location.Right) - location.Left);
    const int32_t height = RoundToInt32(double(location.Bottom) - location.Top);
    TVideoWindow& vw = FWindowInfos.VideoWindow();
    if (vw.X == x && vw.Y == y && vw.Width == width && vw.Height == height)
        return;
    vw.X = x;
    vw.Y = y;
    vw.Width = width;
    vw.Height = height;
    emit WindowInfosChanged();
}

void TPageDocument::AddControlToPage(TItemLayer* layer)
{
    AttachControl(layer);
    if (IsVideo(layer))
        CopyVideoWindow(layer);
    SetSelection(layer);
    SetModified(true);
}

TItemLayer* TPageDocument::Insert(int tag, QPoint centre, const std::function<QString(const QString&)>& askPicture)
{
    const int kind = InsertKindOfTag(tag);
    if (kind < 0)
        return nullptr;
    // A page has one video window: asking for another shows the one it has.
    if (kind == InsertKindVideoWindow) {
        if (TItemLayer* video = FindVideoLayer(FLayers)) {
            SetSelection(video);
            return nullptr;
        }
    }
    TItemLayer* control = nullptr;
    if (kind == InsertKindImage) {
        const QString folder = ProjectFolder().isEmpty() ? QString() : ProjectFolder() + QStringLiteral("images/");
        const QString file = askPicture ? askPicture(folder) : QString();
        if (file.isEmpty())
            return nullptr;
        // The layer keeps the name only, as the skin's Windows-1252 text; a name that has no such
        // form is refused before anything is made.
        const QString name = QFileInfo(file).fileName();
        QChar bad;
        const std::optional<std::string> texture = ToWin1252(name, &bad);
        if (!texture)
            throw std::runtime_error(
                QStringLiteral("The picture name \"%1\" cannot be used in a skin (character \"%2\").").arg(name, bad)
                    .toStdString());
        control = CreateInLayers(FLayers, [&]() -> TItemLayer* {
            auto* image = new TImageLayer(&FLayers);
            image->SetFileName(*texture);
            const double halfWidth = image->Bitmap ? image->Bitmap->width() / 2.0 : 0.0;
            const double halfHeight = image->Bitmap ? image->Bitmap->height() / 2.0 : 0.0;
            PlaceWithin(*image,
                        TFloatRect{float(centre.x() - halfWidth), float(centre.y() - halfHeight),
                                   float(centre.x() + halfWidth), float(centre.y() + halfHeight)},
                        TKeep::Centre, TKeep::Centre);
            image->SetScaled(false);
            return image;
        });
    } else {
        control = CreateInsertedControl(FLayers, kind, centre);
    }
    if (control)
        AddControlToPage(control);
    return control;
}

bool TPageDocument::CanCopy() const
{
    // A page has one video window: a copy of it could never be pasted.
    return FSelected && !IsVideo(FSelected);
}

void TPageDocument::Copy()
{
    if (!CanCopy())
        return;
    auto elem = std::make_unique<TJvSimpleXMLElemClassic>(nullptr);
    elem->SetName("Control");
    FSelected->SaveToXML(elem.get(), nullptr, false);
    FCopyElem = std::move(elem);
    emit ClipboardChanged();
}

void TPageDocument::Paste()
{
    SetSelection(nullptr);
    if (!FCopyElem)
        return;
    // With the type's reference first, as a page loads it: the element leaves out what equals it.
    TItemLayer* control =
        CreateInLayers(FLayers, [&] { return OSDControlFactory().CreateControl(&FLayers, FCopyElem.get(), true); });
    // Nothing made: the clipboard keeps what it holds.
    if (!control)
        return;
    FCopyElem.reset();
    AddControlToPage(control);
    emit ClipboardChanged();
}

void TPageDocument::Clone()
{
    if (!CanCopy())
        return;
    Copy();
    Paste();
    FCopyElem.reset();
    emit ClipboardChanged();
}

void TPageDocument::DeleteSelected()
{
    if (!FSelected)
        return;
    TItemLayer* layer = FSelected;
    SetSelection(nullptr);
    // A video window that goes takes the page settings' rectangle with it (the observer).
    delete layer;
    SetModified(true);
}

void TPageDocument::ToggleLock()
{
    if (!FSelected)
        return;
    FSelected->FLocked = !FSelected->FLocked;
    emit ControlChanged(FSelected, QStringLiteral("Locked"));
}

void TPageDocument::ShowControl(TItemLayer* layer, bool on)
{
    if (!layer)
        return;
    // The canvas only: the saved "visible" value is the inspector's.
    layer->SetVisible(on);
    layer->SetMouseEvents(on);
    if (!on && layer == FSelected)
        SetSelection(nullptr);
    emit ControlChanged(layer, QStringLiteral("Shown"));
}

void TPageDocument::ToggleHide()
{
    if (FSelected)
        ShowControl(FSelected, !FSelected->Visible());
}

void TPageDocument::BringToFront()
{
    if (!FSelected)
        return;
    if (FRubberBand)
        FRubberBand->BringToFront();
    FSelected->SetIndex(TopControlIndex());
    SetModified(true);
    emit Restacked();
}

void TPageDocument::SendToBack()
{
    if (!FSelected)
        return;
    FSelected->SendToBack();
    SetModified(true);
    emit Restacked();
}

void TPageDocument::OneToFront()
{
    if (!FSelected)
        return;
    if (FRubberBand)
        FRubberBand->BringToFront();
    // Never above its own frame; at the top it changes nothing but still counts, as the other three do.
    if (FSelected->Index() < TopControlIndex())
        FSelected->SetIndex(FSelected->Index() + 1);
    SetModified(true);
    emit Restacked();
}

void TPageDocument::OneBack()
{
    if (!FSelected)
        return;
    FSelected->SetIndex(std::max(FSelected->Index() - 1, 0));
    SetModified(true);
    emit Restacked();
}

void TPageDocument::Restack(TItemLayer* layer, int index)
{
    // Dropped where it already lies: nothing moved, so nothing is to be saved.
    if (!layer || layer->Index() == index)
        return;
    layer->SetIndex(index);
    SetModified(true);
    emit Restacked();
}

void TPageDocument::MoveSelectedBy(float dx, float dy)
{
    if (!FSelected)
        return;
    auto offset = [dx, dy](const TFloatRect& r) { return TFloatRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; };
    // The frame carries its child along.
    if (FRubberBand && FRubberBand->ChildLayer() == FSelected)
        FRubberBand->SetLocation(offset(FRubberBand->Location()));
    else
        FSelected->SetLocation(offset(FSelected->Location()));
    SetModified(true);
    emit ControlChanged(FSelected, QString());
}

void TPageDocument::ShowBackdrop(const std::string& name)
{
    if (name.empty()) {
        if (!FBackdrop.isNull()) {
            // A black picture of its own, counted as the one it replaces was; that one goes first.
            const QSize size = FBackdrop.size();
            FBackdrop = QImage();
            FBackdropPicture.reset();
            QImage black(size, QImage::Format_ARGB32_Premultiplied);
            black.fill(0xFF000000u);
            if (!SetBackdrop(black))
                emit BackdropChanged();
        }
        return;
    }
    const QString path = FProject->PicturePath(name);
    if (path.isEmpty())
        return;
    // A picture that cannot be decoded counts as missing. Reopening the page reuses the decoded
    // picture while the file is unchanged.
    const TPicture picture = FProject->Pictures().Load(path);
    if (!picture || picture->isNull())
        return;
    FreeRubberBand();
    SetBackdrop(picture);
}

// --- a control's values and place ----------------------------------------------------------

bool TPageDocument::SetProperty(TPublished& object, std::string_view path, const TPropValue& value)
{
    std::vector<TPropInfo> props = object.PublishedProperties();
    for (;;) {
        const std::size_t dot = path.find('.');
        const TPropInfo* prop = FindProperty(props, path.substr(0, dot));
        if (!prop)
            return false;
        if (dot == std::string_view::npos) {
            // Announced as a change of the control of the page the object is or belongs to.
            auto* control = dynamic_cast<TItemLayer*>(&object);
            while (control && control->PartOwner())
                control = control->PartOwner();
            return SetProperty(control, *prop, value);
        }
        TPublished* part = PropObject(prop->Get());
        if (!part)
            return false;
        props = part->PublishedProperties();
        path.remove_prefix(dot + 1);
    }
}

bool TPageDocument::SetProperty(TItemLayer* control, const TPropInfo& prop, const TPropValue& value)
{
    if (prop.ReadOnly())
        return false;
    if (prop.Type == TPropType::Integer && (PropInt(value) < prop.Min || PropInt(value) > prop.Max))
        return false;
    const TPropValue before = prop.Get();
    if (before == value && !prop.Reload)
        return false;
    bool reloaded = false;
    if (prop.Reload)
        reloaded = prop.Reload(value);
    else
        prop.Set(value);
    // A setter may keep the value it had (a picture name given with its folder, say).
    if (prop.Get() == before && !reloaded)
        return false;
    SetModified(true);
    if (control) {
        // Plain fields repaint only when told.
        control->NotifyChanged();
        if (FRubberBand && FRubberBand->ChildLayer() == control)
            FRubberBand->SetLocation(control->Location());
        emit ControlChanged(control, QString::fromStdString(prop.Name));
    }
    return true;
}

bool TPageDocument::Reshape(TItemLayer& control, const TFloatRect& location)
{
    const TFloatRect before = control.Location();
    PlaceWithin(control, location, TKeep::Near, TKeep::Near);
    // Measured now, so that a later X or Y edit keeps this size instead of the one before.
    control.GetWidth();
    control.GetHeight();
    return control.Location() != before;
}

bool TPageDocument::SetBounds(TItemLayer* control, const TFloatRect& location)
{
    if (!control)
        return false;
    if (!Reshape(*control, location))
        return false;
    if (FRubberBand && FRubberBand->ChildLayer() == control)
        FRubberBand->SetLocation(control->Location());
    SetModified(true);
    emit ControlChanged(control, QString());
    return true;
}

void TPageDocument::ScaleValue(double& value, int minimum, double factor)
{
    if (minimum != 0 && minimum >= value)
        return;
    // Positions and sizes are 32-bit values: repeated rescaling must not run a location into
    // infinity (and the next rescale into NaN).
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    value = std::clamp(std::nearbyint(factor * value), lowest, highest);
}

bool TPageDocument::Rescale(int width, int height, int minimum)
{
    // A canvas without width or height gives no factor; rescaling by it would wreck every control.
    if (FCanvasSize.width() <= 0 || FCanvasSize.height() <= 0)
        return false;
    const double fx = double(width) / FCanvasSize.width();
    const double fy = double(height) / FCanvasSize.height();
    bool changed = false;
    for (int i = FLayers.Count() - 1; i >= 0; --i) {
        auto* control = dynamic_cast<TItemLayer*>(FLayers.Items(i));
        if (!control)
            continue;
        const TFloatRect r = control->Location();
        double x = r.Left;
        double y = r.Top;
        double w = double(r.Right) - double(r.Left);
        double h = double(r.Bottom) - double(r.Top);
        ScaleValue(x, 0, fx);
        ScaleValue(y, 0, fy);
        ScaleValue(w, minimum, fx);
        ScaleValue(h, minimum, fy);
        if (!Reshape(*control, TFloatRect{float(x), float(y), float(x + w), float(y + h)}))
            continue;
        changed = true;
        emit ControlChanged(control, QString());
    }
    if (!changed)
        return false;
    // The frame is no control: it takes the rescaled rectangle of the one it surrounds.
    if (FRubberBand && FSelected)
        FRubberBand->SetLocation(FSelected->Location());
    SetModified(true);
    return true;
}
