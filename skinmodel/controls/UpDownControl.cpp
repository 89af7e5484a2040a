#include "skinmodel/controls/UpDownControl.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/KeepValues.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <algorithm>

namespace {

using F = TOSDControlFactory;

// Sizes beyond this in a file are replaced when read.
constexpr int32_t MaxFileSize = 2000;

// Halves of a rounded size drop the remainder, as integer division does.
int32_t HalfOf(int32_t v)
{
    return v / 2;
}

using TEdge = float TFloatRect::*;

// The rectangle with one axis's far edge at its near edge plus the extent.
TFloatRect WithExtent(TFloatRect r, TEdge nearEdge, TEdge farEdge, double extent)
{
    r.*farEdge = static_cast<float>(r.*nearEdge + extent);
    return r;
}

// The rectangle moved along one axis so that its near edge is at v, its extent kept.
TFloatRect MovedTo(TFloatRect r, TEdge nearEdge, TEdge farEdge, int32_t v)
{
    const double extent = static_cast<double>(r.*farEdge) - r.*nearEdge;
    r.*nearEdge = static_cast<float>(v);
    return WithExtent(r, nearEdge, farEdge, extent);
}

}  // namespace

const char* SpinTypeWord(TSpinType V)
{
    switch (V) {
    case spInteger:
        return "int";
    case spFloat:
        return "float";
    default:
        return "";
    }
}

const char* OrientationWord(TeOrientation V)
{
    switch (V) {
    case Horizontal:
        return "horizontal";
    case Vertical:
        return "vertical";
    // The player's files have no word for the diagonals.
    default:
        return "";
    }
}

TOSDUpDownControl::TOSDUpDownControl(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    ImageUp = CreatePart<TImageLayer>();
    ImageDown = CreatePart<TImageLayer>();
    ImageUpFocus = CreatePart<TImageLayer>();
    ImageDownFocus = CreatePart<TImageLayer>();
    FTypeName = "Spincontrol";
}

TOSDUpDownControl::~TOSDUpDownControl() = default;

// ---- geometry ------------------------------------------------------------------------------

int32_t TOSDUpDownControl::GetWidth()
{
    const int32_t w = RoundToInt32(static_cast<double>(Location().Right) - Location().Left);
    return Direction == Horizontal ? HalfOf(w) : w;
}

int32_t TOSDUpDownControl::GetHeight()
{
    const int32_t h = RoundToInt32(static_cast<double>(Location().Bottom) - Location().Top);
    return Direction == Vertical ? HalfOf(h) : h;
}

void TOSDUpDownControl::SetWidth(int32_t V)
{
    FWidth = V;
    SetLocation(WithExtent(Location(), &TFloatRect::Left, &TFloatRect::Right, Direction == Horizontal ? 2.0 * V : V));
}

void TOSDUpDownControl::SetHeight(int32_t V)
{
    FHeight = V;
    SetLocation(WithExtent(Location(), &TFloatRect::Top, &TFloatRect::Bottom, Direction == Vertical ? 2.0 * V : V));
}

void TOSDUpDownControl::SetDirection(TeOrientation V)
{
    Direction = V;
    const auto cut = [](int32_t v) { return std::clamp(v, -MaxFileSize, MaxFileSize); };
    if (const int32_t w = GetWidth(); cut(w) != w)
        SetWidth(cut(w));
    if (const int32_t h = GetHeight(); cut(h) != h)
        SetHeight(cut(h));
    Changed();
}

void TOSDUpDownControl::MoveToX(int32_t V)
{
    SetLocation(MovedTo(Location(), &TFloatRect::Left, &TFloatRect::Right, V));
}

void TOSDUpDownControl::MoveToY(int32_t V)
{
    SetLocation(MovedTo(Location(), &TFloatRect::Top, &TFloatRect::Bottom, V));
}

// ---- parts ---------------------------------------------------------------------------------

