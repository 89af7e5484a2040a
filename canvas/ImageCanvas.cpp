#include "canvas/ImageCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

TImageCanvas::TImageCanvas()
    : PaintStages{{PST_CLEAR_BACKGND, 0}, {PST_DRAW_BITMAP, 0}, {PST_DRAW_LAYERS, 0}}
{
    FLayers->AddObserver(&FObserver);
}

TImageCanvas::~TImageCanvas()
{
    OnInvalidate = nullptr;
    OnCanvasResized = nullptr;
    if (FLayers != &FOwnLayers)
        FLayers->RemoveObserver(&FObserver);
    FOwnLayers.Clear();
    FOwnLayers.RemoveObserver(&FObserver);
}

void TImageCanvas::SetLayers(TLayerCollection* layers)
{
    if (!layers)
        layers = &FOwnLayers;
    if (layers == FLayers)
        return;
    FLayers->RemoveObserver(&FObserver);
    FCapture = FHover = FEventLayer = nullptr;
    FChangedLayers.clear();
    FOverlays.clear();
    FLayers = layers;
    FLayers->AddObserver(&FObserver);
    Invalidate();
}

void TImageCanvas::TObserver::LayerRemoved(TCustomLayer* layer, const QRect& area)
{
    const bool overlay = FCanvas.IsOverlay(layer);
    if (overlay)
        FCanvas.FOverlays.erase(std::find(FCanvas.FOverlays.begin(), FCanvas.FOverlays.end(), layer));
    FCanvas.LayerRemoved(layer);
    if (!FCanvas.Updating())
        FCanvas.InvalidateRects(layer->OutlineAreas(area), overlay);
}

void TImageCanvas::TObserver::LayerMoved(TCustomLayer* layer)
{
    if (!FCanvas.Updating())
        FCanvas.LayerChanged(layer);
}

void TImageCanvas::TObserver::LayerChanged(TCustomLayer* layer)
{
    FCanvas.LayerChanged(layer);
}

void TImageCanvas::TObserver::CollectionDestroyed(TLayerCollection* collection)
{
    if (collection != FCanvas.FLayers)
        return;
    FCanvas.FCapture = FCanvas.FHover = FCanvas.FEventLayer = nullptr;
    FCanvas.FChangedLayers.clear();
    FCanvas.FOverlays.clear();
    FCanvas.FLayers = &FCanvas.FOwnLayers;
    FCanvas.FOwnLayers.AddObserver(this);
    FCanvas.Invalidate();
}

void TImageCanvas::BitmapChanged()
{
    Invalidate();
    if (FCanvasSize.isEmpty() && OnCanvasResized)
        OnCanvasResized();
}

void TImageCanvas::SetCanvasSize(int width, int height)
{
    const QSize size(std::max(width, 0), std::max(height, 0));
    if (size == FCanvasSize)
        return;
    FCanvasSize = size;
    Invalidate();
    if (OnCanvasResized)
        OnCanvasResized();
}

QSize TImageCanvas::CanvasSize() const
{
    if (!FCanvasSize.isEmpty())
        return FCanvasSize;
    return QSize(FBitmap.Width(), FBitmap.Height());
}

void TImageCanvas::SetBufferSize(int width, int height)
{
    FBufferSize = QSize(std::max(width, 0), std::max(height, 0));
    FBufferSizeSet = true;
    Invalidate();
}

QSize TImageCanvas::BufferSize() const
{
    return FBufferSizeSet ? FBufferSize : CanvasSize();
}

void TImageCanvas::BeginUpdate()
{
    ++FUpdateCount;
}

void TImageCanvas::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Invalidate();
}

void TImageCanvas::Invalidate()
{
    InvalidateRect(QRect(QPoint(0, 0), BufferSize()));
}

void TImageCanvas::InvalidateRect(const QRect& r)
{
    InvalidateRects({r});
}

void TImageCanvas::InvalidateRects(const std::vector<QRect>& areas, bool overlayOnly)
{
    constexpr size_t MaxAreas = 32;
    const QRect whole(QPoint(0, 0), BufferSize());
    QRect shown;
    for (const QRect& r : areas) {
        QRect area = r.intersected(whole);
        if (area.isEmpty())
            continue;
        shown = UniteRects(shown, area);
        FDirty = UniteRects(FDirty, area);
        // Areas that overlap become one where that adds little; past a few dozen the bounds stand
        // for all of them.
        const auto size = [](const QRect& r) { return int64_t(r.width()) * r.height(); };
        std::vector<QRect>& list = overlayOnly ? FOverlayAreas : FDirtyAreas;
        for (auto it = list.begin(); it != list.end();) {
            if (it->intersects(area) && size(it->united(area)) <= size(*it) + size(area)) {
                area = area.united(*it);
                it = list.erase(it);
            } else {
                ++it;
            }
        }
        list.push_back(area);
        if (list.size() > MaxAreas)
            list = {FDirty};
    }
    if (!shown.isEmpty() && OnInvalidate)
        OnInvalidate(shown);
}

