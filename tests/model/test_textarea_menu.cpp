// The text box and the menu: exact XML with the built-in references and without, the menu's own
// values written whatever the reference says, the item button's place.
#include "skinmodel/controls/MenuControl.h"
#include "skinmodel/controls/TextArea.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

VARNHOLT_ROUND_TRIP_TEST(Textbox, "textbox")
VARNHOLT_ROUND_TRIP_TEST(Menu, "menu")

TEST(Textbox, EqualToTheReferenceKeepsOnlyTheSpinPart)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDTextArea>("<item><type>textbox</type><TEXTCOLOR>FFFFFFFF</TEXTCOLOR></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->FontName, "font13");
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <description>default textarea</description>
  <type>textbox</type>
  <width>410</width>
  <height>300</height>
  <up>3</up>
  <down>5</down>
  <left>4</left>
  <right>4</right>
  <subcontrols>
    <control>
      <description>upDown</description>
      <type>Spincontrol</type>
      <up>1</up>
      <subtype>int</subtype>
    </control>
  </subcontrols>
</item>
)"));
    c->Textcolor = 0x80102030u;
    c->Standalone = true;
    const std::string text = SavedItem(*c);
    EXPECT_NE(text.find("  <textColor>80102030</textColor>\n  <standalone>true</standalone>\n"), std::string::npos)
        << text;
}

TEST(Textbox, WithoutReference)
{
    TReferencesScope none("");
    TOSDTextArea c(nullptr);
    c.LabelText = "Hello";
    EXPECT_EQ(SavedItem(c), Lines(R"(
<item>
  <type>textbox</type>
  <label>Hello</label>
  <textColor>FFFFFFFF</textColor>
  <align>left</align>
  <enableupdown>false</enableupdown>
  <space>0</space>
  <subcontrols>
    <control>
      <description>upDown</description>
      <type>Spincontrol</type>
      <subtype>int</subtype>
      <textcolor>FFFFFFFF</textcolor>
      <textselectedcolor>FFFFFFFF</textselectedcolor>
    </control>
  </subcontrols>
</item>
)"));
    // Without a reference a set "standalone" is still written, or a reload would lose it.
    c.Standalone = true;
    EXPECT_NE(SavedItem(c).find("<standalone>true</standalone>"), std::string::npos);
    PaintPreview(c, 64, 64, "textbox");
}

TEST(Menu, WritesItsOwnValuesWhateverTheReference)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDMenuControl>("<item><type>menu</type></item>");
    ASSERT_TRUE(c);
    // "SmallFont" and "SelectedColor" come from the element alone.
    EXPECT_EQ(c->SmallFont, "");
    EXPECT_EQ(c->SelectedColor, 0u);
    EXPECT_TRUE(c->UseHotZones);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>Menu</type>
  <width>284</width>
  <height>309</height>
  <Space>4</Space>
  <UseHotzones>true</UseHotzones>
  <DoAlpha>true</DoAlpha>
  <WidthOffset>4</WidthOffset>
  <XOffset>4</XOffset>
  <SelectedColor>00000000</SelectedColor>
  <subcontrols>
    <control>
      <description>Button</description>
      <type>Button</type>
      <width>276</width>
      <subcontrols>
        <control>
          <description>imgfocus</description>
          <type>Image</type>
          <width>276</width>
          <height>32</height>
        </control>
        <control>
          <description>imgnofocus</description>
          <type>Image</type>
          <width>276</width>
          <height>32</height>
        </control>
        <control>
          <description>buttonlabel</description>
          <type>Label</type>
          <width>266</width>
          <height>32</height>
          <label>-</label>
        </control>
      </subcontrols>
    </control>
    <control>
      <description>image</description>
      <type>Image</type>
    </control>
  </subcontrols>
</item>
)"));
    auto small = KindFromText<TOSDMenuControl>("<item><type>menu</type><SmallFont>font9</SmallFont></item>");
    EXPECT_NE(SavedItem(*small).find("  <SmallFont>font9</SmallFont>\n  <UseHotzones>"), std::string::npos);
}

TEST(Menu, ItemButtonLayout)
{
    TOSDMenuControl c(nullptr);
    c.SetLocation({10, 20, 210, 220});
    c.Button->SetHeight(32);
    c.LayoutParts();
    EXPECT_EQ(c.Background->Location(), (TFloatRect{10, 20, 210, 220}));
    EXPECT_EQ(c.Button->Location(), (TFloatRect{14, 20, 206, 52}));
    EXPECT_EQ(c.Button->GetWidth(), 192);
    PaintPreview(c, 220, 230, "menu");
}

TEST(Menu, ChildWithoutDescriptionTakesThePreviousRole)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDMenuControl>(R"(<item><type>menu</type><subcontrols>
      <control><description>Image</description><texture>a.png</texture></control>
      <control><texture>b.png</texture></control>
      <control><description>BUTTON</description><TextOffsetX>2</TextOffsetX></control>
    </subcontrols></item>)");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Background->FileName, "b.png");
    EXPECT_EQ(c->Button->TextOffsetX, 2);
    EXPECT_EQ(c->Button->LabelControl->LabelText, "-");
}

TEST(Menu, HugeOffsetsPaintNothingBeyondTheBuffer)
{
    TOSDMenuControl c(nullptr);
    c.SetLocation({0, 0, 100, 100});
    c.XOffset = 2147483647;
    c.WidthOffset = 2147483647;
    c.LayoutParts();
    EXPECT_EQ(c.Button->GetX(), 2147483647);
    PaintPreview(c, 64, 64, "menu_huge");
}

TEST(Menu, WithoutReferenceNothingIsRemoved)
{
    TReferencesScope none("");
    TOSDMenuControl c(nullptr);
    EXPECT_EQ(SavedItem(c), Lines(R"(
<item>
  <type>Menu</type>
  <Space>4</Space>
  <UseHotzones>true</UseHotzones>
  <DoAlpha>true</DoAlpha>
  <WidthOffset>4</WidthOffset>
  <XOffset>4</XOffset>
  <SelectedColor>00000000</SelectedColor>
  <subcontrols>
    <control>
      <description>Button</description>
      <type>Button</type>
      <TextOffsetX>10</TextOffsetX>
      <subcontrols>
        <control>
          <description>buttonlabel</description>
          <type>Label</type>
          <label>-</label>
        </control>
      </subcontrols>
    </control>
    <control>
      <description>image</description>
      <type>Image</type>
    </control>
  </subcontrols>
</item>
)"));
    // A set "standalone" is written without a reference too, or a reload would lose it.
    c.Standalone = true;
    EXPECT_NE(SavedItem(c).find("  <SelectedColor>00000000</SelectedColor>\n  <standalone>true</standalone>\n"),
              std::string::npos);
}
