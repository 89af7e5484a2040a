// Every file the system writes goes through here: a temporary file, then a rename.
#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

// Raises EFCreateError or EWriteError (with the path and the system's reason) and leaves the old file
// as it was. An existing target that is not a regular file (a FIFO, a device) is refused untouched.
void WriteFileAtomically(const QString& path, std::string_view bytes);

// The largest file read whole, as for pictures.
inline constexpr int64_t MaxWholeFileBytes = int64_t(256) << 20;
// Reads a whole file; raises EFOpenError when it cannot be read, is not a regular file (a FIFO, a
// device: `"<path>": not a regular file`) or is larger than MaxWholeFileBytes
// (`"<path>": larger than 256 MB`). Never waits for a writer and never takes more than that limit.
std::string ReadWholeFile(const QString& path);

// For tests, which cannot rely on permissions or a full disk: the next atomic write of a file whose
// name matches `pattern` (wildcards, matched against the file-name part) fails at the chosen stage
// with `reason` as the system's text, through the same path a real failure takes.
enum class TWriteStage { Write, Commit };
void FailNextWrite(const QString& pattern, TWriteStage stage, const QString& reason);
// The next atomic write of such a file stops short as on a full disk: half of its bytes are
// written, then the system answers `systemError` (an errno value such as ENOSPC).
void FailNextWrite(const QString& pattern, int systemError);
// The next whole read of such a file raises `error` (a failure no file gives on demand, such as
// running out of memory).
void FailNextRead(const QString& pattern, std::exception_ptr error);
// Forgets the failures (writes and reads) not used yet.
void ClearWriteFailures();
