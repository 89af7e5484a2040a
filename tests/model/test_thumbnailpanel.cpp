// The thumbnail panel: defaults, exact XML with the built-in references and without, the focused
// texture's place, and the spin part that is pruned like the pictures.
#include "skinmodel/controls/ImageList.h"
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

VARNHOLT_ROUND_TRIP_TEST(Thumbnailpanel, "thumbnailpanel")

TEST(Thumbnailpanel, Defaults)
{
    TOSDImageList c(nullptr);
    EXPECT_EQ(c.TypeName(), "Thumbnailpanel");
    EXPECT_EQ(c.ImageXSmall, 0);
    EXPECT_EQ(c.ImageYSmall, 0);
    EXPECT_EQ(c.ImageWidthSmall, 64);
    EXPECT_EQ(c.ImageHeightSmall, 64);
    EXPECT_EQ(c.ImageCurrentWidthSmall, 80);
    EXPECT_EQ(c.ImageCurrentHeightSmall, 80);
    EXPECT_EQ(c.Zoomfactor, 8);
    EXPECT_EQ(c.ItemWidthBig + c.ItemHeightBig + c.ImageCurrentWidthBig + c.ImageCurrentHeightBig + c.ImageWidthBig +
                  c.ImageHeightBig + c.ImageXBig + c.ImageYBig,
              0);
    EXPECT_EQ(c.UpDown->UpDownType, spInteger);
}

TEST(Thumbnailpanel, BuiltInReference)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto c = KindFromText<TOSDImageList>("<item><type>thumbnailpanel</type></item>");
    ASSERT_TRUE(c);
    // "ItemWidth", "TextureWidth", "ThumbXPos"... without "Low" or "Big" are not read.
    EXPECT_EQ(c->ImageXSmall, 9);
    EXPECT_EQ(c->ImageCurrentWidthSmall, 80);
    EXPECT_EQ(c->UpDown->ControlUp, 1);
    EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <description>default thumbnail panel</description>
  <type>Thumbnailpanel</type>
  <width>460</width>
  <height>471</height>
  <up>10</up>
  <down>12</down>
  <left>11</left>
  <right>11</right>
  <subcontrols>
    <control>
      <description>imgFolderFocus</description>
      <type>Image</type>
      <height>80</height>
    </control>
    <control>
      <description>upDown</description>
      <type>Spincontrol</type>
      <up>1</up>
      <subtype>int</subtype>
    </control>
  </subcontrols>
</item>
)"));
    // Unlike the list, the spin part keeps its navigation.
    EXPECT_EQ(c->UpDown->ControlUp, 1);
}

