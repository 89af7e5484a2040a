#include "editor/colour/model/ColourPictures.h"

#include "editor/colour/model/HSVLibrary.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int PreviewFrameContrast = -64;

// Raised edges for a positive contrast, sunken for a negative one.
void RaiseRect(QImage& bitmap, int contrast)
{
    const int alpha = std::min(255, std::abs(contrast) * 2);
    const QColor light(255, 255, 255, alpha);
    const QColor dark(0, 0, 0, alpha);
    const QColor& topLeft = contrast > 0 ? light : dark;
    const QColor& bottomRight = contrast > 0 ? dark : light;
    const int right = bitmap.width() - 1;
    const int bottom = bitmap.height() - 1;
    QPainter painter(&bitmap);
    painter.setPen(topLeft);
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 1, 0, bottom - 1);
    painter.setPen(bottomRight);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 1, right, bottom - 1);
}

TRGBTriple* Row(QImage& bitmap, int y)
{
    return reinterpret_cast<TRGBTriple*>(bitmap.scanLine(y));
}

} // namespace

TPaletteTable BuildPaletteTable()
{
    TPaletteTable table;
    for (int k = 0; k < 31; ++k) {
        const auto grey = static_cast<std::uint8_t>((k + 1) * 8);
        table[k] = {grey, grey, grey};
    }
    table[31] = {255, 255, 255};
    for (int k = 32; k < 256; ++k) {
        const int row = k / 32;
        const int column = k % 32 + 1;
        double r = 0, g = 0, b = 0;
        HSVToRGB(column / 32.0 * 360, row / 7.0, 1, r, g, b);
        table[k] = {static_cast<std::uint8_t>(RoundToEven(255 * r)), static_cast<std::uint8_t>(RoundToEven(255 * g)),
                    static_cast<std::uint8_t>(RoundToEven(255 * b))};
    }
    return table;
}

int PaletteIndexAt(int x, int y)
{
    return (((y / SwatchSize) * SwatchColumns + x / SwatchSize) % 256 + 256) % 256;
}

QImage PalettePicture(QSize size, const TPaletteTable& table)
{
    QImage bitmap(size, Bitmap24Format);
    bitmap.fill(Qt::black);
    const int width = std::min(bitmap.width(), SwatchColumns * SwatchSize);
    const int height = std::min(bitmap.height(), SwatchRows * SwatchSize);
    for (int y = 0; y < height; ++y) {
        TRGBTriple* row = Row(bitmap, y);
        for (int x = 0; x < width; ++x) {
            const TPaletteEntry& e = table[PaletteIndexAt(x, y)];
            row[x] = RGBToTriple(e.Red, e.Green, e.Blue);
        }
    }
    return bitmap;
}

QImage RGBGradient(QSize size, int fr, int fg, int fb)
{
    QImage bitmap(size, Bitmap24Format);
    for (int y = 0; y < bitmap.height(); ++y) {
        TRGBTriple* row = Row(bitmap, y);
        for (int x = 0; x < bitmap.width(); ++x)
            row[x] = RGBToTriple(static_cast<std::uint8_t>(x * fr), static_cast<std::uint8_t>(x * fg),
                                 static_cast<std::uint8_t>(x * fb));
    }
    return bitmap;
}

QImage HSVGradient(QSize size, int kind, int hue, int saturation, int value)
{
    QImage bitmap(size, Bitmap24Format);
    if (bitmap.isNull())
        return bitmap;
    TRGBTriple* first = Row(bitmap, 0);
    for (int x = 0; x < bitmap.width(); ++x) {
        if (kind == 0)
            first[x] = HSVToRGBTriple(MulDiv(360, x, 255), saturation, value);
        else if (kind == 1)
            first[x] = HSVToRGBTriple(hue, x, value);
        else
            first[x] = HSVToRGBTriple(hue, saturation, x);
    }
    for (int y = 1; y < bitmap.height(); ++y)
        std::copy(first, first + bitmap.width(), Row(bitmap, y));
    return bitmap;
}

QImage PreviewPicture(QSize size, int alpha, int red, int green, int blue)
{
    QImage bitmap(size, QImage::Format_ARGB32_Premultiplied);
    if (bitmap.isNull())
        return bitmap;
    bitmap.fill(Qt::transparent);
    {
        QPainter painter(&bitmap);
        painter.fillRect(bitmap.rect(), QColor(red & 255, green & 255, blue & 255, alpha & 255));
    }
    RaiseRect(bitmap, PreviewFrameContrast);
    return bitmap;
}

void PaintCheckerboard(QPainter& painter, const QRect& area)
{
    for (int y = area.top() / CheckerSize * CheckerSize; y <= area.bottom(); y += CheckerSize)
        for (int x = area.left() / CheckerSize * CheckerSize; x <= area.right(); x += CheckerSize) {
            const bool even = (x / CheckerSize + y / CheckerSize) % 2 == 0;
            painter.fillRect(QRect(x, y, CheckerSize, CheckerSize), even ? QColor(0xB0, 0xB0, 0xB0) : QColor(Qt::white));
        }
}
