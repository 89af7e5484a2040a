#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/CheckMark.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// The label keeps its own height, and the label reader turns a height of 0 into 24.
VARNHOLT_ROUND_TRIP_TEST_SKIPPING(CheckMark, "checkmark", "LabelControl.Height")

// A check mark at (x, y) with a 20 by 20 picture and a label of the given alignment and width.
std::unique_ptr<TOSDCheckerControl> LoadedCheckMark(const char* align, int labelWidth, int x = 10, int y = 10)
{
    std::string label = "    <control><description>label</description><type>Label</type><label>Check</label>";
    if (labelWidth)
        label += "<width>" + std::to_string(labelWidth) + "</width>";
    if (*align)
        label += std::string("<align>") + align + "</align>";
    label += "</control>";
    return KindFromText<TOSDCheckerControl>(XmlLines({
        "<item>",
        "  <type>checkmark</type>",
        "  <x>" + std::to_string(x) + "</x>",
        "  <y>" + std::to_string(y) + "</y>",
        "  <height>20</height>",
        "  <subcontrols>",
        "    <control><description>imgcheckmark</description><type>Image</type><texture>check.png</texture></control>",
        label,
        "  </subcontrols>",
        "</item>",
    }));
}

class CheckMarkWithPicture : public KindTest {
protected:
    void SetUp() override
    {
        KindTest::SetUp();
        WriteProjectFile("images/check.png", SolidPng(20, 20, QColor(250, 200, 0)));
    }
};

TEST_F(CheckMarkWithPicture, LeftAlignedEmptyLabelTakes32)
{
    auto check = LoadedCheckMark("", 0);
    ASSERT_TRUE(check);
    EXPECT_EQ(check->LabelControl->GetWidth(), 32);
    EXPECT_EQ(check->GetWidth(), 52);
    EXPECT_EQ(check->GetHeight(), 20);
    EXPECT_EQ(check->GetImagewidth(), 20);
}

TEST_F(CheckMarkWithPicture, RightAlignedLabelStartsBesideThePicture)
{
    auto check = LoadedCheckMark("right", 100);
    ASSERT_TRUE(check);
    EXPECT_EQ(check->LabelControl->GetX(), 10 + 25) << "picture width and 5 right of the left edge";
    EXPECT_EQ(check->LabelControl->GetWidth(), 100);
    EXPECT_EQ(check->GetWidth(), 120);
    TBitmap32 buffer(160, 40);
    check->Paint(buffer);
    EXPECT_EQ(check->LabelControl->GetX(), 10 + 20) << "the preview puts the text right after the picture";
    EXPECT_EQ(check->ImageCheck->GetX(), 10);
    EXPECT_EQ(check->LabelControl->TextAlign, StringAlignmentFar);
}

