// Part controls: a composite control owns part layers (pictures, labels, buttons...) that lie in no
// layer collection. It lists them once in a part table; the shared code reads them from and writes
// them to the child "subcontrols", one "control" element per part, told apart by its role (the
// lower-cased "description").
#pragma once

#include <vector>

class TItemLayer;

// One part, in the order the owner writes its parts.
struct TPartSlot {
    TItemLayer* Part = nullptr;
    const char* Role = "";        // written exactly so; compared lower-cased when read
    bool SubWithRef = true;       // SubControl flag for the part when a reference control exists
    bool SubWithoutRef = true;    // ... and when there is none
    bool PruneWithRef = true;     // drop the part's element when it holds only description and type
    bool PruneWithoutRef = true;
};

struct TPartTable {
    std::vector<TPartSlot> Slots;
    bool PruneEmptyWithRef = true;     // drop an empty "subcontrols"
    bool PruneEmptyWithoutRef = true;
};

// Shorthands for the usual rows of a part table.
inline TPartSlot PartAlwaysPruned(TItemLayer* part, const char* role)
{
    return {part, role, true, true, true, true};
}
inline TPartSlot PartPrunedWithRef(TItemLayer* part, const char* role)
{
    return {part, role, true, true, true, false};
}
inline TPartSlot PartNeverPruned(TItemLayer* part, const char* role)
{
    return {part, role, true, true, false, false};
}
