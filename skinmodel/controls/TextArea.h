// The text box ("textbox"): a box of text in a skin font with a spin part. The preview shows the
// placeholder and the spin part; the text itself is the player's.
#pragma once

#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/UpDownControl.h"

#include <cstdint>
#include <memory>
#include <string>

class TOSDTextArea : public TItemLayer {
public:
    explicit TOSDTextArea(TLayerCollection* ALayerCollection);
    ~TOSDTextArea() override;

    std::string FontName;                              // "font"
    bool Standalone = false;                           // "standalone"
    StringAlignment TextAlign = StringAlignmentNear;   // "align"
    uint32_t Textcolor = 0xFFFFFFFFu;                  // read "textcolor", written "textColor"
    std::unique_ptr<TOSDUpDownControl> upDown;         // part "upDown"
    bool enableUpDown = false;                         // "enableupdown"
    int32_t Spacing = 0;                               // "space"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    // The spin part keeps its own place; only its buttons are placed.
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
