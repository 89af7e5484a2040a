#include "skinmodel/controls/PartControls.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

void TItemLayer::LoadPartsFromXML(TJvSimpleXMLElem* Elem)
{
    const TPartTable table = PartTable();
    const bool keep = Elem && !OSDControlFactory().IsReferenceElement(Elem);
    TJvSimpleXMLElem* subcontrols = TOSDControlFactory::FindChild(Elem, "subcontrols");
    if (subcontrols && subcontrols->ItemsIfAny()) {
        const TJvSimpleXMLElems& children = *subcontrols->ItemsIfAny();
        // A child without a description is read by the part the child before it selected.
        std::string role;
        for (int i = 0; i < children.Count(); ++i) {
            TJvSimpleXMLElem* child = children.Item(i);
            // Comments and text between the parts are no parts.
            if (child->Kind() != TJvSimpleXMLElemKind::Classic)
                continue;
            TOSDControlFactory::ReadString(child, "description", role);
            const std::string wanted = LowerAscii(role);
            const TPartSlot* reader = nullptr;
            for (const TPartSlot& slot : table.Slots)
                if (LowerAscii(slot.Role) == wanted) {
                    reader = &slot;
                    break;
                }
            if (reader)
                reader->Part->ReadKeeping(child, false);
            else if (keep)
                // Before the first description a child selects no part; written after the
                // parts it would be read by the last one, so such children are written first.
                (role.empty() ? FUnknownPartsBefore : FUnknownParts).push_back(child->Clone());
        }
    }
    // A part's description is its role, also where its element was left out.
    for (const TPartSlot& slot : table.Slots)
        slot.Part->Description = slot.Role;
}

void TItemLayer::SavePartsToXML(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    if (!Elem)
        return;
    const TPartTable table = PartTable();
    const bool withRef = Ctx.Reference != nullptr;
    // The reference's parts are compared with; without one, the parts as a new control has them
    // are what a reload gives back.
    const TPartTable refTable = withRef ? Ctx.Reference->PartTable() : TPartTable();
    const TPartTable baseTable = Ctx.Base->PartTable();
    TJvSimpleXMLElem* subcontrols = Elem->Items().Add("subcontrols");
    for (std::size_t i = 0; i < table.Slots.size(); ++i) {
        const TPartSlot& slot = table.Slots[i];
        TJvSimpleXMLElem* control = subcontrols->Items().Add("control");
        slot.Part->Description = slot.Role;
        TItemLayer* refPart = i < refTable.Slots.size() ? refTable.Slots[i].Part : nullptr;
        TItemLayer* basePart = i < baseTable.Slots.size() ? baseTable.Slots[i].Part : nullptr;
        slot.Part->SaveAsPart(control, refPart, withRef ? slot.SubWithRef : slot.SubWithoutRef, basePart,
                              slot.OwnerSetsWidth, slot.OwnerSetsHeight, withRef && slot.NavigationClearedWithRef);
        const bool prune = withRef ? slot.PruneWithRef : slot.PruneWithoutRef;
        if (prune && control->ChildCount() == 2)
            subcontrols->Items().Delete(subcontrols->GetChildIndex(control));
    }
    const bool pruneEmpty = withRef ? table.PruneEmptyWithRef : table.PruneEmptyWithoutRef;
    if (pruneEmpty && subcontrols->ChildCount() == 0)
        Elem->Items().Delete(Elem->GetChildIndex(subcontrols));
}