TPartTable TOSDUpDownControl::PartTable()
{
    // The layout gives every button picture its place and size.
    return {{OwnerSized(PartAlwaysPruned(ImageDown.get(), "imgspinDown")),
             OwnerSized(PartAlwaysPruned(ImageDownFocus.get(), "imgspinDownFocus")),
             OwnerSized(PartAlwaysPruned(ImageUp.get(), "imgspinUp")),
             OwnerSized(PartAlwaysPruned(ImageUpFocus.get(), "imgspinUpFocus"))}};
}

void TOSDUpDownControl::LayoutParts()
{
    // The near half holds the first button (down across, up downwards); the second follows one
    // button further on.
    const bool across = Direction == Horizontal;
    const TEdge nearEdge = across ? &TFloatRect::Left : &TFloatRect::Top;
    const TEdge farEdge = across ? &TFloatRect::Right : &TFloatRect::Bottom;
    TImageLayer& first = across ? *ImageDown : *ImageUp;
    TImageLayer& firstFocus = across ? *ImageDownFocus : *ImageUpFocus;
    TImageLayer& second = across ? *ImageUp : *ImageDown;
    TImageLayer& secondFocus = across ? *ImageUpFocus : *ImageDownFocus;
    TFloatRect r = Location();
    r.*farEdge = static_cast<float>(r.*farEdge - (static_cast<double>(r.*farEdge) - r.*nearEdge) / 2.0);
    first.SetLocation(r);
    firstFocus.SetLocation(r);
    const double step = across ? first.GetWidth() : first.GetHeight();
    r.*nearEdge = static_cast<float>(r.*nearEdge + step);
    r.*farEdge = static_cast<float>(r.*farEdge + step);
    second.SetLocation(r);
    secondFocus.SetLocation(r);
}

void TOSDUpDownControl::Paint(TBitmap32& Buffer)
{
    // The unfocused look; the value's text is not drawn.
    LayoutParts();
    if (Direction == Horizontal) {
        ImageDown->Paint(Buffer);
        ImageUp->Paint(Buffer);
    } else {
        ImageUp->Paint(Buffer);
        ImageDown->Paint(Buffer);
    }
    ReportArea(Buffer);
}

// ---- reading -------------------------------------------------------------------------------

void TOSDUpDownControl::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    // The own values come first: the orientation decides how "width" and "height" apply.
    UpDownType = spAlphanum;
    std::string word;
    F::ReadString(Elem, "subtype", word);
    word = LowerAscii(word);
    if (word == "int")
        UpDownType = spInteger;
    else if (word == "float")
        UpDownType = spFloat;
    word.clear();
    F::ReadString(Elem, "orientation", word);
    word = LowerAscii(word);
    for (TeOrientation o : {Horizontal, Vertical})
        if (word == OrientationWord(o))
            Direction = o;
    F::ReadBool(Elem, "reverse", Toggle);
    F::ReadBool(Elem, "showrange", ShowMax);
    F::ReadInteger(Elem, "digits", CharCount);
    F::ReadString(Elem, "font", FontName);
    F::ReadColor(Elem, "textcolor", Textcolor);
    uint32_t selected = Textcolor;
    F::ReadColor(Elem, "textselectedcolor", selected);
    TextSelectedColor = selected;
    F::ReadAlignment(Elem, "align", TextAlignment);
    TItemLayer::LoadFromXML(Elem);
    LoadPartsFromXML(Elem);
}

// ---- writing -------------------------------------------------------------------------------

