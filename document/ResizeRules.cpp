#include "document/ResizeRules.h"

TResizeOutcome ApplyResizeRules(const TFloatRect& oldLocation, TFloatRect& newLocation, TRBDragState dragState,
                                Qt::KeyboardModifiers keys, Qt::MouseButtons buttons, bool locked, bool isVideo)
{
    TResizeOutcome out;
    // A locked control keeps its rectangle under the frame; the Ctrl rule below may still widen a
    // control narrower than 4 pixels, and the drag counts as a change of the page.
    if (locked)
        newLocation = oldLocation;
    if (dragState == dsMove) {
        out.Modified = true;
        out.CopyVideoWindow = isVideo;
        return out;
    }
    // During a drag at least the pressed mouse button is held.
    if (keys == Qt::NoModifier && buttons == Qt::NoButton)
        return out;
    if (keys & Qt::ControlModifier) {
        const float cx = (oldLocation.Left + oldLocation.Right) / 2;
        const float cy = (oldLocation.Top + oldLocation.Bottom) / 2;
        float hw = (oldLocation.Right - oldLocation.Left) / 2;
        float hh = (oldLocation.Bottom - oldLocation.Top) / 2;
        const bool left = dragState == dsSizeL || dragState == dsSizeTL
            || dragState == dsSizeBL;
        const bool right = dragState == dsSizeR || dragState == dsSizeTR
            || dragState == dsSizeBR;
        const bool top = dragState == dsSizeT || dragState == dsSizeTL
            || dragState == dsSizeTR;
        const bool bottom = dragState == dsSizeB || dragState == dsSizeBL
            || dragState == dsSizeBR;
        if (left)
            hw = cx - newLocation.Left;
        if (right)
            hw = newLocation.Right - cx;
        if (top)
            hh = cy - newLocation.Top;
        if (bottom)
            hh = newLocation.Bottom - cy;
        if (hw < 2.0f)
            hw = 2.0f;
        if (hh < 2.0f)
            hh = 2.0f;
        newLocation = TFloatRect{cx - hw, cy - hh, cx + hw, cy + hh};
        out.Modified = true;
    }
    out.CopyVideoWindow = isVideo;
    out.Modified = true;
    return out;
}
