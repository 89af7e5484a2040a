// Decoded pictures of a skin's "images" folder, shared by every control that shows them; each open
// project has its own (TSkinProject::Pictures).
// A file is decoded once while it stays unchanged on disk (same path, size and modification time),
// however many controls, temporary reference controls and saves ask for it, and one decoded
// picture serves them all as long as any of them holds it. All pictures of one cache that are in
// use stay within a total: one that would go beyond it is not decoded and counts as missing. A file whose time was
// still within the file system's time granularity when it was read can be rewritten without its
// size or time changing; such an entry is checked against the file's bytes until it is older.
#pragma once

#include "platform/core/FileStamp.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>

using TPicture = std::shared_ptr<const QImage>;

class TPictureCache {
public:
    TPictureCache() = default;
    TPictureCache(const TPictureCache&) = delete;
    TPictureCache& operator=(const TPictureCache&) = delete;

    // The picture in the file, premultiplied ARGB; none when the file is missing, empty, not a
    // picture of a kind that can be read, or cannot be decoded.
    TPicture Load(const QString& path);
    // The same with the file's stamp read by the caller just before.
    TPicture Load(const QString& path, const TFileStamp& stamp);

    // Decoded pictures kept beyond this many bytes are dropped, least recently used first.
    void SetByteLimit(int64_t bytes);
    int64_t ByteLimit() const;
    int64_t BytesHeld() const;
    // The bytes of the pictures decoded here that someone (a control, the cache) still holds; a
    // picture that would take them beyond the total limit is refused.
    void SetTotalLimit(int64_t bytes);
    int64_t BytesInUse() const;
    // How many times a file was actually decoded (tests and benchmarks count it).
    int64_t DecodeCount() const;
    void Clear();

    // Counts a picture made elsewhere (a blanked backdrop) among those in use for as long as it is
    // held; none when it would go beyond the total.
    TPicture Adopt(QImage image);

    // Decodes a picture without caching: "BM" files as bitmaps, others by their extension.
    static TPicture Decode(const QString& path);

    // Pictures above this many pixels are refused rather than decoded.
    static constexpr int64_t MaxPixels = int64_t(1) << 26;
    // The pictures of one project in use together take no more than this.
    static constexpr int64_t MaxTotalBytes = int64_t(1) << 30;

private:
    struct TEntry {
        QString Path;
        int64_t Size = 0;
        int64_t Modified = 0;  // nanoseconds of the file clock
        // Whoever still holds the picture shares it; the cache keeps it too while it is
        // within the byte limit.
        std::weak_ptr<const QImage> Shared;
        TPicture Kept;
        bool Failed = false;  // the file could not be decoded
        int64_t Bytes = 0;
        // The file was read so soon after its modification that a rewrite may keep size and time:
        // its bytes are compared with Digest before the entry is trusted.
        bool Racy = false;
        QByteArray Digest;
    };
    using TList = std::list<TEntry>;

    // Counts the bytes of the pictures in use; outlives the cache in their deleters.
    struct TUse {
        std::atomic<int64_t> Bytes{0};
    };

    void Trim();
    void Forget(TList::iterator entry);
    void Release(TEntry& entry);
    // Lets go of pictures that only the cache holds until `bytes` more fit within the total.
    bool MakeRoom(int64_t bytes);
    // The image, its bytes counted in use while anyone holds it.
    TPicture Counted(QImage image, int64_t bytes);
    // Reads and decodes the file into a new entry, newest first.
    TPicture Add(const QString& key, int64_t size, int64_t modified, int64_t checkedAt);

    mutable std::mutex FLock;
    TList FEntries;  // most recently used first
    struct THash {
        size_t operator()(const QString& s) const { return qHash(s); }
    };
    std::unordered_map<QString, TList::iterator, THash> FIndex;
    int64_t FByteLimit = int64_t(256) << 20;
    int64_t FBytes = 0;
    int64_t FTotalLimit = MaxTotalBytes;
    std::shared_ptr<TUse> FUse = std::make_shared<TUse>();
    int64_t FDecodes = 0;
};
