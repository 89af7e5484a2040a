// Shapes: the exact path points, flattening, clipping tests, filling and the outline band.
#include "skinmodel/draw/Shapes.h"

#include <QDir>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <climits>

namespace {

QGuiApplication* MakeApp()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char arg0[] = "test_shapes";
    static char* argv[] = {arg0, nullptr};
    return new QGuiApplication(argc, argv);
}
QGuiApplication* const app = MakeApp();

constexpr TFixed Px = FixedOne;

void SavePng(const TBitmap32& b, const char* name)
{
    QDir().mkpath(QStringLiteral(VARNHOLT_TEST_OUTPUT));
    b.Image().save(QStringLiteral(VARNHOLT_TEST_OUTPUT "/") + QLatin1String(name));
}

QRgb At(const TBitmap32& b, int x, int y)
{
    return qUnpremultiply(b.Image().pixel(x, y));
}

std::vector<TFixedPoint> BufferPoints()
{
    const TShapePointBuffer& buf = ShapePoints();
    return {buf.Points.begin(), buf.Points.begin() + buf.Count};
}

TEST(ShapePaths, EllipseOfOneHundredByFifty)
{
    const std::vector<TFixedPoint> expected = {
        {0, 1638400},       {0, 733537},        {1467074, 0},       {3276800, 0},       {5086526, 0},
        {6553600, 733537},  {6553600, 1638400}, {6553600, 2543263}, {5086526, 3276800}, {3276800, 3276800},
        {1467074, 3276800}, {0, 2543263},       {0, 1638400}};
    // dx = 1809726, dy = 904863 around the centre (3276800, 1638400).
    EXPECT_EQ(EllipsePathPoints({0, 0, 6553600, 3276800}), expected);
}

TEST(ShapePaths, EllipseCentreRoundsTowardZero)
{
    const std::vector<TFixedPoint> p = EllipsePathPoints({-3, -3, 0, 0});
    ASSERT_EQ(p.size(), 13u);
    EXPECT_EQ(p[3], (TFixedPoint{-1, -3}));  // (-3 + 0) div 2 = -1
    EXPECT_EQ(p[0], (TFixedPoint{-3, -1}));
}

TEST(ShapePaths, RoundRectWithTenPixelRadius)
{
    // c = Round(655360 * 0.4477...) = 293415.
    const std::vector<TFixedPoint> expected = {
        {5898240, 0},       {6260185, 0},       {6553600, 293415},  {6553600, 655360},   // top-right corner
        {6553600, 655360},  {6553600, 2621440}, {6553600, 2621440},                      // right edge
        {6553600, 2983385}, {6260185, 3276800}, {5898240, 3276800},                      // bottom-right
        {5898240, 3276800}, {655360, 3276800},  {655360, 3276800},                       // bottom edge
        {293415, 3276800},  {0, 2983385},       {0, 2621440},                            // bottom-left
        {0, 2621440},       {0, 655360},        {0, 655360},                             // left edge
        {0, 293415},        {293415, 0},        {655360, 0}};                            // top-left
    EXPECT_EQ(RoundRectPathPoints({0, 0, 6553600, 3276800}, 655360), expected);
}

TEST(ShapePaths, RoundRectWithRadiusZeroIsAPlainRectangle)
{
    const TFixedRect r{10 * Px, 20 * Px, 50 * Px, 40 * Px};
    const std::vector<TFixedPoint> p = RoundRectPathPoints(r, 0);
    ASSERT_EQ(p.size(), 22u);
    const TFixedPoint tr{r.Right, r.Top}, br{r.Right, r.Bottom}, bl{r.Left, r.Bottom}, tl{r.Left, r.Top};
    for (int i : {0, 1, 2, 3, 4})
        EXPECT_EQ(p[size_t(i)], tr) << i;
    for (int i : {6, 7, 8, 9, 10})
        EXPECT_EQ(p[size_t(i)], br) << i;
    for (int i : {12, 13, 14, 15, 16})
        EXPECT_EQ(p[size_t(i)], bl) << i;
    for (int i : {18, 19, 20, 21})
        EXPECT_EQ(p[size_t(i)], tl) << i;
}

