#include "skinmodel/controls/PaintAids.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/draw/BlendBands.h"

#include <QPainter>

#include <algorithm>

namespace {

QRect Visible(const TBitmap32& buffer, const QRect& r)
{
    if (r.isEmpty() || buffer.Empty())
        return {};
    return r.intersected(buffer.BoundsRect());
}

// The part of r that is repainted: a partial repaint leaves everything else alone.
QRect Repainted(const TBitmap32& buffer, const QRect& r)
{
    if (r.isEmpty() || buffer.Empty())
        return {};
    return r.intersected(buffer.ClipRect());
}

}  // namespace

QRect EdgeRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    // Keep the edges within what QRect can hold; anything beyond is far outside any buffer.
    static constexpr int64_t Limit = int64_t(1) << 29;
    auto clamp = [](int64_t v) { return int(std::clamp<int64_t>(v, -Limit, Limit)); };
    if (right <= left || bottom <= top)
        return {};
    const int l = clamp(left), t = clamp(top), r = clamp(right), b = clamp(bottom);
    if (r <= l || b <= t)
        return {};
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

void FillRectBlend(TBitmap32& buffer, const QRect& r, uint32_t argb)
{
    const QRect v = Repainted(buffer, r);
    if (v.isEmpty() || (argb >> 24) == 0)
        return;
    QPainter p(&buffer.Image());
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    PaintInBands(p, v, v, Qt::Horizontal, [&] { p.fillRect(v, QColor::fromRgba(argb)); });
}

void FrameRectBlend(TBitmap32& buffer, const QRect& r, uint32_t argb)
{
    if (r.isEmpty())
        return;
    const int l = r.left(), t = r.top(), w = r.width(), h = r.height();
    FillRectBlend(buffer, QRect(l, t, w, 1), argb);
    if (h > 1)
        FillRectBlend(buffer, QRect(l, t + h - 1, w, 1), argb);
    if (h > 2) {
        FillRectBlend(buffer, QRect(l, t + 1, 1, h - 2), argb);
        if (w > 1)
            FillRectBlend(buffer, QRect(l + w - 1, t + 1, 1, h - 2), argb);
    }
}

void DrawPictureStretched(TBitmap32& buffer, const QRect& r, const QImage& picture, uint8_t alpha)
{
    const QRect v = Visible(buffer, r);
    if (v.isEmpty() || picture.isNull() || alpha == 0 || Repainted(buffer, r).isEmpty())
        return;
    // The source rectangle that maps onto the visible part of r.
    const double sx = double(picture.width()) / r.width();
    const double sy = double(picture.height()) / r.height();
    const QRectF source((v.left() - r.left()) * sx, (v.top() - r.top()) * sy, v.width() * sx, v.height() * sy);
    QPainter p(&buffer.Image());
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(alpha / 255.0);
    // Nearest-pixel stretching, as the canvas always showed pictures.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Clipped rather than cut: every pixel inside takes the same source pixel as in a full repaint.
    if (buffer.ClipRect() != buffer.BoundsRect())
        p.setClipRect(buffer.ClipRect());
    PaintInBands(p, buffer.ClipRect(), v, Qt::Horizontal, [&] { p.drawImage(QRectF(v), picture, source); });
}
