// The layer model the canvas is made of: layers in stacking order (index 0 is the back), positioned
// layers with a floating-point rectangle, option bits, hit testing and change notification.
#pragma once

#include "canvas/Bitmap32.h"

#include <QMargins>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <Qt>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

constexpr uint32_t LOB_VISIBLE = 0x80000000u;      // painted
constexpr uint32_t LOB_GDI_OVERLAY = 0x40000000u;
constexpr uint32_t LOB_MOUSE_EVENTS = 0x20000000u; // takes part in hit testing
constexpr uint32_t LOB_NO_UPDATE = 0x10000000u;
constexpr uint32_t LOB_NO_CAPTURE = 0x08000000u;
constexpr uint32_t LOB_INVALID = 0x04000000u;
constexpr uint32_t LOB_FORCE_UPDATE = 0x02000000u;
constexpr uint32_t LOB_RESERVED_24 = 0x01000000u;

// Left, Top, Right, Bottom in canvas pixels, single precision as the layers keep them.
struct TFloatRect {
    float Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TFloatRect&, const TFloatRect&) = default;
};

// Round half to even on each edge (the canvas library's rectangle rounding). Edges are clamped to
// +-1e9 so that the width and height of any rectangle fit an int.
QRect RoundRect(const TFloatRect& r);

// The whole pixels a rectangle touches, normalised (Right < Left is allowed in a location).
QRect EnclosingRect(const TFloatRect& r);

// Union that ignores empty rectangles (QRect::united does not).
QRect UniteRects(const QRect& a, const QRect& b);

class TLayerCollection;
class TCustomLayer;

// Told of the changes of a layer collection.
class TLayerObserver {
public:
    virtual ~TLayerObserver() = default;
    // A layer was put on top. It has painted nothing yet; what it paints it reports when it is placed.
    virtual void LayerAdded(TCustomLayer* layer) {}
    // A layer is leaving the collection (deleted or freed): `area` is what it covered when last
    // painted. The pointer is for comparison only.
    virtual void LayerRemoved(TCustomLayer* layer, const QRect& area) {}
    // A layer moved in the stacking order.
    virtual void LayerMoved(TCustomLayer* layer) {}
    // A layer asks to be repainted.
    virtual void LayerChanged(TCustomLayer* layer) {}
    // The collection itself goes; nothing is told after this.
    virtual void CollectionDestroyed(TLayerCollection* collection) {}
};

// An observer made of callbacks, for whoever needs only one or two of them.
class TLayerCallbacks : public TLayerObserver {
public:
    explicit TLayerCallbacks(TLayerCollection& collection);
    ~TLayerCallbacks() override;
    // Added, removed or moved.
    std::function<void()> OnListNotify;
    std::function<void(TCustomLayer*)> OnLayerChanged;
    std::function<void(TCustomLayer*)> OnLayerRemoved;

    void LayerAdded(TCustomLayer*) override;
    void LayerRemoved(TCustomLayer* layer, const QRect&) override;
    void LayerMoved(TCustomLayer*) override;
    void LayerChanged(TCustomLayer* layer) override;
    void CollectionDestroyed(TLayerCollection*) override { FCollection = nullptr; }

private:
    TLayerCollection* FCollection;
};

class TCustomLayer {
public:
    // A layer made with a collection is appended to it (on top) and owned by it; a layer made
    // without one (a part of a composite control) belongs to its creator.
    explicit TCustomLayer(TLayerCollection* collection);
    virtual ~TCustomLayer();
    TCustomLayer(const TCustomLayer&) = delete;
    TCustomLayer& operator=(const TCustomLayer&) = delete;

    TLayerCollection* LayerCollection() const { return FCollection; }
    int Index() const;                 // -1 without a collection
    void SetIndex(int index);          // moves within the collection
    void BringToFront();
    void SendToBack();

    uint32_t LayerOptions() const { return FOptions; }
    // A change of the visible bit is always reported, also with LOB_NO_UPDATE, so nothing stays
    // on screen after a layer is hidden.
    virtual void SetLayerOptions(uint32_t options);
    bool Visible() const { return (FOptions & LOB_VISIBLE) != 0; }
    void SetVisible(bool on);
    bool MouseEvents() const { return (FOptions & LOB_MOUSE_EVENTS) != 0; }
    void SetMouseEvents(bool on);

    // Tells the collection that this layer must be repainted (not while LOB_NO_UPDATE is set).
    virtual void Changed();
    // Paints into the buffer; called by the collection in stacking order for visible layers.
    virtual void Paint(TBitmap32& buffer) {}
    virtual bool HitTest(float x, float y) const { return false; }

    // The pixels the layer paints at most; the default is "anywhere".
    virtual QRect PaintBounds() const;
    // What the layer covered when it was last painted (bounds plus the areas it reported).
    const QRect& PaintedRect() const { return FPaintedRect; }
    // Changed since it was last painted (or never painted).
    bool ChangedSincePaint() const { return FChangedSincePaint; }
    // What must be repainted after a change: the old and the new area.
    QRect ChangedArea() const;
    // Where the layer will paint next: its bounds, grown by what its last paint covered beyond them
    // (a shadow, a wide outline).
    QRect ExpectedArea() const;
    // A layer that paints only near the edges of its bounds (a frame) says how near, in pixels;
    // 0: anywhere within them. A change then repaints those strips only.
    int OutlineWidth() const { return FOutlineWidth; }
    // The areas of `r` such a layer covers: its four edge strips, or `r` itself.
    std::vector<QRect> OutlineAreas(const QRect& r) const;

