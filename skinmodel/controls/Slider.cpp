#include "skinmodel/controls/Slider.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/TextLayer.h"

using F = TOSDControlFactory;

namespace {

const char* const SubtypeNames[] = {"int", "float", "string"};

}  // namespace

TOSDSlider::TOSDSlider(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    ImageBackground = CreatePart<TImageLayer>();
    ImageMiddle = CreatePart<TImageLayer>();
    ImageMiddleFocus = CreatePart<TImageLayer>();
    FTypeName = "Slider";
    LabelControl = CreatePart<TTextLayer>();
    LabelControl->DisabledColor = 0xFF606060u;
    LabelControl->SetShadowX(2);
    LabelControl->SetShadowY(2);
    LabelControl->Shadow = true;
}

TOSDSlider::~TOSDSlider()
{
    ImageBackground.reset();
    LabelControl.reset();
    ImageMiddle.reset();
    ImageMiddleFocus.reset();
}

void TOSDSlider::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TItemLayer::LoadFromXML(Elem);
    if (!Elem)
        return;
    UpDownType = spAlphanum;
    std::string subtype;
    if (F::ReadString(Elem, "subtype", subtype)) {
        subtype = LowerAscii(subtype);
        if (subtype == "int")
            UpDownType = spInteger;
        else if (subtype == "float")
            UpDownType = spFloat;
    }
    LoadPartsFromXML(Elem);
    if (ImageBackground->Bitmap) {
        SetWidth(ImageBackground->Bitmap->width());
        SetHeight(ImageBackground->Bitmap->height());
    }
    Changed();
}

TPartTable TOSDSlider::PartTable()
{
    TPartTable table;
    table.Slots = {
        // The track is written as a control of its own, with its place.
        OwnerSized({ImageBackground.get(), "Background", false, false, true, false}),
        PartPrunedWithRef(ImageMiddleFocus.get(), "MidFocus"),
        // The middle picture keeps its own width; the layout gives it the slider's height.
        OwnerSized(PartPrunedWithRef(ImageMiddle.get(), "Mid"), false, true),
        PartPrunedWithRef(LabelControl.get(), "Label"),
    };
    table.PruneEmptyWithRef = false;
    table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDSlider::LayoutParts()
{
    const TFloatRect r = Location();
    ImageBackground->SetLocation(r);
    TFloatRect m = r;
    const double centre = r.Left + (static_cast<double>(r.Right) - r.Left) / 2.0;
    m.Left = static_cast<float>(centre);
    m.Right = static_cast<float>(centre + ImageMiddle->GetWidth());
    ImageMiddle->SetLocation(m);
}

void TOSDSlider::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    ImageBackground->Paint(Buffer);
    ImageMiddle->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDSlider::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    F::WriteString(Elem, "subtype", SubtypeNames[UpDownType <= spAlphanum ? UpDownType : spAlphanum]);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDSlider::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    AppendNavigationProperties(props, *this);
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    props.push_back(EnumProp(
        "UpDownType", EnumNameList(TSpinTypeValueNames), [this] { return int64_t{UpDownType}; },
        [this](int64_t v) { UpDownType = static_cast<TSpinType>(v); }));
    props.push_back(ObjectProp("ImageBackground", ImageBackground.get()));
    props.push_back(ObjectProp("ImageMiddle", ImageMiddle.get()));
    props.push_back(ObjectProp("ImageMiddleFocus", ImageMiddleFocus.get()));
    return props;
}
