// Exact bytes of the writer.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr const char* kDecl = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
constexpr uint8_t kWriters = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;

TEST(XmlWriter, SkinInfoExample)
{
    TJvSimpleXML doc;
    doc.Options = kWriters;
    doc.Root().SetName("skininfo");
    doc.Root().Items().Add("skinname", "Tom & Jerry");
    doc.Root().Items().Add("sizex", int64_t(720));
    doc.Root().Items().Add("norm");
    EXPECT_EQ(doc.SaveToString(), std::string(kDecl) +
                                      "<skininfo>\r\n"
                                      "  <skinname>Tom &amp; Jerry</skinname>\r\n"
                                      "  <sizex>720</sizex>\r\n"
                                      "  <norm/>\r\n"
                                      "</skininfo>\r\n");
}

TEST(XmlWriter, ScreenExampleWithAttributesInOrder)
{
    TJvSimpleXML doc;
    doc.Options = kWriters | TJvSimpleXML::OmitProlog;
    doc.Root().SetName("screen");
    doc.Root().Properties().Add("default", "0");
    doc.Root().Properties().Add("hasbg", "true");
    doc.Root().Items().Add("items")->Items().Add("item")->Items().Add("type", "label");
    EXPECT_EQ(doc.SaveToString(), "<screen default=\"0\" hasbg=\"true\">\r\n"
                                  "  <items>\r\n"
                                  "    <item>\r\n"
                                  "      <type>label</type>\r\n"
                                  "    </item>\r\n"
                                  "  </items>\r\n"
                                  "</screen>\r\n");
}

// One element under a root "r", written with the writers' options and no prolog.
struct Line {
    const char* label;
    std::function<void(TJvSimpleXMLElem&)> build;
    const char* bytes;
};

class WriterLines : public testing::TestWithParam<Line> {};

TEST_P(WriterLines, Bytes)
{
    TJvSimpleXML doc;
    doc.Options = kWriters | TJvSimpleXML::OmitProlog;
    doc.Root().SetName("r");
    GetParam().build(doc.Root());
    EXPECT_EQ(doc.SaveToString(), std::string("<r>\r\n") + GetParam().bytes + "</r>\r\n");
}

INSTANTIATE_TEST_SUITE_P(All, WriterLines, testing::Values(
    Line{"entities", [](auto& r) { r.Items().Add("v", "a&b<c>d\"e'f"); },
         "  <v>a&amp;b&lt;c&gt;d&quot;e&apos;f</v>\r\n"},
    Line{"high_byte", [](auto& r) { r.Items().Add("v", "caf\xE9\x80\xFF"); }, "  <v>caf&#xE9;&#x80;&#xFF;</v>\r\n"},
    Line{"controls_unchanged", [](auto& r) { r.Items().Add("v", "a\tb\r\nc"); }, "  <v>a\tb\r\nc</v>\r\n"},
    Line{"empty_element", [](auto& r) { r.Items().Add("norm"); }, "  <norm/>\r\n"},
    Line{"empty_with_attributes", [](auto& r) {
             auto* e = r.Items().Add("e");
             e->Properties().Add("b", "2");
             e->Properties().Add("a", "x&y");
         },
         "  <e b=\"2\" a=\"x&amp;y\"/>\r\n"},
    Line{"value_with_attributes", [](auto& r) { r.Items().Add("e", "v")->Properties().Add("k", "\xE9\""); },
         "  <e k=\"&#xE9;&quot;\">v</e>\r\n"},
    Line{"value_not_written_with_children", [](auto& r) {
             auto* e = r.Items().Add("e", "lost");
             e->Items().Add("c", "1");
         },
         "  <e>\r\n    <c>1</c>\r\n  </e>\r\n"},
    Line{"encoded_names", [](auto& r) { r.Items().Add("n\xE9&", "1"); }, "  <n&#xE9;&amp;>1</n&#xE9;&amp;>\r\n"},
    Line{"prefixes", [](auto& r) {
             auto* e = r.Items().Add("item", "1");
             e->SetNameSpace("p");
             e->Properties().Add("a", "2")->SetNameSpace("q");
         },
         "  <p:item q:a=\"2\">1</p:item>\r\n"},
    Line{"text_comment_cdata", [](auto& r) {
             auto t = std::make_unique<TJvSimpleXMLElemText>();
             t->SetValue("t&");
             r.Items().Add(std::move(t));
             auto c = std::make_unique<TJvSimpleXMLElemComment>();
             c->SetValue(" a&b ");
             r.Items().Add(std::move(c));
             auto d = std::make_unique<TJvSimpleXMLElemCData>();
             d->SetValue("<&>");
             r.Items().Add(std::move(d));
             r.Items().Add(std::make_unique<TJvSimpleXMLElemText>());
         },
         "  t&amp;\r\n  <!-- a&b -->\r\n  <![CDATA[<&>]]>\r\n"},
    Line{"nameless_element_writes_children_only", [](auto& r) {
             auto* e = r.Items().Add("");
             e->SetValue("gone");
             e->Items().Add("c");
             r.Items().Add("");
         },
         "    <c/>\r\n"},
    Line{"plain_container_is_not_written", [](auto& r) {
             auto e = std::make_unique<TJvSimpleXMLElem>();
             e->SetName("base");
             r.Items().Add(std::move(e));
         },
         ""}),
    [](const auto& info) { return std::string(info.param.label); });