void TImageCanvas::LayerChanged(TCustomLayer* layer)
{
    // Where it was and where it is: apart, so a frame that jumps across the page repaints two
    // small areas, not everything between them.
    if (Updating() || FRendering)
        return;
    FChangedLayers.insert(layer);
    std::vector<QRect> areas = layer->OutlineAreas(layer->PaintedRect());
    for (const QRect& r : layer->OutlineAreas(layer->ExpectedArea()))
        areas.push_back(r);
    InvalidateRects(areas, IsOverlay(layer));
}

void TImageCanvas::LayerRemoved(TCustomLayer* layer)
{
    if (FCapture == layer)
        FCapture = nullptr;
    if (FHover == layer)
        FHover = nullptr;
    if (FEventLayer == layer)
        FEventLayer = nullptr;
    FChangedLayers.erase(layer);
}

std::vector<const TCustomLayer*> TImageCanvas::TopOverlays() const
{
    std::vector<const TCustomLayer*> overlays;
    for (int i = FLayers->Count() - 1; i >= 0 && FLayers->Items(i)->OutlineWidth() > 0; --i)
        overlays.push_back(FLayers->Items(i));
    return overlays;
}

bool TImageCanvas::IsOverlay(const TCustomLayer* layer) const
{
    if (std::find(FOverlays.begin(), FOverlays.end(), layer) == FOverlays.end())
        return false;
    // Still on top: nothing was put above it since the last render.
    const int index = FLayers->IndexOf(layer);
    return index < 0 || index >= FLayers->Count() - int(FOverlays.size());
}

namespace {

void CopyAreas(TBitmap32& to, const TBitmap32& from, const std::vector<QRect>& areas)
{
    for (const QRect& area : areas) {
        const size_t bytes = static_cast<size_t>(area.width()) * sizeof(QRgb);
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::memcpy(reinterpret_cast<QRgb*>(to.Image().scanLine(y)) + area.left(),
                        reinterpret_cast<const QRgb*>(from.Image().constScanLine(y)) + area.left(), bytes);
    }
}

std::vector<QRect> Within(const std::vector<QRect>& areas, const QRect& bounds)
{
    std::vector<QRect> out;
    for (const QRect& area : areas)
        if (const QRect a = area.intersected(bounds); !a.isEmpty())
            out.push_back(a);
    return out;
}

}  // namespace

QRect TImageCanvas::Render()
{
    const QSize size = BufferSize();
    if (FBack.Width() != size.width() || FBack.Height() != size.height()) {
        FBack.SetSize(size.width(), size.height());
        FScratch.SetSize(size.width(), size.height());
        FUnder.SetSize(size.width(), size.height());
        FDirty = FBack.BoundsRect();
        FDirtyAreas = {FDirty};
    }
    const QRect whole = FBack.BoundsRect();
    // A frame that came to lie on top, or that has something above it now, moves between the
    // picture under the frames and the frames: its areas are repainted under them.
    const std::vector<const TCustomLayer*> overlays = TopOverlays();
    if (overlays != FOverlays) {
        std::vector<const TCustomLayer*> moved = overlays;
        moved.insert(moved.end(), FOverlays.begin(), FOverlays.end());
        for (const TCustomLayer* layer : moved) {
            if (FLayers->IndexOf(layer) < 0)
                continue;
            for (const QRect& r : layer->OutlineAreas(layer->PaintedRect()))
                FDirtyAreas.push_back(r);
            for (const QRect& r : layer->OutlineAreas(layer->ExpectedArea()))
                FDirtyAreas.push_back(r);
            FDirty = UniteRects(FDirty, layer->ChangedArea());
        }
        FOverlays = overlays;
    }
    QRect clip = FDirty.intersected(whole);
    std::vector<QRect> under = Within(FDirtyAreas, whole);
    std::vector<QRect> all = Within(FOverlayAreas, whole);
    FDirty = QRect();
    FDirtyAreas.clear();
    FOverlayAreas.clear();
    const std::unordered_set<const TCustomLayer*> changed = std::move(FChangedLayers);
    FChangedLayers.clear();
    FLastPainted = 0;
    if (FBack.Empty() || clip.isEmpty())
        return QRect();
    const int lastUnder = FLayers->Count() - 1 - int(FOverlays.size());
    if (clip == whole) {
        under = {whole};
        all.clear();
    }
    QRect beyond;
    if (!under.empty()) {
        if (under.size() == 1 && under.front() == whole) {
            RenderInto(FUnder, under, lastUnder);
        } else {
            // Layers paint without a clip, so a partial repaint is drawn aside and only its areas kept.
            beyond = RenderInto(FScratch, under, lastUnder, &changed).intersected(whole);
            CopyAreas(FUnder, FScratch, under);
        }
    }
    all.insert(all.end(), under.begin(), under.end());
    // A changed layer's paint can reach further than its change announced (a wide outline, a
    // shadow): that area is drawn in a second pass and shown too.
    bool second = false;
    if (!beyond.isEmpty()) {
        second = std::none_of(all.begin(), all.end(), [&beyond](const QRect& a) { return a.contains(beyond); });
        if (second) {
            RenderInto(FScratch, {beyond}, lastUnder);
            CopyAreas(FUnder, FScratch, {beyond});
            all.push_back(beyond);
        }
    }
    CopyAreas(FBack, FUnder, all);
    if (!FOverlays.empty()) {
        FRendering = true;
        QRect bounds;
        for (const QRect& area : all)
            bounds = UniteRects(bounds, area);
        FBack.SetClipRect(bounds);
        FLastPainted += FLayers->PaintTo(FBack, all, lastUnder + 1);
        FBack.ResetClipRect();
        FRendering = false;
    }
    if (!second)
        return clip;
    if (OnInvalidate)
        OnInvalidate(beyond);
    return clip.united(beyond);
}