TEST_F(CheckMarkWithPicture, LabelMovesByThePicturesPixelWidth)
{
    // The picture part says 30 wide, its picture is 20: the label moves by the picture's 20 and 5.
    auto check = KindFromText<TOSDCheckerControl>(XmlLines({
        "<item>",
        "  <type>checkmark</type>",
        "  <x>10</x>",
        "  <height>20</height>",
        "  <subcontrols>",
        "    <control><description>imgcheckmark</description><texture>check.png</texture><width>30</width></control>",
        "    <control><description>label</description><width>100</width><align>right</align></control>",
        "  </subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->LabelControl->GetX(), 10 + 20 + 5);
    EXPECT_EQ(check->GetImagewidth(), 30);
    EXPECT_EQ(check->GetWidth(), 130);
}

TEST_F(CheckMarkWithPicture, RightAlignedTextIsDrawnFromThePictureOn)
{
    auto check = LoadedCheckMark("right", 100);
    ASSERT_TRUE(check);
    const QImage image = PaintPreview(*check, 160, 40, "checkmark_right").Image();
    // The label lies from 30 to 130; its text is light on the dark buffer.
    const auto lightPixels = [&](int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 12; y < 28; ++y)
                n += image.pixelColor(x, y).lightness() > 128;
        return n;
    };
    EXPECT_GT(lightPixels(32, 70), 0) << "the text starts beside the picture";
    EXPECT_EQ(lightPixels(90, 128), 0) << "not at the label's right edge";
}

TEST_F(CheckMarkWithPicture, LeftAlignedTextComesFirstInThePreview)
{
    auto check = LoadedCheckMark("", 40);
    ASSERT_TRUE(check);
    check->LayoutParts();
    EXPECT_EQ(check->LabelControl->Location(), (TFloatRect{10, 10, 50, 30}));
    EXPECT_EQ(check->ImageCheck->Location(), (TFloatRect{50, 10, 70, 30}));
}

TEST_F(CheckMarkWithPicture, CentredLabelStaysCentred)
{
    auto check = LoadedCheckMark("center", 60);
    ASSERT_TRUE(check);
    TBitmap32 buffer(120, 40);
    check->Paint(buffer);
    check->Paint(buffer);
    EXPECT_EQ(check->LabelControl->TextAlign, StringAlignmentCenter);
    EXPECT_NE(SavedControlText(*check).find("<align>center</align>"), std::string::npos);
}

TEST_F(CheckMarkWithPicture, Preview)
{
    auto check = LoadedCheckMark("", 60);
    ASSERT_TRUE(check);
    check->ImageNoCheck->SetLocation({0, 0, 5, 5});
    const QImage image = PaintPreview(*check, 100, 40, "checkmark").Image();
    EXPECT_EQ(image.pixelColor(80, 20), QColor(250, 200, 0)) << "the picture right of the left-aligned text";
    EXPECT_EQ(check->ImageNoCheck->Location(), (TFloatRect{0, 0, 5, 5})) << "never drawn or placed";
}

TEST(CheckMark, LabelTakesWhatThePictureLeaves)
{
    TOSDCheckerControl check(nullptr);
    check.ImageCheck->SetWidth(20);
    check.SetWidth(150);
    EXPECT_EQ(check.GetTextwidth(), 130);
    check.SetTextwidth(60);
    EXPECT_EQ(check.GetWidth(), 80);
    check.SetLocation({0, 0, 45, 10});
    EXPECT_EQ(check.GetTextwidth(), 25) << "a resize through the location reaches the label too";
}

TEST_F(CheckMarkWithPicture, ImagewidthWidensTheControl)
{
    auto check = LoadedCheckMark("", 0, 100, 40);
    ASSERT_TRUE(check);
    ASSERT_EQ(check->Location(), (TFloatRect{100, 40, 152, 60}));
    check->SetImagewidth(30);
    EXPECT_EQ(check->ImageNoCheck->GetWidth(), 30);
    EXPECT_EQ(check->Location(), (TFloatRect{100, 40, 162, 60}));
    EXPECT_EQ(check->GetWidth(), 62);
    EXPECT_EQ(check->GetTextwidth(), 32);
    const std::string text = SavedControlText(*check);
    auto again = KindFromText<TOSDCheckerControl>(text);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetWidth(), 62);
    EXPECT_EQ(SavedControlText(*again), text);
}

struct SumCase {
    int32_t imageFirst, text, image;   // image part's width, then Textwidth, then Imagewidth
    int32_t wantImage, wantText;
};

class CheckMarkSum : public ::testing::TestWithParam<SumCase> {};

TEST_P(CheckMarkSum, PictureAndTextTogetherStayWithinWhatAFileKeeps)
{
    // The image part's own width is edited through its sub-object, beside Imagewidth's range.
    const SumCase& k = GetParam();
    TReferencesScope none("");
    TOSDCheckerControl check(nullptr);
    check.ImageCheck->SetWidth(k.imageFirst);
    check.SetTextwidth(k.text);
    check.SetImagewidth(k.image);
    EXPECT_EQ(check.GetImagewidth(), k.wantImage);
    EXPECT_EQ(check.GetTextwidth(), k.wantText);
    EXPECT_EQ(check.GetWidth(), k.wantImage + k.wantText);
    auto again = KindFromText<TOSDCheckerControl>(SavedControlText(check));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetWidth(), check.GetWidth());
    EXPECT_EQ(again->GetTextwidth(), k.wantText);
}

INSTANTIATE_TEST_SUITE_P(Table, CheckMarkSum, ::testing::Values(
    SumCase{1500, 1000, 1500, 1500, 500},
    SumCase{-1800, -1000, -1800, -1800, -200},
    SumCase{2000, 1000, 1000, 1000, 0},
    SumCase{20, 100, 30, 30, 100}));

TEST(CheckMark, PartsAreNeverDropped)
{
    TReferencesScope none("");
    TOSDCheckerControl check(nullptr);
    check.LabelControl->SetHeight(16);
    EXPECT_EQ(SavedControlText(check), XmlLines({
                                    "<item>",
                                    "  <type>Checkmark</type>",
                                    "  <subcontrols>",
                                    PartLines("imgcheckmark", "Image"),
                                    PartLines("imgcheckmarknofocus", "Image"),
                                    PartLines("label", "Label", {{"height", "16"}}),
                                    "  </subcontrols>",
                                    "</item>",
                                }));
}

