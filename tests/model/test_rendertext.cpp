// Text into a rectangle: placement, opacity and colour, cutting, oversampling levels, robustness.
#include "skinmodel/draw/GdiFont.h"
#include "skinmodel/draw/GdiText.h"
#include "skinmodel/draw/RenderText.h"

#include <QDir>

#include <gtest/gtest.h>

#include <climits>

namespace {

TBitmap32 Canvas(int w, int h, uint32_t fill = 0)
{
    TBitmap32 b(w, h);
    b.Clear(fill);
    b.Font.Name = "Arial";
    b.Font.Height = -16;
    b.Font.Quality = ANTIALIASED_QUALITY;
    return b;
}

// Pixels read back unpremultiplied.
QRgb Px(const TBitmap32& b, int x, int y)
{
    return qUnpremultiply(b.Image().pixel(x, y));
}

struct TInk {
    int Left = INT_MAX, Top = INT_MAX, Right = -1, Bottom = -1;  // inclusive
    int Count = 0;
};

// Pixels that differ from `background`.
TInk InkOf(const TBitmap32& b, QRgb background = 0)
{
    TInk ink;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (Px(b, x, y) != background) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
                ++ink.Count;
            }
    return ink;
}

void SavePng(const TBitmap32& b, const char* name)
{
    QDir().mkpath(QStringLiteral(VARNHOLT_TEST_OUTPUT));
    b.Image().save(QStringLiteral(VARNHOLT_TEST_OUTPUT "/") + QLatin1String(name));
}

struct TPlaceCase {
    QRect Dst;
    uint32_t Flags;
    int W, H;
    int64_t X, Y;
};

class Placement : public ::testing::TestWithParam<TPlaceCase> {};

TEST_P(Placement, FollowsTheFlags)
{
    const TPlaceCase& c = GetParam();
    const TTextPlacement at = PlaceTextBitmap(c.Dst, c.Flags, c.W, c.H);
    EXPECT_EQ(at.X, c.X);
    EXPECT_EQ(at.Y, c.Y);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Placement,
    ::testing::Values(
        // Left and top.
        TPlaceCase{QRect(10, 20, 100, 50), DT_LEFT | DT_TOP, 30, 10, 10, 20},
        // Right: the last column is DstRect.Right - 1 (= QRect::right()).
        TPlaceCase{QRect(10, 20, 100, 50), DT_RIGHT, 30, 10, 80, 20},
        // 11 wide and 4 wide: 5 - 2.
        TPlaceCase{QRect(10, 20, 11, 50), DT_CENTER, 4, 10, 13, 20},
        // Each halving by itself: 10 div 2 - 5 div 2 = 3, not (10 - 5) div 2 = 2.
        TPlaceCase{QRect(10, 20, 10, 50), DT_CENTER, 5, 10, 13, 20},
        TPlaceCase{QRect(0, 0, 100, 11), DT_VCENTER, 10, 5, 0, 3},
        TPlaceCase{QRect(0, 0, 100, 50), DT_BOTTOM, 10, 5, 0, 45},
        // Right wins over centre, vertical centre over bottom.
        TPlaceCase{QRect(10, 20, 100, 50), DT_RIGHT | DT_CENTER, 30, 10, 80, 20},
        TPlaceCase{QRect(10, 20, 100, 50), DT_VCENTER | DT_BOTTOM, 30, 10, 10, 40},
        // A text larger than the rectangle (oversampled levels) hangs out of it.
        TPlaceCase{QRect(0, 0, 10, 10), DT_CENTER | DT_VCENTER, 15, 13, -2, -1},
        // Far ends of the coordinate range do not overflow.
        TPlaceCase{QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX - 1, INT_MAX - 1)), DT_RIGHT | DT_BOTTOM, 1, 1,
                   INT_MAX - 1, INT_MAX - 1}));

