// Typed element values: the readers' rules for present, empty and unreadable text, and the
// exact text the writers produce.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/UGlobal.h"
#include "skinmodel/xml/BoolWords.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

#include <iterator>

using F = TOSDControlFactory;

namespace {

// First in the file: it must hold before anything has asked for the factory. A page's
// attributes are read as Booleans before its first control is made.
TEST(BooleanWords, HoldFromProgramStart)
{
    ASSERT_FALSE(TrueBoolStrs().empty());
    EXPECT_EQ(TrueBoolStrs().front(), "true");
    EXPECT_EQ(FalseBoolStrs().front(), "false");
    TJvSimpleXML doc;
    doc.LoadFromString("<screen allowoverlay=\"yes\" hasbg=\"nee\"/>");
    EXPECT_TRUE(doc.Root().Properties().BoolValue("allowoverlay", false));
    EXPECT_FALSE(doc.Root().Properties().BoolValue("hasbg", true));
}

// An element with one child "v" holding the text (or none when text is null).
struct OneValue {
    TJvSimpleXML doc;
    TJvSimpleXMLElem* elem;
    explicit OneValue(const char* text)
    {
        OSDControlFactory();  // installs the Boolean words
        elem = &doc.Root();
        elem->SetName("control");
        if (text)
            elem->Items().Add("v", std::string_view(text));
    }
};

struct IntCase {
    const char* text;
    bool present;
    int32_t value;
};

class IntegerReader : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerReader, ReadsByTheIntegerRule)
{
    const IntCase c = GetParam();
    OneValue v(c.text);
    int32_t value = 4711;
    EXPECT_EQ(F::ReadInteger(v.elem, "v", value), c.present);
    EXPECT_EQ(value, c.value) << "text \"" << (c.text ? c.text : "(none)") << "\"";
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerReader, ::testing::Values(
    IntCase{" 12", true, 12}, IntCase{"12px", true, 0}, IntCase{"$1F", true, 31},
    IntCase{"", false, 4711}, IntCase{nullptr, false, 4711}, IntCase{"x1f", true, 31},
    IntCase{"X1F", true, 31}, IntCase{"0x1F", true, 31}, IntCase{"0X1f", true, 31},
    IntCase{"-12", true, -12}, IntCase{"+7", true, 7}, IntCase{"-$10", true, -16},
    IntCase{"2147483647", true, 2147483647}, IntCase{"2147483648", true, 0},
    IntCase{"-2147483648", true, INT32_MIN}, IntCase{"99999999999", true, 0},
    IntCase{"12 ", true, 0}, IntCase{"\t12", true, 0}, IntCase{"$", true, 0},
    IntCase{"-", true, 0}, IntCase{"$FFFFFFFF", true, 0}, IntCase{"$7FFFFFFF", true, INT32_MAX},
    IntCase{"1.5", true, 0}, IntCase{"   ", true, 0}, IntCase{"007", true, 7}));

struct ColorCase {
    const char* text;
    uint32_t value;
};

class ColorReader : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorReader, KeepsTheLow32BitsOfUpTo16HexDigits)
{
    const ColorCase c = GetParam();
    OneValue v(c.text);
    uint32_t value = 0x12345678u;
    EXPECT_TRUE(F::ReadColor(v.elem, "v", value));
    EXPECT_EQ(value, c.value) << "text \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Table, ColorReader, ::testing::Values(
    ColorCase{"ffdddddd", 0xFFDDDDDDu}, ColorCase{"#FFDDDDDD", 0}, ColorCase{"1FFDDDDDD", 0xFFDDDDDDu},
    ColorCase{"FF000000", 0xFF000000u}, ColorCase{"80FFFFFF", 0x80FFFFFFu}, ColorCase{"FFFFFF", 0x00FFFFFFu},
    ColorCase{"123456789ABCDEF0", 0x9ABCDEF0u}, ColorCase{"123456789ABCDEF01", 0},
    ColorCase{"-1", 0}, ColorCase{" FF", 0}, ColorCase{"$FF", 0}, ColorCase{"0xFF", 0},
    ColorCase{"FF ", 0}, ColorCase{"red", 0}));

TEST(ColorReader, EmptyOrMissingChildLeavesTheValue)
{
    for (const char* text : {"", static_cast<const char*>(nullptr)}) {
        OneValue v(text);
        uint32_t value = 0x12345678u;
        EXPECT_FALSE(F::ReadColor(v.elem, "v", value));
        EXPECT_EQ(value, 0x12345678u);
    }
}

struct BoolCase {
    const char* text;
    bool value;
};

class BoolReader : public ::testing::TestWithParam<BoolCase> {};

