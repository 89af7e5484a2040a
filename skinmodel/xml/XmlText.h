// Building blocks of the reader and the writer: entity coding on spans and name hashing.
#pragma once

#include <string>
#include <string_view>

namespace jvxml {

enum class Decoding { None, Full, NamedOnly };

// Appends `text` encoded as EncodeText does.
void AppendEncoded(std::string& out, std::string_view text);
// Writes `text` encoded to `out`, which has room for six bytes per input byte; returns the end.
char* PutEncoded(char* out, std::string_view text);
// Appends `text` decoded by `mode`.
void AppendDecoded(std::string& out, std::string_view text, Decoding mode);

}  // namespace jvxml
