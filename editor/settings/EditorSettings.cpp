#include "editor/settings/EditorSettings.h"

#include "editor/settings/ConfigDir.h"

#include <QFileInfo>

namespace {

const QString General = QStringLiteral("General");
const QString Files = QStringLiteral("Files");

} // namespace

QString SettingsFileName(const QString& programFilePath)
{
    return QFileInfo(programFilePath).completeBaseName() + QStringLiteral(".ini");
}

TEditorSettings::TEditorSettings(const QString& fileName)
    : FIni(fileName)
{
}

TEditorSettings TEditorSettings::Open(const TConfigDir& configDir, const QString& programFilePath)
{
    return TEditorSettings(configDir.GetUserFilePath(SettingsFileName(programFilePath), true));
}

QString TEditorSettings::Language() const
{
    return FIni.ReadString(General, QStringLiteral("Language"), QStringLiteral("English"));
}

void TEditorSettings::SetLanguage(const QString& language)
{
    FIni.WriteString(General, QStringLiteral("Language"), language);
}

bool TEditorSettings::NoShowStartup() const
{
    return FIni.ReadBool(General, QStringLiteral("noshowstartup"), false);
}

void TEditorSettings::SetNoShowStartup(bool value)
{
    FIni.WriteBool(General, QStringLiteral("noshowstartup"), value);
}

QStringList TEditorSettings::LastProjects() const
{
    QStringList projects;
    for (int n = 1; n <= MaxLastProjects; ++n) {
        const QString folder = FIni.ReadString(Files, QString::number(n), QString());
        if (folder.isEmpty())
            break;
        projects << folder;
    }
    return projects;
}

void TEditorSettings::SetLastProjects(const QStringList& projects)
{
    FIni.EraseSection(Files);
    for (qsizetype i = 0; i < projects.size(); ++i)
        FIni.WriteString(Files, QString::number(i + 1), projects[i]);
}

bool TEditorSettings::HasDockingLayout() const
{
    return FIni.SectionExists(QStringLiteral("DockingLayout\\Forms"));
}
