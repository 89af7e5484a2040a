// The control layer: the base of every OSD control. It holds the values every control has, reads
// and writes them as child elements of the control's element, and paints a placeholder look.
//
// A control kind derives from it (or from another kind) and
// - sets FTypeName in its constructor and creates its parts there with CreatePart<T>();
// - overrides LoadFromXML: the base class's first, then its own values, then LoadPartsFromXML;
//   every child it reads goes through the factory's readers (ReadElement keeps the others);
// - overrides SaveToXMLWith: the base class's first, then its own values, then SavePartsToXML;
//   an own value is written where its rule says so, and also where it differs from Ctx.Base;
// - lists its parts in PartTable, places them in LayoutParts, and publishes its values (parts as
//   ObjectProp) after the base class's in PublishedProperties;
// - joins the factory with its line in skinmodel/ControlKinds.cpp.
#pragma once

#include "canvas/Layers.h"
#include "skinmodel/Published.h"
#include "skinmodel/controls/PartControls.h"

#include <QRect>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TJvSimpleXMLElem;
class TItemLayer;

// Parts reach up to a control's size beyond it, and a centred part starts on a half pixel: both
// stay exact in a float below 2^22, so places read from a file are kept within that.
constexpr int32_t MaxPlace = 1 << 22;
// A file gives back a width or height up to this; the reader replaces larger ones.
constexpr int32_t MaxSavedSize = 2000;

// What one save compares with.
struct TSaveContext {
    // The reference control as the caller passed it. The common values (and the button base's)
    // compare with this one only.
    TItemLayer* Ref = nullptr;
    // The reference control R of a kind's own values and parts: Ref, or for a control of a page
    // the control made from its type keyword's reference element; none without either.
    TItemLayer* Reference = nullptr;
    // What loading gives back for a value that is left out: R when there is one, else a control
    // as its constructor (or, for a part, its owner's constructor) makes it. Never none. A value
    // that a writing rule would leave out but that differs from this one is written all the same,
    // so that saving and loading again gives every value back.
    TItemLayer* Base = nullptr;
    bool SubControl = false;
    // A part whose size its owner's layout sets: the size is written by the rules only.
    bool OwnerSetsWidth = false;
    bool OwnerSetsHeight = false;
    // A part whose navigation its owner has just cleared: it is written by the rules only.
    bool OwnerClearedNavigation = false;
};

class TItemLayer : public TPositionedLayer, public TPublished {
public:
    explicit TItemLayer(TLayerCollection* ALayerCollection);
    ~TItemLayer() override;

    // Fields every control has; the kinds publish the navigation values, LabelText and Alpha.
    int32_t Alpha = 255;                 // 0..255; change through SetAlpha
    int32_t ControlDown = 0;
    int32_t ControlLeft = 0;
    int32_t ControlRight = 0;
    int32_t ControlUp = 0;
    int32_t Control_ID = 0;
    std::string Description;
    bool Disabled = false;
    uint32_t DisabledColor = 0xFF606060u;
    std::string LabelText;
    bool FLocked = false;                // editor lock; never saved
    // The published "Visible": visible in the player. Not the canvas layer's visibility.
    bool FVisible = true;

    const std::string& TypeName() const { return FTypeName; }
    // The keyword the factory creates this kind for and its reference is found by.
    virtual std::string TypeKeyword() const;

    int32_t GetX() const;
    int32_t GetY() const;
    void SetX(int32_t V);
    void SetY(int32_t V);
    virtual int32_t GetHeight();
    virtual int32_t GetWidth();
    virtual void SetAlpha(int32_t V);
    virtual void SetHeight(int32_t V);
    virtual void SetWidth(int32_t V);
    void SetLabelText(const std::string& V);
    void NotifyChanged() { Changed(); }
    // The least width and height a file gives back for this kind (the largest is MaxSavedSize).
    virtual int32_t MinSavedSize() const { return -MaxSavedSize; }

    virtual void LoadFromXML(TJvSimpleXMLElem* Elem);
    // Reads the element as LoadFromXML does and keeps copies of the child elements that no reader
    // looked up, for SaveToXML to write back at the end of the element; the same for each part's
    // element and for "subcontrols". What it kept before is replaced. An element of
    // "references.xml" keeps nothing: what the reference holds is not the control's.
    void ReadElement(TJvSimpleXMLElem* Elem);

