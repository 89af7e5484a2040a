// Program entry: module set-up, the application, the windows in their order, the message loop.
#include "editor/MainForm.h"
#include "editor/dialogs/NewSkinDialog.h"
#include "editor/dialogs/StartupDialog.h"
#include "editor/settings/ConfigDir.h"
#include "editor/tools/MoveDialog.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnholt 2.0"));
    QApplication::setApplicationVersion(QStringLiteral("2.0.0.0"));
    // Read once, before the main window chooses its settings file.
    LoadUserModeSettings();

    TMainForm mainForm;
    // The colour selector is created after the main window by its own module.
    TSelectionForm SelectionForm(mainForm);
    TfrmNewSkin frmNewSkin(&mainForm);
    mainForm.SetNewSkinDialog(&frmNewSkin);
    TfrmStartup frmStartup(mainForm.Settings(), &mainForm);
    mainForm.SetStartupDialog(&frmStartup);
    mainForm.show();
    return app.exec();
}
