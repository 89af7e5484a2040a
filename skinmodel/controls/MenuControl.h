// The menu ("menu"): menu items drawn with one item button over a background picture. The menu
// writes its own values whatever its reference says.
#pragma once

#include "skinmodel/controls/SimpleButton.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"

#include <cstdint>
#include <memory>
#include <string>

class TOSDMenuControl : public TItemLayer {
public:
    explicit TOSDMenuControl(TLayerCollection* ALayerCollection);
    ~TOSDMenuControl() override;

    std::unique_ptr<TOSDSimpleButton> Button;   // part "Button"; its text is "-"
    std::string SmallFont;                      // "SmallFont"; empty unless the element names it
    std::unique_ptr<TImageLayer> Background;    // part "image"
    bool DoAlpha = true;                        // "DoAlpha"
    int32_t Spacing = 4;                        // "Space"
    bool Standalone = false;                    // "standalone"
    bool UseHotZones = true;                    // "UseHotzones"
    int32_t WidthOffset = 4;                    // "WidthOffset"
    int32_t XOffset = 4;                        // "XOffset"
    uint32_t SelectedColor = 0;                 // "SelectedColor"; 0 unless the element names it

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    // The background over the menu; the item button at the menu's top, indented by XOffset and
    // narrowed by XOffset and WidthOffset, keeping its own height.
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
