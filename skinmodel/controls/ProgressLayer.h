// Progress bars: a background, a left, a middle and a right piece and a label over them ("progress"),
// and the same with a tick picture ("tickprogress"). The preview always shows a full bar.
#pragma once

#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/TextLayer.h"

#include <memory>

// Where the parts of a bar go. Horizontal when the bar is not higher than wide: the left piece at
// the left, the right piece at the right; vertical: the left piece at the bottom, the right piece
// at the top. The middle piece fills the room between them (inverted when the ends overlap).
struct TProgressLayout {
    TFloatRect Background, Left, Right, Middle, Label;
};
TProgressLayout LayoutProgressBar(const TFloatRect& FR, int32_t Width, int32_t Height, int32_t LeftWidth,
                                  int32_t LeftHeight, int32_t RightWidth, int32_t RightHeight);
// The tick picture: at the bar's left, its own width, the bar's height.
TFloatRect LayoutProgressTick(const TFloatRect& FR, int32_t TickWidth);

class TProgressbarLayer : public TItemLayer {
public:
    explicit TProgressbarLayer(TLayerCollection* ALayerCollection);
    ~TProgressbarLayer() override;

    std::unique_ptr<TImageLayer> ImageBackground;  // "background"
    std::unique_ptr<TImageLayer> ImageLeft;        // "left"
    std::unique_ptr<TImageLayer> ImageRight;       // "right"
    std::unique_ptr<TImageLayer> ImageMiddle;      // "mid", a tiled picture
    std::unique_ptr<TTextLayer> LabelControl;      // "label"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};

class TTickProgressLayer : public TProgressbarLayer {
public:
    explicit TTickProgressLayer(TLayerCollection* ALayerCollection);
    ~TTickProgressLayer() override;

    std::unique_ptr<TImageLayer> ImageTick;  // "tickimage"

    void Paint(TBitmap32& Buffer) override;
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;
};
