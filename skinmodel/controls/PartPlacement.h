// Helpers of the composite kinds: placing parts from values of any size a file can hold, and
// asking whether an owner drops a part's element.
#pragma once

#include <cstdint>

class TItemLayer;
struct TSaveContext;

// v clamped to the signed 32-bit range; sums of file values are formed in 64 bits first.
int32_t ClampToInt32(int64_t v);

// Sets a part's X, width, Y and height in this order through its own setters.
void PlacePart(TItemLayer& Part, int64_t X, int64_t Width, int64_t Y, int64_t Height);

// True when Part's owner drops Part's element when it holds only its description and type, in
// the branch (with or without a reference) that Ctx describes.
bool PartMayBeDropped(TItemLayer& Part, const TSaveContext& Ctx);
