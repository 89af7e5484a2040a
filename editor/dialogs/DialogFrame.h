// The frame of the editor's own modal dialogs: a single border with only the system menu.
#pragma once

#include "platform/ui/DialogPlacement.h"

#include <QLayout>
#include <QWidget>

// Customised, so that no window manager adds the minimise and maximise buttons of a plain window.
inline constexpr Qt::WindowFlags SingleBorderDialog = Qt::Dialog | Qt::CustomizeWindowHint
    | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// When shown, once the texts are final: a single border has a fixed size (what the texts need at
// least), and the dialog opens centred on its owner's window (on the screen with `onScreen`).
inline void PlaceDialog(QWidget& dialog, bool onScreen = false)
{
    if (QLayout* layout = dialog.layout())
        layout->activate();
    dialog.setFixedSize(dialog.size().expandedTo(dialog.minimumSizeHint()));
    CentreOnOwner(dialog, onScreen);
}
