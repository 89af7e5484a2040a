#include "platform/core/AtomicFile.h"

#include "platform/core/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <mutex>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Message(const char* what, const QString& path, const QString& reason)
{
    return (QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason)).toStdString();
}

// The system's text for an error number; never empty.
QString SystemReason(int error)
{
    const QString text = error != 0 ? qt_error_string(error) : QString();
    return text.isEmpty() ? QStringLiteral("error %1").arg(error) : text;
}

struct TInjectedFailure {
    QRegularExpression Pattern;
    TWriteStage Stage = TWriteStage::Write;
    QString Reason;
    // Not 0: a short write that ends with this error number.
    int SystemError = 0;
    // Reads only: raised instead of reading.
    std::exception_ptr ReadError;
};

std::mutex InjectedLock;
std::vector<TInjectedFailure> Injected;

std::optional<TInjectedFailure> TakeInjectedFailure(const QString& path, bool read)
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    const QString name = QFileInfo(path).fileName();
    for (auto it = Injected.begin(); it != Injected.end(); ++it) {
        if (bool(it->ReadError) == read && it->Pattern.match(name).hasMatch()) {
            TInjectedFailure failure = std::move(*it);
            Injected.erase(it);
            return failure;
        }
    }
    return std::nullopt;
}

QRegularExpression Wildcards(const QString& pattern)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern));
}

// Closes a descriptor when the scope ends.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

}  // namespace

void FailNextWrite(const QString& pattern, TWriteStage stage, const QString& reason)
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    Injected.push_back({Wildcards(pattern), stage, reason, 0, nullptr});
}

void FailNextWrite(const QString& pattern, int systemError)
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    Injected.push_back({Wildcards(pattern), TWriteStage::Write, QString(), systemError, nullptr});
}

void FailNextRead(const QString& pattern, std::exception_ptr error)
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    Injected.push_back({Wildcards(pattern), TWriteStage::Write, QString(), 0, std::move(error)});
}

void ClearWriteFailures()
{
    const std::lock_guard<std::mutex> lock(InjectedLock);
    Injected.clear();
}

void WriteFileAtomically(const QString& path, std::string_view bytes)
{
    const std::optional<TInjectedFailure> injected = TakeInjectedFailure(path, false);
    const bool injectedText = injected && injected->SystemError == 0;

    // A FIFO or a device would be replaced by a regular file: whatever it was is never touched.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        const QString reason = QStringLiteral("not a regular file");
        throw EFCreateError(QStringLiteral("Cannot write \"%1\": %2").arg(path, reason).toStdString(),
                            reason.toStdString());
    }

    QSaveFile file(path);
    // Never fall back to writing in place: the old file must survive a failure.
    file.setDirectWriteFallback(false);
    // Cancelling leaves the old file; the temporary one goes with `file`.
    auto raise = [&](const QString& reason) {
        file.cancelWriting();
        throw EWriteError(Message("Cannot write file", path, reason), reason.toStdString());
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFCreateError(Message("Cannot create file", path, file.errorString()), file.errorString().toStdString());
    if (injectedText && injected->Stage == TWriteStage::Write)
        raise(injected->Reason);

    // Written here rather than through QSaveFile, which gives no reason for a write that stops short
    // (a full disk): the system's own error is kept.
    const int fd = file.handle();
    const size_t size = bytes.size();
    const size_t limit = injected && injected->SystemError != 0 ? size / 2 : size;
    size_t done = 0;
    while (done < size) {
        ssize_t written = -1;
        if (done >= limit)
            errno = injected->SystemError;
        else
            written = ::write(fd, bytes.data() + done, limit - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            raise(SystemReason(errno));
        // No progress and no error: a device that takes nothing more.
        if (written == 0)
            raise(SystemReason(ENOSPC));
        done += size_t(written);
    }
    // Some file systems tell of a full disk only here.
    if (::fsync(fd) != 0 && errno != EINVAL)
        raise(SystemReason(errno));
    if (injectedText && injected->Stage == TWriteStage::Commit)
        raise(injected->Reason);
    errno = 0;
    if (!file.commit()) {
        // A rename that fails reaches us as "Unknown error": the system's own reason says more.
        const int error = errno;
        const bool vague = file.error() == QFileDevice::UnspecifiedError || file.error() == QFileDevice::RenameError;
        const QString reason = vague && error != 0 ? SystemReason(error) : file.errorString();
        throw EWriteError(Message("Cannot write file", path, reason), reason.toStdString());
    }
}

std::string ReadWholeFile(const QString& path)
{
    if (const std::optional<TInjectedFailure> injected = TakeInjectedFailure(path, true))
        std::rethrow_exception(injected->ReadError);

    const auto refuse = [&path](const QString& reason) {
        throw EFOpenError(QStringLiteral("\"%1\": %2").arg(path, reason).toStdString(), reason.toStdString());
    };
    const auto fail = [&path](const char* what, int error) {
        const QString reason = SystemReason(error);
        throw EFOpenError(Message(what, path, reason), reason.toStdString());
    };
    // Without blocking: opening a FIFO would wait for a writer for ever.
    const TDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.Get() < 0)
        fail("Cannot open file", errno);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        fail("Cannot open file", errno);
    if (S_ISDIR(info.st_mode))
        fail("Cannot open file", EISDIR);
    if (!S_ISREG(info.st_mode))
        refuse(QStringLiteral("not a regular file"));
    const QString tooLarge = QStringLiteral("larger than 256 MB");
    if (int64_t(info.st_size) > MaxWholeFileBytes)
        refuse(tooLarge);

    std::string out;
    out.reserve(size_t(info.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buf, sizeof buf);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail("Cannot read file", errno);
        if (got == 0)
            break;
        // A file that grows while it is read is held to the same limit.
        if (int64_t(out.size()) + got > MaxWholeFileBytes)
            refuse(tooLarge);
        out.append(buf, size_t(got));
    }
    return out;
}
