#include "platform/core/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

TFileStamp ReadFileStamp(const QString& path)
{
    TFileStamp stamp;
    // A name with a NUL character in it names no file (the system would cut it short).
    if (path.isEmpty() || path.contains(QChar(0)))
        return stamp;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return stamp;
    stamp.IsFile = true;
    stamp.Size = int64_t(info.st_size);
    stamp.Modified = int64_t(info.st_mtim.tv_sec) * 1000000000 + int64_t(info.st_mtim.tv_nsec);
    return stamp;
}
