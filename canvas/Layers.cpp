#include "canvas/Layers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEdgeLimit = 1e9;

int RoundEdge(float v)
{
    const double d = std::nearbyint(static_cast<double>(v));
    if (!(d > -kEdgeLimit))   // also NaN
        return d > 0 ? static_cast<int>(kEdgeLimit) : -static_cast<int>(kEdgeLimit);
    if (d > kEdgeLimit)
        return static_cast<int>(kEdgeLimit);
    return static_cast<int>(d);
}

int ClampEdge(double d)
{
    if (!(d > -kEdgeLimit))
        return -static_cast<int>(kEdgeLimit);
    if (d > kEdgeLimit)
        return static_cast<int>(kEdgeLimit);
    return static_cast<int>(d);
}

QRect AnywhereRect()
{
    const int e = static_cast<int>(kEdgeLimit);
    return QRect(QPoint(-e, -e), QPoint(e, e));
}

void EraseOne(std::vector<TCustomLayer*>& v, const TCustomLayer* item)
{
    auto it = std::find(v.begin(), v.end(), item);
    if (it != v.end())
        v.erase(it);
}

} // namespace

QRect RoundRect(const TFloatRect& r)
{
    const int left = RoundEdge(r.Left);
    const int top = RoundEdge(r.Top);
    return QRect(left, top, RoundEdge(r.Right) - left, RoundEdge(r.Bottom) - top);
}

QRect EnclosingRect(const TFloatRect& r)
{
    const int left = ClampEdge(std::floor(std::min(r.Left, r.Right)));
    const int top = ClampEdge(std::floor(std::min(r.Top, r.Bottom)));
    const int right = ClampEdge(std::ceil(std::max(r.Left, r.Right)));
    const int bottom = ClampEdge(std::ceil(std::max(r.Top, r.Bottom)));
    return QRect(left, top, right - left, bottom - top);
}

QRect UniteRects(const QRect& a, const QRect& b)
{
    if (a.isEmpty())
        return b.isEmpty() ? QRect() : b;
    if (b.isEmpty())
        return a;
    return a.united(b);
}

// ---------------------------------------------------------------------------------------------

TCustomLayer::TCustomLayer(TLayerCollection* collection)
    : FCollection(nullptr)
{
    if (collection)
        collection->Insert(this);
}

TCustomLayer::~TCustomLayer()
{
    // Copies: a watcher may change the lists while it is told.
    for (TCustomLayer* watcher : std::vector<TCustomLayer*>(FFreeNotifies)) {
        EraseOne(watcher->FWatching, this);
        watcher->Notification(this);
    }
    FFreeNotifies.clear();
    for (TCustomLayer* watched : FWatching)
        EraseOne(watched->FFreeNotifies, this);
    FWatching.clear();
    if (FCollection)
        FCollection->Detach(this);
}

int TCustomLayer::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TCustomLayer::SetIndex(int index)
{
    if (FCollection)
        FCollection->Move(this, index);
}

void TCustomLayer::BringToFront()
{
    if (FCollection)
        FCollection->Move(this, FCollection->Count() - 1);
}

void TCustomLayer::SendToBack()
{
    if (FCollection)
        FCollection->Move(this, 0);
}

void TCustomLayer::SetLayerOptions(uint32_t options)
{
    if (options == FOptions)
        return;
    const bool visibilityChanged = ((options ^ FOptions) & LOB_VISIBLE) != 0;
    FOptions = options;
    if (visibilityChanged)
        ForceChanged();
    else
        Changed();
}

void TCustomLayer::SetVisible(bool on)
{
    SetLayerOptions(on ? (FOptions | LOB_VISIBLE) : (FOptions & ~LOB_VISIBLE));
}

void TCustomLayer::SetMouseEvents(bool on)
{
    SetLayerOptions(on ? (FOptions | LOB_MOUSE_EVENTS) : (FOptions & ~LOB_MOUSE_EVENTS));
}

void TCustomLayer::Changed()
{
    if ((FOptions & LOB_NO_UPDATE) == 0)
        ForceChanged();
}

void TCustomLayer::ForceChanged()
{
    FChangedSincePaint = true;
    if (FCollection)
        FCollection->Notify([this](TLayerObserver& o) { o.LayerChanged(this); });
}

QRect TCustomLayer::PaintBounds() const
{
    return AnywhereRect();
}

QRect TCustomLayer::ChangedArea() const
{
    return UniteRects(FPaintedRect, ExpectedArea());
}

