// The inspector's property items: one per published property, chosen by the property's declared
// type. An item shows the value as text, may offer a list of values and an edit button, and turns
// typed or chosen text back into a value through the property's setter. Items know nothing of the
// control classes: they see a property as name, type, getter and setter.
#pragma once

#include "editor/SkinText.h"
#include "skinmodel/Published.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class IColorSelector;
struct TPlayerLists;

// Item flags.
enum : int {
    iifValueList = 0x80,           // offers a list of values
    iifAllowNonListValues = 0x100, // text outside the list is taken too
    iifEditButton = 0x800,         // has an edit button ("...")
};

// What the items need from the editor around them.
struct TInspectorContext {
    // The open project's folder (empty before the first project).
    std::function<QString()> ProjectFolder;
    // The player's actions, windows and script functions.
    std::function<const TPlayerLists&()> Lists;
    // The skin's font names, "debugfont" first.
    std::function<std::vector<std::string>()> FontNames;
    std::function<IColorSelector&()> ColorSelector;
    // Stores a value (the page document, which announces the change); none: the setter itself.
    std::function<void(const TPropInfo&, const TPropValue&)> Store;
};

class TJvCustomInspectorItem {
public:
    TJvCustomInspectorItem(TPropInfo prop, const TInspectorContext& context);
    virtual ~TJvCustomInspectorItem() = default;
    TJvCustomInspectorItem(const TJvCustomInspectorItem&) = delete;
    TJvCustomInspectorItem& operator=(const TJvCustomInspectorItem&) = delete;

    virtual const char* ClassName() const = 0;
    const TPropInfo& Prop() const { return FProp; }
    // The same property of another object of the same kind.
    void Rebind(TPropInfo prop) { FProp = std::move(prop); }
    QString Name() const { return QString::fromLatin1(FProp.Name); }
    bool ReadOnly() const { return FProp.ReadOnly(); }

    int Flags() const { return FFlags; }
    // Takes the given flags and adds the item's own.
    virtual void SetFlags(int flags) { FFlags = flags; }

    virtual QString GetDisplayValue() const = 0;
    virtual QStringList GetValueList() const { return {}; }
    // Stores the text through the setter; TInputRefused when it is no value of the property.
    virtual void SetDisplayValue(const QString& text) = 0;
    // The edit button's action; true when a value was stored.
    virtual bool Edit() { return false; }
    // The value can be typed (else it is chosen from the list or set by the edit button only).
    virtual bool TextEditable() const { return !ReadOnly(); }
    // The sub-object whose properties the item holds (parts), or none.
    virtual TPublished* SubObject() const { return nullptr; }

protected:
    TPropValue Value() const { return FProp.Get(); }
    void Store(const TPropValue& value) const;

    const TInspectorContext& FContext;

private:
    TPropInfo FProp;
    int FFlags = 0;
};

// Default items, by the kind of the property.

class TInspectorIntegerItem : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TInspectorIntegerItem"; }
    QString GetDisplayValue() const override;
    void SetDisplayValue(const QString& text) override;
};

class TInspectorFloatItem : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TInspectorFloatItem"; }
    QString GetDisplayValue() const override;
    void SetDisplayValue(const QString& text) override;
};

class TInspectorStringItem : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TInspectorStringItem"; }
    QString GetDisplayValue() const override;
    void SetDisplayValue(const QString& text) override;
};

// Value names by ordinal; Boolean is the enumeration False, True.
class TInspectorEnumItem : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TInspectorEnumItem"; }
    void SetFlags(int flags) override { TJvCustomInspectorItem::SetFlags(flags | iifValueList); }
    QString GetDisplayValue() const override;
    QStringList GetValueList() const override;
    void SetDisplayValue(const QString& text) override;
    bool TextEditable() const override { return false; }
};

class TInspectorBooleanItem : public TInspectorEnumItem {
public:
    using TInspectorEnumItem::TInspectorEnumItem;
    const char* ClassName() const override { return "TInspectorBooleanItem"; }
    QString GetDisplayValue() const override;
    QStringList GetValueList() const override;
    void SetDisplayValue(const QString& text) override;
};

