// The list kinds: the list base with its spin part, the list ("listcontrol") whose items show up
// to three texts, an icon and an item button, and the TV list ("tvlistcontrol") with a title
// button above the items and a background picture behind them. The editor never fills a list
// with items; it keeps, paints, reads and writes the list's values and parts.
#pragma once

#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/SimpleButton.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/UpDownControl.h"

#include <cstdint>
#include <memory>
#include <string>

// The base of the list, the TV list and the thumbnail panel; never made by the factory.
class TOSDCustomList : public TItemLayer {
public:
    explicit TOSDCustomList(TLayerCollection* ALayerCollection);
    ~TOSDCustomList() override;

    // Spin part; created as an integer spin with left-aligned text.
    std::unique_ptr<TOSDUpDownControl> UpDown;

    std::vector<TPropInfo> PublishedProperties() override;
};

class TOSDList : public TOSDCustomList {
public:
    explicit TOSDList(TLayerCollection* ALayerCollection);
    ~TOSDList() override;

    std::unique_ptr<TOSDSimpleButton> Button;          // part "Button"; its text is "-"
    std::string FontName;                              // "font"
    std::string Fontname2;                             // "font2"
    std::string Fontname3;                             // "font3"
    int32_t IconOffsetX = 8;                           // "IconOffsetX"
    int32_t IconOffsetY = 5;                           // "IconOffsetY"
    int32_t ImageHeight = 16;                          // "ImageHeight"
    int32_t ImageWidth = 16;                           // "ImageWidth"
    int32_t ItemHeight = 0;                            // "ItemHeight"
    bool Ratio = true;                                 // "keepaspectratio"
    uint32_t SelectedColor = 0;                        // "selectedcolor"
    uint32_t SelectedColor2 = 0;                       // "selectedcolor2"
    uint32_t SelectedColor3 = 0;                       // "selectedcolor3"
    uint32_t DisableColor = 0x20FFFFFFu;               // "ShadedColor"
    int32_t Spacing = 4;                               // "space"
    bool Standalone = false;                           // "standalone"
    StringAlignment TextAlign = StringAlignmentCenter; // "align1"
    uint32_t Textcolor = 0;                            // "textcolor"
    uint32_t Textcolor2 = 0;                           // "textcolor2"
    uint32_t Textcolor3 = 0;                           // "textcolor3"
    int32_t TextOffset_1_X = 0;                        // "TextOffsetX"
    int32_t TextOffset_1_Y = 0;                        // "TextOffsetY"
    int32_t TextOffset_2_X = 0;                        // "TextOffsetX2"
    int32_t TextOffset_2_Y = 0;                        // "TextOffsetY2"
    int32_t TextOffset_3_X = 0;                        // "TextOffsetX3"
    int32_t TextOffset_3_Y = 0;                        // "TextOffsetY3"
    bool TextVisible = true;                           // "TextVisible"
    bool TextVisible2 = true;                          // "TextVisible2"
    bool TextVisible3 = true;                          // "TextVisible3"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    // The item button one item height below the list's top, as wide as the list.
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};

class TOSDTVList : public TOSDList {
public:
    explicit TOSDTVList(TLayerCollection* ALayerCollection);
    ~TOSDTVList() override;

    std::unique_ptr<TOSDSimpleButton> TitleButton;     // part "titlebutton"
    std::unique_ptr<TImageLayer> ImageBackgound;       // part "image"

    void Paint(TBitmap32& Buffer) override;
    // Background over the whole list, title button at its top, item button two items down.
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;
};
