// Writing values that the reader resets. A part whose element is dropped keeps on reload what its
// owner's reference part gave it; a part whose element stays (and every control of its own) gets
// the reader's reset value instead. Which one a left-out value comes back as depends on whether
// the element is kept, so such controls write twice when needed.
#pragma once

#include <functional>

class TItemLayer;
class TJvSimpleXMLElem;
struct TSaveContext;

// How the element being written is read again.
enum class TReadBack {
    Always,      // a control of its own, or a part its owner never drops: the reader resets
    MayBeDropped,  // a part whose element is dropped when it holds nothing: the reference part's
    Kept,        // such a part whose element holds values, so it stays: either may apply
};

// What a left-out value comes back as: the reader's reset value, or what the owner's reference
// part gave (`kept`) when the element is dropped. For a part that is kept both count, so that a
// value equal to the reset value is still written and still keeps its element.
template <class T>
T LeftOutValue(const T& value, const T& kept, const T& reset, TReadBack mode)
{
    switch (mode) {
    case TReadBack::Always: return reset;
    case TReadBack::MayBeDropped: return kept;
    case TReadBack::Kept: break;
    }
    return value != reset ? reset : kept;
}

// True when the element that Control writes is read on reload whatever it holds: a control of
// its own, a part its owner never drops, or one that writes back children it does not read.
bool ElementAlwaysRead(TItemLayer& Control, const TSaveContext& Ctx);

// Calls Write(mode) to append the control's values to Elem. A part that its owner may drop is
// first written as such; when its element then holds more than its description and type it stays,
// so its children are written again as kept. ReadBack holds the mode being written (for the
// control's size hooks) and is Always again afterwards.
void WriteKeepingResetValues(TJvSimpleXMLElem* Elem, TItemLayer& Control, const TSaveContext& Ctx,
                             TReadBack& ReadBack, const std::function<void(TReadBack mode)>& Write);
