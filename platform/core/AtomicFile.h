// Every file the system writes goes through here: a temporary file, then a rename.
#pragma once

#include <QString>

#include <string>
#include <string_view>

// Raises EFCreateError or EWriteError (with the path and the reason) and leaves the old file as it was.
void WriteFileAtomically(const QString& path, std::string_view bytes);
// Reads a whole file; raises EFOpenError when it exists but cannot be read.
std::string ReadWholeFile(const QString& path);

// For tests, which cannot rely on permissions or a full disk: the next atomic write of a file whose
// name matches `pattern` (wildcards, matched against the file-name part) fails at the chosen stage
// with `reason` as the system's text, through the same path a real failure takes.
enum class TWriteStage { Write, Commit };
void FailNextWrite(const QString& pattern, TWriteStage stage, const QString& reason);
// Forgets the failures not used yet.
void ClearWriteFailures();
