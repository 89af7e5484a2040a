// The colour model: integer HSV to pixels, floating HSV and RGB both ways, rounding, and the disc.
#include "editor/colour/model/ColourPictures.h"
#include "editor/colour/model/HSVLibrary.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TRgb {
    int R, G, B;
};

TRgb Components(const TRGBTriple& t)
{
    return {t.rgbtRed, t.rgbtGreen, t.rgbtBlue};
}

TRgb PixelAt(const QImage& image, int x, int y)
{
    return Components(reinterpret_cast<const TRGBTriple*>(image.constScanLine(y))[x]);
}

bool operator==(const TRgb& a, const TRgb& b)
{
    return a.R == b.R && a.G == b.G && a.B == b.B;
}

void PrintTo(const TRgb& c, std::ostream* os)
{
    *os << "(" << c.R << ", " << c.G << ", " << c.B << ")";
}

// The smallest rectangle holding every pixel of one colour; none when there is none.
std::optional<QRect> BoundsOf(const QImage& image, TRgb colour)
{
    std::optional<QRect> bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == colour)
                bounds = bounds ? bounds->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
    return bounds;
}

const QColor Back(0x12, 0x34, 0x56);
const TRgb BackRgb {0x12, 0x34, 0x56};

} // namespace

// --- rounding ---

struct TMulDivCase {
    int A, B, C, Expected;
};

class MulDivTest : public testing::TestWithParam<TMulDivCase> {};

TEST_P(MulDivTest, RoundsHalvesAwayFromZero)
{
    const auto& c = GetParam();
    EXPECT_EQ(MulDiv(c.A, c.B, c.C), c.Expected) << c.A << " * " << c.B << " / " << c.C;
}

INSTANTIATE_TEST_SUITE_P(Table, MulDivTest, testing::Values(
    TMulDivCase {1, 1, 2, 1}, TMulDivCase {5, 1, 2, 3}, TMulDivCase {-5, 1, 2, -3}, TMulDivCase {5, -1, 2, -3},
    TMulDivCase {-5, -1, -2, -3}, TMulDivCase {4, 1, 2, 2}, TMulDivCase {1, 1, 3, 0}, TMulDivCase {2, 1, 3, 1},
    TMulDivCase {89, 255, 90, 252}, TMulDivCase {360, 128, 255, 181}, TMulDivCase {360, 51, 255, 72},
    TMulDivCase {90, 255, 255, 90}, TMulDivCase {0, 7, 3, 0},
    // The product is kept in 64 bits.
    TMulDivCase {INT_MAX, 2, 2, INT_MAX}, TMulDivCase {100000, 100000, 1000, 10000000},
    // Division by zero and results that do not fit answer -1.
    TMulDivCase {5, 1, 0, -1}, TMulDivCase {INT_MAX, INT_MAX, 1, -1}));

TEST(RoundToEven, HalvesGoToTheEvenNeighbour)
{
    const struct {
        double Value;
        int Expected;
    } table[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {252.5, 252}, {70.8333, 71}, {1.4999, 1}};
    for (const auto& row : table)
        EXPECT_EQ(RoundToEven(row.Value), row.Expected) << row.Value;
}

// --- integer HSV to pixels ---

TEST(RGBToTriple, BytesLieInBlueGreenRedOrder)
{
    const TRGBTriple t = RGBToTriple(1, 2, 3);
    unsigned char bytes[3];
    std::memcpy(bytes, &t, 3);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 1);
}

struct TTripleCase {
    int H, S, V;
    TRgb Expected;
};

class HSVToRGBTripleTest : public testing::TestWithParam<TTripleCase> {};

TEST_P(HSVToRGBTripleTest, Converts)
{
    const auto& c = GetParam();
    EXPECT_EQ(Components(HSVToRGBTriple(c.H, c.S, c.V)), c.Expected) << c.H << "/" << c.S << "/" << c.V;
}

