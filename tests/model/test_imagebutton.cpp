#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageButton.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// IconImageWidth and IconImageHeight are never stored in a file; the second label is never
// placed, and the label reader turns a height of 0 into 24.
VARNHOLT_ROUND_TRIP_TEST_SKIPPING(ImageButton, "button3part", "IconImageWidth", "IconImageHeight", "LabelControl2.Height")

// A 64 by 30 button at (10, 20) with a 10-pixel left end and a 12-pixel right end.
std::unique_ptr<TOSDImageButton> SampleButton()
{
    auto button = std::make_unique<TOSDImageButton>(nullptr);
    button->SetLocation({10, 20, 74, 50});
    button->ImageFocusLeft->SetWidth(10);
    button->ImageFocusRight->SetWidth(12);
    return button;
}

TEST(ImageButton, LayoutSpansTheMiddleBetweenTheEnds)
{
    auto button = SampleButton();
    button->LayoutParts();
    EXPECT_EQ(button->ImageFocusLeft->Location(), (TFloatRect{10, 20, 20, 50}));
    EXPECT_EQ(button->ImageFocusRight->Location(), (TFloatRect{62, 20, 74, 50}));
    EXPECT_EQ(button->ImageFocusMiddle->Location(), (TFloatRect{20, 20, 62, 50}));
    EXPECT_EQ(button->ImageFocusMiddle->GetWidth(), 42);
    EXPECT_EQ(button->LabelControl1->Location(), (TFloatRect{20, 22, 74, 50})) << "inset by 10 and 2";
    EXPECT_EQ(button->IconImage->Location(), TFloatRect{});
    EXPECT_EQ(button->LabelControl2->Location(), TFloatRect{});
}

TEST(ImageButton, EndsWiderThanTheButtonLeaveAnEmptyMiddle)
{
    TOSDImageButton button(nullptr);
    button.SetLocation({10, 10, 30, 30});
    button.ImageFocusLeft->SetWidth(15);
    button.ImageFocusRight->SetWidth(15);
    TBitmap32 buffer(40, 40);
    button.Paint(buffer);
    EXPECT_EQ(button.ImageFocusMiddle->Location(), (TFloatRect{25, 10, 25, 30}));
    EXPECT_EQ(button.ImageFocusMiddle->GetWidth(), 0);
}

TEST(ImageButton, WithoutReferencesEveryPartIsAFullControl)
{
    TReferencesScope none("");
    auto button = SampleButton();
    button->ImageNoFocusLeft->SetLocation({3, 4, 13, 34});
    button->ImageNoFocusLeft->ControlUp = 9;
    button->LabelControl2->SetHeight(15);
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                      "<item>",
                                      "  <type>button3part</type>",
                                      "  <x>10</x>",
                                      "  <y>20</y>",
                                      "  <width>64</width>",
                                      "  <height>30</height>",
                                      "  <TextOffsetX1>10</TextOffsetX1>",
                                      "  <TextOffsetY1>2</TextOffsetY1>",
                                      "  <TextOffsetX2>10</TextOffsetX2>",
                                      "  <TextOffsetY2>2</TextOffsetY2>",
                                      "  <IconOffsetX>-1</IconOffsetX>",
                                      "  <IconOffsetY>-1</IconOffsetY>",
                                      "  <subcontrols>",
                                      PartLines("imgicon", "Image"),
                                      PartLines("imgNoFocusRight", "Image"),
                                      PartLines("imgFocusRight", "Image",
                                                {{"x", "62"}, {"y", "20"}, {"width", "12"}, {"height", "30"}}),
                                      PartLines("imgNoFocusMid", "Image",
                                                {{"graphicstyp", "tile_image"}, {"direction", "0"}}),
                                      PartLines("imgFocusMid", "Image",
                                                {{"x", "20"}, {"y", "20"}, {"width", "42"}, {"height", "30"},
                                                 {"graphicstyp", "tile_image"}, {"direction", "0"}}),
                                      PartLines("imgNoFocusLeft", "Image",
                                                {{"x", "3"}, {"y", "4"}, {"width", "10"}, {"height", "30"},
                                                 {"up", "9"}}),
                                      PartLines("imgFocusLeft", "Image",
                                                {{"x", "10"}, {"y", "20"}, {"width", "10"}, {"height", "30"}}),
                                      PartLines("buttonlabel1", "Label",
                                                {{"x", "20"}, {"y", "22"}, {"width", "54"}, {"height", "28"}}),
                                      PartLines("buttonlabel2", "Label", {{"height", "15"}}),
                                      "  </subcontrols>",
                                      "</item>",
                                  }));
}

