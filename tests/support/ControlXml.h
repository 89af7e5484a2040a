// Control elements as text for the kind tests: the expected text of a saved element, and a
// control read from such a text through the factory.
#pragma once

#include "skinmodel/controls/ItemLayer.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

// The lines joined with CR LF after each, behind the document's declaration line.
std::string XmlLines(std::initializer_list<std::string_view> lines);
// A control from the element text (a "control" root), as the page reader creates it.
std::unique_ptr<TItemLayer> ControlFromText(std::string_view text, bool applyReference = true);

template <class T>
std::unique_ptr<T> KindFromText(std::string_view text, bool applyReference = true)
{
    std::unique_ptr<TItemLayer> c = ControlFromText(text, applyReference);
    T* kind = dynamic_cast<T*>(c.get());
    if (kind)
        c.release();
    return std::unique_ptr<T>(kind);
}
