// The writer. It fixes the exact bytes of every file the editor writes. Nesting is kept on an
// explicit stack, so any depth can be written; the indentation stops growing at a depth no real
// page reaches, so the text stays in proportion to the tree however deep it is.
#include "skinmodel/xml/JvSimpleXml2.h"
#include "skinmodel/xml/XmlText.h"

#include "platform/core/AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace jvxml {

class Writer {
public:
    Writer(const TJvSimpleXML& doc, std::string& out)
        : out(out),
          encode((doc.Options & (TJvSimpleXML::EncodeValues | TJvSimpleXML::EncodeEntities)) != 0),
          lineBreak((doc.Options & TJvSimpleXML::AutoIndent) ? "\r\n" : ""),
          step((doc.Options & TJvSimpleXML::AutoIndent) ? std::string_view(doc.IndentString) : std::string_view())
    {
        pos = out.size();
    }
    ~Writer() { out.resize(pos); }

    // Writes `top` and everything below it at the current indentation.
    void WriteTree(const TJvSimpleXMLElem& top, bool encodeValues);

private:
    std::string& out;
    size_t pos;  // bytes written; `out` is longer while writing
    char* p = nullptr;
    bool encode;
    std::string_view lineBreak;
    std::string_view step;
    std::string indent;
    size_t depth = 0;
    bool coding = false;  // coding applies to this tree

    static constexpr size_t kIndentedLevels = 64;
    void Deeper()
    {
        if (++depth <= kIndentedLevels)
            indent.append(step);
    }
    void Shallower()
    {
        if (depth-- <= kIndentedLevels)
            indent.resize(indent.size() - step.size());
    }

    struct Open {
        const TJvSimpleXMLElem* elem;
        size_t next;
        bool tagged;
    };

    // Makes room for `n` more bytes and points `p` at the end of what is written.
    void Reserve(size_t n)
    {
        if (pos + n > out.size())
            out.resize(std::max({out.capacity(), out.size() * 2, pos + n + 4096}));
        p = out.data() + pos;
    }
    void Done() { pos = size_t(p - out.data()); }

    size_t Worst(std::string_view s) const { return coding ? s.size() * 6 : s.size(); }
    size_t WorstNode(const TJvSimpleXMLElem& e) const
    {
        size_t n = indent.size() + lineBreak.size() +
                   2 * (Worst(e.PrefixAsRead()) + Worst(e.FNameSpace) + Worst(e.FName)) + Worst(e.FValue) + 64;
        if (e.FProps)
            for (const auto& a : e.FProps->FItems)
                n += a->PrefixAsRead().size() + a->FNameSpace.size() + a->FName.size() + Worst(a->FValue) + 5;
        return n;
    }

    void Raw(std::string_view s)
    {
        if (s.size() > 16) {
            std::memcpy(p, s.data(), s.size());
            p += s.size();
            return;
        }
        for (char c : s)
            *p++ = c;
    }
    void Char(char c) { *p++ = c; }
    void Text(std::string_view s)
    {
        if (coding)
            p = PutEncoded(p, s);
        else
            Raw(s);
    }
    // Prefix and colons as they were read, so that the reader finds the same names again.
    void QualifiedName(const TJvSimpleXMLElem& e)
    {
        if (const std::string_view prefix = e.PrefixAsRead(); !prefix.empty()) {
            Text(prefix);
        } else if (!e.FNameSpace.empty()) {
            Text(e.FNameSpace);
            Char(':');
        }
        Text(e.FName);
    }
    void Attributes(const TJvSimpleXMLElem& e)
    {
        if (!e.FProps)
            return;
        for (const auto& a : e.FProps->FItems) {
            Char(' ');
            if (a->FPrefix) {
                Raw(*a->FPrefix);
            } else if (!a->FNameSpace.empty()) {
                Raw(a->FNameSpace);
                Char(':');
            }
            Raw(a->FName);
            Raw("=\"");
            Text(a->FValue);
            Char('"');
        }
    }
    // Writes one node; true when its children follow (it was pushed as open).
    bool Visit(const TJvSimpleXMLElem& e, std::vector<Open>& open);
};

