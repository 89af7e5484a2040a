// DrawText as the Windows GDI function does it, on a TBitmap32 with its current font.
// Rectangles are read as Windows rectangles: left(), top(), and right/bottom exclusive at
// left() + width(), top() + height(). Text is Windows-1252 bytes.
// Every call behaves as with DT_NOPREFIX: "&" is drawn as it is, never as a mnemonic.
#pragma once

#include "canvas/Bitmap32.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <string_view>

constexpr uint32_t DT_TOP = 0x0;
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_EXPANDTABS = 0x40;
constexpr uint32_t DT_TABSTOP = 0x80;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_EXTERNALLEADING = 0x200;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;
constexpr uint32_t DT_INTERNAL = 0x1000;
constexpr uint32_t DT_EDITCONTROL = 0x2000;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr uint32_t DT_MODIFYSTRING = 0x10000;
constexpr uint32_t DT_RTLREADING = 0x20000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x40000;

// Measures (DT_CALCRECT) or draws `text` into `rect` of `bitmap` in its current font and font colour.
// With DT_CALCRECT nothing is drawn; rect's right moves to left + the widest line and its bottom to
// top + the height of all lines. Returns the text height; with DT_VCENTER or DT_BOTTOM on a single
// line, the distance from rect's top to the bottom of the drawn text. 0 when nothing can be drawn.
int DrawText(TBitmap32& bitmap, std::string_view text, QRect& rect, uint32_t flags);

// The same with a font alone: only DT_CALCRECT does anything (measuring needs no bitmap).
int MeasureText(const TFont32& font, std::string_view text, QRect& rect, uint32_t flags);

// How many bytes from the start of `text` draw into `rect` with `flags` what the whole text draws
// there: the lines that can show and, for a line that goes on beyond the rectangle, the start that
// an ellipsis or the cut needs. The whole text where what shows depends on all of it (a centred or
// right-aligned line wider than the rectangle without an ellipsis; a text taller than the rectangle
// whose hidden lines may widen its text bitmap and so move a centred line or uncover slanted ink).
size_t ShownLength(const TFont32& font, std::string_view text, const QRect& rect, uint32_t flags);

// Draws into `image`, whose pixel (0, 0) stands for the point `origin` of the text's coordinates,
// so that a window of a larger drawing can be drawn alone. `image` must be Format_ARGB32_Premultiplied.
int DrawTextOnImage(QImage& image, const QPoint& origin, const TFont32& font, std::string_view text,
                    QRect& rect, uint32_t flags);
