#include "skinmodel/controls/ImageButton.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/TextLayer.h"

#include <algorithm>

using F = TOSDControlFactory;

namespace {

// A part of the three-part button: compared with the reference's part and dropped when equal;
// without a reference written as a control of its own, with its place, and always kept.
TPartSlot ImageButtonPart(TItemLayer* part, const char* role)
{
    return {part, role, true, false, true, false};
}

}  // namespace

TOSDImageButton::TOSDImageButton(TLayerCollection* ALayerCollection) : TOSDCustomButtonControl(ALayerCollection)
{
    IconImage = CreatePart<TImageLayer>();
    ImageFocusLeft = CreatePart<TImageLayer>();
    ImageFocusMiddle = CreatePart<TImageLayer>();
    ImageFocusMiddle->GraphicsType = GT_IMAGE_TILE;
    ImageFocusRight = CreatePart<TImageLayer>();
    ImageNoFocusLeft = CreatePart<TImageLayer>();
    ImageNoFocusMiddle = CreatePart<TImageLayer>();
    ImageNoFocusMiddle->GraphicsType = GT_IMAGE_TILE;
    ImageNoFocusRight = CreatePart<TImageLayer>();
    FTypeName = "button3part";
    TextOffsetX1 = 10;
    TextOffsetY1 = 2;
    TextOffsetX2 = 10;
    TextOffsetY2 = 2;
    IconImageOffsetX = -1;
    IconImageOffsetY = -1;
    IconImageWidth = -1;
    IconImageHeight = -1;
    LabelControl1 = CreatePart<TTextLayer>();
    LabelControl2 = CreatePart<TTextLayer>();
}

TOSDImageButton::~TOSDImageButton()
{
    IconImage.reset();
    ImageFocusLeft.reset();
    ImageFocusMiddle.reset();
    ImageFocusRight.reset();
    ImageNoFocusLeft.reset();
    ImageNoFocusMiddle.reset();
    ImageNoFocusRight.reset();
    LabelControl1.reset();
    LabelControl2.reset();
}

void TOSDImageButton::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TOSDCustomButtonControl::LoadFromXML(Elem);
    if (!Elem)
        return;
    F::ReadInteger(Elem, "IconOffsetX", IconImageOffsetX);
    F::ReadInteger(Elem, "IconOffsetY", IconImageOffsetY);
    F::ReadInteger(Elem, "TextOffsetX1", TextOffsetX1);
    F::ReadInteger(Elem, "TextOffsetY1", TextOffsetY1);
    F::ReadInteger(Elem, "TextOffsetX2", TextOffsetX2);
    F::ReadInteger(Elem, "TextOffsetY2", TextOffsetY2);
    LoadPartsFromXML(Elem);
}

TPartTable TOSDImageButton::PartTable()
{
    TPartTable table;
    table.Slots = {
        ImageButtonPart(IconImage.get(), "imgicon"),
        ImageButtonPart(ImageNoFocusRight.get(), "imgNoFocusRight"),
        // The ends keep their own widths; the layout gives them the button's height.
        OwnerSized(ImageButtonPart(ImageFocusRight.get(), "imgFocusRight"), false, true),
        ImageButtonPart(ImageNoFocusMiddle.get(), "imgNoFocusMid"),
        OwnerSized(ImageButtonPart(ImageFocusMiddle.get(), "imgFocusMid")),
        ImageButtonPart(ImageNoFocusLeft.get(), "imgNoFocusLeft"),
        OwnerSized(ImageButtonPart(ImageFocusLeft.get(), "imgFocusLeft"), false, true),
        OwnerSized(ImageButtonPart(LabelControl1.get(), "buttonlabel1")),
        ImageButtonPart(LabelControl2.get(), "buttonlabel2"),
    };
    table.PruneEmptyWithRef = false;
    table.PruneEmptyWithoutRef = false;
    return table;
}

void TOSDImageButton::LayoutParts()
{
    const TFloatRect r = Location();
    const int32_t leftWidth = ImageFocusLeft->GetWidth();
    const int32_t rightWidth = ImageFocusRight->GetWidth();

    TFloatRect q = r;
    q.Right = ShiftedEdge(q.Left, leftWidth);
    ImageFocusLeft->SetLocation(q);

    q = r;
    q.Left = ShiftedEdge(q.Right, -int64_t{rightWidth});
    ImageFocusRight->SetLocation(q);

    q = r;
    q.Left = ShiftedEdge(q.Left, leftWidth);
    q.Right = ShiftedEdge(q.Right, -int64_t{rightWidth});
    // Ends wider than the button leave no room: the middle shrinks to nothing at its left edge.
    q.Right = std::max(q.Right, q.Left);
    ImageFocusMiddle->SetLocation(q);

    q = r;
    q.Left = ShiftedEdge(q.Left, TextOffsetX1);
    q.Top = ShiftedEdge(q.Top, TextOffsetY1);
    LabelControl1->SetLocation(q);
}

void TOSDImageButton::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    ImageFocusLeft->Paint(Buffer);
    ImageFocusRight->Paint(Buffer);
    ImageFocusMiddle->Paint(Buffer);
    LabelControl1->Paint(Buffer);
    ReportArea(Buffer);
}

void TOSDImageButton::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TOSDCustomButtonControl::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<const TOSDImageButton*>(Ctx.Reference);
    const auto* base = static_cast<const TOSDImageButton*>(Ctx.Base);
    const auto value = [&](const char* name, int32_t TOSDImageButton::*field) {
        if (!ref || this->*field != ref->*field || this->*field != base->*field)
            F::WriteInteger(Elem, name, this->*field);
    };
    value("TextOffsetX1", &TOSDImageButton::TextOffsetX1);
    value("TextOffsetY1", &TOSDImageButton::TextOffsetY1);
    value("TextOffsetX2", &TOSDImageButton::TextOffsetX2);
    value("TextOffsetY2", &TOSDImageButton::TextOffsetY2);
    value("IconOffsetX", &TOSDImageButton::IconImageOffsetX);
    value("IconOffsetY", &TOSDImageButton::IconImageOffsetY);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TOSDImageButton::PublishedProperties()
{
    auto props = ButtonProperties();
    props.push_back(IntegerField("IconImageHeight", IconImageHeight));
    props.push_back(IntegerField("IconImageOffsetX", IconImageOffsetX));
    props.push_back(IntegerField("IconImageOffsetY", IconImageOffsetY));
    props.push_back(IntegerField("IconImageWidth", IconImageWidth));
    props.push_back(ObjectProp("LabelControl1", LabelControl1.get()));
    props.push_back(ObjectProp("LabelControl2", LabelControl2.get()));
    props.push_back(IntegerField("TextOffsetX1", TextOffsetX1));
    props.push_back(IntegerField("TextOffsetX2", TextOffsetX2));
    props.push_back(IntegerField("TextOffsetY1", TextOffsetY1));
    props.push_back(IntegerField("TextOffsetY2", TextOffsetY2));
    props.push_back(ObjectProp("ImageFocusLeft", ImageFocusLeft.get()));
    props.push_back(ObjectProp("ImageFocusMiddle", ImageFocusMiddle.get()));
    props.push_back(ObjectProp("ImageFocusRight", ImageFocusRight.get()));
    props.push_back(ObjectProp("IconImage", IconImage.get()));
    props.push_back(ObjectProp("ImageNoFocusLeft", ImageNoFocusLeft.get()));
    props.push_back(ObjectProp("ImageNoFocusMiddle", ImageNoFocusMiddle.get()));
    props.push_back(ObjectProp("ImageNoFocusRight", ImageNoFocusRight.get()));
    return props;
}