TEST(CheckMark, PartsEqualToTheReferenceAreKept)
{
    TReferencesScope refs("<controls><control><type>checkmark</type><subcontrols>"
                          "<control><description>label</description><type>Label</type><height>16</height></control>"
                          "</subcontrols></control></controls>");
    auto check = KindFromText<TOSDCheckerControl>(XmlLines({"<item>", "  <type>checkmark</type>", "</item>"}));
    ASSERT_TRUE(check);
    TJvSimpleXML doc;
    doc.LoadFromString(SavedControlText(*check));
    TJvSimpleXMLElem* subcontrols = TOSDControlFactory::FindChild(&doc.Root(), "subcontrols");
    ASSERT_TRUE(subcontrols);
    ASSERT_EQ(subcontrols->ChildCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(subcontrols->Items().Item(i)->ChildCount(), 2) << "description and type only";
}

TEST(CheckMark, LabelWidthTheSizeWouldNotGiveBackIsWritten)
{
    // Loading the control's width sets the label to that width less the picture's, before the
    // label reads its element; a label narrower than that must carry its width.
    TReferencesScope none("");
    TOSDCheckerControl check(nullptr);
    check.SetWidth(100);
    check.LabelControl->SetWidth(0);
    check.LabelControl->SetHeight(16);
    const std::string text = SavedControlText(check);
    EXPECT_NE(text.find("      <type>Label</type>\r\n      <width>0</width>\r\n      <height>16</height>"),
              std::string::npos)
        << text;
    auto again = KindFromText<TOSDCheckerControl>(text);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetTextwidth(), 0);
    EXPECT_EQ(again->GetWidth(), 100);
}

TEST(CheckMark, LabelWidthTheSizeGivesBackIsNotWritten)
{
    // Against a reference label 24 wide: the control's own width (0) less the picture's (0)
    // gives the label's 0 back, so no "width" is written for it.
    TReferencesScope refs("<controls><control><type>checkmark</type><subcontrols>"
                          "<control><description>label</description><type>Label</type><width>24</width>"
                          "<height>16</height></control></subcontrols></control></controls>");
    auto check = KindFromText<TOSDCheckerControl>(XmlLines({"<item>", "  <type>checkmark</type>", "  <x>3</x>", "</item>"}));
    ASSERT_TRUE(check);
    ASSERT_EQ(check->GetTextwidth(), 0);
    const std::string text = SavedControlText(*check);
    EXPECT_NE(text.find("      <description>label</description>\r\n      <type>Label</type>\r\n    </control>"),
              std::string::npos)
        << text;
    check->SetTextwidth(24);
    auto again = KindFromText<TOSDCheckerControl>(SavedControlText(*check));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetTextwidth(), 24);
    EXPECT_EQ(again->GetWidth(), 24);
}

class CheckRole : public ::testing::TestWithParam<const char*> {};

TEST_P(CheckRole, ReadInAnyCase)
{
    TReferencesScope none("");
    auto check = KindFromText<TOSDCheckerControl>(XmlLines({
        "<item>",
        "  <type>checkmark</type>",
        std::string("  <subcontrols><control><description>") + GetParam() +
            "</description><texture>c.png</texture></control></subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->ImageCheck->FileName, "c.png");
    EXPECT_EQ(check->ImageNoCheck->FileName, "");
}

INSTANTIATE_TEST_SUITE_P(Table, CheckRole, ::testing::Values("ImgCheckMark", "IMGCHECKMARK", "imgcheckmark"));

TEST(CheckMark, WithoutPictureTheElementsPlaceAndSizeStay)
{
    TReferencesScope none("");
    auto check = KindFromText<TOSDCheckerControl>(XmlLines({
        "<item>",
        "  <type>checkmark</type>",
        "  <x>4</x>",
        "  <width>70</width>",
        "  <height>18</height>",
        "  <subcontrols><control><description>imgcheckmark</description><texture>missing.png</texture>"
        "<width>12</width></control></subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->GetX(), 4);
    EXPECT_EQ(check->GetWidth(), 70);
    EXPECT_EQ(check->GetHeight(), 18);
    EXPECT_EQ(check->GetImagewidth(), 12);
}

}  // namespace
