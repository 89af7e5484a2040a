// The control layer base: common values read and written as child elements, geometry rounding,
// alpha, the placeholder paint and its area report, and values no file should break.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestKinds.h"
#include "support/ControlXml.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TOSDVideoControl> Load(std::string_view items, TItemLayer* into = nullptr)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<item><type>videowindow</type>" + std::string(items) + "</item>");
    auto c = std::make_unique<TOSDVideoControl>(nullptr);
    (into ? into : c.get())->LoadFromXML(&doc.Root());
    return c;
}

std::string SaveWith(TItemLayer& c, TItemLayer* ref, bool sub)
{
    TJvSimpleXML doc;
    doc.Root().SetName("control");
    c.SaveToXML(&doc.Root(), ref, sub);
    return Children(&doc.Root());
}

class ItemLayerTest : public ::testing::Test {
protected:
    void SetUp() override { OSDControlFactory().ClearReferences(); }
};

TEST_F(ItemLayerTest, LoadsTheCommonValues)
{
    auto c = Load("<id>5</id><description>d</description><x>10</x><y>20</y><width>30</width>"
                  "<height>40</height><disabledcolor>11223344</disabledcolor><diffusecolor>80FFFFFF</diffusecolor>"
                  "<left>1</left><right>2</right><up>3</up><down>4</down><disabled>yes</disabled>"
                  "<label>text</label><visible>0</visible>");
    EXPECT_EQ(c->Control_ID, 5);
    EXPECT_EQ(c->Description, "d");
    EXPECT_EQ(c->GetX(), 10);
    EXPECT_EQ(c->GetY(), 20);
    EXPECT_EQ(c->GetWidth(), 30);
    EXPECT_EQ(c->GetHeight(), 40);
    EXPECT_EQ(c->DisabledColor, 0x11223344u);
    EXPECT_EQ(c->Alpha, 0x80);
    EXPECT_EQ(c->ControlLeft, 1);
    EXPECT_EQ(c->ControlRight, 2);
    EXPECT_EQ(c->ControlUp, 3);
    EXPECT_EQ(c->ControlDown, 4);
    EXPECT_TRUE(c->Disabled);
    EXPECT_EQ(c->LabelText, "text");
    EXPECT_FALSE(c->FVisible);
    EXPECT_EQ(c->Location(), (TFloatRect{10, 20, 40, 60}));
}

struct SizeCase {
    const char* items;
    int32_t width, height;
};

class FileSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FileSizes, BeyondTwoThousandAreReplaced)
{
    const SizeCase c = GetParam();
    auto layer = Load(c.items);
    EXPECT_EQ(layer->GetWidth(), c.width);
    EXPECT_EQ(layer->GetHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Table, FileSizes, ::testing::Values(
    SizeCase{"<width>2500</width><height>-3000</height>", 200, 24},
    SizeCase{"<width>-100</width><height>2000</height>", -100, 2000},
    SizeCase{"<width>-2000</width><height>2001</height>", -2000, 24},
    SizeCase{"<width>-2147483648</width><height>99999999999</height>", 200, 0},
    SizeCase{"<width>12px</width>", 0, 0}));

struct PlaceCase {
    const char* items;
    int32_t x, y, width, height;
};

class FilePlaces : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(FilePlaces, StayInTheInspectorsRangeSoTheSizeComesBack)
{
    const PlaceCase c = GetParam();
    auto layer = Load(c.items);
    EXPECT_EQ(layer->GetX(), c.x);
    EXPECT_EQ(layer->GetY(), c.y);
    EXPECT_EQ(layer->GetWidth(), c.width);
    EXPECT_EQ(layer->GetHeight(), c.height);
    auto again = KindFromText<TOSDVideoControl>(SavedControlText(*layer), false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Location(), layer->Location());
}

INSTANTIATE_TEST_SUITE_P(Table, FilePlaces, ::testing::Values(
    PlaceCase{"<x>2147483647</x><width>100</width>", 4194304, 0, 100, 0},
    PlaceCase{"<x>-2147483648</x><y>99999999</y><width>30</width><height>20</height>", -4194304, 4194304, 30, 20},
    PlaceCase{"<x>-4194304</x><y>4194304</y><width>7</width><height>5</height>", -4194304, 4194304, 7, 5}));

TEST_F(ItemLayerTest, ReadingStartsIdPlaceAndAlphaAfresh)
{
    TOSDVideoControl c(nullptr);
    Load("<id>1</id><x>5</x><y>6</y><diffusecolor>10FFFFFF</diffusecolor><up>3</up><description>ref</description>", &c);
    Load("<down>2</down>", &c);
    EXPECT_EQ(c.Control_ID, 0);
    EXPECT_EQ(c.GetX(), 0);
    EXPECT_EQ(c.GetY(), 0);
    EXPECT_EQ(c.Alpha, 255);
    EXPECT_EQ(c.ControlUp, 3);
    EXPECT_EQ(c.Description, "ref");
}

TEST_F(ItemLayerTest, WritesEveryCommonValueInItsOrder)
{
    auto c = Load("<id>5</id><description>d</description><x>10</x><y>20</y><width>30</width>"
                  "<height>40</height><disabledcolor>11223344</disabledcolor><diffusecolor>80123456</diffusecolor>"
                  "<left>1</left><right>2</right><up>3</up><down>4</down><disabled>yes</disabled>"
                  "<label>text</label><visible>0</visible>");
    EXPECT_EQ(SavedChildren(*c),
              "description=d; type=Videowindow; id=5; disabledcolor=11223344; diffusecolor=80FFFFFF; x=10; y=20; "
              "width=30; height=40; up=3; down=4; left=1; right=2; disabled=true; label=text; visible=false");
}

TEST_F(ItemLayerTest, ExactPageText)
{
    TOSDVideoControl c(nullptr);
    c.SetWidth(16);
    c.SetHeight(9);
    c.SetX(3);
    c.Description = "A&B\xE9";
    EXPECT_EQ(SavedControlText(c), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<item>\r\n"
                            "  <description>A&amp;B&#xE9;</description>\r\n  <type>Videowindow</type>\r\n"
                            "  <x>3</x>\r\n  <width>16</width>\r\n  <height>9</height>\r\n</item>\r\n");
}

TEST_F(ItemLayerTest, DefaultsWriteOnlyTheType)
{
    TOSDVideoControl c(nullptr);
    EXPECT_EQ(SavedChildren(c), "type=Videowindow");
}

struct SaveCase {
    const char* name;
    std::function<void(TItemLayer&)> set;
    bool withRef;
    bool sub;
    const char* want;
};

class CommonValueRules : public ::testing::TestWithParam<SaveCase> {};

TEST_P(CommonValueRules, Writes)
{
    const SaveCase& c = GetParam();
    TOSDVideoControl layer(nullptr), ref(nullptr);
    ref.SetWidth(50);
    ref.SetHeight(20);
    layer.SetWidth(50);
    layer.SetHeight(20);
    c.set(layer);
    EXPECT_EQ(SaveWith(layer, c.withRef ? &ref : nullptr, c.sub), c.want);
}

const SaveCase saveCases[] = {
    {"SameSizeAsRefNotWritten", [](TItemLayer&) {}, true, false, "type=Videowindow"},
    {"SizeWithoutRefWritten", [](TItemLayer&) {}, false, false, "type=Videowindow; width=50; height=20"},
    {"ZeroWidthWithoutRef", [](TItemLayer& l) { l.SetWidth(0); }, false, false, "type=Videowindow; height=20"},
    {"NegativeXIsWrittenSoItComesBack", [](TItemLayer& l) { l.SetX(-5); }, true, false, "type=Videowindow; x=-5"},
    {"XZeroNotWritten", [](TItemLayer& l) { l.SetX(0); }, true, false, "type=Videowindow"},
    {"PartWritesNoPlaceOrNavigation",
     [](TItemLayer& l) { l.SetX(4); l.SetY(5); },
     true, true, "type=Videowindow"},
    {"PartNavigationEqualToRefNotWritten",
     [](TItemLayer& l) { l.ControlUp = 0; },
     true, true, "type=Videowindow"},
    {"PartNavigationDifferingIsWritten", [](TItemLayer& l) { l.ControlUp = 3; }, true, true, "type=Videowindow; up=3"},
    {"NegativeNavigationIsWritten", [](TItemLayer& l) { l.ControlDown = -1; }, true, false, "type=Videowindow; down=-1"},
    {"Alpha128", [](TItemLayer& l) { l.SetAlpha(128); }, true, false, "type=Videowindow; diffusecolor=80FFFFFF"},
    {"AlphaBackTo255", [](TItemLayer& l) { l.SetAlpha(128); l.SetAlpha(255); }, true, false, "type=Videowindow"},
    {"NegativeIdIsWritten", [](TItemLayer& l) { l.Control_ID = -3; }, true, false, "type=Videowindow; id=-3"},
    {"DisabledColorZeroIsWrittenSoItComesBack",
     [](TItemLayer& l) { l.DisabledColor = 0; },
     true, false, "type=Videowindow; disabledcolor=00000000"},
    {"DisabledColorDefault", [](TItemLayer& l) { l.DisabledColor = 0xFF606060u; }, true, false, "type=Videowindow"},
    {"EmptyLabelNotWritten", [](TItemLayer& l) { l.LabelText = ""; }, true, false, "type=Videowindow"},
};

INSTANTIATE_TEST_SUITE_P(Table, CommonValueRules, ::testing::ValuesIn(saveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ItemLayerTest, ValuesEqualToTheClassDefaultButNotToTheReferenceAreWritten)
{
    TOSDVideoControl ref(nullptr), layer(nullptr);
    ref.ControlDown = 2;
    ref.DisabledColor = 0x60FFFFFFu;
    ref.Disabled = true;
    ref.FVisible = false;
    EXPECT_EQ(SaveWith(layer, &ref, false),
              "type=Videowindow; disabledcolor=FF606060; down=0; disabled=false; visible=true");
}

TEST_F(ItemLayerTest, PageControlComparesLeftOutValuesWithItsTypesReference)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>videowindow</type><down>2</down><width>40</width></control></controls>");
    TOSDVideoControl layer(nullptr);
    layer.SetWidth(40);
    // The width is written by the rule without a reference; "down" 0 must be written or it reloads as 2.
    EXPECT_EQ(SavedChildren(layer), "type=Videowindow; width=40; down=0");
    OSDControlFactory().ClearReferences();
}

// ---- geometry ------------------------------------------------------------------------------

struct RoundCase {
    float left, right;
    int32_t x, width;
};

class Rounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, HalvesToEven)
{
    const RoundCase c = GetParam();
    TOSDVideoControl layer(nullptr);
    layer.SetLocation({c.left, c.left, c.right, c.right});
    EXPECT_EQ(layer.GetX(), c.x);
    EXPECT_EQ(layer.GetY(), c.x);
    EXPECT_EQ(layer.GetWidth(), c.width);
    EXPECT_EQ(layer.GetHeight(), c.width);
}