TEST_P(BoolReader, NumbersThenWords)
{
    const BoolCase c = GetParam();
    for (bool start : {false, true}) {
        OneValue v(c.text);
        bool value = start;
        F::ReadBool(v.elem, "v", value);
        EXPECT_EQ(value, c.value) << "text \"" << c.text << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BoolReader, ::testing::Values(
    BoolCase{"Yes", true}, BoolCase{"1", true}, BoolCase{"-1", true}, BoolCase{"true", true},
    BoolCase{"ON", true}, BoolCase{"enabled", true}, BoolCase{"2.5", true}, BoolCase{"nee", false},
    BoolCase{"0", false}, BoolCase{"maybe", false}, BoolCase{"false", false}, BoolCase{"Disabled", false},
    BoolCase{"0.0", false}, BoolCase{"off", false}));

TEST(BoolReader, EmptyChildLeavesTheValue)
{
    OneValue v("");
    bool value = true;
    F::ReadBool(v.elem, "v", value);
    EXPECT_TRUE(value);
}

TEST(StringReader, PresentTextOnly)
{
    OneValue v("a&b");
    std::string s = "old";
    EXPECT_TRUE(F::ReadString(v.elem, "v", s));
    EXPECT_EQ(s, "a&b");
    OneValue empty("");
    EXPECT_FALSE(F::ReadString(empty.elem, "v", s));
    EXPECT_EQ(s, "a&b");
    F::ReadText(empty.elem, "v", s);
    EXPECT_EQ(s, "a&b");
}

struct AlignCase {
    const char* text;
    bool present;
    StringAlignment value;
};

class AlignmentReader : public ::testing::TestWithParam<AlignCase> {};

TEST_P(AlignmentReader, ExactWordsOnly)
{
    const AlignCase c = GetParam();
    OneValue v(c.text);
    StringAlignment value = StringAlignmentCenter;
    EXPECT_EQ(F::ReadAlignment(v.elem, "v", value), c.present);
    EXPECT_EQ(value, c.value) << "text \"" << (c.text ? c.text : "(none)") << "\"";
}

INSTANTIATE_TEST_SUITE_P(Table, AlignmentReader, ::testing::Values(
    AlignCase{"left", true, StringAlignmentNear}, AlignCase{"right", true, StringAlignmentFar},
    AlignCase{"center", true, StringAlignmentCenter}, AlignCase{"Right", true, StringAlignmentCenter},
    AlignCase{"middle", true, StringAlignmentCenter}, AlignCase{"", false, StringAlignmentCenter},
    AlignCase{nullptr, false, StringAlignmentCenter}));

struct GraphicsCase {
    const char* text;
    bool present;
    TGraphicsType value;
};

class GraphicsTypeReader : public ::testing::TestWithParam<GraphicsCase> {};

TEST_P(GraphicsTypeReader, LowerCasedKeywordElseImage)
{
    const GraphicsCase c = GetParam();
    OneValue v(c.text);
    TGraphicsType value = GT_ROUNDRECT;
    EXPECT_EQ(F::ReadGraphicsType(v.elem, "v", value), c.present);
    EXPECT_EQ(value, c.value) << "text \"" << (c.text ? c.text : "(none)") << "\"";
}

INSTANTIATE_TEST_SUITE_P(Table, GraphicsTypeReader, ::testing::Values(
    GraphicsCase{"Ellipse", true, GT_ELLIPSE}, GraphicsCase{"tile", true, GT_IMAGE},
    GraphicsCase{"TILE_IMAGE", true, GT_IMAGE_TILE}, GraphicsCase{"image_tile", true, GT_IMAGE},
    GraphicsCase{"gradient_roundrect_right", true, GT_GRADIENT_ROUNDRECT_RIGHT},
    GraphicsCase{"", false, GT_IMAGE}, GraphicsCase{nullptr, false, GT_IMAGE}));

TEST(Readers, FindTheChildWithoutRegardToCaseAndTakeTheLast)
{
    OneValue v(nullptr);
    v.elem->Items().Add("textcolor", std::string_view("FF000001"));
    v.elem->Items().Add("TEXTCOLOR", std::string_view("FF000002"));
    uint32_t c = 0;
    F::ReadColor(v.elem, "textColor", c);
    EXPECT_EQ(c, 0xFF000002u);
}

TEST(Readers, NeverChangeTheDocumentEvenWithAutoCreate)
{
    OneValue v(nullptr);
    v.doc.Options |= TJvSimpleXML::AutoCreate;
    int32_t i = 1;
    uint32_t c = 1;
    bool b = true;
    std::string s = "x";
    StringAlignment a = StringAlignmentFar;
    TGraphicsType g = GT_ELLIPSE;
    F::ReadInteger(v.elem, "a", i);
    F::ReadColor(v.elem, "b", c);
    F::ReadBool(v.elem, "c", b);
    F::ReadString(v.elem, "d", s);
    F::ReadAlignment(v.elem, "e", a);
    F::ReadGraphicsType(v.elem, "f", g);
    EXPECT_EQ(v.elem->ChildCount(), 0);
    EXPECT_FALSE(F::ReadInteger(nullptr, "a", i));
}

TEST(Writers, ExactTexts)
{
    OneValue v(nullptr);
    F::WriteColor(v.elem, "c", 0);
    F::WriteColor(v.elem, "c", 0x80ffffffu);
    F::WriteInteger(v.elem, "i", -5);
    F::WriteInteger(v.elem, "i", 0);
    F::WriteInteger(v.elem, "i", 2147483647);
    F::WriteBool(v.elem, "b", true);
    F::WriteBool(v.elem, "b", false);
    F::WriteString(v.elem, "s", "");
    F::WriteString(v.elem, "s", "x");
    F::WriteAlignment(v.elem, "a", 2);
    F::WriteAlignment(v.elem, "a", 1);
    F::WriteAlignment(v.elem, "a", 0);
    F::WriteAlignment(v.elem, "a", 7);
    F::WriteAlignment(v.elem, "a", -1);
    F::WriteGraphicsType(v.elem, "g", GT_IMAGE_TILE);
    F::WriteGraphicsType(v.elem, "g", GT_IMAGE);
    const std::vector<std::pair<std::string, std::string>> want = {
        {"c", "00000000"}, {"c", "80FFFFFF"}, {"i", "-5"}, {"i", "0"}, {"i", "2147483647"},
        {"b", "true"}, {"b", "false"}, {"s", "x"}, {"a", "right"}, {"a", "center"}, {"a", "left"},
        {"a", "left"}, {"a", "left"}, {"g", "tile_image"}, {"g", "image"}};
    ASSERT_EQ(v.elem->ChildCount(), static_cast<int>(want.size()));
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(v.elem->Items().Item(static_cast<int>(i))->Name(), want[i].first);
        EXPECT_EQ(v.elem->Items().Item(static_cast<int>(i))->Value(), want[i].second);
    }
}

