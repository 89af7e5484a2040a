// The value encoder and decoder.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <gtest/gtest.h>

namespace {

struct Coding {
    const char* label;
    std::string in;
    std::string out;
};

class Encode : public testing::TestWithParam<Coding> {};

TEST_P(Encode, Bytes) { EXPECT_EQ(EncodeText(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(All, Encode, testing::Values(
    Coding{"plain", "abc 123", "abc 123"},
    Coding{"five_entities", "\"&'<>", "&quot;&amp;&apos;&lt;&gt;"},
    Coding{"e_acute", "caf\xE9", "caf&#xE9;"},
    Coding{"high_bytes", "\x80\x9F\xA0\xFF", "&#x80;&#x9F;&#xA0;&#xFF;"},
    Coding{"controls_unchanged", "a\tb\rc\nd\x01", "a\tb\rc\nd\x01"},
    Coding{"empty", "", ""},
    Coding{"already_encoded", "&amp;", "&amp;amp;"}),
    [](const auto& info) { return std::string(info.param.label); });

class Decode : public testing::TestWithParam<Coding> {};

TEST_P(Decode, InPlace)
{
    std::string s = GetParam().in;
    DecodeText(s);
    EXPECT_EQ(s, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(All, Decode, testing::Values(
    Coding{"five_entities", "&quot;&amp;&apos;&lt;&gt;", "\"&'<>"},
    Coding{"any_case", "&AMP;&Lt;&gT;&APOS;&Quot;", "&<>'\""},
    Coding{"hex_upper", "&#xE9;", "\xE9"},
    Coding{"hex_lower", "&#xe9;", "\xE9"},
    Coding{"hex_capital_x", "&#XE9;", "\xE9"},
    Coding{"decimal", "&#233;", "\xE9"},
    Coding{"leading_zeros", "&#0065;", "A"},
    Coding{"one", "&#1;", "\x01"},
    Coding{"byte_255", "&#255;", "\xFF"},
    Coding{"c1_range_as_byte", "&#128;", "\x80"},
    Coding{"euro_to_1252", "&#8364;", "\x80"},
    Coding{"euro_hex_to_1252", "&#x20AC;", "\x80"},
    Coding{"y_diaeresis_capital", "&#376;", "\x9F"},
    Coding{"no_1252_byte_stays", "&#9999;", "&#9999;"},
    Coding{"256_stays", "&#256;", "&#256;"},
    Coding{"huge_stays", "&#99999999999999999999;", "&#99999999999999999999;"},
    Coding{"zero_stays", "&#0;", "&#0;"},
    Coding{"empty_hex_stays", "&#x;", "&#x;"},
    Coding{"no_semicolon_stays", "&#12", "&#12"},
    Coding{"not_a_number_stays", "&#abc;", "&#abc;"},
    Coding{"empty_decimal_stays", "&#;", "&#;"},
    Coding{"sign_stays", "&#-5;&#+5;", "&#-5;&#+5;"},
    Coding{"stays_after_entity", "&amp;&#0;&#x;&#12", "&&#0;&#x;&#12"},
    Coding{"reference_after_failed_one", "&#12&#65;", "&#12A"},
    Coding{"nbsp_stays", "&nbsp;", "&nbsp;"},
    Coding{"unknown_stays", "&foo; & &amp", "&foo; & &amp"},
    Coding{"decoded_once", "&amp;lt;", "&lt;"},
    Coding{"white_space_kept", " \t\r\n a \r\n", " \t\r\n a \r\n"},
    Coding{"ampersand_at_end", "a&", "a&"},
    Coding{"hash_at_end", "a&#", "a&#"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DecodeNamedEntities, LeavesCharacterReferences)
{
    EXPECT_EQ(DecodeNamedEntities("&Amp;&#65;&#x41;&lt;&nbsp;"), "&&#65;&#x41;<&nbsp;");
}

TEST(Coding, EveryByteSurvivesEncodeThenDecode)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(char(c));
    std::string s = EncodeText(all);
    EXPECT_LE(s.size(), all.size() * 6);
    DecodeText(s);
    EXPECT_EQ(s, all);
}

}  // namespace
