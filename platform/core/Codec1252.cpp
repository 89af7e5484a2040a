#include "platform/core/Codec1252.h"

#include <array>

namespace {

// Code points of the bytes 0x80-0x9F. The five bytes Windows leaves undefined keep their C1 code
// point, so a byte read from a file always survives a round trip through QString.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t CodePointOf1252(unsigned char c)
{
    return (c >= 0x80 && c <= 0x9F) ? kHigh[c - 0x80] : char16_t(c);
}

int ByteOf1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

QString FromWin1252(std::string_view bytes)
{
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        d[i] = QChar(CodePointOf1252(static_cast<unsigned char>(bytes[i])));
    return out;
}

std::optional<std::string> ToWin1252(const QString& text, QChar* badChar)
{
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar ch : text) {
        const int b = ByteOf1252(ch.unicode());
        if (b < 0) {
            if (badChar)
                *badChar = ch;
            return std::nullopt;
        }
        out.push_back(char(b));
    }
    return out;
}

unsigned char UpperCase1252(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
    }
}

unsigned char LowerCase1252(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

std::string UpperCase1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(UpperCase1252(static_cast<unsigned char>(c)));
    return out;
}

std::string LowerCase1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(LowerCase1252(static_cast<unsigned char>(c)));
    return out;
}

bool SameText1252(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]
            && UpperCase1252(static_cast<unsigned char>(a[i])) != UpperCase1252(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
