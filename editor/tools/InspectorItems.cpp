#include "editor/tools/InspectorItems.h"

#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "editor/settings/PlayerLists.h"
#include "editor/tools/ColorSelector.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ItemLayer.h"

#include <charconv>
#include <cmath>

namespace {

QString Quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString OutOfRange(int64_t min, int64_t max)
{
    return QStringLiteral("Value must be between %1 and %2").arg(min).arg(max);
}

// Optional leading blanks, an optional sign and decimal digits, within the signed 32-bit range.
std::optional<int32_t> ParseDecimal32(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    std::size_t i = 0;
    while (i < std::size_t(bytes.size()) && bytes[i] == ' ')
        ++i;
    const char* first = bytes.constData() + i;
    const char* last = bytes.constData() + bytes.size();
    if (first != last && *first == '+')
        ++first;
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last)
        return std::nullopt;
    // "+-5" is no number.
    if (first != bytes.constData() + i && *first == '-')
        return std::nullopt;
    return value;
}

// The name and value of a "name=value" line (split at the first "=").
std::pair<QString, QString> SplitLine(const QString& line)
{
    const qsizetype at = line.indexOf(QLatin1Char('='));
    if (at < 0)
        return {line, QString()};
    return {line.left(at), line.mid(at + 1)};
}

} // namespace

TJvCustomInspectorItem::TJvCustomInspectorItem(TPropInfo prop, const TInspectorContext& context)
    : FContext(context)
    , FProp(std::move(prop))
{
}

void TJvCustomInspectorItem::Store(const TPropValue& value) const
{
    if (FContext.Store)
        FContext.Store(FProp, value);
    else if (FProp.Set)
        FProp.Set(value);
}

// --- default items ---

QString TInspectorIntegerItem::GetDisplayValue() const
{
    return QString::number(PropInt(Value()));
}

void TInspectorIntegerItem::SetDisplayValue(const QString& text)
{
    const std::optional<int32_t> v = ParseInteger(ToSkinText(text));
    if (!v)
        throw TInputRefused(Quoted(text) + QStringLiteral(" is not a valid integer value"));
    // Values a skin file cannot give back unchanged are refused.
    if (*v < Prop().Min || *v > Prop().Max)
        throw TInputRefused(OutOfRange(Prop().Min, Prop().Max));
    if (Prop().Type == TPropType::Cardinal)
        Store(TPropValue(static_cast<uint32_t>(*v)));
    else
        Store(TPropValue(int64_t{*v}));
}

QString TInspectorFloatItem::GetDisplayValue() const
{
    return QString::fromLatin1(PropToText(Value()));
}

void TInspectorFloatItem::SetDisplayValue(const QString& text)
{
    const std::string bytes = ToSkinText(text.trimmed());
    double v = 0;
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), v);
    if (bytes.empty() || ec != std::errc() || end != bytes.data() + bytes.size() || !std::isfinite(v))
        throw TInputRefused(Quoted(text) + QStringLiteral(" is not a valid floating point value"));
    Store(TPropValue(v));
}

QString TInspectorStringItem::GetDisplayValue() const
{
    return FromWin1252(PropString(Value()));
}

void TInspectorStringItem::SetDisplayValue(const QString& text)
{
    Store(TPropValue(ToSkinText(text)));
}

QString TInspectorEnumItem::GetDisplayValue() const
{
    const int64_t v = PropInt(Value());
    const std::vector<std::string>& names = Prop().EnumNames;
    if (v >= 0 && v < int64_t(names.size()))
        return QString::fromLatin1(names[std::size_t(v)]);
    return QString::number(v);
}

QStringList TInspectorEnumItem::GetValueList() const
{
    QStringList out;
    for (const std::string& name : Prop().EnumNames)
        out << QString::fromLatin1(name);
    return out;
}

void TInspectorEnumItem::SetDisplayValue(const QString& text)
{
    const QStringList names = GetValueList();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(text, Qt::CaseInsensitive) == 0) {
            Store(TPropValue(int64_t(i)));
            return;
        }
    throw TInputRefused(QStringLiteral("Invalid property value"));
}

QString TInspectorBooleanItem::GetDisplayValue() const
{
    return PropBool(Value()) ? QStringLiteral("True") : QStringLiteral("False");
}

QStringList TInspectorBooleanItem::GetValueList() const
{
    return {QStringLiteral("False"), QStringLiteral("True")};
}

void TInspectorBooleanItem::SetDisplayValue(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        Store(TPropValue(true));
    else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        Store(TPropValue(false));
    else
        throw TInputRefused(QStringLiteral("Invalid property value"));
}

