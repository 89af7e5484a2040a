// The XML document model every skin file passes through. It alone fixes the exact bytes of the
// files the editor writes. Text is 8-bit bytes (Windows-1252), never converted.
#pragma once

#include "skinmodel/xml/NodePool.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TJvSimpleXML;
class TJvSimpleXMLElem;
class TJvSimpleXMLElems;
class TJvSimpleXMLProps;

// Raised by the parser; carries only its message.
class EJvSimpleXMLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TJvSimpleXMLElemKind { Base, Classic, Text, Comment, CData, Header, DocType, Sheet };

namespace jvxml {
class Reader;
class Writer;
// The index bucket of a name (hash over its upper-cased bytes) and the comparison of names.
int HashKey(std::string_view key);
bool SameName(std::string_view a, std::string_view b);

// Finds the last entry whose name equals a key without regard to case. Short lists are scanned;
// longer ones get a hash index, built on the first lookup after a change.
class NameIndex {
public:
    void Invalidate() { FStale = true; }
    template <class List, class GetName>
    int Find(const List& items, std::string_view key, GetName name);

private:
    std::vector<int32_t> FBuckets;
    std::vector<int32_t> FNext;
    bool FStale = true;
};
}  // namespace jvxml

// A name-indexed, owning list: children of an element or its attributes. Lookup by name ignores
// case (Windows-1252 letters included) and finds the last of several entries.
class TJvSimpleXMLProp {
public:
    JVXML_POOLED
    TJvSimpleXMLProp(TJvSimpleXMLProps* parent, std::string name, std::string value);
    const std::string& Name() const { return FName; }
    void SetName(std::string name);
    const std::string& NameSpace() const { return FNameSpace; }
    void SetNameSpace(std::string ns);
    const std::string& Value() const { return FValue; }
    void SetValue(std::string value) { FValue = std::move(value); }
    int64_t IntValue() const;               // -1 when the text is no number
    TJvSimpleXMLProps* Parent() const { return FParent; }
    // What stood before the local name when it was read, colons included ("a:b:", "2::"); empty
    // when that was just NameSpace and ":" or nothing.
    std::string_view PrefixAsRead() const { return FPrefix ? std::string_view(*FPrefix) : std::string_view(); }

private:
    friend class TJvSimpleXMLProps;
    friend class TJvSimpleXMLElem;
    friend class jvxml::Reader;
    friend class jvxml::Writer;
    TJvSimpleXMLProps* FParent;
    std::string FName;
    std::string FNameSpace;
    std::string FValue;
    std::unique_ptr<std::string> FPrefix;  // only for names whose prefix NameSpace alone cannot give
};

class TJvSimpleXMLProps {
public:
    JVXML_POOLED
    explicit TJvSimpleXMLProps(TJvSimpleXMLElem* parent);
    ~TJvSimpleXMLProps();
    TJvSimpleXMLProps(const TJvSimpleXMLProps&) = delete;
    TJvSimpleXMLProps& operator=(const TJvSimpleXMLProps&) = delete;

    TJvSimpleXMLProp* Add(std::string_view name, std::string_view value);
    TJvSimpleXMLProp* Add(std::string_view name, int64_t value);
    void Delete(int index);
    int Count() const;
    TJvSimpleXMLProp* Item(int index) const;          // none outside 0..Count-1
    TJvSimpleXMLProp* ItemNamed(std::string_view name); // AutoCreate adds a missing one
    std::string Value(std::string_view name, std::string_view def = {});
    int64_t IntValue(std::string_view name, int64_t def = -1);
    bool BoolValue(std::string_view name, bool def = true);
    void Clear();
    TJvSimpleXMLElem* Parent() const { return FParent; }

private:
    friend class TJvSimpleXMLProp;
    friend class TJvSimpleXMLElem;
    friend class jvxml::Reader;
    friend class jvxml::Writer;
    void Invalidate() { FIndex.Invalidate(); }
    int IndexOf(std::string_view name);
    bool AutoCreates() const;
    TJvSimpleXMLElem* FParent;
    std::vector<std::unique_ptr<TJvSimpleXMLProp>, jvxml::PoolAllocator<std::unique_ptr<TJvSimpleXMLProp>>> FItems;
    jvxml::NameIndex FIndex;
};

class TJvSimpleXMLElemClassic;

class TJvSimpleXMLElems {
public:
    JVXML_POOLED
    explicit TJvSimpleXMLElems(TJvSimpleXMLElem* parent);
    ~TJvSimpleXMLElems();
    TJvSimpleXMLElems(const TJvSimpleXMLElems&) = delete;
    TJvSimpleXMLElems& operator=(const TJvSimpleXMLElems&) = delete;

