// The label: one line of text in a skin font, aligned in the control's rectangle, with an optional
// shadow and one-pixel outline. A kind of its own ("label") and the caption part of composites.
#pragma once

#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/KeepValues.h"

#include <cstdint>
#include <string>

// The Windows font record the label draws with.
struct TLogFont {
    int32_t lfHeight = 14;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 400;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 4;  // ANTIALIASED_QUALITY
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = "Tahoma";  // zero-terminated, the rest zero

    std::string FaceName() const;
    // Face cut to 31 characters, zero-terminated, the rest of the field cleared.
    void SetFaceName(std::string_view face);
};

class TTextLayer : public TItemLayer {
public:
    explicit TTextLayer(TLayerCollection* ALayerCollection);

    std::string FontName;                                // "font"; change through SetFontName
    StringAlignment TextAlign = StringAlignmentNear;     // "align"
    uint32_t Textcolor = 0xFFFFFFFFu;                    // "textcolor"
    uint32_t TextSelectedColor = 0xFFFFFFFFu;            // "textselectedcolor"; not painted
    StringAlignment VerticalAlign = StringAlignmentCenter;  // "verticalalign"
    TLogFont FLogFont;
    bool Outline = false;                                // "outline"
    uint32_t OutlineColor = 0xFF000000u;                 // "outlinecolor"
    bool Shadow = false;                                 // "shadow"
    uint32_t ShadowColor = 0xFF000000u;                  // "Shadowcolor"
    int32_t ShadowX = 0;                                 // "shadowX"
    int32_t ShadowY = 0;                                 // "shadowY"

    // Looks the name up in "font.xml" afresh on every call, also for an unchanged name.
    void SetFontName(const std::string& V);
    void SetShadowColor(uint32_t V);
    void SetShadowX(int32_t V);
    void SetShadowY(int32_t V);
    void SetTextAlign(StringAlignment V);
    void SetTextcolor(uint32_t V);
    void SetVerticalAlign(StringAlignment V);

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    std::vector<TPropInfo> PublishedProperties() override;

    // The text the preview shows: "# Empty #" for none, "-" followed by the description for "-".
    std::string ShownText() const;
    // The DrawText flags for the alignments: single line with end and word ellipsis.
    uint32_t TextFlags() const;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
    int32_t HeightWhenLeftOut(const TSaveContext& Ctx) override;

private:
    void WriteOwnValues(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx, TReadBack readBack);
    // While saving: how the element being written is read again.
    TReadBack FSavingReadBack = TReadBack::Always;
};