TEST(Writers, AbsentParentDoesNothing)
{
    F::WriteInteger(nullptr, "i", 1);
    F::WriteColor(nullptr, "c", 1);
    F::WriteBool(nullptr, "b", true);
    F::WriteString(nullptr, "s", "x");
    F::WriteAlignment(nullptr, "a", 1);
    F::WriteGraphicsType(nullptr, "g", GT_ELLIPSE);
}

TEST(Vocabulary, GraphicsTypeKeywordsAndValueNames)
{
    const char* const keywords[] = {
        "image", "rectangle", "ellipse", "roundrect", "roundrect_up", "roundrect_down", "roundrect_left",
        "roundrect_right", "tile_image", "gradient_rectangle", "gradient_ellipse", "gradient_roundrect",
        "gradient_roundrect_up", "gradient_roundrect_down", "gradient_roundrect_left", "gradient_roundrect_right"};
    ASSERT_EQ(GraphicsTypeNames.size(), std::size(keywords));
    for (std::size_t i = 0; i < std::size(keywords); ++i) {
        EXPECT_STREQ(GraphicsTypeNames[i], keywords[i]) << i;
        // Every keyword reads back as its own type.
        OneValue v(keywords[i]);
        TGraphicsType g = GT_GRADIENT_ROUNDRECT_RIGHT;
        F::ReadGraphicsType(v.elem, "v", g);
        EXPECT_EQ(g, static_cast<TGraphicsType>(i)) << keywords[i];
    }
    EXPECT_STREQ(TGraphicsTypeValueNames[GT_IMAGE_TILE], "GT_IMAGE_TILE");
    EXPECT_STREQ(TGraphicsTypeValueNames[GT_GRADIENT_ROUNDRECT_RIGHT], "GT_GRADIENT_ROUNDRECT_RIGHT");
    EXPECT_STREQ(TeOrientationValueNames[diagonalrev], "diagonalrev");
    EXPECT_STREQ(TSpinTypeValueNames[spAlphanum], "spAlphanum");
    EXPECT_STREQ(StringAlignmentValueNames[StringAlignmentFar], "StringAlignmentFar");
}

TEST(Vocabulary, ElementsMenuInMenuOrder)
{
    const TMenuRecord want[] = {
        {"Image", 0}, {"Label", 5}, {"Button", 1}, {"Image Button", 2}, {"Selectonebutton", 3},
        {"Togglebutton", 4}, {"CheckControl", 6}, {"Progressbar", 7}, {"Slidecontrol", 8},
        {"UpDowncontrol", 9}, {"Textbox", 10}, {"List", 11}, {"Iconlist", 12}, {"TVList", 13},
        {"Menulist", 14}, {"TickProgressbar", 15}, {"NumInput", 16}, {"Editfield", 17}, {"-", 0},
        {"VideoWindow", 18}};
    ASSERT_EQ(ElementMenuItems.size(), std::size(want));
    for (std::size_t i = 0; i < std::size(want); ++i) {
        EXPECT_STREQ(ElementMenuItems[i].Caption, want[i].Caption) << i;
        EXPECT_EQ(ElementMenuItems[i].MenuNumber, want[i].MenuNumber) << i;
    }
}

TEST(Vocabulary, InsertKindOfEveryMenuNumber)
{
    const uint8_t want[] = {0, 2, 3, 4, 5, 1, 6, 17, 7, 8, 9, 10, 11, 12, 13, 14, 19, 20, 15};
    ASSERT_EQ(ElementKindMap.size(), std::size(want));
    for (std::size_t n = 0; n < std::size(want); ++n)
        EXPECT_EQ(ElementKindMap[n], want[n]) << "menu number " << n;
}

}  // namespace
