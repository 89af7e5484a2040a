// A partial repaint (the buffer's clip set to the dirty area) must give inside that area exactly
// the pixels of a full repaint, and leave everything outside it as it was.
#include "canvas/Bitmap32.h"
#include "canvas/ImageCanvas.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/PaintAids.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/draw/GdiFont.h"
#include "skinmodel/draw/GdiText.h"
#include "skinmodel/draw/RenderText.h"
#include "skinmodel/draw/Shapes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr int W = 240, H = 160;
constexpr uint32_t Backdrop = 0xFF336699u;

QImage Picture()
{
    QImage image(37, 23, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qPremultiply(qRgba(x * 7, y * 11, (x * y) & 0xFF, (x + y) % 3 ? 255 : 128)));
    return image;
}

TBitmap32 Buffer()
{
    TBitmap32 b(W, H);
    b.Clear(Backdrop);
    b.Font.Name = "Liberation Sans";
    b.Font.Height = -15;
    return b;
}

struct TPainter {
    const char* Name;
    std::function<void(TBitmap32&)> Paint;
};

const TPainter Painters[] = {
    {"stretched picture", [](TBitmap32& b) { DrawPictureStretched(b, QRect(13, 17, 151, 97), Picture(), 200); }},
    {"shrunk picture", [](TBitmap32& b) { DrawPictureStretched(b, QRect(-5, 9, 29, 13), Picture(), 255); }},
    {"fill", [](TBitmap32& b) { FillRectBlend(b, QRect(20, 30, 150, 90), 0x80FF8000u); }},
    {"frame", [](TBitmap32& b) { FrameRectBlend(b, QRect(20, 30, 150, 90), 0xFF00FF00u); }},
    {"text", [](TBitmap32& b) {
         RenderTextRect(b, QRect(10, 20, 200, 40), DT_CENTER | DT_VCENTER | DT_SINGLELINE, "Partial repaint Wg", 0,
                        0xFFFFFFFFu);
     }},
    {"oversampled text", [](TBitmap32& b) {
         RenderTextRect(b, QRect(10, 60, 200, 50), DT_RIGHT | DT_BOTTOM, "Smooth text Wg", 2, 0xC0FFFF00u);
     }},
    {"ellipse", [](TBitmap32& b) {
         DrawShapeEllipse(b, FixedRectFromRect(QRect(30, 25, 170, 110)),
                          TShapeLineStyle{0xFF000000u, FixedFromPixels(3), 1.0f}, TShapeFillStyle{0xA0FF0000u, false},
                          true);
     }},
};

const QRect Clips[] = {QRect(0, 0, 8, 8), QRect(50, 40, 31, 17), QRect(100, 0, 3, H), QRect(0, 70, W, 5),
                       QRect(77, 33, 90, 64)};

TEST(PartialRepaint, InsideTheClipAsFullOutsideUntouched)
{
    for (const TPainter& painter : Painters) {
        TBitmap32 full = Buffer();
        painter.Paint(full);
        for (const QRect& clip : Clips) {
            TBitmap32 part = Buffer();
            part.SetClipRect(clip);
            painter.Paint(part);
            part.ResetClipRect();
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const QRgb want = clip.contains(x, y) ? full.Image().pixel(x, y) : Backdrop;
                    ASSERT_EQ(part.Image().pixel(x, y), want)
                        << painter.Name << " clip " << clip.x() << "," << clip.y() << " " << clip.width() << "x"
                        << clip.height() << " at " << x << "," << y;
                }
        }
    }
}

// Controls whose paint reaches into the one-pixel margin around their location: shape outlines
// one pixel beyond every side at whole positions, a label's outline one pixel up and left. Each
// moves in steps to whole and fractional places; what the canvas repaints of the old and new areas
// must leave the page as a full repaint draws it.
TEST(PartialRepaint, MovedControlsLeaveNothingBehind)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(W, H);
    const auto shape = [&](TGraphicsType type, TFloatRect r) {
        auto* image = new TImageLayer(&canvas.Layers());
        image->GraphicsType = type;
        image->Color = 0x80FF8000u;
        image->Outline = 1;
        image->OutlineColor = 0xFF000000u;
        image->SetLocation(r);
        return image;
    };
    auto* label = new TTextLayer(&canvas.Layers());
    label->SetLabelText("Wg");
    label->Outline = true;
    label->OutlineColor = 0xFFFFFF00u;
    label->VerticalAlign = StringAlignmentNear;
    label->SetLocation({150, 100, 200, 130});
    const std::pair<const char*, TItemLayer*> layers[] = {
        {"ellipse", shape(GT_ELLIPSE, {20, 20, 80, 60})},
        {"rounded rectangle", shape(GT_ROUNDRECT, {100, 30, 160, 70})},
        {"label", label},
    };
    const auto full = [&] {
        canvas.Invalidate();
        canvas.Render();
        return canvas.BackBuffer().Image().copy();
    };
    full();
    const QPointF steps[] = {{5, 0}, {0, 5}, {-5, 0}, {0, -5}, {0.25f, 0.25f}, {3, 3}, {0.5f, 0.5f},
                             {-4, -4}, {0.25f, 0.25f}, {-3, -3}};
    for (const auto& [name, layer] : layers)
        for (const QPointF& step : steps) {
            TFloatRect r = layer->Location();
            r.Left += float(step.x());
            r.Right += float(step.x());
            r.Top += float(step.y());
            r.Bottom += float(step.y());
            layer->SetLocation(r);
            canvas.Render();
            const QImage partial = canvas.BackBuffer().Image().copy();
            const QImage want = full();
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(partial.pixel(x, y), want.pixel(x, y))
                        << name << " at " << r.Left << "," << r.Top << ": pixel " << x << "," << y;
        }
}

}  // namespace
