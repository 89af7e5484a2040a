#include "skinmodel/controls/SelectButton.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/TextLayer.h"

using F = TOSDControlFactory;

TOSDSelectOneButton::TOSDSelectOneButton(TLayerCollection* ALayerCollection)
    : TOSDCustomButtonControl(ALayerCollection)
{
    TextOffsetX = 15;
    TextOffsetX2 = 10;
    FTypeName = "Selectbutton";
    LabelControl = CreatePart<TTextLayer>();
    ImageFocus = CreatePart<TImageLayer>();
    ImageNoFocus = CreatePart<TImageLayer>();
    ImageLeft = CreatePart<TImageLayer>();
    ImageLeftFocus = CreatePart<TImageLayer>();
    ImageRight = CreatePart<TImageLayer>();
    ImageRightFocus = CreatePart<TImageLayer>();
}

TOSDSelectOneButton::~TOSDSelectOneButton()
{
    ImageFocus.reset();
    ImageNoFocus.reset();
    ImageLeft.reset();
    ImageLeftFocus.reset();
    ImageRight.reset();
    ImageRightFocus.reset();
    LabelControl.reset();
}

void TOSDSelectOneButton::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TOSDCustomButtonControl::LoadFromXML(Elem);
    if (!Elem)
        return;
    F::ReadInteger(Elem, "TextOffsetX", TextOffsetX);
    F::ReadInteger(Elem, "TextOffsetX2", TextOffsetX2);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDSelectOneButton::PartTable()
{
    TPartTable table;
    table.Slots = {
        OwnerSized(PartPrunedWithRef(ImageFocus.get(), "imgfocus")),
        OwnerSized(PartPrunedWithRef(ImageNoFocus.get(), "imgnofocus")),
        PartPrunedWithRef(ImageLeft.get(), "imgleft"),
        PartPrunedWithRef(ImageLeftFocus.get(), "imgleftfocus"),
        PartPrunedWithRef(ImageRight.get(), "imgright"),
        PartPrunedWithRef(ImageRightFocus.get(), "imgrightfocus"),
        OwnerSized(PartPrunedWithRef(LabelControl.get(), "buttonlabel")),
    };
    table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDSelectOneButton::LayoutParts()
{
    const TFloatRect r = Location();
    ImageFocus->SetLocation(r);
    ImageNoFocus->SetLocation(r);
    LabelControl->SetLocation(r);
}

void TOSDSelectOneButton::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    ImageFocus->Paint(Buffer);
    LabelControl->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDSelectOneButton::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TOSDCustomButtonControl::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<const TOSDSelectOneButton*>(Ctx.Reference);
    const auto* base = static_cast<const TOSDSelectOneButton*>(Ctx.Base);
    if (!ref || TextOffsetX != ref->TextOffsetX || TextOffsetX != base->TextOffsetX)
        F::WriteInteger(Elem, "TextOffsetX", TextOffsetX);
    if (!ref || TextOffsetX2 != ref->TextOffsetX2 || TextOffsetX2 != base->TextOffsetX2)
        F::WriteInteger(Elem, "TextOffsetX2", TextOffsetX2);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDSelectOneButton::PublishedProperties()
{
    auto props = ButtonProperties();
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    props.push_back(TextProp(
        "LabelText", TPropType::String, [this] { return LabelText; },
        [this](const std::string& v) { TItemLayer::SetLabelText(v); }));
    props.push_back(IntegerField("TextOffsetX", TextOffsetX));
    props.push_back(IntegerField("TextOffsetX2", TextOffsetX2));
    props.push_back(ObjectProp("ImageFocus", ImageFocus.get()));
    props.push_back(ObjectProp("ImageLeft", ImageLeft.get()));
    props.push_back(ObjectProp("ImageLeftFocus", ImageLeftFocus.get()));
    props.push_back(ObjectProp("ImageNoFocus", ImageNoFocus.get()));
    props.push_back(ObjectProp("ImageRight", ImageRight.get()));
    props.push_back(ObjectProp("ImageRightFocus", ImageRightFocus.get()));
    return props;
}
