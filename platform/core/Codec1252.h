// The one conversion between the model's Windows-1252 bytes and QString, used at the UI boundary.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

QString FromWin1252(std::string_view bytes);
// None when a character has no Windows-1252 byte; `badChar` then receives the first such character.
std::optional<std::string> ToWin1252(const QString& text, QChar* badChar = nullptr);
// The Windows-1252 upper-case mapping of one byte (letters with accents included).
unsigned char UpperCase1252(unsigned char c);
unsigned char LowerCase1252(unsigned char c);
std::string UpperCase1252(std::string_view text);
std::string LowerCase1252(std::string_view text);
// Equal without regard to case, by the mapping above.
bool SameText1252(std::string_view a, std::string_view b);
// The code point of one byte; the five undefined bytes keep their C1 code point.
char16_t CodePointOf1252(unsigned char c);
// The byte of a code point, or -1 when Windows-1252 has none.
int ByteOf1252(char32_t cp);