QRect TCustomLayer::ExpectedArea() const
{
    const QRect bounds = PaintBounds();
    return bounds.isEmpty() ? bounds : bounds.marginsAdded(FBeyondBounds);
}

std::vector<QRect> TCustomLayer::OutlineAreas(const QRect& r) const
{
    const int w = FOutlineWidth;
    if (w <= 0 || r.width() <= 2 * w || r.height() <= 2 * w)
        return {r};
    return {QRect(r.left(), r.top(), r.width(), w), QRect(r.left(), r.bottom() - w + 1, r.width(), w),
            QRect(r.left(), r.top() + w, w, r.height() - 2 * w), QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w)};
}

void TCustomLayer::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TCustomLayer::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y)
{
    if (OnMouseMove)
        OnMouseMove(this, buttons, shift, x, y);
}

void TCustomLayer::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TCustomLayer::AddNotification(TCustomLayer* watcher)
{
    if (!watcher || watcher == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), watcher) != FFreeNotifies.end())
        return;
    FFreeNotifies.push_back(watcher);
    watcher->FWatching.push_back(this);
}

void TCustomLayer::RemoveNotification(TCustomLayer* watcher)
{
    if (!watcher)
        return;
    EraseOne(FFreeNotifies, watcher);
    EraseOne(watcher->FWatching, this);
}

// ---------------------------------------------------------------------------------------------

TPositionedLayer::TPositionedLayer(TLayerCollection* collection)
    : TCustomLayer(collection)
{
}

void TPositionedLayer::SetLocation(const TFloatRect& r)
{
    DoSetLocation(r);
    Changed();
}

TFloatRect TPositionedLayer::GetAdjustedLocation() const
{
    TFloatRect r = FLocation;
    if (const TLayerCollection* c = LayerCollection()) {
        const float dx = static_cast<float>(c->ViewportOffset.x());
        const float dy = static_cast<float>(c->ViewportOffset.y());
        r.Left += dx;
        r.Right += dx;
        r.Top += dy;
        r.Bottom += dy;
    }
    return r;
}

bool TPositionedLayer::HitTest(float x, float y) const
{
    // An inverted rectangle is never hit, as it is never painted.
    const TFloatRect r = GetAdjustedLocation();
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

QRect TPositionedLayer::PaintBounds() const
{
    return EnclosingRect(GetAdjustedLocation()).adjusted(-1, -1, 1, 1);
}

// ---------------------------------------------------------------------------------------------

TLayerCollection::TLayerCollection() = default;

TLayerCollection::~TLayerCollection()
{
    // Nobody listens any more while the collection goes.
    const std::vector<TLayerObserver*> observers = FObservers;
    FObservers.clear();
    for (TLayerObserver* observer : observers)
        if (observer)
            observer->CollectionDestroyed(this);
    Clear();
}

void TLayerCollection::AddObserver(TLayerObserver* observer)
{
    if (observer && std::find(FObservers.begin(), FObservers.end(), observer) == FObservers.end())
        FObservers.push_back(observer);
}

void TLayerCollection::RemoveObserver(TLayerObserver* observer)
{
    auto it = std::find(FObservers.begin(), FObservers.end(), observer);
    if (it == FObservers.end())
        return;
    if (FNotifying > 0)
        *it = nullptr;
    else
        FObservers.erase(it);
}

template <class Call>
void TLayerCollection::Notify(Call call)
{
    ++FNotifying;
    // By index: an observer may add or remove observers while it is told.
    for (size_t i = 0; i < FObservers.size(); ++i)
        if (TLayerObserver* observer = FObservers[i])
            call(*observer);
    if (--FNotifying == 0)
        FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), nullptr), FObservers.end());
}

TLayerCallbacks::TLayerCallbacks(TLayerCollection& collection)
    : FCollection(&collection)
{
    collection.AddObserver(this);
}

TLayerCallbacks::~TLayerCallbacks()
{
    if (FCollection)
        FCollection->RemoveObserver(this);
}

void TLayerCallbacks::LayerAdded(TCustomLayer*)
{
    if (OnListNotify)
        OnListNotify();
}

void TLayerCallbacks::LayerRemoved(TCustomLayer* layer, const QRect&)
{
    if (OnLayerRemoved)
        OnLayerRemoved(layer);
    if (OnListNotify)
        OnListNotify();
}

void TLayerCallbacks::LayerMoved(TCustomLayer*)
{
    if (OnListNotify)
        OnListNotify();
}

