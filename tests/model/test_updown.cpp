// The spin control: its one-button Width and Height, the layout of its two buttons, its exact
// XML with and without references, and its edge cases.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/UpDownControl.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

namespace {

const char* const SpinReferences = R"(<?xml version="1.0"?>
<controls>
  <control>
    <type>spincontrol</type>
    <subtype>int</subtype>
    <orientation>vertical</orientation>
    <font>font13</font>
  </control>
</controls>)";

TFloatRect RectOf(TItemLayer& c)
{
    return c.Location();
}

}  // namespace

VARNHOLT_ROUND_TRIP_TEST(Spincontrol, "spincontrol")

TEST(UpDown, DefaultsAndPublishedOrder)
{
    TOSDUpDownControl c(nullptr);
    EXPECT_EQ(c.TypeName(), "Spincontrol");
    EXPECT_EQ(c.CharCount, -1);
    EXPECT_EQ(c.Direction, Horizontal);
    EXPECT_TRUE(c.ShowMax);
    EXPECT_EQ(c.UpDownType, spAlphanum);
    EXPECT_EQ(c.Textcolor, 0xFFFFFFFFu);
    std::vector<std::string> names;
    for (const TPropInfo& p : c.PublishedProperties())
        names.push_back(p.Name);
    const std::vector<std::string> expected = {
        "Control_ID", "Description", "Disabled", "DisabledColor", "Height", "Visible", "Width", "X", "Y",
        "ControlDown", "ControlLeft", "ControlRight", "ControlUp", "CharCount", "FontName", "Direction",
        "Toggle", "ShowMax", "TextAlignment", "Textcolor", "ImageDown", "ImageDownFocus", "ImageUp",
        "ImageUpFocus", "TextSelectedColor", "UpDownType"};
    EXPECT_EQ(names, expected);
    const auto props = c.PublishedProperties();
    EXPECT_EQ(FindProperty(props, "Direction")->EnumNames,
              (std::vector<std::string>{"Horizontal", "Vertical", "diagonalfw", "diagonalrev"}));
    EXPECT_EQ(FindProperty(props, "UpDownType")->EnumNames,
              (std::vector<std::string>{"spInteger", "spFloat", "spAlphanum"}));
    EXPECT_TRUE(FindProperty(props, "ImageUp")->ReadOnly());
}

TEST(UpDown, HorizontalCoversTwoButtonsAndWritesOne)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type><width>16</width><height>16</height></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(RectOf(*c), (TFloatRect{0, 0, 32, 16}));
    EXPECT_EQ(c->GetWidth(), 16);
    EXPECT_EQ(c->GetHeight(), 16);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>Spincontrol</type>
  <width>16</width>
  <height>16</height>
  <textcolor>FFFFFFFF</textcolor>
  <textselectedcolor>FFFFFFFF</textselectedcolor>
  <subcontrols>
    <control>
      <description>imgspinDown</description>
      <type>Image</type>
      <width>16</width>
      <height>16</height>
    </control>
    <control>
      <description>imgspinDownFocus</description>
      <type>Image</type>
      <width>16</width>
      <height>16</height>
    </control>
    <control>
      <description>imgspinUp</description>
      <type>Image</type>
      <width>16</width>
      <height>16</height>
    </control>
    <control>
      <description>imgspinUpFocus</description>
      <type>Image</type>
      <width>16</width>
      <height>16</height>
    </control>
  </subcontrols>
</item>
)"));
}

TEST(UpDown, BuiltInReferenceLeavesEverythingOut)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type></item>");
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->Toggle);
    EXPECT_EQ(c->FontName, "font13");
    EXPECT_EQ(RectOf(*c), (TFloatRect{0, 0, 32, 16}));
    // The common values compare with no reference on a page; the own values and the pictures do.
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <description>default spin control</description>
  <type>Spincontrol</type>
  <width>16</width>
  <height>16</height>
</item>
)"));
    // Saving twice gives the same text.
    EXPECT_EQ(SavedItem(*c), SavedItem(*c));
}

TEST(UpDown, VerticalInAnyPositionDoublesTheHeight)
{
    TReferencesScope none("");
    for (const char* text :
         {"<item><orientation>vertical</orientation><type>spincontrol</type><width>16</width><height>16</height></item>",
          "<item><type>spincontrol</type><width>16</width><height>16</height><orientation>VERTICAL</orientation></item>"}) {
        auto c = KindFromText<TOSDUpDownControl>(text);
        ASSERT_TRUE(c);
        EXPECT_EQ(RectOf(*c), (TFloatRect{0, 0, 16, 32})) << text;
        EXPECT_EQ(c->GetHeight(), 16);
    }
}

