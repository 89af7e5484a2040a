// Where a dialog opens: its frame, as the window manager draws it, centred on its owner's frame and
// wholly inside the available area of the screen the owner is mostly on.
#pragma once

class QWidget;

// Places the shown or showing window `dialog` now: on its owner's frame, or in the middle of the
// screen with `onScreen` or without a shown owner. Before the window manager has framed the dialog,
// the owner's frame stands in for its own, and it is placed once more when first exposed.
void CentreOnOwner(QWidget& dialog, bool onScreen = false);

// Centres `dialog` on its owner whenever it is shown, once its own show handling has settled its size.
void CentreWhenShown(QWidget& dialog);
