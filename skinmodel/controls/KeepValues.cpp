#include "skinmodel/controls/KeepValues.h"

#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

bool ElementAlwaysRead(TItemLayer& Control, const TSaveContext& Ctx)
{
    TItemLayer* owner = Control.PartOwner();
    // Children kept for writing back keep the element too.
    if (!owner || Control.HoldsUnknownChildren())
        return true;
    for (const TPartSlot& slot : owner->PartTable().Slots)
        if (slot.Part == &Control)
            return !(Ctx.Ref ? slot.PruneWithRef : slot.PruneWithoutRef);
    return true;
}

void WriteKeepingResetValues(TJvSimpleXMLElem* Elem, TItemLayer& Control, const TSaveContext& Ctx,
                             TReadBack& ReadBack, const std::function<void(TReadBack mode)>& Write)
{
    const int start = Elem->ChildCount();
    ReadBack = ElementAlwaysRead(Control, Ctx) ? TReadBack::Always : TReadBack::MayBeDropped;
    Write(ReadBack);
    // More than description and type: the owner keeps the element, so the reader will see it.
    if (ReadBack == TReadBack::MayBeDropped && Elem->ChildCount() - start > 2) {
        while (Elem->ChildCount() > start)
            Elem->Items().Delete(Elem->ChildCount() - 1);
        ReadBack = TReadBack::Kept;
        Write(ReadBack);
    }
    ReadBack = TReadBack::Always;
}
