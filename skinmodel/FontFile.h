// The file "font.xml" read and written whole, as the fonts window lists it. A file that exists but
// cannot be read may still hold the author's fonts, so it is never written over.
#pragma once

#include "platform/core/FileErrors.h"
#include "skinmodel/SkinFonts.h"

#include <QString>

#include <vector>

// An existing "font.xml" that cannot be read as fonts; Reason() says why (the file's own bytes may
// stand in it, as in a parse error).
class EFontFileUnreadable : public EFileError {
public:
    using EFileError::EFileError;
};

// The fonts of the file `path` (see ReadFontDocument). Raises EFontFileUnreadable when it cannot
// be opened or parsed, or its root is not exactly "fonts"; a missing file has no root.
std::vector<TOSDFont> ReadFontList(const QString& path);

// Writes `fonts` as the whole file `path`. A regular file there that cannot be read is left as it
// is: EFontFileUnreadable. A missing file is written; anything else is refused by the writer.
void WriteFontList(const QString& path, const std::vector<const TOSDFont*>& fonts);
