#include "canvas/RubberBand.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

TFloatRect Normalized(const TFloatRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

bool Near(float px, float py, float hx, float hy, float size)
{
    return std::fabs(px - hx) <= size && std::fabs(py - hy) <= size;
}

} // namespace

int DragStateCursor(TRBDragState state)
{
    switch (state) {
    case dsMove: return Qt::SizeAllCursor;
    case dsSizeL:
    case dsSizeR: return Qt::SizeHorCursor;
    case dsSizeT:
    case dsSizeB: return Qt::SizeVerCursor;
    case dsSizeTL:
    case dsSizeBR: return Qt::SizeFDiagCursor;
    case dsSizeTR:
    case dsSizeBL: return Qt::SizeBDiagCursor;
    case dsNone: break;
    }
    return Qt::ArrowCursor;
}

TRubberbandLayer::TRubberbandLayer(TLayerCollection* collection)
    : TPositionedLayer(collection)
{
    SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
    // The outline and the handles lie within the margin around the location and as far inside.
    SetOutlineWidth(2 * (static_cast<int>(std::ceil(std::max(HandleSize, 0.0f))) + 2) + 1);
}

TRubberbandLayer::~TRubberbandLayer()
{
    SetChildLayer(nullptr);
}

void TRubberbandLayer::SetChildLayer(TPositionedLayer* child)
{
    if (child == FChildLayer)
        return;
    if (FChildLayer)
        FChildLayer->RemoveNotification(this);
    FChildLayer = child;
    if (!child)
        return;
    child->AddNotification(this);
    SetScaled(child->Scaled());
    // Only the frame takes the rectangle; the child already has it.
    TPositionedLayer::DoSetLocation(child->Location());
    Changed();
}

void TRubberbandLayer::Notification(TCustomLayer* destroyed)
{
    if (destroyed == FChildLayer)
        FChildLayer = nullptr;
}

void TRubberbandLayer::SetLayerOptions(uint32_t options)
{
    TPositionedLayer::SetLayerOptions(options & ~LOB_NO_UPDATE);
}

void TRubberbandLayer::DoSetLocation(const TFloatRect& r)
{
    TPositionedLayer::DoSetLocation(r);
    if (FChildLayer)
        FChildLayer->SetLocation(r);
}

TRBDragState TRubberbandLayer::GetDragState(float x, float y) const
{
    const TFloatRect r = Normalized(GetAdjustedLocation());
    const float cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const float hs = HandleSize;
    // Corners before edges: on a small frame they overlap, and a corner does both.
    if (Near(x, y, r.Left, r.Top, hs)) return dsSizeTL;
    if (Near(x, y, r.Right, r.Top, hs)) return dsSizeTR;
    if (Near(x, y, r.Left, r.Bottom, hs)) return dsSizeBL;
    if (Near(x, y, r.Right, r.Bottom, hs)) return dsSizeBR;
    if (Near(x, y, r.Left, cy, hs)) return dsSizeL;
    if (Near(x, y, r.Right, cy, hs)) return dsSizeR;
    if (Near(x, y, cx, r.Top, hs)) return dsSizeT;
    if (Near(x, y, cx, r.Bottom, hs)) return dsSizeB;
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
        return dsMove;
    return dsNone;
}

bool TRubberbandLayer::HitTest(float x, float y) const
{
    return GetDragState(x, y) != dsNone;
}

QRect TRubberbandLayer::PaintBounds() const
{
    const int m = static_cast<int>(std::ceil(std::max(HandleSize, 0.0f))) + 2;
    return EnclosingRect(GetAdjustedLocation()).adjusted(-m, -m, m, m);
}

int TRubberbandLayer::Cursor() const
{
    return DragStateCursor(FDragState != dsNone ? FDragState : FHoverState);
}

void TRubberbandLayer::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y)
{
    if (button == Qt::LeftButton && FDragState == dsNone) {
        FDragState = GetDragState(x, y);
        if (FDragState != dsNone) {
            FDragButtons = button;
            FDragPos = QPointF(x, y);
            FOldLocation = Location();
        }
    }
    TPositionedLayer::MouseDown(button, shift, x, y);
}

void TRubberbandLayer::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y)
{
    if (FDragState == dsNone) {
        FHoverState = GetDragState(x, y);
    } else {
        const float dx = x - static_cast<float>(FDragPos.x());
        const float dy = y - static_cast<float>(FDragPos.y());
        TFloatRect proposed = ProposedLocation(dx, dy);
        if (OnResizing)
            OnResizing(this, FOldLocation, proposed, FDragState, shift);
        if (!(proposed == Location())) {
            SetLocation(proposed);
            if (OnUserChange)
                OnUserChange(this);
        }
    }
    TPositionedLayer::MouseMove(buttons, shift, x, y);
}

void TRubberbandLayer::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y)
{
    if (FDragState != dsNone && (FDragButtons & button)) {
        FDragState = dsNone;
        FDragButtons = Qt::NoButton;
        FHoverState = GetDragState(x, y);
    }
    TPositionedLayer::MouseUp(button, shift, x, y);
}

