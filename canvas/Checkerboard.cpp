#include "canvas/Checkerboard.h"

#include <cstring>
#include <vector>

void PaintCheckerboard(TBitmap32& buffer, int squareSize, uint32_t first, uint32_t second)
{
    const QRect clip = buffer.ClipRect();
    if (buffer.Empty() || clip.isEmpty() || squareSize <= 0)
        return;
    const QRgb a = qPremultiply(first), b = qPremultiply(second);
    const int left = clip.left(), width = clip.width();
    // One line for even square rows and one for odd ones, copied into every line of the clip.
    std::vector<QRgb> evenRow(static_cast<size_t>(width)), oddRow(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i) {
        const bool evenColumn = ((left + i) / squareSize) % 2 == 0;
        evenRow[static_cast<size_t>(i)] = evenColumn ? a : b;
        oddRow[static_cast<size_t>(i)] = evenColumn ? b : a;
    }
    QImage& img = buffer.Image();
    const size_t bytes = static_cast<size_t>(width) * sizeof(QRgb);
    for (int y = clip.top(); y <= clip.bottom(); ++y) {
        const std::vector<QRgb>& row = (y / squareSize) % 2 == 0 ? evenRow : oddRow;
        std::memcpy(reinterpret_cast<QRgb*>(img.scanLine(y)) + left, row.data(), bytes);
    }
}
