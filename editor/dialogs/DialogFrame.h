// The frame of the editor's own modal dialogs: a single border with only the system menu.
#pragma once

#include <QLayout>
#include <QScreen>
#include <QWidget>

// Customised, so that no window manager adds the minimise and maximise buttons of a plain window.
inline constexpr Qt::WindowFlags SingleBorderDialog = Qt::Dialog | Qt::CustomizeWindowHint
    | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// When shown, once the texts are final: a single border has a fixed size (what the texts need at
// least), and the dialog opens centred on its owner's window (on the screen without a shown owner,
// or with `onScreen`).
inline void PlaceDialog(QWidget& dialog, bool onScreen = false)
{
    if (QLayout* layout = dialog.layout())
        layout->activate();
    dialog.setFixedSize(dialog.size().expandedTo(dialog.minimumSizeHint()));
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    QRect area;
    if (!onScreen && owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* screen = dialog.screen())
        area = screen->availableGeometry();
    else
        return;
    const QSize frame = dialog.frameGeometry().size();
    dialog.move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}
