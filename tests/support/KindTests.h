// Shared aids of the control-kind tests: a control saved as a page item to its exact text, items read through the factory, previews written as PNG files.
#pragma once

#include "canvas/Bitmap32.h"
#include "skinmodel/controls/ItemLayer.h"
#include "support/ControlXml.h"
#include "support/KindTesting.h"
#include "support/RoundTrip.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>


// Paints the control into a cleared buffer of the given size and writes it as
// VARNHOLT_TEST_OUTPUT/<Name>.png. Returns the buffer.
TBitmap32 PaintPreview(TItemLayer& Control, int Width, int Height, const std::string& Name);

// A rectangle no control should be harmed by, and the four every kind family is tried with:
// empty, inverted, huge and far off.
struct TBadRect {
    const char* name;
    TFloatRect rect;
};
std::vector<TBadRect> BadRects();
// Makes a control of the kind at the rectangle, lets Prepare set its values, paints it into a
// small buffer, then again in measuring mode, and saves it (no references): the control's own
// area is reported last both times, measuring draws nothing, and the text it saves reads back as
// a control of the same kind.
void ExpectPaintsMeasuresAndSaves(std::string_view Keyword, const TFloatRect& Rect,
                                  const std::function<void(TItemLayer&)>& Prepare);
