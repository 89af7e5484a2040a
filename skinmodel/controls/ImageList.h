// The thumbnail panel ("thumbnailpanel"): a list whose items are pictures, each a texture with a
// focused variant and a thumbnail inside, in a small and a big size, and an item text.
#pragma once

#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ListControls.h"

#include <cstdint>
#include <memory>
#include <string>

class TOSDImageList : public TOSDCustomList {
public:
    explicit TOSDImageList(TLayerCollection* ALayerCollection);
    ~TOSDImageList() override;

    bool HideText = false;                                 // "HideText"
    int32_t ItemHeightBig = 0;                             // "ItemHeightBig"
    int32_t ItemHeightSmall = 0;                           // "ItemHeightLow"
    int32_t ItemWidthBig = 0;                              // "ItemWidthBig"
    int32_t ItemWidthSmall = 0;                            // "ItemWidthLow"
    uint32_t SelectedColor = 0;                            // "selectedcolor"
    uint32_t Textcolor = 0;                                // "textcolor"
    std::unique_ptr<TImageLayer> ImageCurrent;             // part "imgFolder"
    std::unique_ptr<TImageLayer> ImageCurrentFocus;        // part "imgFolderFocus"
    int32_t ImageCurrentHeightBig = 0;                     // "TextureHeightBig"
    int32_t ImageCurrentHeightSmall = 80;                  // "TextureHeightLow"
    int32_t ImageCurrentWidthBig = 0;                      // "TextureWidthBig"
    int32_t ImageCurrentWidthSmall = 80;                   // "TextureWidthLow"
    int32_t ImageHeightSmall = 64;                         // "ThumbHeightLow"
    int32_t ImageHeightBig = 0;                            // "ThumbHeightBig"
    int32_t ImageWidthBig = 0;                             // "ThumbWidthBig"
    int32_t ImageWidthSmall = 64;                          // "ThumbWidthLow"
    int32_t ImageXBig = 0;                                 // "ThumbXPosBig"
    int32_t ImageXSmall = 0;                               // "ThumbXPosLow"
    int32_t ImageYBig = 0;                                 // "ThumbYPosBig"
    int32_t ImageYSmall = 0;                               // "ThumbYPosLow"
    int32_t Zoomfactor = 8;                                // "Zoomfactor"
    std::string FontName;                                  // "font"

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    // The focused texture at the top left corner moved by the small texture size, that size.
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
