// The reader: what each text reads as, and the exact message of every error.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(std::string_view text)
{
    TJvSimpleXML doc;
    try {
        doc.LoadFromString(text);
    } catch (const EJvSimpleXMLError& e) {
        return e.what();
    }
    return "(no error)";
}

struct ErrorCase {
    const char* label;
    const char* text;
    const char* message;
};

const ErrorCase kErrors[] = {
    {"prolog_text", "x<a/>", "Invalid Document: Unexpected text in file prolog"},
    {"byte_order_mark", "\xEF\xBB\xBF<a/>", "Invalid Document: Unexpected text in file prolog"},
    {"php_instruction", "<?php echo 1; ?><a/>", "Invalid Document: Unexpected text in file prolog"},
    {"lower_case_doctype", "<!doctype html><a/>", "Invalid Document: Unexpected text in file prolog"},
    {"declaration_without_blank", "<?xml?><a/>", "Invalid Document: Unexpected text in file prolog"},
    {"lone_lt", "<", "Invalid Document: Unexpected text in file prolog"},
    {"no_name", "<a>< b/></a>", "Invalid XML Element: malformed tag found (no valid name)"},
    {"root_no_name", "< a/>", "Invalid XML Element: malformed tag found (no valid name)"},
    {"tag_end", "<a><b/x></a>", "Invalid XML Element: Expected end of tag but \"x\" found"},
    {"tag_end_after_attrs", "<a b=\"1\"/ >", "Invalid XML Element: Expected end of tag but \" \" found"},
    {"end_tag", "<a><b></c></a>", "Invalid XML Element: Erroneous end of tag, expecting </b> but </c> found"},
    {"end_tag_blank", "<a>x</a >", "Invalid XML Element: Erroneous end of tag, expecting </a> but </a > found"},
    {"end_tag_cut", "<a><b>1</b>", "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found"},
    {"end_tag_cut_child", "<a><b>1", "Invalid XML Element: Erroneous end of tag, expecting </b> but </> found"},
    {"end_tag_prefix", "<p:a>x</a>", "Invalid XML Element: Erroneous end of tag, expecting </a> but </a> found"},
    {"root_start_cut", "<screen default=\"0\"", "Invalid XML Element: Erroneous end of tag, expecting </screen> but </> found"},
    {"root_name_cut", "<scr", "Invalid XML Element: Erroneous end of tag, expecting </scr> but </> found"},
    {"child_start_cut", "<a><b c='1'", "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found"},
    {"end_tag_unclosed", "<a>x</a", "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found"},
    {"attr_dot", "<a b.c=\"1\"/>", "Invalid XML Element: Unexpected character in property declaration (\".\" found)"},
    {"attr_start", "<a \"x\"/>", "Invalid XML Element: Unexpected character in property declaration (\"\"\" found)"},
    {"attr_high_byte", "<a b\xE9=\"1\"/>", "Invalid XML Element: Unexpected character in property declaration (\"\xE9\" found)"},
    {"attr_before_eq", "<a b c=\"1\"/>", "Invalid XML Element: Unexpected character in property declaration (\"c\" found)"},
    {"attr_quote", "<a b=1/>", "Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"1\"  found"},
    {"comment_hyphens", "<a><!-- a -- b --></a>", "Invalid Comment: \"--\" not allowed inside comments"},
    {"comment_hyphens_before_gt", "<a><!-- a --x> --></a>", "Invalid Comment: \"--\" not allowed inside comments"},
    {"comment_triple", "<!-- a --->", "Invalid Comment: \"--\" not allowed inside comments"},
    {"comment_end", "<a><!-- open", "Invalid Comment: Unexpected end of data"},
    {"comment_end_prolog", "<!-- open -", "Invalid Comment: Unexpected end of data"},
    {"cdata_start", "<a><![CDATA\t[x]]></a>", "Invalid CDATA: expected \"[\" but found \"\t\""},
    {"cdata_start_blank", "<a><![CDATA [x]]></a>", "Invalid CDATA: expected \"[\" but found \" \""},
    {"cdata_end", "<a><![CDATA[x]]", "Invalid CDATA: Unexpected end of data"},
    {"header_end", "<?xml version=\"1.0\"", "Invalid Header: Unexpected end of data"},
    {"header_question", "<?xml version=\"1.0\"><a/>", "Invalid Header: expected \"?\" but found \">\""},
    {"header_gt", "<?xml version=\"1.0\"?x<a/>", "Invalid Header: expected \">\" but found \"x\""},
    {"header_attr", "<?xml version=1.0?>", "Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"1\"  found"},
    {"doctype_end", "<!DOCTYPE a [ > ", "Invalid Header: Unexpected end of data"},
    {"sheet", "<?xml-stylesheet href=\"a\"/><a/>", "Invalid Stylesheet: expected \"?\" but found \"/\""},
    {"sheet_gt", "<?xml-stylesheet href=\"a\"?]<a/>", "Invalid Stylesheet: expected \">\" but found \"]\""},
    {"sheet_end", "<?xml-stylesheet href=\"a\"", "Invalid Stylesheet: Unexpected end of data"},
    {"tag_question", "<a b=\"1\"?>", "Invalid XML Element: Expected end of tag but \"?\" found"},
};

class ParserErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParserErrors, Message)
{
    EXPECT_EQ(ErrorOf(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(All, ParserErrors, testing::ValuesIn(kErrors),
                         [](const auto& info) { return std::string(info.param.label); });

const TJvSimpleXMLElem* Child(const TJvSimpleXMLElem& e, int i) { return e.ItemsIfAny()->Item(i); }

TEST(Parser, SingleTextBecomesTheValue)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<r><a>10</a><b>  10  </b><c>   </c></r>");
    auto& items = doc.Root().Items();
    EXPECT_EQ(items.Item(0)->Value(), "10");
    EXPECT_EQ(items.Item(0)->ChildCount(), 0);
    EXPECT_EQ(items.Item(1)->Value(), "10  ");
    EXPECT_EQ(items.Item(2)->Value(), "");
}

TEST(Parser, MixedContentKeepsItsChildren)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<a>x<b/>y</a>");
    ASSERT_EQ(doc.Root().ChildCount(), 3);
    EXPECT_EQ(Child(doc.Root(), 0)->Kind(), TJvSimpleXMLElemKind::Text);
    EXPECT_EQ(Child(doc.Root(), 0)->Value(), "x");
    EXPECT_EQ(Child(doc.Root(), 1)->Name(), "b");
    EXPECT_EQ(Child(doc.Root(), 2)->Value(), "y");
    EXPECT_EQ(doc.Root().Value(), "");

    doc.LoadFromString("<a><!-- c -->10</a>");
    ASSERT_EQ(doc.Root().ChildCount(), 2);
    EXPECT_EQ(Child(doc.Root(), 0)->Kind(), TJvSimpleXMLElemKind::Comment);
    EXPECT_EQ(Child(doc.Root(), 0)->Value(), " c ");
    EXPECT_EQ(Child(doc.Root(), 1)->Value(), "10");
    EXPECT_EQ(doc.Root().Value(), "");
}

TEST(Parser, ValuesAreDecodedOnce)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<a b=\"&amp;lt;&#xE9;\">&amp;lt;</a>");
    EXPECT_EQ(doc.Root().Value(), "&lt;");
    EXPECT_EQ(doc.Root().Properties().Value("b"), "&lt;\xE9");
}

TEST(Parser, OptionFourDecodesLikeFourteen)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::EncodeValues;
    doc.LoadFromString("<a>&#233;&AMP;</a>");
    EXPECT_EQ(doc.Root().Value(), "\xE9&");
    doc.Options = TJvSimpleXML::EncodeEntities;
    doc.LoadFromString("<a>&#233;&AMP;</a>");
    EXPECT_EQ(doc.Root().Value(), "&#233;&");
    doc.Options = 0;
    doc.LoadFromString("<a>&#233;&AMP;</a>");
    EXPECT_EQ(doc.Root().Value(), "&#233;&AMP;");
}

TEST(Parser, EndTagsIgnoreCase)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<A>x</a>");
    EXPECT_EQ(doc.Root().Name(), "A");
    doc.LoadFromString("<r><\xC9t\xE9>1</\xE9T\xC9></r>");
    EXPECT_EQ(doc.Root().ChildCount(), 1);
}

TEST(Parser, Attributes)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<a b='1' c=\"2\" d = \"x'<>&amp;\r\ny\" p:e='q\"' b='3'/>");
    const TJvSimpleXMLProps& props = *doc.Root().PropertiesIfAny();
    ASSERT_EQ(props.Count(), 5);
    EXPECT_EQ(props.Item(0)->Value(), "1");
    EXPECT_EQ(props.Item(1)->Value(), "2");
    EXPECT_EQ(props.Item(2)->Value(), "x'<>&\r\ny");
    EXPECT_EQ(props.Item(3)->Name(), "e");
    EXPECT_EQ(props.Item(3)->NameSpace(), "p");
    EXPECT_EQ(props.Item(3)->Value(), "q\"");
    EXPECT_EQ(doc.Root().Properties().Value("B"), "3");
}

