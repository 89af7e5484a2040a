#include "skinmodel/PictureCache.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileStamp.h"

#include <QBuffer>
#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QImageReader>

#include <chrono>
#include <functional>
#include <iterator>

namespace {

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

// The file's bytes, read as every whole file is: only a regular file (a FIFO would block for
// ever, a device never ends) of at most 256 MB. False when it cannot be read.
bool ReadPictureFile(const QString& path, std::string& bytes)
{
    try {
        bytes = ReadWholeFile(path);
        return true;
    } catch (const EFOpenError&) {
        return false;
    }
}

// The file's bytes as Qt takes them, without a copy; `file` must outlive them.
QByteArray View(const std::string& file)
{
    return QByteArray::fromRawData(file.data(), qsizetype(file.size()));
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

int64_t DecodedBytes(const QSize& size)
{
    return int64_t(size.width()) * 4 * size.height();
}

// The picture's pixels. `room`, when given, is asked for the bytes of the decoded picture before
// any pixel memory is taken; `refused` tells that it said no.
QImage DecodeData(const QString& path, QByteArray& data, const std::function<bool(int64_t)>& room, bool& refused)
{
    refused = false;
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
    if (size.isValid() && room && !room(DecodedBytes(size))) {
        refused = true;
        return {};
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    if (int64_t(image.width()) * image.height() > TPictureCache::MaxPixels)
        return {};
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    if (room && image.size() != size && !room(int64_t(image.sizeInBytes()))) {
        refused = true;
        return {};
    }
    return image;
}

}  // namespace

TPicture TPictureCache::Decode(const QString& path)
{
    std::string file;
    if (!ReadPictureFile(path, file))
        return {};
    QByteArray data = View(file);
    bool refused = false;
    QImage image = DecodeData(path, data, {}, refused);
    return image.isNull() ? TPicture() : std::make_shared<const QImage>(std::move(image));
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
                std::string file;
                same = ReadPictureFile(key, file) && Digest(View(file)) == entry->Digest;
                entry->Racy = same && IsRacy(modified, checkedAt);
            }
            if (same && entry->Failed) {
                FEntries.splice(FEntries.begin(), FEntries, entry);
                return {};
            }
            // Shared with whoever holds it, even when the cache let go of it.
            if (TPicture picture = entry->Kept ? entry->Kept : entry->Shared.lock(); same && picture) {
                FEntries.splice(FEntries.begin(), FEntries, entry);
                if (!entry->Kept) {
                    entry->Kept = picture;
                    FBytes += entry->Bytes;
                    Trim();
                }
                return picture;
            }
        }
        Forget(entry);
    }
    return Add(key, size, modified, checkedAt);
}

TPicture TPictureCache::Add(const QString& key, int64_t size, int64_t modified, int64_t checkedAt)
{
    std::string file;
    const bool read = ReadPictureFile(key, file);
    QByteArray data = View(file);
    bool refused = false;
    QImage image = read ? DecodeData(key, data, [this](int64_t bytes) { return MakeRoom(bytes); }, refused) : QImage();
    // Not remembered: the picture may fit once others are let go.
    if (refused)
        return {};
    // A file that cannot be decoded is remembered too, so it is not tried again until it changes.
    ++FDecodes;
    TEntry entry;
    entry.Path = key;
    entry.Size = size;
    entry.Modified = modified;
    entry.Racy = IsRacy(modified, checkedAt);
    if (entry.Racy)
        entry.Digest = read ? Digest(data) : QByteArray();
    TPicture picture;
    if (image.isNull()) {
        entry.Failed = true;
    } else {
        entry.Bytes = int64_t(image.sizeInBytes());
        picture = Counted(std::move(image), entry.Bytes);
        entry.Shared = picture;
        entry.Kept = picture;
        FBytes += entry.Bytes;
    }
    FEntries.push_front(std::move(entry));
    FIndex[key] = FEntries.begin();
    Trim();
    return picture;
}

TPicture TPictureCache::Counted(QImage image, int64_t bytes)
{
    FUse->Bytes += bytes;
    // The bytes stay counted until the last holder lets go, also after the cache is gone.
    return TPicture(new QImage(std::move(image)), [use = FUse, bytes](const QImage* p) {
        use->Bytes -= bytes;
        delete p;
    });
}

TPicture TPictureCache::Adopt(QImage image)
{
    if (image.isNull())
        return {};
    const int64_t bytes = int64_t(image.sizeInBytes());
    std::lock_guard<std::mutex> guard(FLock);
    if (!MakeRoom(bytes))
        return {};
    return Counted(std::move(image), bytes);
}

void TPictureCache::Release(TEntry& entry)
{
    if (entry.Kept) {
        FBytes -= entry.Bytes;
        entry.Kept.reset();
    }
}

void TPictureCache::Forget(TList::iterator entry)
{
    Release(*entry);
    FIndex.erase(entry->Path);
    FEntries.erase(entry);
}

bool TPictureCache::MakeRoom(int64_t bytes)
{
    for (auto it = FEntries.rbegin(); FUse->Bytes + bytes > FTotalLimit && it != FEntries.rend(); ++it)
        if (it->Kept && it->Kept.use_count() == 1)
            Release(*it);
    return FUse->Bytes + bytes <= FTotalLimit;
}

void TPictureCache::Trim()
{
    // Keeps the newest picture even when it alone is over the limit; its owner holds it anyway.
    for (auto it = FEntries.rbegin(); FBytes > FByteLimit && std::next(it) != FEntries.rend(); ++it)
        Release(*it);
    // Entries of pictures nobody holds any more have nothing to share.
    for (auto it = FEntries.begin(); it != FEntries.end();) {
        const auto next = std::next(it);
        if (!it->Failed && !it->Kept && it->Shared.expired())
            Forget(it);
        it = next;
    }
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

void TPictureCache::SetTotalLimit(int64_t bytes)
{
    std::lock_guard<std::mutex> guard(FLock);
    FTotalLimit = bytes < 0 ? 0 : bytes;
}

int64_t TPictureCache::BytesInUse() const
{
    return FUse->Bytes;
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