TEST(ImageButton, EqualToReferenceKeepsAnEmptySubcontrols)
{
    TReferencesScope refs(
        "<controls><control><type>button3part</type><TextOffsetX1>0</TextOffsetX1><TextOffsetY1>0</TextOffsetY1>"
        "<TextOffsetX2>3</TextOffsetX2><TextOffsetY2>4</TextOffsetY2><IconOffsetX>1</IconOffsetX>"
        "<IconOffsetY>2</IconOffsetY></control></controls>");
    auto button = KindFromText<TOSDImageButton>(XmlLines({"<item>", "  <type>button3part</type>", "  <x>7</x>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                      "<item>",
                                      "  <type>button3part</type>",
                                      "  <x>7</x>",
                                      "  <subcontrols/>",
                                      "</item>",
                                  }));
}

TEST(ImageButton, OffsetsFromTheBuiltInReference)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto button = KindFromText<TOSDImageButton>(XmlLines({"<item>", "  <type>button3part</type>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->TextOffsetX1, 5);
    EXPECT_EQ(button->TextOffsetY1, 5);
    EXPECT_EQ(button->TextOffsetX2, 5);
    EXPECT_EQ(button->TextOffsetY2, 26);
    EXPECT_EQ(button->IconImageOffsetX, -1);
    EXPECT_EQ(button->IconImageOffsetY, -1);
    EXPECT_EQ(button->ImageFocusLeft->FileName, "button_selected_left.png") << "the part without a type";
    const TSavedElement saved = SaveElement(*button);
    for (const char* name : {"TextOffsetX1", "TextOffsetY1", "TextOffsetX2", "TextOffsetY2", "IconOffsetX", "IconOffsetY"})
        EXPECT_EQ(saved.Child(name), "(none)") << name;
}

class LeftEndRole : public ::testing::TestWithParam<const char*> {};

TEST_P(LeftEndRole, ReadInAnyCaseWrittenInMixedCase)
{
    TReferencesScope none("");
    auto button = KindFromText<TOSDImageButton>(XmlLines({
        "<item>",
        "  <type>button3part</type>",
        std::string("  <subcontrols><control><description>") + GetParam() +
            "</description><texture>l.png</texture></control></subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->ImageFocusLeft->FileName, "l.png");
    const std::string text = SavedControlText(*button);
    EXPECT_NE(text.find("<description>imgFocusLeft</description>"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, LeftEndRole, ::testing::Values("imgFocusLeft", "IMGFOCUSLEFT", "imgfocusleft"));

TEST(ImageButton, IconSizeIsNeverStored)
{
    TReferencesScope none("");
    TOSDImageButton button(nullptr);
    button.IconImageWidth = 40;
    button.IconImageHeight = 30;
    const std::string text = SavedControlText(button);
    EXPECT_EQ(text.find("40"), std::string::npos);
    auto again = KindFromText<TOSDImageButton>(text);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->IconImageWidth, -1);
    EXPECT_EQ(again->IconImageHeight, -1);
}

class ImageButtonPreview : public KindTest {};

TEST_F(ImageButtonPreview, FocusedEndsMiddleAndFirstText)
{
    WriteProjectFile("images/left.png", SolidPng(4, 4, QColor(200, 60, 60)));
    WriteProjectFile("images/mid.png", SolidPng(4, 4, QColor(60, 200, 60)));
    WriteProjectFile("images/right.png", SolidPng(4, 4, QColor(60, 60, 200)));
    TOSDImageButton button(nullptr);
    button.SetLocation({10, 10, 170, 50});
    button.ImageFocusLeft->SetFileName("left.png");
    button.ImageFocusLeft->SetWidth(12);
    button.ImageFocusMiddle->SetFileName("mid.png");
    button.ImageFocusRight->SetFileName("right.png");
    button.ImageFocusRight->SetWidth(12);
    button.LabelControl1->SetLabelText("Three parts");
    button.LabelControl2->SetLabelText("never shown");
    const QImage image = PaintPreview(button, 180, 60, "button3part").Image();
    EXPECT_EQ(image.pixelColor(12, 30), QColor(200, 60, 60));
    EXPECT_EQ(image.pixelColor(165, 30), QColor(60, 60, 200));
    EXPECT_EQ(image.pixelColor(25, 15), QColor(60, 200, 60)) << "above the inset text";
}

}  // namespace
