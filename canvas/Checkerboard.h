// The canvas's background: squares of two colours from the buffer's top-left corner, the first
// colour where row and column are both even or both odd.
#pragma once

#include "canvas/Bitmap32.h"

#include <cstdint>

constexpr int CHECKER_SIZE = 12;
constexpr uint32_t CHECKER_GREY = 0xFFB0B0B0u;
constexpr uint32_t CHECKER_WHITE = 0xFFFFFFFFu;

// Fills the buffer's clip rectangle; squares at the right and bottom edges are cut off.
void PaintCheckerboard(TBitmap32& buffer, int squareSize = CHECKER_SIZE, uint32_t first = CHECKER_GREY,
                       uint32_t second = CHECKER_WHITE);
