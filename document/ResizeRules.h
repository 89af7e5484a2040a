// How a drag of the selection frame changes the selected control's rectangle.
#pragma once

#include "canvas/RubberBand.h"

#include <Qt>

// What a resize step decided: the rectangle to apply and whether the page changed.
struct TResizeOutcome {
    bool Modified = false;
    bool CopyVideoWindow = false;  // the selected control is the video window: copy its rectangle
};

// Applies the locking and Ctrl (resize about the centre) rules to `newLocation`.
TResizeOutcome ApplyResizeRules(const TFloatRect& oldLocation, TFloatRect& newLocation, TRBDragState dragState,
                                Qt::KeyboardModifiers keys, Qt::MouseButtons buttons, bool locked, bool isVideo);