void TOSDUpDownControl::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<TOSDUpDownControl*>(Ctx.Reference);
    const auto* base = static_cast<TOSDUpDownControl*>(Ctx.Base);
    // A spin part whose element its owner drops keeps the owner's reference part's kind of
    // value, so a plain value that differs from it is named, unless other values keep the
    // element anyway (the reader then resets the kind itself).
    const bool namePlain =
        UpDownType == spAlphanum && base->UpDownType != spAlphanum && !ElementAlwaysRead(*this, Ctx);
    F::WriteString(Elem, "subtype", namePlain ? "string" : SpinTypeWord(UpDownType));
    if ((ref ? Toggle != ref->Toggle && Toggle : Toggle) || Toggle != base->Toggle)
        F::WriteBool(Elem, "reverse", Toggle);
    if ((ref ? ShowMax != ref->ShowMax && !ShowMax : !ShowMax) || ShowMax != base->ShowMax)
        F::WriteBool(Elem, "showrange", ShowMax);
    if ((ref ? CharCount != ref->CharCount && CharCount >= 0 : CharCount >= 0) || CharCount != base->CharCount)
        F::WriteInteger(Elem, "digits", CharCount);
    if ((ref ? FontName != ref->FontName : true) || FontName != base->FontName)
        F::WriteString(Elem, "font", FontName);
    if ((ref ? Textcolor != ref->Textcolor : true) || Textcolor != base->Textcolor)
        F::WriteColor(Elem, "textcolor", Textcolor);
    // Without the child the reader takes the text colour.
    if ((ref ? TextSelectedColor != ref->TextSelectedColor : true) || TextSelectedColor != Textcolor)
        F::WriteColor(Elem, "textselectedcolor", TextSelectedColor);
    // A diagonal writes no word, so it comes back as the reference's direction or horizontal.
    if ((ref ? Direction != ref->Direction && Direction != Horizontal : Direction != Horizontal) ||
        Direction != base->Direction)
        F::WriteString(Elem, "orientation", OrientationWord(Direction));
    if ((ref ? TextAlignment != ref->TextAlignment && TextAlignment != StringAlignmentNear
             : TextAlignment != StringAlignmentNear) ||
        TextAlignment != base->TextAlignment)
        F::WriteAlignment(Elem, "align", TextAlignment);
    SavePartsToXML(Elem, Ctx);
    // Description, type and the named kind: nothing else keeps the element.
    if (namePlain && Elem->ChildCount() > 3)
        if (TJvSimpleXMLElem* plain = F::FindChild(Elem, "subtype"))
            Elem->Items().Delete(Elem->GetChildIndex(plain));
}

// ---- published -----------------------------------------------------------------------------

std::vector<TPropInfo> TOSDUpDownControl::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    // The inspector moves the whole control; the base's setters would leave one button's extent.
    for (TPropInfo& p : props) {
        if (p.Name == "X")
            p.Set = [this](const TPropValue& v) { MoveToX(static_cast<int32_t>(PropInt(v))); };
        else if (p.Name == "Y")
            p.Set = [this](const TPropValue& v) { MoveToY(static_cast<int32_t>(PropInt(v))); };
    }
    AppendNavigationProperties(props, *this);
    props.push_back(IntegerField("CharCount", CharCount));
    props.push_back(TextField("FontName", TPropType::FontName, FontName));
    props.push_back(EnumProp("Direction", EnumNameList(TeOrientationValueNames),
                             [this] { return int64_t{Direction}; },
                             [this](int64_t v) { SetDirection(static_cast<TeOrientation>(v)); }));
    props.push_back(BoolField("Toggle", Toggle));
    props.push_back(BoolField("ShowMax", ShowMax));
    props.push_back(EnumProp("TextAlignment", EnumNameList(StringAlignmentValueNames),
                             [this] { return int64_t{TextAlignment}; },
                             [this](int64_t v) { TextAlignment = static_cast<StringAlignment>(v); }));
    props.push_back(ColorField("Textcolor", Textcolor));
    props.push_back(ObjectProp("ImageDown", ImageDown.get()));
    props.push_back(ObjectProp("ImageDownFocus", ImageDownFocus.get()));
    props.push_back(ObjectProp("ImageUp", ImageUp.get()));
    props.push_back(ObjectProp("ImageUpFocus", ImageUpFocus.get()));
    props.push_back(ColorField("TextSelectedColor", TextSelectedColor));
    props.push_back(EnumProp("UpDownType", EnumNameList(TSpinTypeValueNames),
                             [this] { return int64_t{UpDownType}; },
                             [this](int64_t v) { UpDownType = static_cast<TSpinType>(v); }));
    return props;
}
