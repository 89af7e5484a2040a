#include "skinmodel/controls/TextArea.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/WriteRules.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

using F = TOSDControlFactory;
using T = TOSDTextArea;

}  // namespace

TOSDTextArea::TOSDTextArea(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    upDown = CreatePart<TOSDUpDownControl>();
    upDown->UpDownType = spInteger;
    upDown->TextAlignment = StringAlignmentNear;
    FTypeName = "textbox";
}

TOSDTextArea::~TOSDTextArea() = default;

void TOSDTextArea::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    F::ReadString(Elem, "font", FontName);
    F::ReadColor(Elem, "textcolor", Textcolor);
    F::ReadAlignment(Elem, "align", TextAlign);
    F::ReadBool(Elem, "enableupdown", enableUpDown);
    F::ReadInteger(Elem, "space", Spacing);
    F::ReadBool(Elem, "standalone", Standalone);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDTextArea::PartTable()
{
    TPartTable table;
    table.Slots = {{upDown.get(), "upDown", false, false, false, false}};
    table.PruneEmptyWithRef = table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDTextArea::LayoutParts()
{
    upDown->LayoutParts();
}

void TOSDTextArea::Paint(TBitmap32& Buffer)
{
    // The text is not painted.
    PaintPlaceholder(Buffer);
    upDown->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDTextArea::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto w = MakeWriteRules(*this, Ctx.Reference, Ctx.Base);
    if (w.Differs(&T::FontName))
        F::WriteString(Elem, "font", FontName);
    if (w.Differs(&T::Textcolor))
        F::WriteColor(Elem, "textColor", Textcolor);
    if (w.Differs(&T::TextAlign))
        F::WriteAlignment(Elem, "align", TextAlign);
    if (w.Differs(&T::enableUpDown))
        F::WriteBool(Elem, "enableupdown", enableUpDown);
    if (w.Differs(&T::Spacing))
        F::WriteInteger(Elem, "space", Spacing);
    // Without a reference "standalone" is written only where a reload would lose it.
    if (w.DiffersAnd(&T::Standalone, Ctx.Reference && Standalone))
        F::WriteBool(Elem, "standalone", Standalone);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDTextArea::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    AppendNavigationProperties(props, *this);
    props.push_back(TextProp("LabelText", TPropType::String, [this] { return LabelText; },
                             [this](const std::string& v) { SetLabelText(v); }));
    props.push_back(TextField("FontName", TPropType::FontName, FontName));
    props.push_back(BoolField("Standalone", Standalone));
    props.push_back(EnumProp("TextAlign", EnumNameList(StringAlignmentValueNames),
                             [this] { return int64_t{TextAlign}; },
                             [this](int64_t v) { TextAlign = static_cast<StringAlignment>(v); }));
    props.push_back(ColorField("Textcolor", Textcolor));
    props.push_back(ObjectProp("upDown", upDown.get()));
    props.push_back(BoolField("enableUpDown", enableUpDown));
    props.push_back(IntegerField("Spacing", Spacing));
    return props;
}
