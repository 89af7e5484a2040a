#include "skinmodel/controls/CheckMark.h"

#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/PartPlacement.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <algorithm>

namespace {

// The width a part may take beside the other part's: the control is as wide as both together,
// so each and their sum stay within what a file keeps.
int32_t WidthBeside(int32_t V, int32_t Other)
{
    const int64_t low = std::max<int64_t>(-MaxSavedSize, -int64_t{MaxSavedSize} - Other);
    const int64_t high = std::max<int64_t>(low, std::min<int64_t>(MaxSavedSize, int64_t{MaxSavedSize} - Other));
    return static_cast<int32_t>(std::clamp<int64_t>(V, low, high));
}

// left, top and a size as a location.
TFloatRect Placed(float left, float top, int32_t width, int32_t height)
{
    return {left, top, ShiftedEdge(left, width), ShiftedEdge(top, height)};
}

// Appends "width" where the common values put it: after the place, before the height.
void InsertWidth(TJvSimpleXMLElem* Control, int32_t Width)
{
    static const char* const before[] = {"description", "type", "id", "disabledcolor", "diffusecolor", "x", "y"};
    TJvSimpleXMLElems& items = Control->Items();
    int at = 0;
    for (int i = 0; i < items.Count(); ++i)
        if (std::find_if(std::begin(before), std::end(before), [&](const char* name) {
                return items.Item(i)->Name() == name;
            }) != std::end(before))
            at = i + 1;
    auto width = std::make_unique<TJvSimpleXMLElemClassic>(Control);
    width->SetName("width");
    width->SetValue(std::to_string(Width));
    items.Insert(at, std::move(width));
}

}  // namespace

TOSDCheckerControl::TOSDCheckerControl(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    ImageCheck = CreatePart<TImageLayer>();
    ImageNoCheck = CreatePart<TImageLayer>();
    LabelControl = CreatePart<TTextLayer>();
    FTypeName = "Checkmark";
}

TOSDCheckerControl::~TOSDCheckerControl()
{
    ImageCheck.reset();
    ImageNoCheck.reset();
    LabelControl.reset();
}

int32_t TOSDCheckerControl::GetImagewidth()
{
    return ImageCheck->GetWidth();
}

int32_t TOSDCheckerControl::GetTextwidth()
{
    return LabelControl->GetWidth();
}

void TOSDCheckerControl::SetImagewidth(int32_t V)
{
    const int32_t label = LabelControl->GetWidth();
    const int32_t image = WidthBeside(V, label);
    ImageCheck->SetWidth(image);
    ImageNoCheck->SetWidth(image);
    // The label keeps its width and the right edge follows, so the width saved is not stale.
    TItemLayer::SetWidth(ClampToInt32(int64_t{label} + ImageCheck->GetWidth()));
}

void TOSDCheckerControl::SetTextwidth(int32_t V)
{
    LabelControl->SetWidth(WidthBeside(V, ImageCheck->GetWidth()));
    SetWidth(ClampToInt32(int64_t{LabelControl->GetWidth()} + ImageCheck->GetWidth()));
}

void TOSDCheckerControl::SetWidth(int32_t V)
{
    LabelControl->SetWidth(ClampToInt32(int64_t{V} - ImageCheck->GetWidth()));
    TItemLayer::SetWidth(V);
}

void TOSDCheckerControl::DoSetLocation(const TFloatRect& NewLocation)
{
    TItemLayer::DoSetLocation(NewLocation);
    FWidth = RoundToInt32(static_cast<double>(NewLocation.Right) - NewLocation.Left);
    // The parts are made after the base class may have placed the control.
    if (LabelControl && ImageCheck)
        LabelControl->SetWidth(ClampToInt32(int64_t{FWidth} - ImageCheck->GetWidth()));
}

void TOSDCheckerControl::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TItemLayer::LoadFromXML(Elem);
    if (!Elem)
        return;
    LoadPartsFromXML(Elem);
    if (ImageCheck->Bitmap)
        LayoutLoaded();
    Changed();
}