TEST(Parser, UnfinishedAttributeAtTheEndIsDropped)
{
    TJvSimpleXML doc;
    EXPECT_THROW(doc.LoadFromString("<a b='1' c='2"), EJvSimpleXMLError);
    EXPECT_EQ(doc.Root().Properties().Count(), 1);
}

TEST(Parser, EmptyAndBlankTextsReadAsEmptyDocuments)
{
    for (const char* text : {"", " \t\r\n"}) {
        TJvSimpleXML doc;
        EXPECT_NO_THROW(doc.LoadFromString(text));
        EXPECT_EQ(doc.Root().Name(), "");
        EXPECT_EQ(doc.Root().ChildCount(), 0);
    }
}

TEST(Parser, TextAfterTheRootIsIgnored)
{
    for (const char* tail : {"<b/>", "<!-- c -->", "garbage < & >", "</x>"}) {
        TJvSimpleXML doc;
        EXPECT_NO_THROW(doc.LoadFromString(std::string("<a>1</a>") + tail)) << tail;
        EXPECT_EQ(doc.Root().Value(), "1");
    }
}

TEST(Parser, PrologEntries)
{
    TJvSimpleXML doc;
    doc.LoadFromString("\r\n<?xml\tversion=\"1.0\" encoding=\"UTF-8\"?>\n<!-- a - b -->"
                       "<?xml-stylesheet href=\"s.xsl\"?><!DOCTYPE\tr [<!ELEMENT r ANY>]\n><r/>");
    auto& p = doc.Prolog();
    ASSERT_EQ(p.Count(), 4);
    auto* header = dynamic_cast<TJvSimpleXMLElemHeader*>(p.Item(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Version, "1.0");
    EXPECT_EQ(header->Encoding, "UTF-8");
    EXPECT_FALSE(header->Standalone);
    EXPECT_EQ(p.Item(1)->Value(), " a - b ");
    EXPECT_EQ(p.Item(2)->Kind(), TJvSimpleXMLElemKind::Sheet);
    EXPECT_EQ(p.Item(2)->PropertiesIfAny()->Item(0)->Value(), "s.xsl");
    EXPECT_EQ(p.Item(3)->Kind(), TJvSimpleXMLElemKind::DocType);
    EXPECT_EQ(p.Item(3)->Value(), "r [<!ELEMENT r ANY>]");
    EXPECT_EQ(doc.Root().Name(), "r");
    EXPECT_EQ(doc.SaveToString().substr(0, 50), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- a - b");
}

TEST(Parser, DeclarationWithoutFields)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<?xml ?><a/>");
    auto* header = dynamic_cast<TJvSimpleXMLElemHeader*>(doc.Prolog().Item(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Version, "");
    EXPECT_EQ(header->Encoding, "");
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"\"?>\r\n<a/>\r\n");
}

TEST(Parser, CDataAndComments)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<a><![CDATA[x]]]><![CDATA[ <&> ]] ]>]]><!----><!-- a-b --></a>");
    ASSERT_EQ(doc.Root().ChildCount(), 4);
    EXPECT_EQ(Child(doc.Root(), 0)->Value(), "x]");
    EXPECT_EQ(Child(doc.Root(), 1)->Value(), " <&> ]] ]>");
    EXPECT_EQ(Child(doc.Root(), 2)->Value(), "");
    EXPECT_EQ(Child(doc.Root(), 3)->Value(), " a-b ");
}

TEST(Parser, NamesAcceptAnyByteButDelimiters)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<r><\xE9l\xE8ve.x?=1>1</\xE9l\xE8ve.x?=1><a:b:c/><!x/></r>");
    ASSERT_EQ(doc.Root().ChildCount(), 3);
    EXPECT_EQ(Child(doc.Root(), 0)->Name(), "\xE9l\xE8ve.x?=1");
    EXPECT_EQ(Child(doc.Root(), 1)->NameSpace(), "b");
    EXPECT_EQ(Child(doc.Root(), 1)->Name(), "c");
    EXPECT_EQ(Child(doc.Root(), 2)->Name(), "!x");
}

