// Text written into a rectangle of a paint buffer with DrawText flags, in an ARGB colour whose
// alpha is the opacity of the whole text, optionally smoothed by oversampling.
#pragma once

#include "canvas/Bitmap32.h"

#include <QRect>

#include <cstdint>
#include <string_view>

// Draws `Text` in Target's current font into DstRect (right and bottom exclusive, as Windows reads
// rectangles). Only DT_CENTER/DT_RIGHT and DT_VCENTER/DT_BOTTOM place the text; all flags go on to
// DrawText. AALevel is clamped to 0..4: 0 draws at the font's size, 1 to 4 draw 2^level times larger
// and scale down. The top byte of Color is the opacity (0 invisible), the rest its RGB.
// Leaves Target's font with non-antialiased quality (the only smoothing is the oversampling).
// An empty target, an empty or inverted rectangle draw nothing.
void RenderTextRect(TBitmap32& Target, const QRect& DstRect, uint32_t Flags, std::string_view Text, int AALevel,
                    uint32_t Color);

// Where a text bitmap of w by h lands in DstRect: DT_RIGHT before DT_CENTER, DT_VCENTER before
// DT_BOTTOM, each halving rounded down by itself.
struct TTextPlacement {
    int64_t X = 0;
    int64_t Y = 0;
};
TTextPlacement PlaceTextBitmap(const QRect& DstRect, uint32_t Flags, int64_t w, int64_t h);

// The Windows height of a font whose point size (at 96 pixels per inch) is taken 2^level times.
int OversampledFontHeight(int height, int level);
