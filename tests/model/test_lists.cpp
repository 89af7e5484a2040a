// The list and the TV list: exact XML with the built-in references and without, the item button
// layout, the spin part's navigation, the roles in any case.
#include "skinmodel/controls/ListControls.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

VARNHOLT_ROUND_TRIP_TEST(List, "listcontrol")
VARNHOLT_ROUND_TRIP_TEST(TVList, "tvlistcontrol")

namespace {

const char* const ListItem = "<item><type>listcontrol</type></item>";

}  // namespace

TEST(List, EqualToTheReferenceWritesNoOwnValue)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDList>(ListItem);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ItemHeight, 30);
    EXPECT_EQ(c->UpDown->ControlRight, 10);
    // The item button differs from the reference's (one item high); the spin part is always
    // written, its navigation cleared and left out, and its pictures, laid out by the spin part,
    // equal the reference's.
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <description>default listcontrol</description>
  <type>Listcontrol</type>
  <width>425</width>
  <height>459</height>
  <up>9</up>
  <down>11</down>
  <left>10</left>
  <right>10</right>
  <subcontrols>
    <control>
      <description>Button</description>
      <type>Button</type>
      <height>30</height>
      <subcontrols>
        <control>
          <description>imgfocus</description>
          <type>Image</type>
          <height>30</height>
        </control>
        <control>
          <description>imgnofocus</description>
          <type>Image</type>
          <height>30</height>
        </control>
        <control>
          <description>buttonlabel</description>
          <type>Label</type>
          <height>30</height>
          <label>-</label>
        </control>
      </subcontrols>
    </control>
    <control>
      <description>upDown</description>
      <type>Spincontrol</type>
      <subtype>int</subtype>
    </control>
  </subcontrols>
</item>
)"));
    EXPECT_EQ(c->UpDown->ControlRight, 0);
    EXPECT_EQ(c->UpDown->ControlDown, 0);
    EXPECT_EQ(c->Button->Description, "Button");
    EXPECT_EQ(c->UpDown->Description, "upDown");
    // Read again, the spin part has the reference's navigation, and the next save clears it the
    // same way: the bytes stay the same.
    const std::string text = SavedItem(*c);
    auto again = KindFromText<TOSDList>(text);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->UpDown->ControlUp, 1);
    EXPECT_EQ(again->UpDown->ControlDown, -1);
    EXPECT_EQ(again->UpDown->ControlRight, 10);
    EXPECT_EQ(SavedItem(*again), text);
}

TEST(List, SpinNavigationAgainstTheReference)
{
    // A value the user set in the spin part is cleared by the save and written by no rule; a
    // negative one is cleared too.
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDList>(ListItem);
    ASSERT_TRUE(c);
    c->UpDown->ControlUp = 7;
    c->UpDown->ControlLeft = -4;
    const std::string text = SavedItem(*c);
    EXPECT_EQ(text.find("<up>7</up>"), std::string::npos) << text;
    EXPECT_EQ(text.find("<left>-4</left>"), std::string::npos) << text;
    EXPECT_EQ(c->UpDown->ControlUp, 0);
    EXPECT_EQ(c->UpDown->ControlLeft, 0);
}

