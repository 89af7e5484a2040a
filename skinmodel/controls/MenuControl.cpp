#include "skinmodel/controls/MenuControl.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/PartPlacement.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/WriteRules.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

using F = TOSDControlFactory;
using M = TOSDMenuControl;

}  // namespace

TOSDMenuControl::TOSDMenuControl(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    Button = CreatePart<TOSDSimpleButton>();
    Button->LabelControl->LabelText = "-";
    Background = CreatePart<TImageLayer>();
    FTypeName = "Menu";
}

TOSDMenuControl::~TOSDMenuControl() = default;

void TOSDMenuControl::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    F::ReadInteger(Elem, "Space", Spacing);
    // The small font and the selected colour come from the element alone, never the reference.
    std::string small;
    F::ReadString(Elem, "SmallFont", small);
    SmallFont = small;
    F::ReadBool(Elem, "UseHotzones", UseHotZones);
    F::ReadBool(Elem, "DoAlpha", DoAlpha);
    F::ReadInteger(Elem, "WidthOffset", WidthOffset);
    F::ReadInteger(Elem, "XOffset", XOffset);
    F::ReadBool(Elem, "standalone", Standalone);
    SelectedColor = 0;
    F::ReadColor(Elem, "SelectedColor", SelectedColor);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDMenuControl::PartTable()
{
    TPartTable table;
    // The item button keeps its own height; the background covers the menu.
    table.Slots = {OwnerSized(PartPrunedWithRef(Button.get(), "Button"), true, false),
                   OwnerSized({Background.get(), "image", false, false, false, false})};
    table.PruneEmptyWithRef = table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDMenuControl::LayoutParts()
{
    Background->SetLocation(Location());
    Button->SetY(GetY());
    Button->SetX(ClampToInt32(int64_t{GetX()} + XOffset));
    Button->SetWidth(ClampToInt32(int64_t{GetWidth()} - WidthOffset - XOffset));
    Button->LayoutParts();
}

void TOSDMenuControl::Paint(TBitmap32& Buffer)
{
    PaintPlaceholder(Buffer);
    LayoutParts();
    Background->Paint(Buffer);
    Button->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDMenuControl::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    F::WriteInteger(Elem, "Space", Spacing);
    F::WriteString(Elem, "SmallFont", SmallFont);
    F::WriteBool(Elem, "UseHotzones", UseHotZones);
    F::WriteBool(Elem, "DoAlpha", DoAlpha);
    F::WriteInteger(Elem, "WidthOffset", WidthOffset);
    F::WriteInteger(Elem, "XOffset", XOffset);
    F::WriteColor(Elem, "SelectedColor", SelectedColor);
    // Without a reference "standalone" is written only where a reload would lose it.
    const auto w = MakeWriteRules(*this, Ctx.Reference, Ctx.Base);
    if (w.DiffersAnd(&M::Standalone, Ctx.Reference && Standalone))
        F::WriteBool(Elem, "standalone", Standalone);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDMenuControl::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    props.push_back(ObjectProp("Button", Button.get()));
    props.push_back(TextField("SmallFont", TPropType::FontName, SmallFont));
    props.push_back(ObjectProp("Background", Background.get()));
    props.push_back(BoolField("DoAlpha", DoAlpha));
    props.push_back(IntegerField("Spacing", Spacing));
    props.push_back(BoolField("Standalone", Standalone));
    props.push_back(BoolField("UseHotZones", UseHotZones));
    props.push_back(IntegerField("WidthOffset", WidthOffset));
    props.push_back(IntegerField("XOffset", XOffset));
    props.push_back(ColorField("SelectedColor", SelectedColor));
    return props;
}
