// The colour selector for callers that only need a colour: loads `argb` (AARRGGBB), shows the dialog
// modally through the injectable dialogs and, after OK, stores the picked colour.
#pragma once

#include <cstdint>

// True and `argb` changed after OK; false and `argb` unchanged after Cancel.
bool PickColor32(std::uint32_t& argb);
