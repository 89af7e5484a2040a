// The colour selector's pictures, apart from its widgets: the 256-colour palette, the gradient bars,
// the preview with alpha and its checkerboard.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>

class QPainter;

struct TPaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
};

inline constexpr int SwatchSize = 10;
inline constexpr int SwatchColumns = 32;
inline constexpr int SwatchRows = 8;
inline constexpr int CheckerSize = 8;

// 31 greys from 8 to 248 (no black), white, then seven rows of 32 hues (the last is red again) with
// the saturation rising row by row to full.
using TPaletteTable = std::array<TPaletteEntry, 256>;
TPaletteTable BuildPaletteTable();
// The swatch under a point of the palette picture: (y div 10) * 32 + x div 10, modulo 256.
int PaletteIndexAt(int x, int y);
// 10 by 10 swatches, 32 to a row, in table order.
QImage PalettePicture(QSize size, const TPaletteTable& table);

// Column x is (x * fr, x * fg, x * fb), each product taken as a byte.
QImage RGBGradient(QSize size, int fr, int fg, int fb);
// Kind 0: hue MulDiv(360, x, 255) at saturation and value; 1: saturation x at hue and value;
// 2: value x at hue and saturation.
QImage HSVGradient(QSize size, int kind, int hue, int saturation, int value);
// The colour with its alpha over transparency, framed sunken.
QImage PreviewPicture(QSize size, int alpha, int red, int green, int blue);
// 8 by 8 squares, light grey where column + row is even (so the top-left one), white elsewhere.
void PaintCheckerboard(QPainter& painter, const QRect& area);
