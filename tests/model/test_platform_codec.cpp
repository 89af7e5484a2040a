// The Windows-1252 codec and its case mapping.
#include "platform/core/Codec1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Codec1252, TableOfTheHighControlRange)
{
    EXPECT_EQ(FromWin1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(FromWin1252("\x8A\x9F\x99"), QString::fromUtf16(u"\u0160\u0178\u2122"));
    EXPECT_EQ(FromWin1252("caf\xE9"), QStringLiteral("caf\u00E9"));
}

TEST(Codec1252, EveryByteRoundTrips)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all.push_back(char(c));
    const auto back = ToWin1252(FromWin1252(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Codec1252, RefusesCharactersWithoutAByte)
{
    QChar bad;
    EXPECT_FALSE(ToWin1252(QStringLiteral("ab\u4E2Dc"), &bad).has_value());
    EXPECT_EQ(bad, QChar(0x4E2D));
    EXPECT_FALSE(ToWin1252(QString(QChar(0x0100))).has_value());
    EXPECT_EQ(ToWin1252(QString(QChar(0x20AC))).value(), "\x80");
}

TEST(Codec1252, ByteOfCodePoint)
{
    EXPECT_EQ(ByteOf1252(0x20AC), 0x80);
    EXPECT_EQ(ByteOf1252(0x0178), 0x9F);
    EXPECT_EQ(ByteOf1252(0xE9), 0xE9);
    EXPECT_EQ(ByteOf1252(0x100), -1);
    EXPECT_EQ(ByteOf1252(0x110000), -1);
}

struct CasePair {
    unsigned char lower, upper;
};

TEST(Codec1252, UpperAndLowerCase)
{
    const CasePair pairs[] = {{'a', 'A'}, {'z', 'Z'}, {0xE9, 0xC9}, {0xE0, 0xC0}, {0xFE, 0xDE},
                              {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
    for (const CasePair& p : pairs) {
        EXPECT_EQ(UpperCase1252(p.lower), p.upper) << int(p.lower);
        EXPECT_EQ(LowerCase1252(p.upper), p.lower) << int(p.upper);
    }
    // No case: division and multiplication signs, sharp s, micro sign, digits.
    for (int c : {0xF7, 0xD7, 0xDF, 0xB5, int('1'), int('_')}) {
        EXPECT_EQ(UpperCase1252((unsigned char)c), c);
        EXPECT_EQ(LowerCase1252((unsigned char)c), c);
    }
    EXPECT_TRUE(SameText1252("Gr\xD6\xDF" "e", "gr\xF6\xDF" "E"));
    EXPECT_FALSE(SameText1252("ab", "abc"));
    EXPECT_EQ(UpperCase1252(std::string_view("\xE9t\xE9")), "\xC9T\xC9");
}

}  // namespace
