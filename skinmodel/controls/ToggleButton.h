// The toggle button ("togglebutton"): a button with two states, each with a focused and an
// unfocused picture, and a label.
#pragma once

#include "skinmodel/controls/ButtonBase.h"

#include <memory>

class TImageLayer;
class TTextLayer;

class TOSDToggleButton : public TOSDCustomButtonControl {
public:
    explicit TOSDToggleButton(TLayerCollection* ALayerCollection);
    ~TOSDToggleButton() override;

    std::unique_ptr<TImageLayer> ToggledImageFocus;    // part "imgaltfocus"
    std::unique_ptr<TImageLayer> ToggledImageNoFocus;  // part "imgaltnofocus"
    std::unique_ptr<TTextLayer> LabelControl;          // part "buttonlabel"
    int32_t TextOffsetX = 10;                          // "TextOffsetX"; not shown in the preview
    std::unique_ptr<TImageLayer> ImageFocus;           // part "imgfocus"
    std::unique_ptr<TImageLayer> ImageNoFocus;         // part "imgnofocus"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    // Only the focused picture of the normal state follows the button.
    void LayoutParts() override;
    void Paint(TBitmap32& Buffer) override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