TEST(UpDown, WidthDropsTheRemainderAndSwitchingDirectionKeepsTheRectangle)
{
    TOSDUpDownControl c(nullptr);
    c.SetLocation({0, 0, 33, 16});
    EXPECT_EQ(c.GetWidth(), 16);
    c.Direction = Vertical;
    EXPECT_EQ(RectOf(c), (TFloatRect{0, 0, 33, 16}));
    EXPECT_EQ(c.GetWidth(), 33);
    EXPECT_EQ(c.GetHeight(), 8);
    c.Direction = diagonalfw;
    EXPECT_EQ(c.GetWidth(), 33);
    EXPECT_EQ(c.GetHeight(), 16);
    c.SetWidth(10);
    EXPECT_EQ(RectOf(c).Right, 10);
    // The whole extent rounds halves to even before it is halved.
    c.Direction = Vertical;
    c.SetLocation({0, 0, 32.5f, 65});
    EXPECT_EQ(c.GetWidth(), 32);
    EXPECT_EQ(c.GetHeight(), 32);
    c.SetLocation({0, 0, 33.5f, 10});
    EXPECT_EQ(c.GetWidth(), 34);
}

TEST(UpDown, ButtonLayoutRoundsHalvesToEven)
{
    struct Case {
        TeOrientation dir;
        TFloatRect rect;
        TFloatRect down, up;
    };
    const Case cases[] = {
        {Horizontal, {0, 0, 33, 10}, {0, 0, 16.5f, 10}, {16, 0, 32.5f, 10}},
        {Horizontal, {0, 0, 35, 10}, {0, 0, 17.5f, 10}, {18, 0, 35.5f, 10}},
        {Horizontal, {5, 2, 37, 18}, {5, 2, 21, 18}, {21, 2, 37, 18}},
        {Vertical, {0, 0, 10, 33}, {0, 16, 10, 32.5f}, {0, 0, 10, 16.5f}},
        {Vertical, {0, 0, 10, 35}, {0, 18, 10, 35.5f}, {0, 0, 10, 17.5f}},
        {diagonalrev, {0, 0, 10, 20}, {0, 10, 10, 20}, {0, 0, 10, 10}},
    };
    for (const Case& k : cases) {
        TOSDUpDownControl c(nullptr);
        c.Direction = k.dir;
        c.SetLocation(k.rect);
        c.LayoutParts();
        EXPECT_EQ(c.ImageDown->Location(), k.down) << int(k.dir) << " " << k.rect.Right << " " << k.rect.Bottom;
        EXPECT_EQ(c.ImageDownFocus->Location(), k.down);
        EXPECT_EQ(c.ImageUp->Location(), k.up) << int(k.dir) << " " << k.rect.Right << " " << k.rect.Bottom;
        EXPECT_EQ(c.ImageUpFocus->Location(), k.up);
    }
    // Painted, the halves round to even: 16.5 -> 16 and 32.5 -> 32.
    TOSDUpDownControl c(nullptr);
    c.SetLocation({0, 0, 33, 10});
    c.LayoutParts();
    EXPECT_EQ(c.ImageDown->PaintRect(), QRect(0, 0, 16, 10));
    EXPECT_EQ(c.ImageUp->PaintRect(), QRect(16, 0, 16, 10));
}

TEST(UpDown, InspectorMoveKeepsTheExtent)
{
    TOSDUpDownControl c(nullptr);
    c.SetWidth(16);
    c.SetHeight(16);
    auto props = c.PublishedProperties();
    FindProperty(props, "X")->Set(int64_t{100});
    FindProperty(props, "Y")->Set(int64_t{50});
    EXPECT_EQ(RectOf(c), (TFloatRect{100, 50, 132, 66}));
    EXPECT_EQ(c.GetWidth(), 16);
}

TEST(UpDown, DiagonalWritesNoOrientationAndComesBackAsTheReferenceSays)
{
    struct Case {
        const char* references;
        TeOrientation direction;
        TeOrientation back;
    };
    const Case cases[] = {
        {"", diagonalfw, Horizontal},
        {"", diagonalrev, Horizontal},
        {SpinReferences, diagonalfw, Vertical},
        {SpinReferences, diagonalrev, Vertical},
    };
    for (const Case& k : cases) {
        TReferencesScope refs(k.references);
        TOSDUpDownControl c(nullptr);
        c.Direction = k.direction;
        c.SetWidth(16);
        c.SetHeight(16);
        EXPECT_EQ(RectOf(c), (TFloatRect{0, 0, 16, 16}));
        const std::string text = SavedItem(c);
        EXPECT_EQ(text.find("<orientation>"), std::string::npos) << text;
        auto again = KindFromText<TOSDUpDownControl>(text);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->Direction, k.back) << int(k.direction) << "\n" << text;
    }
}

TEST(UpDown, OnlyHorizontalAndVerticalAreRead)
{
    TReferencesScope refs(SpinReferences);
    for (const char* word : {"diagonalfw", "DiagonalRev"}) {
        auto c = KindFromText<TOSDUpDownControl>(std::string("<item><type>spincontrol</type><orientation>") + word +
                                                 "</orientation></item>");
        ASSERT_TRUE(c);
        EXPECT_EQ(c->Direction, Vertical) << word;
    }
}

