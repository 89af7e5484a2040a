#include "editor/settings/PlayerLists.h"

#include "platform/core/FileLookup.h"
#include "platform/core/IniFile.h"

#include <algorithm>

namespace {

QStringList Sorted(QStringList list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return list;
}

} // namespace

void ReadDataIni(const QString& programFolder, TPlayerLists& lists)
{
    QString path;
    if (!FileExistsNoCase(programFolder, QStringLiteral("data.ini"), &path))
        return;
    TMemIniFile ini;
    try {
        ini = TMemIniFile(path);
    } catch (const std::exception&) {
        return;
    }
    lists.ActionsList = Sorted(ini.ReadSectionValues("Actions"));
    lists.WindowsList = Sorted(ini.ReadSectionValues("Windows"));
    lists.FunctionsList = Sorted(ini.ReadSection("Functions"));
}
