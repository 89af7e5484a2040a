// The colour selector for callers that only need a colour: loads `argb` (AARRGGBB), shows the dialog
// modally through the injectable dialogs and, after OK, stores the picked colour.
#pragma once

#include <cstdint>

class IColorSelector;
class QWidget;

// True and `argb` changed after OK; false and `argb` unchanged after Cancel. Without the program's
// selector, the one shown is a window of `parent`.
bool PickColor32(std::uint32_t& argb, QWidget* parent = nullptr);

// The same selector in the inspector's form, shown for `parent`; the program installs it with
// SetColorSelector.
IColorSelector& HSVColorSelector(QWidget* parent = nullptr);
