#include "skinmodel/UGlobal.h"

const std::array<const char*, 16> TGraphicsTypeValueNames = {
    "GT_IMAGE", "GT_RECTANGLE", "GT_ELLIPSE", "GT_ROUNDRECT", "GT_ROUNDRECT_UP", "GT_ROUNDRECT_DOWN",
    "GT_ROUNDRECT_LEFT", "GT_ROUNDRECT_RIGHT", "GT_IMAGE_TILE", "GT_GRADIENT_RECTANGLE",
    "GT_GRADIENT_ELLIPSE", "GT_GRADIENT_ROUNDRECT", "GT_GRADIENT_ROUNDRECT_UP",
    "GT_GRADIENT_ROUNDRECT_DOWN", "GT_GRADIENT_ROUNDRECT_LEFT", "GT_GRADIENT_ROUNDRECT_RIGHT",
};

const std::array<const char*, 4> TeOrientationValueNames = {"Horizontal", "Vertical", "diagonalfw",
                                                            "diagonalrev"};

const std::array<const char*, 3> TSpinTypeValueNames = {"spInteger", "spFloat", "spAlphanum"};

const std::array<const char*, 3> StringAlignmentValueNames = {
    "StringAlignmentNear", "StringAlignmentCenter", "StringAlignmentFar"};

const std::array<const char*, 16> GraphicsTypeNames = {
    "image", "rectangle", "ellipse", "roundrect", "roundrect_up", "roundrect_down",
    "roundrect_left", "roundrect_right", "tile_image", "gradient_rectangle", "gradient_ellipse",
    "gradient_roundrect", "gradient_roundrect_up", "gradient_roundrect_down",
    "gradient_roundrect_left", "gradient_roundrect_right",
};

const std::array<const char*, 3> AlignmentNames = {"left", "center", "right"};

const std::array<TMenuRecord, 20> ElementMenuItems = {{
    {"Image", 0},
    {"Label", 5},
    {"Button", 1},
    {"Image Button", 2},
    {"Selectonebutton", 3},
    {"Togglebutton", 4},
    {"CheckControl", 6},
    {"Progressbar", 7},
    {"Slidecontrol", 8},
    {"UpDowncontrol", 9},
    {"Textbox", 10},
    {"List", 11},
    {"Iconlist", 12},
    {"TVList", 13},
    {"Menulist", 14},
    {"TickProgressbar", 15},
    {"NumInput", 16},
    {"Editfield", 17},
    {"-", 0},
    {"VideoWindow", 18},
}};

const std::array<uint8_t, 19> ElementKindMap = {0, 2, 3, 4, 5, 1, 6, 17, 7, 8, 9, 10, 11, 12, 13, 14, 19, 20, 15};
