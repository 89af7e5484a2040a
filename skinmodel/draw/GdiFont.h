// Windows font records (TFont32) turned into Qt fonts: face names through metric-compatible
// substitutes, heights read as Windows reads them.
#pragma once

#include "canvas/Bitmap32.h"

#include <QFont>

constexpr int DEFAULT_QUALITY = 0;
constexpr int NONANTIALIASED_QUALITY = 3;
constexpr int ANTIALIASED_QUALITY = 4;

// Glyph sizes beyond this are drawn at this size; keeps absurd heights from files harmless.
constexpr int MaxFontPixels = 8192;

// The Qt font that stands for `font`: a negative height is the character (em) height in pixels,
// a positive one the cell height (ascent + descent), 0 the default cell of 16 pixels.
// Quality 3 draws without anti-aliasing. Needs a QGuiApplication.
QFont QFontFromFont32(const TFont32& font);

// The Qt family drawn for a Windows face name (Windows-1252 bytes).
QString FontFamilyForFace(std::string_view face);

// The look of the Windows stock system font: a bold sans serif in a 16-pixel cell, not smoothed.
void SetStockSystemFont(TFont32& font);
