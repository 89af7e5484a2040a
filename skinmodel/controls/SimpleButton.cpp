#include "skinmodel/controls/SimpleButton.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/TextLayer.h"

using F = TOSDControlFactory;

TOSDSimpleButton::TOSDSimpleButton(TLayerCollection* ALayerCollection) : TOSDCustomButtonControl(ALayerCollection)
{
    TextOffsetX = 10;
    FTypeName = "Button";
    LabelControl = CreatePart<TTextLayer>();
    ImageFocus = CreatePart<TImageLayer>();
    ImageNoFocus = CreatePart<TImageLayer>();
}

TOSDSimpleButton::~TOSDSimpleButton()
{
    LabelControl.reset();
    ImageFocus.reset();
    ImageNoFocus.reset();
}

std::string TOSDSimpleButton::GetLabelText() const
{
    return LabelControl->LabelText;
}

void TOSDSimpleButton::SetLabelText(const std::string& V)
{
    LabelControl->SetLabelText(V);
}

void TOSDSimpleButton::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TOSDCustomButtonControl::LoadFromXML(Elem);
    if (!Elem)
        return;
    F::ReadInteger(Elem, "TextOffsetX", TextOffsetX);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDSimpleButton::PartTable()
{
    return {{
        OwnerSized(PartAlwaysPruned(ImageFocus.get(), "imgfocus")),
        OwnerSized(PartAlwaysPruned(ImageNoFocus.get(), "imgnofocus")),
        OwnerSized(PartAlwaysPruned(LabelControl.get(), "buttonlabel")),
    }};
}

void TOSDSimpleButton::LayoutParts()
{
    PlacePicturesAndLabel(Location(), *ImageFocus, *ImageNoFocus, *LabelControl, TextOffsetX);
}

void TOSDSimpleButton::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    ImageFocus->Paint(Buffer);
    LabelControl->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDSimpleButton::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TOSDCustomButtonControl::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<const TOSDSimpleButton*>(Ctx.Reference);
    const auto* base = static_cast<const TOSDSimpleButton*>(Ctx.Base);
    if (!ref || TextOffsetX != ref->TextOffsetX || TextOffsetX != base->TextOffsetX)
        F::WriteInteger(Elem, "TextOffsetX", TextOffsetX);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDSimpleButton::PublishedProperties()
{
    auto props = ButtonProperties();
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    props.push_back(TextProp(
        "LabelText", TPropType::String, [this] { return GetLabelText(); },
        [this](const std::string& v) { SetLabelText(v); }));
    props.push_back(IntegerField("TextOffsetX", TextOffsetX));
    props.push_back(ObjectProp("ImageFocus", ImageFocus.get()));
    props.push_back(ObjectProp("ImageNoFocus", ImageNoFocus.get()));
    return props;
}