// Text read, then written with the writers' options: names keep their prefix and colons as read,
// and the written text reads back with the same names and writes the same bytes again.
struct AsRead {
    const char* label;
    const char* text;
    const char* bytes;  // after the declaration
};

void AddNames(std::string& out, const TJvSimpleXMLElem& e)
{
    out += e.NameSpace() + "|" + e.Name() + "(";
    if (const TJvSimpleXMLProps* props = e.PropertiesIfAny())
        for (int i = 0; i < props->Count(); ++i)
            out += props->Item(i)->NameSpace() + "|" + props->Item(i)->Name() + " ";
    for (int i = 0; i < e.ChildCount(); ++i)
        AddNames(out, *e.ItemsIfAny()->Item(i));
    out += ")";
}

std::string Names(TJvSimpleXML& doc)
{
    std::string out;
    for (int i = 0; i < doc.Prolog().Count(); ++i)
        if (doc.Prolog().Item(i)->Kind() == TJvSimpleXMLElemKind::Sheet)
            AddNames(out, *doc.Prolog().Item(i));
    AddNames(out, doc.Root());
    return out;
}

class WrittenAsRead : public testing::TestWithParam<AsRead> {};

TEST_P(WrittenAsRead, BytesAndNamesReadBack)
{
    TJvSimpleXML doc;
    doc.Options = kWriters;
    doc.LoadFromString(GetParam().text);
    const std::string once = doc.SaveToString();
    EXPECT_EQ(once, std::string(kDecl) + GetParam().bytes);
    TJvSimpleXML back;
    back.Options = kWriters;
    ASSERT_NO_THROW(back.LoadFromString(once)) << once;
    EXPECT_EQ(Names(back), Names(doc));
    EXPECT_EQ(back.SaveToString(), once);
}

