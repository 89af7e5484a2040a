// The skin fonts of the open project's "font.xml", as the text-drawing controls look them up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Face, size (points) and style bits (1 bold, 2 italic, 4 underline) of the font Name (compared
// without regard to case; the last such font wins). False, with "Arial", 12, 0 as far as nothing
// was found, when there is no project, no "font.xml", or it cannot be read. A "font" element that
// lacks its name, face or height, or holds no number in "height" or "style", is skipped.
bool LookupSkinFont(std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style);

// "debugfont", then the name of every "font" element in file order (empty names and duplicates
// included).
std::vector<std::string> GetSkinFontNames();
