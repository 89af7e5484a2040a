#include "skinmodel/SkinFonts.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <optional>

namespace {

// The font elements of the lookup: children of the root named exactly "font".
template <class Visit>
void ForEachFont(const TJvSimpleXML& doc, Visit visit)
{
    const TJvSimpleXMLElems* items = const_cast<TJvSimpleXML&>(doc).Root().ItemsIfAny();
    if (!items)
        return;
    for (int i = 0; i < items->Count(); ++i)
        if (items->Item(i)->Name() == "font")
            visit(items->Item(i));
}

// The low 32 bits of the 64-bit number; text that is no number reads as -1.
int32_t Low32(const TJvSimpleXMLElem& elem)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(elem.IntValue())));
}

}  // namespace

bool LookupFontIn(const TJvSimpleXML* Doc, std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style)
{
    Face = "Arial";
    Size = 12;
    Style = 0;
    if (!Doc)
        return false;
    const std::string wanted = LowerAscii(Name);
    ForEachFont(*Doc, [&](TJvSimpleXMLElem* font) {
        TJvSimpleXMLElem* name = TOSDControlFactory::FindChild(font, "name");
        if (!name || LowerAscii(name->Value()) != wanted)
            return;
        TJvSimpleXMLElem* face = TOSDControlFactory::FindChild(font, "filename");
        TJvSimpleXMLElem* height = TOSDControlFactory::FindChild(font, "height");
        if (!face || !height)
            return;
        const std::optional<int32_t> size = ParseInteger(height->Value());
        if (!size)
            return;
        std::optional<int32_t> style = Style;
        if (TJvSimpleXMLElem* styleElem = TOSDControlFactory::FindChild(font, "style"))
            style = ParseInteger(styleElem->Value());
        if (!style)
            return;
        Face = face->Value();
        Size = *size;
        Style = *style;
    });
    return true;
}

std::vector<std::string> FontNamesIn(const TJvSimpleXML* Doc)
{
    std::vector<std::string> names{"debugfont"};
    if (Doc)
        ForEachFont(*Doc, [&](TJvSimpleXMLElem* font) {
            if (TJvSimpleXMLElem* name = TOSDControlFactory::FindChild(font, "name"))
                names.push_back(name->Value());
        });
    return names;
}

std::vector<TOSDFont> ReadFontDocument(TJvSimpleXML& Doc)
{
    std::vector<TOSDFont> fonts;
    if (Doc.Root().Name() != "fonts")
        return fonts;
    const TJvSimpleXMLElems* items = Doc.Root().ItemsIfAny();
    if (!items)
        return fonts;
    for (int i = 0; i < items->Count(); ++i) {
        TJvSimpleXMLElem* font = items->Item(i);
        const TJvSimpleXMLElem* name = TOSDControlFactory::FindChild(font, "name");
        const TJvSimpleXMLElem* face = TOSDControlFactory::FindChild(font, "filename");
        const TJvSimpleXMLElem* height = TOSDControlFactory::FindChild(font, "height");
        if (!name || !face || !height)
            continue;
        const TJvSimpleXMLElem* style = TOSDControlFactory::FindChild(font, "style");
        fonts.emplace_back(name->Value(), face->Value(), Low32(*height), style ? Low32(*style) : 0);
    }
    return fonts;
}

void AddFontElement(const TOSDFont& Font, TJvSimpleXMLElem& Element)
{
    TJvSimpleXMLElems& items = Element.Items();
    items.Add("name", std::string_view(Font.Name));
    items.Add("filename", std::string_view(Font.FileName));
    items.Add("height", int64_t(Font.Height));
    items.Add("style", int64_t(Font.Style));
}

std::unique_ptr<TJvSimpleXML> BuildFontDocument(const std::vector<const TOSDFont*>& Fonts)
{
    auto doc = std::make_unique<TJvSimpleXML>();
    doc->Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    doc->Root().SetName("fonts");
    for (const TOSDFont* font : Fonts)
        AddFontElement(*font, *doc->Root().Items().Add("font"));
    return doc;
}

std::string MakeFontName(int32_t Size, int32_t Style, const std::function<bool(std::string_view)>& Taken)
{
    std::string base = "font" + std::to_string(Size);
    if (Style & FontStyleBold)
        base += 'b';
    if (Style & FontStyleItalic)
        base += 'i';
    if (Style & FontStyleUnderline)
        base += 'u';
    if (!Taken(base))
        return base;
    for (int n = 1;; ++n) {
        std::string name = base + '_' + std::to_string(n);
        if (!Taken(name))
            return name;
    }
}
