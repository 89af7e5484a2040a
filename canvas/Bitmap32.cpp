#include "canvas/Bitmap32.h"

TBitmap32::TBitmap32(int width, int height)
{
    SetSize(width, height);
}

void TBitmap32::SetSize(int width, int height)
{
    FClipSet = false;
    if (width <= 0 || height <= 0) {
        FImage = QImage();
        return;
    }
    FImage = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    FImage.fill(0);
}

void TBitmap32::Clear(uint32_t argb)
{
    if (!FImage.isNull())
        FImage.fill(QColor::fromRgba(argb));
}

void TBitmap32::Changed(const QRect& area, uint32_t info)
{
    Q_UNUSED(info);
    FChanged.push_back(area);
}