INSTANTIATE_TEST_SUITE_P(Table, HSVToRGBTripleTest, testing::Values(
    TTripleCase {0, 255, 255, {255, 0, 0}}, TTripleCase {60, 255, 255, {255, 255, 0}},
    TTripleCase {120, 255, 255, {0, 255, 0}}, TTripleCase {180, 255, 128, {0, 128, 128}},
    TTripleCase {240, 255, 255, {0, 0, 255}}, TTripleCase {300, 255, 255, {255, 0, 255}},
    TTripleCase {360, 255, 255, {255, 0, 0}},
    // t and q are V less a truncated quotient.
    TTripleCase {1, 255, 255, {255, 5, 0}}, TTripleCase {359, 255, 255, {255, 0, 5}},
    TTripleCase {30, 128, 200, {200, 150, 100}},
    // No saturation: grey whatever the hue.
    TTripleCase {0, 0, 200, {200, 200, 200}}, TTripleCase {90, 0, 200, {200, 200, 200}},
    TTripleCase {361, 0, 200, {200, 200, 200}}, TTripleCase {123, 0, 0, {0, 0, 0}},
    // Above 360 there is no sector: black.
    TTripleCase {361, 255, 255, {0, 0, 0}}, TTripleCase {419, 255, 255, {0, 0, 0}}));

// --- floating HSV and RGB ---

struct TFloatCase {
    double H, S, V;
    double R, G, B;
};

class FloatConversionTest : public testing::TestWithParam<TFloatCase> {};

TEST_P(FloatConversionTest, HSVToRGB)
{
    const auto& c = GetParam();
    double r = -1, g = -1, b = -1;
    HSVToRGB(c.H, c.S, c.V, r, g, b);
    EXPECT_DOUBLE_EQ(r, c.R);
    EXPECT_DOUBLE_EQ(g, c.G);
    EXPECT_DOUBLE_EQ(b, c.B);
}

TEST_P(FloatConversionTest, RGBToHSV)
{
    const auto& c = GetParam();
    double h = -1, s = -1, v = -1;
    RGBToHSV(c.R, c.G, c.B, h, s, v);
    if (std::isnan(c.H))
        EXPECT_TRUE(std::isnan(h)) << h;
    else
        EXPECT_DOUBLE_EQ(h, c.H == 360 ? 0 : c.H);
    EXPECT_DOUBLE_EQ(s, c.S);
    EXPECT_DOUBLE_EQ(v, c.V);
}

INSTANTIATE_TEST_SUITE_P(Table, FloatConversionTest, testing::Values(
    TFloatCase {NaN, 0, 0.5, 0.5, 0.5, 0.5}, TFloatCase {NaN, 0, 0, 0, 0, 0}, TFloatCase {NaN, 0, 1, 1, 1, 1},
    TFloatCase {0, 1, 1, 1, 0, 0}, TFloatCase {360, 1, 1, 1, 0, 0}, TFloatCase {120, 1, 1, 0, 1, 0},
    TFloatCase {240, 1, 1, 0, 0, 1}, TFloatCase {330, 1, 1, 1, 0, 0.5}, TFloatCase {30, 0.5, 0.8, 0.8, 0.6, 0.4},
    TFloatCase {220, 0.75, 0.8, 0.2, 0.4, 0.8},
    // Ties: red before green, green before blue.
    TFloatCase {60, 1, 1, 1, 1, 0}, TFloatCase {180, 1, 1, 0, 1, 1}, TFloatCase {300, 1, 1, 1, 0, 1}));

TEST(HSVToRGB, GreyWithAHueIsAnError)
{
    double r = 0.25, g = 0.25, b = 0.25;
    try {
        HSVToRGB(90, 0, 1, r, g, b);
        FAIL() << "no error";
    } catch (const EColorError& e) {
        EXPECT_STREQ(e.what(), "HSVtoRGB:  S = 0 and H has a value");
    }
    EXPECT_EQ(r, 0.25);
    EXPECT_EQ(g, 0.25);
    EXPECT_EQ(b, 0.25);
}

TEST(HSVToRGB, HueWithoutSectorLeavesTheOutputs)
{
    for (double hue : {360.5, 420.0, 1000.0, NaN}) {
        double r = 0.25, g = 0.5, b = 0.75;
        HSVToRGB(hue, 1, 1, r, g, b);
        EXPECT_EQ(r, 0.25) << hue;
        EXPECT_EQ(g, 0.5) << hue;
        EXPECT_EQ(b, 0.75) << hue;
    }
}

TEST(RGBToHSV, EveryByteColourComesBack)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                double h, s, v, r2 = -1, g2 = -1, b2 = -1;
                RGBToHSV(r / 255.0, g / 255.0, b / 255.0, h, s, v);
                ASSERT_TRUE(std::isnan(h) || (h >= 0 && h < 360)) << h;
                HSVToRGB(h, s, v, r2, g2, b2);
                EXPECT_EQ(RoundToEven(255 * r2), r);
                EXPECT_EQ(RoundToEven(255 * g2), g);
                EXPECT_EQ(RoundToEven(255 * b2), b);
            }
}

