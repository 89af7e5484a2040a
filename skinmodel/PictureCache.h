// Decoded pictures of a skin's "images" folder, shared by every control that shows them; each open
// project has its own (TSkinProject::Pictures).
// A file is decoded once while it stays unchanged on disk (same path, size and modification time),
// however many controls, temporary reference controls and saves ask for it. A file whose time was
// still within the file system's time granularity when it was read can be rewritten without its
// size or time changing; such an entry is checked against the file's bytes until it is older.
#pragma once

#include "platform/core/FileStamp.h"

#include <QHash>
#include <QImage>
#include <QString>

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
    // How many times a file was actually decoded (tests and benchmarks count it).
    int64_t DecodeCount() const;
    void Clear();

    // Decodes a picture without caching: "BM" files as bitmaps, others by their extension.
    static TPicture Decode(const QString& path);

    // Pictures above this many pixels are refused rather than decoded.
    static constexpr int64_t MaxPixels = int64_t(1) << 26;

private:
    struct TEntry {
        QString Path;
        int64_t Size = 0;
        int64_t Modified = 0;  // nanoseconds of the file clock
        TPicture Picture;
        int64_t Bytes = 0;
        // The file was read so soon after its modification that a rewrite may keep size and time:
        // its bytes are compared with Digest before the entry is trusted.
        bool Racy = false;
        QByteArray Digest;
    };
    using TList = std::list<TEntry>;

    void Trim();
    void Forget(TList::iterator entry);
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
    int64_t FDecodes = 0;
};