INSTANTIATE_TEST_SUITE_P(Table, Rounding, ::testing::Values(
    RoundCase{2.5f, 13.0f, 2, 10}, RoundCase{3.5f, 15.0f, 4, 12}, RoundCase{-2.5f, -1.0f, -2, 2},
    RoundCase{0.5f, 1.0f, 0, 0}, RoundCase{1.4f, 1.5f, 1, 0}, RoundCase{4e9f, 4e9f, INT32_MAX, 0},
    RoundCase{-4e9f, 4e9f, INT32_MIN, INT32_MAX}));

TEST_F(ItemLayerTest, SetXUsesTheStoredWidthUntilMeasured)
{
    TOSDVideoControl layer(nullptr);
    layer.SetWidth(10);
    layer.SetLocation({0, 0, 30, 5});  // as the rubber band does
    layer.SetX(100);
    EXPECT_EQ(layer.Location().Right, 110);
    layer.SetLocation({0, 0, 30, 5});
    EXPECT_EQ(layer.GetWidth(), 30);
    layer.SetX(100);
    EXPECT_EQ(layer.Location().Right, 130);
}

TEST_F(ItemLayerTest, SetAlphaOnlyInRangeAndOnChange)
{
    TCountingLayer c(nullptr);
    c.changes = 0;
    c.SetAlpha(300);
    c.SetAlpha(-1);
    c.SetAlpha(255);
    EXPECT_EQ(c.Alpha, 255);
    EXPECT_EQ(c.changes, 0);
    c.SetAlpha(0);
    EXPECT_EQ(c.Alpha, 0);
    EXPECT_EQ(c.changes, 1);
    // Both ends of the range are values too.
    c.SetAlpha(255);
    EXPECT_EQ(c.Alpha, 255);
    EXPECT_EQ(c.changes, 2);
}

// ---- painting ------------------------------------------------------------------------------

