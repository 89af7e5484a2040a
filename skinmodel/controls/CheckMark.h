// The check mark ("checkmark"): a check-mark picture and a text side by side, the picture first,
// or the text first when the label is left-aligned. The label's width follows the control's.
#pragma once

#include "skinmodel/controls/ItemLayer.h"

#include <memory>

class TImageLayer;
class TTextLayer;

class TOSDCheckerControl : public TItemLayer {
public:
    explicit TOSDCheckerControl(TLayerCollection* ALayerCollection);
    ~TOSDCheckerControl() override;

    std::unique_ptr<TImageLayer> ImageCheck;     // part "imgcheckmark"; the one the preview shows
    std::unique_ptr<TImageLayer> ImageNoCheck;   // part "imgcheckmarknofocus"; never drawn here
    std::unique_ptr<TTextLayer> LabelControl;    // part "label"

    int32_t GetImagewidth();
    int32_t GetTextwidth();
    // Both pictures take the width; the label keeps its own and the control grows or shrinks
    // with the pictures.
    void SetImagewidth(int32_t V);
    // The label takes the width and the control grows or shrinks with it.
    // Both keep the picture and the label together within the size a file holds.
    void SetTextwidth(int32_t V);
    // The picture keeps its width; the label takes what is left.
    void SetWidth(int32_t V) override;

    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    // Places the picture and the label side by side at their own sizes.
    void LayoutParts() override;
    void Paint(TBitmap32& Buffer) override;
    TPartTable PartTable() override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void DoSetLocation(const TFloatRect& NewLocation) override;
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;

private:
    // After loading, with a check-mark picture: the picture and the label side by side and the
    // control sized around them.
    void LayoutLoaded();
};
