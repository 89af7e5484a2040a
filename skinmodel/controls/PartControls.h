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
    // The owner's layout sets the part's width / height, so a reload gives them back whatever the
    // part writes: they follow only the written rules, without being kept as reset values.
    bool OwnerSetsWidth = false;
    bool OwnerSetsHeight = false;
    // The owner clears the part's navigation values whenever it saves against a reference, so a
    // reload need not give the cleared values back: they follow only the written rules.
    bool NavigationClearedWithRef = false;
};

// The slot with its width and/or height marked as set by the owner's layout.
inline TPartSlot OwnerSized(TPartSlot slot, bool width = true, bool height = true)
{
    slot.OwnerSetsWidth = width;
    slot.OwnerSetsHeight = height;
    return slot;
}

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
