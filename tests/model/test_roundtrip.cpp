// Every control kind saved with random values and read back gives every published value back,
// parts included, with the built-in references and without any.
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/RoundTrip.h"
#include "support/TestKinds.h"

#include <algorithm>

namespace {

VARNHOLT_ROUND_TRIP_TEST(VideoWindow, "videowindow")
VARNHOLT_ROUND_TRIP_TEST(TestComposite, "testcomposite")
VARNHOLT_ROUND_TRIP_TEST_SKIPPING(TestCompositeSkipping, "testcomposite", "Spacing", "Inner.Leaf.Depth")

TEST(RoundTrip_TestComposite, WithItsOwnReference)
{
    TRoundTripOptions o;
    o.ReferencesText =
        "<controls><control><type>testcomposite</type><spacing>3</spacing><down>4</down><disabled>1</disabled>"
        "<disabledcolor>0</disabledcolor><visible>no</visible><subcontrols>"
        "<control><description>parta</description><type>Testpart</type><depth>2</depth><up>-1</up></control>"
        "<control><description>partc</description><depth>-7</depth><width>9</width></control>"
        "<control><description>inner</description><type>Testinner</type><subcontrols>"
        "<control><description>leaf</description><depth>6</depth></control></subcontrols></control>"
        "</subcontrols></control>"
        "<control><type>videowindow</type><description>v</description><up>3</up><width>12</width></control>"
        "</controls>";
    CheckRoundTrip("testcomposite", o);
    o.Seed = 7;
    CheckRoundTrip("videowindow", o);
}

TEST(RoundTripHarness, SeesEveryDifferenceDownToTheParts)
{
    TTestComposite a(nullptr), b(nullptr);
    std::mt19937 rng(1);
    RandomizePublished(a, rng);
    const auto differences = ComparePublished(a, b);
    const auto has = [&](const std::string& prefix) {
        return std::any_of(differences.begin(), differences.end(),
                           [&](const std::string& d) { return d.rfind(prefix + ":", 0) == 0; });
    };
    EXPECT_TRUE(has("Spacing"));
    EXPECT_TRUE(has("Description"));
    EXPECT_TRUE(has("PartA.Depth"));
    EXPECT_TRUE(has("Inner.Leaf.Depth"));
    EXPECT_FALSE(has("PartA.X"));  // a part's place is its owner's layout
    EXPECT_TRUE(ComparePublished(a, b, {"Spacing"}).size() == differences.size() - 1);
}

// Children a kind does not read are written back after what the kind writes, in their order
// and as they were read; a known child read twice (the last one counts) is written once.
TEST(RoundTrip_UnknownChildren, LabelKeepsThemAtTheEnd)
{
    OSDControlFactory().ClearReferences();
    auto label = ControlFromText(
        "<item><futurevalue mode=\"a\">x &amp; y</futurevalue><type>label</type><Width>80</Width>"
        "<items><item><label>one</label></item><futureitem/></items><width>60</width><label>z</label>"
        "<FUTUREVALUE/></item>");
    ASSERT_TRUE(label);
    EXPECT_EQ(SavedControlText(*label),
              XmlLines({"<item>", "  <type>Label</type>", "  <width>60</width>", "  <height>24</height>",
                        "  <label>z</label>", "  <futurevalue mode=\"a\">x &amp; y</futurevalue>",
                        "  <items>", "    <item>", "      <label>one</label>", "    </item>", "    <futureitem/>",
                        "  </items>", "  <FUTUREVALUE/>", "</item>"}));
}

}  // namespace
