// Filled and outlined shapes with smooth edges: paths of cubic Bezier segments in 16.16 fixed
// point, flattened into polygons by subdivision and filled, then a band along the outline.
// Uses one shared point buffer: user-interface thread only.
#pragma once

#include "canvas/Bitmap32.h"

#include <QRect>

#include <cstdint>
#include <span>
#include <vector>

using TFixed = int32_t;  // 16.16 fixed point: 65536 is one pixel
constexpr TFixed FixedOne = 65536;

struct TFixedPoint {
    TFixed X = 0;
    TFixed Y = 0;
    friend bool operator==(const TFixedPoint&, const TFixedPoint&) = default;
};

struct TFixedRect {
    TFixed Left = 0;
    TFixed Top = 0;
    TFixed Right = 0;
    TFixed Bottom = 0;
    friend bool operator==(const TFixedRect&, const TFixedRect&) = default;
};

struct TShapeLineStyle {
    uint32_t Color = 0;          // ARGB
    TFixed Width = 0;            // the band reaches this far to each side of the outline; 0 draws none
    float EdgeSharpness = 1.0f;  // 1 gives sharp corners, 0 round ones
};

struct TShapeFillStyle {
    uint32_t Color = 0;   // ARGB
    bool NoFill = false;  // draw only the band
};

enum TShapeFillMode : int { sfmEvenOdd = 0, sfmNonZero = 1 };

// The flatness that shapes are flattened to: two pixels of control-polygon length.
constexpr TFixed ShapeFlatness = 2 * FixedOne;

// The shared buffer that flattening appends to; it keeps the last shape's points.
struct TShapePointBuffer {
    std::vector<TFixedPoint> Points;  // its size is the room; Count of them are in use
    int Count = 0;
};
TShapePointBuffer& ShapePoints();

// Whole pixels to fixed point, saturating at the ends of the fixed-point range.
TFixed FixedFromPixels(int64_t pixels);
// A Windows-style pixel rectangle (right and bottom exclusive) in fixed point.
TFixedRect FixedRectFromRect(const QRect& r);

// Point operations.
TFixedPoint PointsMidpoint(TFixedPoint a, TFixedPoint b);
int64_t BezierControlLength(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3);
// 1 right of, 3 below, 0 left of, 2 above the rectangle, 4 inside (tested in this order).
int PointOutcode(TFixedPoint p, const TFixedRect& rect);
bool PointsOutsideOneSide(std::span<const TFixedPoint> points, const TFixedRect& rect);
bool CurveOutsideOneSide(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3, const TFixedRect& rect);
bool FixedRectIsZero(const TFixedRect& rect);

// Flattening into the shared buffer.
void ResetShapePoints();
void AddShapePoint(TFixedPoint p);
// Appends the flattened segment after p0: three points per flat piece (the piece's control points
// and its end). With `test`, segments wholly beyond one side of `clip` are appended unsplit.
void FlattenBezier(TFixedPoint p0, TFixedPoint p1, TFixedPoint p2, TFixedPoint p3, int64_t flatness,
                   const TFixedRect& clip, bool test);
void FlattenBezierPath(std::span<const TFixedPoint> points, int64_t flatness, const TFixedRect& clip);

// The shapes' paths: start point, then three points per segment.
std::vector<TFixedPoint> EllipsePathPoints(const TFixedRect& rect);                 // 13 points
std::vector<TFixedPoint> RoundRectPathPoints(const TFixedRect& rect, TFixed radius);  // 22 points

// Drawing. Empty and inverted rectangles draw nothing.
void DrawShapeEllipse(TBitmap32& bitmap, const TFixedRect& rect, const TShapeLineStyle& line,
                      const TShapeFillStyle& fill, bool antialias);
void DrawShapeRoundRect(TBitmap32& bitmap, const TFixedRect& rect, TFixed radius, const TShapeLineStyle& line,
                        const TShapeFillStyle& fill, bool antialias);
void DrawBezierShape(TBitmap32& bitmap, std::span<const TFixedPoint> points, bool closed,
                     const TShapeLineStyle& line, const TShapeFillStyle& fill, bool antialias, int fillMode);
void FillShapePolygon(TBitmap32& bitmap, std::span<const TFixedPoint> points, bool closed,
                      const TShapeLineStyle& line, const TShapeFillStyle& fill, bool antialias, int fillMode);