TEST(RenderText, EmptyTargetDrawsNothingAndKeepsTheFont)
{
    TBitmap32 b;
    b.Font.Quality = ANTIALIASED_QUALITY;
    RenderTextRect(b, QRect(0, 0, 10, 10), 0, "x", 0, 0xFFFFFFFFu);
    EXPECT_EQ(b.Font.Quality, ANTIALIASED_QUALITY);
    EXPECT_TRUE(b.Empty());
}

TEST(RenderText, FontIsLeftNonAntialiased)
{
    TBitmap32 b = Canvas(50, 20);
    RenderTextRect(b, QRect(0, 0, 50, 20), 0, "x", 0, 0xFFFFFFFFu);
    EXPECT_EQ(b.Font.Quality, NONANTIALIASED_QUALITY);
    EXPECT_EQ(b.Font.Name, "Arial");
    EXPECT_EQ(b.Font.Height, -16);
}

struct TNothingCase {
    QRect Dst;
    uint32_t Color;
    int Level;
};

class DrawsNothing : public ::testing::TestWithParam<TNothingCase> {};

TEST_P(DrawsNothing, LeavesTheTargetAlone)
{
    TBitmap32 b = Canvas(60, 30, 0xFF204060u);
    const QImage before = b.Image();
    RenderTextRect(b, GetParam().Dst, DT_SINGLELINE, "Hello", GetParam().Level, GetParam().Color);
    EXPECT_EQ(b.Image(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawsNothing,
    ::testing::Values(TNothingCase{QRect(0, 0, 0, 30), 0xFFFFFFFFu, 0}, TNothingCase{QRect(0, 0, 60, 0), 0xFFFFFFFFu, 0},
                      TNothingCase{QRect(0, 0, 0, 30), 0xFFFFFFFFu, 2},
                      TNothingCase{QRect(QPoint(50, 20), QPoint(10, 5)), 0xFFFFFFFFu, 0},
                      TNothingCase{QRect(QPoint(50, 20), QPoint(10, 5)), 0xFFFFFFFFu, 3},
                      TNothingCase{QRect(0, 0, 60, 30), 0x00FFFFFFu, 0},
                      TNothingCase{QRect(0, 0, 60, 30), 0x00FFFFFFu, 2},
                      TNothingCase{QRect(100, 100, 60, 30), 0xFFFFFFFFu, 0},
                      TNothingCase{QRect(-200, 0, 60, 30), 0xFFFFFFFFu, 1}));

TEST(RenderText, HalfOpaqueRedOnTransparent)
{
    TBitmap32 b = Canvas(80, 30);
    b.Font.Height = -24;
    RenderTextRect(b, QRect(0, 0, 80, 30), DT_SINGLELINE, "HM", 0, 0x80FF0000u);
    const TInk ink = InkOf(b);
    ASSERT_GT(ink.Count, 30);
    // Level 0 glyphs are unsmoothed: every touched pixel is the colour at the text's opacity.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const QRgb p = Px(b, x, y);
            if (p != 0)
                EXPECT_EQ(p, qRgba(255, 0, 0, 128)) << x << "," << y;
        }
    SavePng(b, "rendertext_half_red.png");
}

TEST(RenderText, BlendsOverTheTarget)
{
    TBitmap32 b = Canvas(80, 30, 0xFFFFFFFFu);
    b.Font.Height = -24;
    RenderTextRect(b, QRect(0, 0, 80, 30), DT_SINGLELINE, "HM", 0, 0x80FF0000u);
    bool seen = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const QRgb p = Px(b, x, y);
            if (p == 0xFFFFFFFFu)
                continue;
            seen = true;
            EXPECT_EQ(qAlpha(p), 255);
            EXPECT_EQ(qRed(p), 255);
            EXPECT_NEAR(qGreen(p), 127, 1);
            EXPECT_NEAR(qBlue(p), 127, 1);
        }
    EXPECT_TRUE(seen);
}

