#include "skinmodel/controls/ToggleButton.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/TextLayer.h"

using F = TOSDControlFactory;

TOSDToggleButton::TOSDToggleButton(TLayerCollection* ALayerCollection) : TOSDCustomButtonControl(ALayerCollection)
{
    TextOffsetX = 10;
    FTypeName = "Togglebutton";
    ToggledImageFocus = CreatePart<TImageLayer>();
    ToggledImageNoFocus = CreatePart<TImageLayer>();
    LabelControl = CreatePart<TTextLayer>();
    ImageFocus = CreatePart<TImageLayer>();
    ImageNoFocus = CreatePart<TImageLayer>();
}

TOSDToggleButton::~TOSDToggleButton()
{
    ImageFocus.reset();
    ImageNoFocus.reset();
    ToggledImageFocus.reset();
    ToggledImageNoFocus.reset();
    LabelControl.reset();
}

void TOSDToggleButton::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TOSDCustomButtonControl::LoadFromXML(Elem);
    if (!Elem)
        return;
    F::ReadInteger(Elem, "TextOffsetX", TextOffsetX);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDToggleButton::PartTable()
{
    TPartTable table;
    table.Slots = {
        OwnerSized(PartPrunedWithRef(ImageFocus.get(), "imgfocus")),
        PartPrunedWithRef(ImageNoFocus.get(), "imgnofocus"),
        PartPrunedWithRef(ToggledImageFocus.get(), "imgaltfocus"),
        PartPrunedWithRef(ToggledImageNoFocus.get(), "imgaltnofocus"),
        PartPrunedWithRef(LabelControl.get(), "buttonlabel"),
    };
    table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDToggleButton::LayoutParts()
{
    ImageFocus->SetLocation(Location());
}

void TOSDToggleButton::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    ImageFocus->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDToggleButton::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TOSDCustomButtonControl::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<const TOSDToggleButton*>(Ctx.Reference);
    const auto* base = static_cast<const TOSDToggleButton*>(Ctx.Base);
    if (!ref || TextOffsetX != ref->TextOffsetX || TextOffsetX != base->TextOffsetX)
        F::WriteInteger(Elem, "TextOffsetX", TextOffsetX);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDToggleButton::PublishedProperties()
{
    auto props = ButtonProperties();
    props.push_back(ObjectProp("ToggledImageFocus", ToggledImageFocus.get()));
    props.push_back(ObjectProp("ToggledImageNoFocus", ToggledImageNoFocus.get()));
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    props.push_back(IntegerField("TextOffsetX", TextOffsetX));
    props.push_back(ObjectProp("ImageFocus", ImageFocus.get()));
    props.push_back(ObjectProp("ImageNoFocus", ImageNoFocus.get()));
    return props;
}