    using TKeptElements = std::vector<std::unique_ptr<TJvSimpleXMLElem>>;
    // Children of the control's element that its kind does not read, in file order.
    const TKeptElements& UnknownChildren() const { return FUnknownChildren; }
    // Children of "subcontrols" that no part reads: those before the first part's element
    // (written first again, so that they are not taken for the last part's), then the others.
    const TKeptElements& UnknownPartsBefore() const { return FUnknownPartsBefore; }
    const TKeptElements& UnknownParts() const { return FUnknownParts; }
    // Whether the control or one of its parts keeps such children: then its element is never
    // left out.
    bool HoldsUnknownChildren();
    // Lays the parts out, finds the reference (Ref, else this type's reference element) and writes.
    void SaveToXML(TJvSimpleXMLElem* Elem, TItemLayer* Ref, bool SubControl);
    // Writes the control as a part: no reference of its own kind is looked up. Base is what its
    // owner would give it when its element is left out (none: the kind's constructor defaults).
    void SaveAsPart(TJvSimpleXMLElem* Elem, TItemLayer* Ref, bool SubControl, TItemLayer* Base,
                    bool OwnerSetsWidth = false, bool OwnerSetsHeight = false,
                    bool OwnerClearedNavigation = false);

    void Paint(TBitmap32& Buffer) override;
    // A part asks its owner to repaint.
    void Changed() override;

    // Places the parts from the control's own location. Called before painting and before saving.
    virtual void LayoutParts() {}
    // The parts in their written order with their roles and pruning rules; none for simple kinds.
    virtual TPartTable PartTable() { return {}; }

    // The owner of a part; none for a control of a page.
    TItemLayer* PartOwner() const { return FPartOwner; }
    // The location mapped to the viewport. A part follows its owner's mapping.
    TFloatRect GetAdjustedLocation() const;
    // The adjusted location rounded to whole pixels (halves to even), edges clamped.
    QRect PaintRect() const;

    std::vector<TPropInfo> PublishedProperties() override;

protected:
    // The kind's writer. Overrides call their base class's version first, then write their own
    // values (comparing with Ctx.Reference, or Ctx.Ref for the common and button values) and
    // finally SavePartsToXML.
    virtual void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx);
    // What a reload gives for "width" / "height" when they are left out. Kinds whose reader
    // resets the size override these.
    virtual int32_t WidthWhenLeftOut(const TSaveContext& Ctx);
    virtual int32_t HeightWhenLeftOut(const TSaveContext& Ctx);

    // Creates a part: a control of class T in no collection, owned by the caller, that repaints
    // through this control.
    template <class T>
    std::unique_ptr<T> CreatePart()
    {
        auto part = std::make_unique<T>(nullptr);
        part->FPartOwner = this;
        return part;
    }
    // Reads the parts from the child "subcontrols" of Elem by their roles.
    void LoadPartsFromXML(TJvSimpleXMLElem* Elem);
    // Appends "subcontrols" with one "control" per part of the part table, then prunes.
    void SavePartsToXML(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx);

    // The placeholder look: grey fill, both diagonals, the description or "Object: " + type.
    void PaintPlaceholder(TBitmap32& Buffer);
    // Tells the buffer which area the control covers; every paint ends with it.
    void ReportArea(TBitmap32& Buffer);

    // A control of the same kind with its constructor's values (no reference applied).
    std::unique_ptr<TItemLayer> NewBlank() const;

    std::string FTypeName;
    int32_t FHeight = 0;
    int32_t FWidth = 0;

private:
    void SaveWithContext(TJvSimpleXMLElem* Elem, TSaveContext& Ctx, std::unique_ptr<TItemLayer>& blank);
    // Reads the element; Replace forgets what the control and its parts kept first (a part read
    // from several elements keeps what each of them holds).
    void ReadKeeping(TJvSimpleXMLElem* Elem, bool Replace);
    void ForgetUnknownChildren();
    void WriteUnknownChildren(TJvSimpleXMLElem* Elem);
    TItemLayer* FPartOwner = nullptr;
    TKeptElements FUnknownChildren;
    TKeptElements FUnknownPartsBefore;
    TKeptElements FUnknownParts;
};

// Round half to even into the signed 32-bit range.
int32_t RoundToInt32(double v);

// The rectangle to draw text centred in R: far-off edges are pulled in symmetrically, so the text
// keeps its place and every size fits an int.
QRect CentredTextRect(const QRect& R);
