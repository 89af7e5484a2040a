// A 32-bit paint buffer: a premultiplied ARGB QImage with the font and bookkeeping the control
// previews expect (a current font, a measuring mode, change reports).
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// Area report flag: the reported rectangle is an area (not a line).
constexpr uint32_t AREAINFO_RECT = 0x80000000u;

// The buffer's current font, described as a Windows font record would describe it.
struct TFont32 {
    std::string Name = "Tahoma";  // face name, Windows-1252
    int Height = -11;             // Windows font height: negative = character height in pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Quality = 0;              // 3 = non-antialiased, 4 = antialiased; a hint only
    uint32_t Color = 0xFF000000u; // ARGB
    // Pixel size of the glyph cell height for QFont::setPixelSize.
    int PixelHeight() const { return Height < 0 ? -Height : (Height == 0 ? 16 : Height); }
};

enum class TDrawMode { dmOpaque, dmBlend };

class TBitmap32 {
public:
    TBitmap32() = default;
    TBitmap32(int width, int height);

    void SetSize(int width, int height);  // contents cleared to 0
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool Empty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
    QRect BoundsRect() const { return QRect(0, 0, Width(), Height()); }

    QImage& Image() { return FImage; }
    const QImage& Image() const { return FImage; }

    void Clear(uint32_t argb = 0);

    // The part of the buffer being repainted; painting outside it is wasted work (it is not shown).
    // The whole buffer unless the view narrows it.
    QRect ClipRect() const { return FClipSet ? FClipRect : BoundsRect(); }
    void SetClipRect(const QRect& r) { FClipRect = r.intersected(BoundsRect()); FClipSet = true; }
    void ResetClipRect() { FClipSet = false; }

    TFont32 Font;
    TDrawMode DrawMode = TDrawMode::dmOpaque;
    uint8_t MasterAlpha = 255;

    // While measuring, controls do not draw, they only report the area they cover.
    bool MeasuringMode() const { return FMeasuring; }
    void SetMeasuringMode(bool on) { FMeasuring = on; }

    // Controls report what they painted; the view repaints only these areas.
    void Changed(const QRect& area, uint32_t info = AREAINFO_RECT);
    const std::vector<QRect>& ChangedAreas() const { return FChanged; }
    void ClearChangedAreas() { FChanged.clear(); }

private:
    QImage FImage;
    QRect FClipRect;
    bool FClipSet = false;
    bool FMeasuring = false;
    std::vector<QRect> FChanged;
};
