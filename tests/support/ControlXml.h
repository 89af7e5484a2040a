// Control elements as text for the kind tests: the exact text a control saves, compact views of
// it, and controls read from such a text through the factory.
#pragma once

#include "skinmodel/controls/ItemLayer.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class TJvSimpleXMLElem;

// The lines joined with CR LF after each, behind the document's declaration line.
std::string XmlLines(std::initializer_list<std::string_view> lines);
// An item's part as one XmlLines entry (its lines joined with CR LF): role, type, then the values.
std::string PartLines(std::string_view role, std::string_view type,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> values = {});
// Test text with "\n" line ends (a leading line end dropped), for comparisons with SavedItem.
std::string Lines(std::string_view text);

// The control saved into a root element named "item", as the document writes it.
std::string SavedControlText(TItemLayer& control, TItemLayer* ref = nullptr, bool subControl = false);
// The same text without the declaration line and with "\n" line ends.
std::string SavedItem(TItemLayer& control);

// The element's children as "name=value" joined by "; ", nested children in braces:
// "description=x; type=Image; subcontrols{control{description=a; type=Testpart}}".
std::string Children(const TJvSimpleXMLElem* elem);
// Saves the control as a page item (no reference given, not a part) and returns Children().
std::string SavedChildren(TItemLayer& control);

// The text of the child of that name (the last one, any case), or "(none)".
std::string ChildText(TJvSimpleXMLElem* elem, std::string_view name);
// A saved control whose children are looked up by name.
struct TSavedElement {
    std::string Text;
    std::string Child(std::string_view name) const;
};
TSavedElement SaveElement(TItemLayer& control, TItemLayer* ref = nullptr, bool subControl = false);

// A control from the element text, as the page reader creates it.
std::unique_ptr<TItemLayer> ControlFromText(std::string_view text, bool applyReference = true);

// The same, when it is of kind T (nothing otherwise).
template <class T>
std::unique_ptr<T> KindFromText(std::string_view text, bool applyReference = true)
{
    std::unique_ptr<TItemLayer> c = ControlFromText(text, applyReference);
    T* kind = dynamic_cast<T*>(c.get());
    if (kind)
        c.release();
    return std::unique_ptr<T>(kind);
}
