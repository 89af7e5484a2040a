#include "skinmodel/ControlKinds.h"

#include "skinmodel/controls/CheckMark.h"
#include "skinmodel/controls/ImageButton.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ProgressLayer.h"
#include "skinmodel/controls/SelectButton.h"
#include "skinmodel/controls/SimpleButton.h"
#include "skinmodel/controls/Slider.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/ToggleButton.h"
#include "skinmodel/controls/VideoControl.h"

// One line per kind: the keyword and its class.
std::vector<std::pair<const char*, TControlCreator>> BuiltInControlKinds()
{
    return {
        {"image", CreateKindOf<TImageLayer>},
        {"label", CreateKindOf<TTextLayer>},
        {"slider", CreateKindOf<TOSDSlider>},
        {"checkmark", CreateKindOf<TOSDCheckerControl>},
        {"button3part", CreateKindOf<TOSDImageButton>},
        {"button", CreateKindOf<TOSDSimpleButton>},
        {"selectbutton", CreateKindOf<TOSDSelectOneButton>},
        {"togglebutton", CreateKindOf<TOSDToggleButton>},
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
