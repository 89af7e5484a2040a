// Skins come from a case-insensitive file system: every lookup finds an existing entry whatever its case.
#pragma once

#include <QString>

#include <string>
#include <string_view>

// The path of the entry `name` in `folder` under its existing case, or folder + name when there is none.
// `name` may hold several components separated by "/" or "\" (for example "images\a.png").
QString FindFileNoCase(const QString& folder, const QString& name);
// True when such an entry exists (file or folder).
bool FileExistsNoCase(const QString& folder, const QString& name, QString* found = nullptr);
// The file-name part of a path: split at "/", "\" and ":".
std::string ExtractFileName(std::string_view path);
QString ExtractFileName(const QString& path);
// A folder path with exactly one trailing "/" (a trailing "\" becomes "/"); an empty path stays empty.
QString WithTrailingSlash(const QString& folder);
