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
    // The source view only hides the windows for its time: they are saved as they are outside it.
    const QByteArray state = FOutsideDocks ? FOutsideDocks->State : saveState();
    ini.WriteString(DockingSection, QStringLiteral("State"), QString::fromLatin1(state.toBase64()));
    for (QDockWidget* dock : FToolWindows) {
        bool visible = dock->isVisible();
        if (FOutsideDocks)
            for (const TOutsideDock& outside : FOutsideDocks->Docks)
                if (outside.Dock == dock && outside.HiddenBySource)
                    visible = visible || outside.Visible;
        ini.WriteBool(FormsSection, dock->objectName(), visible);
    }
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

bool TMainForm::SourceHidesDock(const QDockWidget* dock)
{
    const QString name = dock->objectName();
    return name == QLatin1String("frmTools") || name == QLatin1String("frmObjects") || name == QLatin1String("frmFonts");
}

void TMainForm::KeepOutsideDocks()
{
    std::vector<TOutsideDock> docks;
    for (QDockWidget* dock : FToolWindows)
        docks.push_back({dock, dock->isVisible(), !dock->isFloating(), dock->size(), SourceHidesDock(dock)});
    FOutsideDocks = TOutsideDocks{saveState(), std::move(docks)};
}

void TMainForm::RestoreOutsideDockSizes()
{
    if (!FOutsideDocks)
        return;
    // The space the hidden windows left went to the others; each docked window that was there
    // before gets its own size back.
    QList<QDockWidget*> docks;
    QList<int> widths;
    QList<int> heights;
    for (const TOutsideDock& outside : FOutsideDocks->Docks)
        if (outside.Visible && outside.Docked && outside.Dock->isVisible() && !outside.Dock->isFloating()) {
            docks << outside.Dock;
            widths << outside.Size.width();
            heights << outside.Size.height();
        }
    FOutsideDocks.reset();
    if (docks.isEmpty())
        return;
    resizeDocks(docks, widths, Qt::Horizontal);
    resizeDocks(docks, heights, Qt::Vertical);
}
