#include "editor/settings/EditorSettings.h"

#include "editor/settings/ConfigDir.h"
#include "platform/core/AtomicFile.h"

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
{
    Load(fileName);
}

QString TEditorSettings::FilePath(const TConfigDir& configDir, const QString& programFilePath)
{
    return configDir.GetUserFilePath(SettingsFileName(programFilePath), true);
}

TEditorSettings TEditorSettings::Open(const TConfigDir& configDir, const QString& programFilePath)
{
    return TEditorSettings(FilePath(configDir, programFilePath));
}

void TEditorSettings::Load(const QString& fileName)
{
    FIni.Clear();
    FIni.Rename(fileName);
    FUnread = true;
    FIni.Reload();
    FUnread = false;
}

void TEditorSettings::Save() const
{
    if (FUnread && QFileInfo::exists(FIni.FileName()))
        (void)ReadWholeFile(FIni.FileName());
    FIni.UpdateFile();
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