QRect TImageCanvas::RenderInto(TBitmap32& target, const std::vector<QRect>& areas, int lastLayer,
                               const std::unordered_set<const TCustomLayer*>* changed)
{
    QRect beyond;
    FRendering = true;
    QRect bounds;
    for (const QRect& area : areas)
        bounds = UniteRects(bounds, area);
    // The backgrounds area by area; the layers once, each that meets an area.
    for (size_t i = 0; i < PaintStages.size(); ++i) {
        if (PaintStages[i].Stage == PST_DRAW_LAYERS) {
            target.SetClipRect(bounds);
            if (lastLayer >= 0)
                FLastPainted += FLayers->PaintTo(target, areas, 0, lastLayer, &beyond, changed);
            continue;
        }
        for (const QRect& clip : areas) {
            target.SetClipRect(clip);
            RenderStage(target, clip, i);
        }
    }
    target.ResetClipRect();
    FRendering = false;
    return beyond;
}

void TImageCanvas::RenderStage(TBitmap32& target, const QRect& clip, size_t i)
{
    {
        switch (PaintStages[i].Stage) {
        case PST_CLEAR_BACKGND: {
            QPainter p(&target.Image());
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(clip, QColor::fromRgba(Color));
            break;
        }
        case PST_DRAW_BITMAP: {
            const QRect src = clip.intersected(FBitmap.BoundsRect());
            if (FBitmap.Empty() || src.isEmpty())
                break;
            QPainter p(&target.Image());
            if (FBitmap.DrawMode == TDrawMode::dmOpaque) {
                p.setCompositionMode(QPainter::CompositionMode_Source);
            } else {
                p.setOpacity(FBitmap.MasterAlpha / 255.0);
            }
            p.drawImage(src.topLeft(), FBitmap.Image(), src);
            break;
        }
        case PST_DRAW_LAYERS:
            break;
        case PST_CUSTOM:
            if (OnPaintStage)
                OnPaintStage(target, static_cast<int>(i));
            break;
        }
    }
}

TCustomLayer* TImageCanvas::Target(float x, float y) const
{
    return FCapture ? FCapture : FLayers->FindLayerAtPos(x, y);
}

TCustomLayer* TImageCanvas::Deliver(TCustomLayer* layer, const std::function<void(TCustomLayer&)>& toLayer,
                                    const std::function<void(TCustomLayer*)>& toOwner)
{
    FHover = FEventLayer = layer;
    if (layer)
        toLayer(*layer);
    // The layer's handler may have freed it; FEventLayer is cleared then.
    toOwner(FEventLayer);
    TCustomLayer* result = FEventLayer;
    FEventLayer = nullptr;
    return result;
}

TCustomLayer* TImageCanvas::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y)
{
    FButtons |= button;
    TCustomLayer* layer = Target(x, y);
    if (layer && !FCapture && (layer->LayerOptions() & LOB_NO_CAPTURE) == 0)
        FCapture = layer;
    return Deliver(
        layer, [&](TCustomLayer& l) { l.MouseDown(button, shift, x, y); },
        [&](TCustomLayer* l) {
            if (OnMouseDown)
                OnMouseDown(button, shift, x, y, l);
        });
}

TCustomLayer* TImageCanvas::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y)
{
    return Deliver(
        Target(x, y), [&](TCustomLayer& l) { l.MouseMove(buttons, shift, x, y); },
        [&](TCustomLayer* l) {
            if (OnMouseMove)
                OnMouseMove(buttons, shift, x, y, l);
        });
}

TCustomLayer* TImageCanvas::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y)
{
    FButtons &= ~Qt::MouseButtons(button);
    return Deliver(
        Target(x, y), [&](TCustomLayer& l) { l.MouseUp(button, shift, x, y); },
        [&](TCustomLayer* l) {
            if (FButtons == Qt::NoButton)
                FCapture = nullptr;
            if (OnMouseUp)
                OnMouseUp(button, shift, x, y, l);
        });
}

int TImageCanvas::Cursor() const
{
    return FHover ? FHover->Cursor() : static_cast<int>(Qt::ArrowCursor);
}
