// The numeric input and the edit field: exact XML with and without references, the label inset,
// the edit field's preview.
#include "skinmodel/controls/EditControl.h"
#include "skinmodel/controls/NumInput.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

VARNHOLT_ROUND_TRIP_TEST(NumInput, "numinput")
VARNHOLT_ROUND_TRIP_TEST(Edit, "edit")

namespace {

const char* const InputReferences = R"(<?xml version="1.0"?>
<controls>
  <control><type>numinput</type><TextOffset>7</TextOffset><digits>5</digits></control>
  <control><type>edit</type><font>font13</font><textcolor>FF00FF00</textcolor></control>
</controls>)";

}  // namespace

TEST(NumInput, WithoutReferenceWritesOffsetAndDigits)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDNumInputControl>(
        "<item><type>numinput</type><x>10</x><y>20</y><width>100</width><height>30</height>"
        "<digits>3</digits><subcontrols><control><description>buttonlabel</description><label>42</label>"
        "</control></subcontrols></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->TypeName(), "NumInput");
    EXPECT_EQ(c->CharCount, 3);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>NumInput</type>
  <x>10</x>
  <y>20</y>
  <width>100</width>
  <height>30</height>
  <TextOffset>4</TextOffset>
  <digits>3</digits>
  <subcontrols>
    <control>
      <description>imgfocus</description>
      <type>Image</type>
      <width>100</width>
      <height>30</height>
    </control>
    <control>
      <description>imgnofocus</description>
      <type>Image</type>
      <width>100</width>
      <height>30</height>
    </control>
    <control>
      <description>buttonlabel</description>
      <type>Label</type>
      <width>96</width>
      <height>30</height>
      <label>42</label>
    </control>
  </subcontrols>
</item>
)"));
}

