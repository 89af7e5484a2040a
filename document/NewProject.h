// The files of a new skin project.
#pragma once

#include <QString>

class TSkinInfo;

// Creates `folder` (ending in "/") with "images/", and writes "index.xml", "references.xml" (the
// built-in references followed by CR LF), an empty "font.xml" and an empty page "myhome.xml", so the
// new folder passes the project test. Raises EFileError on the first failure.
void WriteNewProjectFiles(const QString& folder, const TSkinInfo& info);
