// Parse, write, parse again, write again. The reader must never crash, hang or overflow the stack,
// what the writer makes from a read tree must always read again, and for trees that the text form
// can hold exactly the two writes must be identical.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// An element with no name, no prefix and no colon is written as its children only.
bool Nameless(const TJvSimpleXMLElem& e)
{
    return e.Name().empty() && e.NameSpace().empty() && e.PrefixAsRead().empty();
}

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool NoQuote(const std::string& s) { return s.find('"') == std::string::npos; }

// Whether the text form holds this tree exactly. It does not for mixed content (a text between
// elements takes up the line break and indentation written after it), for values that begin with
// white space (the reader skips it), for elements without any name, prefix or colon (written as
// their children only) and for quotes inside a declaration or style sheet (written as they stand).
bool RoundTrips(TJvSimpleXML& doc)
{
    for (int i = 0; i < doc.Prolog().Count(); ++i) {
        TJvSimpleXMLElem* e = doc.Prolog().Item(i);
        if (auto* h = dynamic_cast<TJvSimpleXMLElemHeader*>(e); h && (!NoQuote(h->Version) || !NoQuote(h->Encoding)))
            return false;
        if (const TJvSimpleXMLProps* props = e->PropertiesIfAny())
            for (int k = 0; k < props->Count(); ++k)
                if (!NoQuote(props->Item(k)->Value()))
                    return false;
    }
    if (Nameless(doc.Root()))
        return doc.Root().ChildCount() == 0;
    std::vector<const TJvSimpleXMLElem*> pending{&doc.Root()};
    while (!pending.empty()) {
        const TJvSimpleXMLElem* e = pending.back();
        pending.pop_back();
        if (e->Kind() == TJvSimpleXMLElemKind::Text)
            return false;
        if (e->Kind() != TJvSimpleXMLElemKind::Classic)
            continue;
        if (Nameless(*e))
            return false;
        if (!e->Value().empty() && IsWhite(e->Value().front()))
            return false;
        if (const TJvSimpleXMLElems* kids = e->ItemsIfAny())
            for (int k = 0; k < kids->Count(); ++k)
                pending.push_back(kids->Item(k));
    }
    return true;
}

[[noreturn]] void Fault(const char* what, const std::string& a, const std::string& b)
{
    std::fprintf(stderr, "%s\n--- first ---\n%s\n--- second ---\n%s\n", what, a.c_str(), b.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TJvSimpleXML first;
    first.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    try {
        first.LoadFromString(text);
    } catch (const EJvSimpleXMLError&) {
        first.SaveToString();  // what was read before the error can still be written
        return 0;
    }
    const std::string once = first.SaveToString();
    const bool exact = RoundTrips(first);
    TJvSimpleXML second;
    second.Options = first.Options;
    try {
        second.LoadFromString(once);
    } catch (const EJvSimpleXMLError& e) {
        if (exact)
            Fault(e.what(), once, std::string());
        return 0;
    }
    const std::string twice = second.SaveToString();
    if (exact && once != twice)
        Fault("the second write differs", once, twice);
    return 0;
}
