// The selection frame: a positioned layer drawn as a dashed outline with eight handles. Dragging
// inside moves it, dragging a handle resizes it; the child layer follows every change.
#pragma once

#include "canvas/Layers.h"

#include <QPointF>

#include <functional>
#include <vector>

enum TRBDragState { dsNone, dsMove, dsSizeL, dsSizeT, dsSizeR, dsSizeB, dsSizeTL, dsSizeTR, dsSizeBL, dsSizeBR };

class TRubberbandLayer;

// OldLocation is the frame when the drag began; NewLocation is this step's proposal and may be
// changed. Shift holds the keyboard modifiers only; the held buttons are DragButtons().
using TRubberbandResizeEvent =
    std::function<void(TRubberbandLayer* sender, const TFloatRect& oldLocation, TFloatRect& newLocation,
                       TRBDragState dragState, Qt::KeyboardModifiers shift)>;

class TRubberbandLayer : public TPositionedLayer {
public:
    explicit TRubberbandLayer(TLayerCollection* collection);
    ~TRubberbandLayer() override;

    // Assigning takes the child's location and scaled setting; the child then moves with the frame.
    // The frame forgets a child that is destroyed.
    TPositionedLayer* ChildLayer() const { return FChildLayer; }
    void SetChildLayer(TPositionedLayer* child);

    // The no-update bit is always dropped: the frame must repaint itself.
    void SetLayerOptions(uint32_t options) override;

    float MinWidth = 1.0f;
    float MinHeight = 1.0f;
    // Half the side of a handle square; the pointer counts as on a handle within this distance.
    float HandleSize = 3.0f;
    uint32_t HandleFill = 0xFFFFFFFFu;
    uint32_t HandleFrame = 0xFF000000u;
    // The outline's dash pattern: pixel i of the outline (clockwise from the top-left corner) takes
    // FrameStipple[floor(StippleCounter + i * StippleStep) mod size].
    std::vector<uint32_t> FrameStipple = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                                          0xFF000000u, 0xFF000000u, 0xFF000000u};
    float StippleStep = 0.75f;
    float StippleCounter = 0.0f;

    TRubberbandResizeEvent OnResizing;
    // After a mouse step changed the location.
    std::function<void(TRubberbandLayer* sender)> OnUserChange;

    // What a press at (x, y) would start: a handle, the inside (move) or nothing.
    TRBDragState GetDragState(float x, float y) const;
    TRBDragState DragState() const { return FDragState; }
    bool IsDragging() const { return FDragState != dsNone; }
    Qt::MouseButtons DragButtons() const { return FDragButtons; }

    void Paint(TBitmap32& buffer) override;
    bool HitTest(float x, float y) const override;
    QRect PaintBounds() const override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y) override;
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y) override;
    int Cursor() const override;

protected:
    void DoSetLocation(const TFloatRect& r) override;
    void Notification(TCustomLayer* destroyed) override;

private:
    TFloatRect ProposedLocation(float dx, float dy) const;
    void PaintOutline(TBitmap32& buffer, const QRect& r) const;
    void PaintHandles(TBitmap32& buffer) const;

    TPositionedLayer* FChildLayer = nullptr;
    TRBDragState FDragState = dsNone;
    TRBDragState FHoverState = dsNone;
    Qt::MouseButtons FDragButtons;
    QPointF FDragPos;
    TFloatRect FOldLocation;
};

// The cursor shape (a Qt::CursorShape value) for a drag state.
int DragStateCursor(TRBDragState state);