TEST(List, WithoutReferenceEverythingIsWritten)
{
    TReferencesScope none("");
    TOSDList c(nullptr);
    c.FontName = "font13";
    c.Standalone = true;
    c.TextOffset_2_Y = -3;
    c.UpDown->ControlUp = 7;
    const std::string text = SavedItem(c);
    EXPECT_NE(text.find(Lines(R"(
  <type>Listcontrol</type>
  <font>font13</font>
  <textcolor>00000000</textcolor>
  <textcolor2>00000000</textcolor2>
  <textcolor3>00000000</textcolor3>
  <selectedcolor>00000000</selectedcolor>
  <selectedcolor2>00000000</selectedcolor2>
  <selectedcolor3>00000000</selectedcolor3>
  <ShadedColor>20FFFFFF</ShadedColor>
  <IconOffsetX>8</IconOffsetX>
  <IconOffsetY>5</IconOffsetY>
  <ImageWidth>16</ImageWidth>
  <ImageHeight>16</ImageHeight>
  <ItemHeight>0</ItemHeight>
  <standalone>true</standalone>
  <TextOffsetY2>-3</TextOffsetY2>
  <TextVisible>true</TextVisible>
  <TextVisible2>true</TextVisible2>
  <TextVisible3>true</TextVisible3>
  <keepaspectratio>true</keepaspectratio>
  <align1>center</align1>
  <space>4</space>
  <subcontrols>
)")), std::string::npos) << text;
    // Without a reference the spin part keeps its navigation.
    EXPECT_NE(text.find("      <up>7</up>\n"), std::string::npos) << text;
    EXPECT_EQ(c.UpDown->ControlUp, 7);
}

TEST(List, StandaloneAndOffsetsAgainstTheReference)
{
    TReferencesScope refs(R"(<controls><control><type>listcontrol</type><standalone>true</standalone>
      <TextOffsetX>5</TextOffsetX></control></controls>)");
    auto c = KindFromText<TOSDList>(ListItem);
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->Standalone);
    c->Standalone = false;
    c->TextOffset_1_X = 0;
    const std::string text = SavedItem(*c);
    // A reload would bring the reference's values back, so the cleared ones are named.
    EXPECT_NE(text.find("<standalone>false</standalone>"), std::string::npos) << text;
    EXPECT_NE(text.find("<TextOffsetX>0</TextOffsetX>"), std::string::npos) << text;
    auto again = KindFromText<TOSDList>(text);
    EXPECT_FALSE(again->Standalone);
    EXPECT_EQ(again->TextOffset_1_X, 0);
}

TEST(List, ItemButtonLayout)
{
    struct Case {
        TFloatRect list;
        int32_t itemHeight;
        TFloatRect button;
    };
    const Case cases[] = {
        {{10, 20, 110, 220}, 30, {10, 50, 110, 80}},
        {{10, 20, 110, 220}, 0, {10, 20, 110, 20}},
        {{0, 0, 50, 50}, -10, {0, -10, 50, -20}},
    };
    for (const Case& k : cases) {
        TOSDList c(nullptr);
        c.SetLocation(k.list);
        c.ItemHeight = k.itemHeight;
        c.LayoutParts();
        EXPECT_EQ(c.Button->Location(), k.button) << k.itemHeight;
    }
}

TEST(TVList, LayoutAndPartOrder)
{
    TReferencesScope none("");
    TOSDTVList c(nullptr);
    c.SetLocation({10, 20, 210, 320});
    c.ItemHeight = 25;
    c.TitleButton->SetHeight(40);
    c.LayoutParts();
    EXPECT_EQ(c.ImageBackgound->Location(), (TFloatRect{10, 20, 210, 320}));
    EXPECT_EQ(c.Button->Location(), (TFloatRect{10, 70, 210, 95}));
    EXPECT_EQ(c.TitleButton->Location(), (TFloatRect{10, 20, 210, 60}));
    const std::string text = SavedItem(c);
    const auto at = [&](const char* role) { return text.find(std::string("<description>") + role + "</description>"); };
    EXPECT_LT(at("Button"), at("upDown"));
    EXPECT_LT(at("upDown"), at("image"));
    EXPECT_LT(at("image"), at("titlebutton"));
    EXPECT_NE(text.find("<type>tvlistcontrol</type>"), std::string::npos);
    PaintPreview(c, 220, 330, "tvlist");
}

TEST(TVList, ComparedWithItsOwnTypesReference)
{
    // The built-in references have no "tvlistcontrol": every value and part is written.
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDTVList>("<item><type>tvlistcontrol</type></item>");
    ASSERT_TRUE(c);
    const std::string text = SavedItem(*c);
    EXPECT_NE(text.find("<ShadedColor>20FFFFFF</ShadedColor>"), std::string::npos) << text;
    EXPECT_NE(text.find("<description>image</description>\n      <type>Image</type>\n    </control>"), std::string::npos)
        << text;
    EXPECT_NE(text.find("<description>titlebutton</description>"), std::string::npos) << text;
}

TEST(TVList, RolesInAnyCaseAndOrder)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDTVList>(R"(<item><type>TVListControl</type><subcontrols>
      <control><description>TitleButton</description><TextOffsetX>3</TextOffsetX></control>
      <control><description>Image</description><texture>bg.png</texture></control>
      <control><description>UPDOWN</description><subtype>float</subtype></control>
      <control><subtype>float</subtype><textcolor>FF123456</textcolor></control>
      <control><description>Button</description><TextOffsetX>9</TextOffsetX></control>
    </subcontrols></item>)");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->TitleButton->TextOffsetX, 3);
    EXPECT_EQ(c->ImageBackgound->FileName, "bg.png");
    EXPECT_EQ(c->UpDown->UpDownType, spFloat);
    // Read by the spin part, as the child before it.
    EXPECT_EQ(c->UpDown->Textcolor, 0xFF123456u);
    EXPECT_EQ(c->Button->TextOffsetX, 9);
}

