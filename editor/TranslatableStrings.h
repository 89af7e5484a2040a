// The user-interface texts a language file may replace (keys "1" to "22" of its section "Strings").
#pragma once

#include <QString>

constexpr int TranslatableStringCount = 22;

// Text number n (1..22); replaced at run time by the language file.
QString& TranslatableString(int n);
// Back to the built-in English texts (tests and a language switch start from here).
void ResetTranslatableStrings();
