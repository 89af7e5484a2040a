// The image: a picture from the skin's "images" folder stretched to the control, or a drawn shape
// (rectangle, ellipse, rounded rectangle) with fill and outline colours. A kind of its own
// ("image") and the picture part of composites.
#pragma once

#include "skinmodel/PictureCache.h"
#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/KeepValues.h"

#include <cstdint>
#include <string>

class TImageLayer : public TItemLayer {
public:
    explicit TImageLayer(TLayerCollection* ALayerCollection);
    ~TImageLayer() override;

    // The loaded picture, shared with every other control showing the same unchanged file.
    TPicture Bitmap;
    uint32_t Color = 0;                      // "color"; change through SetColor
    uint32_t Color2 = 0;                     // "color2"; not painted
    uint32_t ColorKey = 0;                   // "colorkey"; not painted; change through SetColorKey
    int32_t Corner = 10;                     // "corner"
    TeOrientation Direction = Horizontal;    // "direction"; any byte from a file is kept
    std::string FileName;                    // "texture"; change through SetFileName
    TGraphicsType GraphicsType = GT_IMAGE;   // "graphicstyp"
    bool Ratio = false;                      // "keepaspectratio"; not applied in the preview
    int32_t Outline = 0;                     // "outline"
    uint32_t OutlineColor = 0;               // "outlinecolor"

    // Keeps only the file-name part and loads the picture again, also for an unchanged name.
    void SetFileName(const std::string& V);
    // The reader merges "color" and "colorkey" into one value, so setting either sets both:
    // otherwise an edit of one is lost on reload.
    void SetColor(uint32_t V);
    void SetColorKey(uint32_t V) { SetColor(V); }

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    std::vector<TPropInfo> PublishedProperties() override;

    // The full path of a picture of the open project's "images" folder, found whatever its case;
    // empty without a project or without such a file.
    static QString PicturePath(const std::string& FileName);

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
    int32_t WidthWhenLeftOut(const TSaveContext& Ctx) override;
    int32_t HeightWhenLeftOut(const TSaveContext& Ctx) override;

private:
    void WriteOwnValues(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx, TReadBack readBack);
    TReadBack FSavingReadBack = TReadBack::Always;
};
