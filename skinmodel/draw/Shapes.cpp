#include "skinmodel/draw/Shapes.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// Half the circle constant 0.5522847498... (control distance of a quarter circle), and one minus it.
constexpr double HalfKappa = 0.2761423749153967;
constexpr double OneMinusKappa = 0.4477152501692066;
constexpr int ShapePointsStep = 512;
// Each split halves a segment's control length: at the shapes' flatness no segment of the
// fixed-point range needs more than 18 splits. The limit keeps a tiny flatness from asking for
// more than 2^20 pieces per segment.
constexpr int MaxFlattenDepth = 20;

TFixed Sat(int64_t v)
{
    return TFixed(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int64_t Abs64(int64_t v)
{
    return v < 0 ? -v : v;
}

// The box of a polyline stroked as FillShapePolygon strokes it (square caps), with half width h:
// the line's box grown by h holds the sides, the caps' inner halves and round joins. A miter tip
// reaches further; one longer than the limit times the pen width is cut, and both sides then run on
// past the corner by that length. Costs a pass over the points, not a stroke.
QRectF StrokeBounds(const QPolygonF& polygon, bool closed, double h, bool miter, double limit)
{
    QRectF box = polygon.boundingRect().adjusted(-h, -h, h, h);
    const qsizetype n = polygon.size();
    if (n < 2)
        return box;
    const auto add = [&](QPointF p) {
        box.setLeft(std::min(box.left(), p.x()));
        box.setTop(std::min(box.top(), p.y()));
        box.setRight(std::max(box.right(), p.x()));
        box.setBottom(std::max(box.bottom(), p.y()));
    };
    const auto unit = [](QPointF v) {
        const double length = std::hypot(v.x(), v.y());
        return length > 0 ? v / length : QPointF();
    };
    const auto direction = [&](qsizetype i) { return unit(polygon[(i + 1) % n] - polygon[i]); };
    if (miter) {
        const double reach = limit * 2 * h;
        for (qsizetype j = closed ? 0 : 1; j < (closed ? n : n - 1); ++j) {
            const QPointF d1 = direction((j + n - 1) % n), d2 = direction(j);
            // The cosine of half the turn; the tip lies h / c out on the outer side.
            const double c = std::hypot(d1.x() + d2.x(), d1.y() + d2.y()) / 2;
            if (c > 0 && h / c <= reach) {
                add(polygon[j] + unit(d1 - d2) * (h / c));
                continue;
            }
            for (const QPointF& d : {d1, -d2}) {
                const QPointF side(-d.y() * h, d.x() * h);
                add(polygon[j] + side + d * reach);
                add(polygon[j] - side + d * reach);
            }
        }
    }
    if (!closed) {
        const QPointF first = direction(0), last = direction(n - 2);
        for (const double s : {1.0, -1.0}) {
            add(polygon[0] - first * h + QPointF(-first.y(), first.x()) * (s * h));
            add(polygon[n - 1] + last * h + QPointF(-last.y(), last.x()) * (s * h));
        }
    }
    return box;
}

void MakeRoom(TShapePointBuffer& buf)
{
    if (buf.Count >= int(buf.Points.size()) / 2 - 4)
        buf.Points.resize(buf.Points.size() + ShapePointsStep);
}

void Flatten(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3, int64_t flatness,
             const TFixedRect& clip, bool test, int depth)
{
    if ((p0 == p1 && p2 == p3) || (test && CurveOutsideOneSide(p0, p1, p2, p3, clip)) || depth >= MaxFlattenDepth) {
        AddShapePoint(p1);
        AddShapePoint(p2);
        AddShapePoint(p3);
        return;
    }
    MakeRoom(ShapePoints());
    const TFixedPoint p01 = PointsMidpoint(p0, p1), p12 = PointsMidpoint(p1, p2), p23 = PointsMidpoint(p2, p3);
    const TFixedPoint p012 = PointsMidpoint(p01, p12), p123 = PointsMidpoint(p12, p23);
    const TFixedPoint m = PointsMidpoint(p012, p123);
    if (BezierControlLength(p0, p01, p012, m) <= flatness) {
        AddShapePoint(p01);
        AddShapePoint(p012);
        AddShapePoint(m);
    } else {
        Flatten(p0, p01, p012, m, flatness, clip, test, depth + 1);
    }
    if (BezierControlLength(m, p123, p23, p3) <= flatness) {
        AddShapePoint(p123);
        AddShapePoint(p23);
        AddShapePoint(p3);
    } else {
        Flatten(m, p123, p23, p3, flatness, clip, test, depth + 1);
    }
}

QPointF ToPixels(TFixedPoint p)
{
    return QPointF(p.X / 65536.0, p.Y / 65536.0);
}

} // namespace

TShapePointBuffer& ShapePoints()
{
    static TShapePointBuffer buffer{std::vector<TFixedPoint>(ShapePointsStep), 0};
    return buffer;
}

TFixed FixedFromPixels(int64_t pixels)
{
    return Sat(std::clamp<int64_t>(pixels, INT32_MIN, INT32_MAX) * FixedOne);
}

TFixedRect FixedRectFromRect(const QRect& r)
{
    return {FixedFromPixels(r.left()), FixedFromPixels(r.top()), FixedFromPixels(int64_t(r.right()) + 1),
            FixedFromPixels(int64_t(r.bottom()) + 1)};
}

TFixedPoint PointsMidpoint(TFixedPoint a, TFixedPoint b)
{
    return {TFixed((int64_t(a.X) + b.X) / 2), TFixed((int64_t(a.Y) + b.Y) / 2)};
}

int64_t BezierControlLength(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3)
{
    return Abs64(int64_t(p0.X) - p1.X) + Abs64(int64_t(p0.Y) - p1.Y) + Abs64(int64_t(p1.X) - p2.X) +
           Abs64(int64_t(p1.Y) - p2.Y) + Abs64(int64_t(p2.X) - p3.X) + Abs64(int64_t(p2.Y) - p3.Y);
}

int PointOutcode(TFixedPoint p, const TFixedRect& rect)
{
    if (p.X > rect.Right)
        return 1;
    if (p.Y > rect.Bottom)
        return 3;
    if (p.X < rect.Left)
        return 0;
    if (p.Y >= rect.Top)
        return 4;
    return 2;
}

bool PointsOutsideOneSide(std::span<const TFixedPoint> points, const TFixedRect& rect)
{
    if (points.empty())
        return true;
    const int code = PointOutcode(points[0], rect);
    if (code == 4)
        return false;
    return std::all_of(points.begin() + 1, points.end(),
                       [&](TFixedPoint p) { return PointOutcode(p, rect) == code; });
}

bool CurveOutsideOneSide(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3, const TFixedRect& rect)
{
    const int code = PointOutcode(p0, rect);
    return code != 4 && PointOutcode(p1, rect) == code && PointOutcode(p2, rect) == code &&
           PointOutcode(p3, rect) == code;
}

bool FixedRectIsZero(const TFixedRect& rect)
{
    return rect.Left == 0 && rect.Top == 0 && rect.Right == 0 && rect.Bottom == 0;
}

void ResetShapePoints()
{
    ShapePoints().Count = 0;
}

void AddShapePoint(TFixedPoint p)
{
    TShapePointBuffer& buf = ShapePoints();
    if (buf.Count >= int(buf.Points.size()))
        buf.Points.resize(buf.Points.size() + ShapePointsStep);
    buf.Points[size_t(buf.Count++)] = p;
}

void FlattenBezier(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3, int64_t flatness,
                   const TFixedRect& clip, bool test)
{
    Flatten(p0, p1, p2, p3, flatness, clip, test, 0);
}

void FlattenBezierPath(std::span<const TFixedPoint> points, int64_t flatness, const TFixedRect& clip)
{
    ResetShapePoints();
    if (points.empty())
        return;
    AddShapePoint(points[0]);
    const bool test = !FixedRectIsZero(clip);
    for (size_t i = 0; i + 4 <= points.size(); i += 3)
        FlattenBezier(points[i], points[i + 1], points[i + 2], points[i + 3], flatness, clip, test);
}

std::vector<TFixedPoint> EllipsePathPoints(const TFixedRect& rect)
{
    const TFixed L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
    const TFixedPoint c = PointsMidpoint({L, T}, {R, B});
    const TFixed dx = Sat(int64_t(std::trunc(double(int64_t(R) - L) * HalfKappa)));
    const TFixed dy = Sat(int64_t(std::trunc(double(int64_t(B) - T) * HalfKappa)));
    auto at = [](int64_t x, int64_t y) { return TFixedPoint{Sat(x), Sat(y)}; };
    return {at(L, c.Y),          at(L, int64_t(c.Y) - dy), at(int64_t(c.X) - dx, T), at(c.X, T),
            at(int64_t(c.X) + dx, T), at(R, int64_t(c.Y) - dy), at(R, c.Y),          at(R, int64_t(c.Y) + dy),
            at(int64_t(c.X) + dx, B), at(c.X, B),          at(int64_t(c.X) - dx, B), at(L, int64_t(c.Y) + dy),
            at(L, c.Y)};
}

std::vector<TFixedPoint> RoundRectPathPoints(const TFixedRect& rect, TFixed radius)
{
    const int64_t L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom, r = radius;
    const int64_t c = int64_t(std::nearbyint(double(radius) * OneMinusKappa));
    auto at = [](int64_t x, int64_t y) { return TFixedPoint{Sat(x), Sat(y)}; };
    return {
        at(R - r, T), at(R - c, T), at(R, T + c), at(R, T + r),  // top-right corner
        at(R, T + r), at(R, B - r), at(R, B - r),                // right edge
        at(R, B - c), at(R - c, B), at(R - r, B),                // bottom-right corner
        at(R - r, B), at(L + r, B), at(L + r, B),                // bottom edge
        at(L + c, B), at(L, B - c), at(L, B - r),                // bottom-left corner
        at(L, B - r), at(L, T + r), at(L, T + r),                // left edge
        at(L, T + c), at(L + c, T), at(L + r, T),                // top-left corner
    };
}

void DrawShapeEllipse(TBitmap32& bitmap, const TFixedRect& rect, const TShapeLineStyle& line,
                      const TShapeFillStyle& fill, bool antialias)
{
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    const std::vector<TFixedPoint> points = EllipsePathPoints(rect);
    DrawBezierShape(bitmap, points, true, line, fill, antialias, sfmEvenOdd);
}

void DrawShapeRoundRect(TBitmap32& bitmap, const TFixedRect& rect, TFixed radius, const TShapeLineStyle& line,
                        const TShapeFillStyle& fill, bool antialias)
{
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    const std::vector<TFixedPoint> points = RoundRectPathPoints(rect, radius);
    DrawBezierShape(bitmap, points, true, line, fill, antialias, sfmEvenOdd);
}

void DrawBezierShape(TBitmap32& bitmap, std::span<const TFixedPoint> points, bool closed,
                     const TShapeLineStyle& line, const TShapeFillStyle& fill, bool antialias, int fillMode)
{
    if (points.size() <= 1 || (points.size() - 1) % 3 != 0 || bitmap.Empty())
        return;
    const TFixedRect clip{0, 0, FixedFromPixels(bitmap.Width()), FixedFromPixels(bitmap.Height())};
    if (PointsOutsideOneSide(points, clip))
        return;
    FlattenBezierPath(points, ShapeFlatness, clip);
    const TShapePointBuffer& buf = ShapePoints();
    std::vector<TFixedPoint> polygon;
    polygon.reserve(size_t(buf.Count) / 3 + 1);
    for (int i = 0; i < buf.Count; i += 3)
        polygon.push_back(buf.Points[size_t(i)]);
    FillShapePolygon(bitmap, polygon, closed, line, fill, antialias, fillMode);
}

void FillShapePolygon(TBitmap32& bitmap, std::span<const TFixedPoint> points, bool closed,
                      const TShapeLineStyle& line, const TShapeFillStyle& fill, bool antialias, int fillMode)
{
    if (bitmap.Empty() || points.empty())
        return;
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const TFixedPoint& p : points)
        if (polygon.isEmpty() || ToPixels(p) != polygon.back())
            polygon.append(ToPixels(p));
    if (closed && polygon.size() > 1 && polygon.front() == polygon.back())
        polygon.removeLast();

    QPainter painter(&bitmap.Image());
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    // A partial repaint: the pixels inside come out as in a full one, the rest is not touched.
    if (bitmap.ClipRect() != bitmap.BoundsRect())
        painter.setClipRect(bitmap.ClipRect());
    // What a full paint covers is reported whatever part is repainted: a wide outline or a radius
    // past half the shape reaches beyond the shape's rectangle, and the canvas must know how far.
    QRectF covered;
    if (!fill.NoFill && (fill.Color >> 24) != 0) {
        QPainterPath inside;
        inside.addPolygon(polygon);
        inside.closeSubpath();
        inside.setFillRule(fillMode == sfmNonZero ? Qt::WindingFill : Qt::OddEvenFill);
        painter.fillPath(inside, QColor::fromRgba(fill.Color));
        covered = polygon.boundingRect();
    }
    if (line.Width > 0 && (line.Color >> 24) != 0) {
        // The outline grown by the line width to both sides: a pen twice as wide, whose stroke
        // Qt fills as one non-zero winding area.
        QPen pen(QColor::fromRgba(line.Color), 2.0 * line.Width / 65536.0, Qt::SolidLine, Qt::SquareCap,
                 line.EdgeSharpness > 0 ? Qt::MiterJoin : Qt::RoundJoin);
        pen.setMiterLimit(std::max(1.0, 4.0 * double(line.EdgeSharpness)));
        covered |= StrokeBounds(polygon, closed, line.Width / 65536.0, pen.joinStyle() == Qt::MiterJoin,
                                pen.miterLimit());
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        if (closed)
            painter.drawPolygon(polygon);
        else
            painter.drawPolyline(polygon);
    }
    // One pixel more for the anti-aliased edge.
    if (!covered.isEmpty())
        bitmap.Changed(covered.toAlignedRect().adjusted(-1, -1, 1, 1));
}
