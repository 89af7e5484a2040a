// The numeric input ("numinput"): a focused and an unfocused background picture and a label, with
// the number of digits and the label's inset.
#pragma once

#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/TextLayer.h"

#include <cstdint>
#include <memory>

class TOSDNumInputControl : public TItemLayer {
public:
    explicit TOSDNumInputControl(TLayerCollection* ALayerCollection);
    ~TOSDNumInputControl() override;

    int32_t CharCount = 0;                      // "digits"
    std::unique_ptr<TTextLayer> LabelControl;   // part "buttonlabel"
    int32_t TextOffset = 4;                     // "TextOffset": inset of a left-aligned label
    std::unique_ptr<TImageLayer> ImageFocus;    // part "imgfocus"
    std::unique_ptr<TImageLayer> ImageNoFocus;  // part "imgnofocus"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    // Both pictures over the field; the label too, moved right by TextOffset when left-aligned.
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
