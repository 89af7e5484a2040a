#include "editor/fonts/OSDFont.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

// The low 32 bits of the 64-bit number; text that is no number reads as -1.
int32_t Low32(const TJvSimpleXMLElem& elem)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(elem.IntValue())));
}

} // namespace

void AddFontElement(const TOSDFont& Font, TJvSimpleXMLElem& Element)
{
    TJvSimpleXMLElems& items = Element.Items();
    items.Add("name", std::string_view(Font.Name));
    items.Add("filename", std::string_view(Font.FileName));
    items.Add("height", int64_t(Font.Height));
    items.Add("style", int64_t(Font.Style));
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
