// Depth is bounded by memory only: reading, writing, copying and destroying never recurse.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kDepth = 1000000;

std::string Nested(int depth, bool closed)
{
    std::string s;
    s.reserve(size_t(depth) * 7);
    for (int i = 0; i < depth; ++i)
        s += "<a>";
    if (closed)
        for (int i = 0; i < depth; ++i)
            s += "</a>";
    return s;
}

int DepthOf(const TJvSimpleXMLElem& root)
{
    int depth = 1;
    for (const TJvSimpleXMLElem* e = &root; e->ChildCount() > 0; e = e->ItemsIfAny()->Item(0))
        ++depth;
    return depth;
}

TEST(Deep, AMillionLevelsReadWriteAndFree)
{
    const std::string text = Nested(kDepth, true);
    auto doc = std::make_unique<TJvSimpleXML>();
    // Without indentation the text grows linearly with the depth.
    doc->Options = TJvSimpleXML::EncodeValues | TJvSimpleXML::OmitProlog;
    doc->LoadFromString(text);
    EXPECT_EQ(DepthOf(doc->Root()), kDepth);
    const std::string written = doc->SaveToString();
    // The innermost element is empty, so it is written "<a/>".
    EXPECT_EQ(written.size(), text.size() - 3);
    EXPECT_EQ(written.substr(size_t(kDepth - 1) * 3, 8), "<a/></a>");
    doc.reset();
}

// Indented, each level is a line "<a>" and a line "</a>" (the innermost "<a/>"), two blanks a level
// up to 64 levels and no more beyond.
TEST(Deep, IndentedTextGrowsInProportionToTheDepth)
{
    constexpr int kLevels = 100000;
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues | TJvSimpleXML::OmitProlog;
    doc.LoadFromString(Nested(kLevels, true));
    const std::string written = doc.SaveToString();
    size_t expected = 0;
    for (int level = 0; level < kLevels; ++level) {
        const size_t indent = 2 * size_t(std::min(level, 64));
        expected += level + 1 < kLevels ? 2 * indent + 11 : indent + 6;
    }
    EXPECT_EQ(written.size(), expected);
    TJvSimpleXML back;
    back.Options = doc.Options;
    back.LoadFromString(written);
    EXPECT_EQ(DepthOf(back.Root()), kLevels);
    EXPECT_EQ(back.SaveToString(), written);
}

TEST(Deep, AMillionOpenLevelsGiveAnError)
{
    TJvSimpleXML doc;
    EXPECT_THROW(doc.LoadFromString(Nested(kDepth, false)), EJvSimpleXMLError);
    EXPECT_EQ(doc.Root().ChildCount(), 0);
}

TEST(Deep, BuiltTreesCopyClearAndFree)
{
    auto root = std::make_unique<TJvSimpleXMLElem>();
    TJvSimpleXMLElem* e = root.get();
    for (int i = 0; i < kDepth; ++i)
        e = e->Items().Add("x");
    auto copy = std::make_unique<TJvSimpleXMLElem>();
    copy->Assign(*root);
    EXPECT_EQ(DepthOf(*copy), kDepth + 1);
    copy->Clear();
    EXPECT_EQ(copy->ChildCount(), 0);
    root->Items().Delete(0);
    EXPECT_EQ(root->ChildCount(), 0);
}

}  // namespace