// The writer encodes names; reading decodes them, so a name survives any number of saves.
TEST(Parser, NamesTheWriterEncodedReadBackAsTheyWere)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<r><gr&#xF6;&#xDF;e>1</GR\xD6\xDF" "E><a&amp;b/><x&#58;y/><p&#x3A;q:n/><c&#32;d/><e&#33;/><&#33;f/></r>");
    ASSERT_EQ(doc.Root().ChildCount(), 7);
    EXPECT_EQ(Child(doc.Root(), 0)->Name(), "gr\xF6\xDF" "e");
    EXPECT_EQ(Child(doc.Root(), 1)->Name(), "a&b");
    EXPECT_EQ(Child(doc.Root(), 2)->Name(), "x&#58;y");  // a colon would change the name
    EXPECT_EQ(Child(doc.Root(), 3)->NameSpace(), "p&#x3A;q");
    EXPECT_EQ(Child(doc.Root(), 4)->Name(), "c&#32;d");
    EXPECT_EQ(Child(doc.Root(), 5)->Name(), "e!");
    EXPECT_EQ(Child(doc.Root(), 6)->Name(), "&#33;f");
    const std::string once = doc.SaveToString();
    TJvSimpleXML again;
    again.LoadFromString(once);
    EXPECT_EQ(again.SaveToString(), once);
    EXPECT_EQ(again.Root().Items().ItemNamed("A&B"), again.Root().Items().Item(1));
}

TEST(Parser, RootNameReplacedOnlyByANonEmptyName)
{
    TJvSimpleXML doc;
    doc.Root().SetName("old");
    doc.LoadFromString("");
    EXPECT_EQ(doc.Root().Name(), "old");
    doc.LoadFromString("<p:new>v</p:new>");
    EXPECT_EQ(doc.Root().Name(), "new");
    EXPECT_EQ(doc.Root().NameSpace(), "p");
    EXPECT_EQ(doc.Root().Value(), "v");
    doc.LoadFromString("<></>");
    EXPECT_EQ(doc.Root().Name(), "new");
    EXPECT_EQ(doc.Root().NameSpace(), "");
    EXPECT_EQ(doc.Root().Value(), "");
}

TEST(Parser, AfterAnErrorTheCompletePartStays)
{
    TJvSimpleXML doc;
    doc.Root().SetName("before");
    EXPECT_THROW(doc.LoadFromString("<!--p--><r a=\"1\"><ok>1</ok><bad><inner/>"), EJvSimpleXMLError);
    EXPECT_EQ(doc.Prolog().Count(), 1);
    EXPECT_EQ(doc.Root().Name(), "before");
    EXPECT_EQ(doc.Root().Properties().Value("a"), "1");
    ASSERT_EQ(doc.Root().ChildCount(), 1);
    EXPECT_EQ(Child(doc.Root(), 0)->Name(), "ok");

    EXPECT_THROW(doc.LoadFromString("<r>lone"), EJvSimpleXMLError);
    ASSERT_EQ(doc.Root().ChildCount(), 1);
    EXPECT_EQ(Child(doc.Root(), 0)->Value(), "lone");
}

TEST(Parser, LoadingReplacesThePreviousContent)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<!--1--><a x=\"1\"><b/></a>");
    doc.LoadFromString("<c/>");
    EXPECT_EQ(doc.Prolog().Count(), 0);
    EXPECT_EQ(doc.Root().Name(), "c");
    EXPECT_EQ(doc.Root().ChildCount(), 0);
    EXPECT_EQ(doc.Root().Properties().Count(), 0);
}

TEST(Parser, ReadsBackWhatTheWriterWrote)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    doc.Root().SetName("screen");
    doc.Root().Properties().Add("t", "\"&'<>\xE9");
    doc.Root().Properties().Add("s", "2");
    auto* item = doc.Root().Items().Add("item");
    item->Items().Add("text", "a & <b> \"c\" 'd' \xE9\x80");
    item->Items().Add("empty");
    const std::string text = doc.SaveToString();
    TJvSimpleXML back;
    back.LoadFromString(text);
    EXPECT_EQ(back.Root().Properties().Value("t"), "\"&'<>\xE9");
    EXPECT_EQ(back.Root().Properties().Item(1)->Name(), "s");
    EXPECT_EQ(back.Root().Items().ItemNamed("item")->Items().ItemNamed("text")->Value(), "a & <b> \"c\" 'd' \xE9\x80");
    EXPECT_EQ(back.Root().Items().ItemNamed("item")->Items().ItemNamed("empty")->ChildCount(), 0);
    EXPECT_EQ(back.SaveToString(), text);
}

}  // namespace