TEST(UpDown, HorizontalAgainstAVerticalReferenceIsNamed)
{
    TReferencesScope refs(SpinReferences);
    auto c = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type><orientation>horizontal</orientation></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Direction, Horizontal);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>Spincontrol</type>
  <orientation>horizontal</orientation>
</item>
)"));
}

TEST(UpDown, SubtypeIsResetByEveryElement)
{
    TReferencesScope refs(SpinReferences);
    auto c = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->UpDownType, spAlphanum);
    EXPECT_EQ(c->Direction, Vertical);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>Spincontrol</type>
</item>
)"));
    auto f = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type><subtype>Float</subtype></item>");
    EXPECT_EQ(f->UpDownType, spFloat);
    auto i = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type><subtype>int</subtype></item>");
    // Equal to the reference's, the subtype is written all the same.
    EXPECT_EQ(SavedItem(*i), Lines(R"(
<item>
  <type>Spincontrol</type>
  <subtype>int</subtype>
</item>
)"));
}

TEST(UpDown, SelectedColourFollowsTheTextColour)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDUpDownControl>("<item><type>spincontrol</type><textcolor>80FF0000</textcolor></item>");
    EXPECT_EQ(c->Textcolor, 0x80FF0000u);
    EXPECT_EQ(c->TextSelectedColor, 0x80FF0000u);
}

TEST(UpDown, OwnValuesInOrderWithoutReference)
{
    TReferencesScope none("");
    TOSDUpDownControl c(nullptr);
    c.UpDownType = spFloat;
    c.Toggle = true;
    c.ShowMax = false;
    c.CharCount = 3;
    c.FontName = "font9";
    c.Textcolor = 0x11223344u;
    c.TextSelectedColor = 0x55667788u;
    c.Direction = Vertical;
    c.TextAlignment = StringAlignmentFar;
    EXPECT_EQ(SavedItem(c), Lines(R"(
<item>
  <type>Spincontrol</type>
  <subtype>float</subtype>
  <reverse>true</reverse>
  <showrange>false</showrange>
  <digits>3</digits>
  <font>font9</font>
  <textcolor>11223344</textcolor>
  <textselectedcolor>55667788</textselectedcolor>
  <orientation>vertical</orientation>
  <align>right</align>
</item>
)"));
}

TEST(UpDown, PartRolesInAnyCase)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDUpDownControl>(R"(<item><type>spincontrol</type><subcontrols>
      <control><description>imgSpinUp</description><type>Image</type><texture>up.png</texture></control>
      <control><description>IMGSPINDOWNFOCUS</description><type>Image</type><texture>df.png</texture></control>
      <control><type>Image</type><colorkey>FF00FF00</colorkey></control>
      <control><description>other</description><texture>x.png</texture></control>
    </subcontrols></item>)");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ImageUp->FileName, "up.png");
    EXPECT_EQ(c->ImageDownFocus->FileName, "df.png");
    // A child without a description goes to the part the child before it selected.
    EXPECT_EQ(c->ImageDownFocus->Color, 0xFF00FF00u);
    EXPECT_EQ(c->ImageDown->FileName, "");
}

TEST(UpDown, PaintsBothButtonsAndReportsItsArea)
{
    TReferencesScope none("");
    TOSDUpDownControl c(nullptr);
    c.SetX(10);
    c.SetY(10);
    c.SetWidth(20);
    c.SetHeight(20);
    TBitmap32 buffer = PaintPreview(c, 60, 40, "updown_horizontal");
    ASSERT_FALSE(buffer.ChangedAreas().empty());
    EXPECT_EQ(buffer.ChangedAreas().back(), QRect(10, 10, 40, 20));
    c.Direction = Vertical;
    PaintPreview(c, 60, 60, "updown_vertical");
}

TEST(UpDown, InspectorDirectionKeepsTheRectangleUnlessAFileCouldNotHoldIt)
{
    struct Case {
        TeOrientation from, to;
        TFloatRect rect, after;
    };
    const Case cases[] = {
        {Horizontal, Vertical, {0, 0, 32, 16}, {0, 0, 32, 16}},
        {Vertical, diagonalfw, {0, 0, 16, 32}, {0, 0, 16, 32}},
        // One button 1500 high becomes a 3000-high button, which a file gives back as 24.
        {Vertical, Horizontal, {0, 0, 10, 3000}, {0, 0, 10, 2000}},
        {Horizontal, Vertical, {0, 0, 4000, 10}, {0, 0, 2000, 10}},
        {Horizontal, diagonalrev, {0, 0, -4000, 10}, {0, 0, -2000, 10}},
    };
    for (const Case& k : cases) {
        TOSDUpDownControl c(nullptr);
        c.Direction = k.from;
        c.SetLocation(k.rect);
        auto props = c.PublishedProperties();
        FindProperty(props, "Direction")->Set(int64_t{k.to});
        EXPECT_EQ(c.Direction, k.to);
        EXPECT_EQ(RectOf(c), k.after) << int(k.from) << "->" << int(k.to) << " " << k.rect.Right << " " << k.rect.Bottom;
    }
}
