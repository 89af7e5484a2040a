#include "skinmodel/controls/NumInput.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/WriteRules.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

using F = TOSDControlFactory;
using N = TOSDNumInputControl;

}  // namespace

TOSDNumInputControl::TOSDNumInputControl(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    FTypeName = "NumInput";
    LabelControl = CreatePart<TTextLayer>();
    ImageFocus = CreatePart<TImageLayer>();
    ImageNoFocus = CreatePart<TImageLayer>();
}

TOSDNumInputControl::~TOSDNumInputControl() = default;

void TOSDNumInputControl::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    F::ReadInteger(Elem, "TextOffset", TextOffset);
    F::ReadInteger(Elem, "digits", CharCount);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDNumInputControl::PartTable()
{
    // The layout lays all three over the field.
    return {{OwnerSized(PartAlwaysPruned(ImageFocus.get(), "imgfocus")),
             OwnerSized(PartAlwaysPruned(ImageNoFocus.get(), "imgnofocus")),
             OwnerSized(PartAlwaysPruned(LabelControl.get(), "buttonlabel"))}};
}

void TOSDNumInputControl::LayoutParts()
{
    PlacePicturesAndLabel(Location(), *ImageFocus, *ImageNoFocus, *LabelControl, TextOffset);
}

void TOSDNumInputControl::Paint(TBitmap32& Buffer)
{
    // The focused look.
    LayoutParts();
    ImageFocus->Paint(Buffer);
    LabelControl->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDNumInputControl::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto w = MakeWriteRules(*this, Ctx.Reference, Ctx.Base);
    if (w.Differs(&N::TextOffset))
        F::WriteInteger(Elem, "TextOffset", TextOffset);
    F::WriteInteger(Elem, "digits", CharCount);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDNumInputControl::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    props.push_back(IntegerField("CharCount", CharCount));
    AppendNavigationProperties(props, *this);
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    // The label part's text, not the control's own "label".
    props.push_back(TextProp("LabelText", TPropType::String, [this] { return LabelControl->LabelText; },
                             [this](const std::string& v) { LabelControl->SetLabelText(v); }));
    props.push_back(IntegerField("TextOffset", TextOffset));
    props.push_back(ObjectProp("ImageFocus", ImageFocus.get()));
    props.push_back(ObjectProp("ImageNoFocus", ImageNoFocus.get()));
    return props;
}