TEST(NumInput, DefaultWithoutReference)
{
    // The three parts of an empty field write nothing but their roles and are dropped.
    TReferencesScope none("");
    TOSDNumInputControl c(nullptr);
    EXPECT_EQ(SavedItem(c), Lines(R"(
<item>
  <type>NumInput</type>
  <TextOffset>4</TextOffset>
  <digits>0</digits>
</item>
)"));
}

TEST(NumInput, WithReferenceDigitsAlwaysOffsetWhenItDiffers)
{
    TReferencesScope refs(InputReferences);
    auto same = KindFromText<TOSDNumInputControl>("<item><type>numinput</type></item>");
    ASSERT_TRUE(same);
    EXPECT_EQ(same->TextOffset, 7);
    // The label sits 7 pixels in from the empty rectangle's left edge; that width of -7 is the
    // layout's, which a reload gives back, so it is not written.
    EXPECT_EQ(SavedItem(*same), Lines(R"(
<item>
  <type>NumInput</type>
  <digits>5</digits>
</item>
)"));
    EXPECT_EQ(same->LabelControl->GetWidth(), -7);
    same->TextOffset = 9;
    EXPECT_NE(SavedItem(*same).find("<TextOffset>9</TextOffset>"), std::string::npos);
}

TEST(NumInput, PartsThatWriteNothingLeaveNoSubcontrols)
{
    TReferencesScope refs(R"(<controls><control><type>numinput</type><width>100</width><height>30</height>
      <subcontrols>
        <control><description>imgfocus</description><type>Image</type><width>100</width><height>30</height></control>
        <control><description>imgnofocus</description><type>Image</type><width>100</width><height>30</height></control>
        <control><description>buttonlabel</description><type>Label</type><width>96</width><height>30</height></control>
      </subcontrols></control></controls>)");
    auto c = KindFromText<TOSDNumInputControl>("<item><type>numinput</type></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>NumInput</type>
  <width>100</width>
  <height>30</height>
  <digits>0</digits>
</item>
)"));
}

TEST(NumInput, OffsetInsetsOnlyALeftAlignedLabel)
{
    struct Case {
        StringAlignment align;
        float labelLeft;
    };
    for (const Case k : {Case{StringAlignmentNear, 14}, Case{StringAlignmentCenter, 10}, Case{StringAlignmentFar, 10}}) {
        TOSDNumInputControl c(nullptr);
        c.SetLocation({10, 5, 110, 35});
        c.LabelControl->TextAlign = k.align;
        c.LayoutParts();
        EXPECT_EQ(c.LabelControl->Location(), (TFloatRect{k.labelLeft, 5, 110, 35}));
        EXPECT_EQ(c.ImageFocus->Location(), (TFloatRect{10, 5, 110, 35}));
        EXPECT_EQ(c.ImageNoFocus->Location(), (TFloatRect{10, 5, 110, 35}));
    }
}

TEST(NumInput, PublishedLabelTextIsThePartsText)
{
    TOSDNumInputControl c(nullptr);
    c.LabelText = "own";
    auto props = c.PublishedProperties();
    FindProperty(props, "LabelText")->Set(std::string("123"));
    EXPECT_EQ(c.LabelControl->LabelText, "123");
    EXPECT_EQ(c.LabelText, "own");
    std::vector<std::string> names;
    for (const TPropInfo& p : props)
        names.push_back(p.Name);
    const std::vector<std::string> own(names.begin() + 9, names.end());
    EXPECT_EQ(own, (std::vector<std::string>{"CharCount", "ControlDown", "ControlLeft", "ControlRight", "ControlUp",
                                             "LabelControl", "LabelText", "TextOffset", "ImageFocus", "ImageNoFocus"}));
}

TEST(Edit, DefaultsWrittenAlwaysNeverComparedWithAReference)
{
    for (bool refs : {false, true}) {
        TReferencesScope scope(refs ? InputReferences : "");
        TOSDEdit c(nullptr);
        EXPECT_EQ(SavedItem(c), Lines(R"(
<item>
  <type>Edit</type>
  <textcolor>FFFFFFFF</textcolor>
  <backgroundcolor>00000000</backgroundcolor>
</item>
)"));
        auto loaded = KindFromText<TOSDEdit>("<item><type>edit</type><font>f</font></item>", true);
        EXPECT_EQ(loaded->FontName, "f");
        EXPECT_EQ(loaded->TextColor, refs ? 0xFF00FF00u : 0xFFFFFFFFu);
    }
}

TEST(Edit, PreviewFillsWithTheBackgroundAndWritesTheDescription)
{
    TOSDEdit c(nullptr);
    c.SetLocation({10, 10, 110, 40});
    TBitmap32 plain = PaintPreview(c, 120, 50, "edit_default");
    // Alpha 0: nothing filled; the text is white.
    EXPECT_EQ(plain.Image().pixel(12, 12), 0xFF202020u);
    bool white = false;
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 110; ++x)
            white = white || plain.Image().pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_TRUE(white);
    c.BackgroundColor = 0xFF0000FFu;
    c.Description = "Name";
    TBitmap32 filled = PaintPreview(c, 120, 50, "edit_filled");
    EXPECT_EQ(filled.Image().pixel(12, 12), 0xFF0000FFu);
    EXPECT_EQ(filled.Image().pixel(5, 5), 0xFF202020u);
    EXPECT_EQ(filled.ChangedAreas().back(), QRect(10, 10, 100, 30));
}

TEST(Edit, HugeAndInvertedRectanglesPaintOnlyTheBuffer)
{
    TOSDEdit c(nullptr);
    c.BackgroundColor = 0xFF00FF00u;
    c.SetLocation({-1e8f, -1e8f, 1e8f, 1e8f});
    TBitmap32 huge = PaintPreview(c, 64, 64, "edit_huge");
    EXPECT_EQ(huge.Image().pixel(0, 0), 0xFF00FF00u);
    c.SetLocation({50, 50, 10, 10});
    TBitmap32 inverted = PaintPreview(c, 64, 64, "edit_inverted");
    EXPECT_EQ(inverted.Image().pixel(30, 30), 0xFF202020u);
}
