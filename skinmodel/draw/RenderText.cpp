#include "skinmodel/draw/RenderText.h"

#include "skinmodel/draw/GdiFont.h"
#include "skinmodel/draw/GdiText.h"

#include <QImage>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

int64_t FloorHalf(int64_t v)
{
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

// Windows MulDiv: halves round away from zero.
int64_t MulDiv(int64_t a, int64_t b, int64_t c)
{
    const int64_t n = a * b;
    int64_t q = n / c;
    const int64_t r = n % c;
    if (2 * (r < 0 ? -r : r) >= c)
        q += n < 0 ? -1 : 1;
    return q;
}

int ClampInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

int64_t RectWidth(const QRect& r)
{
    return int64_t(r.right()) - r.left() + 1;
}

int64_t RectHeight(const QRect& r)
{
    return int64_t(r.bottom()) - r.top() + 1;
}

uint32_t Div255(uint32_t x)
{
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// The part of a w by h text bitmap at (X, Y) that lies on the target, in the text bitmap's pixels.
struct TVisible {
    int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return int(Right - Left); }
    int Height() const { return int(Bottom - Top); }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// Only the part being repainted counts: outside the target's clip nothing would be shown.
TVisible VisiblePart(const TBitmap32& target, const TTextPlacement& at, int64_t w, int64_t h)
{
    const QRect clip = target.ClipRect();
    TVisible v;
    v.Left = std::max<int64_t>(0, int64_t(clip.left()) - at.X);
    v.Top = std::max<int64_t>(0, int64_t(clip.top()) - at.Y);
    v.Right = std::min<int64_t>(w, int64_t(clip.left()) + clip.width() - at.X);
    v.Bottom = std::min<int64_t>(h, int64_t(clip.top()) + clip.height() - at.Y);
    return v;
}

// Places a w by h text bitmap; false when nothing of it lies on the target.
bool PlaceVisible(const TBitmap32& target, const QRect& DstRect, uint32_t Flags, int64_t w, int64_t h,
                  TTextPlacement& at, TVisible& v, QRect& placed)
{
    if (w <= 0 || h <= 0)
        return false;
    at = PlaceTextBitmap(DstRect, Flags, w, h);
    placed = QRect(ClampInt(at.X), ClampInt(at.Y), ClampInt(w), ClampInt(h));
    v = VisiblePart(target, at, w, h);
    return !v.Empty();
}

// A coverage mask of the visible part in RGB `rgb`, its alpha scaled by `master`, blended onto the
// target with its top left corner at target pixel (x, y).
void BlendMask(TBitmap32& target, int x, int y, const TVisible& v, const std::vector<uint8_t>& mask, uint32_t rgb,
               uint8_t master)
{
    QImage& img = target.Image();
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        img.convertTo(QImage::Format_ARGB32_Premultiplied);
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    const int w = v.Width();
    for (int row = 0; row < v.Height(); ++row) {
        auto* d = reinterpret_cast<uint32_t*>(img.scanLine(y + row)) + x;
        const uint8_t* m = mask.data() + size_t(row) * size_t(w);
        for (int col = 0; col < w; ++col) {
            const uint32_t a = Div255(uint32_t(m[col]) * master);
            if (a == 0)
                continue;
            const uint32_t inv = 255 - a;
            const uint32_t p = d[col];
            const uint32_t da = a + Div255((p >> 24) * inv);
            const uint32_t dr = Div255(r * a) + Div255(((p >> 16) & 0xFF) * inv);
            const uint32_t dg = Div255(g * a) + Div255(((p >> 8) & 0xFF) * inv);
            const uint32_t db = Div255(b * a) + Div255((p & 0xFF) * inv);
            d[col] = (da << 24) | (std::min(dr, da) << 16) | (std::min(dg, da) << 8) | std::min(db, da);
        }
    }
}

// Level 0: the text in white at its own size, cut to the rectangle; brightness is coverage.
bool RenderPlain(const TFont32& font, const QRect& DstRect, uint32_t Flags, std::string_view Text,
                 const TBitmap32& target, TTextPlacement& at, TVisible& v, QRect& placed, std::vector<uint8_t>& mask)
{
    // A long text is laid out only as far as it can show: a paint costs the same whatever its length.
    Text = Text.substr(0, ShownLength(font, Text, DstRect, Flags));
    QRect measured = DstRect;
    MeasureText(font, Text, measured, Flags | DT_CALCRECT);
    const int64_t w = std::min(RectWidth(measured), RectWidth(DstRect));
    const int64_t h = std::min(RectHeight(measured), RectHeight(DstRect));
    if (!PlaceVisible(target, DstRect, Flags, w, h, at, v, placed))
        return false;

    QImage t(v.Width(), v.Height(), QImage::Format_ARGB32_Premultiplied);
    t.fill(0);
    TFont32 white = font;
    white.Color = 0xFFFFFFFFu;
    QRect inside(0, 0, int(w), int(h));
    DrawTextOnImage(t, QPoint(int(v.Left), int(v.Top)), white, Text, inside, Flags);
    mask.resize(size_t(v.Width()) * size_t(v.Height()));
    for (int row = 0; row < t.height(); ++row) {
        const auto* s = reinterpret_cast<const uint32_t*>(t.constScanLine(row));
        for (int col = 0; col < t.width(); ++col)
            mask[size_t(row) * size_t(v.Width()) + size_t(col)] = uint8_t(s[col] & 0xFF);
    }
    return true;
}

// Levels 1 to 4: the text 2^level times larger, each block of 2^level by 2^level averaged into one
// pixel. The large drawing is made in tiles so that its size follows the visible part only.
bool RenderOversampled(const TFont32& font, const QRect& DstRect, uint32_t Flags, std::string_view Text, int level,
                       const TBitmap32& target, TTextPlacement& at, TVisible& v, QRect& placed,
                       std::vector<uint8_t>& mask)
{
    const int64_t k = int64_t(1) << level;
    TFont32 big = font;
    QRect r = DstRect;
    MeasureText(big, Text, r, Flags | DT_CALCRECT);
    r.setRight(ClampInt(r.left() + ((RectWidth(r) + 1) << level) - 2));
    big.Height = OversampledFontHeight(font.Height, level);
    MeasureText(big, Text, r, Flags | DT_CALCRECT);
    const int64_t wb = (((RectWidth(r) + 1) >> level) + 1) << level;
    const int64_t hb = RectHeight(r) + 1;
    const int64_t w = wb >> level, h = hb >> level;
    if (!PlaceVisible(target, DstRect, Flags, w, h, at, v, placed))
        return false;

    big.Color = 0xFFFFFFFFu;
    const std::string spaced = std::string(Text) + ' ';
    const int vw = v.Width();
    mask.assign(size_t(vw) * size_t(v.Height()), 0);
    const int64_t tile = std::max<int64_t>(1, 2048 >> level);
    for (int64_t ty = v.Top; ty < v.Bottom; ty += tile) {
        const int64_t th = std::min(tile, v.Bottom - ty);
        for (int64_t tx = v.Left; tx < v.Right; tx += tile) {
            const int64_t tw = std::min(tile, v.Right - tx);
            QImage b(int(tw * k), int(th * k), QImage::Format_ARGB32_Premultiplied);
            b.fill(0);
            QRect whole(0, 0, ClampInt(wb), ClampInt(hb));
            DrawTextOnImage(b, QPoint(ClampInt(tx * k), ClampInt(ty * k)), big, spaced, whole, Flags);
            for (int64_t y = 0; y < th; ++y)
                for (int64_t x = 0; x < tw; ++x) {
                    uint32_t sum = 0;
                    for (int64_t by = 0; by < k; ++by) {
                        const auto* s = reinterpret_cast<const uint32_t*>(b.constScanLine(int(y * k + by)));
                        for (int64_t bx = 0; bx < k; ++bx)
                            sum += s[x * k + bx] & 0xFF;
                    }
                    mask[size_t(ty - v.Top + y) * size_t(vw) + size_t(tx - v.Left + x)] =
                        uint8_t((sum >> level) >> level);
                }
        }
    }
    return true;
}

} // namespace

TTextPlacement PlaceTextBitmap(const QRect& DstRect, uint32_t Flags, int64_t w, int64_t h)
{
    const int64_t left = DstRect.left(), top = DstRect.top();
    const int64_t W = RectWidth(DstRect), H = RectHeight(DstRect);
    TTextPlacement at;
    if (Flags & DT_RIGHT)
        at.X = left + W - w;
    else if (Flags & DT_CENTER)
        at.X = left + FloorHalf(W) - FloorHalf(w);
    else
        at.X = left;
    if (Flags & DT_VCENTER)
        at.Y = top + FloorHalf(H) - FloorHalf(h);
    else if (Flags & DT_BOTTOM)
        at.Y = top + H - h;
    else
        at.Y = top;
    return at;
}

int OversampledFontHeight(int height, int level)
{
    const int64_t points = -MulDiv(height, 72, 96) * (int64_t(1) << std::clamp(level, 0, 4));
    return ClampInt(-MulDiv(points, 96, 72));
}

void RenderTextRect(TBitmap32& Target, const QRect& DstRect, uint32_t Flags, std::string_view Text, int AALevel,
                    uint32_t Color)
{
    if (Target.Empty())
        return;
    const uint8_t opacity = uint8_t(Color >> 24);
    Color &= 0x00FFFFFFu;
    const int level = std::clamp(AALevel, 0, 4);
    // Glyphs without the system's smoothing: the oversampling is the only smoothing.
    Target.Font.Quality = NONANTIALIASED_QUALITY;
    if (RectWidth(DstRect) <= 0 || RectHeight(DstRect) <= 0 || opacity == 0)
        return;
    // Text at its own size never leaves DstRect, so a rectangle outside the repainted part costs
    // no measuring. What a full paint covers is reported whatever part is repainted: the canvas
    // repaints it when the text moves (a shadow or outline lies beside the control's rectangle).
    if (level == 0) {
        Target.Changed(DstRect);
        if (!DstRect.intersects(Target.ClipRect()))
            return;
    }

    TTextPlacement at;
    TVisible v;
    QRect placed;
    std::vector<uint8_t> mask;
    const bool any = level == 0
        ? RenderPlain(Target.Font, DstRect, Flags, Text, Target, at, v, placed, mask)
        : RenderOversampled(Target.Font, DstRect, Flags, Text, level, Target, at, v, placed, mask);
    // Oversampled text may be wider than DstRect.
    if (level > 0 && !placed.isEmpty())
        Target.Changed(placed);
    if (any)
        BlendMask(Target, int(at.X + v.Left), int(at.Y + v.Top), v, mask, Color, opacity);
}
