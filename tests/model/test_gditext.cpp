// DrawText stand-in: measuring, alignment, breaking, ellipsis and clipping on a paint buffer.
#include "skinmodel/draw/GdiFont.h"
#include "skinmodel/draw/GdiText.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

// Fonts need a GUI application; without a display the offscreen platform will do.
TFont32 Arial(int height = -16)
{
    TFont32 f;
    f.Name = "Arial";
    f.Height = height;
    f.Quality = NONANTIALIASED_QUALITY;
    f.Color = 0xFF000000u;
    return f;
}

int LineHeight(const TFont32& f)
{
    return QFontMetrics(QFontFromFont32(f)).height();
}

int Advance(const TFont32& f, const char* s)
{
    return QFontMetrics(QFontFromFont32(f)).horizontalAdvance(QString::fromLatin1(s));
}

// Columns and rows that hold a pixel with alpha above 0.
struct TInk {
    int Left = INT_MAX, Top = INT_MAX, Right = -1, Bottom = -1;  // inclusive
    bool Any() const { return Right >= 0; }
};

TInk InkOf(const TBitmap32& b)
{
    TInk ink;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (qAlpha(b.Image().pixel(x, y)) > 0) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
            }
    return ink;
}

TEST(GdiText, CalcRectSingleLineBoundsTheText)
{
    const TFont32 f = Arial();
    QRect r(10, 20, 500, 100);
    const int h = MeasureText(f, "Hello world", r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.left(), 10);
    EXPECT_EQ(r.top(), 20);
    EXPECT_EQ(r.width(), Advance(f, "Hello world"));
    EXPECT_EQ(r.height(), LineHeight(f));
    EXPECT_EQ(h, LineHeight(f));
}

TEST(GdiText, CalcRectIgnoresEllipsisAndVerticalPlacement)
{
    const TFont32 f = Arial();
    QRect r(0, 0, 20, 100);
    MeasureText(f, "A rather long caption", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER | DT_CALCRECT);
    EXPECT_EQ(r.width(), Advance(f, "A rather long caption"));
    EXPECT_EQ(r.top(), 0);
    EXPECT_EQ(r.height(), LineHeight(f));
}

TEST(GdiText, WordBreakKeepsWidthAndGrowsDownwards)
{
    const TFont32 f = Arial();
    const int wordWidth = Advance(f, "word word");
    QRect r(0, 0, wordWidth + 2, 10);
    const int h = MeasureText(f, "word word word word word", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 3 * LineHeight(f));
    EXPECT_EQ(r.height(), 3 * LineHeight(f));
    EXPECT_EQ(r.width(), wordWidth);
}

TEST(GdiText, WordWiderThanTheRectangleWidensIt)
{
    const TFont32 f = Arial();
    QRect r(0, 0, 5, 10);
    MeasureText(f, "a Longwordhere b", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r.width(), Advance(f, "Longwordhere"));
    EXPECT_EQ(r.height(), 3 * LineHeight(f));
}

struct TLineCase {
    const char* Text;
    uint32_t Flags;
    int Lines;
};

class GdiLines : public ::testing::TestWithParam<TLineCase> {};

TEST_P(GdiLines, CountsLines)
{
    const TFont32 f = Arial();
    QRect r(0, 0, 1000, 10);
    EXPECT_EQ(MeasureText(f, GetParam().Text, r, GetParam().Flags | DT_CALCRECT), GetParam().Lines * LineHeight(f));
}

INSTANTIATE_TEST_SUITE_P(Breaks, GdiLines,
                         ::testing::Values(TLineCase{"one\r\ntwo", 0, 2}, TLineCase{"one\rtwo\nthree", 0, 3},
                                           TLineCase{"one\r\n", 0, 1}, TLineCase{"one\r\n\r\ntwo", 0, 3},
                                           TLineCase{"one\r\ntwo", DT_SINGLELINE, 1}, TLineCase{"", 0, 0},
                                           TLineCase{"", DT_SINGLELINE, 1}));

