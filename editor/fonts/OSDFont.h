// The skin's named fonts and their file "font.xml": each name maps to a face, a size in points and
// style bits. No widgets, so the file format is tested without a window.
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
};

// Appends "name", "filename", "height" and "style" (always, also 0) to Element's children.
void AddFontElement(const TOSDFont& Font, TJvSimpleXMLElem& Element);

// The fonts of a "font.xml" document in file order: none unless the root is exactly "fonts". Every
// child of the root counts, whatever its name, when it has "name", "filename" and "height".
std::vector<TOSDFont> ReadFontDocument(TJvSimpleXML& Doc);

// The whole "font.xml" document for these fonts, in this order.
std::unique_ptr<TJvSimpleXML> BuildFontDocument(const std::vector<const TOSDFont*>& Fonts);

// The name Add gives a new font: "font" + size + "b", "i", "u" for the style bits, and "_1", "_2"...
// while `Taken` says a name is in use.
std::string MakeFontName(int32_t Size, int32_t Style, const std::function<bool(std::string_view)>& Taken);
