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