void TOSDCheckerControl::LayoutLoaded()
{
    const TFloatRect l = Location();
    TTextLayer& label = *LabelControl;
    if (label.TextAlign != StringAlignmentNear) {
        const int32_t w = label.GetWidth();
        label.SetLocation(l);
        label.SetX(ClampToInt32(int64_t{label.GetX()} + ImageCheck->Bitmap->width() + 5));
        label.SetWidth(w);
    } else {
        int32_t w = label.GetWidth();
        if (w == 0)
            w = 32;
        label.SetLocation(l);
        label.SetWidth(w);
    }
    const int32_t iw = ImageCheck->GetWidth();
    const int32_t ih = ImageCheck->GetHeight();
    ImageCheck->SetLocation(l);
    ImageCheck->SetWidth(iw);
    ImageCheck->SetHeight(ih);
    SetWidth(ClampToInt32(int64_t{ImageCheck->GetWidth()} + label.GetWidth()));
    TItemLayer::SetHeight(ImageCheck->GetHeight());
}

void TOSDCheckerControl::LayoutParts()
{
    const TFloatRect r = Location();
    const int32_t iw = ImageCheck->GetWidth(), ih = ImageCheck->GetHeight();
    const int32_t lw = LabelControl->GetWidth(), lh = LabelControl->GetHeight();
    if (LabelControl->TextAlign == StringAlignmentNear) {
        LabelControl->SetLocation(Placed(r.Left, r.Top, lw, lh));
        ImageCheck->SetLocation(Placed(ShiftedEdge(r.Left, lw), r.Top, iw, ih));
    } else {
        ImageCheck->SetLocation(Placed(r.Left, r.Top, iw, ih));
        LabelControl->SetLocation(Placed(ShiftedEdge(r.Left, iw), r.Top, lw, lh));
    }
}

void TOSDCheckerControl::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    if (LabelControl->TextAlign == StringAlignmentNear) {
        LabelControl->Paint(Buffer);
        ImageCheck->Paint(Buffer);
    } else {
        ImageCheck->Paint(Buffer);
        // The text beside the picture reads from the picture on; the label keeps its alignment.
        const StringAlignment align = LabelControl->TextAlign;
        LabelControl->TextAlign = StringAlignmentNear;
        LabelControl->Paint(Buffer);
        LabelControl->TextAlign = align;
    }
    ReportArea(Buffer);
}

TPartTable TOSDCheckerControl::PartTable()
{
    TPartTable table;
    table.Slots = {
        PartNeverPruned(ImageCheck.get(), "imgcheckmark"),
        PartNeverPruned(ImageNoCheck.get(), "imgcheckmarknofocus"),
        // Loading the control sets the label's width; SaveToXMLWith writes it where that would
        // not give it back, and the rules alone apply otherwise.
        OwnerSized(PartNeverPruned(LabelControl.get(), "label"), true, false),
    };
    table.PruneEmptyWithRef = false;
    table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDCheckerControl::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    SavePartsToXML(Elem, Ctx);
    // Loading the control's own size sets the label's width to what the picture leaves of it
    // before the label reads its element, so a label width left out comes back as that.
    auto* base = static_cast<TOSDCheckerControl*>(Ctx.Base);
    const int32_t labelWidth = LabelControl->GetWidth();
    const int32_t leftOut = ClampToInt32(int64_t{GetWidth()} - base->ImageCheck->GetWidth());
    TJvSimpleXMLElem* subcontrols = Elem->Items().ItemNamed("subcontrols");
    TJvSimpleXMLElem* label = subcontrols && subcontrols->ChildCount() == 3 ? subcontrols->Items().Item(2) : nullptr;
    if (label && !label->Items().ItemNamed("width") && labelWidth != leftOut)
        InsertWidth(label, labelWidth);
}

std::vector<TPropInfo> TOSDCheckerControl::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    AppendNavigationProperties(props, *this);
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    props.push_back(ObjectProp("ImageCheck", ImageCheck.get()));
    props.push_back(ObjectProp("ImageNoCheck", ImageNoCheck.get()));
    // The control is as wide as both together, and a file keeps sizes up to 2000; the setters
    // also keep the sum within that.
    constexpr int64_t half = 1000;
    props.push_back(IntegerProp(
        "Imagewidth", [this] { return GetImagewidth(); }, [this](int32_t v) { SetImagewidth(v); }, -half, half));
    props.push_back(IntegerProp(
        "Textwidth", [this] { return GetTextwidth(); }, [this](int32_t v) { SetTextwidth(v); }, -half, half));
    return props;
}
