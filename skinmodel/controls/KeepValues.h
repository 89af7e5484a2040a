// Writing values that the reader resets. A part whose element is dropped keeps on reload what its
// owner's reference part gave it; a part whose element stays (and every control of its own) gets
// the reader's reset value instead. Which one a left-out value comes back as depends on whether
// the element is kept, so such controls write twice when needed.
#pragma once

#include <functional>

class TItemLayer;
class TJvSimpleXMLElem;
struct TSaveContext;

// True when the element that Control writes is read on reload whatever it holds: a control of
// its own, or a part its owner never drops.
bool ElementAlwaysRead(TItemLayer& Control, const TSaveContext& Ctx);

// Calls Write(elementRead) to append the control's values to Elem. Write first assumes the element
// may be dropped; when it then holds more than its description and type it will be read, so its
// children are written again assuming that.
void WriteKeepingResetValues(TJvSimpleXMLElem* Elem, TItemLayer& Control, const TSaveContext& Ctx,
                             const std::function<void(bool elementRead)>& Write);
