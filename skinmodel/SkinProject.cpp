#include "skinmodel/SkinProject.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "skinmodel/FontFile.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QFileInfo>

#include <chrono>

namespace {

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

}  // namespace

TSkinProject::TSkinProject(const QString& folder)
    : FFolder(folder.isEmpty() ? QString() : WithTrailingSlash(folder))
    , FSkinInfo(std::make_unique<TSkinInfo>())
    , FPictures(std::make_unique<TPictureCache>())
    , FFonts(std::make_unique<TFontCache>())
{
    SkinInfoSaved();
}

TSkinProject::~TSkinProject() = default;

QString TSkinProject::FilePath(const QString& name) const
{
    return IsOpen() ? FindFileNoCase(FFolder, name) : QString();
}

void TSkinProject::SetSkinInfo(std::unique_ptr<TSkinInfo> info)
{
    FSkinInfo = info ? std::move(info) : std::make_unique<TSkinInfo>();
}

bool TSkinProject::SaveSkinInfo(QString* reason)
{
    if (!IsOpen() || !FSkinInfo->SaveToFile(FFolder, reason))
        return false;
    SkinInfoSaved();
    return true;
}

void TSkinProject::SkinInfoSaved()
{
    FSavedSkinInfo = FSkinInfo->SaveToString();
}

bool TSkinProject::SkinInfoChanged() const
{
    return FSkinInfo->SaveToString() != FSavedSkinInfo;
}

QString TSkinProject::PicturePath(const std::string& name) const
{
    QString found;
    if (!IsOpen() || name.empty() || !FileExistsNoCase(FFolder, QStringLiteral("images/") + FromWin1252(name), &found))
        return {};
    return found;
}

std::shared_ptr<TJvSimpleXML> TSkinProject::FontDocument() const
{
    if (!IsOpen())
        return nullptr;
    QString path;
    if (!FileExistsNoCase(FFolder, QStringLiteral("font.xml"), &path))
        return nullptr;
    const TFileStamp stamp = ReadFileStamp(path);
    const int64_t checkedAt = Now();
    if (!stamp.IsFile)
        return nullptr;
    TFontCache& cache = *FFonts;
    std::lock_guard<std::mutex> guard(cache.Lock);
    const bool racy = checkedAt - stamp.Modified < TimeGranularityNs;
    bool same = cache.Path == path && cache.Stamp == stamp;
    if (same && cache.Racy) {
        same = ReadBytes(path) == cache.Bytes;
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

bool TSkinProject::LookupFont(std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style) const
{
    return LookupFontIn(FontDocument().get(), Name, Face, Size, Style);
}

std::vector<std::string> TSkinProject::FontNames() const
{
    return FontNamesIn(FontDocument().get());
}

std::vector<TOSDFont> TSkinProject::ReadFonts() const
{
    const QString path = FilePath(QStringLiteral("font.xml"));
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    try {
        return ReadFontList(path);
    } catch (const std::exception&) {
        return {};
    }
}

void TSkinProject::WriteFonts(const std::vector<const TOSDFont*>& fonts) const
{
    if (IsOpen())
        WriteFontList(FilePath(QStringLiteral("font.xml")), fonts);
}
