// The version text the about box shows.
#pragma once

#include <QString>

// "-1" when the file does not exist; the program's own version for the running program file
// ("2.0.0.0"); empty for any other file (Linux programs carry no version resource).
QString GetFileVersion(const QString& path);
