#include "platform/core/AtomicFile.h"

#include "platform/core/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <mutex>
#include <optional>
#include <vector>

namespace {

std::string Message(const char* what, const QString& path, const QString& reason)
{
    return (QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason)).toStdString();
}

struct TInjectedFailure {
    QRegularExpression Pattern;
    TWriteStage Stage = TWriteStage::Write;
    QString Reason;
};

std::mutex InjectedLock;
std::vector<TInjectedFailure> Injected;

std::optional<TInjectedFailure> TakeInjectedFailure(const QString& path)
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    const QString name = QFileInfo(path).fileName();
    for (auto it = Injected.begin(); it != Injected.end(); ++it) {
        if (it->Pattern.match(name).hasMatch()) {
            TInjectedFailure failure = std::move(*it);
            Injected.erase(it);
            return failure;
        }
    }
    return std::nullopt;
}

}  // namespace

void FailNextWrite(const QString& pattern, TWriteStage stage, const QString& reason)
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    Injected.push_back({QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)), stage, reason});
}

void ClearWriteFailures()
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    Injected.clear();
}

void WriteFileAtomically(const QString& path, std::string_view bytes)
{
    const std::optional<TInjectedFailure> injected = TakeInjectedFailure(path);
    bool cancelled = false;
    // An injected failure cancels the file: every later step then fails as on a real failure and
    // the file is never renamed.
    auto inject = [&](QSaveFile& file, TWriteStage stage) {
        if (injected && injected->Stage == stage) {
            file.cancelWriting();
            cancelled = true;
        }
    };
    auto raise = [&](QSaveFile& file) {
        const QString reason = cancelled ? injected->Reason : file.errorString();
        file.cancelWriting();
        throw EWriteError(Message("Cannot write file", path, reason), reason.toStdString());
    };

    QSaveFile file(path);
    // Never fall back to writing in place: the old file must survive a failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(Message("Cannot create file", path, file.errorString()), file.errorString().toStdString());
    inject(file, TWriteStage::Write);
    const qint64 size = qint64(bytes.size());
    if (size > 0 && file.write(bytes.data(), size) != size)
        raise(file);
    // A small file sits in the write buffer until here; commit() would rename it even when this
    // last write fails.
    if (!file.flush())
        raise(file);
    inject(file, TWriteStage::Commit);
    if (!file.commit())
        raise(file);
}

std::string ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw EFOpenError(Message("Cannot open file", path, QStringLiteral("Is a directory")), "Is a directory");
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(Message("Cannot open file", path, file.errorString()), file.errorString().toStdString());
    std::string out;
    const qint64 expected = file.size();
    if (expected > 0)
        out.reserve(size_t(expected));
    char buf[65536];
    for (;;) {
        const qint64 got = file.read(buf, sizeof buf);
        if (got < 0)
            throw EFOpenError(Message("Cannot read file", path, file.errorString()), file.errorString().toStdString());
        if (got == 0)
            break;
        out.append(buf, size_t(got));
    }
    return out;
}