TEST(ShapePaths, RoundRectRoundsTheControlDistanceHalfToEven)
{
    // 5 * 0.4477 = 2.24 -> 2; 1 * 0.4477 -> 0; 7 * 0.4477 = 3.13 -> 3.
    EXPECT_EQ(RoundRectPathPoints({0, 0, 100, 100}, 5)[1], (TFixedPoint{98, 0}));
    EXPECT_EQ(RoundRectPathPoints({0, 0, 100, 100}, 1)[1], (TFixedPoint{100, 0}));
    EXPECT_EQ(RoundRectPathPoints({0, 0, 100, 100}, 7)[1], (TFixedPoint{97, 0}));
}

TEST(ShapePaths, ExtremeRectanglesSaturate)
{
    const std::vector<TFixedPoint> p = RoundRectPathPoints({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, INT32_MAX);
    EXPECT_EQ(p[4], (TFixedPoint{INT32_MAX, -1}));
    EXPECT_EQ(p[0], (TFixedPoint{0, INT32_MIN}));
    const std::vector<TFixedPoint> e = EllipsePathPoints({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_EQ(e[3], (TFixedPoint{0, INT32_MIN}));
}

TEST(ShapePoints, Midpoint)
{
    EXPECT_EQ(PointsMidpoint({-3, 3}, {0, 0}), (TFixedPoint{-1, 1}));
    EXPECT_EQ(PointsMidpoint({-1, 1}, {0, 0}), (TFixedPoint{0, 0}));
    EXPECT_EQ(PointsMidpoint({INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MIN}), (TFixedPoint{INT32_MAX, INT32_MIN}));
}

TEST(ShapePoints, ControlLength)
{
    EXPECT_EQ(BezierControlLength({0, 0}, {3, -4}, {3, 0}, {-2, 1}), 3 + 4 + 0 + 4 + 5 + 1);
    EXPECT_EQ(BezierControlLength({INT32_MIN, 0}, {INT32_MAX, 0}, {INT32_MIN, 0}, {INT32_MAX, 0}),
              3 * (int64_t(INT32_MAX) - INT32_MIN));
}

struct TOutcodeCase {
    TFixedPoint P;
    int Code;
};

class Outcode : public ::testing::TestWithParam<TOutcodeCase> {};

TEST_P(Outcode, TestsSidesInOrder)
{
    EXPECT_EQ(PointOutcode(GetParam().P, {0, 0, 10, 10}), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(Points, Outcode,
                         ::testing::Values(TOutcodeCase{{11, 5}, 1}, TOutcodeCase{{11, 11}, 1},
                                           TOutcodeCase{{11, -1}, 1}, TOutcodeCase{{5, 11}, 3},
                                           TOutcodeCase{{-1, 11}, 3}, TOutcodeCase{{-1, 5}, 0},
                                           TOutcodeCase{{-1, -1}, 0}, TOutcodeCase{{5, -1}, 2},
                                           TOutcodeCase{{5, 5}, 4}, TOutcodeCase{{0, 0}, 4},
                                           TOutcodeCase{{10, 10}, 4}));

TEST(ShapePoints, OutsideOneSide)
{
    const TFixedRect r{0, 0, 10, 10};
    EXPECT_TRUE(PointsOutsideOneSide({}, r));
    const std::vector<TFixedPoint> right = {{11, 0}, {20, 5}, {30, -40}};
    EXPECT_TRUE(PointsOutsideOneSide(right, r));
    const std::vector<TFixedPoint> straddling = {{11, 0}, {-5, 5}, {30, 40}};
    EXPECT_FALSE(PointsOutsideOneSide(straddling, r));
    const std::vector<TFixedPoint> inside = {{5, 5}};
    EXPECT_FALSE(PointsOutsideOneSide(inside, r));
    EXPECT_TRUE(CurveOutsideOneSide({-1, 0}, {-2, 3}, {-9, 5}, {-1, 9}, r));
    EXPECT_FALSE(CurveOutsideOneSide({-1, 0}, {-2, 3}, {5, 5}, {-1, 9}, r));
    EXPECT_FALSE(CurveOutsideOneSide({5, 5}, {5, 5}, {5, 5}, {5, 5}, r));
    EXPECT_TRUE(FixedRectIsZero({0, 0, 0, 0}));
    EXPECT_FALSE(FixedRectIsZero({0, 0, 0, 1}));
}

TEST(Flattening, StraightSegmentIsAppendedWhole)
{
    const std::vector<TFixedPoint> line = {{0, 0}, {0, 0}, {500 * Px, 300 * Px}, {500 * Px, 300 * Px}};
    FlattenBezierPath(line, ShapeFlatness, {});
    EXPECT_EQ(BufferPoints(), line);
}

TEST(Flattening, PiecesAreFlatAndJoined)
{
    const std::vector<TFixedPoint> curve = {{0, 0}, {0, 100 * Px}, {100 * Px, 100 * Px}, {100 * Px, 0}};
    FlattenBezierPath(curve, ShapeFlatness, {});
    const std::vector<TFixedPoint> p = BufferPoints();
    ASSERT_GT(p.size(), 4u);
    ASSERT_EQ((p.size() - 1) % 3, 0u);
    EXPECT_EQ(p.front(), curve.front());
    EXPECT_EQ(p.back(), curve.back());
    for (size_t i = 0; i + 3 < p.size(); i += 3)
        EXPECT_LE(BezierControlLength(p[i], p[i + 1], p[i + 2], p[i + 3]), ShapeFlatness) << i;
}

TEST(Flattening, SegmentsBeyondTheClipAreNotSplit)
{
    const std::vector<TFixedPoint> curve = {{200 * Px, 0}, {200 * Px, 100 * Px}, {300 * Px, 100 * Px}, {300 * Px, 0}};
    FlattenBezierPath(curve, ShapeFlatness, {0, 0, 100 * Px, 100 * Px});
    EXPECT_EQ(BufferPoints(), curve);
    // A zero clip switches the test off.
    FlattenBezierPath(curve, ShapeFlatness, {});
    EXPECT_GT(ShapePoints().Count, 4);
}

TEST(Flattening, BufferGrowsAndStaysBounded)
{
    const std::vector<TFixedPoint> big = EllipsePathPoints({0, 0, 3000 * Px, 3000 * Px});
    FlattenBezierPath(big, ShapeFlatness, {});
    const TShapePointBuffer& buf = ShapePoints();
    EXPECT_GT(buf.Count, 512);
    EXPECT_GE(int(buf.Points.size()), buf.Count);
    EXPECT_EQ(buf.Points.size() % 512, 0u);
    // The whole fixed-point range: subdivision depth is limited.
    const std::vector<TFixedPoint> huge = {
        {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MAX}};
    FlattenBezierPath(huge, ShapeFlatness, {});
    EXPECT_LE(ShapePoints().Count, 3 * (1 << 18) + 1);
    FlattenBezierPath(huge, 1, {});
    EXPECT_LE(ShapePoints().Count, 3 * (1 << 20) + 1);
}

TEST(Flattening, EmptyPathLeavesAnEmptyBuffer)
{
    FlattenBezierPath({}, ShapeFlatness, {});
    EXPECT_EQ(ShapePoints().Count, 0);
}

const TShapeLineStyle NoLine{0xFF000000u, 0, 1.0f};
const TShapeFillStyle RedFill{0xFFFF0000u, false};

TEST(ShapeDrawing, FilledEllipseCoversItsCentreNotItsCorners)
{
    TBitmap32 b(100, 60);
    DrawShapeEllipse(b, FixedRectFromRect(QRect(0, 0, 100, 60)), NoLine, RedFill, true);
    EXPECT_EQ(At(b, 50, 30), 0xFFFF0000u);
    EXPECT_EQ(At(b, 1, 30), 0xFFFF0000u);
    EXPECT_EQ(At(b, 50, 1), 0xFFFF0000u);
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 59}, {99, 59}, {6, 6}})
        EXPECT_EQ(qAlpha(b.Image().pixel(x, y)), 0) << x << "," << y;
    SavePng(b, "shapes_ellipse_fill.png");
}

TEST(ShapeDrawing, BandLiesAlongTheOutline)
{
    TBitmap32 b(100, 60);
    const TShapeLineStyle line{0xFF0000FFu, 2 * Px, 1.0f};
    DrawShapeEllipse(b, FixedRectFromRect(QRect(10, 10, 80, 40)), line, {0xFFFFFF00u, false}, true);
    EXPECT_EQ(At(b, 50, 30), 0xFFFFFF00u);  // inside: fill
    EXPECT_EQ(At(b, 50, 10), 0xFF0000FFu);  // on the outline: band
    EXPECT_EQ(At(b, 50, 8), 0xFF0000FFu);   // band reaches outside
    EXPECT_EQ(At(b, 50, 11), 0xFF0000FFu);  // and inside
    EXPECT_EQ(qAlpha(b.Image().pixel(50, 4)), 0);
    SavePng(b, "shapes_ellipse_band.png");
}

TEST(ShapeDrawing, NoFillLeavesOnlyTheBand)
{
    TBitmap32 b(100, 60);
    DrawShapeRoundRect(b, FixedRectFromRect(QRect(10, 10, 80, 40)), 10 * Px, {0xFF00FF00u, Px, 1.0f},
                       {0xFFFF0000u, true}, true);
    EXPECT_EQ(qAlpha(b.Image().pixel(50, 30)), 0);
    EXPECT_EQ(At(b, 50, 10), 0xFF00FF00u);
    EXPECT_EQ(At(b, 10, 30), 0xFF00FF00u);
    SavePng(b, "shapes_roundrect_band.png");
}

TEST(ShapeDrawing, InvisibleOrZeroLineDrawsNoBand)
{
    const QRect r(10, 10, 80, 40);
    TBitmap32 plain(100, 60), clear(100, 60), zero(100, 60);
    DrawShapeRoundRect(plain, FixedRectFromRect(r), 10 * Px, NoLine, RedFill, true);
    DrawShapeRoundRect(clear, FixedRectFromRect(r), 10 * Px, {0x00FFFFFFu, 3 * Px, 1.0f}, RedFill, true);
    DrawShapeRoundRect(zero, FixedRectFromRect(r), 10 * Px, {0xFF0000FFu, 0, 1.0f}, RedFill, true);
    EXPECT_EQ(clear.Image(), plain.Image());
    EXPECT_EQ(zero.Image(), plain.Image());
}

TEST(ShapeDrawing, AntialiasingGivesPartialEdges)
{
    auto alphas = [](bool aa) {
        TBitmap32 b(60, 60);
        DrawShapeEllipse(b, FixedRectFromRect(QRect(5, 5, 50, 50)), NoLine, RedFill, aa);
        int partial = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                const int a = qAlpha(b.Image().pixel(x, y));
                partial += a > 0 && a < 255;
            }
        return partial;
    };
    EXPECT_GT(alphas(true), 20);
    EXPECT_EQ(alphas(false), 0);
}

TEST(ShapeDrawing, FillModes)
{
    // A square traced twice: even-odd leaves it empty, non-zero fills it.
    const TFixedPoint a{10 * Px, 10 * Px}, b{50 * Px, 10 * Px}, c{50 * Px, 50 * Px}, d{10 * Px, 50 * Px};
    std::vector<TFixedPoint> path = {a};
    for (int round = 0; round < 2; ++round)
        for (TFixedPoint from : {a, b, c, d}) {
            const TFixedPoint to = from == a ? b : from == b ? c : from == c ? d : a;
            path.insert(path.end(), {from, to, to});
        }
    TBitmap32 evenOdd(60, 60), nonZero(60, 60);
    DrawBezierShape(evenOdd, path, true, NoLine, RedFill, false, sfmEvenOdd);
    DrawBezierShape(nonZero, path, true, NoLine, RedFill, false, sfmNonZero);
    EXPECT_EQ(qAlpha(evenOdd.Image().pixel(30, 30)), 0);
    EXPECT_EQ(At(nonZero, 30, 30), 0xFFFF0000u);
}

TEST(ShapeDrawing, RadiusBeyondHalfTheSizeIsDrawnAsItIs)
{
    TBitmap32 b(100, 60);
    DrawShapeRoundRect(b, FixedRectFromRect(QRect(10, 10, 80, 40)), 60 * Px, {0xFF000000u, Px, 1.0f}, RedFill,
                       true);
    EXPECT_EQ(ShapePoints().Count % 3, 1);
    SavePng(b, "shapes_roundrect_selfcrossing.png");
}

TEST(ShapeDrawing, WhollyOutsideDrawsNothingAndKeepsTheLastPoints)
{
    TBitmap32 b(50, 50);
    DrawShapeEllipse(b, FixedRectFromRect(QRect(5, 5, 40, 40)), NoLine, RedFill, true);
    const std::vector<TFixedPoint> last = BufferPoints();
    TBitmap32 c(50, 50);
    DrawShapeEllipse(c, FixedRectFromRect(QRect(60, 0, 40, 40)), {0xFF000000u, 2 * Px, 1.0f}, RedFill, true);
    EXPECT_EQ(c.Image(), TBitmap32(50, 50).Image());
    EXPECT_EQ(BufferPoints(), last);
}

TEST(ShapeDrawing, OverlappingShapeIsClipped)
{
    TBitmap32 b(50, 50);
    DrawShapeEllipse(b, FixedRectFromRect(QRect(25, 10, 60, 30)), NoLine, RedFill, true);
    EXPECT_EQ(At(b, 49, 25), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(b.Image().pixel(10, 25)), 0);
}

TEST(ShapeDrawing, PointListsOfWrongLengthDrawNothing)
{
    const std::vector<TFixedPoint> three = {{0, 0}, {40 * Px, 0}, {40 * Px, 40 * Px}};
    const std::vector<TFixedPoint> five = {{0, 0}, {40 * Px, 0}, {40 * Px, 40 * Px}, {0, 40 * Px}, {0, 0}};
    const std::vector<TFixedPoint> one = {{10 * Px, 10 * Px}};
    for (const auto* list : {&three, &five, &one}) {
        TBitmap32 b(50, 50);
        DrawBezierShape(b, *list, true, {0xFF000000u, 2 * Px, 1.0f}, RedFill, true, sfmEvenOdd);
        EXPECT_EQ(b.Image(), TBitmap32(50, 50).Image());
    }
}

struct TRobustCase {
    QRect Rect;
    TFixed Radius;
    TFixed LineWidth;
};

class ShapeRobust : public ::testing::TestWithParam<TRobustCase> {};

TEST_P(ShapeRobust, DrawsSafely)
{
    TBitmap32 b(64, 64);
    const TShapeLineStyle line{0xFF000000u, GetParam().LineWidth, 1.0f};
    DrawShapeEllipse(b, FixedRectFromRect(GetParam().Rect), line, RedFill, true);
    DrawShapeRoundRect(b, FixedRectFromRect(GetParam().Rect), GetParam().Radius, line, RedFill, true);
    EXPECT_LT(ShapePoints().Count, 1 << 20);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ShapeRobust,
    ::testing::Values(TRobustCase{QRect(0, 0, 100000, 100000), 10 * Px, Px},
                      TRobustCase{QRect(-50000, -50000, 100000, 100000), INT32_MAX, INT32_MAX},
                      TRobustCase{QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX - 1, INT_MAX - 1)), 10 * Px, Px},
                      TRobustCase{QRect(10, 10, 1, 1), 10 * Px, 100 * Px},
                      TRobustCase{QRect(0, 0, 64, 64), -5 * Px, -Px}));

TEST(ShapeDrawing, EmptyAndInvertedRectanglesDrawNothing)
{
    for (const TFixedRect& r : {TFixedRect{10 * Px, 10 * Px, 10 * Px, 40 * Px}, TFixedRect{40 * Px, 10 * Px, 10 * Px, 40 * Px},
                                TFixedRect{10 * Px, 40 * Px, 40 * Px, 10 * Px}}) {
        TBitmap32 b(50, 50);
        DrawShapeEllipse(b, r, {0xFF000000u, 2 * Px, 1.0f}, RedFill, true);
        DrawShapeRoundRect(b, r, 5 * Px, {0xFF000000u, 2 * Px, 1.0f}, RedFill, true);
        EXPECT_EQ(b.Image(), TBitmap32(50, 50).Image());
    }
    TBitmap32 empty;
    DrawShapeEllipse(empty, {0, 0, 10 * Px, 10 * Px}, NoLine, RedFill, true);
    EXPECT_TRUE(empty.Empty());
}

} // namespace