    TJvSimpleXMLElemClassic* Add(std::string_view name);
    TJvSimpleXMLElemClassic* Add(std::string_view name, std::string_view value);
    TJvSimpleXMLElemClassic* Add(std::string_view name, int64_t value);
    // Appends an element that belongs to no list yet; the list takes ownership.
    TJvSimpleXMLElem* Add(std::unique_ptr<TJvSimpleXMLElem> elem);
    // Inserts at a position (0..Count); the list takes ownership.
    TJvSimpleXMLElem* Insert(int index, std::unique_ptr<TJvSimpleXMLElem> elem);
    // Takes a child out of the list without destroying it; none for a bad index.
    std::unique_ptr<TJvSimpleXMLElem> Extract(int index);
    void Delete(int index);
    int Count() const;
    TJvSimpleXMLElem* Item(int index) const;
    TJvSimpleXMLElem* ItemNamed(std::string_view name);
    // The last child of that name as ItemNamed finds it, but never one created.
    TJvSimpleXMLElem* FindNamed(std::string_view name) const;
    void Clear();
    TJvSimpleXMLElem* Parent() const { return FParent; }

private:
    friend class TJvSimpleXMLElem;
    friend class jvxml::Reader;
    friend class jvxml::Writer;
    void Invalidate() { FIndex.Invalidate(); }
    using List = std::vector<std::unique_ptr<TJvSimpleXMLElem>, jvxml::PoolAllocator<std::unique_ptr<TJvSimpleXMLElem>>>;
    // Destroys the entries and their subtrees without recursion, so any depth is safe.
    static void Release(List& items);
    TJvSimpleXMLElem* FParent;
    List FItems;
    // Built on demand by lookups, also through a const list.
    mutable jvxml::NameIndex FIndex;
};

// The element base: a free-standing container that is never written (the editor's clipboard).
class TJvSimpleXMLElem {
public:
    JVXML_POOLED
    explicit TJvSimpleXMLElem(TJvSimpleXMLElem* parent = nullptr);
    virtual ~TJvSimpleXMLElem();
    TJvSimpleXMLElem(const TJvSimpleXMLElem&) = delete;
    TJvSimpleXMLElem& operator=(const TJvSimpleXMLElem&) = delete;

    TJvSimpleXMLElemKind Kind() const { return FKind; }

    const std::string& Name() const { return FName; }
    void SetName(std::string name);  // an empty or unchanged name does nothing
    const std::string& NameSpace() const { return FNameSpace; }
    void SetNameSpace(std::string ns);
    const std::string& Value() const { return FValue; }
    void SetValue(std::string value) { FValue = std::move(value); }
    int64_t IntValue() const;        // -1 when the text is no number
    std::string GetQualifiedName() const;
    // What stood before the local name when it was read, colons included ("a:b:", "x:" for an
    // empty name, ":"); empty when that was just NameSpace and ":" or nothing.
    std::string_view PrefixAsRead() const;

    TJvSimpleXMLElem* Parent() const { return FParent; }
    TJvSimpleXML* SimpleXML() const;  // the document, through the parent chain; none if free

    TJvSimpleXMLElems& Items();                 // created on first use
    TJvSimpleXMLProps& Properties();            // created on first use
    const TJvSimpleXMLElems* ItemsIfAny() const { return FItems.get(); }
    const TJvSimpleXMLProps* PropertiesIfAny() const { return FProps.get(); }
    int ChildCount() const;                     // 0 without creating the list
    int GetChildIndex(const TJvSimpleXMLElem* child) const;

    virtual void Clear();
    // Clear, then a copy of the source's name, prefix, value, attributes and whole subtree.
    virtual void Assign(const TJvSimpleXMLElem& source);
    // A new, empty element of the same kind.
    virtual std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const;
    // A whole copy of this element, in no document.
    std::unique_ptr<TJvSimpleXMLElem> Clone() const;

protected:
    TJvSimpleXMLElem(TJvSimpleXMLElem* parent, TJvSimpleXMLElemKind kind) : FParent(parent), FKind(kind) {}
    // Copies what the element itself holds (not its children).
    virtual void AssignFields(const TJvSimpleXMLElem& source);

private:
    friend class TJvSimpleXMLElems;
    friend class TJvSimpleXML;
    friend class jvxml::Reader;
    friend class jvxml::Writer;
    // What few elements have: the root's document, a prefix as read. Kept apart so that the
    // hundreds of thousands of elements of a page stay small.
    struct Rare {
        TJvSimpleXML* Document = nullptr;
        std::unique_ptr<std::string> Prefix;
    };
    Rare& RareFields();
    void SetPrefixAsRead(std::string prefix);
    void ClearPrefixAsRead();

