#include "skinmodel/xml/JvSimpleXml2.h"
#include "skinmodel/xml/XmlText.h"

#include "platform/core/Codec1252.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<bool, 256> MakeNeedsEncoding()
{
    std::array<bool, 256> t{};
    for (int i = 0x80; i < 256; ++i)
        t[i] = true;
    t['"'] = t['&'] = t['\''] = t['<'] = t['>'] = true;
    return t;
}
constexpr std::array<bool, 256> kNeedsEncoding = MakeNeedsEncoding();

struct NamedEntity {
    const char* text;
    size_t length;
    char value;
};
// Compared in this order, without regard to case.
constexpr NamedEntity kEntities[] = {
    {"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&apos;", 6, '\''}, {"&quot;", 6, '"'},
};

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 0x20) : c; }

// The named entity at `s[r]` ("&" there): its length and character, or 0.
size_t MatchNamed(const char* s, size_t r, size_t n, char& value)
{
    for (const NamedEntity& e : kEntities) {
        if (n - r < e.length)
            continue;
        size_t k = 1;
        while (k < e.length && AsciiUpper(s[r + k]) == AsciiUpper(e.text[k]))
            ++k;
        if (k == e.length) {
            value = e.value;
            return e.length;
        }
    }
    return 0;
}

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The character reference at `s[r]` ("&#" there): its length and byte, or 0 when it stays as written.
size_t MatchReference(const char* s, size_t r, size_t n, char& value)
{
    size_t j = r + 2;
    bool hex = false;
    if (j < n && (s[j] == 'x' || s[j] == 'X')) {
        hex = true;
        ++j;
    }
    const size_t start = j;
    uint32_t number = 0;
    bool tooBig = false;
    for (int d; j < n && (d = DigitValue(s[j], hex)) >= 0; ++j) {
        number = number * (hex ? 16 : 10) + uint32_t(d);
        if (number > 0x10FFFF) {
            tooBig = true;
            number = 0x10FFFF + 1;
        }
    }
    if (j == start || j >= n || s[j] != ';' || tooBig || number == 0)
        return 0;
    // Above 255 only what Windows-1252 can hold; never a truncated byte.
    const int byte = number <= 255 ? int(number) : ByteOf1252(char32_t(number));
    if (byte < 0)
        return 0;
    value = char(byte);
    return j + 1 - r;
}

// Decodes s[0..n) into out (which may alias s: the output never runs ahead of the input).
template <bool kReferences>
size_t DecodeSpan(const char* s, size_t n, char* out)
{
    size_t r = 0, w = 0;
    while (r < n) {
        const void* amp = std::memchr(s + r, '&', n - r);
        const size_t stop = amp ? size_t(static_cast<const char*>(amp) - s) : n;
        if (stop > r) {
            if (out + w != s + r)
                std::memmove(out + w, s + r, stop - r);
            w += stop - r;
            r = stop;
        }
        if (r >= n)
            break;
        char value = 0;
        size_t len = 0;
        if (r + 1 < n && s[r + 1] == '#') {
            if (kReferences)
                len = MatchReference(s, r, n, value);
        } else {
            len = MatchNamed(s, r, n, value);
        }
        if (len) {
            out[w++] = value;
            r += len;
        } else {
            out[w++] = '&';
            ++r;
        }
    }
    return w;
}

}  // namespace

namespace jvxml {

char* PutEncoded(char* out, std::string_view text)
{
    static const char kHex[] = "0123456789ABCDEF";
    // Byte by byte: the texts of a skin are short, and a call per run costs more than the copy.
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (!kNeedsEncoding[c]) {
            *out++ = ch;
            continue;
        }
        switch (c) {
        case '"': std::memcpy(out, "&quot;", 6); out += 6; break;
        case '&': std::memcpy(out, "&amp;", 5); out += 5; break;
        case '\'': std::memcpy(out, "&apos;", 6); out += 6; break;
        case '<': std::memcpy(out, "&lt;", 4); out += 4; break;
        case '>': std::memcpy(out, "&gt;", 4); out += 4; break;
        default:
            out[0] = '&';
            out[1] = '#';
            out[2] = 'x';
            out[3] = kHex[c >> 4];
            out[4] = kHex[c & 15];
            out[5] = ';';
            out += 6;
        }
    }
    return out;
}

void AppendEncoded(std::string& out, std::string_view text)
{
    const size_t base = out.size();
    out.resize(base + text.size() * 6);
    out.resize(size_t(PutEncoded(out.data() + base, text) - out.data()));
}

void AppendDecoded(std::string& out, std::string_view text, Decoding mode)
{
    if (mode == Decoding::None || std::memchr(text.data(), '&', text.size()) == nullptr) {
        out.append(text);
        return;
    }
    const size_t base = out.size();
    out.resize(base + text.size());
    const size_t w = mode == Decoding::Full ? DecodeSpan<true>(text.data(), text.size(), out.data() + base)
                                            : DecodeSpan<false>(text.data(), text.size(), out.data() + base);
    out.resize(base + w);
}

int HashKey(std::string_view key)
{
    uint32_t h = 0;
    for (char c : key)
        h = ((h << 2) | (h >> 30)) ^ UpperCase1252(static_cast<unsigned char>(c));
    return int(h % 256);
}

bool SameName(std::string_view a, std::string_view b)
{
    return SameText1252(a, b);
}

}  // namespace jvxml

std::string EncodeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    jvxml::AppendEncoded(out, text);
    return out;
}

void DecodeText(std::string& text)
{
    if (text.find('&') == std::string::npos)
        return;
    text.resize(DecodeSpan<true>(text.data(), text.size(), text.data()));
}

std::string DecodeNamedEntities(std::string_view text)
{
    std::string out;
    jvxml::AppendDecoded(out, text, jvxml::Decoding::NamedOnly);
    return out;
}
