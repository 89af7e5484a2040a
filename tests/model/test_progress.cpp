#include "skinmodel/controls/ProgressLayer.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>


namespace {

TRoundTripOptions TripOptions(bool withReferences)
{
    TRoundTripOptions o;
    o.WithReferences = withReferences;
    // Parts lie in single-precision rectangles: at positions near 2^24 a part's far edge is not
    // representable and its size changes by one, which no file can help. This seed keeps clear.
    o.Seed = 4;
    return o;
}

TEST(RoundTrip_Progress, WithBuiltInReferences) { CheckRoundTrip("progress", TripOptions(true)); }
TEST(RoundTrip_Progress, WithoutReferences) { CheckRoundTrip("progress", TripOptions(false)); }
TEST(RoundTrip_TickProgress, WithBuiltInReferences) { CheckRoundTrip("tickprogress", TripOptions(true)); }
TEST(RoundTrip_TickProgress, WithoutReferences) { CheckRoundTrip("tickprogress", TripOptions(false)); }

// ---- layout --------------------------------------------------------------------------------

struct LayoutCase {
    const char* name;
    int w, h, leftW, leftH, rightW, rightH;
    TFloatRect left, right, middle;
};

class ProgressLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ProgressLayout, PartsRelativeToTheBar)
{
    const LayoutCase& c = GetParam();
    // The bar at (10, 20): every part is shifted by it.
    const TFloatRect fr{10, 20, 10.0f + c.w, 20.0f + c.h};
    const TProgressLayout l = LayoutProgressBar(fr, c.w, c.h, c.leftW, c.leftH, c.rightW, c.rightH);
    const auto shifted = [](TFloatRect r) { return TFloatRect{r.Left + 10, r.Top + 20, r.Right + 10, r.Bottom + 20}; };
    EXPECT_EQ(l.Background, fr);
    EXPECT_EQ(l.Label, fr);
    EXPECT_EQ(l.Left, shifted(c.left));
    EXPECT_EQ(l.Right, shifted(c.right));
    EXPECT_EQ(l.Middle, shifted(c.middle));
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ProgressLayout,
    ::testing::Values(
        LayoutCase{"horizontal", 355, 28, 3, 10, 3, 10, {0, 0, 3, 28}, {352, 0, 355, 28}, {3, 0, 352, 28}},
        LayoutCase{"vertical", 28, 355, 10, 5, 10, 7, {0, 350, 28, 355}, {0, 0, 28, 7}, {0, 7, 28, 350}},
        LayoutCase{"square", 30, 30, 4, 9, 6, 9, {0, 0, 4, 30}, {24, 0, 30, 30}, {4, 0, 24, 30}},
        // ends wider than the bar leave the middle inverted
        LayoutCase{"overlap", 10, 5, 8, 5, 8, 5, {0, 0, 8, 5}, {2, 0, 10, 5}, {8, 0, 2, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

std::string PiecesXml(const char* type, int w, int h);

class ProgressTest : public KindTest {
protected:
    // A bar of single-colour pieces: blue background, red left, green right, yellow middle,
    // magenta tick.
    template <class T>
    std::unique_ptr<T> PiecesBar(const char* type, int w, int h)
    {
        WriteProjectFile("images/bg.png", EncodePicture(SolidPicture(1, 1, Qt::blue), "PNG"));
        WriteProjectFile("images/l.png", EncodePicture(SolidPicture(5, 5, Qt::red), "PNG"));
        WriteProjectFile("images/r.png", EncodePicture(SolidPicture(5, 5, Qt::green), "PNG"));
        WriteProjectFile("images/m.png", EncodePicture(SolidPicture(1, 1, Qt::yellow), "PNG"));
        WriteProjectFile("images/t.png", EncodePicture(SolidPicture(4, 4, Qt::magenta), "PNG"));
        return KindFromText<T>(PiecesXml(type, w, h));
    }

    std::unique_ptr<TProgressbarLayer> Bar(int w, int h, int ends = 3)
    {
        auto bar = std::make_unique<TProgressbarLayer>(nullptr);
        bar->SetX(25);
        bar->SetY(528);
        bar->SetWidth(w);
        bar->SetHeight(h);
        bar->ImageLeft->SetWidth(ends);
        bar->ImageRight->SetWidth(ends);
        bar->ImageLeft->SetHeight(ends);
        bar->ImageRight->SetHeight(ends);
        return bar;
    }
};

TEST_F(ProgressTest, LaidOutBeforeSavingWithoutPainting)
{
    auto bar = Bar(355, 28);
    SavedControlText(*bar);
    EXPECT_EQ(bar->ImageLeft->Location(), (TFloatRect{25, 528, 28, 556}));
    EXPECT_EQ(bar->ImageRight->Location(), (TFloatRect{377, 528, 380, 556}));
    EXPECT_EQ(bar->ImageMiddle->GetWidth(), 349);
    EXPECT_EQ(bar->ImageMiddle->GetHeight(), 28);
    EXPECT_EQ(bar->LabelControl->Location(), bar->Location());
}

TEST_F(ProgressTest, WrittenWithoutAnyReference)
{
    auto bar = Bar(355, 28);
    EXPECT_EQ(SavedControlText(*bar), XmlLines({
        "<item>",
        "  <type>progress</type>",
        "  <x>25</x>",
        "  <y>528</y>",
        "  <width>355</width>",
        "  <height>28</height>",
        "  <subcontrols>",
        PartLines("background", "Image", {{"width", "355"}, {"height", "28"}}),
        PartLines("left", "Image", {{"width", "3"}, {"height", "28"}}),
        PartLines("right", "Image", {{"width", "3"}, {"height", "28"}}),
        PartLines("mid", "Image",
                  {{"width", "349"}, {"height", "28"}, {"graphicstyp", "tile_image"}, {"direction", "0"}}),
        PartLines("label", "Label", {{"width", "355"}, {"height", "28"}}),
        "  </subcontrols>",
        "</item>",
    }));
}

TEST_F(ProgressTest, TickWrittenWithoutAnyReferenceHasSixParts)
{
    TTickProgressLayer tick(nullptr);
    tick.SetWidth(100);
    tick.SetHeight(20);
    tick.ImageTick->SetWidth(7);
    const std::string text = SavedControlText(tick);
    EXPECT_NE(text.find("<type>tickprogress</type>"), std::string::npos);
    int parts = 0;
    for (std::size_t at = 0; (at = text.find("    <control>", at)) != std::string::npos; ++at)
        ++parts;
    EXPECT_EQ(parts, 6);
    EXPECT_NE(text.find("      <description>tickimage</description>\r\n      <type>Image</type>\r\n"
                        "      <width>7</width>\r\n      <height>20</height>\r\n"),
              std::string::npos);
}

TEST_F(ProgressTest, DefaultBarAgainstBuiltInReferences)
{
    UseBuiltInReferences();
    auto bar = KindFromText<TProgressbarLayer>("<control><type>progress</type></control>");
    ASSERT_TRUE(bar);
    // The common values compare with the given reference only, and none is given. Equal pictures
    // are dropped, the label never; the middle piece fills the bar. The middle piece's height is
    // the reference's and the layout's: it is not written.
    EXPECT_EQ(SavedControlText(*bar), XmlLines({
        "<item>",
        "  <description>default progress</description>",
        "  <type>progress</type>",
        "  <width>355</width>",
        "  <height>28</height>",
        "  <label>-</label>",
        "  <subcontrols>",
        PartLines("mid", "Image", {{"width", "349"}, {"graphicstyp", "tile_image"}}),
        PartLines("label", "Label", {{"label", "-"}}),
        "  </subcontrols>",
        "</item>",
    }));
}

TEST_F(ProgressTest, TickBarComparesWithItsOwnReference)
{
    UseBuiltInReferences();
    auto tick = KindFromText<TTickProgressLayer>("<control><type>tickprogress</type></control>");
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick->GetWidth(), 260);
    EXPECT_TRUE(tick->ImageLeft->Ratio);
    EXPECT_EQ(tick->ImageTick->FileName, "progress_tick.png");
    EXPECT_EQ(SavedControlText(*tick), XmlLines({
        "<item>",
        "  <type>tickprogress</type>",
        "  <width>260</width>",
        "  <height>31</height>",
        "  <subcontrols>",
        PartLines("mid", "Image", {{"width", "254"}, {"graphicstyp", "tile_image"}}),
        PartLines("label", "Label"),
        "  </subcontrols>",
        "</item>",
    }));
}

// A bar of the built-in reference whose left piece shows another picture: the piece's element
// stays, with the length of its own that the layout does not give (none when equal to the
// reference's and found in the picture), and comes back in the same place.
struct KeptEndCase {
    const char* name;
    const char* barValues;
    const char* leftLength;
};

class KeptEndPiece : public ProgressTest, public ::testing::WithParamInterface<KeptEndCase> {};

TEST_P(KeptEndPiece, WrittenAndBackInPlace)
{
    const KeptEndCase& c = GetParam();
    UseBuiltInReferences();
    auto bar = KindFromText<TProgressbarLayer>(std::string("<control><type>progress</type>") + c.barValues +
                                               "</control>");
    ASSERT_TRUE(bar);
    bar->ImageLeft->SetFileName("other_left.png");
    const std::string text = SavedControlText(*bar);
    EXPECT_NE(text.find(std::string("      <description>left</description>\r\n      <type>Image</type>\r\n") +
                        c.leftLength + "      <texture>other_left.png</texture>\r\n    </control>"),
              std::string::npos)
        << text;
    auto back = KindFromText<TProgressbarLayer>(text);
    ASSERT_TRUE(back);
    back->LayoutParts();
    EXPECT_EQ(back->ImageLeft->FileName, "other_left.png");
    EXPECT_EQ(back->ImageLeft->Location(), bar->ImageLeft->Location());
    EXPECT_EQ(back->ImageMiddle->GraphicsType, GT_IMAGE_TILE);
    EXPECT_EQ(back->LabelControl->FontName, "font16");
}

INSTANTIATE_TEST_SUITE_P(
    Bars, KeptEndPiece,
    ::testing::Values(KeptEndCase{"horizontal", "", "      <width>3</width>\r\n"},
                      // 3 wide: the left piece is laid out 3 by 28, as the reference's
                      KeptEndCase{"vertical", "<width>3</width>", "      <height>28</height>\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgressTest, PartValueEqualToTheReadersResetComesBack)
{
    UseBuiltInReferences();
    auto bar = KindFromText<TProgressbarLayer>("<control><type>progress</type></control>");
    ASSERT_TRUE(bar);
    // The reference's middle piece is tiled; a picture type is what its reader resets to, yet a
    // dropped element would bring the tiling back.
    bar->ImageMiddle->GraphicsType = GT_IMAGE;
    auto back = KindFromText<TProgressbarLayer>(SavedControlText(*bar));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ImageMiddle->GraphicsType, GT_IMAGE);
}

TEST_F(ProgressTest, OpaquePartOverATransparentReferencePartComesBack)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>progress</type><subcontrols><control><description>background</description>"
        "<type>image</type><diffusecolor>00FFFFFF</diffusecolor></control></subcontrols></control></controls>");
    // The bar's own background element starts the alpha afresh at 255.
    auto bar = KindFromText<TProgressbarLayer>(
        "<control><type>progress</type><subcontrols><control><description>background</description>"
        "<type>image</type></control></subcontrols></control>");
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->ImageBackground->Alpha, 255);
    const std::string text = SavedControlText(*bar);
    EXPECT_NE(text.find("<diffusecolor>FFFFFFFF</diffusecolor>"), std::string::npos) << text;
    auto back = KindFromText<TProgressbarLayer>(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ImageBackground->Alpha, 255);
}

TEST_F(ProgressTest, PartsFoundByRole)
{
    auto bar = KindFromText<TProgressbarLayer>(
        "<control><type>progress</type><subcontrols>"
        "<control><description>MID</description><texture>m.png</texture></control>"
        "<control><description>tick</description><texture>t.png</texture></control>"
        "<control><description>left</description><texture>l1.png</texture></control>"
        "<control><texture>l2.png</texture></control>"
        "<item><description>label</description><label>Go</label></item>"
        "</subcontrols></control>");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->ImageMiddle->FileName, "m.png");
    EXPECT_EQ(bar->ImageLeft->FileName, "l2.png");
    EXPECT_EQ(bar->ImageBackground->FileName, "");
    EXPECT_EQ(bar->ImageRight->FileName, "");
    EXPECT_EQ(bar->LabelControl->LabelText, "Go");
    auto tick = KindFromText<TTickProgressLayer>(
        "<control><type>tickprogress</type><subcontrols>"
        "<control><description>TickImage</description><texture>t.png</texture></control>"
        "</subcontrols></control>");
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick->ImageTick->FileName, "t.png");
}

