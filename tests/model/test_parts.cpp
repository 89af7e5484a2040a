// The part protocol on a small composite kind: roles on reading, per-part reference, SubControl
// and pruning rules on writing, layout before saving, and painting in the owner's viewport.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestKinds.h"
#include "support/ControlXml.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const CompositeReference =
    "<controls><control><type>testcomposite</type><spacing>3</spacing><width>40</width><height>20</height>"
    "<subcontrols>"
    "<control><description>parta</description><type>Testpart</type><depth>2</depth>"
    "<width>40</width><height>20</height></control>"
    "<control><description>partb</description><width>20</width><height>20</height></control>"
    "<control><description>inner</description><type>Testinner</type><subcontrols>"
    "<control><description>leaf</description><depth>6</depth></control></subcontrols></control>"
    "</subcontrols></control></controls>";

class PartsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestKinds();
        OSDControlFactory().ClearReferences();
    }
    void TearDown() override { OSDControlFactory().ClearReferences(); }

    static std::unique_ptr<TTestComposite> FromPage(std::string_view items = {})
    {
        TJvSimpleXML doc;
        doc.LoadFromString("<item><type>testcomposite</type>" + std::string(items) + "</item>");
        auto* c = OSDControlFactory().CreateControl(nullptr, &doc.Root(), true);
        return std::unique_ptr<TTestComposite>(static_cast<TTestComposite*>(c));
    }
};

TEST_F(PartsTest, RolesOnReading)
{
    auto c = FromPage(
        "<subcontrols>"
        "<control><depth>9</depth></control>"
        "<control><description>PARTA</description><depth>1</depth></control>"
        "<item><depth>2</depth><width>5</width><id>9</id><diffusecolor>40FFFFFF</diffusecolor></item>"
        "<!-- between the parts -->text between"
        "<control><description>unknown</description><depth>3</depth></control>"
        "<control><depth>4</depth></control>"
        "<control><description>Partb</description><depth>6</depth><id>1</id></control>"
        "<control><description>partb</description><depth>7</depth></control>"
        "<control><description>inner</description><subcontrols>"
        "<control><description>LEAF</description><depth>8</depth></control></subcontrols></control>"
        "</subcontrols>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->PartA->Depth, 2);
    EXPECT_EQ(c->PartA->GetWidth(), 5);
    // The comment and the text after the "item" are no parts: they would start its id and alpha afresh.
    EXPECT_EQ(c->PartA->Control_ID, 9);
    EXPECT_EQ(c->PartA->Alpha, 0x40);
    EXPECT_EQ(c->PartB->Depth, 7);
    EXPECT_EQ(c->PartB->Control_ID, 0);
    EXPECT_EQ(c->PartC->Depth, 5);
    EXPECT_EQ(c->Inner->Leaf->Depth, 8);
    EXPECT_EQ(c->PartA->Description, "partA");
    EXPECT_EQ(c->PartB->Description, "PartB");
    EXPECT_EQ(c->Inner->Leaf->Description, "leaf");
}

TEST_F(PartsTest, WithoutReferencesNoReferenceRules)
{
    auto c = FromPage();
    EXPECT_EQ(SavedChildren(*c),
              "type=TestComposite; spacing=7; subcontrols{control{description=PartB; type=Testpart}; "
              "control{description=partc; type=Testpart; depth=5}}");
    c->SetX(10);
    c->SetWidth(40);
    c->SetHeight(20);
    c->PartC->SetX(3);
    c->PartC->ControlUp = 2;
    // Layout runs before saving: the parts' sizes follow the owner without a paint. The part
    // written as a full control keeps its place and navigation.
    EXPECT_EQ(SavedChildren(*c),
              "type=TestComposite; x=10; width=40; height=20; spacing=7; subcontrols{"
              "control{description=partA; type=Testpart; width=40; height=20}; "
              "control{description=PartB; type=Testpart; width=20; height=20}; "
              "control{description=partc; type=Testpart; x=3; up=2; depth=5}}");
}

TEST_F(PartsTest, PartsEqualToTheReferencesArePrunedWithTheirContainer)
{
    OSDControlFactory().LoadReferencesFromText(CompositeReference);
    auto c = FromPage();
    EXPECT_EQ(c->Spacing, 3);
    EXPECT_EQ(c->Inner->Leaf->Depth, 6);
    EXPECT_EQ(SavedChildren(*c), "type=TestComposite; width=40; height=20");
    c->PartB->Depth = 4;
    c->PartA->Depth = 0;  // the class default, but not the reference part's
    c->Inner->Leaf->Depth = 1;
    EXPECT_EQ(SavedChildren(*c),
              "type=TestComposite; width=40; height=20; subcontrols{"
              "control{description=partA; type=Testpart; depth=0}; "
              "control{description=PartB; type=Testpart; depth=4}; "
              "control{description=inner; type=Testinner; subcontrols{"
              "control{description=leaf; type=Testpart; depth=1}}}}");
}

TEST_F(PartsTest, SavingTwiceGivesTheSameText)
{
    OSDControlFactory().LoadReferencesFromText(CompositeReference);
    auto c = FromPage("<x>7</x><subcontrols><control><description>PARTB</description><depth>3</depth></control></subcontrols>");
    const std::string first = SavedControlText(*c);
    EXPECT_EQ(SavedControlText(*c), first);
    EXPECT_NE(first.find("<description>PartB</description>"), std::string::npos);
}

TEST_F(PartsTest, PartWithoutReferenceDoesNotLookUpItsOwnKind)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>testpart</type><depth>9</depth><width>33</width></control></controls>");
    auto c = FromPage();
    EXPECT_EQ(c->PartA->Depth, 0);
    EXPECT_EQ(SavedChildren(*c),
              "type=TestComposite; spacing=7; subcontrols{control{description=PartB; type=Testpart}; "
              "control{description=partc; type=Testpart; depth=5}}");
}

