#include "skinmodel/controls/ImageList.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/PartPlacement.h"
#include "skinmodel/controls/WriteRules.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <utility>

namespace {

using F = TOSDControlFactory;
using P = TOSDImageList;

// The integer values in the order they are read and written.
const std::pair<const char*, int32_t P::*> IntegerValues[] = {
    {"ItemHeightLow", &P::ItemHeightSmall},
    {"ItemHeightBig", &P::ItemHeightBig},
    {"ItemWidthLow", &P::ItemWidthSmall},
    {"ItemWidthBig", &P::ItemWidthBig},
    {"TextureHeightBig", &P::ImageCurrentHeightBig},
    {"TextureHeightLow", &P::ImageCurrentHeightSmall},
    {"TextureWidthBig", &P::ImageCurrentWidthBig},
    {"TextureWidthLow", &P::ImageCurrentWidthSmall},
    {"ThumbHeightBig", &P::ImageHeightBig},
    {"ThumbHeightLow", &P::ImageHeightSmall},
    {"ThumbWidthBig", &P::ImageWidthBig},
    {"ThumbWidthLow", &P::ImageWidthSmall},
    {"ThumbXPosBig", &P::ImageXBig},
    {"ThumbXPosLow", &P::ImageXSmall},
    {"ThumbYPosBig", &P::ImageYBig},
    {"ThumbYPosLow", &P::ImageYSmall},
    {"Zoomfactor", &P::Zoomfactor},
};

}  // namespace

TOSDImageList::TOSDImageList(TLayerCollection* ALayerCollection) : TOSDCustomList(ALayerCollection)
{
    ImageCurrent = CreatePart<TImageLayer>();
    ImageCurrentFocus = CreatePart<TImageLayer>();
    FTypeName = "Thumbnailpanel";
}

TOSDImageList::~TOSDImageList() = default;

void TOSDImageList::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    F::ReadString(Elem, "font", FontName);
    F::ReadColor(Elem, "textcolor", Textcolor);
    F::ReadColor(Elem, "selectedcolor", SelectedColor);
    for (const auto& [name, field] : IntegerValues)
        F::ReadInteger(Elem, name, this->*field);
    F::ReadBool(Elem, "HideText", HideText);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDImageList::PartTable()
{
    TPartTable table;
    table.Slots = {PartPrunedWithRef(ImageCurrent.get(), "imgFolder"),
                   OwnerSized(PartPrunedWithRef(ImageCurrentFocus.get(), "imgFolderFocus")),
                   {UpDown.get(), "upDown", false, false, true, false}};
    // The container stays, also empty.
    table.PruneEmptyWithRef = table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDImageList::LayoutParts()
{
    PlacePart(*ImageCurrentFocus, int64_t{GetX()} + ImageCurrentWidthSmall, ImageCurrentWidthSmall,
              int64_t{GetY()} + ImageCurrentHeightSmall, ImageCurrentHeightSmall);
    UpDown->LayoutParts();
}

void TOSDImageList::Paint(TBitmap32& Buffer)
{
    // The unfocused texture is not shown.
    PaintPlaceholder(Buffer);
    LayoutParts();
    ImageCurrentFocus->Paint(Buffer);
    UpDown->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDImageList::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto w = MakeWriteRules(*this, Ctx.Reference, Ctx.Base);
    if (w.Differs(&P::FontName))
        F::WriteString(Elem, "font", FontName);
    if (w.Differs(&P::Textcolor))
        F::WriteColor(Elem, "textcolor", Textcolor);
    if (w.Differs(&P::SelectedColor))
        F::WriteColor(Elem, "selectedcolor", SelectedColor);
    for (const auto& [name, field] : IntegerValues)
        if (w.Differs(field))
            F::WriteInteger(Elem, name, this->*field);
    if (w.Differs(&P::HideText))
        F::WriteBool(Elem, "HideText", HideText);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDImageList::PublishedProperties()
{
    auto props = TOSDCustomList::PublishedProperties();
    props.push_back(BoolField("HideText", HideText));
    props.push_back(IntegerField("ItemHeightBig", ItemHeightBig));
    props.push_back(IntegerField("ItemHeightSmall", ItemHeightSmall));
    props.push_back(IntegerField("ItemWidthBig", ItemWidthBig));
    props.push_back(IntegerField("ItemWidthSmall", ItemWidthSmall));
    props.push_back(ColorField("SelectedColor", SelectedColor));
    props.push_back(ColorField("Textcolor", Textcolor));
    props.push_back(ObjectProp("ImageCurrent", ImageCurrent.get()));
    props.push_back(ObjectProp("ImageCurrentFocus", ImageCurrentFocus.get()));
    props.push_back(IntegerField("ImageCurrentHeightBig", ImageCurrentHeightBig));
    props.push_back(IntegerField("ImageCurrentHeightSmall", ImageCurrentHeightSmall));
    props.push_back(IntegerField("ImageCurrentWidthBig", ImageCurrentWidthBig));
    props.push_back(IntegerField("ImageCurrentWidthSmall", ImageCurrentWidthSmall));
    props.push_back(IntegerField("ImageHeightSmall", ImageHeightSmall));
    props.push_back(IntegerField("ImageHeightBig", ImageHeightBig));
    props.push_back(IntegerField("ImageWidthBig", ImageWidthBig));
    props.push_back(IntegerField("ImageWidthSmall", ImageWidthSmall));
    props.push_back(IntegerField("ImageXBig", ImageXBig));
    props.push_back(IntegerField("ImageXSmall", ImageXSmall));
    props.push_back(IntegerField("ImageYBig", ImageYBig));
    props.push_back(IntegerField("ImageYSmall", ImageYSmall));
    props.push_back(IntegerField("Zoomfactor", Zoomfactor));
    props.push_back(TextField("FontName", TPropType::FontName, FontName));
    return props;
}
