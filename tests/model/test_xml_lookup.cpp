// Finding children and attributes by name, and the list operations around it.
#include "skinmodel/xml/BoolWords.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Short lists are scanned, long ones indexed: run the lookup rules on both.
class Lookup : public testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        for (int i = 0; i < GetParam(); ++i)
            root().Items().Add("filler" + std::to_string(i), int64_t(i));
    }
    TJvSimpleXMLElem& root() { return doc.Root(); }
    TJvSimpleXML doc;
};

TEST_P(Lookup, IgnoresCaseIncludingAccentedLetters)
{
    auto* a = root().Items().Add("textcolor", "1");
    auto* b = root().Items().Add("gr\xF6\xDF" "e", "2");
    auto* c = root().Items().Add("\x9A\xFF", "3");
    EXPECT_EQ(root().Items().ItemNamed("TextColor"), a);
    EXPECT_EQ(root().Items().ItemNamed("GR\xD6\xDF" "E"), b);
    EXPECT_EQ(root().Items().ItemNamed("\x8A\x9F"), c);
    EXPECT_EQ(root().Items().ItemNamed("textcolo"), nullptr);
    const TJvSimpleXMLElems& items = root().Items();
    EXPECT_EQ(items.FindNamed("TEXTcolor"), a);
    EXPECT_EQ(items.FindNamed("GR\xD6\xDF" "E"), b);
    EXPECT_EQ(items.FindNamed("textcolo"), nullptr);
}

TEST_P(Lookup, TheLastOfSeveralWins)
{
    root().Items().Add("x", "first");
    auto* second = root().Items().Add("X", "second");
    EXPECT_EQ(root().Items().ItemNamed("x"), second);
    EXPECT_EQ(root().Items().FindNamed("x"), second);
    root().Items().Delete(root().Items().Count() - 1);
    EXPECT_EQ(root().Items().ItemNamed("x")->Value(), "first");
    EXPECT_EQ(root().Items().FindNamed("X")->Value(), "first");
}

TEST_P(Lookup, RenamingIsFoundAtOnce)
{
    auto* e = root().Items().Add("old");
    ASSERT_EQ(root().Items().ItemNamed("old"), e);
    e->SetName("new");
    EXPECT_EQ(root().Items().FindNamed("new"), e);
    EXPECT_EQ(root().Items().FindNamed("old"), nullptr);
    EXPECT_EQ(root().Items().ItemNamed("new"), e);
    EXPECT_EQ(root().Items().ItemNamed("old"), nullptr);
}

TEST_P(Lookup, RenamingAnElementCreatedWithoutName)
{
    auto* e = root().Items().Add("");
    ASSERT_NE(root().Items().ItemNamed(""), nullptr);
    e->SetName("later");
    EXPECT_EQ(root().Items().ItemNamed("later"), e);
}

TEST_P(Lookup, AttributesFollowTheSameRules)
{
    auto& props = root().Properties();
    for (int i = 0; i < GetParam(); ++i)
        props.Add("p" + std::to_string(i), "v");
    props.Add("Width", "10");
    props.Add("WIDTH", "20");
    EXPECT_EQ(props.Value("width"), "20");
    EXPECT_EQ(props.IntValue("width"), 20);
    props.ItemNamed("WIDTH")->SetName("height");
    EXPECT_EQ(props.Value("width"), "10");
    EXPECT_EQ(props.Value("HEIGHT"), "20");
}

INSTANTIATE_TEST_SUITE_P(ShortAndLong, Lookup, testing::Values(0, 40));

TEST(Lookup, PrefixedElementIsListedUnderItsLocalName)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<r><p:item>1</p:item></r>");
    TJvSimpleXMLElem* e = doc.Root().Items().ItemNamed("item");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->NameSpace(), "p");
    EXPECT_EQ(e->GetQualifiedName(), "p:item");
    EXPECT_EQ(doc.Root().Items().ItemNamed("p:item"), nullptr);
}

TEST(Lookup, AutoCreateAddsMissingEntries)
{
    TJvSimpleXML doc;
    doc.Options |= TJvSimpleXML::AutoCreate;
    // Finding never creates.
    EXPECT_EQ(doc.Root().Items().FindNamed("made"), nullptr);
    EXPECT_EQ(doc.Root().ChildCount(), 0);
    TJvSimpleXMLElem* e = doc.Root().Items().ItemNamed("made");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(doc.Root().ChildCount(), 1);
    EXPECT_EQ(e->Value(), "");
    EXPECT_EQ(doc.Root().Properties().Value("a", "dflt"), "dflt");
    EXPECT_EQ(doc.Root().Properties().ItemNamed("a")->Value(), "dflt");
    EXPECT_EQ(doc.Root().Properties().IntValue("n", 7), 7);
    EXPECT_EQ(doc.Root().Properties().ItemNamed("n")->Value(), "7");

    // A free-standing element has no document, so nothing is created.
    TJvSimpleXMLElem free;
    EXPECT_EQ(free.Items().ItemNamed("made"), nullptr);
}

TEST(Lists, BadIndexesGiveNoneOrDoNothing)
{
    TJvSimpleXML doc;
    auto& items = doc.Root().Items();
    items.Add("a");
    items.Add("b");
    EXPECT_EQ(items.Item(2), nullptr);
    EXPECT_EQ(items.Item(-1), nullptr);
    items.Delete(-1);
    items.Delete(2);
    EXPECT_EQ(items.Count(), 2);
    items.Delete(0);
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Item(0)->Name(), "b");
    EXPECT_EQ(doc.Root().Properties().Item(0), nullptr);
    EXPECT_EQ(items.Add(std::unique_ptr<TJvSimpleXMLElem>()), nullptr);
}