// --- the disc ---

TEST(CreateHSCircle, PixelsOfTheDisc)
{
    const QImage disc = CreateHSCircle(180, 90, 255, 255, Back, Qt::black);
    ASSERT_EQ(disc.size(), QSize(180, 180));
    ASSERT_EQ(disc.format(), Bitmap24Format);
    const struct {
        int X, Y;
        TRgb Expected;
    } table[] = {
        {0, 0, BackRgb}, {179, 0, BackRgb}, {0, 179, BackRgb}, {179, 179, BackRgb},
        // Centre: hue 270, saturation 0.
        {90, 90, {255, 255, 255}},
        // Rightmost pixel of the centre row: hue 360, saturation 252.
        {179, 90, Components(HSVToRGBTriple(360, 252, 255))},
        // Left edge: hue 180, full saturation.
        {0, 90, {0, 255, 255}},
        {90, 179, Components(HSVToRGBTriple(270, 252, 255))},
        {45, 90, Components(HSVToRGBTriple(180, 128, 255))},
        // 15 * 255 / 90 = 42.5 rounds to even.
        {90, 105, Components(HSVToRGBTriple(270, 42, 255))},
        // Outside the circle by one step.
        {26, 26, BackRgb},
    };
    for (const auto& row : table)
        EXPECT_EQ(PixelAt(disc, row.X, row.Y), row.Expected) << row.X << "," << row.Y;
}

TEST(CreateHSCircle, ValueDarkensTheDisc)
{
    const QImage disc = CreateHSCircle(180, 0, 0, 128, Back, Qt::black);
    EXPECT_EQ(PixelAt(disc, 179, 90), Components(HSVToRGBTriple(360, 252, 128)));
    EXPECT_EQ(PixelAt(disc, 90, 90), (TRgb {128, 128, 128}));
}

TEST(CreateHSCircle, MarkerSitsAtHueAndSaturation)
{
    // A marker colour that no disc pixel of full value has.
    const TRgb marker {1, 2, 3};
    const QColor markerColour(1, 2, 3);
    const struct {
        int Hue, Saturation, Value;
        QRect Expected;
    } table[] = {
        // Above the centre, on the rim: the ring is cut by the top edge.
        {90, 255, 255, QRect(QPoint(87, 0), QPoint(92, 2))},
        {180, 128, 255, QRect(QPoint(42, 87), QPoint(47, 92))},
        {270, 255, 200, QRect(QPoint(87, 177), QPoint(92, 179))},
        {360, 255, 255, QRect(QPoint(177, 87), QPoint(179, 92))},
        {0, 255, 255, QRect(QPoint(177, 87), QPoint(179, 92))},
    };
    for (const auto& row : table) {
        const QImage disc = CreateHSCircle(180, row.Hue, row.Saturation, row.Value, Back, markerColour);
        EXPECT_EQ(BoundsOf(disc, marker), row.Expected) << row.Hue << "/" << row.Saturation;
    }
    // The white inner ring lies inside the outer one.
    const QImage disc = CreateHSCircle(180, 180, 128, 0, Back, markerColour);
    EXPECT_EQ(BoundsOf(disc, {255, 255, 255}), QRect(QPoint(43, 88), QPoint(46, 91)));
}

TEST(CreateHSCircle, NoMarkerWithoutSaturationOrBeyondTheHues)
{
    const TRgb marker {1, 2, 3};
    for (const auto& [hue, saturation] : {std::pair {90, 0}, std::pair {361, 255}, std::pair {-1, 255}})
        EXPECT_FALSE(BoundsOf(CreateHSCircle(180, hue, saturation, 255, Back, QColor(1, 2, 3)), marker)) << hue;
}

TEST(CreateHSCircle, SmallAndEmptySizes)
{
    EXPECT_TRUE(CreateHSCircle(0, 0, 0, 255, Back, Qt::black).isNull());
    EXPECT_TRUE(CreateHSCircle(-4, 0, 0, 255, Back, Qt::black).isNull());
    const QImage one = CreateHSCircle(1, 0, 0, 255, Back, Qt::black);
    EXPECT_EQ(PixelAt(one, 0, 0), (TRgb {255, 255, 255}));
    // Odd size: centre (2, 2), the circle reaches every edge's middle.
    const QImage five = CreateHSCircle(5, 0, 0, 255, Back, Qt::black);
    EXPECT_EQ(PixelAt(five, 0, 0), BackRgb);
    EXPECT_EQ(PixelAt(five, 2, 2), (TRgb {255, 255, 255}));
    EXPECT_EQ(PixelAt(five, 4, 2), (TRgb {255, 0, 0}));
}