INSTANTIATE_TEST_SUITE_P(All, WrittenAsRead, testing::Values(
    AsRead{"attribute_empty_local", "<w 2::=''/>", "<w 2::=\"\"/>\r\n"},
    AsRead{"stylesheet_empty_local", "<?xml-stylesheetf::=\"\"?>", "<?xml-stylesheet f::=\"\"?>\r\n"},
    AsRead{"root_empty_local", "<foo: />", "<foo:/>\r\n"},
    AsRead{"child_empty_local", "<r><x:/></r>", "<r>\r\n  <x:/>\r\n</r>\r\n"},
    AsRead{"earlier_parts_and_empty_prefix", "<a:b:c x:y:z='1'><:d>v</:d><::/></a:b:c>",
           "<a:b:c x:y:z=\"1\">\r\n  <:d>v</:d>\r\n  <::/>\r\n</a:b:c>\r\n"},
    AsRead{"encoded_parts", "<r><n&#xE9;:&#33;:&#x3A;/></r>", "<r>\r\n  <n&#xE9;:!:&amp;#x3A;/>\r\n</r>\r\n"},
    AsRead{"root_beginning_like_cdata", "<![CDATA[\"a\"/>", "<![CDATA[&quot;a&quot;/>\r\n"},
    AsRead{"child_beginning_with_bang", "<r><!x&amp;/></r>", "<r>\r\n  <!x&amp;/>\r\n</r>\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(XmlWriter, NewDocumentWritesTheDeclarationOnly)
{
    TJvSimpleXML doc;
    EXPECT_EQ(doc.SaveToString(), kDecl);
    EXPECT_EQ(doc.Prolog().Count(), 1);
    EXPECT_EQ(doc.Prolog().Item(0)->Name(), "xml");
    EXPECT_EQ(doc.SaveToString(), kDecl);  // the created declaration stays, and only one
    EXPECT_EQ(doc.Prolog().Count(), 1);
}

TEST(XmlWriter, OptionsFourteenAndSixWriteTheSameBytes)
{
    const char* text = "<a x=\"&amp;\"><b>\xE9&lt;</b><c/></a>";
    TJvSimpleXML six, fourteen;
    six.Options = kWriters;
    six.LoadFromString(text);
    fourteen.LoadFromString(text);
    EXPECT_EQ(six.SaveToString(), fourteen.SaveToString());
}

TEST(XmlWriter, WithoutAutoIndentNoLineBreaks)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::EncodeValues;
    doc.LoadFromString("<a><b>1</b><c/></a>");
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><a><b>1</b><c/></a>");
}

TEST(XmlWriter, IndentString)
{
    TJvSimpleXML doc;
    doc.Options = kWriters | TJvSimpleXML::OmitProlog;
    doc.IndentString = "\t";
    doc.LoadFromString("<a><b><c/></b></a>");
    EXPECT_EQ(doc.SaveToString(), "<a>\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>\r\n</a>\r\n");
}

TEST(XmlWriter, WithoutCodingOptionsValuesAreRaw)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::OmitProlog;
    doc.Root().SetName("a");
    doc.Root().SetValue("<&\xE9>");
    EXPECT_EQ(doc.SaveToString(), "<a><&\xE9></a>\r\n");
}

TEST(XmlWriter, PrologEntriesWithTheCreatedDeclarationFirst)
{
    TJvSimpleXML doc;
    doc.Options = kWriters;
    doc.LoadFromString("<!-- note --><!DOCTYPE  skin [ <!ENTITY a \">\"> ]  >"
                       "<?xml-stylesheet href=\"a&amp;b\" type='t'?><a/>");
    EXPECT_EQ(doc.SaveToString(), std::string(kDecl) +
                                      "<!-- note -->\r\n"
                                      "<!DOCTYPE skin [ <!ENTITY a \">\"> ]>\r\n"
                                      "<?xml-stylesheet href=\"a&amp;b\" type=\"t\"?>\r\n"
                                      "<a/>\r\n");
}

TEST(XmlWriter, DeclarationReadKeepsItsFields)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<!--c--><?xml version='1.1' encoding=\"UTF-8\" standalone=\"yes\"?><a/>");
    EXPECT_EQ(doc.SaveToString(), "<!--c-->\r\n<?xml version=\"1.1\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<a/>\r\n");
    doc.LoadFromString("<?xml version=\"1.0\" standalone=\"YES\"?><a/>");
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\"?>\r\n<a/>\r\n");
}

TEST(XmlWriter, DeclarationIndentedInsideTheTree)
{
    TJvSimpleXML doc;
    doc.Options = kWriters | TJvSimpleXML::OmitProlog;
    doc.Root().SetName("a");
    doc.Root().Items().Add(std::make_unique<TJvSimpleXMLElemHeader>());
    auto dt = std::make_unique<TJvSimpleXMLElemDocType>();
    dt->SetValue("x");
    doc.Root().Items().Add(std::move(dt));
    EXPECT_EQ(doc.SaveToString(),
              "<a>\r\n  <?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<!DOCTYPE x>\r\n</a>\r\n");
}

}  // namespace