TEST(RenderText, UntouchedPixelsStayAsTheyWere)
{
    TBitmap32 b = Canvas(60, 30, 0xFF0000FFu);
    RenderTextRect(b, QRect(0, 0, 60, 30), DT_SINGLELINE | DT_CENTER | DT_VCENTER, "o", 0, 0xFFFFFF00u);
    const TInk ink = InkOf(b, 0xFF0000FFu);
    EXPECT_GT(ink.Count, 5);
    EXPECT_LT(ink.Count, 200);
    // The touched pixels are the requested yellow, opaque.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const QRgb p = Px(b, x, y);
            if (p != 0xFF0000FFu)
                EXPECT_EQ(p, 0xFFFFFF00u);
        }
}

struct TThirdCase {
    uint32_t Flags;
    int Column;  // 0 left, 1 middle, 2 right third
    int Row;     // 0 top, 1 middle, 2 bottom third
    const char* Name;
};

class Thirds : public ::testing::TestWithParam<TThirdCase> {};

TEST_P(Thirds, TextLandsWhereTheFlagsSay)
{
    for (int level : {0, 2}) {
        TBitmap32 b = Canvas(300, 90);
        RenderTextRect(b, QRect(0, 0, 300, 90), GetParam().Flags | DT_SINGLELINE, "Abc", level, 0xFF000000u);
        const TInk ink = InkOf(b);
        ASSERT_GT(ink.Count, 0) << "level " << level;
        EXPECT_GE(ink.Left, GetParam().Column * 100) << "level " << level;
        EXPECT_LT(ink.Right, (GetParam().Column + 1) * 100) << "level " << level;
        EXPECT_GE(ink.Top, GetParam().Row * 30) << "level " << level;
        EXPECT_LT(ink.Bottom, (GetParam().Row + 1) * 30) << "level " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, Thirds,
                         ::testing::Values(TThirdCase{DT_LEFT, 0, 0, "left"}, TThirdCase{DT_CENTER, 1, 0, "center"},
                                           TThirdCase{DT_RIGHT, 2, 0, "right"},
                                           TThirdCase{DT_RIGHT | DT_CENTER, 2, 0, "right_over_center"},
                                           TThirdCase{DT_VCENTER, 0, 1, "vcenter"},
                                           TThirdCase{DT_BOTTOM, 0, 2, "bottom"},
                                           TThirdCase{DT_VCENTER | DT_BOTTOM, 0, 1, "vcenter_over_bottom"},
                                           TThirdCase{DT_CENTER | DT_VCENTER, 1, 1, "middle"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RenderText, RightAlignedInkEndsNearTheRightEdge)
{
    TBitmap32 b = Canvas(200, 30);
    RenderTextRect(b, QRect(20, 0, 150, 30), DT_SINGLELINE | DT_RIGHT, "HH", 0, 0xFF000000u);
    const TInk ink = InkOf(b);
    EXPECT_LE(ink.Right, 169);
    EXPECT_GE(ink.Right, 165);
}

TEST(RenderText, WideTextIsCutAndEllipsisShowsDots)
{
    const char* text = "A caption much too wide for its box";
    TBitmap32 cut = Canvas(200, 30), dots = Canvas(200, 30);
    RenderTextRect(cut, QRect(10, 0, 80, 30), DT_SINGLELINE, text, 0, 0xFF000000u);
    RenderTextRect(dots, QRect(10, 0, 80, 30), DT_SINGLELINE | DT_END_ELLIPSIS, text, 0, 0xFF000000u);
    const TInk a = InkOf(cut), b = InkOf(dots);
    EXPECT_GE(a.Left, 10);
    EXPECT_LE(a.Right, 89);
    EXPECT_GE(b.Left, 10);
    EXPECT_LE(b.Right, 89);
    EXPECT_NE(cut.Image(), dots.Image());
    SavePng(dots, "rendertext_ellipsis.png");
}

TEST(RenderText, LevelIsClamped)
{
    auto draw = [](int level) {
        TBitmap32 b = Canvas(120, 40);
        RenderTextRect(b, QRect(0, 0, 120, 40), DT_SINGLELINE | DT_CENTER | DT_VCENTER, "Ag", level, 0xFF102030u);
        return b.Image();
    };
    EXPECT_EQ(draw(-3), draw(0));
    EXPECT_EQ(draw(7), draw(4));
    EXPECT_NE(draw(4), draw(0));
}

TEST(RenderText, OversamplingSmoothsEdges)
{
    for (int level = 1; level <= 4; ++level) {
        TBitmap32 b = Canvas(120, 40);
        RenderTextRect(b, QRect(0, 0, 120, 40), DT_SINGLELINE, "Oslo", level, 0xFF000000u);
        int partial = 0, full = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) {
                const int a = qAlpha(Px(b, x, y));
                partial += a > 0 && a < 255;
                full += a == 255;
            }
        EXPECT_GT(partial, 10) << "level " << level;
        EXPECT_GT(full, 0) << "level " << level;
        if (level == 2)
            SavePng(b, "rendertext_level2.png");
    }
}

TEST(RenderText, OversampledFontHeightGoesThroughPoints)
{
    // 12 px = 9 pt; 18 pt = 24 px.
    EXPECT_EQ(OversampledFontHeight(-12, 1), -24);
    // 13 px = 9.75 pt, rounded to 10; 20 pt = 26.67 px, rounded to 27.
    EXPECT_EQ(OversampledFontHeight(-13, 1), -27);
    EXPECT_EQ(OversampledFontHeight(-16, 4), -256);
    // A cell height stays a cell height.
    EXPECT_EQ(OversampledFontHeight(16, 1), 32);
    EXPECT_EQ(OversampledFontHeight(-12, 0), -12);
}

TEST(RenderText, LabelFlagsDrawOneLine)
{
    TBitmap32 b = Canvas(200, 24);
    b.Font.Name = "Tahoma";
    b.Font.Height = -14;
    RenderTextRect(b, QRect(0, 0, 200, 24), DT_CENTER | DT_VCENTER | 0x48020u, "# Empty #", 0, 0xFFFFFFFFu);
    const TInk ink = InkOf(b);
    EXPECT_GT(ink.Count, 20);
    EXPECT_GE(ink.Top, 2);
    EXPECT_LE(ink.Bottom, 21);
    SavePng(b, "rendertext_label.png");
}

struct TRobustCase {
    QRect Dst;
    int FontHeight;
    int Level;
    size_t Length;
};

class Robust : public ::testing::TestWithParam<TRobustCase> {};

TEST_P(Robust, HugeInputsStayBounded)
{
    TBitmap32 b = Canvas(64, 48);
    b.Font.Height = GetParam().FontHeight;
    const std::string text(GetParam().Length, 'W');
    RenderTextRect(b, GetParam().Dst, DT_CENTER | DT_VCENTER | DT_WORDBREAK, text, GetParam().Level, 0xFF000000u);
    RenderTextRect(b, GetParam().Dst, DT_RIGHT | DT_SINGLELINE | DT_END_ELLIPSIS, text, GetParam().Level,
                   0xFF000000u);
    SUCCEED();
}

INSTANTIATE_TEST_SUITE_P(
    Edges, Robust,
    ::testing::Values(TRobustCase{QRect(0, 0, 100000, 100000), -16, 0, 10},
                      TRobustCase{QRect(-50000, -50000, 100000, 100000), -16, 4, 10},
                      TRobustCase{QRect(0, 0, 64, 48), -100000, 0, 3},
                      TRobustCase{QRect(0, 0, 64, 48), -3000, 4, 3},
                      TRobustCase{QRect(0, 0, 64, 48), 2147483647, 4, 3},
                      TRobustCase{QRect(0, 0, 100000, 48), -16, 4, 20000},
                      TRobustCase{QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX - 1, INT_MAX - 1)), -16, 2, 5},
                      TRobustCase{QRect(INT_MAX - 10, 0, 10, 48), -16, 3, 5}));

} // namespace

