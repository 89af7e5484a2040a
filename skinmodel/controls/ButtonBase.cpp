#include "skinmodel/controls/ButtonBase.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/KindHelpers.h"

#include <optional>

using F = TOSDControlFactory;

namespace {

int32_t LowSigned(int64_t v)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

}  // namespace

TOSDCustomButtonControl::TOSDCustomButtonControl(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    ActionID = -1;
    JumpTo = -1;
}

void TOSDCustomButtonControl::SetScriptFunction(const std::string& V)
{
    ScriptFunction = V.substr(0, TFunctionMaxLength);
}

void TOSDCustomButtonControl::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TItemLayer::LoadFromXML(Elem);
    if (!Elem)
        return;
    F::ReadInteger(Elem, "hyperlink", JumpTo);
    std::string script;
    if (F::ReadString(Elem, "script", script))
        SetScriptFunction(script);
    F::ReadString(Elem, "application", Application);
    F::ReadString(Elem, "arguments", Arguments);
    // The file holds a signed 32-bit number; the value keeps only that, with or without the child.
    int32_t action = LowSigned(ActionID);
    F::ReadInteger(Elem, "action", action);
    ActionID = action;
}

void TOSDCustomButtonControl::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    // Only the caller's Ref counts here; no reference of the button's own type is looked up for
    // these values. Base is what a reload gives back, so "none" is written where it would not.
    const auto* ref = static_cast<const TOSDCustomButtonControl*>(Ctx.Ref);
    // The base class has no keyword, so no blank of its own kind can stand for it: a control of
    // this class alone compares with its constructor's values.
    std::optional<TOSDCustomButtonControl> blank;
    const auto* base = dynamic_cast<const TOSDCustomButtonControl*>(Ctx.Base);
    if (!base)
        base = &blank.emplace(nullptr);
    if ((JumpTo >= 0 && (!ref || JumpTo != ref->JumpTo)) || JumpTo != base->JumpTo)
        F::WriteInteger(Elem, "hyperlink", JumpTo);
    const auto text = [&](const char* name, const std::string& value, const std::string* refValue) {
        if (!ref || value != *refValue)
            F::WriteString(Elem, name, value);
    };
    text("script", ScriptFunction, ref ? &ref->ScriptFunction : nullptr);
    text("application", Application, ref ? &ref->Application : nullptr);
    text("arguments", Arguments, ref ? &ref->Arguments : nullptr);
    if ((ActionID >= 0 && (!ref || ActionID != ref->ActionID)) || ActionID != base->ActionID)
        F::WriteInteger(Elem, "action", LowSigned(ActionID));
}

std::vector<TPropInfo> TOSDCustomButtonControl::ButtonProperties()
{
    auto props = TItemLayer::PublishedProperties();
    props.push_back(ActionField("ActionID", ActionID));
    props.push_back(TextField("Application", TPropType::FileName, Application));
    props.push_back(TextField("Arguments", TPropType::String, Arguments));
    AppendNavigationProperties(props, *this);
    props.push_back(WindowField("JumpTo", JumpTo));
    props.push_back(TextProp(
        "ScriptFunction", TPropType::Function, [this] { return ScriptFunction; },
        [this](const std::string& v) { SetScriptFunction(v); }, TFunctionMaxLength));
    return props;
}

std::vector<TPropInfo> TOSDCustomButtonControl::PublishedProperties()
{
    return ButtonProperties();
}
