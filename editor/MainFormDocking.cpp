// The tool windows' docking layout, kept in the settings file under "DockingLayout".
#include "editor/MainForm.h"

#include "editor/settings/EditorSettings.h"

#include <QDockWidget>

namespace {

const QString DockingSection = QStringLiteral("DockingLayout");
const QString FormsSection = QStringLiteral("DockingLayout\\Forms");

} // namespace

void TMainForm::SaveDockingLayout()
{
    if (FToolWindows.empty())
        return;
    TMemIniFile& ini = FSettings->Ini();
    ini.EraseSection(DockingSection);
    ini.EraseSection(FormsSection);
    ini.WriteString(DockingSection, QStringLiteral("State"), QString::fromLatin1(saveState().toBase64()));
    for (QDockWidget* dock : FToolWindows)
        ini.WriteBool(FormsSection, dock->objectName(), dock->isVisible());
}

void TMainForm::RestoreDockingLayout()
{
    const TMemIniFile& ini = FSettings->Ini();
    const QByteArray state = QByteArray::fromBase64(ini.ReadString(DockingSection, QStringLiteral("State"), QString()).toLatin1());
    // A layout that cannot be restored leaves the windows where they are.
    if (!state.isEmpty())
        restoreState(state);
    if (!ini.SectionExists(FormsSection))
        return;
    for (QDockWidget* dock : FToolWindows)
        dock->setVisible(ini.ReadBool(FormsSection, dock->objectName(), dock->isVisible()));
}
