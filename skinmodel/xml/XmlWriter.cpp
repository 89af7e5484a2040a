// The writer. It fixes the exact bytes of every file the editor writes. Nesting is kept on an
// explicit stack, so any depth can be written.
#include "skinmodel/xml/JvSimpleXml2.h"
#include "skinmodel/xml/XmlText.h"

#include "platform/core/AtomicFile.h"

namespace jvxml {

class Writer {
public:
    Writer(const TJvSimpleXML& doc, std::string& out)
        : out(out),
          encode((doc.Options & (TJvSimpleXML::EncodeValues | TJvSimpleXML::EncodeEntities)) != 0),
          lineBreak((doc.Options & TJvSimpleXML::AutoIndent) ? "\r\n" : ""),
          step((doc.Options & TJvSimpleXML::AutoIndent) ? std::string_view(doc.IndentString) : std::string_view())
    {
    }

    // Writes `top` and everything below it at the current indentation.
    void WriteTree(const TJvSimpleXMLElem& top, bool encodeValues);

private:
    std::string& out;
    bool encode;
    std::string_view lineBreak;
    std::string_view step;
    std::string indent;
    bool coding = false;  // coding applies to this tree

    struct Open {
        const TJvSimpleXMLElem* elem;
        size_t next;
        bool tagged;
    };

    void Text(std::string_view s)
    {
        if (coding)
            AppendEncoded(out, s);
        else
            out.append(s);
    }
    void QualifiedName(const TJvSimpleXMLElem& e)
    {
        if (!e.FNameSpace.empty()) {
            Text(e.FNameSpace);
            out.push_back(':');
        }
        Text(e.FName);
    }
    void Attributes(const TJvSimpleXMLElem& e)
    {
        if (!e.FProps)
            return;
        for (const auto& p : e.FProps->FItems) {
            out.push_back(' ');
            if (!p->FNameSpace.empty()) {
                out.append(p->FNameSpace);
                out.push_back(':');
            }
            out.append(p->FName);
            out.append("=\"", 2);
            Text(p->FValue);
            out.push_back('"');
        }
    }
    // Writes one node; true when its children follow (it was pushed as open).
    bool Visit(const TJvSimpleXMLElem& e, std::vector<Open>& open);
};

bool Writer::Visit(const TJvSimpleXMLElem& e, std::vector<Open>& open)
{
    const bool hasChildren = e.ChildCount() > 0;
    switch (e.Kind()) {
    case TJvSimpleXMLElemKind::Base:
        return false;  // a plain container is never written
    case TJvSimpleXMLElemKind::Classic:
        if (e.FName.empty()) {
            if (!hasChildren)
                return false;
            open.push_back({&e, 0, false});
            return true;
        }
        out.append(indent);
        out.push_back('<');
        QualifiedName(e);
        Attributes(e);
        if (hasChildren) {
            out.push_back('>');
            out.append(lineBreak);
            open.push_back({&e, 0, true});
            return true;
        }
        if (e.FValue.empty()) {
            out.append("/>", 2);
        } else {
            out.push_back('>');
            Text(e.FValue);
            out.append("</", 2);
            QualifiedName(e);
            out.push_back('>');
        }
        out.append(lineBreak);
        return false;
    case TJvSimpleXMLElemKind::Text:
        if (e.FValue.empty())
            return false;
        out.append(indent);
        Text(e.FValue);
        break;
    case TJvSimpleXMLElemKind::Comment:
        out.append(indent);
        out.append("<!--");
        out.append(e.FValue);
        out.append("-->");
        break;
    case TJvSimpleXMLElemKind::CData:
        out.append(indent);
        out.append("<![CDATA[");
        out.append(e.FValue);
        out.append("]]>");
        break;
    case TJvSimpleXMLElemKind::Header: {
        const auto& h = static_cast<const TJvSimpleXMLElemHeader&>(e);
        out.append(indent);
        out.append("<?xml version=\"");
        out.append(h.Version);
        out.push_back('"');
        if (!h.Encoding.empty()) {
            out.append(" encoding=\"");
            out.append(h.Encoding);
            out.push_back('"');
        }
        if (h.Standalone)
            out.append(" standalone=\"yes\"");
        out.append("?>");
        break;
    }
    case TJvSimpleXMLElemKind::DocType:
        out.append("<!DOCTYPE ");
        out.append(e.FValue);
        out.push_back('>');
        break;
    case TJvSimpleXMLElemKind::Sheet: {
        out.append(indent);
        out.append("<?xml-stylesheet");
        const bool saved = coding;
        coding = false;  // written as it stands
        Attributes(e);
        coding = saved;
        out.append("?>");
        break;
    }
    }
    out.append(lineBreak);
    return false;
}

void Writer::WriteTree(const TJvSimpleXMLElem& top, bool encodeValues)
{
    coding = encodeValues && encode;
    std::vector<Open> open;
    if (!Visit(top, open))
        return;
    indent.append(step);
    while (!open.empty()) {
        Open& o = open.back();
        const auto& kids = o.elem->FItems->FItems;
        if (o.next < kids.size()) {
            const TJvSimpleXMLElem& child = *kids[o.next++];
            if (Visit(child, open))  // may grow `open`; `o` is not used after this
                indent.append(step);
            continue;
        }
        const TJvSimpleXMLElem& done = *o.elem;
        const bool tagged = o.tagged;
        open.pop_back();
        indent.resize(indent.size() - step.size());
        if (tagged) {
            out.append(indent);
            out.append("</", 2);
            QualifiedName(done);
            out.push_back('>');
            out.append(lineBreak);
        }
    }
}

}  // namespace jvxml

std::string TJvSimpleXML::SaveToString()
{
    std::string out;
    out.reserve(FLastSize + FLastSize / 8 + 256);
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
    FLastSize = out.size();
    return out;
}

void TJvSimpleXML::SaveToFile(const QString& fileName)
{
    WriteFileAtomically(fileName, SaveToString());
}
