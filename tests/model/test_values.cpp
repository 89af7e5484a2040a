// Typed element values: the readers' rules for present, empty and unreadable text, and the
// exact text the writers produce.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/UGlobal.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

#include <algorithm>

using F = TOSDControlFactory;

namespace {

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
    EXPECT_STREQ(GraphicsTypeNames[GT_IMAGE_TILE], "tile_image");
    EXPECT_STREQ(GraphicsTypeNames[GT_GRADIENT_ROUNDRECT_LEFT], "gradient_roundrect_left");
    EXPECT_STREQ(TGraphicsTypeValueNames[GT_IMAGE_TILE], "GT_IMAGE_TILE");
    EXPECT_STREQ(TeOrientationValueNames[diagonalrev], "diagonalrev");
    EXPECT_STREQ(TSpinTypeValueNames[spAlphanum], "spAlphanum");
    EXPECT_STREQ(StringAlignmentValueNames[StringAlignmentFar], "StringAlignmentFar");
}

TEST(Vocabulary, ElementMenuTables)
{
    ASSERT_EQ(ElementMenuItems.size(), 20u);
    EXPECT_STREQ(ElementMenuItems[3].Caption, "Image Button");
    EXPECT_EQ(ElementMenuItems[3].MenuNumber, 2);
    EXPECT_STREQ(ElementMenuItems[18].Caption, "-");
    EXPECT_EQ(ElementMenuItems[18].MenuNumber, 0);
    EXPECT_EQ(ElementMenuItems[19].MenuNumber, 18);
    ASSERT_EQ(ElementKindMap.size(), 19u);
    EXPECT_EQ(ElementKindMap[7], 17);   // progress bar
    EXPECT_EQ(ElementKindMap[18], 15);  // video window
    EXPECT_EQ(std::count(ElementKindMap.begin(), ElementKindMap.end(), 16), 0);
    EXPECT_EQ(std::count(ElementKindMap.begin(), ElementKindMap.end(), 18), 0);
    // Every menu number but the separator's appears once.
    for (int n = 0; n <= 18; ++n)
        EXPECT_EQ(std::count_if(ElementMenuItems.begin(), ElementMenuItems.end(),
                                [n](const TMenuRecord& r) { return r.MenuNumber == n && r.Caption[0] != '-'; }),
                  1) << n;
}

}  // namespace