TEST(GdiText, AmpersandIsDrawnLiterally)
{
    const TFont32 f = Arial();
    QRect a(0, 0, 500, 50), b(0, 0, 500, 50);
    MeasureText(f, "A&B", a, DT_SINGLELINE | DT_CALCRECT);
    MeasureText(f, "A&B", b, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(a.width(), b.width());
    EXPECT_EQ(a.width(), Advance(f, "A&B"));
}

TEST(GdiText, ExpandTabsGoesToTheNextStop)
{
    const TFont32 f = Arial();
    const int tab = 8 * QFontMetrics(QFontFromFont32(f)).averageCharWidth();
    QRect r(0, 0, 1000, 50);
    MeasureText(f, "a\tb", r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(r.width(), tab + Advance(f, "b"));
    QRect plain(0, 0, 1000, 50);
    MeasureText(f, "a\tb", plain, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(plain.width(), Advance(f, "ab"));
}

struct TAlignCase {
    uint32_t Flags;
    const char* Name;
};

class GdiAlign : public ::testing::TestWithParam<TAlignCase> {};

// The ink of a drawn line lies where the alignment puts the text's box.
TEST_P(GdiAlign, PlacesTheLine)
{
    TBitmap32 b(200, 60);
    b.Font = Arial();
    const char* text = "HHHH";
    const int w = Advance(b.Font, text), lh = LineHeight(b.Font);
    QRect r(10, 5, 180, 50);
    const uint32_t flags = GetParam().Flags | DT_SINGLELINE;
    const int h = DrawText(b, text, r, flags);
    const TInk ink = InkOf(b);
    ASSERT_TRUE(ink.Any());
    int boxLeft = 10, boxTop = 5;
    if (flags & DT_CENTER)
        boxLeft = 10 + (180 - w) / 2;
    else if (flags & DT_RIGHT)
        boxLeft = 190 - w;
    if (flags & DT_VCENTER)
        boxTop = 5 + 25 - lh / 2;
    else if (flags & DT_BOTTOM)
        boxTop = 55 - lh;
    EXPECT_GE(ink.Left, boxLeft);
    EXPECT_LE(ink.Right, boxLeft + w);
    EXPECT_LE(ink.Left, boxLeft + 3);
    EXPECT_GE(ink.Top, boxTop);
    EXPECT_LE(ink.Bottom, boxTop + lh);
    EXPECT_EQ(h, boxTop - 5 + lh);
}

INSTANTIATE_TEST_SUITE_P(Flags, GdiAlign,
                         ::testing::Values(TAlignCase{DT_LEFT, "left"}, TAlignCase{DT_CENTER, "center"},
                                           TAlignCase{DT_RIGHT, "right"}, TAlignCase{DT_VCENTER, "vcenter"},
                                           TAlignCase{DT_BOTTOM, "bottom"},
                                           TAlignCase{DT_CENTER | DT_VCENTER, "both"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(GdiText, VerticalFlagsNeedSingleLine)
{
    TBitmap32 b(100, 100);
    b.Font = Arial();
    QRect r(0, 0, 100, 100);
    DrawText(b, "Hi", r, DT_VCENTER | DT_BOTTOM);
    EXPECT_LT(InkOf(b).Bottom, LineHeight(b.Font));
}

TEST(GdiText, ClipsToTheRectangleUnlessNoClip)
{
    TBitmap32 b(200, 40);
    b.Font = Arial();
    QRect r(0, 0, 30, 40);
    DrawText(b, "WWWWWWWWWW", r, DT_SINGLELINE);
    EXPECT_LE(InkOf(b).Right, 29);
    b.Clear();
    DrawText(b, "WWWWWWWWWW", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkOf(b).Right, 60);
}

TEST(GdiText, EndEllipsisEndsInDots)
{
    TBitmap32 cut(120, 30), dots(120, 30);
    cut.Font = dots.Font = Arial();
    QRect r(0, 0, 60, 30);
    const char* text = "Wonderful lengthy caption";
    QRect r2 = r;
    DrawText(cut, text, r, DT_SINGLELINE);
    DrawText(dots, text, r2, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_NE(cut.Image(), dots.Image());
    const TInk ink = InkOf(dots);
    EXPECT_LE(ink.Right, 59);
    // The last ink is a dot: a short mark on the baseline only.
    int top = INT_MAX;
    for (int y = 0; y < 30; ++y)
        if (qAlpha(dots.Image().pixel(ink.Right, y)) > 0)
            top = std::min(top, y);
    EXPECT_GT(top, ink.Top + LineHeight(dots.Font) / 3);
}

// The text the ellipsis leaves: the longest start that fits with "..." after it, or all of it.
std::string Shortened(const TFont32& f, const std::string& text, int width)
{
    if (Advance(f, text.c_str()) <= width)
        return text;
    size_t keep = 0;
    while (keep < text.size() && Advance(f, (text.substr(0, keep + 1) + "...").c_str()) <= width)
        ++keep;
    return text.substr(0, keep) + "...";
}

TEST(GdiText, EndEllipsisCutsWhereTheRestFits)
{
    const std::string text = "Wonderful lengthy caption";
    const TFont32 f = Arial();
    const int whole = Advance(f, text.c_str());
    const int cut = Advance(f, (text.substr(0, 9) + "...").c_str());
    // An exact fit keeps every character; one pixel less cuts; so does the exact fit of a cut text.
    for (const int width : {whole, whole - 1, cut, cut - 1}) {
        const std::string shown = Shortened(f, text, width);
        TBitmap32 got(whole + 20, 30), want(whole + 20, 30);
        got.Font = want.Font = f;
        QRect r(0, 0, width, 30);
        DrawText(got, text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
        QRect open(0, 0, whole + 20, 30);
        DrawText(want, shown, open, DT_SINGLELINE);
        EXPECT_EQ(got.Image(), want.Image()) << width << " should show \"" << shown << "\"";
    }
    EXPECT_EQ(Shortened(f, text, whole), text);
    EXPECT_EQ(Shortened(f, text, cut), "Wonderful...");
    EXPECT_LT(Shortened(f, text, cut - 1).size(), std::string("Wonderful...").size());
}

TEST(GdiText, DrawsInTheFontColour)
{
    TBitmap32 b(100, 30);
    b.Font = Arial(-20);
    b.Font.Color = 0xFF00FF00u;
    QRect r(0, 0, 100, 30);
    DrawText(b, "MMM", r, DT_SINGLELINE);
    int green = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const QRgb p = b.Image().pixel(x, y);
            if (qAlpha(p) == 255) {
                EXPECT_EQ(p, 0xFF00FF00u);
                ++green;
            }
        }
    EXPECT_GT(green, 20);
}

TEST(GdiText, Quality3DrawsHardEdges)
{
    TBitmap32 b(100, 30);
    b.Font = Arial(-20);
    QRect r(0, 0, 100, 30);
    DrawText(b, "Oslo", r, DT_SINGLELINE);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const int a = qAlpha(b.Image().pixel(x, y));
            EXPECT_TRUE(a == 0 || a == 255) << x << "," << y;
        }
}

TEST(GdiText, HeightSigns)
{
    // Negative: character (em) height; positive: the whole cell.
    const QFont em = QFontFromFont32(Arial(-20));
    EXPECT_EQ(em.pixelSize(), 20);
    const QFont cell = QFontFromFont32(Arial(20));
    EXPECT_LE(QFontMetrics(cell).height(), 20);
    EXPECT_LT(cell.pixelSize(), 20);
}

TEST(GdiText, WindowsFacesResolveToMetricCompatibleFamilies)
{
    EXPECT_EQ(FontFamilyForFace("Arial"), "Liberation Sans");
    EXPECT_EQ(FontFamilyForFace("times new roman"), "Liberation Serif");
    EXPECT_EQ(FontFamilyForFace("Courier New"), "Liberation Mono");
    EXPECT_EQ(FontFamilyForFace("Tahoma"), "Tahoma");
    TFont32 f = Arial();
    f.Name = "Courier New";
    const QFontMetrics m(QFontFromFont32(f));
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("iiii")), m.horizontalAdvance(QStringLiteral("WWWW")));
}

TEST(GdiText, StockSystemFontIsABoldSixteenPixelCell)
{
    TFont32 f;
    SetStockSystemFont(f);
    EXPECT_TRUE(f.Bold);
    EXPECT_EQ(f.Height, 16);
    EXPECT_EQ(f.Quality, NONANTIALIASED_QUALITY);
    EXPECT_LE(LineHeight(f), 16);
    EXPECT_GE(LineHeight(f), 14);
}

TEST(GdiText, Windows1252BytesAreDecoded)
{
    const TFont32 f = Arial();
    QRect euro(0, 0, 500, 50), e(0, 0, 500, 50);
    MeasureText(f, "\x80", euro, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(euro.width(), QFontMetrics(QFontFromFont32(f)).horizontalAdvance(QChar(0x20AC)));
    MeasureText(f, "\xe9", e, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(e.width(), QFontMetrics(QFontFromFont32(f)).horizontalAdvance(QChar(0xE9)));
}

struct TRobustCase {
    QRect Rect;
    int FontHeight;
    uint32_t Flags;
};

class GdiRobust : public ::testing::TestWithParam<TRobustCase> {};

TEST_P(GdiRobust, HugeAndInvertedInputsDrawSafely)
{
    TBitmap32 b(64, 64);
    b.Font = Arial(GetParam().FontHeight);
    QRect r = GetParam().Rect;
    DrawText(b, "Some text that is drawn\r\nover two lines", r, GetParam().Flags);
    QRect m = GetParam().Rect;
    MeasureText(b.Font, "Some text", m, GetParam().Flags | DT_CALCRECT);
    SUCCEED();
}

INSTANTIATE_TEST_SUITE_P(
    Edges, GdiRobust,
    ::testing::Values(TRobustCase{QRect(0, 0, 100000, 100000), -16, DT_CENTER | DT_WORDBREAK},
                      TRobustCase{QRect(QPoint(50, 50), QPoint(0, 0)), -16, DT_SINGLELINE | DT_END_ELLIPSIS},
                      TRobustCase{QRect(-100000, -100000, 200000, 200000), -16, DT_SINGLELINE | DT_VCENTER | DT_CENTER},
                      TRobustCase{QRect(0, 0, 0, 0), -16, DT_WORDBREAK},
                      TRobustCase{QRect(0, 0, 1, 1), -16, DT_WORDBREAK | DT_END_ELLIPSIS},
                      TRobustCase{QRect(0, 0, 64, 64), -100000, DT_SINGLELINE},
                      TRobustCase{QRect(0, 0, 64, 64), 2147483647, DT_WORDBREAK},
                      TRobustCase{QRect(0, 0, 64, 64), -2147483647 - 1, DT_NOCLIP},
                      TRobustCase{QRect(2147483000, 2147483000, 600, 600), -16, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE}));

TEST(GdiText, LongTextFarOffTheBitmapIsCut)
{
    TBitmap32 b(50, 20);
    b.Font = Arial();
    const std::string text(200000, 'x');
    QRect r(-500000, 0, 1000000, 20);
    DrawText(b, text, r, DT_SINGLELINE | DT_CENTER);
    EXPECT_TRUE(InkOf(b).Any());
}

TEST(GdiText, EmptyBitmapDrawsNothing)
{
    TBitmap32 b;
    b.Font = Arial();
    QRect r(0, 0, 10, 10);
    EXPECT_EQ(DrawText(b, "x", r, DT_SINGLELINE), 0);
}

} // namespace
