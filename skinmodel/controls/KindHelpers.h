// Small pieces the composite control kinds share: edge arithmetic for their layouts and the
// navigation values they publish.
#pragma once

#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/PartPlacement.h"

#include <cstdint>
#include <vector>

// A float edge moved by a whole number of pixels; the sum is taken in double so that no int
// from a file overflows.
inline float ShiftedEdge(float edge, int64_t by)
{
    return static_cast<float>(static_cast<double>(edge) + static_cast<double>(by));
}

// Appends ControlDown, ControlLeft, ControlRight, ControlUp, as the kinds that have them publish them.
inline void AppendNavigationProperties(std::vector<TPropInfo>& props, TItemLayer& control)
{
    props.push_back(IntegerField("ControlDown", control.ControlDown));
    props.push_back(IntegerField("ControlLeft", control.ControlLeft));
    props.push_back(IntegerField("ControlRight", control.ControlRight));
    props.push_back(IntegerField("ControlUp", control.ControlUp));
}
