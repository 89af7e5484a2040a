#include "skinmodel/ControlKinds.h"

#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ProgressLayer.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/VideoControl.h"

// One line per kind: the keyword and its class.
std::vector<std::pair<const char*, TControlCreator>> BuiltInControlKinds()
{
    return {
        {"image", CreateKindOf<TImageLayer>},
        {"label", CreateKindOf<TTextLayer>},
        {"slider", nullptr},          // TOSDSlider
        {"checkmark", nullptr},       // TOSDCheckerControl
        {"button3part", nullptr},     // TOSDImageButton
        {"button", nullptr},          // TOSDSimpleButton
        {"selectbutton", nullptr},    // TOSDSelectOneButton
        {"togglebutton", nullptr},    // TOSDToggleButton
        {"listcontrol", nullptr},     // TOSDList
        {"tickprogress", CreateKindOf<TTickProgressLayer>},
        {"tvlistcontrol", nullptr},   // TOSDTVList
        {"progress", CreateKindOf<TProgressbarLayer>},
        {"menu", nullptr},            // TOSDMenuControl
        {"spincontrol", nullptr},     // TOSDUpDownControl
        {"textbox", nullptr},         // TOSDTextArea
        {"thumbnailpanel", nullptr},  // TOSDImageList
        {"videowindow", CreateKindOf<TOSDVideoControl>},
        {"numinput", nullptr},        // TOSDNumInputControl
        {"edit", nullptr},            // TOSDEdit
    };
}
