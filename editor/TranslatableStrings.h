// The user-interface texts a language file may replace (keys "1" to "22" of its section "Strings").
#pragma once

#include <QString>

constexpr int TranslatableStringCount = 22;

// Text number n (1..22); replaced at run time by the language file.
QString& TranslatableString(int n);
// The caption of Elements menu entry `index` (0..19, in menu order; keys "0" to "19" of the
// section "Menuitems"); replaced at run time by the language file.
QString& ElementMenuCaption(int index);
// Back to the built-in English texts and captions (tests start from here).
void ResetTranslatableStrings();
