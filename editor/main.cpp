// Program entry: module set-up, the application, the windows in their order, the message loop.
#include "editor/MainForm.h"
#include "editor/VistaReady.h"
#include "editor/colour/PickColor.h"
#include "editor/colour/ScreenHSV.h"
#include "editor/dialogs/NewSkinDialog.h"
#include "editor/dialogs/StartupDialog.h"
#include "editor/settings/ConfigDir.h"
#include "editor/tools/ColorSelector.h"
#include "editor/tools/MoveDialog.h"

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
    // The other windows in the order the program creates them.
    TSelectionForm SelectionForm(mainForm.Document(), &mainForm);
    mainForm.SetMoveDialog(&SelectionForm);
    TfrmNewSkin frmNewSkin(&mainForm);
    mainForm.SetNewSkinDialog(&frmNewSkin);
    TfrmStartup frmStartup(mainForm.Settings(), &mainForm);
    mainForm.SetStartupDialog(&frmStartup);
    TFormHSV formHSV(&mainForm);
    SetColorSelector(&HSVColorSelector(&mainForm));
    mainForm.show();
    return app.exec();
}
