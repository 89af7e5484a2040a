#include "support/TestKinds.h"

#include "skinmodel/ControlFactory.h"

using F = TOSDControlFactory;

TTestPart::TTestPart(TLayerCollection* collection) : TItemLayer(collection)
{
    FTypeName = "Testpart";
}

void TTestPart::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TItemLayer::LoadFromXML(Elem);
    F::ReadInteger(Elem, "depth", Depth);
}

void TTestPart::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<TTestPart*>(Ctx.Reference);
    const auto* base = static_cast<TTestPart*>(Ctx.Base);
    if ((ref ? Depth != ref->Depth : Depth != 0) || Depth != base->Depth)
        F::WriteInteger(Elem, "depth", Depth);
}

std::vector<TPropInfo> TTestPart::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    props.push_back(IntegerField("ControlUp", ControlUp));
    props.push_back(IntegerField("Depth", Depth));
    return props;
}

TTestInner::TTestInner(TLayerCollection* collection) : TItemLayer(collection)
{
    FTypeName = "Testinner";
    Leaf = CreatePart<TTestPart>();
}

void TTestInner::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TItemLayer::LoadFromXML(Elem);
    LoadPartsFromXML(Elem);
}

TPartTable TTestInner::PartTable()
{
    return {{PartAlwaysPruned(Leaf.get(), "leaf")}};
}

void TTestInner::LayoutParts()
{
    Leaf->SetLocation(Location());
}

void TTestInner::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    Leaf->Paint(Buffer);
    ReportArea(Buffer);
}

void TTestInner::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TTestInner::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    props.push_back(ObjectProp("Leaf", Leaf.get()));
    return props;
}

TTestComposite::TTestComposite(TLayerCollection* collection) : TItemLayer(collection)
{
    FTypeName = "TestComposite";
    PartA = CreatePart<TTestPart>();
    PartB = CreatePart<TTestPart>();
    PartC = CreatePart<TTestPart>();
    PartC->Depth = 5;
    Inner = CreatePart<TTestInner>();
}

void TTestComposite::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    TItemLayer::LoadFromXML(Elem);
    F::ReadInteger(Elem, "spacing", Spacing);
    LoadPartsFromXML(Elem);
}

TPartTable TTestComposite::PartTable()
{
    TPartTable table;
    table.Slots = {
        PartAlwaysPruned(PartA.get(), "partA"),
        PartPrunedWithRef(PartB.get(), "PartB"),
        {PartC.get(), "partc", true, false, true, false},
        PartAlwaysPruned(Inner.get(), "inner"),
    };
    return table;
}

void TTestComposite::LayoutParts()
{
    ++LayoutCount;
    const TFloatRect r = Location();
    PartA->SetLocation(r);
    TFloatRect half = r;
    half.Right = r.Left + (r.Right - r.Left) / 2;
    PartB->SetLocation(half);
}

void TTestComposite::Paint(TBitmap32& Buffer)
{
    LayoutParts();
    PartA->Paint(Buffer);
    PartB->Paint(Buffer);
    ReportArea(Buffer);
}

void TTestComposite::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    const auto* ref = static_cast<TTestComposite*>(Ctx.Reference);
    const auto* base = static_cast<TTestComposite*>(Ctx.Base);
    if ((ref ? Spacing != ref->Spacing : true) || Spacing != base->Spacing)
        F::WriteInteger(Elem, "spacing", Spacing);
    SavePartsToXML(Elem, Ctx);
}

std::vector<TPropInfo> TTestComposite::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    props.push_back(IntegerField("ControlDown", ControlDown));
    props.push_back(IntegerField("Spacing", Spacing));
    props.push_back(ObjectProp("PartA", PartA.get()));
    props.push_back(ObjectProp("PartB", PartB.get()));
    props.push_back(ObjectProp("PartC", PartC.get()));
    props.push_back(ObjectProp("Inner", Inner.get()));
    return props;
}

void RegisterTestKinds()
{
    OSDControlFactory().RegisterKind("testpart", CreateKindOf<TTestPart>);
    OSDControlFactory().RegisterKind("testinner", CreateKindOf<TTestInner>);
    OSDControlFactory().RegisterKind("testcomposite", CreateKindOf<TTestComposite>);
}
