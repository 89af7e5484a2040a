// Compact views of saved control elements for exact comparisons in tests.
#pragma once

#include <string>
#include <string_view>

class TJvSimpleXMLElem;
class TItemLayer;

// The element's children as "name=value" joined by "; ", nested children in braces:
// "description=x; type=Image; subcontrols{control{description=a; type=Testpart}}".
std::string Children(const TJvSimpleXMLElem* elem);

// Saves the control as a page item (no reference given, not a part) and returns Children().
std::string SavedChildren(TItemLayer& control);
// The same element as the whole text the page writer's document produces.
std::string SavedText(TItemLayer& control);
