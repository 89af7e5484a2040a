// Exact bytes of the writer.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kDecl = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";

std::string Written(TJvSimpleXML& doc) { return doc.SaveToString(); }

TEST(XmlWriter, SkinInfoExample)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    doc.Root().SetName("skininfo");
    doc.Root().Items().Add("skinname", "Tom & Jerry");
    doc.Root().Items().Add("sizex", int64_t(720));
    doc.Root().Items().Add("norm");
    EXPECT_EQ(Written(doc), std::string(kDecl) +
                                "<skininfo>\r\n"
                                "  <skinname>Tom &amp; Jerry</skinname>\r\n"
                                "  <sizex>720</sizex>\r\n"
                                "  <norm/>\r\n"
                                "</skininfo>\r\n");
}

TEST(XmlWriter, ScreenExampleWithAttributes)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues | TJvSimpleXML::OmitProlog;
    doc.Root().SetName("screen");
    doc.Root().Properties().Add("default", "0");
    doc.Root().Properties().Add("hasbg", "true");
    doc.Root().Items().Add("items")->Items().Add("item")->Items().Add("type", "label");
    EXPECT_EQ(Written(doc), "<screen default=\"0\" hasbg=\"true\">\r\n"
                            "  <items>\r\n"
                            "    <item>\r\n"
                            "      <type>label</type>\r\n"
                            "    </item>\r\n"
                            "  </items>\r\n"
                            "</screen>\r\n");
}

TEST(XmlWriter, NewDocumentWritesTheDeclarationOnly)
{
    TJvSimpleXML doc;
    EXPECT_EQ(Written(doc), kDecl);
}

}  // namespace
