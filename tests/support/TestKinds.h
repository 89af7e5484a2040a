// Small control kinds that exist only in the tests: a part with one value of its own, and
// composites that own such parts (one of them nested), registered with the factory as
// "testpart", "testinner" and "testcomposite".
#pragma once

#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"

// A video window that counts its change notifications.
class TCountingLayer : public TOSDVideoControl {
public:
    using TOSDVideoControl::TOSDVideoControl;
    int changes = 0;
    void Changed() override
    {
        ++changes;
        TOSDVideoControl::Changed();
    }
};

class TTestPart : public TItemLayer {
public:
    explicit TTestPart(TLayerCollection* collection);
    int32_t Depth = 0;  // XML "depth"
    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};

// A composite with one part, itself the part of TTestComposite.
class TTestInner : public TItemLayer {
public:
    explicit TTestInner(TLayerCollection* collection);
    std::unique_ptr<TTestPart> Leaf;  // role "leaf"
    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    TPartTable PartTable() override;
    void LayoutParts() override;
    void Paint(TBitmap32& Buffer) override;
    std::vector<TPropInfo> PublishedProperties() override;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};

// Parts in written order: "partA" (pruned always), "PartB" (pruned with a reference only),
// "partc" (pruned with a reference only; written as a full control without one; Depth 5 when
// created),
// "inner" (a composite). Own value Spacing (XML "spacing", default 7).
class TTestComposite : public TItemLayer {
public:
    explicit TTestComposite(TLayerCollection* collection);
    int32_t Spacing = 7;
    std::unique_ptr<TTestPart> PartA;
    std::unique_ptr<TTestPart> PartB;
    std::unique_ptr<TTestPart> PartC;
    std::unique_ptr<TTestInner> Inner;
    void LoadFromXML(TJvSimpleXMLElem* Elem) override;
    TPartTable PartTable() override;
    void LayoutParts() override;
    void Paint(TBitmap32& Buffer) override;
    std::vector<TPropInfo> PublishedProperties() override;
    int LayoutCount = 0;

protected:
    void SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx) override;
};

// Registers the three kinds with the factory (again and again is harmless).
void RegisterTestKinds();
