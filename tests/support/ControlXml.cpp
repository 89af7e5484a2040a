#include "support/ControlXml.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

void SaveAsItem(TJvSimpleXML& doc, TItemLayer& control, TItemLayer* ref, bool subControl)
{
    doc.Root().SetName("item");
    control.SaveToXML(&doc.Root(), ref, subControl);
}

}  // namespace

std::string XmlLines(std::initializer_list<std::string_view> lines)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string PartLines(std::string_view role, std::string_view type,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> values)
{
    const auto element = [](std::string_view name, std::string_view value) {
        return "\r\n      <" + std::string(name) + ">" + std::string(value) + "</" + std::string(name) + ">";
    };
    std::string text = "    <control>" + element("description", role) + element("type", type);
    for (const auto& [name, value] : values)
        text += element(name, value);
    return text + "\r\n    </control>";
}

std::string Lines(std::string_view text)
{
    if (!text.empty() && text.front() == '\n')
        text.remove_prefix(1);
    return std::string(text);
}

std::string SavedControlText(TItemLayer& control, TItemLayer* ref, bool subControl)
{
    TJvSimpleXML doc;
    SaveAsItem(doc, control, ref, subControl);
    return doc.SaveToString();
}

std::string SavedItem(TItemLayer& control)
{
    const std::string text = SavedControlText(control);
    const std::size_t start = text.find("\r\n");
    std::string lines;
    for (char c : std::string_view(text).substr(start == std::string::npos ? 0 : start + 2))
        if (c != '\r')
            lines += c;
    return lines;
}

std::string Children(const TJvSimpleXMLElem* elem)
{
    std::string out;
    const TJvSimpleXMLElems* items = elem ? elem->ItemsIfAny() : nullptr;
    for (int i = 0; items && i < items->Count(); ++i) {
        const TJvSimpleXMLElem* c = items->Item(i);
        if (!out.empty())
            out += "; ";
        out += c->Name();
        if (c->ChildCount() > 0)
            out += "{" + Children(c) + "}";
        else
            out += "=" + c->Value();
    }
    return out;
}

std::string SavedChildren(TItemLayer& control)
{
    TJvSimpleXML doc;
    SaveAsItem(doc, control, nullptr, false);
    return Children(&doc.Root());
}

std::string ChildText(TJvSimpleXMLElem* elem, std::string_view name)
{
    TJvSimpleXMLElem* child = elem ? TOSDControlFactory::FindChild(elem, name) : nullptr;
    return child ? child->Value() : "(none)";
}

std::string TSavedElement::Child(std::string_view name) const
{
    TJvSimpleXML doc;
    doc.LoadFromString(Text);
    return ChildText(&doc.Root(), name);
}

TSavedElement SaveElement(TItemLayer& control, TItemLayer* ref, bool subControl)
{
    return {SavedControlText(control, ref, subControl)};
}

std::unique_ptr<TItemLayer> ControlFromText(std::string_view text, bool applyReference)
{
    TJvSimpleXML doc;
    doc.LoadFromString(text);
    return std::unique_ptr<TItemLayer>(OSDControlFactory().CreateControl(nullptr, &doc.Root(), applyReference));
}