QString TInspectorClassItem::GetDisplayValue() const
{
    // The part's type, as far as it is a control; the inspector needs no more of it.
    if (auto* part = dynamic_cast<const TItemLayer*>(SubObject()))
        return QLatin1Char('(') + FromWin1252(part->TypeName()) + QLatin1Char(')');
    return QString();
}

TPublished* TInspectorClassItem::SubObject() const
{
    return PropObject(Value());
}

// --- the program's own items ---

void TJvInspectorFilenameItem::SetDisplayValue(const QString& text)
{
    // A picture keeps its name only: the folder it was chosen in may hold any character.
    TInspectorStringItem::SetDisplayValue(Prop().NameOnly ? ExtractFileName(text) : text);
}

bool TJvInspectorFilenameItem::Edit()
{
    const QString project = FContext.ProjectFolder ? FContext.ProjectFolder() : QString();
    // No project: nothing is looked up in an "images" folder.
    const QString folder = project.isEmpty() ? QString() : FindFileNoCase(WithTrailingSlash(project), QStringLiteral("images"));
    const QString file = AskOpenPicture(TranslatableString(5), folder, GetDisplayValue());
    if (file.isEmpty())
        return false;
    SetDisplayValue(file);
    return true;
}

QString TJvInspectorColor32Item::GetDisplayValue() const
{
    return QString::fromLatin1(ColorToText(PropColor(Value())));
}

bool TJvInspectorColor32Item::Edit()
{
    IColorSelector& selector = FContext.ColorSelector();
    selector.SetColor32(PropColor(Value()));
    if (!selector.Execute())
        return false;
    Store(TPropValue(selector.GetColor32()));
    return true;
}

QStringList TJvInspectorFontItem::GetValueList() const
{
    QStringList out;
    if (FContext.FontNames)
        for (const std::string& name : FContext.FontNames())
            out << FromWin1252(name);
    return out;
}

QString TJvInspectorTActionIndexItem::GetDisplayValue() const
{
    int64_t v = PropInt(Value());
    if (Prop().Type != TPropType::Int64Action)
        v = static_cast<int32_t>(v);
    return NameOfValue(NameList(), QString::number(v));
}

QStringList TJvInspectorTActionIndexItem::GetValueList() const
{
    return NamesOf(NameList());
}

void TJvInspectorTActionIndexItem::SetDisplayValue(const QString& text)
{
    Store(TPropValue(int64_t{ValueOfText(NameList(), text)}));
}

const QStringList& TJvInspectorTActionIndexItem::NameList() const
{
    return FContext.Lists().ActionsList;
}

const QStringList& TJvInspectorTWindowItem::NameList() const
{
    return FContext.Lists().WindowsList;
}

QStringList TJvInspectorTfunctionItem::GetValueList() const
{
    return QStringList{QString()} + FContext.Lists().FunctionsList;
}

QString NameOfValue(const QStringList& lines, const QString& valueText)
{
    QString shown = valueText;
    for (const QString& line : lines) {
        const auto [name, value] = SplitLine(line);
        if (value == valueText)
            shown = name;
    }
    return shown;
}

int32_t ValueOfText(const QStringList& lines, const QString& text)
{
    if (const std::optional<int32_t> number = ParseDecimal32(text))
        return *number;
    for (const QString& line : lines) {
        const auto [name, value] = SplitLine(line);
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            return ParseInteger(value.toStdString()).value_or(-1);
    }
    return -1;
}

QStringList NamesOf(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << SplitLine(line).first;
    return out;
}

std::unique_ptr<TJvCustomInspectorItem> TInspectorItemRegistry::CreateItem(const TPropInfo& prop,
                                                                           const TInspectorContext& context) const
{
    std::unique_ptr<TJvCustomInspectorItem> item;
    if (auto it = FItems.find(prop.Type); it != FItems.end()) {
        item = it->second(prop, context);
    } else {
        switch (prop.Type) {
        case TPropType::Boolean: item = std::make_unique<TInspectorBooleanItem>(prop, context); break;
        case TPropType::Enum: item = std::make_unique<TInspectorEnumItem>(prop, context); break;
        case TPropType::Float: item = std::make_unique<TInspectorFloatItem>(prop, context); break;
        case TPropType::Object: item = std::make_unique<TInspectorClassItem>(prop, context); break;
        case TPropType::String:
        case TPropType::FileName:
        case TPropType::FontName:
        case TPropType::Function: item = std::make_unique<TInspectorStringItem>(prop, context); break;
        case TPropType::Integer:
        case TPropType::Int64Action:
        case TPropType::Cardinal:
        case TPropType::WindowNumber: item = std::make_unique<TInspectorIntegerItem>(prop, context); break;
        }
    }
    item->SetFlags(0);
    return item;
}