// ---- long texts: only what shows is laid out, the pixels are those of the whole text ----------

namespace {

std::string Repeated(const std::string& piece, size_t bytes)
{
    std::string s;
    while (s.size() < bytes)
        s += piece;
    return s;
}

// A level-0 paint in opaque white onto a transparent target, made from the whole text: measured
// whole, drawn whole into a bitmap of the measured size cut to the rectangle, placed by the flags.
QImage WholeTextPaint(const TBitmap32& like, const QRect& dst, uint32_t flags, const std::string& text)
{
    TFont32 font = like.Font;
    font.Quality = NONANTIALIASED_QUALITY;
    font.Color = 0xFFFFFFFFu;
    QRect measured = dst;
    MeasureText(font, text, measured, flags | DT_CALCRECT);
    const int w = std::min(measured.width(), dst.width()), h = std::min(measured.height(), dst.height());
    QImage t(w, h, QImage::Format_ARGB32_Premultiplied);
    t.fill(0);
    QRect inside(0, 0, w, h);
    DrawTextOnImage(t, QPoint(0, 0), font, text, inside, flags);
    const TTextPlacement at = PlaceTextBitmap(dst, flags, w, h);
    QImage out(like.Image().size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const uint32_t a = qBlue(t.pixel(x, y)); a != 0 && out.rect().contains(int(at.X) + x, int(at.Y) + y))
                out.setPixel(int(at.X) + x, int(at.Y) + y, a * 0x01010101u);
    return out;
}

TEST(RenderText, LongTextDrawsAsTheWholeText)
{
    constexpr uint32_t Dots = DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
    // Slanted glyphs reach past both ends of their lines.
    const std::string Italic = "jW\n" + Repeated("jl\n", 400) + std::string(3000, 'W');
    const std::vector<std::string> texts = {
        Repeated("Wg a caption of words, ", 2500),
        Repeated("Line of text\r\n", 2500),
        std::string(600, ' ') + Repeated("tail ", 2500),
        Repeated("a\tbc\t", 2500),
        Repeated("Wg ", 2500),
        Repeated("x", 2500),
        // Hidden below the rectangle, a line wider than it sets the text bitmap's width.
        "Wi\n" + Repeated("il\n", 400) + std::string(3000, 'W'),
        Italic,
    };
    std::vector<uint32_t> flags;
    for (uint32_t h : {DT_LEFT, DT_CENTER, DT_RIGHT})
        for (uint32_t v : {DT_TOP, DT_VCENTER, DT_BOTTOM}) {
            flags.push_back(h | v | DT_SINGLELINE | Dots);  // the label's
            flags.push_back(h | v | DT_SINGLELINE | DT_EXPANDTABS);
            flags.push_back(h | v | DT_WORDBREAK);
            flags.push_back(h | v | DT_WORDBREAK | Dots);
            flags.push_back(h | v);
        }
    for (const QRect& dst : {QRect(5, 3, 100, 24), QRect(-20, 2, 150, 57)})
        for (const std::string& text : texts)
            for (uint32_t f : flags) {
                TBitmap32 b = Canvas(170, 64);
                b.Font.Italic = text == Italic;
                RenderTextRect(b, dst, f, text, 0, 0xFFFFFFFFu);
                ASSERT_EQ(b.Image(), WholeTextPaint(b, dst, f, text))
                    << "flags " << std::hex << f << " text " << text.substr(0, 12) << " rect " << dst.width();
            }
}

TEST(RenderText, LongTextIsLaidOutOnlyAsFarAsItShows)
{
    TBitmap32 b = Canvas(10, 10);
    const std::string text = Repeated("Now playing: track 01, ", 1 << 20);
    const QRect label(0, 0, 100, 24);
    EXPECT_LT(ShownLength(b.Font, text, label, DT_CENTER | DT_VCENTER | 0x48020u), 2000u);
    EXPECT_LT(ShownLength(b.Font, text, QRect(0, 0, 100, 100), DT_WORDBREAK), 20000u);
    // Short texts, and a centred line without an ellipsis, are taken whole.
    EXPECT_EQ(ShownLength(b.Font, "short", label, DT_SINGLELINE), 5u);
    EXPECT_EQ(ShownLength(b.Font, text, label, DT_SINGLELINE | DT_CENTER), text.size());
}

} // namespace
