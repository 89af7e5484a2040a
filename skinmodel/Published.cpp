#include "skinmodel/Published.h"

#include "skinmodel/ValueText.h"

#include <charconv>

const TPropInfo* FindProperty(const std::vector<TPropInfo>& props, std::string_view name)
{
    for (const TPropInfo& p : props)
        if (p.Name == name)
            return &p;
    return nullptr;
}

int64_t PropInt(const TPropValue& v)
{
    if (auto p = std::get_if<int64_t>(&v))
        return *p;
    if (auto p = std::get_if<uint32_t>(&v))
        return *p;
    if (auto p = std::get_if<bool>(&v))
        return *p ? 1 : 0;
    if (auto p = std::get_if<double>(&v))
        return static_cast<int64_t>(*p);
    return 0;
}

uint32_t PropColor(const TPropValue& v)
{
    if (auto p = std::get_if<uint32_t>(&v))
        return *p;
    return static_cast<uint32_t>(PropInt(v));
}

bool PropBool(const TPropValue& v)
{
    if (auto p = std::get_if<bool>(&v))
        return *p;
    return PropInt(v) != 0;
}

std::string PropString(const TPropValue& v)
{
    if (auto p = std::get_if<std::string>(&v))
        return *p;
    return {};
}

double PropFloat(const TPropValue& v)
{
    if (auto p = std::get_if<double>(&v))
        return *p;
    return static_cast<double>(PropInt(v));
}

TPublished* PropObject(const TPropValue& v)
{
    if (auto p = std::get_if<TPublished*>(&v))
        return *p;
    return nullptr;
}

std::string PropToText(const TPropValue& v)
{
    if (auto p = std::get_if<int64_t>(&v))
        return IntegerToText(*p);
    if (auto p = std::get_if<uint32_t>(&v))
        return ColorToText(*p);
    if (auto p = std::get_if<bool>(&v))
        return *p ? "true" : "false";
    if (auto p = std::get_if<std::string>(&v))
        return *p;
    if (auto p = std::get_if<double>(&v)) {
        char buffer[64];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *p);
        return std::string(buffer, end);
    }
    if (std::holds_alternative<TPublished*>(v))
        return "(object)";
    return {};
}

TPropInfo IntegerProp(std::string name, std::function<int32_t()> get, std::function<void(int32_t)> set,
                      int64_t min, int64_t max)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = TPropType::Integer;
    p.Get = [get] { return TPropValue(int64_t{get()}); };
    if (set)
        p.Set = [set](const TPropValue& v) { set(static_cast<int32_t>(PropInt(v))); };
    p.Min = min;
    p.Max = max;
    return p;
}

TPropInfo IntegerField(std::string name, int32_t& field)
{
    return IntegerProp(std::move(name), [&field] { return field; }, [&field](int32_t v) { field = v; });
}

TPropInfo WindowField(std::string name, int32_t& field)
{
    TPropInfo p = IntegerField(std::move(name), field);
    p.Type = TPropType::WindowNumber;
    return p;
}

TPropInfo ActionField(std::string name, int64_t& field)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = TPropType::Int64Action;
    p.Get = [&field] { return TPropValue(field); };
    p.Set = [&field](const TPropValue& v) { field = PropInt(v); };
    return p;
}

TPropInfo ColorProp(std::string name, std::function<uint32_t()> get, std::function<void(uint32_t)> set)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = TPropType::Cardinal;
    p.Get = [get] { return TPropValue(get()); };
    if (set)
        p.Set = [set](const TPropValue& v) { set(PropColor(v)); };
    p.Min = 0;
    p.Max = 0xFFFFFFFFll;
    return p;
}

TPropInfo ColorField(std::string name, uint32_t& field)
{
    return ColorProp(std::move(name), [&field] { return field; }, [&field](uint32_t v) { field = v; });
}

TPropInfo BoolProp(std::string name, std::function<bool()> get, std::function<void(bool)> set)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = TPropType::Boolean;
    p.Get = [get] { return TPropValue(get()); };
    if (set)
        p.Set = [set](const TPropValue& v) { set(PropBool(v)); };
    p.Min = 0;
    p.Max = 1;
    return p;
}

TPropInfo BoolField(std::string name, bool& field)
{
    return BoolProp(std::move(name), [&field] { return field; }, [&field](bool v) { field = v; });
}

TPropInfo TextProp(std::string name, TPropType type, std::function<std::string()> get,
                   std::function<void(const std::string&)> set, std::size_t maxLength)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = type;
    p.Get = [get] { return TPropValue(get()); };
    if (set)
        p.Set = [set](const TPropValue& v) { set(PropString(v)); };
    p.MaxLength = maxLength;
    return p;
}

TPropInfo TextField(std::string name, TPropType type, std::string& field, std::size_t maxLength)
{
    return TextProp(
        std::move(name), type, [&field] { return field; },
        [&field, maxLength](const std::string& v) { field = maxLength ? v.substr(0, maxLength) : v; },
        maxLength);
}

TPropInfo EnumProp(std::string name, std::vector<std::string> names, std::function<int64_t()> get,
                   std::function<void(int64_t)> set)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = TPropType::Enum;
    p.Min = 0;
    p.Max = static_cast<int64_t>(names.size()) - 1;
    p.EnumNames = std::move(names);
    p.Get = [get] { return TPropValue(get()); };
    if (set)
        p.Set = [set](const TPropValue& v) { set(PropInt(v)); };
    return p;
}

TPropInfo ObjectProp(std::string name, TPublished* object)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = TPropType::Object;
    p.Get = [object] { return TPropValue(object); };
    return p;
}
