// The button base: what a button makes the player do when pressed. A player action, a player
// window to jump to, a script function, a program and its arguments. It has no type keyword of its
// own; the simple, toggle, select-one and three-part buttons build on it.
#pragma once

#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"

#include <cstdint>
#include <string>
#include <vector>

class TOSDCustomButtonControl : public TItemLayer {
public:
    explicit TOSDCustomButtonControl(TLayerCollection* ALayerCollection);

    int64_t ActionID = -1;       // "action"; -1 for none. The file holds its low 32 bits.
    std::string Application;     // "application": program file to start
    std::string Arguments;       // "arguments"
    tw JumpTo = -1;              // "hyperlink": player window; -1 for none
    tfunction ScriptFunction;    // "script"; at most 254 characters, change through SetScriptFunction

    void SetScriptFunction(const std::string& V);

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    // Writes the common values and the five button values; both compare with the caller's Ref only.
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
    // The button kind's published properties after the base's: the control layer's, then
    // ActionID, Application, Arguments, the navigation values, JumpTo, ScriptFunction.
    std::vector<TPropInfo> ButtonProperties();
};
