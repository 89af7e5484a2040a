// A positioned layer that fills its rounded location with one colour and counts its paints.
#pragma once

#include "canvas/Layers.h"

#include <QPainter>

class TBoxLayer : public TPositionedLayer {
public:
    TBoxLayer(TLayerCollection* c, TFloatRect r, uint32_t argb) : TPositionedLayer(c), FColor(argb)
    {
        SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
        SetLocation(r);
    }
    void Paint(TBitmap32& buffer) override
    {
        QPainter p(&buffer.Image());
        p.fillRect(RoundRect(GetAdjustedLocation()), QColor::fromRgba(FColor));
        ++Paints;
    }
    int Paints = 0;

private:
    uint32_t FColor;
};
