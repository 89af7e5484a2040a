// The video window: a control with nothing of its own; it paints the placeholder look.
#pragma once

#include "skinmodel/controls/ItemLayer.h"

class TOSDVideoControl : public TItemLayer {
public:
    explicit TOSDVideoControl(TLayerCollection* ALayerCollection);
    // The page reader makes no video window without an area.
    int32_t MinSavedSize() const override { return 1; }
};
