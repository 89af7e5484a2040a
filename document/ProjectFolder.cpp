#include "document/ProjectFolder.h"

#include "platform/core/FileLookup.h"
#include "skinmodel/uskininfo.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

const char* const ProjectFiles[4] = {"font.xml", "references.xml", "myhome.xml", "index.xml"};

bool IsValidProject(const QString& folder, TSkinInfo& info)
{
    for (const char* name : ProjectFiles) {
        QString found;
        if (!FileExistsNoCase(folder, QString::fromLatin1(name), &found) || !QFileInfo(found).isFile())
            return false;
    }
    return info.LoadFromFile(folder);
}

QStringList ListPageFiles(const QString& folder)
{
    const QString base = WithTrailingSlash(folder);
    QStringList pages;
    const QDir dir(base);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (!name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
            continue;
        if (entry.isHidden())
            continue;
        // What Open Page refuses is no page of the menu either (any case, links followed).
        if (!ProjectFileRefusal(base + name).isEmpty())
            continue;
        pages.append(base + name);
    }
    std::stable_sort(pages.begin(), pages.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return pages;
}

void AddRecentProject(QStringList& lastProjects, const QString& folder)
{
    int found = -1;
    for (int i = 1; i < lastProjects.size(); ++i) {
        if (lastProjects[i].compare(folder, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    }
    if (found >= 0)
        lastProjects.removeAt(found);
    else if (lastProjects.size() >= 11)
        lastProjects.removeAt(10);
    lastProjects.insert(std::min<qsizetype>(1, lastProjects.size()), folder);
}

bool IsRefusedSkinName(const QString& name)
{
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name == QLatin1String(".") || name == QLatin1String("..");
}

namespace {

bool IsProjectFileName(const QString& fileName)
{
    for (const char* name : {"index.xml", "references.xml", "font.xml"})
        if (fileName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString ProjectFileRefusal(const QString& path)
{
    QString name = ExtractFileName(path);
    if (!IsProjectFileName(name))
        name = QFileInfo(QFileInfo(path).canonicalFilePath()).fileName();
    return IsProjectFileName(name) ? QStringLiteral("\"%1\" is a file of the skin project, not a page.").arg(name)
                                   : QString();
}

bool SamePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}
