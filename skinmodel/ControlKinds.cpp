#include "skinmodel/ControlKinds.h"

#include "skinmodel/controls/CheckMark.h"
#include "skinmodel/controls/EditControl.h"
#include "skinmodel/controls/ImageButton.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ImageList.h"
#include "skinmodel/controls/ListControls.h"
#include "skinmodel/controls/MenuControl.h"
#include "skinmodel/controls/NumInput.h"
#include "skinmodel/controls/ProgressLayer.h"
#include "skinmodel/controls/SelectButton.h"
#include "skinmodel/controls/SimpleButton.h"
#include "skinmodel/controls/Slider.h"
#include "skinmodel/controls/TextArea.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/ToggleButton.h"
#include "skinmodel/controls/UpDownControl.h"
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
        {"listcontrol", CreateKindOf<TOSDList>},
        {"tickprogress", CreateKindOf<TTickProgressLayer>},
        {"tvlistcontrol", CreateKindOf<TOSDTVList>},
        {"progress", CreateKindOf<TProgressbarLayer>},
        {"menu", CreateKindOf<TOSDMenuControl>},
        {"spincontrol", CreateKindOf<TOSDUpDownControl>},
        {"textbox", CreateKindOf<TOSDTextArea>},
        {"thumbnailpanel", CreateKindOf<TOSDImageList>},
        {"videowindow", CreateKindOf<TOSDVideoControl>},
        {"numinput", CreateKindOf<TOSDNumInputControl>},
        {"edit", CreateKindOf<TOSDEdit>},
    };
}