// Children of "subcontrols" that no part reads stay there: those before the first description
// first (at the end the last part would read them), the others after the parts. A part's own
// unknown child ends its element, which is then never pruned.
TEST_F(PartsTest, UnknownChildrenOfSubcontrolsAndPartsAreKept)
{
    auto c = FromPage(
        "<subcontrols><note>first</note><control><description/><depth>1</depth></control>"
        "<control><description>parta</description><futurevalue>a</futurevalue></control>"
        "<control><description>future</description><depth>3</depth></control><control><depth>4</depth></control>"
        "<control><description>inner</description><subcontrols><control><description>leaf</description>"
        "<depth>8</depth></control><later><description>later</description></later></subcontrols></control>"
        "</subcontrols>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->PartA->Depth, 0);
    const std::string saved = SavedChildren(*c);
    EXPECT_EQ(saved,
              "type=TestComposite; spacing=7; subcontrols{note=first; control{description=; depth=1}; "
              "control{description=partA; type=Testpart; futurevalue=a}; control{description=PartB; type=Testpart}; "
              "control{description=partc; type=Testpart; depth=5}; control{description=inner; type=Testinner; "
              "subcontrols{control{description=leaf; type=Testpart; depth=8}; later{description=later}}}; "
              "control{description=future; depth=3}; control{depth=4}}");
    auto again = ControlFromText(SavedControlText(*c));
    EXPECT_EQ(SavedChildren(*again), saved);
}

// What "references.xml" holds beyond what a kind reads is not the control's: neither an item
// read after its reference nor a control made from the reference itself writes it.
TEST_F(PartsTest, UnknownChildrenOfTheReferenceAreNotTaken)
{
    const auto saved = [](const std::string& extra, const std::string& partExtra) {
        OSDControlFactory().ClearReferences();
        OSDControlFactory().LoadReferencesFromText(
            "<controls><control><type>testcomposite</type>" + extra + "<subcontrols>" + partExtra +
            "<control><description>parta</description><depth>2</depth>" + extra + "</control>" + partExtra +
            "</subcontrols></control></controls>");
        auto item = FromPage("<spacing>1</spacing>");
        std::unique_ptr<TItemLayer> inserted(
            OSDControlFactory().CreateControl(nullptr, OSDControlFactory().FindReference("testcomposite"), false));
        return SavedChildren(*item) + " | " + SavedChildren(*inserted);
    };
    EXPECT_EQ(saved("<futurevalue>r</futurevalue>", "<future><description>x</description></future>"), saved("", ""));
}

TEST_F(PartsTest, LayoutBeforeEverySave)
{
    auto c = FromPage();
    const int before = c->LayoutCount;
    SavedChildren(*c);
    EXPECT_EQ(c->LayoutCount, before + 1);
}

TEST_F(PartsTest, PartsPaintInTheOwnersViewportAndRepaintThroughIt)
{
    TLayerCollection layers;
    layers.ViewportOffset = QPointF(5, 7);
    TItemLayer* changed = nullptr;
    TLayerCallbacks told(layers);
    told.OnLayerChanged = [&](TCustomLayer* l) { changed = static_cast<TItemLayer*>(l); };
    auto* c = new TTestComposite(&layers);
    c->SetX(10);
    c->SetY(10);
    c->SetWidth(20);
    c->SetHeight(10);
    TBitmap32 buffer(60, 60);
    c->Paint(buffer);
    const TFloatRect a = c->PartA->GetAdjustedLocation();
    EXPECT_EQ(a, (TFloatRect{15, 17, 35, 27}));
    EXPECT_EQ(c->PartA->Location(), (TFloatRect{10, 10, 30, 20}));
    ASSERT_FALSE(buffer.ChangedAreas().empty());
    EXPECT_EQ(buffer.ChangedAreas().back(), QRect(15, 17, 20, 10));
    changed = nullptr;
    c->PartB->SetAlpha(3);
    EXPECT_EQ(changed, c);
    EXPECT_EQ(c->PartA->LayerCollection(), nullptr);
    EXPECT_EQ(layers.Count(), 1);
}

}  // namespace
