// The three-part image button ("button3part"): a background of a left end, a tiled middle and a
// right end, one set focused and one unfocused, an icon and two labels with their own offsets.
#pragma once

#include "skinmodel/controls/ButtonBase.h"

#include <memory>

class TImageLayer;
class TTextLayer;

class TOSDImageButton : public TOSDCustomButtonControl {
public:
    explicit TOSDImageButton(TLayerCollection* ALayerCollection);
    ~TOSDImageButton() override;

    std::unique_ptr<TTextLayer> LabelControl1;         // part "buttonlabel1"
    std::unique_ptr<TTextLayer> LabelControl2;         // part "buttonlabel2"
    std::unique_ptr<TImageLayer> ImageFocusLeft;       // part "imgFocusLeft"
    std::unique_ptr<TImageLayer> ImageFocusMiddle;     // part "imgFocusMid", tiled
    std::unique_ptr<TImageLayer> ImageFocusRight;      // part "imgFocusRight"
    std::unique_ptr<TImageLayer> IconImage;            // part "imgicon"
    std::unique_ptr<TImageLayer> ImageNoFocusLeft;     // part "imgNoFocusLeft"
    std::unique_ptr<TImageLayer> ImageNoFocusMiddle;   // part "imgNoFocusMid", tiled
    std::unique_ptr<TImageLayer> ImageNoFocusRight;    // part "imgNoFocusRight"
    int32_t IconImageHeight = -1;    // never stored in a file
    int32_t IconImageOffsetX = -1;   // "IconOffsetX"
    int32_t IconImageOffsetY = -1;   // "IconOffsetY"
    int32_t IconImageWidth = -1;     // never stored in a file
    int32_t TextOffsetX1 = 10;       // "TextOffsetX1"
    int32_t TextOffsetX2 = 10;       // "TextOffsetX2"; not shown in the preview
    int32_t TextOffsetY1 = 2;        // "TextOffsetY1"
    int32_t TextOffsetY2 = 2;        // "TextOffsetY2"; not shown in the preview

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    // The focused ends keep their widths, the focused middle spans the space between them (none
    // when the ends overlap) and the first text is inset by its offsets.
    void LayoutParts() override;
    void Paint(TBitmap32& Buffer) override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
