// A partial repaint (the buffer's clip set to the dirty area) must give inside that area exactly
// the pixels of a full repaint, and leave everything outside it as it was.
#include "canvas/Bitmap32.h"
#include "canvas/ImageCanvas.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/PaintAids.h"
#include "skinmodel/controls/SimpleButton.h"
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

QPoint FirstDifference(const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return {x, y};
    return {-1, -1};
}

// Controls whose paint reaches into the one-pixel margin around their location (shape outlines
// one pixel beyond every side at whole positions, a label's outline one pixel up and left) and
// further (wide outlines, a radius past half the shape, shadows, parts of a composite). Each moves
// in steps to whole and fractional places, then is hidden and shown again; what the canvas
// repaints of the old and new areas must leave the page as a full repaint draws it.
TEST(PartialRepaint, MovedControlsLeaveNothingBehind)
{
    TImageCanvas canvas;
    // Room for every control with what it paints around itself.
    canvas.SetCanvasSize(320, 200);
    const auto shapeStyle = [](TImageLayer& image, TGraphicsType type, int32_t outline, int32_t corner) {
        image.GraphicsType = type;
        image.Color = 0x80FF8000u;
        image.Outline = outline;
        image.OutlineColor = 0xFF000000u;
        image.Corner = corner;
    };
    const auto shape = [&](TGraphicsType type, TFloatRect r, int32_t outline = 1, int32_t corner = 10) {
        auto* image = new TImageLayer(&canvas.Layers());
        shapeStyle(*image, type, outline, corner);
        image->SetLocation(r);
        return image;
    };
    const auto labelStyle = [](TTextLayer& label, bool outline, int32_t shadowX, int32_t shadowY) {
        label.SetLabelText("Wg");
        label.Outline = outline;
        label.OutlineColor = 0xFFFFFF00u;
        label.Shadow = shadowX != 0 || shadowY != 0;
        label.ShadowColor = 0xFF00FFFFu;
        label.ShadowX = shadowX;
        label.ShadowY = shadowY;
        label.VerticalAlign = StringAlignmentNear;
    };
    const auto label = [&](TFloatRect r, bool outline, int32_t shadowX = 0, int32_t shadowY = 0) {
        auto* text = new TTextLayer(&canvas.Layers());
        labelStyle(*text, outline, shadowX, shadowY);
        text->SetLocation(r);
        return text;
    };
    auto* button = new TOSDSimpleButton(&canvas.Layers());
    shapeStyle(*button->ImageFocus, GT_ELLIPSE, 4, 10);
    labelStyle(*button->LabelControl, true, 5, -6);
    button->SetLocation({60, 110, 110, 140});
    const std::pair<const char*, TItemLayer*> layers[] = {
        {"ellipse", shape(GT_ELLIPSE, {20, 20, 80, 60})},
        {"rounded rectangle", shape(GT_ROUNDRECT, {100, 30, 160, 70})},
        {"label", label({150, 100, 200, 130}, true)},
        {"ellipse, outline 3", shape(GT_ELLIPSE, {25, 75, 75, 105}, 3)},
        {"rounded rectangle, outline 3", shape(GT_ROUNDRECT, {170, 20, 220, 60}, 3)},
        {"rounded rectangle, radius past half", shape(GT_ROUNDRECT_UP, {260, 140, 280, 155}, 2, 30)},
        {"label, shadow -3,4", label({150, 100, 200, 130}, false, -3, 4)},
        {"label, outline and shadow 9,12", label({100, 80, 140, 100}, true, 9, 12)},
        {"label, shadow -12,-9", label({20, 120, 60, 140}, true, -12, -9)},
        {"button, outline 4 and label shadow 5,-6", button},
    };
    const auto full = [&] {
        canvas.Invalidate();
        canvas.Render();
        return canvas.BackBuffer().Image().copy();
    };
    full();
    const QPointF steps[] = {{5, 0}, {0, 5}, {-5, 0}, {0, -5}, {0.25f, 0.25f}, {3, 3}, {0.5f, 0.5f},
                             {-4, -4}, {0.25f, 0.25f}, {-3, -3}};
    // One failure per control, so that every control that leaves something behind shows.
    const auto repaintedAsFull = [&](const char* name, const TItemLayer* layer, const char* change) {
        canvas.Render();
        const QImage partial = canvas.BackBuffer().Image().copy();
        const QPoint at = FirstDifference(partial, full());
        if (at.x() >= 0)
            ADD_FAILURE() << name << " " << change << " at " << layer->Location().Left << "," << layer->Location().Top
                          << ": pixel " << at.x() << "," << at.y();
        return at.x() < 0;
    };
    for (const auto& [name, layer] : layers) {
        bool same = true;
        for (const QPointF& step : steps) {
            TFloatRect r = layer->Location();
            r.Left += float(step.x());
            r.Right += float(step.x());
            r.Top += float(step.y());
            r.Bottom += float(step.y());
            layer->SetLocation(r);
            if (!(same = repaintedAsFull(name, layer, "moved")))
                break;
        }
        if (!same)
            continue;
        layer->SetVisible(false);
        if (repaintedAsFull(name, layer, "hidden")) {
            layer->SetVisible(true);
            repaintedAsFull(name, layer, "shown");
        }
    }
}

}  // namespace
