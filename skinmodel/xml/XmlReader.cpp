// The reader: small byte-driven state machines, one per construct, over one contiguous buffer.
// Nesting is kept on an explicit stack, so no text can exhaust the call stack.
#include "skinmodel/xml/JvSimpleXml2.h"
#include "skinmodel/xml/XmlText.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Codec1252.h"

#include <QFileInfo>

#include <cstring>

namespace jvxml {

namespace {

bool IsWhite(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsPropNameChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

[[noreturn]] void Fail(std::string message) { throw EJvSimpleXMLError(message); }

[[noreturn]] void FailWithByte(const char* before, unsigned char c, const char* after)
{
    std::string m(before);
    m.push_back(char(c));
    m += after;
    Fail(std::move(m));
}

[[noreturn]] void FailExpected(const char* what, char expected, unsigned char found)
{
    std::string m(what);
    m += ": expected \"";
    m.push_back(expected);
    m += "\" but found \"";
    m.push_back(char(found));
    m += "\"";
    Fail(std::move(m));
}

[[noreturn]] void FailEndTag(std::string_view expected, std::string_view found)
{
    std::string m("Invalid XML Element: Erroneous end of tag, expecting </");
    m.append(expected);
    m += "> but </";
    m.append(found);
    m += "> found";
    Fail(std::move(m));
}

// A name split at its colons: the prefix is the part before the last colon, back to the one before;
// `lead` is what stands before the prefix (earlier parts and their colons).
struct QName {
    std::string_view lead;
    std::string_view ns;
    std::string_view local;
    bool colon = false;
    bool SameAs(const QName& o) const { return SameText1252(ns, o.ns) && SameText1252(local, o.local); }
};

// Ends when a start tag is left unfinished at the end of the text.
struct StartTagCut {};

}  // namespace

class Reader {
public:
    Reader(std::string_view text, Decoding decoding)
        : d(reinterpret_cast<const unsigned char*>(text.data())), n(text.size()), decoding(decoding)
    {
    }

    void ReadDocument(TJvSimpleXML& doc);

private:
    const unsigned char* d;
    size_t n;
    size_t pos = 0;
    Decoding decoding;

    struct Frame {
        TJvSimpleXMLElem* elem;
        std::unique_ptr<TJvSimpleXMLElem> owned;  // none for the root
        QName name;
        size_t textBegin = 0, textEnd = 0;        // a lone text so far, not yet a child
        bool hasText = false;
    };
    std::vector<Frame> frames;

    void SkipWhite()
    {
        while (pos < n && IsWhite(d[pos]))
            ++pos;
    }
    bool StartsWith(size_t at, std::string_view s) const
    {
        return n - at >= s.size() && std::memcmp(d + at, s.data(), s.size()) == 0;
    }
    std::string_view Span(size_t b, size_t e) const { return {reinterpret_cast<const char*>(d) + b, e - b}; }

