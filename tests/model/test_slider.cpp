#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/Slider.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// The label is never placed, and the label reader turns a height of 0 into 24.
VARNHOLT_ROUND_TRIP_TEST_SKIPPING(Slider, "slider", "LabelControl.Height")

TEST(Slider, ConstructorGivesTheLabelAShadow)
{
    TOSDSlider slider(nullptr);
    EXPECT_EQ(slider.UpDownType, spInteger);
    EXPECT_TRUE(slider.LabelControl->Shadow);
    EXPECT_EQ(slider.LabelControl->ShadowX, 2);
    EXPECT_EQ(slider.LabelControl->ShadowY, 2);
    EXPECT_EQ(slider.LabelControl->DisabledColor, 0xFF606060u);
}

class SliderWithPictures : public KindTest {};

TEST_F(SliderWithPictures, SizeFollowsTheTrackPicture)
{
    WriteProjectFile("images/track.png", SolidPng(200, 20, QColor(80, 80, 160)));
    WriteProjectFile("images/knob.png", SolidPng(10, 20, QColor(240, 240, 240)));
    auto slider = KindFromText<TOSDSlider>(XmlLines({
        "<item>",
        "  <type>slider</type>",
        "  <x>20</x>",
        "  <y>10</y>",
        "  <width>300</width>",
        "  <height>50</height>",
        "  <subcontrols>",
        "    <control><description>Background</description><type>Image</type><texture>track.png</texture></control>",
        "    <control><description>Mid</description><type>Image</type><texture>knob.png</texture></control>",
        "  </subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->GetWidth(), 200);
    EXPECT_EQ(slider->GetHeight(), 20);
    const QImage image = PaintPreview(*slider, 240, 40, "slider").Image();
    EXPECT_EQ(image.pixelColor(30, 15), QColor(80, 80, 160));
    EXPECT_EQ(image.pixelColor(125, 15), QColor(240, 240, 240)) << "the middle picture from the centre on";
    EXPECT_EQ(image.pixelColor(115, 15), QColor(80, 80, 160));
}

TEST(Slider, MiddlePictureStartsAtTheCentre)
{
    TOSDSlider slider(nullptr);
    slider.SetLocation({100, 5, 300, 25});
    slider.ImageMiddle->SetWidth(57);
    slider.ImageMiddleFocus->SetLocation({1, 1, 2, 2});
    slider.LayoutParts();
    EXPECT_EQ(slider.ImageBackground->Location(), (TFloatRect{100, 5, 300, 25}));
    EXPECT_EQ(slider.ImageMiddle->Location(), (TFloatRect{200, 5, 257, 25}));
    EXPECT_EQ(slider.ImageMiddleFocus->Location(), (TFloatRect{1, 1, 2, 2}));
    EXPECT_EQ(slider.LabelControl->Location(), TFloatRect{});
}

struct TSubtypeCase {
    const char* element;   // the "subtype" child, or nothing
    TSpinType loaded;
    const char* written;
};

class SliderSubtype : public ::testing::TestWithParam<TSubtypeCase> {};

TEST_P(SliderSubtype, ReadAndWritten)
{
    // The reference says "int"; the item's own element decides.
    TReferencesScope refs(BuiltInReferencesText());
    auto slider = KindFromText<TOSDSlider>(
        XmlLines({"<item>", "  <type>slider</type>", GetParam().element, "</item>"}));
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->UpDownType, GetParam().loaded);
    EXPECT_EQ(SaveElement(*slider).Child("subtype"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Table, SliderSubtype,
                         ::testing::Values(TSubtypeCase{"", spAlphanum, "string"},
                                           TSubtypeCase{"<subtype>Float</subtype>", spFloat, "float"},
                                           TSubtypeCase{"<subtype>INT</subtype>", spInteger, "int"},
                                           TSubtypeCase{"<subtype>text</subtype>", spAlphanum, "string"}));

TEST(Slider, WithReferenceEqualPartsLeaveAnEmptySubcontrols)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto slider = KindFromText<TOSDSlider>(XmlLines({"<item>", "  <type>slider</type>", "</item>"}));
    ASSERT_TRUE(slider);
    EXPECT_EQ(SavedControlText(*slider), XmlLines({
                                      "<item>",
                                      "  <description>Slider</description>",
                                      "  <type>Slider</type>",
                                      "  <up>10</up>",
                                      "  <down>704</down>",
                                      "  <left>700</left>",
                                      "  <right>700</right>",
                                      "  <subtype>string</subtype>",
                                      "  <subcontrols/>",
                                      "</item>",
                                  }));
}

TEST(Slider, WithReferenceTheTrackStillCarriesItsPlace)
{
    // The track is written as a control of its own also against a reference, so its place keeps
    // its element; the other parts equal the reference's and are dropped.
    TReferencesScope refs(BuiltInReferencesText());
    auto slider = KindFromText<TOSDSlider>(
        XmlLines({"<item>", "  <type>slider</type>", "  <x>30</x>", "  <y>5</y>", "</item>"}));
    ASSERT_TRUE(slider);
    EXPECT_EQ(SavedControlText(*slider), XmlLines({
                                             "<item>",
                                             "  <description>Slider</description>",
                                             "  <type>Slider</type>",
                                             "  <x>30</x>",
                                             "  <y>5</y>",
                                             "  <up>10</up>",
                                             "  <down>704</down>",
                                             "  <left>700</left>",
                                             "  <right>700</right>",
                                             "  <subtype>string</subtype>",
                                             "  <subcontrols>",
                                             PartLines("Background", "Image", {{"x", "30"}, {"y", "5"}}),
                                             "  </subcontrols>",
                                             "</item>",
                                         }));
}

TEST(Slider, WithoutReferencesAllFourPartsAndTheTracksPlace)
{
    TReferencesScope none("");
    TOSDSlider slider(nullptr);
    slider.SetLocation({30, 40, 130, 60});
    slider.ImageMiddle->SetWidth(8);
    slider.LabelControl->SetHeight(16);
    EXPECT_EQ(SavedControlText(slider), XmlLines({
                                     "<item>",
                                     "  <type>Slider</type>",
                                     "  <x>30</x>",
                                     "  <y>40</y>",
                                     "  <width>100</width>",
                                     "  <height>20</height>",
                                     "  <subtype>int</subtype>",
                                     "  <subcontrols>",
                                     PartLines("Background", "Image",
                                               {{"x", "30"}, {"y", "40"}, {"width", "100"}, {"height", "20"}}),
                                     PartLines("MidFocus", "Image"),
                                     PartLines("Mid", "Image", {{"width", "8"}, {"height", "20"}}),
                                     PartLines("Label", "Label",
                                               {{"height", "16"}, {"shadowX", "2"}, {"shadowY", "2"},
                                                {"shadow", "true"}, {"Shadowcolor", "FF000000"}}),
                                     "  </subcontrols>",
                                     "</item>",
                                 }));
}

TEST(Slider, RolesInAnyCase)
{
    TReferencesScope none("");
    auto slider = KindFromText<TOSDSlider>(XmlLines({
        "<item>",
        "  <type>slider</type>",
        "  <subcontrols>",
        "    <control><description>MIDFOCUS</description><texture>f.png</texture></control>",
        "    <control><description>mid</description><texture>m.png</texture></control>",
        "    <control><description>thumb</description><texture>t.png</texture></control>",
        "  </subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->ImageMiddleFocus->FileName, "f.png");
    EXPECT_EQ(slider->ImageMiddle->FileName, "m.png");
    EXPECT_EQ(slider->ImageBackground->FileName, "");
}

}  // namespace
