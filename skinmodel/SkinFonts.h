// The skin's named fonts and their file "font.xml": each name maps to a face, a size in points and
// style bits. The one reader of the file, with the two ways it is read: the controls look a font up
// by name, the fonts window reads the whole list to edit and write it back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TJvSimpleXML;
class TJvSimpleXMLElem;

// Style bits of a skin font; other bits are kept as read.
enum : int32_t { FontStyleBold = 1, FontStyleItalic = 2, FontStyleUnderline = 4 };

// One skin font. Texts are the skin's Windows-1252 bytes.
class TOSDFont {
public:
    TOSDFont(std::string Name, std::string FileName, int32_t Height, int32_t Style)
        : Style(Style), FileName(std::move(FileName)), Height(Height), Name(std::move(Name))
    {
    }

    int32_t Style = 0;
    std::string FileName;  // the face name, kept as written
    int32_t Height = 0;    // points
    std::string Name;      // the key by which controls refer to the font

    friend bool operator==(const TOSDFont&, const TOSDFont&) = default;
};

// ---- the controls' lookup ------------------------------------------------------------------

// Face, size (points) and style bits of the font Name in Doc (compared without regard to case;
// the last such font wins). Only children named "font" count; one that lacks its name, face or
// height, or holds no number in "height" or "style", is skipped. False, with "Arial", 12, 0, when
// there is no document (no project, no "font.xml", unreadable, root not "fonts").
bool LookupFontIn(const TJvSimpleXML* Doc, std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style);

// "debugfont", then the name of every "font" element in file order (empty names and duplicates
// included).
std::vector<std::string> FontNamesIn(const TJvSimpleXML* Doc);

// ---- the fonts window's list ---------------------------------------------------------------

// The fonts of a "font.xml" document in file order: none unless the root is exactly "fonts". Every
// child of the root counts, whatever its name, when it has "name", "filename" and "height"; text
// that is no number reads as -1.
std::vector<TOSDFont> ReadFontDocument(TJvSimpleXML& Doc);

// Appends "name", "filename", "height" and "style" (always, also 0) to Element's children.
void AddFontElement(const TOSDFont& Font, TJvSimpleXMLElem& Element);

// The whole "font.xml" document for these fonts, in this order.
std::unique_ptr<TJvSimpleXML> BuildFontDocument(const std::vector<const TOSDFont*>& Fonts);

// The name Add gives a new font: "font" + size + "b", "i", "u" for the style bits, and "_1", "_2"...
// while `Taken` says a name is in use.
std::string MakeFontName(int32_t Size, int32_t Style, const std::function<bool(std::string_view)>& Taken);
