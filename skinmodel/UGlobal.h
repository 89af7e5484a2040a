// The shared vocabulary of the skin files: enumerations with their value names, the keywords of
// graphics types and alignments, and the tables behind the Elements menu.
#pragma once

#include <array>
#include <cstdint>
#include <string>

enum TGraphicsType : uint8_t {
    GT_IMAGE,
    GT_RECTANGLE,
    GT_ELLIPSE,
    GT_ROUNDRECT,
    GT_ROUNDRECT_UP,
    GT_ROUNDRECT_DOWN,
    GT_ROUNDRECT_LEFT,
    GT_ROUNDRECT_RIGHT,
    GT_IMAGE_TILE,
    GT_GRADIENT_RECTANGLE,
    GT_GRADIENT_ELLIPSE,
    GT_GRADIENT_ROUNDRECT,
    GT_GRADIENT_ROUNDRECT_UP,
    GT_GRADIENT_ROUNDRECT_DOWN,
    GT_GRADIENT_ROUNDRECT_LEFT,
    GT_GRADIENT_ROUNDRECT_RIGHT,
};

enum TeOrientation : uint8_t { Horizontal, Vertical, diagonalfw, diagonalrev };

enum TSpinType : uint8_t { spInteger, spFloat, spAlphanum };

// Numbered as the GDI+ text alignment.
enum StringAlignment : int32_t { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };

// The value names the inspector shows, indexed by the value.
extern const std::array<const char*, 16> TGraphicsTypeValueNames;
extern const std::array<const char*, 4> TeOrientationValueNames;
extern const std::array<const char*, 3> TSpinTypeValueNames;
extern const std::array<const char*, 3> StringAlignmentValueNames;

// The keyword of each graphics type in the skin files ("graphicstyp"), indexed by TGraphicsType.
extern const std::array<const char*, 16> GraphicsTypeNames;
// "left", "center", "right", indexed by StringAlignment.
extern const std::array<const char*, 3> AlignmentNames;

// A player script function name (at most 254 characters) and a player window number; the
// inspector picks its editor by these types.
using tfunction = std::string;
using tw = int32_t;
constexpr std::size_t TFunctionMaxLength = 254;

struct TMenuRecord {
    const char* Caption;
    int32_t MenuNumber;
};

// The Elements menu in menu order; captions are translated from the section "Menuitems".
extern const std::array<TMenuRecord, 20> ElementMenuItems;
// The insert kind of each menu number 0..18.
extern const std::array<uint8_t, 19> ElementKindMap;
