#include "skinmodel/xml/JvSimpleXml2.h"

#include "skinmodel/xml/BoolWords.h"

#include <charconv>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A signed 64-bit integer: leading blanks and a sign allowed, "$", "x" or "0x" for hexadecimal.
bool TryStrToInt64(std::string_view s, int64_t& out)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && (s.front() == '$' || s.front() == 'x' || s.front() == 'X')) {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s.front() == '+' || s.front() == '-')
        return false;
    uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return false;
    const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                    : uint64_t(std::numeric_limits<int64_t>::max());
    if (base == 10 && magnitude > limit)
        return false;
    // Hexadecimal text covers the full 64 bits, as the class library's conversion does.
    out = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

// Lookups that find nothing add an entry when the element's document asks for it.
bool ElementAutoCreates(const TJvSimpleXMLElem* owner)
{
    const TJvSimpleXML* doc = owner ? owner->SimpleXML() : nullptr;
    return doc && (doc->Options & TJvSimpleXML::AutoCreate);
}

int64_t StrToInt64Def(std::string_view s, int64_t def)
{
    int64_t v = 0;
    return TryStrToInt64(s, v) ? v : def;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Attributes

TJvSimpleXMLProp::TJvSimpleXMLProp(TJvSimpleXMLProps* parent, std::string name, std::string value)
    : FParent(parent), FName(std::move(name)), FValue(std::move(value))
{
}

void TJvSimpleXMLProp::SetName(std::string name)
{
    if (name == FName)
        return;
    FName = std::move(name);
    if (FParent)
        FParent->Invalidate();
}

void TJvSimpleXMLProp::SetNameSpace(std::string ns)
{
    FNameSpace = std::move(ns);
    FPrefix.reset();
}

int64_t TJvSimpleXMLProp::IntValue() const { return StrToInt64Def(FValue, -1); }

TJvSimpleXMLProps::TJvSimpleXMLProps(TJvSimpleXMLElem* parent) : FParent(parent) {}
TJvSimpleXMLProps::~TJvSimpleXMLProps() = default;

TJvSimpleXMLProp* TJvSimpleXMLProps::Add(std::string_view name, std::string_view value)
{
    FItems.push_back(std::make_unique<TJvSimpleXMLProp>(this, std::string(name), std::string(value)));
    Invalidate();
    return FItems.back().get();
}

TJvSimpleXMLProp* TJvSimpleXMLProps::Add(std::string_view name, int64_t value)
{
    return Add(name, std::to_string(value));
}

void TJvSimpleXMLProps::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FItems.erase(FItems.begin() + index);
    Invalidate();
}

int TJvSimpleXMLProps::Count() const { return static_cast<int>(FItems.size()); }

TJvSimpleXMLProp* TJvSimpleXMLProps::Item(int index) const
{
    return (index < 0 || index >= Count()) ? nullptr : FItems[size_t(index)].get();
}

int TJvSimpleXMLProps::IndexOf(std::string_view name)
{
    return FIndex.Find(FItems, name, [](const auto& p) -> std::string_view { return p->FName; });
}

bool TJvSimpleXMLProps::AutoCreates() const { return ElementAutoCreates(FParent); }

TJvSimpleXMLProp* TJvSimpleXMLProps::ItemNamed(std::string_view name)
{
    const int i = IndexOf(name);
    if (i >= 0)
        return FItems[size_t(i)].get();
    return AutoCreates() ? Add(name, std::string_view()) : nullptr;
}

std::string TJvSimpleXMLProps::Value(std::string_view name, std::string_view def)
{
    const int i = IndexOf(name);
    if (i >= 0)
        return FItems[size_t(i)]->FValue;
    if (AutoCreates())
        Add(name, def);
    return std::string(def);
}

int64_t TJvSimpleXMLProps::IntValue(std::string_view name, int64_t def)
{
    const int i = IndexOf(name);
    if (i >= 0)
        return FItems[size_t(i)]->IntValue();
    if (AutoCreates())
        Add(name, def);
    return def;
}

