// Everything of the image view that needs no window: the canvas bitmap (the page backdrop), the
// layer collection, the paint stages, a back buffer kept up to date area by area, and the routing
// of mouse events to the layer under the pointer. The widget (canvas/view/ImgView32.h) only
// forwards events and shows the back buffer.
#pragma once

#include "canvas/Bitmap32.h"
#include "canvas/Layers.h"

#include <QRect>
#include <QSize>

#include <functional>
#include <unordered_set>
#include <vector>

enum TPaintStageKind {
    PST_CUSTOM,         // calls OnPaintStage
    PST_CLEAR_BACKGND,  // fills with Color
    PST_DRAW_BITMAP,    // the canvas bitmap at the top-left corner
    PST_DRAW_LAYERS     // the layers in stacking order
};

struct TPaintStage {
    TPaintStageKind Stage = PST_CUSTOM;
    int Parameter = 0;
};

class TImageCanvas {
public:
    TImageCanvas();
    ~TImageCanvas();
    TImageCanvas(const TImageCanvas&) = delete;
    TImageCanvas& operator=(const TImageCanvas&) = delete;

    // The page backdrop. Call BitmapChanged after changing it.
    TBitmap32& Bitmap() { return FBitmap; }
    void BitmapChanged();
    TLayerCollection& Layers() { return *FLayers; }
    // Shows another owner's collection (a page document's) instead of its own; none: its own again.
    void SetLayers(TLayerCollection* layers);

    // The size the view asks for: the one set, or the bitmap's while none is set (0 by 0).
    void SetCanvasSize(int width, int height);
    QSize CanvasSize() const;
    // The size of what is shown (the widget's size); follows the canvas size until set.
    void SetBufferSize(int width, int height);
    QSize BufferSize() const;

    // Run in order for every repaint; the default is clear, bitmap, layers. A background of its
    // own (a checkerboard) replaces the first stage by a custom one.
    std::vector<TPaintStage> PaintStages;
    // A custom stage: paint into the buffer, preferably only inside buffer.ClipRect().
    std::function<void(TBitmap32& buffer, int stageNum)> OnPaintStage;
    uint32_t Color = 0xFFF0F0F0u;

    // While an update runs, layer changes are not tracked one by one; the end repaints all.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    void Invalidate();
    void InvalidateRect(const QRect& r);
    // Several areas at once (a layer's old and new place): repainted each on its own, shown as one.
    // `overlayOnly`: only the frames on top changed there; what lies under them is still current.
    void InvalidateRects(const std::vector<QRect>& areas, bool overlayOnly = false);
    // The bounds of everything that waits to be repainted.
    QRect DirtyRect() const { return FDirty; }
    // Repaints what is dirty into the back buffer and returns that area.
    QRect Render();
    const TBitmap32& BackBuffer() const { return FBack; }
    // The number of layers painted by the last Render.
    int LastPaintedLayers() const { return FLastPainted; }

    // Told when an area needs showing again, and when the canvas size changed.
    std::function<void(const QRect&)> OnInvalidate;
    std::function<void()> OnCanvasResized;

    // Mouse events in buffer coordinates. A press goes to the topmost layer with mouse events under
    // the pointer, which keeps all events until the last button is released (unless it has
    // LOB_NO_CAPTURE). The layer's own handler runs first, then the canvas handler below. The
    // result is the layer, or none (also when the handlers freed it).
    TCustomLayer* MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    TCustomLayer* MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y);
    TCustomLayer* MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    TCustomLayer* MouseCapture() const { return FCapture; }
    void ReleaseMouseCapture() { FCapture = nullptr; }
    // The cursor (a Qt::CursorShape value) of the layer last under the pointer.
    int Cursor() const;

    using TMouseButtonEvent =
        std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y, TCustomLayer* layer)>;
    using TMouseMoveEvent =
        std::function<void(Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y, TCustomLayer* layer)>;
    TMouseButtonEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseButtonEvent OnMouseUp;

private:
    class TObserver : public TLayerObserver {
    public:
        explicit TObserver(TImageCanvas& canvas) : FCanvas(canvas) {}
        void LayerRemoved(TCustomLayer* layer, const QRect& area) override;
        void LayerMoved(TCustomLayer* layer) override;
        void LayerChanged(TCustomLayer* layer) override;
        void CollectionDestroyed(TLayerCollection* collection) override;

    private:
        TImageCanvas& FCanvas;
    };
    void LayerChanged(TCustomLayer* layer);
    void LayerRemoved(TCustomLayer* layer);
    // Returns what changed layers painted outside the areas.
    QRect RenderInto(TBitmap32& target, const std::vector<QRect>& areas, int lastLayer,
                     const std::unordered_set<const TCustomLayer*>* changed = nullptr);
    // The frames on top of every other layer (layers with an outline, from the top down).
    std::vector<const TCustomLayer*> TopOverlays() const;
    bool IsOverlay(const TCustomLayer* layer) const;
    void RenderStage(TBitmap32& target, const QRect& clip, size_t stage);
    TCustomLayer* Target(float x, float y) const;
    // Hands an event to the layer, then to the owner; either may free the layer.
    TCustomLayer* Deliver(TCustomLayer* layer, const std::function<void(TCustomLayer&)>& toLayer,
                          const std::function<void(TCustomLayer*)>& toOwner);

    TBitmap32 FBitmap;
    TLayerCollection FOwnLayers;
    TLayerCollection* FLayers = &FOwnLayers;
    TObserver FObserver{*this};
    TBitmap32 FBack;      // what is shown
    TBitmap32 FScratch;   // partial repaints are drawn here, then their area is copied
    // Everything under the frames on top: a frame that moves is repainted from here, without
    // painting the layers under it again.
    TBitmap32 FUnder;
    std::vector<const TCustomLayer*> FOverlays;  // the frames on top at the last render
    std::vector<QRect> FOverlayAreas;            // dirty for the frames alone
    // The layers whose changes were announced since the last render: only they can paint beyond
    // the areas their changes made dirty.
    std::unordered_set<const TCustomLayer*> FChangedLayers;
    QSize FCanvasSize;
    QSize FBufferSize;
    bool FBufferSizeSet = false;
    QRect FDirty;
    // The areas inside FDirty that are repainted; few, or FDirty alone.
    std::vector<QRect> FDirtyAreas;
    int FUpdateCount = 0;
    int FLastPainted = 0;
    bool FRendering = false;   // a layer touching itself while it paints must not loop
    Qt::MouseButtons FButtons;
    TCustomLayer* FCapture = nullptr;
    TCustomLayer* FHover = nullptr;
    TCustomLayer* FEventLayer = nullptr;
};
