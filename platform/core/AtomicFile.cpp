#include "platform/core/AtomicFile.h"

#include "platform/core/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

std::string Message(const char* what, const QString& path, const QString& reason)
{
    return (QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason)).toStdString();
}

}  // namespace

void WriteFileAtomically(const QString& path, std::string_view bytes)
{
    QSaveFile file(path);
    // Never fall back to writing in place: the old file must survive a failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(Message("Cannot create file", path, file.errorString()));
    const qint64 size = qint64(bytes.size());
    if (size > 0 && file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EWriteError(Message("Cannot write file", path, reason));
    }
    // A small file sits in the write buffer until here; commit() would rename it even when this
    // last write fails.
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EWriteError(Message("Cannot write file", path, reason));
    }
    if (!file.commit())
        throw EWriteError(Message("Cannot write file", path, file.errorString()));
}

std::string ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw EFOpenError(Message("Cannot open file", path, QStringLiteral("Is a directory")));
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(Message("Cannot open file", path, file.errorString()));
    std::string out;
    const qint64 expected = file.size();
    if (expected > 0)
        out.reserve(size_t(expected));
    char buf[65536];
    for (;;) {
        const qint64 got = file.read(buf, sizeof buf);
        if (got < 0)
            throw EFOpenError(Message("Cannot read file", path, file.errorString()));
        if (got == 0)
            break;
        out.append(buf, size_t(got));
    }
    return out;
}