// --- the selector's pictures ---

TEST(PaletteTable, Entries)
{
    const TPaletteTable table = BuildPaletteTable();
    const struct {
        int Index;
        TRgb Expected;
    } rows[] = {
        {0, {8, 8, 8}}, {1, {16, 16, 16}}, {30, {248, 248, 248}}, {31, {255, 255, 255}},
        // Row 1: saturation 1/7; column 1 is hue 11.25.
        {32, {255, 225, 219}}, {63, {255, 219, 219}},
        // Row 7: full saturation; hue 90 gives 127.5 for red, rounded to even.
        {231, {128, 255, 0}}, {232, {80, 255, 0}}, {255, {255, 0, 0}},
    };
    for (const auto& row : rows) {
        const TPaletteEntry& e = table[row.Index];
        EXPECT_EQ((TRgb {e.Red, e.Green, e.Blue}), row.Expected) << row.Index;
    }
}

TEST(PaletteTable, IndexUnderAPoint)
{
    const struct {
        int X, Y, Expected;
    } rows[] = {{0, 0, 0}, {9, 9, 0}, {10, 0, 1}, {319, 9, 31}, {0, 10, 32}, {319, 79, 255},
                // Beyond the picture the index wraps around the table.
                {0, 80, 0}, {330, 0, 33}, {-10, 0, 255}};
    for (const auto& row : rows)
        EXPECT_EQ(PaletteIndexAt(row.X, row.Y), row.Expected) << row.X << "," << row.Y;
}

TEST(SelectorPictures, GradientsRunAlongTheColumns)
{
    const QImage red = RGBGradient(QSize(256, 19), 1, 0, 0);
    EXPECT_EQ(PixelAt(red, 0, 0), (TRgb {0, 0, 0}));
    EXPECT_EQ(PixelAt(red, 255, 18), (TRgb {255, 0, 0}));
    // Products beyond a byte keep their low byte.
    EXPECT_EQ(PixelAt(RGBGradient(QSize(300, 1), 0, 1, 0), 290, 0), (TRgb {0, 34, 0}));
    const QImage hue = HSVGradient(QSize(256, 19), 0, 0, 255, 255);
    EXPECT_EQ(PixelAt(hue, 128, 7), Components(HSVToRGBTriple(181, 255, 255)));
    EXPECT_EQ(PixelAt(hue, 255, 0), (TRgb {255, 0, 0}));
    EXPECT_EQ(PixelAt(HSVGradient(QSize(256, 2), 1, 120, 0, 200), 100, 1), Components(HSVToRGBTriple(120, 100, 200)));
    EXPECT_EQ(PixelAt(HSVGradient(QSize(256, 2), 2, 120, 255, 0), 77, 1), (TRgb {0, 77, 0}));
    EXPECT_TRUE(HSVGradient(QSize(0, 19), 0, 0, 0, 0).isNull());
}

TEST(SelectorPictures, PreviewKeepsTheAlpha)
{
    const QImage preview = PreviewPicture(QSize(64, 64), 128, 255, 0, 0);
    const QColor inside = preview.pixelColor(32, 32);
    EXPECT_EQ(inside.alpha(), 128);
    EXPECT_EQ(inside.red(), 255);
    EXPECT_EQ(inside.green(), 0);
    // Sunken: darker at the top left than at the bottom right.
    EXPECT_LT(preview.pixelColor(0, 32).lightness(), preview.pixelColor(63, 32).lightness());
}

TEST(SelectorPictures, Checkerboard)
{
    QImage board(20, 20, QImage::Format_RGB32);
    QPainter painter(&board);
    PaintCheckerboard(painter, board.rect());
    painter.end();
    const QColor grey(0xB0, 0xB0, 0xB0), white(Qt::white);
    EXPECT_EQ(board.pixelColor(0, 0), grey);
    EXPECT_EQ(board.pixelColor(7, 7), grey);
    EXPECT_EQ(board.pixelColor(8, 0), white);
    EXPECT_EQ(board.pixelColor(0, 8), white);
    EXPECT_EQ(board.pixelColor(8, 8), grey);
    EXPECT_EQ(board.pixelColor(19, 19), grey);
}
