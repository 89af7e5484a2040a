// The plain button ("button"): a focused and an unfocused picture and a text label. Besides
// standing on a page it is the item button of the lists and the menu.
#pragma once

#include "skinmodel/controls/ButtonBase.h"

#include <memory>

class TImageLayer;
class TTextLayer;

class TOSDSimpleButton : public TOSDCustomButtonControl {
public:
    explicit TOSDSimpleButton(TLayerCollection* ALayerCollection);
    ~TOSDSimpleButton() override;

    std::unique_ptr<TTextLayer> LabelControl;    // part "buttonlabel"
    int32_t TextOffsetX = 10;                    // "TextOffsetX": label inset of a left-aligned text
    std::unique_ptr<TImageLayer> ImageFocus;     // part "imgfocus"
    std::unique_ptr<TImageLayer> ImageNoFocus;   // part "imgnofocus"

    // The published LabelText is the label part's text.
    std::string GetLabelText() const;
    void SetLabelText(const std::string& V);

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    // Both pictures over the whole button; the label too, inset by TextOffsetX when left-aligned.
    void LayoutParts() override;
    // The focused look: the focused picture and the label.
    void Paint(TBitmap32& Buffer) override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
