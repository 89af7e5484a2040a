// Text files we read may come from older Windows installs: UTF-8 when it is valid, else Windows-1252.
#pragma once

#include <QString>

#include <string_view>

// A leading UTF-8 byte order mark is dropped.
QString DecodeUtf8Or1252(std::string_view bytes);
