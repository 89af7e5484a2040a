// The program-wide words read as Boolean values; the control factory replaces the defaults.
#pragma once

#include <string>
#include <string_view>
#include <vector>

void SetTrueBoolStrs(std::vector<std::string> words);
void SetFalseBoolStrs(std::vector<std::string> words);
const std::vector<std::string>& TrueBoolStrs();
const std::vector<std::string>& FalseBoolStrs();
// A number is true when it is not zero; otherwise the words are compared without regard to case.
// False when the text is neither.
bool TryStrToBool(std::string_view text, bool& out);
