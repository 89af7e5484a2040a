#include "skinmodel/controls/KeepValues.h"

#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

bool ElementAlwaysRead(TItemLayer& Control, const TSaveContext& Ctx)
{
    TItemLayer* owner = Control.PartOwner();
    if (!owner)
        return true;
    for (const TPartSlot& slot : owner->PartTable().Slots)
        if (slot.Part == &Control)
            return !(Ctx.Ref ? slot.PruneWithRef : slot.PruneWithoutRef);
    return true;
}

void WriteKeepingResetValues(TJvSimpleXMLElem* Elem, TItemLayer& Control, const TSaveContext& Ctx,
                             const std::function<void(bool elementRead)>& Write)
{
    const int start = Elem->ChildCount();
    const bool read = ElementAlwaysRead(Control, Ctx);
    Write(read);
    // More than description and type: the owner keeps the element, so the reader will see it.
    if (read || Elem->ChildCount() - start <= 2)
        return;
    while (Elem->ChildCount() > start)
        Elem->Items().Delete(Elem->ChildCount() - 1);
    Write(true);
}
