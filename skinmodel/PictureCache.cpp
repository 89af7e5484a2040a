#include "skinmodel/PictureCache.h"

#include "platform/core/FileStamp.h"

#include <QBuffer>
#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <chrono>
#include <iterator>

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

// Time stamps of one file system can be this coarse (FAT keeps two seconds): a file read within
// this time after its modification may be rewritten with the same time.
constexpr int64_t TimeGranularityNs = int64_t(2'000'000'000);

// Now on the clock that file times are given in (nanoseconds since the Unix epoch).
int64_t FileClockNow()
{
    return int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count());
}

bool IsRacy(int64_t modified, int64_t checkedAt)
{
    return checkedAt - modified < TimeGranularityNs;
}

QByteArray Digest(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha1);
}

// The file's bytes; false when it cannot be read or is too large for a picture a skin can use.
bool ReadPictureFile(const QString& path, QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return false;
    data = file.readAll();
    return data.size() <= MaxFileBytes;
}

// The widest pixel a decoder gives: 16 bits per channel.
constexpr int64_t MaxDecodedBytesPerPixel = 8;

// Qt refuses images beyond an allocation limit of its own (128 MB by default, about 33 million
// pixels); the project's limit in pixels is the one that counts.
void RaiseDecoderAllocationLimit()
{
    static const bool raised = [] {
        QImageReader::setAllocationLimit(int((TPictureCache::MaxPixels * MaxDecodedBytesPerPixel) >> 20));
        return true;
    }();
    (void)raised;
}

TPicture DecodeData(const QString& path, QByteArray& data)
{
    if (data.size() < 2)
        return {};
    RaiseDecoderAllocationLimit();
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
    if (size.isValid() && int64_t(size.width()) * size.height() > TPictureCache::MaxPixels)
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    if (int64_t(image.width()) * image.height() > TPictureCache::MaxPixels)
        return {};
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    return std::make_shared<const QImage>(std::move(image));
}

}  // namespace

TPicture TPictureCache::Decode(const QString& path)
{
    QByteArray data;
    if (!ReadPictureFile(path, data))
        return {};
    return DecodeData(path, data);
}

TPicture TPictureCache::Load(const QString& path)
{
    if (path.isEmpty())
        return {};
    // One status call gives the existence, the size and the file clock's full resolution.
    return Load(path, ReadFileStamp(path));
}

TPicture TPictureCache::Load(const QString& path, const TFileStamp& stamp)
{
    // Taken right after the caller read the stamp: a file counts as racy rather than not.
    const int64_t checkedAt = FileClockNow();
    if (!stamp.IsFile)
        return {};
    const QString key = QFileInfo(path).absoluteFilePath();
    const int64_t size = stamp.Size;
    const int64_t modified = stamp.Modified;

    std::lock_guard<std::mutex> guard(FLock);
    if (auto it = FIndex.find(key); it != FIndex.end()) {
        TList::iterator entry = it->second;
        if (entry->Size == size && entry->Modified == modified) {
            bool same = !entry->Racy;
            if (!same) {
                QByteArray data;
                same = ReadPictureFile(key, data) && Digest(data) == entry->Digest;
                entry->Racy = same && IsRacy(modified, checkedAt);
            }
            if (same) {
                FEntries.splice(FEntries.begin(), FEntries, entry);
                return entry->Picture;
            }
        }
        Forget(entry);
    }
    return Add(key, size, modified, checkedAt);
}

TPicture TPictureCache::Add(const QString& key, int64_t size, int64_t modified, int64_t checkedAt)
{
    // A file that cannot be decoded is remembered too, so it is not tried again until it changes.
    QByteArray data;
    const bool read = ReadPictureFile(key, data);
    TPicture picture = read ? DecodeData(key, data) : TPicture();
    ++FDecodes;
    TEntry entry;
    entry.Path = key;
    entry.Size = size;
    entry.Modified = modified;
    entry.Picture = picture;
    entry.Bytes = picture ? int64_t(picture->sizeInBytes()) : 0;
    entry.Racy = IsRacy(modified, checkedAt);
    if (entry.Racy)
        entry.Digest = read ? Digest(data) : QByteArray();
    FBytes += entry.Bytes;
    FEntries.push_front(std::move(entry));
    FIndex[key] = FEntries.begin();
    Trim();
    return picture;
}

void TPictureCache::Forget(TList::iterator entry)
{
    FBytes -= entry->Bytes;
    FIndex.erase(entry->Path);
    FEntries.erase(entry);
}

void TPictureCache::Trim()
{
    // Keeps the newest entry even when it alone is over the limit; its owner holds it anyway.
    while (FBytes > FByteLimit && FEntries.size() > 1)
        Forget(std::prev(FEntries.end()));
    // Bound the number of remembered failures as well.
    while (FEntries.size() > 4096)
        Forget(std::prev(FEntries.end()));
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
