// Every file the system writes goes through here: a temporary file, then a rename.
#pragma once

#include <QString>

#include <string>
#include <string_view>

// Raises EFCreateError or EWriteError (with the path and the reason) and leaves the old file as it was.
void WriteFileAtomically(const QString& path, std::string_view bytes);
// Reads a whole file; raises EFOpenError when it exists but cannot be read.
std::string ReadWholeFile(const QString& path);