TEST(List, FirstChildWithoutDescriptionIsSkipped)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDList>(R"(<item><type>listcontrol</type><subcontrols>
      <control><subtype>float</subtype></control>
    </subcontrols></item>)");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->UpDown->UpDownType, spInteger);
}

TEST(List, HugeItemsPaintOnlyWhatIsVisible)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDList>(
        "<item><type>listcontrol</type><width>2000</width><height>2000</height><ItemHeight>100000</ItemHeight></item>");
    ASSERT_TRUE(c);
    PaintPreview(*c, 64, 64, "list_huge");
    c->ItemHeight = 2147483647;
    c->SetLocation({-1e9f, -1e9f, 1e9f, 1e9f});
    TBitmap32 buffer = PaintPreview(*c, 64, 64, "list_huge_items");
    EXPECT_FALSE(buffer.ChangedAreas().empty());
    TOSDTVList tv(nullptr);
    tv.ItemHeight = -2147483647 - 1;
    tv.SetLocation({0, 0, -50, -50});
    PaintPreview(tv, 64, 64, "tvlist_inverted");
    SavedItem(tv);
}

TEST(List, PartIdThatTheReferencesPartLacksIsWritten)
{
    // A part element that is there starts its id at 0; left out, the part keeps the reference
    // part's id. So an id of 0 against the reference's 77777 keeps the picture's element.
    TReferencesScope refs("<controls><control><type>listcontrol</type><subcontrols><control>"
                          "<description>upDown</description><subcontrols><control>"
                          "<description>imgspinUp</description><id>77777</id>"
                          "</control></subcontrols></control></subcontrols></control></controls>");
    auto c = KindFromText<TOSDList>("<item><type>listcontrol</type><subcontrols><control>"
                                    "<description>upDown</description><subcontrols><control>"
                                    "<description>imgspinUp</description>"
                                    "</control></subcontrols></control></subcontrols></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->UpDown->ImageUp->Control_ID, 0);
    const std::string text = SavedItem(*c);
    EXPECT_EQ(text, Lines(R"(
<item>
  <type>Listcontrol</type>
  <subcontrols>
    <control>
      <description>Button</description>
      <type>Button</type>
      <subcontrols>
        <control>
          <description>buttonlabel</description>
          <type>Label</type>
          <label>-</label>
        </control>
      </subcontrols>
    </control>
    <control>
      <description>upDown</description>
      <type>Spincontrol</type>
      <subcontrols>
        <control>
          <description>imgspinUp</description>
          <type>Image</type>
          <id>0</id>
        </control>
      </subcontrols>
    </control>
  </subcontrols>
</item>
)"));
    auto again = KindFromText<TOSDList>(text);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->UpDown->ImageUp->Control_ID, 0);
    EXPECT_EQ(SavedItem(*again), text);
}
