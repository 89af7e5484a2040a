#include "skinmodel/PictureCache.h"

#include "platform/core/FileStamp.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>


namespace {

// Files larger than this are no pictures a skin can use; reading them would only cost memory.
constexpr int64_t MaxFileBytes = int64_t(256) << 20;

// The decoder for a file: "BM" files are bitmaps whatever their name, the rest go by extension.
// Metafiles (wmf, emf) and unknown extensions have none.
QByteArray DecoderFor(const QString& path, const QByteArray& head)
{
    if (head.startsWith("BM"))
        return "BMP";
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"png")
        return "PNG";
    if (ext == u"jpg" || ext == u"jpeg" || ext == u"jpe" || ext == u"jfif")
        return "JPEG";
    if (ext == u"ico")
        return "ICO";
    if (ext == u"bmp" || ext == u"rle" || ext == u"dib")
        return "BMP";
    return {};
}

}  // namespace

TPictureCache& TPictureCache::Instance()
{
    static TPictureCache cache;
    return cache;
}

TPicture TPictureCache::Decode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (file.size() < 2 || file.size() > MaxFileBytes)
        return {};
    QByteArray data = file.readAll();
    file.close();
    const QByteArray format = DecoderFor(path, data.left(2));
    if (format.isEmpty())
        return {};

    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    // Refuse absurd dimensions before any pixel memory is taken.
    const QSize size = reader.size();
    if (size.isValid() && int64_t(size.width()) * size.height() > MaxPixels)
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    if (int64_t(image.width()) * image.height() > MaxPixels)
        return {};
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    return std::make_shared<const QImage>(std::move(image));
}

TPicture TPictureCache::Load(const QString& path)
{
    // One status call gives the existence, the size and the file clock's full resolution (a file
    // rewritten within the same second is still seen).
    return Load(path, ReadFileStamp(path));
}

TPicture TPictureCache::Load(const QString& path, const TFileStamp& stamp)
{
    if (!stamp.IsFile)
        return {};
    const QString key = QFileInfo(path).absoluteFilePath();
    const int64_t size = stamp.Size;
    const int64_t modified = stamp.Modified;

    std::lock_guard<std::mutex> guard(FLock);
    if (auto it = FIndex.find(key); it != FIndex.end()) {
        TList::iterator entry = it->second;
        if (entry->Size == size && entry->Modified == modified) {
            FEntries.splice(FEntries.begin(), FEntries, entry);
            return entry->Picture;
        }
        FBytes -= entry->Bytes;
        FEntries.erase(entry);
        FIndex.erase(it);
    }

    // A file that cannot be decoded is remembered too, so it is not tried again until it changes.
    TPicture picture = Decode(key);
    ++FDecodes;
    TEntry entry{key, size, modified, picture, picture ? int64_t(picture->sizeInBytes()) : 0};
    FBytes += entry.Bytes;
    FEntries.push_front(std::move(entry));
    FIndex[key] = FEntries.begin();
    Trim();
    return picture;
}

void TPictureCache::Trim()
{
    // Keeps the newest entry even when it alone is over the limit; its owner holds it anyway.
    while (FBytes > FByteLimit && FEntries.size() > 1) {
        TEntry& last = FEntries.back();
        FBytes -= last.Bytes;
        FIndex.erase(last.Path);
        FEntries.pop_back();
    }
    // Bound the number of remembered failures as well.
    while (FEntries.size() > 4096) {
        TEntry& last = FEntries.back();
        FBytes -= last.Bytes;
        FIndex.erase(last.Path);
        FEntries.pop_back();
    }
}

void TPictureCache::SetByteLimit(int64_t bytes)
{
    std::lock_guard<std::mutex> guard(FLock);
    FByteLimit = bytes < 0 ? 0 : bytes;
    Trim();
}

int64_t TPictureCache::ByteLimit() const
{
    std::lock_guard<std::mutex> guard(FLock);
    return FByteLimit;
}

int64_t TPictureCache::BytesHeld() const
{
    std::lock_guard<std::mutex> guard(FLock);
    return FBytes;
}

int64_t TPictureCache::DecodeCount() const
{
    std::lock_guard<std::mutex> guard(FLock);
    return FDecodes;
}

void TPictureCache::Clear()
{
    std::lock_guard<std::mutex> guard(FLock);
    FEntries.clear();
    FIndex.clear();
    FBytes = 0;
}
