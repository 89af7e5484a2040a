// The edit field ("edit"): a plain control with a skin font name, a text colour and a background
// colour, previewed as a box in its background colour with its description.
#pragma once

#include "skinmodel/controls/ItemLayer.h"

#include <cstdint>
#include <string>

class TOSDEdit : public TItemLayer {
public:
    explicit TOSDEdit(TLayerCollection* ALayerCollection);

    std::string FontName;                 // "font"; not used by the preview
    uint32_t TextColor = 0xFFFFFFFFu;     // "textcolor"
    uint32_t BackgroundColor = 0;         // "backgroundcolor"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