bool TJvSimpleXMLProps::BoolValue(std::string_view name, bool def)
{
    const int i = IndexOf(name);
    if (i < 0) {
        if (AutoCreates()) {
            const auto& words = def ? TrueBoolStrs() : FalseBoolStrs();
            Add(name, words.empty() ? std::string(def ? "-1" : "0") : words.front());
        }
        return def;
    }
    const std::string& text = FItems[size_t(i)]->FValue;
    if (text.empty())
        return def;
    bool result = false;
    return TryStrToBool(text, result) ? result : false;
}

void TJvSimpleXMLProps::Clear()
{
    FItems.clear();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Children

TJvSimpleXMLElems::TJvSimpleXMLElems(TJvSimpleXMLElem* parent) : FParent(parent) {}

TJvSimpleXMLElems::~TJvSimpleXMLElems() { Release(FItems); }

TJvSimpleXMLElemClassic* TJvSimpleXMLElems::Add(std::string_view name)
{
    return Add(name, std::string_view());
}

TJvSimpleXMLElemClassic* TJvSimpleXMLElems::Add(std::string_view name, std::string_view value)
{
    auto elem = std::make_unique<TJvSimpleXMLElemClassic>(FParent);
    elem->FName.assign(name);
    elem->FValue.assign(value);
    auto* raw = elem.get();
    FItems.push_back(std::move(elem));
    Invalidate();
    return raw;
}

TJvSimpleXMLElemClassic* TJvSimpleXMLElems::Add(std::string_view name, int64_t value)
{
    return Add(name, std::string_view(std::to_string(value)));
}

TJvSimpleXMLElem* TJvSimpleXMLElems::Add(std::unique_ptr<TJvSimpleXMLElem> elem)
{
    return Insert(Count(), std::move(elem));
}

TJvSimpleXMLElem* TJvSimpleXMLElems::Insert(int index, std::unique_ptr<TJvSimpleXMLElem> elem)
{
    if (!elem)
        return nullptr;
    if (index < 0)
        index = 0;
    if (index > Count())
        index = Count();
    elem->FParent = FParent;
    if (elem->FRare)
        elem->FRare->Document = nullptr;
    auto* raw = elem.get();
    FItems.insert(FItems.begin() + index, std::move(elem));
    Invalidate();
    return raw;
}

std::unique_ptr<TJvSimpleXMLElem> TJvSimpleXMLElems::Extract(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    auto elem = std::move(FItems[size_t(index)]);
    FItems.erase(FItems.begin() + index);
    elem->FParent = nullptr;
    Invalidate();
    return elem;
}

void TJvSimpleXMLElems::Delete(int index)
{
    auto elem = Extract(index);  // destroyed here, its subtree without recursion
}

int TJvSimpleXMLElems::Count() const { return static_cast<int>(FItems.size()); }

TJvSimpleXMLElem* TJvSimpleXMLElems::Item(int index) const
{
    return (index < 0 || index >= Count()) ? nullptr : FItems[size_t(index)].get();
}

TJvSimpleXMLElem* TJvSimpleXMLElems::ItemNamed(std::string_view name)
{
    if (TJvSimpleXMLElem* found = FindNamed(name))
        return found;
    return ElementAutoCreates(FParent) ? Add(name) : nullptr;
}

TJvSimpleXMLElem* TJvSimpleXMLElems::FindNamed(std::string_view name) const
{
    const int i = FIndex.Find(FItems, name, [](const auto& e) -> std::string_view { return e->FName; });
    return i >= 0 ? FItems[size_t(i)].get() : nullptr;
}

void TJvSimpleXMLElems::Clear()
{
    Release(FItems);
    Invalidate();
}

void TJvSimpleXMLElems::Release(List& items)
{
    if (items.empty())
        return;
    List pending = std::move(items);
    items.clear();
    while (!pending.empty()) {
        std::unique_ptr<TJvSimpleXMLElem> elem = std::move(pending.back());
        pending.pop_back();
        if (elem->FItems && !elem->FItems->FItems.empty()) {
            auto& kids = elem->FItems->FItems;
            pending.insert(pending.end(), std::make_move_iterator(kids.begin()), std::make_move_iterator(kids.end()));
            kids.clear();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Elements

TJvSimpleXMLElem::TJvSimpleXMLElem(TJvSimpleXMLElem* parent) : FParent(parent) {}

TJvSimpleXMLElem::~TJvSimpleXMLElem() = default;

void TJvSimpleXMLElem::SetName(std::string name)
{
    if (name.empty() || name == FName)
        return;
    FName = std::move(name);
    // The parent's index holds the old name; the next lookup rebuilds it.
    if (FParent && FParent->FItems)
        FParent->FItems->Invalidate();
}

void TJvSimpleXMLElem::SetNameSpace(std::string ns)
{
    FNameSpace = std::move(ns);
    ClearPrefixAsRead();
}

int64_t TJvSimpleXMLElem::IntValue() const { return StrToInt64Def(FValue, -1); }

std::string TJvSimpleXMLElem::GetQualifiedName() const
{
    return FNameSpace.empty() ? FName : FNameSpace + ":" + FName;
}

std::string_view TJvSimpleXMLElem::PrefixAsRead() const
{
    return FRare && FRare->Prefix ? std::string_view(*FRare->Prefix) : std::string_view();
}

TJvSimpleXMLElem::Rare& TJvSimpleXMLElem::RareFields()
{
    if (!FRare)
        FRare = std::make_unique<Rare>();
    return *FRare;
}

void TJvSimpleXMLElem::SetPrefixAsRead(std::string prefix)
{
    Rare& rare = RareFields();
    if (rare.Prefix)
        *rare.Prefix = std::move(prefix);
    else
        rare.Prefix = std::make_unique<std::string>(std::move(prefix));
}

void TJvSimpleXMLElem::ClearPrefixAsRead()
{
    if (FRare)
        FRare->Prefix.reset();
}

TJvSimpleXML* TJvSimpleXMLElem::SimpleXML() const
{
    const TJvSimpleXMLElem* e = this;
    while (e->FParent)
        e = e->FParent;
    return e->FRare ? e->FRare->Document : nullptr;
}

TJvSimpleXMLElems& TJvSimpleXMLElem::Items()
{
    if (!FItems)
        FItems = std::make_unique<TJvSimpleXMLElems>(this);
    return *FItems;
}

TJvSimpleXMLProps& TJvSimpleXMLElem::Properties()
{
    if (!FProps)
        FProps = std::make_unique<TJvSimpleXMLProps>(this);
    return *FProps;
}

int TJvSimpleXMLElem::ChildCount() const { return FItems ? FItems->Count() : 0; }

int TJvSimpleXMLElem::GetChildIndex(const TJvSimpleXMLElem* child) const
{
    if (!FItems)
        return -1;
    for (size_t i = 0; i < FItems->FItems.size(); ++i)
        if (FItems->FItems[i].get() == child)
            return static_cast<int>(i);
    return -1;
}

void TJvSimpleXMLElem::Clear()
{
    if (FItems)
        FItems->Clear();
    if (FProps)
        FProps->Clear();
}

void TJvSimpleXMLElem::AssignFields(const TJvSimpleXMLElem& source)
{
    SetName(source.FName);
    FNameSpace = source.FNameSpace;
    if (source.FRare && source.FRare->Prefix)
        SetPrefixAsRead(*source.FRare->Prefix);
    else
        ClearPrefixAsRead();
    FValue = source.FValue;
    if (source.FProps && source.FProps->Count() > 0) {
        TJvSimpleXMLProps& props = Properties();
        for (const auto& p : source.FProps->FItems) {
            TJvSimpleXMLProp* copy = props.Add(p->FName, p->FValue);
            copy->FNameSpace = p->FNameSpace;
            if (p->FPrefix)
                copy->FPrefix = std::make_unique<std::string>(*p->FPrefix);
        }
    }
}

void TJvSimpleXMLElem::Assign(const TJvSimpleXMLElem& source)
{
    if (&source == this)
        return;
    Clear();
    AssignFields(source);
    // Depth-first copy with an explicit stack: a deep source must not exhaust the call stack.
    std::vector<std::pair<const TJvSimpleXMLElem*, TJvSimpleXMLElem*>> pending{{&source, this}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        if (!from->FItems)
            continue;
        for (const auto& child : from->FItems->FItems) {
            auto copy = child->CloneEmpty(to);
            copy->AssignFields(*child);
            TJvSimpleXMLElem* raw = to->Items().Add(std::move(copy));
            pending.emplace_back(child.get(), raw);
        }
    }
}

std::unique_ptr<TJvSimpleXMLElem> TJvSimpleXMLElem::CloneEmpty(TJvSimpleXMLElem* parent) const
{
    return std::make_unique<TJvSimpleXMLElem>(parent);
}

std::unique_ptr<TJvSimpleXMLElem> TJvSimpleXMLElem::Clone() const
{
    std::unique_ptr<TJvSimpleXMLElem> copy = CloneEmpty(nullptr);
    copy->Assign(*this);
    return copy;
}

#define JV_CLONE_EMPTY(Class)                                                              \
    std::unique_ptr<TJvSimpleXMLElem> Class::CloneEmpty(TJvSimpleXMLElem* parent) const \
    {                                                                                      \
        return std::make_unique<Class>(parent);                                            \
    }
JV_CLONE_EMPTY(TJvSimpleXMLElemClassic)
JV_CLONE_EMPTY(TJvSimpleXMLElemText)
JV_CLONE_EMPTY(TJvSimpleXMLElemComment)
JV_CLONE_EMPTY(TJvSimpleXMLElemCData)
JV_CLONE_EMPTY(TJvSimpleXMLElemHeader)
JV_CLONE_EMPTY(TJvSimpleXMLElemDocType)
JV_CLONE_EMPTY(TJvSimpleXMLElemSheet)
#undef JV_CLONE_EMPTY

void TJvSimpleXMLElemHeader::Assign(const TJvSimpleXMLElem& source) { TJvSimpleXMLElem::Assign(source); }

void TJvSimpleXMLElemHeader::AssignFields(const TJvSimpleXMLElem& source)
{
    TJvSimpleXMLElem::AssignFields(source);
    if (const auto* header = dynamic_cast<const TJvSimpleXMLElemHeader*>(&source)) {
        Version = header->Version;
        Encoding = header->Encoding;
        Standalone = header->Standalone;
    }
}

// ---------------------------------------------------------------------------------------------
// Prolog and document

TJvSimpleXMLElem* TJvSimpleXMLElemsProlog::Item(int index) const
{
    return (index < 0 || index >= Count()) ? nullptr : FItems[size_t(index)].get();
}

TJvSimpleXMLElem* TJvSimpleXMLElemsProlog::Add(std::unique_ptr<TJvSimpleXMLElem> elem)
{
    return Insert(Count(), std::move(elem));
}

TJvSimpleXMLElem* TJvSimpleXMLElemsProlog::Insert(int index, std::unique_ptr<TJvSimpleXMLElem> elem)
{
    if (!elem)
        return nullptr;
    index = std::max(0, std::min(index, Count()));
    auto* raw = elem.get();
    FItems.insert(FItems.begin() + index, std::move(elem));
    return raw;
}

TJvSimpleXML::TJvSimpleXML() : FRoot(std::make_unique<TJvSimpleXMLElemClassic>(nullptr))
{
    FRoot->RareFields().Document = this;
}

TJvSimpleXML::~TJvSimpleXML()
{
    FRoot.reset();
    FProlog.Clear();
    jvxml::PoolTrim();  // the next document, on any thread, takes up what this one held
}

void TJvSimpleXML::DoEncodeValue(std::string& value) const
{
    if (Options & (EncodeValues | EncodeEntities))
        value = EncodeText(value);
}

void TJvSimpleXML::DoDecodeValue(std::string& value) const
{
    if (Options & EncodeValues)
        DecodeText(value);
    else if (Options & EncodeEntities)
        value = DecodeNamedEntities(value);
}
