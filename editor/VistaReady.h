// Window-system adjustments of the newer Windows generation. On this platform the window system and
// Qt already give the main window its own taskbar entry, keep minimising and restoring with the
// window system and make file dialogs children of the main window, so the version check answers
// "not Windows" and the class patches are no-ops. What remains is the font choice: "Segoe UI" 9 and
// "Calibri" 11 where installed, else "Tahoma" 8 and "Verdana" 8.
#pragma once

#include <QString>
#include <QStringList>

class QMetaObject;
class QWidget;

struct TVistaFont {
    QString Name;
    int Size = 0;

    friend bool operator==(const TVistaFont&, const TVistaFont&) = default;
};

// True on Windows version 6 and later; never here.
bool IsVista();

// Module start-up: picks the fonts from the installed ones. Needs the application object.
void InitVistaReady();
// Picks the UI and content fonts from a list of installed font families (compared without case).
void ChooseVistaFonts(const QStringList& installedFamilies);
// The fonts chosen (chosen from the installed fonts first if nothing has chosen them yet).
TVistaFont VistaUIFont();
TVistaFont VistaContentFont();

// Gives the main window class its own taskbar button: nothing to do here (see above).
void PatchFormClass(const QMetaObject& formClass, bool ownTaskbarButton);

// Gives a window the chosen fonts. The font choice holds on every platform, so unlike the
// version-6 rule this does not wait for IsVista.
void ApplyVistaFonts(QWidget* control);
// Multi-line text controls get the content font; windows and controls with a font of their own get
// the UI font; controls that take their parent's font keep it. Then every child, in order.
void SetVistaFonts(QWidget* control);
