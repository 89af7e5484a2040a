// What tells one version of a file from the next, read with a single status call: caches keyed
// by a file's path compare it to notice that the file was rewritten.
#pragma once

#include <QString>

#include <cstdint>

struct TFileStamp {
    bool IsFile = false;   // an existing regular file (after following links)
    int64_t Size = 0;
    int64_t Modified = 0;  // nanoseconds of the file clock
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

// The stamp of the file at `path`; IsFile false (and the rest 0) when there is none.
TFileStamp ReadFileStamp(const QString& path);
