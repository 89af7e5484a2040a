#include "skinmodel/SkinFonts.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/FileLookup.h"
#include "platform/core/FileStamp.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

// The last "font.xml" read, kept while the file stays the same: labels look their font up on
// every load, and a page holds many of them.
struct TFontFileCache {
    std::mutex Lock;
    QString Path;
    TFileStamp Stamp;
    std::shared_ptr<TJvSimpleXML> Doc;  // none: unreadable, or its root is not "fonts"
    // A file read within the clock's granularity of its last change may be rewritten with the
    // same size and time; its bytes are then compared on every look until it is older.
    bool Racy = false;
    std::string Bytes;
};

constexpr int64_t TimeGranularityNs = int64_t(2'000'000'000);

int64_t Now()
{
    return int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count());
}

std::string ReadBytes(const QString& path)
{
    try {
        return ReadWholeFile(path);
    } catch (const std::exception&) {
        return {};
    }
}

TFontFileCache& FontFileCache()
{
    static TFontFileCache cache;
    return cache;
}

std::shared_ptr<TJvSimpleXML> ReadFontFile(const QString& path)
{
    auto doc = std::make_shared<TJvSimpleXML>();
    try {
        doc->LoadFromFile(path);
    } catch (const std::exception&) {
        return nullptr;
    }
    if (doc->Root().Name() != "fonts")
        return nullptr;
    return doc;
}

// "font.xml" of the open project, or none (no project, no file, unreadable, root not "fonts").
// Only read from; shared with every caller until the file changes.
std::shared_ptr<TJvSimpleXML> LoadFontFile()
{
    const QString folder = CurrentProjectFolder();
    if (folder.isEmpty())
        return nullptr;
    QString path;
    if (!FileExistsNoCase(WithTrailingSlash(folder), QStringLiteral("font.xml"), &path))
        return nullptr;
    const TFileStamp stamp = ReadFileStamp(path);
    const int64_t checkedAt = Now();
    if (!stamp.IsFile)
        return nullptr;
    TFontFileCache& cache = FontFileCache();
    std::lock_guard<std::mutex> guard(cache.Lock);
    const bool racy = checkedAt - stamp.Modified < TimeGranularityNs;
    bool same = cache.Path == path && cache.Stamp == stamp;
    if (same && cache.Racy) {
        const std::string bytes = ReadBytes(path);
        same = bytes == cache.Bytes;
        if (same)
            cache.Racy = racy;
    }
    if (!same) {
        cache.Doc = ReadFontFile(path);
        cache.Path = path;
        cache.Stamp = stamp;
        cache.Racy = racy;
        cache.Bytes = racy ? ReadBytes(path) : std::string();
    }
    return cache.Doc;
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
    std::shared_ptr<TJvSimpleXML> doc = LoadFontFile();
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
    if (std::shared_ptr<TJvSimpleXML> doc = LoadFontFile())
        ForEachFont(*doc, [&](TJvSimpleXMLElem* font) {
            if (TJvSimpleXMLElem* name = TOSDControlFactory::FindChild(font, "name"))
                names.push_back(name->Value());
        });
    return names;
}