    void AssignName(std::string& to, std::string_view raw, bool leading) const;
    void AssignNames(TJvSimpleXMLElem& e, const QName& name, bool keepOld) const;
    bool SameQName(const QName& a, const QName& b) const;
    bool ReadProlog(TJvSimpleXMLElemsProlog& prolog);
    void ReadProps(TJvSimpleXMLProps* props, TJvSimpleXMLElem* owner, Decoding mode);
    bool ReadStartTag(TJvSimpleXMLElem* elem, QName& name);
    void ReadTree(TJvSimpleXMLElemClassic& root);
    void MaterializeText(Frame& f);
    void CloseFrame(const QName& endName);
    QName ReadEndTag(bool& cut);
    std::unique_ptr<TJvSimpleXMLElem> ReadComment();
    std::unique_ptr<TJvSimpleXMLElem> ReadCData();
    std::unique_ptr<TJvSimpleXMLElem> ReadHeader();
    std::unique_ptr<TJvSimpleXMLElem> ReadDocType();
    std::unique_ptr<TJvSimpleXMLElem> ReadSheet();
    void ExpectBytes(const char* literal, const char* what);
};

// Names are decoded like values, so that a name the writer encoded reads back as it was.
// A reference that would give a byte which ends or changes a name stays as written, and so does
// one that would change how a written tag that begins "<!" or "<?" is recognised (`leading`: the
// part the tag begins with); such a name is kept only when the writer gives back the text read.
void Reader::AssignName(std::string& to, std::string_view raw, bool leading) const
{
    to.clear();
    if (decoding == Decoding::None || raw.find('&') == std::string_view::npos) {
        to.assign(raw);
        return;
    }
    AppendDecoded(to, raw, decoding);
    const bool breaksName = to.find_first_of(" \t\r\n/:>") != std::string::npos
                            || (leading && (to.front() == '!' || to.front() == '?') && EncodeText(to) != raw);
    if (breaksName)
        to.assign(raw);
}

bool Reader::SameQName(const QName& a, const QName& b) const
{
    if (a.SameAs(b))
        return true;
    std::string an, bn;
    AssignName(an, a.ns, a.lead.empty());
    AssignName(bn, b.ns, b.lead.empty());
    if (!SameText1252(an, bn))
        return false;
    AssignName(an, a.local, !a.colon);
    AssignName(bn, b.local, !b.colon);
    return SameText1252(an, bn);
}

void Reader::AssignNames(TJvSimpleXMLElem& e, const QName& name, bool keepOld) const
{
    if (!keepOld || !name.local.empty())
        AssignName(e.FName, name.local, !name.colon);
    AssignName(e.FNameSpace, name.ns, name.lead.empty());
    if (name.lead.empty() && (!name.colon || !name.ns.empty())) {
        e.ClearPrefixAsRead();
        return;
    }
    // Earlier parts or an empty prefix, which NameSpace alone does not give back.
    std::string prefix, part;
    for (std::string_view rest = name.lead; !rest.empty();) {
        const size_t colon = rest.find(':');
        AssignName(part, rest.substr(0, colon), prefix.empty());
        prefix += part;
        prefix += ':';
        rest.remove_prefix(colon + 1);
    }
    prefix += e.FNameSpace;
    prefix += ':';
    e.SetPrefixAsRead(std::move(prefix));
}

void Reader::ExpectBytes(const char* literal, const char* what)
{
    for (const char* p = literal; *p; ++p, ++pos) {
        if (pos >= n)
            return;  // the caller reports the end of the text
        if (d[pos] != static_cast<unsigned char>(*p))
            FailExpected(what, *p, d[pos]);
    }
}

// Returns false when the text holds nothing but white space and prolog entries.
bool Reader::ReadProlog(TJvSimpleXMLElemsProlog& prolog)
{
    for (;;) {
        SkipWhite();
        if (pos >= n)
            return false;
        if (d[pos] != '<')
            Fail("Invalid Document: Unexpected text in file prolog");
        if (pos + 1 < n && d[pos + 1] != '!' && d[pos + 1] != '?')
            return true;
        if (StartsWith(pos, "<!--")) {
            prolog.Add(ReadComment());
        } else if (StartsWith(pos, "<?xml-stylesheet")) {
            prolog.Add(ReadSheet());
        } else if (StartsWith(pos, "<?xml") && pos + 5 < n && IsWhite(d[pos + 5])) {
            prolog.Add(ReadHeader());
        } else if (StartsWith(pos, "<!DOCTYPE")) {
            prolog.Add(ReadDocType());
        } else if (StartsWith(pos, "<![CDATA")) {
            size_t p = pos + 8;
            while (p < n && IsWhite(d[p]))
                ++p;
            if (p < n && d[p] == '[')
                return true;  // the root reader takes it from here
            Fail("Invalid Document: Unexpected text in file prolog");
        } else {
            // A construct that can never be recognised ("<?php", "<!doctype", a lone "<").
            Fail("Invalid Document: Unexpected text in file prolog");
        }
    }
}

void Reader::ReadProps(TJvSimpleXMLProps* props, TJvSimpleXMLElem* owner, Decoding mode)
{
    for (;;) {
        // Between attributes.
        while (pos < n && IsWhite(d[pos]))
            ++pos;
        if (pos >= n)
            return;
        unsigned char c = d[pos];
        if (c == '/' || c == '>' || c == '?')
            return;
        if (!IsPropNameChar(c))
            FailWithByte("Invalid XML Element: Unexpected character in property declaration (\"", c, "\" found)");
        // In the name; a colon makes what was read the prefix.
        const size_t attrBegin = pos;
        size_t nameBegin = pos, nsBegin = 0, nsEnd = 0;
        bool hasNs = false;
        for (;;) {
            if (++pos >= n)
                return;
            c = d[pos];
            if (IsPropNameChar(c))
                continue;
            if (c == ':') {
                hasNs = true;
                nsBegin = nameBegin;
                nsEnd = pos;
                nameBegin = pos + 1;
                continue;
            }
            break;
        }
        const size_t nameEnd = pos;
        // Waiting for "=".
        if (c != '=') {
            if (!IsWhite(c))
                FailWithByte("Invalid XML Element: Unexpected character in property declaration (\"", c, "\" found)");
            while (++pos < n && IsWhite(d[pos])) {
            }
            if (pos >= n)
                return;
            if (d[pos] != '=')
                FailWithByte("Invalid XML Element: Unexpected character in property declaration (\"", d[pos],
                             "\" found)");
        }
        // Value start.
        while (++pos < n && IsWhite(d[pos])) {
        }
        if (pos >= n)
            return;
        const unsigned char quote = d[pos];
        if (quote != '"' && quote != '\'')
            FailWithByte("Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"",
                         quote, "\"  found");
        const size_t valueBegin = ++pos;
        const void* close = std::memchr(d + pos, quote, n - pos);
        if (!close) {
            pos = n;
            return;  // an unfinished attribute is dropped
        }
        const size_t valueEnd = size_t(static_cast<const unsigned char*>(close) - d);
        pos = valueEnd + 1;
        if (!props)
            props = &owner->Properties();
        auto prop = std::make_unique<TJvSimpleXMLProp>(props, std::string(Span(nameBegin, nameEnd)), std::string());
        if (hasNs) {
            prop->FNameSpace.assign(Span(nsBegin, nsEnd));
            if (nsBegin != attrBegin)
                prop->FPrefix = std::make_unique<std::string>(Span(attrBegin, nameBegin));
        }
        AppendDecoded(prop->FValue, Span(valueBegin, valueEnd), mode);
        props->FItems.push_back(std::move(prop));
        props->Invalidate();
    }
}

// Reads "<name attributes" up to and including "/>" or ">". Returns true for an empty element.
// Throws StartTagCut when the text ends inside the tag.
bool Reader::ReadStartTag(TJvSimpleXMLElem* elem, QName& name)
{
    if (pos >= n)
        throw StartTagCut{};
    if (d[pos] != '<')
        FailWithByte("Invalid XML Element: Expected beginning of tag but \"", d[pos], "\" found");
    const size_t afterLt = ++pos;
    size_t segBegin = pos;
    name = {};
    for (;;) {
        if (pos >= n) {
            name.local = Span(segBegin, pos);
            throw StartTagCut{};
        }
        const unsigned char c = d[pos];
        if (IsWhite(c)) {
            if (pos == afterLt)
                Fail("Invalid XML Element: malformed tag found (no valid name)");
            name.local = Span(segBegin, pos);
            ++pos;
            ReadProps(elem->FProps.get(), elem, decoding);
            if (pos >= n)
                throw StartTagCut{};
            if (d[pos] == '?')
                FailWithByte("Invalid XML Element: Expected end of tag but \"", d[pos], "\" found");
            continue;  // "/" or ">" follows
        }
        if (c == '/') {
            if (name.local.data() == nullptr)
                name.local = Span(segBegin, pos);
            if (++pos >= n)
                throw StartTagCut{};
            if (d[pos] != '>')
                FailWithByte("Invalid XML Element: Expected end of tag but \"", d[pos], "\" found");
            ++pos;
            return true;
        }
        if (c == '>') {
            if (name.local.data() == nullptr)
                name.local = Span(segBegin, pos);
            ++pos;
            return false;
        }
        if (c == ':') {
            name.lead = Span(afterLt, segBegin);
            name.ns = Span(segBegin, pos);
            name.colon = true;
            segBegin = pos + 1;
        }
        ++pos;
    }
}

QName Reader::ReadEndTag(bool& cut)
{
    pos += 2;  // "</"
    QName name;
    size_t segBegin = pos;
    const void* gt = std::memchr(d + pos, '>', n - pos);
    if (!gt) {
        pos = n;
        cut = true;
        return {};
    }
    const size_t end = size_t(static_cast<const unsigned char*>(gt) - d);
    for (size_t i = pos; i < end; ++i)
        if (d[i] == ':') {
            name.lead = Span(pos, segBegin);
            name.ns = Span(segBegin, i);
            name.colon = true;
            segBegin = i + 1;
        }
    name.local = Span(segBegin, end);
    pos = end + 1;
    cut = false;
    return name;
}

std::unique_ptr<TJvSimpleXMLElem> Reader::ReadComment()
{
    ExpectBytes("<!--", "Invalid Comment");
    const size_t begin = pos;
    for (;;) {
        const void* dash = pos < n ? std::memchr(d + pos, '-', n - pos) : nullptr;
        if (!dash)
            Fail("Invalid Comment: Unexpected end of data");
        pos = size_t(static_cast<const unsigned char*>(dash) - d);
        if (pos + 1 >= n)
            Fail("Invalid Comment: Unexpected end of data");
        if (d[pos + 1] != '-') {
            ++pos;
            continue;
        }
        if (pos + 2 >= n)
            Fail("Invalid Comment: Unexpected end of data");
        if (d[pos + 2] != '>')
            Fail("Invalid Comment: \"--\" not allowed inside comments");
        auto elem = std::make_unique<TJvSimpleXMLElemComment>(nullptr);
        elem->FValue.assign(Span(begin, pos));
        pos += 3;
        return elem;
    }
}

std::unique_ptr<TJvSimpleXMLElem> Reader::ReadCData()
{
    ExpectBytes("<![CDATA[", "Invalid CDATA");
    if (pos >= n)
        Fail("Invalid CDATA: Unexpected end of data");
    const std::string_view rest = Span(pos, n);
    const size_t end = rest.find("]]>");
    if (end == std::string_view::npos)
        Fail("Invalid CDATA: Unexpected end of data");
    auto elem = std::make_unique<TJvSimpleXMLElemCData>(nullptr);
    elem->FValue.assign(rest.substr(0, end));
    pos += end + 3;
    return elem;
}

std::unique_ptr<TJvSimpleXMLElem> Reader::ReadHeader()
{
    ExpectBytes("<?xml", "Invalid Header");
    TJvSimpleXMLElem pseudo(nullptr);
    ReadProps(nullptr, &pseudo, Decoding::None);
    if (pos >= n)
        Fail(kHeaderEndMessage);
    if (d[pos] != '?')
        FailExpected("Invalid Header", '?', d[pos]);
    if (++pos >= n)
        Fail(kHeaderEndMessage);
    if (d[pos] != '>')
        FailExpected("Invalid Header", '>', d[pos]);
    ++pos;
    auto header = std::make_unique<TJvSimpleXMLElemHeader>(nullptr);
    TJvSimpleXMLProps& props = pseudo.Properties();
    header->Version = props.Value("version");
    header->Encoding = props.Value("encoding");
    header->Standalone = props.Value("standalone") == "yes";
    return header;
}

std::unique_ptr<TJvSimpleXMLElem> Reader::ReadDocType()
{
    ExpectBytes("<!DOCTYPE", "Invalid Header");
    const size_t begin = pos;
    bool inBracket = false;
    for (;; ++pos) {
        if (pos >= n)
            Fail(kHeaderEndMessage);
        const unsigned char c = d[pos];
        if (inBracket) {
            inBracket = c != ']';
        } else if (c == '[') {
            inBracket = true;
        } else if (c == '>') {
            break;
        }
    }
    size_t b = begin, e = pos;
    while (b < e && d[b] <= ' ')
        ++b;
    while (e > b && d[e - 1] <= ' ')
        --e;
    auto elem = std::make_unique<TJvSimpleXMLElemDocType>(nullptr);
    elem->FValue.assign(Span(b, e));
    ++pos;
    return elem;
}

std::unique_ptr<TJvSimpleXMLElem> Reader::ReadSheet()
{
    ExpectBytes("<?xml-stylesheet", "Invalid Stylesheet");
    auto sheet = std::make_unique<TJvSimpleXMLElemSheet>(nullptr);
    ReadProps(nullptr, sheet.get(), Decoding::None);
    if (pos >= n)
        Fail("Invalid Stylesheet: Unexpected end of data");
    if (d[pos] != '?')
        FailExpected("Invalid Stylesheet", '?', d[pos]);
    if (++pos >= n)
        Fail("Invalid Stylesheet: Unexpected end of data");
    if (d[pos] != '>')
        FailExpected("Invalid Stylesheet", '>', d[pos]);
    ++pos;
    return sheet;
}

void Reader::MaterializeText(Frame& f)
{
    if (!f.hasText)
        return;
    f.hasText = false;
    auto text = std::make_unique<TJvSimpleXMLElemText>(f.elem);
    AppendDecoded(text->FValue, Span(f.textBegin, f.textEnd), decoding);
    f.elem->Items().FItems.push_back(std::move(text));
}

void Reader::CloseFrame(const QName& endName)
{
    Frame& f = frames.back();
    if (!SameQName(endName, f.name))
        FailEndTag(f.name.local, endName.ns.empty() ? endName.local
                                                    : std::string(endName.ns) + ":" + std::string(endName.local));
    TJvSimpleXMLElem* e = f.elem;
    if (f.hasText) {
        e->FValue.clear();
        AppendDecoded(e->FValue, Span(f.textBegin, f.textEnd), decoding);
        f.hasText = false;
    } else {
        e->FValue.clear();
    }
    AssignNames(*e, f.name, true);
    if (f.owned) {
        std::unique_ptr<TJvSimpleXMLElem> done = std::move(f.owned);
        frames.pop_back();
        TJvSimpleXMLElems& list = frames.back().elem->Items();
        list.FItems.push_back(std::move(done));
        list.Invalidate();
    } else {
        frames.pop_back();
    }
}

void Reader::ReadTree(TJvSimpleXMLElemClassic& root)
{
    frames.clear();
    QName rootName;
    bool rootEmpty = false;
    try {
        rootEmpty = ReadStartTag(&root, rootName);
    } catch (const StartTagCut&) {
        FailEndTag(rootName.local, {});
    }
    if (rootEmpty) {
        AssignNames(root, rootName, true);
        root.FValue.clear();
        return;
    }
    frames.push_back(Frame{&root, nullptr, rootName});
    try {
        while (!frames.empty()) {
            Frame& top = frames.back();
            SkipWhite();
            if (pos >= n)
                FailEndTag(top.name.local, {});
            if (d[pos] != '<') {
                const void* lt = std::memchr(d + pos, '<', n - pos);
                const size_t end = lt ? size_t(static_cast<const unsigned char*>(lt) - d) : n;
                if (!top.hasText && top.elem->ChildCount() == 0) {
                    top.hasText = true;
                    top.textBegin = pos;
                    top.textEnd = end;
                } else {
                    MaterializeText(top);
                    auto text = std::make_unique<TJvSimpleXMLElemText>(top.elem);
                    AppendDecoded(text->FValue, Span(pos, end), decoding);
                    top.elem->Items().FItems.push_back(std::move(text));
                }
                pos = end;
                continue;
            }
            if (pos + 1 < n && d[pos + 1] == '/') {
                bool cut = false;
                const QName endName = ReadEndTag(cut);
                if (cut)
                    FailEndTag(top.name.local, {});
                CloseFrame(endName);
                continue;
            }
            if (StartsWith(pos, "<!--")) {
                MaterializeText(top);
                auto c = ReadComment();
                c->FParent = top.elem;
                top.elem->Items().FItems.push_back(std::move(c));
                continue;
            }
            if (StartsWith(pos, "<![CDATA")) {
                size_t p = pos + 8;
                while (p < n && IsWhite(d[p]))
                    ++p;
                if (p < n && d[p] == '[') {
                    MaterializeText(top);
                    auto c = ReadCData();
                    c->FParent = top.elem;
                    top.elem->Items().FItems.push_back(std::move(c));
                    continue;
                }
            }
            MaterializeText(top);
            auto child = std::make_unique<TJvSimpleXMLElemClassic>(top.elem);
            QName name;
            bool empty = false;
            try {
                empty = ReadStartTag(child.get(), name);
            } catch (const StartTagCut&) {
                FailEndTag(top.name.local, {});
            }
            if (empty) {
                AssignNames(*child, name, false);
                TJvSimpleXMLElems& list = top.elem->Items();
                list.FItems.push_back(std::move(child));
                list.Invalidate();
            } else {
                TJvSimpleXMLElem* raw = child.get();
                frames.push_back(Frame{raw, std::move(child), name});
            }
        }
    } catch (...) {
        // The root keeps what was complete when the error struck, a lone text included.
        if (!frames.empty())
            MaterializeText(frames.front());
        throw;
    }
}

void Reader::ReadDocument(TJvSimpleXML& doc)
{
    if (ReadProlog(doc.FProlog))
        ReadTree(*doc.FRoot);
}

}  // namespace jvxml

void TJvSimpleXML::LoadFromString(std::string_view text)
{
    FProlog.Clear();
    if (FRoot->FItems)
        FRoot->FItems->Clear();
    if (FRoot->FProps)
        FRoot->FProps->Clear();
    const jvxml::Decoding decoding = (Options & EncodeValues)     ? jvxml::Decoding::Full
                                     : (Options & EncodeEntities) ? jvxml::Decoding::NamedOnly
                                                                  : jvxml::Decoding::None;
    jvxml::Reader(text, decoding).ReadDocument(*this);
}

void TJvSimpleXML::LoadFromFile(const QString& fileName)
{
    if (!QFileInfo::exists(fileName))
        return;
    LoadFromString(ReadWholeFile(fileName));
}
