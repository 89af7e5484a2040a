#include "support/XmlText.h"

#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

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
    doc.Root().SetName("item");
    control.SaveToXML(&doc.Root(), nullptr, false);
    return Children(&doc.Root());
}

std::string SavedText(TItemLayer& control)
{
    TJvSimpleXML doc;
    doc.Root().SetName("item");
    control.SaveToXML(&doc.Root(), nullptr, false);
    return doc.SaveToString();
}