TEST(Lists, ChildIndexAndClear)
{
    TJvSimpleXML doc;
    TJvSimpleXMLElem& r = doc.Root();
    EXPECT_EQ(r.GetChildIndex(&r), -1);
    auto* a = r.Items().Add("a");
    auto* b = r.Items().Add("b");
    EXPECT_EQ(r.GetChildIndex(b), 1);
    EXPECT_EQ(a->GetChildIndex(b), -1);
    r.SetName("root");
    r.SetValue("v");
    r.Properties().Add("x", "1");
    r.Clear();
    EXPECT_EQ(r.ChildCount(), 0);
    EXPECT_EQ(r.Properties().Count(), 0);
    EXPECT_EQ(r.Name(), "root");
    EXPECT_EQ(r.Value(), "v");
}

#if defined(__SANITIZE_ADDRESS__)
// The node pool poisons what it frees and does not hand it out again at once, so the sanitizer
// sees a deleted node being used, also after its block could have served a new one.
TEST(ListsDeathTest, ADeletedNodeInUseIsReported)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            TJvSimpleXML doc;
            doc.LoadFromString("<r><a>1</a></r>");
            const TJvSimpleXMLElem* a = doc.Root().Items().Item(0);
            doc.Root().Items().Delete(0);
            doc.Root().Items().Add("b");
            std::fprintf(stderr, "%d\n", int(a->Kind()));
        },
        "use-after-poison");
}
#endif

TEST(Lists, EmptyOrEqualNameChangesNothing)
{
    TJvSimpleXML doc;
    auto* e = doc.Root().Items().Add("keep");
    e->SetName("");
    EXPECT_EQ(e->Name(), "keep");
}

TEST(Lists, AddingAnInteger)
{
    TJvSimpleXML doc;
    EXPECT_EQ(doc.Root().Items().Add("n", int64_t(-9000000000))->Value(), "-9000000000");
}

struct IntCase {
    const char* text;
    int64_t value;
};

TEST(Values, IntValue)
{
    const IntCase cases[] = {{"10", 10}, {"-10", -10}, {"+7", 7}, {"  42", 42}, {"$1F", 31}, {"0x10", 16},
                             {"x10", 16}, {"9223372036854775807", INT64_MAX}, {"-9223372036854775808", INT64_MIN},
                             {"9223372036854775808", -1}, {"", -1}, {"abc", -1}, {"12a", -1}, {"1.5", -1},
                             {"42 ", -1}, {"--1", -1}};
    TJvSimpleXMLElem e;
    for (const IntCase& c : cases) {
        e.SetValue(c.text);
        EXPECT_EQ(e.IntValue(), c.value) << c.text;
    }
}

struct BoolCase {
    const char* text;
    bool value;
};

TEST(Values, BoolValueWithTheProgramWords)
{
    SetTrueBoolStrs({"true", "on", "yes", "enabled"});
    SetFalseBoolStrs({"false", "off", "no", "disabled", "nee"});
    const BoolCase cases[] = {{"true", true},  {"TRUE", true},  {"Yes", true},  {"enabled", true}, {"1", true},
                              {"-1", true},    {"2.5", true},   {"0", false},   {"0.0", false},    {"Nee", false},
                              {"off", false},  {"maybe", false}, {"nan", false}};
    TJvSimpleXMLElem e;
    auto& props = e.Properties();
    for (const BoolCase& c : cases) {
        props.Clear();
        props.Add("b", c.text);
        EXPECT_EQ(props.BoolValue("b", !c.value), c.value) << c.text;
    }
    props.Clear();
    EXPECT_TRUE(props.BoolValue("b", true));
    EXPECT_FALSE(props.BoolValue("b", false));
    props.Add("b", "");
    EXPECT_TRUE(props.BoolValue("b", true));
    SetTrueBoolStrs({"True"});
    SetFalseBoolStrs({"False"});
    bool out = false;
    EXPECT_FALSE(TryStrToBool("yes", out));
}

TEST(Values, MissingAttributesGiveTheDefault)
{
    TJvSimpleXMLElem e;
    EXPECT_EQ(e.Properties().Value("none", "d"), "d");
    EXPECT_EQ(e.Properties().IntValue("none", 5), 5);
    e.Properties().Add("n", "text");
    EXPECT_EQ(e.Properties().IntValue("n", 5), -1);
}

TEST(Assign, CopiesTheWholeSubtreeWithKinds)
{
    TJvSimpleXML doc;
    doc.LoadFromString("<r a=\"1\" p:b=\"2\"><x>1</x><!--c--><![CDATA[d]]><q:y><z/></q:y>t<w/></r>");
    TJvSimpleXMLElem copy;
    copy.Assign(doc.Root());
    TJvSimpleXML other;
    other.Root().Assign(copy);
    EXPECT_EQ(other.SaveToString(), doc.SaveToString());
    ASSERT_EQ(copy.ChildCount(), 6);
    EXPECT_EQ(copy.Items().Item(1)->Kind(), TJvSimpleXMLElemKind::Comment);
    EXPECT_EQ(copy.Items().Item(2)->Kind(), TJvSimpleXMLElemKind::CData);
    EXPECT_EQ(copy.Items().Item(4)->Kind(), TJvSimpleXMLElemKind::Text);
    EXPECT_EQ(copy.Items().Item(3)->Items().Item(0)->Parent(), copy.Items().Item(3));
}

TEST(Assign, HeaderFields)
{
    TJvSimpleXMLElemHeader a, b;
    a.Version = "2.0";
    a.Encoding = "UTF-8";
    a.Standalone = true;
    b.Assign(a);
    EXPECT_EQ(b.Version, "2.0");
    EXPECT_EQ(b.Encoding, "UTF-8");
    EXPECT_TRUE(b.Standalone);
}

}  // namespace
