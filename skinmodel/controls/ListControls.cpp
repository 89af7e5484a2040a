#include "skinmodel/controls/ListControls.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/PartPlacement.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/WriteRules.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

using F = TOSDControlFactory;

}  // namespace

// ---- list base -----------------------------------------------------------------------------

TOSDCustomList::TOSDCustomList(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    UpDown = CreatePart<TOSDUpDownControl>();
    UpDown->UpDownType = spInteger;
    UpDown->TextAlignment = StringAlignmentNear;
}

TOSDCustomList::~TOSDCustomList() = default;

std::vector<TPropInfo> TOSDCustomList::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    AppendNavigationProperties(props, *this);
    props.push_back(ObjectProp("UpDown", UpDown.get()));
    return props;
}

// ---- list ----------------------------------------------------------------------------------

TOSDList::TOSDList(TLayerCollection* ALayerCollection) : TOSDCustomList(ALayerCollection)
{
    Button = CreatePart<TOSDSimpleButton>();
    Button->LabelControl->LabelText = "-";
    FTypeName = "Listcontrol";
}

TOSDList::~TOSDList() = default;

void TOSDList::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    F::ReadString(Elem, "font", FontName);
    F::ReadString(Elem, "font2", Fontname2);
    F::ReadString(Elem, "font3", Fontname3);
    F::ReadBool(Elem, "standalone", Standalone);
    F::ReadColor(Elem, "textcolor", Textcolor);
    F::ReadColor(Elem, "textcolor2", Textcolor2);
    F::ReadColor(Elem, "textcolor3", Textcolor3);
    F::ReadColor(Elem, "selectedcolor", SelectedColor);
    F::ReadColor(Elem, "selectedcolor2", SelectedColor2);
    F::ReadColor(Elem, "selectedcolor3", SelectedColor3);
    F::ReadColor(Elem, "ShadedColor", DisableColor);
    F::ReadInteger(Elem, "IconOffsetX", IconOffsetX);
    F::ReadInteger(Elem, "IconOffsetY", IconOffsetY);
    F::ReadInteger(Elem, "ImageWidth", ImageWidth);
    F::ReadInteger(Elem, "ImageHeight", ImageHeight);
    F::ReadInteger(Elem, "ItemHeight", ItemHeight);
    F::ReadInteger(Elem, "TextOffsetX", TextOffset_1_X);
    F::ReadInteger(Elem, "TextOffsetY", TextOffset_1_Y);
    F::ReadInteger(Elem, "TextOffsetX2", TextOffset_2_X);
    F::ReadInteger(Elem, "TextOffsetY2", TextOffset_2_Y);
    F::ReadInteger(Elem, "TextOffsetX3", TextOffset_3_X);
    F::ReadInteger(Elem, "TextOffsetY3", TextOffset_3_Y);
    F::ReadBool(Elem, "TextVisible", TextVisible);
    F::ReadBool(Elem, "TextVisible2", TextVisible2);
    F::ReadBool(Elem, "TextVisible3", TextVisible3);
    F::ReadBool(Elem, "keepaspectratio", Ratio);
    F::ReadAlignment(Elem, "align1", TextAlign);
    F::ReadInteger(Elem, "space", Spacing);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDList::PartTable()
{
    TPartTable table;
    // The item button is placed by the layout; the spin part keeps its own place and size, and
    // against a reference its navigation is the list's (cleared on saving).
    TPartSlot upDown{UpDown.get(), "upDown", false, false, false, false};
    upDown.NavigationClearedWithRef = true;
    table.Slots = {OwnerSized(PartPrunedWithRef(Button.get(), "Button")), upDown};
    table.PruneEmptyWithRef = table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDList::LayoutParts()
{
    PlacePart(*Button, GetX(), GetWidth(), int64_t{GetY()} + ItemHeight, ItemHeight);
    Button->LayoutParts();
    UpDown->LayoutParts();
}

void TOSDList::Paint(TBitmap32& Buffer)
{
    PaintPlaceholder(Buffer);
    LayoutParts();
    Button->Paint(Buffer);
    UpDown->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDList::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto w = MakeWriteRules(*this, Ctx.Reference, Ctx.Base);
    using L = TOSDList;
    if (w.Differs(&L::FontName))
        F::WriteString(Elem, "font", FontName);
    if (w.Differs(&L::Fontname2))
        F::WriteString(Elem, "font2", Fontname2);
    if (w.Differs(&L::Fontname3))
        F::WriteString(Elem, "font3", Fontname3);
    const auto color = [&](const char* name, uint32_t L::*f) {
        if (w.Differs(f))
            F::WriteColor(Elem, name, this->*f);
    };
    const auto integer = [&](const char* name, int32_t L::*f) {
        if (w.Differs(f))
            F::WriteInteger(Elem, name, this->*f);
    };
    const auto offset = [&](const char* name, int32_t L::*f) {
        if (w.DiffersAnd(f, this->*f != 0))
            F::WriteInteger(Elem, name, this->*f);
    };
    const auto boolean = [&](const char* name, bool L::*f) {
        if (w.Differs(f))
            F::WriteBool(Elem, name, this->*f);
    };
    color("textcolor", &L::Textcolor);
    color("textcolor2", &L::Textcolor2);
    color("textcolor3", &L::Textcolor3);
    color("selectedcolor", &L::SelectedColor);
    color("selectedcolor2", &L::SelectedColor2);
    color("selectedcolor3", &L::SelectedColor3);
    color("ShadedColor", &L::DisableColor);
    integer("IconOffsetX", &L::IconOffsetX);
    integer("IconOffsetY", &L::IconOffsetY);
    integer("ImageWidth", &L::ImageWidth);
    integer("ImageHeight", &L::ImageHeight);
    integer("ItemHeight", &L::ItemHeight);
    if (w.DiffersAnd(&L::Standalone, Standalone))
        F::WriteBool(Elem, "standalone", Standalone);
    offset("TextOffsetX", &L::TextOffset_1_X);
    offset("TextOffsetY", &L::TextOffset_1_Y);
    offset("TextOffsetX2", &L::TextOffset_2_X);
    offset("TextOffsetY2", &L::TextOffset_2_Y);
    offset("TextOffsetX3", &L::TextOffset_3_X);
    offset("TextOffsetY3", &L::TextOffset_3_Y);
    boolean("TextVisible", &L::TextVisible);
    boolean("TextVisible2", &L::TextVisible2);
    boolean("TextVisible3", &L::TextVisible3);
    boolean("keepaspectratio", &L::Ratio);
    if (w.Differs(&L::TextAlign))
        F::WriteAlignment(Elem, "align1", TextAlign);
    integer("space", &L::Spacing);
    // Against a reference the spin part leaves its navigation to the list.
    if (Ctx.Reference) {
        UpDown->ControlDown = 0;
        UpDown->ControlLeft = 0;
        UpDown->ControlRight = 0;
        UpDown->ControlUp = 0;
    }
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDList::PublishedProperties()
{
    auto props = TOSDCustomList::PublishedProperties();
    const auto alignNames = EnumNameList(StringAlignmentValueNames);
    props.push_back(ObjectProp("Button", Button.get()));
    props.push_back(TextField("FontName", TPropType::FontName, FontName));
    props.push_back(TextField("Fontname2", TPropType::FontName, Fontname2));
    props.push_back(TextField("Fontname3", TPropType::FontName, Fontname3));
    props.push_back(IntegerField("IconOffsetX", IconOffsetX));
    props.push_back(IntegerField("IconOffsetY", IconOffsetY));
    props.push_back(IntegerField("ImageHeight", ImageHeight));
    props.push_back(IntegerField("ImageWidth", ImageWidth));
    props.push_back(IntegerField("ItemHeight", ItemHeight));
    props.push_back(BoolField("Ratio", Ratio));
    props.push_back(ColorField("SelectedColor", SelectedColor));
    props.push_back(ColorField("SelectedColor2", SelectedColor2));
    props.push_back(ColorField("SelectedColor3", SelectedColor3));
    props.push_back(ColorField("DisableColor", DisableColor));
    props.push_back(IntegerField("Spacing", Spacing));
    props.push_back(BoolField("Standalone", Standalone));
    props.push_back(EnumProp("TextAlign", alignNames, [this] { return int64_t{TextAlign}; },
                             [this](int64_t v) { TextAlign = static_cast<StringAlignment>(v); }));
    props.push_back(ColorField("Textcolor", Textcolor));
    props.push_back(ColorField("Textcolor2", Textcolor2));
    props.push_back(ColorField("Textcolor3", Textcolor3));
    props.push_back(IntegerField("TextOffset_1_X", TextOffset_1_X));
    props.push_back(IntegerField("TextOffset_1_Y", TextOffset_1_Y));
    props.push_back(IntegerField("TextOffset_2_X", TextOffset_2_X));
    props.push_back(IntegerField("TextOffset_2_Y", TextOffset_2_Y));
    props.push_back(IntegerField("TextOffset_3_X", TextOffset_3_X));
    props.push_back(IntegerField("TextOffset_3_Y", TextOffset_3_Y));
    props.push_back(BoolField("TextVisible", TextVisible));
    props.push_back(BoolField("TextVisible2", TextVisible2));
    props.push_back(BoolField("TextVisible3", TextVisible3));
    return props;
}

// ---- TV list -------------------------------------------------------------------------------

TOSDTVList::TOSDTVList(TLayerCollection* ALayerCollection) : TOSDList(ALayerCollection)
{
    TitleButton = CreatePart<TOSDSimpleButton>();
    ImageBackgound = CreatePart<TImageLayer>();
    FTypeName = "tvlistcontrol";
}

TOSDTVList::~TOSDTVList() = default;

TPartTable TOSDTVList::PartTable()
{
    TPartTable table = TOSDList::PartTable();
    table.Slots.push_back(OwnerSized(PartNeverPruned(ImageBackgound.get(), "image")));
    // The title button keeps its own height.
    table.Slots.push_back(OwnerSized(PartPrunedWithRef(TitleButton.get(), "titlebutton"), true, false));
    return table;
}

void TOSDTVList::LayoutParts()
{
    ImageBackgound->SetLocation(Location());
    const int64_t itemHeight = ItemHeight;
    PlacePart(*Button, GetX(), GetWidth(), GetY() + 2 * itemHeight, itemHeight);
    // The title button keeps its own height.
    TitleButton->SetWidth(GetWidth());
    TitleButton->SetY(GetY());
    TitleButton->SetX(GetX());
    Button->LayoutParts();
    TitleButton->LayoutParts();
    UpDown->LayoutParts();
}

void TOSDTVList::Paint(TBitmap32& Buffer)
{
    // No placeholder and no spin part: the background covers the list.
    LayoutParts();
    ImageBackgound->Paint(Buffer);
    Button->Paint(Buffer);
    TitleButton->Paint(Buffer);
    ReportArea(Buffer);
}

std::vector<TPropInfo> TOSDTVList::PublishedProperties()
{
    auto props = TOSDList::PublishedProperties();
    props.push_back(ObjectProp("TitleButton", TitleButton.get()));
    props.push_back(ObjectProp("ImageBackgound", ImageBackgound.get()));
    return props;
}