    TJvSimpleXMLElem* FParent;
    TJvSimpleXMLElemKind FKind = TJvSimpleXMLElemKind::Base;
    std::unique_ptr<Rare> FRare;
    std::string FName;
    std::string FNameSpace;
    std::string FValue;
    std::unique_ptr<TJvSimpleXMLElems> FItems;
    std::unique_ptr<TJvSimpleXMLProps> FProps;
};

class TJvSimpleXMLElemClassic : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemClassic(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::Classic) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemText : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemText(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::Text) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemComment : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemComment(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::Comment) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemCData : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemCData(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::CData) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemHeader : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemHeader(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::Header) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
    void Assign(const TJvSimpleXMLElem& source) override;
    std::string Version = "1.0";
    std::string Encoding = "iso-8859-1";
    bool Standalone = false;

protected:
    void AssignFields(const TJvSimpleXMLElem& source) override;
};

class TJvSimpleXMLElemDocType : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemDocType(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::DocType) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemSheet : public TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElemSheet(TJvSimpleXMLElem* parent = nullptr) : TJvSimpleXMLElem(parent, TJvSimpleXMLElemKind::Sheet) {}
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

// What stands before the root: declaration, document types, style sheets, comments, in order.
class TJvSimpleXMLElemsProlog {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TJvSimpleXMLElem* Item(int index) const;
    TJvSimpleXMLElem* Add(std::unique_ptr<TJvSimpleXMLElem> elem);
    TJvSimpleXMLElem* Insert(int index, std::unique_ptr<TJvSimpleXMLElem> elem);
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TJvSimpleXMLElem>> FItems;
};

class TJvSimpleXML {
public:
    enum Option : uint8_t {
        AutoCreate = 1,
        AutoIndent = 2,
        EncodeValues = 4,
        EncodeEntities = 8,
        OmitProlog = 16,
    };

    TJvSimpleXML();
    ~TJvSimpleXML();
    TJvSimpleXML(const TJvSimpleXML&) = delete;
    TJvSimpleXML& operator=(const TJvSimpleXML&) = delete;

    uint8_t Options = AutoIndent | EncodeValues | EncodeEntities;
    std::string IndentString = "  ";

    TJvSimpleXMLElemClassic& Root() { return *FRoot; }
    const TJvSimpleXMLElemClassic& Root() const { return *FRoot; }
    TJvSimpleXMLElemsProlog& Prolog() { return FProlog; }

    // A missing file does nothing; a file that cannot be read raises EFOpenError. Reading decodes
    // element text, attribute values and element names (which the writer encodes), and raises
    // EJvSimpleXMLError at the first error, keeping what was complete by then.
    void LoadFromFile(const QString& fileName);
    void LoadFromString(std::string_view text);
    // Written atomically: a failed write leaves the old file and raises EFCreateError/EWriteError.
    void SaveToFile(const QString& fileName);
    std::string SaveToString();

    void DoEncodeValue(std::string& value) const;
    void DoDecodeValue(std::string& value) const;

private:
    friend class jvxml::Reader;
    friend class jvxml::Writer;
    std::unique_ptr<TJvSimpleXMLElemClassic> FRoot;
    TJvSimpleXMLElemsProlog FProlog;
    size_t FLastSize = 0;  // the length of the last text written, to reserve for the next
};

std::string EncodeText(std::string_view text);
void DecodeText(std::string& text);
std::string DecodeNamedEntities(std::string_view text);

// The error that the reader raises for a text that ends inside a declaration or document type.
inline constexpr const char* kHeaderEndMessage = "Invalid Header: Unexpected end of data";

template <class List, class GetName>
int jvxml::NameIndex::Find(const List& items, std::string_view key, GetName name)
{
    const int count = static_cast<int>(items.size());
    if (count <= 16) {
        for (int i = count - 1; i >= 0; --i)
            if (SameName(name(items[i]), key))
                return i;
        return -1;
    }
    if (FStale) {
        FBuckets.assign(256, -1);
        FNext.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            const int b = HashKey(name(items[i]));
            FNext[i] = FBuckets[b];
            FBuckets[b] = i;
        }
        FStale = false;
    }
    for (int i = FBuckets[HashKey(key)]; i >= 0; i = FNext[i])
        if (SameName(name(items[i]), key))
            return i;
    return -1;
}
