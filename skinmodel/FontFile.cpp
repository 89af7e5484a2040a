#include "skinmodel/FontFile.h"

#include "skinmodel/xml/JvSimpleXml2.h"

#include <QFileInfo>

std::vector<TOSDFont> ReadFontList(const QString& path)
{
    TJvSimpleXML doc;
    std::string reason;
    try {
        doc.LoadFromFile(path);
        const std::string& root = doc.Root().Name();
        if (root == "fonts")
            return ReadFontDocument(doc);
        reason = root.empty() ? std::string("it has no root element")
                              : "its root element is \"" + root + "\", not \"fonts\"";
    } catch (const std::exception& error) {
        reason = FailureReason(error);
    }
    throw EFontFileUnreadable("\"" + path.toStdString() + "\": " + reason, reason);
}

void WriteFontList(const QString& path, const std::vector<const TOSDFont*>& fonts)
{
    // Checked as late as can be: another program may have written the file since it was read.
    if (QFileInfo(path).isFile())
        ReadFontList(path);
    BuildFontDocument(fonts)->SaveToFile(path);
}
