// Depth is bounded by memory only: reading, writing, copying and destroying never recurse.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

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
