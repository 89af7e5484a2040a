#include "support/ControlXml.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/xml/JvSimpleXml2.h"

std::string XmlLines(std::initializer_list<std::string_view> lines)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::unique_ptr<TItemLayer> ControlFromText(std::string_view text, bool applyReference)
{
    TJvSimpleXML doc;
    doc.LoadFromString(text);
    return std::unique_ptr<TItemLayer>(OSDControlFactory().CreateControl(nullptr, &doc.Root(), applyReference));
}