// A part: its properties are the item's children.
class TInspectorClassItem : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TInspectorClassItem"; }
    QString GetDisplayValue() const override;
    void SetDisplayValue(const QString&) override {}
    bool TextEditable() const override { return false; }
    TPublished* SubObject() const override;
};

// The six editors of this program.

// A picture or program file: the picture dialog in the project's "images" folder.
class TJvInspectorFilenameItem : public TInspectorStringItem {
public:
    using TInspectorStringItem::TInspectorStringItem;
    const char* ClassName() const override { return "TJvInspectorFilenameItem"; }
    void SetFlags(int flags) override { TInspectorStringItem::SetFlags(flags | iifEditButton); }
    void SetDisplayValue(const QString& text) override;
    bool Edit() override;
};

// An ARGB colour as AARRGGBB; only the colour selector changes it.
class TJvInspectorColor32Item : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TJvInspectorColor32Item"; }
    void SetFlags(int flags) override { TJvCustomInspectorItem::SetFlags(flags | iifEditButton); }
    QString GetDisplayValue() const override;
    // Typed text is ignored.
    void SetDisplayValue(const QString&) override {}
    bool Edit() override;
    bool TextEditable() const override { return false; }
};

// A skin font name.
class TJvInspectorFontItem : public TInspectorStringItem {
public:
    using TInspectorStringItem::TInspectorStringItem;
    const char* ClassName() const override { return "TJvInspectorFontItem"; }
    void SetFlags(int flags) override { TInspectorStringItem::SetFlags(flags | iifValueList); }
    QStringList GetValueList() const override;
};

// A player action: shown by its name in the actions list where one has the value.
class TJvInspectorTActionIndexItem : public TJvCustomInspectorItem {
public:
    using TJvCustomInspectorItem::TJvCustomInspectorItem;
    const char* ClassName() const override { return "TJvInspectorTActionIndexItem"; }
    void SetFlags(int flags) override
    {
        TJvCustomInspectorItem::SetFlags(flags | iifValueList | iifAllowNonListValues);
    }
    QString GetDisplayValue() const override;
    QStringList GetValueList() const override;
    void SetDisplayValue(const QString& text) override;

protected:
    virtual const QStringList& NameList() const;
};

// A player window: as the action item, with the windows list.
class TJvInspectorTWindowItem : public TJvInspectorTActionIndexItem {
public:
    using TJvInspectorTActionIndexItem::TJvInspectorTActionIndexItem;
    const char* ClassName() const override { return "TJvInspectorTWindowItem"; }

protected:
    const QStringList& NameList() const override;
};

// A player script function: an empty choice, then the functions list.
class TJvInspectorTfunctionItem : public TInspectorStringItem {
public:
    using TInspectorStringItem::TInspectorStringItem;
    const char* ClassName() const override { return "TJvInspectorTfunctionItem"; }
    void SetFlags(int flags) override { TInspectorStringItem::SetFlags(flags | iifValueList); }
    QStringList GetValueList() const override;
};

// The display of a number in a "name=value" list: the name of the last line whose value is
// exactly `valueText`, or `valueText` itself.
QString NameOfValue(const QStringList& lines, const QString& valueText);
// The number a typed text stands for: a signed 32-bit decimal number as it is; any other text
// is a name whose value in the list is taken (-1 when the name is not listed or its value is
// no number).
int32_t ValueOfText(const QStringList& lines, const QString& text);
// The names of a "name=value" list, in list order.
QStringList NamesOf(const QStringList& lines);

// Which item class edits which property type.
class TInspectorItemRegistry {
public:
    using TFactory = std::function<std::unique_ptr<TJvCustomInspectorItem>(const TPropInfo&, const TInspectorContext&)>;

    template <class T>
    void RegisterItemClass(TPropType type)
    {
        FItems[type] = [](const TPropInfo& prop, const TInspectorContext& context) {
            return std::make_unique<T>(prop, context);
        };
        FOrder.push_back(type);
    }
    // The registered class for the type, else the default item for its kind; flags set.
    std::unique_ptr<TJvCustomInspectorItem> CreateItem(const TPropInfo& prop, const TInspectorContext& context) const;
    // The registered types in the order of registration.
    const std::vector<TPropType>& Registered() const { return FOrder; }

private:
    std::map<TPropType, TFactory> FItems;
    std::vector<TPropType> FOrder;
};
