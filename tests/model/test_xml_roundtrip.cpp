// Property: any tree the text form can hold is written, read back into an equal tree, and written
// again into the same bytes.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class TreeMaker {
public:
    explicit TreeMaker(uint32_t seed) : rng(seed) {}

    void Fill(TJvSimpleXML& doc)
    {
        if (Chance(3)) {
            auto c = std::make_unique<TJvSimpleXMLElemComment>();
            c->SetValue(CommentText());
            doc.Prolog().Add(std::move(c));
        }
        Element(doc.Root(), 0);
    }

private:
    std::mt19937 rng;

    int Below(int n) { return int(rng() % uint32_t(n)); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }
    char AnyByte() { return char(1 + Below(255)); }
    static bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    // Any byte but those that end a name; not "!" or "?" first (comments, declarations).
    std::string Name()
    {
        std::string s;
        const int len = 1 + Below(8);
        while (int(s.size()) < len) {
            const char c = AnyByte();
            if (IsWhite(c) || c == '/' || c == ':' || c == '>')
                continue;
            if (s.empty() && (c == '!' || c == '?'))
                continue;
            s.push_back(c);
        }
        return s;
    }
    std::string PropName()
    {
        static const char kChars[] = "abcXYZ019_-";
        std::string s;
        for (int i = 0, len = 1 + Below(6); i < len; ++i)
            s.push_back(kChars[Below(sizeof kChars - 1)]);
        return s;
    }
    std::string Bytes(int maxLen)
    {
        std::string s;
        for (int i = 0, len = Below(maxLen + 1); i < len; ++i)
            s.push_back(AnyByte());
        return s;
    }
    // The reader skips white space before a text.
    std::string Value()
    {
        std::string s = Bytes(12);
        while (!s.empty() && IsWhite(s.front()))
            s.erase(0, 1);
        return s;
    }
    std::string CommentText()
    {
        std::string s = Bytes(12);
        for (size_t i = 1; i < s.size(); ++i)
            if (s[i] == '-' && s[i - 1] == '-')
                s[i] = 'x';
        if (!s.empty() && s.back() == '-')
            s.back() = 'x';
        return s;
    }
    std::string CDataText()
    {
        std::string s = Bytes(12);
        for (size_t p; (p = s.find("]]>")) != std::string::npos;)
            s[p] = 'x';
        return s;
    }

    void Element(TJvSimpleXMLElem& e, int depth)
    {
        e.SetName(Name());
        if (Chance(4))
            e.SetNameSpace(Name());
        for (int i = 0, n = Below(4); i < n; ++i) {
            auto* p = e.Properties().Add(PropName(), Bytes(10));
            if (Chance(4))
                p->SetNameSpace(PropName());
        }
        const int kids = depth < 5 ? Below(5) : 0;
        if (kids == 0) {
            e.SetValue(Chance(3) ? std::string() : Value());
            return;
        }
        for (int i = 0; i < kids; ++i) {
            const int kind = Below(10);
            if (kind == 0) {
                auto c = std::make_unique<TJvSimpleXMLElemComment>();
                c->SetValue(CommentText());
                e.Items().Add(std::move(c));
            } else if (kind == 1) {
                auto c = std::make_unique<TJvSimpleXMLElemCData>();
                c->SetValue(CDataText());
                e.Items().Add(std::move(c));
            } else {
                Element(*e.Items().Add(""), depth + 1);
            }
        }
    }
};

void ExpectSameTree(const TJvSimpleXMLElem& a, const TJvSimpleXMLElem& b, const std::string& path)
{
    ASSERT_EQ(a.Kind(), b.Kind()) << path;
    EXPECT_EQ(a.Name(), b.Name()) << path;
    EXPECT_EQ(a.NameSpace(), b.NameSpace()) << path;
    EXPECT_EQ(a.Value(), b.Value()) << path;
    const int pa = a.PropertiesIfAny() ? a.PropertiesIfAny()->Count() : 0;
    const int pb = b.PropertiesIfAny() ? b.PropertiesIfAny()->Count() : 0;
    ASSERT_EQ(pa, pb) << path;
    for (int i = 0; i < pa; ++i) {
        const TJvSimpleXMLProp* x = a.PropertiesIfAny()->Item(i);
        const TJvSimpleXMLProp* y = b.PropertiesIfAny()->Item(i);
        EXPECT_EQ(x->Name(), y->Name()) << path;
        EXPECT_EQ(x->NameSpace(), y->NameSpace()) << path;
        EXPECT_EQ(x->Value(), y->Value()) << path;
    }
    ASSERT_EQ(a.ChildCount(), b.ChildCount()) << path;
    for (int i = 0; i < a.ChildCount(); ++i)
        ExpectSameTree(*a.ItemsIfAny()->Item(i), *b.ItemsIfAny()->Item(i), path + "/" + std::to_string(i));
}

TEST(RoundTrip, RandomTreesWithEveryByte)
{
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        SCOPED_TRACE(seed);
        TJvSimpleXML doc;
        doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
        TreeMaker(seed).Fill(doc);
        const std::string once = doc.SaveToString();

        TJvSimpleXML back;
        back.Options = doc.Options;
        ASSERT_NO_THROW(back.LoadFromString(once)) << once;
        ExpectSameTree(doc.Root(), back.Root(), "");
        EXPECT_EQ(back.SaveToString(), once);
        if (testing::Test::HasFailure())
            break;
    }
}

}  // namespace
