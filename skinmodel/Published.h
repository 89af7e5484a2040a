// Published properties: the values a control (or the skin description) shows in the object
// inspector, in its published order, each with its type, a getter and a setter. Setting goes
// through the object's own setters, so the object notifies its view as any other change does.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class TPublished;

enum class TPropType {
    Integer,       // signed 32-bit
    Int64Action,   // player action, signed 64-bit
    Cardinal,      // ARGB colour
    Boolean,
    String,
    FileName,      // a picture or program file name
    FontName,      // a skin font name from "font.xml"
    Function,      // tfunction: a player script function name
    WindowNumber,  // tw: a player window number
    Enum,          // an ordinal with value names
    Float,
    Object,        // a part: a published sub-object, read-only
};

// Integer kinds: int64_t; Cardinal: uint32_t; Boolean: bool; text kinds: std::string;
// Enum: int64_t (the ordinal); Float: double; Object: the sub-object.
using TPropValue = std::variant<std::monostate, int64_t, uint32_t, bool, std::string, double, TPublished*>;

struct TPropInfo {
    std::string Name;
    TPropType Type = TPropType::Integer;
    std::vector<std::string> EnumNames;        // Enum: the value names by ordinal
    std::function<TPropValue()> Get;
    std::function<void(const TPropValue&)> Set; // empty for read-only properties
    // The range of values that a skin file holds and gives back unchanged (integer kinds, Float).
    int64_t Min = std::numeric_limits<int32_t>::min();
    int64_t Max = std::numeric_limits<int32_t>::max();
    // Text kinds: the longest text kept (0: no limit).
    std::size_t MaxLength = 0;
    // File names: the setter keeps only the file-name part of a path (a picture in "images").
    bool NameOnly = false;
    // A setter that loads a file on every assignment, an unchanged value included (the file may
    // have changed on disk): sets the value and tells whether what the object shows changed.
    // Empty: an unchanged value is not assigned.
    std::function<bool(const TPropValue&)> Reload;

    bool ReadOnly() const { return !Set; }
};

class TPublished {
public:
    virtual ~TPublished() = default;
    virtual std::vector<TPropInfo> PublishedProperties() = 0;
};

// The property of that name (exact), or none.
const TPropInfo* FindProperty(const std::vector<TPropInfo>& props, std::string_view name);

int64_t PropInt(const TPropValue& v);          // integer kinds, Enum; also bool and colour
uint32_t PropColor(const TPropValue& v);
bool PropBool(const TPropValue& v);
std::string PropString(const TPropValue& v);
double PropFloat(const TPropValue& v);
TPublished* PropObject(const TPropValue& v);
// A readable form for messages and the inspector's fallback display.
std::string PropToText(const TPropValue& v);

// Builders for the common shapes of a published property.
TPropInfo IntegerProp(std::string name, std::function<int32_t()> get, std::function<void(int32_t)> set,
                      int64_t min = std::numeric_limits<int32_t>::min(),
                      int64_t max = std::numeric_limits<int32_t>::max());
TPropInfo IntegerField(std::string name, int32_t& field);
TPropInfo WindowField(std::string name, int32_t& field);
// A player action: 64-bit in the control, a signed 32-bit number in the file.
TPropInfo ActionField(std::string name, int64_t& field);
TPropInfo ColorProp(std::string name, std::function<uint32_t()> get, std::function<void(uint32_t)> set);
TPropInfo ColorField(std::string name, uint32_t& field);
TPropInfo BoolProp(std::string name, std::function<bool()> get, std::function<void(bool)> set);
TPropInfo BoolField(std::string name, bool& field);
TPropInfo TextProp(std::string name, TPropType type, std::function<std::string()> get,
                   std::function<void(const std::string&)> set, std::size_t maxLength = 0);
TPropInfo TextField(std::string name, TPropType type, std::string& field, std::size_t maxLength = 0);
TPropInfo EnumProp(std::string name, std::vector<std::string> names, std::function<int64_t()> get,
                   std::function<void(int64_t)> set);
TPropInfo ObjectProp(std::string name, TPublished* object);

template <std::size_t N>
std::vector<std::string> EnumNameList(const std::array<const char*, N>& names)
{
    return std::vector<std::string>(names.begin(), names.end());
}
