// The XML document model every skin file passes through. It alone fixes the exact bytes of the
// files the editor writes. Text is 8-bit bytes (Windows-1252), never converted.
#pragma once

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

// A name-indexed, owning list: children of an element or its attributes. Lookup by name ignores
// case (Windows-1252 letters included) and finds the last of several entries.
class TJvSimpleXMLProp {
public:
    TJvSimpleXMLProp(TJvSimpleXMLProps* parent, std::string name, std::string value);
    const std::string& Name() const { return FName; }
    void SetName(std::string name);
    const std::string& NameSpace() const { return FNameSpace; }
    void SetNameSpace(std::string ns) { FNameSpace = std::move(ns); }
    const std::string& Value() const { return FValue; }
    void SetValue(std::string value) { FValue = std::move(value); }
    int64_t IntValue() const;               // -1 when the text is no number
    TJvSimpleXMLProps* Parent() const { return FParent; }

private:
    friend class TJvSimpleXMLProps;
    TJvSimpleXMLProps* FParent;
    std::string FName;
    std::string FNameSpace;
    std::string FValue;
};

class TJvSimpleXMLProps {
public:
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
    void Invalidate() { FIndexStale = true; }
    TJvSimpleXMLElem* FParent;
    std::vector<std::unique_ptr<TJvSimpleXMLProp>> FItems;
    std::vector<int32_t> FBuckets;  // name index, rebuilt lazily
    std::vector<int32_t> FNext;
    bool FIndexStale = true;
};

class TJvSimpleXMLElemClassic;

class TJvSimpleXMLElems {
public:
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
    void Clear();
    TJvSimpleXMLElem* Parent() const { return FParent; }

private:
    friend class TJvSimpleXMLElem;
    void Invalidate() { FIndexStale = true; }
    TJvSimpleXMLElem* FParent;
    std::vector<std::unique_ptr<TJvSimpleXMLElem>> FItems;
    std::vector<int32_t> FBuckets;
    std::vector<int32_t> FNext;
    bool FIndexStale = true;
};

// The element base: a free-standing container that is never written (the editor's clipboard).
class TJvSimpleXMLElem {
public:
    explicit TJvSimpleXMLElem(TJvSimpleXMLElem* parent = nullptr);
    virtual ~TJvSimpleXMLElem();
    TJvSimpleXMLElem(const TJvSimpleXMLElem&) = delete;
    TJvSimpleXMLElem& operator=(const TJvSimpleXMLElem&) = delete;

    virtual TJvSimpleXMLElemKind Kind() const { return TJvSimpleXMLElemKind::Base; }

    const std::string& Name() const { return FName; }
    void SetName(std::string name);  // an empty or unchanged name does nothing
    const std::string& NameSpace() const { return FNameSpace; }
    void SetNameSpace(std::string ns) { FNameSpace = std::move(ns); }
    const std::string& Value() const { return FValue; }
    void SetValue(std::string value) { FValue = std::move(value); }
    int64_t IntValue() const;        // -1 when the text is no number
    std::string GetQualifiedName() const;

    TJvSimpleXMLElem* Parent() const { return FParent; }
    TJvSimpleXML* SimpleXML() const;  // the document, through the parent chain; none if free

    TJvSimpleXMLElems& Items();                 // created on first use
    TJvSimpleXMLProps& Properties();            // created on first use
    const TJvSimpleXMLElems* ItemsIfAny() const { return FItems.get(); }
    const TJvSimpleXMLProps* PropertiesIfAny() const { return FProps.get(); }
    int ChildCount() const;                     // 0 without creating the list
    int GetChildIndex(const TJvSimpleXMLElem* child) const;

    virtual void Clear();
    virtual void Assign(const TJvSimpleXMLElem& source);
    virtual std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const;

private:
    friend class TJvSimpleXMLElems;
    friend class TJvSimpleXML;
    TJvSimpleXMLElem* FParent;
    TJvSimpleXML* FDocument = nullptr;  // set on the root only
    std::string FName;
    std::string FNameSpace;
    std::string FValue;
    std::unique_ptr<TJvSimpleXMLElems> FItems;
    std::unique_ptr<TJvSimpleXMLProps> FProps;
};

class TJvSimpleXMLElemClassic : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::Classic; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemText : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::Text; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemComment : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::Comment; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemCData : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::CData; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemHeader : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::Header; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
    void Assign(const TJvSimpleXMLElem& source) override;
    std::string Version = "1.0";
    std::string Encoding = "iso-8859-1";
    bool Standalone = false;
};

class TJvSimpleXMLElemDocType : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::DocType; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

class TJvSimpleXMLElemSheet : public TJvSimpleXMLElem {
public:
    using TJvSimpleXMLElem::TJvSimpleXMLElem;
    TJvSimpleXMLElemKind Kind() const override { return TJvSimpleXMLElemKind::Sheet; }
    std::unique_ptr<TJvSimpleXMLElem> CloneEmpty(TJvSimpleXMLElem* parent) const override;
};

// What stands before the root: declaration, document types, style sheets, comments, in order.
class TJvSimpleXMLElemsProlog {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TJvSimpleXMLElem* Item(int index) const;
    TJvSimpleXMLElem* Add(std::unique_ptr<TJvSimpleXMLElem> elem);
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

    // A missing file does nothing; a file that cannot be read raises EFOpenError.
    void LoadFromFile(const QString& fileName);
    void LoadFromString(std::string_view text);
    // Written atomically: a failed write leaves the old file and raises EFCreateError/EWriteError.
    void SaveToFile(const QString& fileName);
    std::string SaveToString();

    void DoEncodeValue(std::string& value) const;
    void DoDecodeValue(std::string& value) const;

private:
    std::unique_ptr<TJvSimpleXMLElemClassic> FRoot;
    TJvSimpleXMLElemsProlog FProlog;
};

std::string EncodeText(std::string_view text);
void DecodeText(std::string& text);
std::string DecodeNamedEntities(std::string_view text);
