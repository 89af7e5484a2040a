#include "skinmodel/controls/ProgressLayer.h"

namespace {

float At(double v)
{
    return static_cast<float>(v);
}

// Moves a part only when its place changes, so that painting does not ask for another paint.
void Place(TItemLayer& part, const TFloatRect& r)
{
    if (!(part.Location() == r))
        part.SetLocation(r);
}

}  // namespace

TProgressLayout LayoutProgressBar(const TFloatRect& FR, int32_t Width, int32_t Height, int32_t LeftWidth,
                                  int32_t LeftHeight, int32_t RightWidth, int32_t RightHeight)
{
    TProgressLayout l;
    l.Background = FR;
    l.Label = FR;
    if (Width >= Height) {
        l.Left = {FR.Left, FR.Top, At(double(FR.Left) + LeftWidth), FR.Bottom};
        l.Right = {At(double(FR.Right) - RightWidth), FR.Top, FR.Right, FR.Bottom};
        l.Middle = {l.Left.Right, FR.Top, l.Right.Left, FR.Bottom};
    } else {
        l.Left = {FR.Left, At(double(FR.Bottom) - LeftHeight), FR.Right, FR.Bottom};
        l.Right = {FR.Left, FR.Top, FR.Right, At(double(FR.Top) + RightHeight)};
        l.Middle = {FR.Left, l.Right.Bottom, FR.Right, l.Left.Top};
    }
    return l;
}

TFloatRect LayoutProgressTick(const TFloatRect& FR, int32_t TickWidth)
{
    return {FR.Left, FR.Top, At(double(FR.Left) + TickWidth), FR.Bottom};
}

// ---- progress bar --------------------------------------------------------------------------

TProgressbarLayer::TProgressbarLayer(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    FTypeName = "progress";
    ImageBackground = CreatePart<TImageLayer>();
    ImageLeft = CreatePart<TImageLayer>();
    ImageRight = CreatePart<TImageLayer>();
    ImageMiddle = CreatePart<TImageLayer>();
    ImageMiddle->GraphicsType = GT_IMAGE_TILE;
    LabelControl = CreatePart<TTextLayer>();
}

TProgressbarLayer::~TProgressbarLayer()
{
    ImageBackground.reset();
    ImageLeft.reset();
    ImageMiddle.reset();
    ImageRight.reset();
    LabelControl.reset();
}

TPartTable TProgressbarLayer::PartTable()
{
    TPartTable table;
    // The layout gives the ends the bar's height (horizontal) or width (vertical) and the other
    // parts their whole size, so only the ends' own length needs to come back from the file.
    const bool horizontal = GetWidth() >= GetHeight();
    // The pictures are dropped only when a reference says what they are; the label never.
    table.Slots = {
        OwnerSized(PartPrunedWithRef(ImageBackground.get(), "background")),
        OwnerSized(PartPrunedWithRef(ImageLeft.get(), "left"), !horizontal, horizontal),
        OwnerSized(PartPrunedWithRef(ImageRight.get(), "right"), !horizontal, horizontal),
        OwnerSized(PartPrunedWithRef(ImageMiddle.get(), "mid")),
        OwnerSized(PartNeverPruned(LabelControl.get(), "label")),
    };
    table.PruneEmptyWithRef = false;
    table.PruneEmptyWithoutRef = false;
    return table;
}

void TProgressbarLayer::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    LoadPartsFromXML(Elem);
}

void TProgressbarLayer::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    SavePartsToXML(Elem, Ctx);
}

void TProgressbarLayer::LayoutParts()
{
    const TProgressLayout l = LayoutProgressBar(Location(), GetWidth(), GetHeight(), ImageLeft->GetWidth(),
                                                ImageLeft->GetHeight(), ImageRight->GetWidth(), ImageRight->GetHeight());
    Place(*ImageBackground, l.Background);
    Place(*ImageLeft, l.Left);
    Place(*ImageRight, l.Right);
    Place(*ImageMiddle, l.Middle);
    Place(*LabelControl, l.Label);
}

void TProgressbarLayer::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    if (!Buffer.MeasuringMode()) {
        ImageBackground->Paint(Buffer);
        ImageLeft->Paint(Buffer);
        ImageRight->Paint(Buffer);
        // Ends wider than the bar leave the middle piece inverted; it then draws nothing.
        ImageMiddle->Paint(Buffer);
        LabelControl->Paint(Buffer);
    }
    ReportArea(Buffer);
}

std::vector<TPropInfo> TProgressbarLayer::PublishedProperties()
{
    std::vector<TPropInfo> props = TItemLayer::PublishedProperties();
    props.push_back(IntegerField("ControlDown", ControlDown));
    props.push_back(IntegerField("ControlLeft", ControlLeft));
    props.push_back(IntegerField("ControlRight", ControlRight));
    props.push_back(IntegerField("ControlUp", ControlUp));
    props.push_back(TextField("LabelText", TPropType::String, LabelText));
    props.push_back(ObjectProp("LabelControl", LabelControl.get()));
    props.push_back(ObjectProp("ImageBackground", ImageBackground.get()));
    props.push_back(ObjectProp("ImageLeft", ImageLeft.get()));
    props.push_back(ObjectProp("ImageMiddle", ImageMiddle.get()));
    props.push_back(ObjectProp("ImageRight", ImageRight.get()));
    return props;
}

// ---- tick progress bar ---------------------------------------------------------------------

TTickProgressLayer::TTickProgressLayer(TLayerCollection* ALayerCollection) : TProgressbarLayer(ALayerCollection)
{
    FTypeName = "tickprogress";
    ImageTick = CreatePart<TImageLayer>();
}

TTickProgressLayer::~TTickProgressLayer()
{
    ImageTick.reset();
}

TPartTable TTickProgressLayer::PartTable()
{
    TPartTable table = TProgressbarLayer::PartTable();
    // The tick has the bar's height in either direction.
    table.Slots.push_back(OwnerSized(PartPrunedWithRef(ImageTick.get(), "tickimage"), false, true));
    return table;
}

void TTickProgressLayer::LayoutParts()
{
    TProgressbarLayer::LayoutParts();
    Place(*ImageTick, LayoutProgressTick(Location(), ImageTick->GetWidth()));
}

void TTickProgressLayer::Paint(TBitmap32& Buffer)
{
    TProgressbarLayer::Paint(Buffer);
    // Over the label, and also while measuring: the tick reports its own area.
    ImageTick->Paint(Buffer);
}

std::vector<TPropInfo> TTickProgressLayer::PublishedProperties()
{
    std::vector<TPropInfo> props = TProgressbarLayer::PublishedProperties();
    props.push_back(ObjectProp("ImageTick", ImageTick.get()));
    return props;
}