bool Writer::Visit(const TJvSimpleXMLElem& e, std::vector<Open>& open)
{
    const TJvSimpleXMLElemKind kind = e.Kind();
    if (kind == TJvSimpleXMLElemKind::Base)
        return false;  // a plain container is never written
    const bool hasChildren = e.FItems && !e.FItems->FItems.empty();
    if (kind == TJvSimpleXMLElemKind::Classic && e.FName.empty() && e.FNameSpace.empty() &&
        e.PrefixAsRead().empty()) {
        if (hasChildren)
            open.push_back({&e, 0, false});
        return hasChildren;
    }
    if (kind == TJvSimpleXMLElemKind::Text && e.FValue.empty())
        return false;

    Reserve(WorstNode(e));
    if (kind != TJvSimpleXMLElemKind::DocType)
        Raw(indent);
    switch (kind) {
    case TJvSimpleXMLElemKind::Base:
        break;
    case TJvSimpleXMLElemKind::Classic:
        Char('<');
        QualifiedName(e);
        Attributes(e);
        if (hasChildren) {
            Char('>');
            open.push_back({&e, 0, true});
        } else if (e.FValue.empty()) {
            Raw("/>");
        } else {
            Char('>');
            Text(e.FValue);
            Raw("</");
            QualifiedName(e);
            Char('>');
        }
        break;
    case TJvSimpleXMLElemKind::Text:
        Text(e.FValue);
        break;
    case TJvSimpleXMLElemKind::Comment:
        Raw("<!--");
        Raw(e.FValue);
        Raw("-->");
        break;
    case TJvSimpleXMLElemKind::CData:
        Raw("<![CDATA[");
        Raw(e.FValue);
        Raw("]]>");
        break;
    case TJvSimpleXMLElemKind::Header: {
        const auto& h = static_cast<const TJvSimpleXMLElemHeader&>(e);
        Done();
        Reserve(h.Version.size() + h.Encoding.size() + 64);
        Raw("<?xml version=\"");
        Raw(h.Version);
        Char('"');
        if (!h.Encoding.empty()) {
            Raw(" encoding=\"");
            Raw(h.Encoding);
            Char('"');
        }
        if (h.Standalone)
            Raw(" standalone=\"yes\"");
        Raw("?>");
        break;
    }
    case TJvSimpleXMLElemKind::DocType:
        Raw("<!DOCTYPE ");
        Raw(e.FValue);
        Char('>');
        break;
    case TJvSimpleXMLElemKind::Sheet: {
        Raw("<?xml-stylesheet");
        const bool saved = coding;
        coding = false;  // written as it stands
        Attributes(e);
        coding = saved;
        Raw("?>");
        break;
    }
    }
    Raw(lineBreak);
    Done();
    return kind == TJvSimpleXMLElemKind::Classic && hasChildren;
}

void Writer::WriteTree(const TJvSimpleXMLElem& top, bool encodeValues)
{
    coding = encodeValues && encode;
    std::vector<Open> open;
    if (!Visit(top, open))
        return;
    Deeper();
    while (!open.empty()) {
        Open& o = open.back();
        const auto& kids = o.elem->FItems->FItems;
        if (o.next < kids.size()) {
            const TJvSimpleXMLElem& child = *kids[o.next++];
            if (Visit(child, open))  // may grow `open`; `o` is not used after this
                Deeper();
            continue;
        }
        const TJvSimpleXMLElem& done = *o.elem;
        const bool tagged = o.tagged;
        open.pop_back();
        Shallower();
        if (tagged) {
            Reserve(WorstNode(done));
            Raw(indent);
            Raw("</");
            QualifiedName(done);
            Char('>');
            Raw(lineBreak);
            Done();
        }
    }
}

}  // namespace jvxml

std::string TJvSimpleXML::SaveToString()
{
    std::string out;
    out.reserve(FLastSize + FLastSize / 8 + 256);
    {
        jvxml::Writer writer(*this, out);
        if (!(Options & OmitProlog)) {
            bool hasHeader = false;
            for (int i = 0; i < FProlog.Count() && !hasHeader; ++i)
                hasHeader = FProlog.Item(i)->Kind() == TJvSimpleXMLElemKind::Header;
            if (!hasHeader) {
                // Goes first, before any comment or document type read from the text.
                auto header = std::make_unique<TJvSimpleXMLElemHeader>(nullptr);
                header->SetName("xml");
                FProlog.Insert(0, std::move(header));
            }
            for (int i = 0; i < FProlog.Count(); ++i)
                writer.WriteTree(*FProlog.Item(i), false);
        }
        writer.WriteTree(*FRoot, true);
    }
    FLastSize = out.size();
    return out;
}

void TJvSimpleXML::SaveToFile(const QString& fileName)
{
    WriteFileAtomically(fileName, SaveToString());
}