// ---- painting ------------------------------------------------------------------------------

std::string PiecesXml(const char* type, int w, int h)
{
    return std::string("<control><type>") + type + "</type><width>" + std::to_string(w) + "</width><height>" +
           std::to_string(h) +
           "</height><subcontrols>"
           "<control><description>background</description><texture>bg.png</texture></control>"
           "<control><description>left</description><texture>l.png</texture></control>"
           "<control><description>right</description><texture>r.png</texture></control>"
           "<control><description>mid</description><texture>m.png</texture><graphicstyp>tile_image</graphicstyp></control>"
           "<control><description>tickimage</description><texture>t.png</texture></control>"
           "</subcontrols></control>";
}

TEST_F(ProgressTest, PaintsAFullHorizontalBar)
{
    auto bar = PiecesBar<TProgressbarLayer>("progress", 100, 20);
    ASSERT_TRUE(bar);
    TBitmap32 buffer(100, 20);
    bar->Paint(buffer);
    const QImage& img = buffer.Image();
    EXPECT_EQ(img.pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(img.pixel(97, 1), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(50, 1), 0xFFFFFF00u);
    EXPECT_EQ(img.pixel(0, 0), 0xFF000000u);  // the label's frame over everything
    ASSERT_FALSE(buffer.ChangedAreas().empty());
    EXPECT_EQ(buffer.ChangedAreas().back(), QRect(0, 0, 100, 20));
    SavePreview(img, "progress");
}

TEST_F(ProgressTest, PaintsAVerticalBarWithEndsAtBottomAndTop)
{
    auto bar = PiecesBar<TProgressbarLayer>("progress", 20, 100);
    ASSERT_TRUE(bar);
    TBitmap32 buffer(20, 100);
    bar->Paint(buffer);
    const QImage& img = buffer.Image();
    EXPECT_EQ(img.pixel(10, 97), 0xFFFF0000u);
    EXPECT_EQ(img.pixel(10, 2), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(1, 30), 0xFFFFFF00u);
    EXPECT_EQ(bar->ImageLeft->Location(), (TFloatRect{0, 95, 20, 100}));
}

TEST_F(ProgressTest, TickIsPaintedLastAndAlsoMeasured)
{
    auto tick = PiecesBar<TTickProgressLayer>("tickprogress", 100, 20);
    ASSERT_TRUE(tick);
    TBitmap32 buffer(100, 20);
    tick->Paint(buffer);
    EXPECT_EQ(buffer.Image().pixel(2, 1), 0xFFFF00FFu);
    EXPECT_EQ(buffer.Image().pixel(0, 0), 0xFFFF00FFu);
    SavePreview(buffer.Image(), "tickprogress");

    TBitmap32 measuring(100, 20);
    measuring.SetMeasuringMode(true);
    tick->Paint(measuring);
    EXPECT_EQ(measuring.Image().pixel(2, 1), 0u);
    ASSERT_EQ(measuring.ChangedAreas().size(), 2u);
    EXPECT_EQ(measuring.ChangedAreas()[0], QRect(0, 0, 100, 20));
    EXPECT_EQ(measuring.ChangedAreas()[1], QRect(0, 0, 4, 20));
}

TEST_F(ProgressTest, AbsurdSizesPaintWithoutHarm)
{
    for (int size : {0, -40, 100000}) {
        auto tick = PiecesBar<TTickProgressLayer>("tickprogress", 10, 10);
        ASSERT_TRUE(tick);
        tick->SetWidth(size);
        tick->SetHeight(size / 2);
        tick->ImageLeft->SetWidth(size);
        tick->ImageRight->SetWidth(-size);
        tick->ImageTick->SetWidth(size * 3);
        TBitmap32 buffer(64, 64);
        tick->Paint(buffer);
        SavedControlText(*tick);
    }
}

}  // namespace
