#include "editor/tools/UnusedPictures.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <string_view>

const std::array<const char*, 27> ReservedPictureNames = {
    "iconAudio.png",         "iconAudioBig.png",         "iconCdda.png",
    "iconCddaBig.png",       "iconDVDRom.png",           "iconDVDRomBig.png",
    "iconFolder.png",        "iconFolderBack.png",       "iconFolderBackBig.png",
    "iconFolderBig.png",     "iconHardDisk.png",         "iconHarddiskBig.png",
    "iconMyNews.png",        "iconPicture.png",          "iconPlaylist.png",
    "iconPlaylistBig.png",   "iconVideo.png",            "iconVideoBig.png",
    "arrow_left.png",        "arrow_selected_left.png",  "arrow_right.png",
    "arrow_selected_right.png", "arrow_light_left.png",  "arrow_light_right.png",
    "button_light_middle.png", "button_light_left.png",  "button_light_right.png",
};

namespace {

QString Upper(std::string_view skinText)
{
    return FromWin1252(skinText).toUpper();
}

bool IsReserved(const QString& upperName)
{
    for (const char* name : ReservedPictureNames)
        if (QString::fromLatin1(name).toUpper() == upperName)
            return true;
    return false;
}

QStringList Entries(const QString& folder, const QString& pattern, QDir::Filters kinds)
{
    QDir dir(folder);
    dir.setNameFilters({pattern}); // without QDir::CaseSensitive: "*.PNG" matches as well
    return dir.entryList(kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

// Every element text and attribute value of the tree, decoded and upper-cased, goes to `used`.
void CollectValues(const TJvSimpleXMLElem& elem, QSet<QString>& used)
{
    if (elem.Kind() == TJvSimpleXMLElemKind::Comment)
        return;
    if (!elem.Value().empty())
        used.insert(Upper(elem.Value()));
    if (const TJvSimpleXMLProps* props = elem.PropertiesIfAny())
        for (int i = 0; i < props->Count(); ++i)
            used.insert(Upper(props->Item(i)->Value()));
    if (const TJvSimpleXMLElems* items = elem.ItemsIfAny())
        for (int i = 0; i < items->Count(); ++i)
            CollectValues(*items->Item(i), used);
}

QStringList UpperLines(const QString& text)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (QString& line : lines)
        line = line.toUpper();
    return lines;
}

// A file the parser refuses is still searched line by line for ">NAME<", so that a page with an
// error never makes its pictures look unused.
bool NamedInLines(const QStringList& upperLines, const QString& upperName)
{
    const QString needle = QLatin1Char('>') + upperName + QLatin1Char('<');
    for (const QString& line : upperLines)
        if (line.contains(needle))
            return true;
    return false;
}

} // namespace

QStringList FindUnusedPictures(const QString& Folder)
{
    if (Folder.isEmpty())
        return {};
    QStringList candidates;
    QString images;
    if (FileExistsNoCase(Folder, QStringLiteral("images"), &images))
        for (const QString& name : Entries(images, QStringLiteral("*.png"), QDir::AllEntries)) {
            const QString upper = name.toUpper();
            if (!IsReserved(upper))
                candidates << upper;
        }
    // The order of a case-insensitive file system's listing: by the upper-cased names.
    std::sort(candidates.begin(), candidates.end());

    for (const QString& name : Entries(Folder, QStringLiteral("*.xml"), QDir::Files)) {
        if (candidates.isEmpty())
            break;
        const std::string bytes = ReadWholeFile(WithTrailingSlash(Folder) + name);
        QSet<QString> used;
        TJvSimpleXML doc;
        bool complete = true;
        try {
            doc.LoadFromString(bytes);
        } catch (const EJvSimpleXMLError&) {
            complete = false;
        }
        // What was read before an error counts as well.
        CollectValues(doc.Root(), used);
        const QStringList lines = complete ? QStringList() : UpperLines(FromWin1252(bytes));
        candidates.removeIf([&](const QString& candidate) {
            return used.contains(candidate) || (!complete && NamedInLines(lines, candidate));
        });
    }
    return candidates;
}