void TLayerCallbacks::LayerChanged(TCustomLayer* layer)
{
    if (OnLayerChanged)
        OnLayerChanged(layer);
}

TCustomLayer* TLayerCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FItems[static_cast<size_t>(index)];
}

int TLayerCollection::IndexOf(const TCustomLayer* layer) const
{
    auto it = std::find(FItems.begin(), FItems.end(), layer);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TLayerCollection::Delete(int index)
{
    delete Items(index);   // the destructor detaches the layer
}

void TLayerCollection::Remove(TCustomLayer* layer)
{
    if (layer && layer->FCollection == this)
        delete layer;
}

void TLayerCollection::Clear()
{
    // From the top down, so that a layer's destructor sees the rest of the list intact.
    while (!FItems.empty())
        delete FItems.back();
}

TCustomLayer* TLayerCollection::FindLayerAtPos(float x, float y, uint32_t optionMask) const
{
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
        TCustomLayer* layer = *it;
        if (!layer->Visible() || (layer->LayerOptions() & optionMask) == 0)
            continue;
        if (layer->HitTest(x, y))
            return layer;
    }
    return nullptr;
}

void TLayerCollection::PaintTo(TBitmap32& buffer)
{
    PaintTo(buffer, buffer.BoundsRect());
}

int TLayerCollection::PaintTo(TBitmap32& buffer, const QRect& clip, QRect* beyond)
{
    return PaintTo(buffer, std::vector<QRect>{clip}, 0, -1, beyond);
}

int TLayerCollection::PaintTo(TBitmap32& buffer, const std::vector<QRect>& areas, int first, int last, QRect* beyond,
                              const std::unordered_set<const TCustomLayer*>* changed)
{
    const auto inside = [&areas](const QRect& r) {
        for (const QRect& area : areas)
            if (area.contains(r))
                return true;
        return false;
    };
    const auto meets = [&areas](const QRect& r) {
        for (const QRect& area : areas)
            if (r.intersects(area))
                return true;
        return false;
    };
    int painted = 0;
    // Index loop: a layer's paint must not reorder the list, but it must not crash us either.
    for (int i = std::max(first, 0); i < Count() && (last < 0 || i <= last); ++i) {
        TCustomLayer* layer = FItems[static_cast<size_t>(i)];
        if (!layer->Visible()) {
            layer->FPaintedRect = QRect();
            continue;
        }
        const QRect bounds = layer->PaintBounds();
        if (!meets(bounds) && !meets(layer->FPaintedRect))
            continue;
        buffer.ClearChangedAreas();
        layer->Paint(buffer);
        QRect covered = bounds;
        for (const QRect& area : buffer.ChangedAreas())
            covered = UniteRects(covered, area.normalized());
        buffer.ClearChangedAreas();
        layer->FPaintedRect = covered;
        layer->FBeyondBounds = bounds.isEmpty() || covered.isEmpty()
                                   ? QMargins()
                                   : QMargins(std::max(0, bounds.left() - covered.left()), std::max(0, bounds.top() - covered.top()),
                                              std::max(0, covered.right() - bounds.right()),
                                              std::max(0, covered.bottom() - bounds.bottom()));
        // Only a changed layer can cover more than the area its change announced.
        const bool wasChanged = changed ? changed->count(layer) > 0 : layer->FChangedSincePaint;
        if (wasChanged && beyond && !inside(covered))
            *beyond = UniteRects(*beyond, covered);
        layer->FChangedSincePaint = false;
        ++painted;
    }
    return painted;
}

void TLayerCollection::Insert(TCustomLayer* layer)
{
    layer->FCollection = this;
    FItems.push_back(layer);
    Notify([layer](TLayerObserver& o) { o.LayerAdded(layer); });
}

void TLayerCollection::Detach(TCustomLayer* layer)
{
    auto it = std::find(FItems.begin(), FItems.end(), layer);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    layer->FCollection = nullptr;
    const QRect area = layer->FPaintedRect;
    Notify([layer, &area](TLayerObserver& o) { o.LayerRemoved(layer, area); });
}

void TLayerCollection::Move(TCustomLayer* layer, int newIndex)
{
    const int oldIndex = IndexOf(layer);
    if (oldIndex < 0)
        return;
    newIndex = std::clamp(newIndex, 0, Count() - 1);
    if (newIndex == oldIndex)
        return;
    FItems.erase(FItems.begin() + oldIndex);
    FItems.insert(FItems.begin() + newIndex, layer);
    Notify([layer](TLayerObserver& o) { o.LayerMoved(layer); });
}
