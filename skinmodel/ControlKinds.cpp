#include "skinmodel/ControlKinds.h"

#include "skinmodel/controls/VideoControl.h"

// One line per kind: the keyword and its class.
std::vector<std::pair<const char*, TControlCreator>> BuiltInControlKinds()
{
    return {
        {"image", nullptr},           // TImageLayer
        {"label", nullptr},           // TTextLayer
        {"slider", nullptr},          // TOSDSlider
        {"checkmark", nullptr},       // TOSDCheckerControl
        {"button3part", nullptr},     // TOSDImageButton
        {"button", nullptr},          // TOSDSimpleButton
        {"selectbutton", nullptr},    // TOSDSelectOneButton
        {"togglebutton", nullptr},    // TOSDToggleButton
        {"listcontrol", nullptr},     // TOSDList
        {"tickprogress", nullptr},    // TTickProgressLayer
        {"tvlistcontrol", nullptr},   // TOSDTVList
        {"progress", nullptr},        // TProgressbarLayer
        {"menu", nullptr},            // TOSDMenuControl
        {"spincontrol", nullptr},     // TOSDUpDownControl
        {"textbox", nullptr},         // TOSDTextArea
        {"thumbnailpanel", nullptr},  // TOSDImageList
        {"videowindow", CreateKindOf<TOSDVideoControl>},
        {"numinput", nullptr},        // TOSDNumInputControl
        {"edit", nullptr},            // TOSDEdit
    };
}