TEST_F(ItemLayerTest, PlaceholderFillsAndReportsItsArea)
{
    TBitmap32 buffer(40, 40);
    buffer.Clear(0xFFFFFFFFu);
    TOSDVideoControl layer(nullptr);
    layer.SetX(10);
    layer.SetY(10);
    layer.SetWidth(20);
    layer.SetHeight(10);
    layer.Paint(buffer);
    ASSERT_EQ(buffer.ChangedAreas().size(), 1u);
    EXPECT_EQ(buffer.ChangedAreas()[0], QRect(10, 10, 20, 10));
    EXPECT_EQ(buffer.Image().pixel(5, 5), 0xFFFFFFFFu);
    EXPECT_NE(buffer.Image().pixel(28, 12), 0xFFFFFFFFu);
    EXPECT_NE(buffer.Image().pixel(29, 19), 0xFFFFFFFFu);
}

TEST_F(ItemLayerTest, PlaceholderTextIsTheDescriptionOrObjectAndTheTypeText)
{
    const auto paint = [](const std::string& description) {
        TBitmap32 buffer(160, 60);
        buffer.Clear(0xFFFFFFFFu);
        TOSDVideoControl layer(nullptr);
        layer.SetWidth(160);
        layer.SetHeight(60);
        layer.Description = description;
        layer.Paint(buffer);
        return buffer.Image();
    };
    const QImage empty = paint("");
    EXPECT_EQ(empty, paint("Object: Videowindow"));
    EXPECT_NE(empty, paint("Object: Image"));
    EXPECT_NE(empty, paint("Videowindow"));
}

TEST_F(ItemLayerTest, MeasuringReportsTheAreaWithoutDrawing)
{
    TBitmap32 buffer(40, 40);
    buffer.Clear(0xFFFFFFFFu);
    buffer.SetMeasuringMode(true);
    TOSDVideoControl layer(nullptr);
    layer.SetWidth(20);
    layer.SetHeight(20);
    layer.Paint(buffer);
    ASSERT_EQ(buffer.ChangedAreas().size(), 1u);
    EXPECT_EQ(buffer.ChangedAreas()[0], QRect(0, 0, 20, 20));
    EXPECT_EQ(buffer.Image().pixel(10, 10), 0xFFFFFFFFu);
}

TEST_F(ItemLayerTest, EmptyOrInvertedDrawsNothing)
{
    for (auto size : {std::pair{0, 10}, std::pair{-10, 10}, std::pair{10, -10}}) {
        TBitmap32 buffer(40, 40);
        buffer.Clear(0xFFFFFFFFu);
        TOSDVideoControl layer(nullptr);
        layer.SetX(20);
        layer.SetY(20);
        layer.SetWidth(size.first);
        layer.SetHeight(size.second);
        layer.Paint(buffer);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(buffer.Image().pixel(x, y), 0xFFFFFFFFu) << x << "," << y;
        EXPECT_EQ(buffer.ChangedAreas().size(), 1u);
    }
}

TEST_F(ItemLayerTest, ValuesNoFileShouldBreakLoadAndPaint)
{
    const char* elements[] = {
        "<id>99999999999</id><x>2147483647</x><y>-2147483648</y><width>2000</width><height>2000</height>",
        "<x>-2147483648</x><width>-2000</width><height>-2000</height><diffusecolor>FFFFFFFFFFFFFFFFF</diffusecolor>",
        "<x>x</x><y>$</y><width>$7FFFFFFF</width><disabledcolor>1</disabledcolor><label>\xFF\xFF</label>",
    };
    for (const char* items : elements) {
        auto layer = Load(items);
        EXPECT_EQ(layer->Control_ID, 0);
        TBitmap32 buffer(64, 64);
        layer->Paint(buffer);
        layer->SetWidth(INT32_MAX);
        layer->SetHeight(INT32_MIN);
        layer->Paint(buffer);
        layer->SetX(INT32_MIN);
        layer->SetHeight(INT32_MAX);
        layer->Paint(buffer);
        SavedChildren(*layer);
    }
}

TEST_F(ItemLayerTest, VideoWindowIsTheBaseWithItsTypeText)
{
    TOSDVideoControl v(nullptr);
    EXPECT_EQ(v.TypeName(), "Videowindow");
    EXPECT_EQ(v.TypeKeyword(), "videowindow");
    EXPECT_EQ(v.DisabledColor, 0xFF606060u);
    EXPECT_TRUE(v.FVisible);
    EXPECT_EQ(v.Alpha, 255);
}

}  // namespace