TEST(Thumbnailpanel, AllEqualLeavesAnEmptySubcontrols)
{
    const std::string parts = R"(<subcontrols><control><description>imgfolderfocus</description><type>Image</type>
      <width>80</width><height>80</height></control>)";
    {
        // The reference's spin part is read without "subtype", so it is a plain one.
        TReferencesScope refs("<controls><control><type>thumbnailpanel</type>" + parts +
                                        "<control><description>updown</description></control></subcontrols></control></controls>");
        auto c = KindFromText<TOSDImageList>("<item><type>thumbnailpanel</type></item>");
        ASSERT_TRUE(c);
        EXPECT_EQ(c->UpDown->UpDownType, spAlphanum);
        EXPECT_EQ(SavedItem(*c), Lines(R"(
<item>
  <type>Thumbnailpanel</type>
  <subcontrols/>
</item>
)"));
    }
    TReferencesScope refs("<controls><control><type>thumbnailpanel</type>" + parts + "</subcontrols></control></controls>");
    auto c = KindFromText<TOSDImageList>("<item><type>thumbnailpanel</type></item>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->UpDown->UpDownType, spInteger);
    // A plain spin part against the reference's integer one is named, so that it is not dropped.
    c->UpDown->UpDownType = spAlphanum;
    const std::string text = SavedItem(*c);
    EXPECT_NE(text.find("<subtype>string</subtype>"), std::string::npos) << text;
    auto again = KindFromText<TOSDImageList>(text);
    EXPECT_EQ(again->UpDown->UpDownType, spAlphanum);
    // With another value the element stays anyway, and the reader resets the kind by itself.
    c->UpDown->CharCount = 3;
    const std::string kept = SavedItem(*c);
    EXPECT_EQ(kept.find("<subtype>"), std::string::npos) << kept;
    EXPECT_NE(kept.find("<digits>3</digits>"), std::string::npos) << kept;
    auto keptAgain = KindFromText<TOSDImageList>(kept);
    EXPECT_EQ(keptAgain->UpDown->UpDownType, spAlphanum);
    EXPECT_EQ(keptAgain->UpDown->CharCount, 3);
}

TEST(Thumbnailpanel, ReferenceChildrenWithoutLowOrBigAreNotRead)
{
    // Neither from the reference nor from the item: every value stays as a new panel has it.
    for (const char* child : {"ItemWidth", "ItemHeight", "TextureWidth", "TextureHeight", "ThumbWidth", "ThumbHeight",
                              "ThumbXPos", "ThumbYPos"}) {
        const std::string tag = child;
        TReferencesScope refs("<controls><control><type>thumbnailpanel</type><" + tag + ">17</" + tag +
                              "></control></controls>");
        auto c = KindFromText<TOSDImageList>("<item><type>thumbnailpanel</type><" + tag + ">19</" + tag + "></item>");
        ASSERT_TRUE(c);
        TOSDImageList blank(nullptr);
        // Reading names the parts by their roles.
        for (const std::string& d :
             ComparePublished(blank, *c, {"ImageCurrent.Description", "ImageCurrentFocus.Description", "UpDown.Description"}))
            ADD_FAILURE() << tag << ": " << d;
    }
}

TEST(Thumbnailpanel, WithoutReferenceEveryValueAndPart)
{
    TReferencesScope none("");
    TOSDImageList c(nullptr);
    c.HideText = true;
    const std::string text = SavedItem(c);
    for (const char* child : {"<ItemHeightLow>0</ItemHeightLow>", "<TextureWidthLow>80</TextureWidthLow>",
                              "<ThumbWidthLow>64</ThumbWidthLow>", "<Zoomfactor>8</Zoomfactor>",
                              "<HideText>true</HideText>", "<description>imgFolder</description>",
                              "<description>imgFolderFocus</description>", "<description>upDown</description>"})
        EXPECT_NE(text.find(child), std::string::npos) << child << "\n" << text;
    EXPECT_LT(text.find("<textcolor>"), text.find("<selectedcolor>"));
    EXPECT_LT(text.find("<Zoomfactor>"), text.find("<HideText>"));
}

TEST(Thumbnailpanel, FocusedTextureAtTheSmallTextureSize)
{
    TOSDImageList c(nullptr);
    c.SetLocation({100, 50, 560, 521});
    c.LayoutParts();
    EXPECT_EQ(c.ImageCurrentFocus->Location(), (TFloatRect{180, 130, 260, 210}));
    EXPECT_EQ(c.ImageCurrent->Location(), (TFloatRect{}));
    PaintPreview(c, 600, 560, "thumbnailpanel");
    c.ImageCurrentWidthSmall = 2147483647;
    c.ImageCurrentHeightSmall = -2147483647 - 1;
    c.LayoutParts();
    EXPECT_EQ(c.ImageCurrentFocus->GetX(), 2147483647);
    PaintPreview(c, 64, 64, "thumbnailpanel_huge");
}

TEST(Thumbnailpanel, ChildWithoutDescriptionTakesThePreviousRole)
{
    TReferencesScope none("");
    auto c = KindFromText<TOSDImageList>(R"(<item><type>thumbnailpanel</type><subcontrols>
      <control><texture>first.png</texture></control>
      <control><description>IMGFOLDER</description><texture>a.png</texture></control>
      <control><texture>b.png</texture></control>
    </subcontrols></item>)");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ImageCurrent->FileName, "b.png");
    EXPECT_EQ(c->ImageCurrentFocus->FileName, "");
}
