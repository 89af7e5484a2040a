// The select-one button ("selectbutton"): chooses one of several values. A focused and an
// unfocused picture, a left and a right arrow (each plain and focused) and a label.
#pragma once

#include "skinmodel/controls/ButtonBase.h"

#include <memory>

class TImageLayer;
class TTextLayer;

class TOSDSelectOneButton : public TOSDCustomButtonControl {
public:
    explicit TOSDSelectOneButton(TLayerCollection* ALayerCollection);
    ~TOSDSelectOneButton() override;

    std::unique_ptr<TTextLayer> LabelControl;       // part "buttonlabel"
    int32_t TextOffsetX = 15;                       // "TextOffsetX"; not shown in the preview
    int32_t TextOffsetX2 = 10;                      // "TextOffsetX2"; not shown in the preview
    std::unique_ptr<TImageLayer> ImageFocus;        // part "imgfocus"
    std::unique_ptr<TImageLayer> ImageLeft;         // part "imgleft"
    std::unique_ptr<TImageLayer> ImageLeftFocus;    // part "imgleftfocus"
    std::unique_ptr<TImageLayer> ImageNoFocus;      // part "imgnofocus"
    std::unique_ptr<TImageLayer> ImageRight;        // part "imgright"
    std::unique_ptr<TImageLayer> ImageRightFocus;   // part "imgrightfocus"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    // Both pictures and the label over the whole button; the arrows stay where they are.
    void LayoutParts() override;
    void Paint(TBitmap32& Buffer) override;
    TPartTable PartTable() override;
    // The published LabelText is the control's own "label", not the label part's text.
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
