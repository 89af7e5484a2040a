#include "canvas/ImageCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

TImageCanvas::TImageCanvas()
    : PaintStages{{PST_CLEAR_BACKGND, 0}, {PST_DRAW_BITMAP, 0}, {PST_DRAW_LAYERS, 0}}
{
    FLayers.OnLayerChanged = [this](TCustomLayer* layer) { LayerChanged(layer); };
    FLayers.OnLayerRemoved = [this](TCustomLayer* layer) { LayerRemoved(layer); };
    FLayers.OnListNotify = [this] {
        if (!Updating())
            Invalidate();
    };
}

TImageCanvas::~TImageCanvas()
{
    OnInvalidate = nullptr;
    OnCanvasResized = nullptr;
    FLayers.Clear();
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
    const QRect area = r.intersected(QRect(QPoint(0, 0), BufferSize()));
    if (area.isEmpty())
        return;
    FDirty = UniteRects(FDirty, area);
    if (OnInvalidate)
        OnInvalidate(area);
}

void TImageCanvas::LayerChanged(TCustomLayer* layer)
{
    if (!Updating() && !FRendering)
        InvalidateRect(layer->ChangedArea());
}

void TImageCanvas::LayerRemoved(TCustomLayer* layer)
{
    if (FCapture == layer)
        FCapture = nullptr;
    if (FHover == layer)
        FHover = nullptr;
    if (FEventLayer == layer)
        FEventLayer = nullptr;
}

QRect TImageCanvas::Render()
{
    const QSize size = BufferSize();
    if (FBack.Width() != size.width() || FBack.Height() != size.height()) {
        FBack.SetSize(size.width(), size.height());
        FScratch.SetSize(size.width(), size.height());
        FDirty = FBack.BoundsRect();
    }
    const QRect clip = FDirty.intersected(FBack.BoundsRect());
    FDirty = QRect();
    FLastPainted = 0;
    if (FBack.Empty() || clip.isEmpty())
        return QRect();
    if (clip == FBack.BoundsRect()) {
        RenderInto(FBack, clip);
        return clip;
    }
    // Layers paint without a clip, so a partial repaint is drawn aside and only its area shown.
    const QRect beyond = RenderInto(FScratch, clip).intersected(FBack.BoundsRect());
    ShowScratch(clip);
    // A changed layer's paint can reach further than its change announced (a wide outline, a
    // shadow): that area is drawn in a second pass and shown too.
    if (beyond.isEmpty() || clip.contains(beyond))
        return clip;
    RenderInto(FScratch, beyond);
    ShowScratch(beyond);
    if (OnInvalidate)
        OnInvalidate(beyond);
    return clip.united(beyond);
}

void TImageCanvas::ShowScratch(const QRect& area)
{
    const size_t bytes = static_cast<size_t>(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::memcpy(reinterpret_cast<QRgb*>(FBack.Image().scanLine(y)) + area.left(),
                    reinterpret_cast<const QRgb*>(FScratch.Image().constScanLine(y)) + area.left(), bytes);
    }
}

QRect TImageCanvas::RenderInto(TBitmap32& target, const QRect& clip)
{
    QRect beyond;
    FRendering = true;
    target.SetClipRect(clip);
    for (size_t i = 0; i < PaintStages.size(); ++i) {
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
            FLastPainted += FLayers.PaintTo(target, clip, &beyond);
            break;
        case PST_CUSTOM:
            if (OnPaintStage)
                OnPaintStage(target, static_cast<int>(i));
            break;
        }
    }
    target.ResetClipRect();
    FRendering = false;
    return beyond;
}

TCustomLayer* TImageCanvas::Target(float x, float y) const
{
    return FCapture ? FCapture : FLayers.FindLayerAtPos(x, y);
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