TFloatRect TRubberbandLayer::ProposedLocation(float dx, float dy) const
{
    const TFloatRect& o = FOldLocation;
    TFloatRect r = o;
    if (FDragState == dsMove)
        return {o.Left + dx, o.Top + dy, o.Right + dx, o.Bottom + dy};

    const bool left = FDragState == dsSizeL || FDragState == dsSizeTL || FDragState == dsSizeBL;
    const bool right = FDragState == dsSizeR || FDragState == dsSizeTR || FDragState == dsSizeBR;
    const bool top = FDragState == dsSizeT || FDragState == dsSizeTL || FDragState == dsSizeTR;
    const bool bottom = FDragState == dsSizeB || FDragState == dsSizeBL || FDragState == dsSizeBR;
    // The dragged edge stops where the frame would get smaller than the minimum.
    if (left)
        r.Left = std::min(o.Left + dx, o.Right - MinWidth);
    if (right)
        r.Right = std::max(o.Right + dx, o.Left + MinWidth);
    if (top)
        r.Top = std::min(o.Top + dy, o.Bottom - MinHeight);
    if (bottom)
        r.Bottom = std::max(o.Bottom + dy, o.Top + MinHeight);
    return r;
}

void TRubberbandLayer::Paint(TBitmap32& buffer)
{
    if (buffer.Empty())
        return;
    const QRect r = RoundRect(Normalized(GetAdjustedLocation()));
    if (!buffer.MeasuringMode()) {
        PaintOutline(buffer, r);
        PaintHandles(buffer);
    }
    buffer.Changed(PaintBounds());
}

void TRubberbandLayer::PaintOutline(TBitmap32& buffer, const QRect& r) const
{
    if (r.width() <= 0 || r.height() <= 0 || FrameStipple.empty())
        return;
    QImage& img = buffer.Image();
    const QRect bounds = buffer.BoundsRect();
    const int n = static_cast<int>(FrameStipple.size());
    long i = 0;
    auto plot = [&](int x, int y) {
        const double pos = std::floor(static_cast<double>(StippleCounter) + static_cast<double>(i) * StippleStep);
        ++i;
        if (!bounds.contains(x, y))
            return;
        const long k = static_cast<long>(std::fmod(pos, static_cast<double>(n)));
        const uint32_t c = FrameStipple[static_cast<size_t>(k < 0 ? k + n : k)];
        reinterpret_cast<QRgb*>(img.scanLine(y))[x] = qPremultiply(c);
    };
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    // Clockwise, each corner once. Long edges far outside the buffer are skipped whole,
    // which only shifts the dash phase there.
    auto edge = [&](int from, int to, int step, auto at) {
        for (int v = from; v != to + step; v += step)
            at(v);
    };
    if (std::max(r.width(), r.height()) > 4 * std::max(bounds.width(), bounds.height()) + 64) {
        const QRect vis = r.intersected(bounds.adjusted(-1, -1, 1, 1));
        if (vis.isEmpty())
            return;
        // Too big to walk: draw only the visible pieces, phase counted from their own start.
        if (t >= bounds.top() && t <= bounds.bottom())
            edge(vis.left(), vis.right(), 1, [&](int x) { plot(x, t); });
        if (rr >= bounds.left() && rr <= bounds.right())
            edge(vis.top(), vis.bottom(), 1, [&](int y) { plot(rr, y); });
        if (b >= bounds.top() && b <= bounds.bottom())
            edge(vis.right(), vis.left(), -1, [&](int x) { plot(x, b); });
        if (l >= bounds.left() && l <= bounds.right())
            edge(vis.bottom(), vis.top(), -1, [&](int y) { plot(l, y); });
        return;
    }
    edge(l, rr, 1, [&](int x) { plot(x, t); });
    if (b > t) {
        edge(t + 1, b, 1, [&](int y) { plot(rr, y); });
        if (rr > l)
            edge(rr - 1, l, -1, [&](int x) { plot(x, b); });
        edge(b - 1, t + 1, -1, [&](int y) { plot(l, y); });
    }
}

void TRubberbandLayer::PaintHandles(TBitmap32& buffer) const
{
    const int hs = static_cast<int>(std::nearbyint(std::max(HandleSize, 0.0f)));
    if (hs <= 0)
        return;
    const TFloatRect f = Normalized(GetAdjustedLocation());
    const QRect r = RoundRect(f);
    const int l = r.left(), t = r.top(), rr = r.left() + std::max(r.width() - 1, 0),
              b = r.top() + std::max(r.height() - 1, 0);
    const int cx = l + (rr - l) / 2, cy = t + (b - t) / 2;
    const QPoint centres[8] = {{l, t}, {cx, t}, {rr, t}, {rr, cy}, {rr, b}, {cx, b}, {l, b}, {l, cy}};
    QPainter p(&buffer.Image());
    p.setPen(QColor::fromRgba(HandleFrame));
    p.setBrush(QColor::fromRgba(HandleFill));
    for (const QPoint& c : centres)
        p.drawRect(QRect(c.x() - hs, c.y() - hs, 2 * hs, 2 * hs));
}
