#include "skinmodel/SkinFonts.h"

#include "platform/core/FileLookup.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <memory>
#include <optional>

namespace {

// "font.xml" of the open project, or none (no project, no file, unreadable, root not "fonts").
std::unique_ptr<TJvSimpleXML> LoadFontFile()
{
    const QString folder = CurrentProjectFolder();
    if (folder.isEmpty())
        return nullptr;
    QString path;
    if (!FileExistsNoCase(WithTrailingSlash(folder), QStringLiteral("font.xml"), &path))
        return nullptr;
    auto doc = std::make_unique<TJvSimpleXML>();
    try {
        doc->LoadFromFile(path);
    } catch (const std::exception&) {
        return nullptr;
    }
    if (doc->Root().Name() != "fonts")
        return nullptr;
    return doc;
}

// The font elements: children of the root named exactly "font".
template <class Visit>
void ForEachFont(TJvSimpleXML& doc, Visit visit)
{
    const TJvSimpleXMLElems* items = doc.Root().ItemsIfAny();
    if (!items)
        return;
    for (int i = 0; i < items->Count(); ++i)
        if (items->Item(i)->Name() == "font")
            visit(items->Item(i));
}

}  // namespace

bool LookupSkinFont(std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style)
{
    Face = "Arial";
    Size = 12;
    Style = 0;
    std::unique_ptr<TJvSimpleXML> doc = LoadFontFile();
    if (!doc)
        return false;
    const std::string wanted = LowerAscii(Name);
    ForEachFont(*doc, [&](TJvSimpleXMLElem* font) {
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

std::vector<std::string> GetSkinFontNames()
{
    std::vector<std::string> names{"debugfont"};
    if (std::unique_ptr<TJvSimpleXML> doc = LoadFontFile())
        ForEachFont(*doc, [&](TJvSimpleXMLElem* font) {
            if (TJvSimpleXMLElem* name = TOSDControlFactory::FindChild(font, "name"))
                names.push_back(name->Value());
        });
    return names;
}
