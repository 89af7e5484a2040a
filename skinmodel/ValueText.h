// Text forms of the values in skin files. Locale-free: the process locale never decides how a
// number reads or writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x",
// "X", "0x" or "0X". None for anything else or a value outside the signed 32-bit range.
std::optional<int32_t> ParseInteger(std::string_view text);
// ParseInteger, with 0 for text that is no number.
int32_t TextToInteger(std::string_view text);

// Up to sixteen hexadecimal digits (either case, nothing else); the low 32 bits. 0 for other text.
uint32_t TextToColor(std::string_view text);

// Signed decimal, "-" for negatives, no leading zeros.
std::string IntegerToText(int64_t value);
// Eight upper-case hexadecimal digits, alpha first.
std::string ColorToText(uint32_t argb);

// ASCII lower case, byte by byte; other bytes stay.
std::string LowerAscii(std::string_view text);
