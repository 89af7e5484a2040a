// Blended fills, frames and stretched pictures clamped to the paint buffer, so that a control of
// any size costs only the pixels that are visible.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

class TBitmap32;

// Fills the pixels Left..Right-1, Top..Bottom-1 of r with the ARGB colour, blended.
void FillRectBlend(TBitmap32& buffer, const QRect& r, uint32_t argb);
// A one-pixel frame along the inside edge of r, blended; no pixel is covered twice.
void FrameRectBlend(TBitmap32& buffer, const QRect& r, uint32_t argb);
// The whole picture stretched into r, blended with the given master alpha. Only the part of r
// inside the buffer is drawn. Empty or inverted rectangles draw nothing.
void DrawPictureStretched(TBitmap32& buffer, const QRect& r, const QImage& picture, uint8_t alpha);
// r as the edges Left, Top, Right, Bottom give it (Right and Bottom exclusive), without Qt's
// inclusive-edge arithmetic; an inverted rectangle stays empty.
QRect EdgeRect(int64_t left, int64_t top, int64_t right, int64_t bottom);
