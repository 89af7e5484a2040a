// The spin control: a value the player steps with two buttons, each an unfocused and a focused
// picture. A kind of its own ("spincontrol") and the "updown" part of the lists, the thumbnail
// panel and the text box. Its Width and Height are one button's size; the control's rectangle
// holds two buttons side by side (horizontal) or one above the other (vertical).
#pragma once

#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"

#include <cstdint>
#include <memory>
#include <string>

class TOSDUpDownControl : public TItemLayer {
public:
    explicit TOSDUpDownControl(TLayerCollection* ALayerCollection);
    ~TOSDUpDownControl() override;

    int32_t CharCount = -1;                               // "digits"; -1 = not set
    std::string FontName;                                 // "font"; no lookup runs
    TeOrientation Direction = Horizontal;                 // "orientation"
    bool Toggle = false;                                  // "reverse"
    bool ShowMax = true;                                  // "showrange"
    uint32_t Textcolor = 0xFFFFFFFFu;                     // "textcolor"
    std::unique_ptr<TImageLayer> ImageDown;               // part "imgspinDown"
    std::unique_ptr<TImageLayer> ImageDownFocus;          // part "imgspinDownFocus"
    std::unique_ptr<TImageLayer> ImageUp;                 // part "imgspinUp"
    std::unique_ptr<TImageLayer> ImageUpFocus;            // part "imgspinUpFocus"
    uint32_t TextSelectedColor = 0xFFFFFFFFu;             // "textselectedcolor"
    StringAlignment TextAlignment = StringAlignmentNear;  // "align"
    TSpinType UpDownType = spAlphanum;                    // "subtype"

    // One button's size; the rectangle is twice as wide (horizontal) or high (vertical).
    int32_t GetHeight() override;
    int32_t GetWidth() override;
    void SetHeight(int32_t V) override;
    void SetWidth(int32_t V) override;
    // Changes the arrangement without moving an edge, unless a button would then be larger than
    // a file holds; that extent is cut to the largest size a file keeps.
    void SetDirection(TeOrientation V);
    // Moves the control to a new X or Y and keeps its whole extent (the inspector's setters).
    void MoveToX(int32_t V);
    void MoveToY(int32_t V);

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    void Paint(TBitmap32& Buffer) override;
    void LayoutParts() override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};

// The words of "subtype" and "orientation"; empty where nothing is written.
const char* SpinTypeWord(TSpinType V);
const char* OrientationWord(TeOrientation V);
