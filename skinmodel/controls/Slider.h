// The slider ("slider"): a track picture over the whole control, a middle picture for the
// unfocused and one for the focused state, a label, and the kind of its value. Its size follows
// the track picture.
#pragma once

#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"

#include <memory>

class TImageLayer;
class TTextLayer;

class TOSDSlider : public TItemLayer {
public:
    explicit TOSDSlider(TLayerCollection* ALayerCollection);
    ~TOSDSlider() override;

    std::unique_ptr<TTextLayer> LabelControl;       // part "Label"
    TSpinType UpDownType = spInteger;               // "subtype": "int", "float", "string"
    std::unique_ptr<TImageLayer> ImageBackground;   // part "Background": the track
    std::unique_ptr<TImageLayer> ImageMiddle;       // part "Mid"
    std::unique_ptr<TImageLayer> ImageMiddleFocus;  // part "MidFocus"; not shown in the preview

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    // The track over the control; the unfocused middle picture from the horizontal centre on.
    void LayoutParts() override;
    // The unfocused look.
    void Paint(TBitmap32& Buffer) override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};