    // Mouse events, delivered by the view to the layer under the pointer (or the captured one).
    // The base versions call the matching handler below.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    virtual void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    // The cursor shape to show over the layer (a Qt::CursorShape value).
    virtual int Cursor() const { return 0; }

    using TMouseButtonEvent =
        std::function<void(TCustomLayer* sender, Qt::MouseButton, Qt::KeyboardModifiers, float x, float y)>;
    using TMouseMoveEvent =
        std::function<void(TCustomLayer* sender, Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y)>;
    TMouseButtonEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseButtonEvent OnMouseUp;

    // Free notification: a layer that keeps a pointer to this one is told (Notification) when this
    // one is destroyed.
    void AddNotification(TCustomLayer* watcher);
    void RemoveNotification(TCustomLayer* watcher);

    // Free-form tag for the editor.
    void* Tag = nullptr;

protected:
    virtual void Notification(TCustomLayer* destroyed) {}
    // Reports the change even while LOB_NO_UPDATE is set.
    void ForceChanged();
    void SetOutlineWidth(int width) { FOutlineWidth = width; }

private:
    friend class TLayerCollection;
    TLayerCollection* FCollection;
    uint32_t FOptions = LOB_VISIBLE;
    QRect FPaintedRect;
    int FOutlineWidth = 0;
    bool FChangedSincePaint = false;
    QMargins FBeyondBounds;  // how far the last paint covered beyond the bounds
    std::vector<TCustomLayer*> FFreeNotifies;   // told when this layer goes
    std::vector<TCustomLayer*> FWatching;       // layers whose free-notify list holds this one
};

class TPositionedLayer : public TCustomLayer {
public:
    explicit TPositionedLayer(TLayerCollection* collection);

    const TFloatRect& Location() const { return FLocation; }
    void SetLocation(const TFloatRect& r);   // runs DoSetLocation, then Changed
    // The location mapped to the viewport; the canvas runs at scale 1, so equal to the location
    // plus the view's offset (0 when painting into a page-sized buffer).
    TFloatRect GetAdjustedLocation() const;
    bool Scaled() const { return FScaled; }
    void SetScaled(bool on) { FScaled = on; }

    bool HitTest(float x, float y) const override;
    // The whole pixels of the adjusted location plus one pixel for anti-aliased edges.
    QRect PaintBounds() const override;

protected:
    virtual void DoSetLocation(const TFloatRect& r) { FLocation = r; }

private:
    TFloatRect FLocation;
    bool FScaled = false;
};

// Owns its layers and keeps them in stacking order.
class TLayerCollection {
public:
    TLayerCollection();
    ~TLayerCollection();
    TLayerCollection(const TLayerCollection&) = delete;
    TLayerCollection& operator=(const TLayerCollection&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCustomLayer* Items(int index) const;   // none outside 0..Count-1
    int IndexOf(const TCustomLayer* layer) const;
    void Delete(int index);                 // frees the layer
    void Remove(TCustomLayer* layer);       // frees the layer
    void Clear();                           // frees every layer
    // The topmost visible layer with mouse events whose HitTest holds; none when there is none.
    TCustomLayer* FindLayerAtPos(float x, float y, uint32_t optionMask = LOB_MOUSE_EVENTS) const;

    // Paints every visible layer in stacking order into the buffer.
    void PaintTo(TBitmap32& buffer);
    // Paints only the layers whose old or new area meets the clip rectangle. The buffer's changed
    // areas are cleared before every layer; what a layer reports becomes part of its PaintedRect.
    // Returns the number of layers painted.
    int PaintTo(TBitmap32& buffer, const QRect& clip, QRect* beyond = nullptr);
    // The same for several areas and the layers `first` to `last`: a layer that meets any of the
    // areas is painted once.
    // Beyond, when given, gets what layers changed since their last paint now cover outside them;
    // `changed`, when given, names those layers instead of their own record.
    int PaintTo(TBitmap32& buffer, const std::vector<QRect>& areas, int first = 0, int last = -1,
                QRect* beyond = nullptr, const std::unordered_set<const TCustomLayer*>* changed = nullptr);

    // The view's offset: GetAdjustedLocation adds it (the canvas is at scale 1).
    QPointF ViewportOffset;

    // Anyone may follow the collection's changes, as many as want to; an observer removes itself
    // before it goes (or is told that the collection goes first).
    void AddObserver(TLayerObserver* observer);
    void RemoveObserver(TLayerObserver* observer);

private:
    friend class TCustomLayer;
    void Insert(TCustomLayer* layer);      // appends (on top), takes ownership
    void Detach(TCustomLayer* layer);      // forgets without freeing
    void Move(TCustomLayer* layer, int newIndex);
    template <class Call>
    void Notify(Call call);
    std::vector<TCustomLayer*> FItems;      // owned
    std::vector<TLayerObserver*> FObservers;  // none while one is removed during a notification
    int FNotifying = 0;
};
