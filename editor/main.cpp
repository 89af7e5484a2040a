// Program entry: module set-up, the application, the windows in their order, the message loop.
#include "editor/MainForm.h"
#include "editor/VistaReady.h"
#include "editor/colour/ScreenHSV.h"
#include "editor/dialogs/NewSkinDialog.h"
#include "editor/dialogs/StartupDialog.h"
#include "editor/settings/ConfigDir.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnholt 2.0"));
    QApplication::setApplicationVersion(QStringLiteral("2.0.0.0"));
    // Read once, before the main window chooses its settings file.
    LoadUserModeSettings();
    InitVistaReady();
    PatchFormClass(TMainForm::staticMetaObject, true);

    TMainForm mainForm;
    // The Move dialog and the colour selector are created after the main window by their own modules.
    TfrmNewSkin frmNewSkin(&mainForm);
    mainForm.SetNewSkinDialog(&frmNewSkin);
    TfrmStartup frmStartup(mainForm.Settings(), &mainForm);
    mainForm.SetStartupDialog(&frmStartup);
    TFormHSV formHSV(&mainForm);
    mainForm.show();
    return app.exec();
}
