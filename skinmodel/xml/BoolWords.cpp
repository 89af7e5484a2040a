#include "skinmodel/xml/BoolWords.h"

#include "platform/core/Codec1252.h"

#include <charconv>

namespace {

std::vector<std::string>& TrueWords()
{
    static std::vector<std::string> words{"True"};
    return words;
}

std::vector<std::string>& FalseWords()
{
    static std::vector<std::string> words{"False"};
    return words;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A decimal number with optional sign, fraction and exponent, blanks around it allowed.
bool TryNumber(std::string_view s, double& value)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Digits or a point must come first: no "inf", "nan" or hexadecimal forms.
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.'))
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (ec != std::errc() && ec != std::errc::result_out_of_range)
        return false;
    if (end != s.data() + s.size())
        return false;
    if (negative)
        value = -value;
    return true;
}

}  // namespace

void SetTrueBoolStrs(std::vector<std::string> words) { TrueWords() = std::move(words); }
void SetFalseBoolStrs(std::vector<std::string> words) { FalseWords() = std::move(words); }
const std::vector<std::string>& TrueBoolStrs() { return TrueWords(); }
const std::vector<std::string>& FalseBoolStrs() { return FalseWords(); }

bool TryStrToBool(std::string_view text, bool& out)
{
    double number = 0;
    if (TryNumber(text, number)) {
        out = number != 0;
        return true;
    }
    for (const std::string& w : TrueWords())
        if (SameText1252(w, text)) {
            out = true;
            return true;
        }
    for (const std::string& w : FalseWords())
        if (SameText1252(w, text)) {
            out = false;
            return true;
        }
    return false;
}
