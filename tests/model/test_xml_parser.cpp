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

}  // namespace
