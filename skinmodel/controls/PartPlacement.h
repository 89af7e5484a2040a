// Placing parts from values of any size a file can hold.
#pragma once

#include <cstdint>

class TItemLayer;
class TTextLayer;
struct TFloatRect;

// v clamped to the signed 32-bit range; sums of file values are formed in 64 bits first.
int32_t ClampToInt32(int64_t v);

// Sets a part's X, width, Y and height in this order through its own setters.
void PlacePart(TItemLayer& Part, int64_t X, int64_t Width, int64_t Y, int64_t Height);

// Both pictures over R, and the label too, its left edge moved right by Inset when it is
// left-aligned (the button and the numeric input).
void PlacePicturesAndLabel(const TFloatRect& R, TItemLayer& Focus, TItemLayer& NoFocus, TTextLayer& Label,
                           int64_t Inset);
