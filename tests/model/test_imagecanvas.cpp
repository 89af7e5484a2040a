#include "canvas/Checkerboard.h"
#include "canvas/ImageCanvas.h"
#include "canvas/RubberBand.h"
#include "support/BoxLayer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

QImage FullRender(TImageCanvas& canvas)
{
    canvas.Invalidate();
    canvas.Render();
    return canvas.BackBuffer().Image().copy();
}

} // namespace

TEST(Checkerboard, SquaresStartGreyAndAreCutAtTheEdges)
{
    TBitmap32 b(730, 580);
    PaintCheckerboard(b);
    struct Case { int x, y; uint32_t want; };
    const Case cases[] = {{0, 0, CHECKER_GREY}, {11, 11, CHECKER_GREY}, {12, 0, CHECKER_WHITE},
                          {0, 12, CHECKER_WHITE}, {12, 12, CHECKER_GREY}, {23, 35, CHECKER_WHITE},
                          {729, 0, CHECKER_GREY}, {720, 576, CHECKER_GREY}, {729, 579, CHECKER_GREY},
                          {719, 575, CHECKER_GREY}, {719, 576, CHECKER_WHITE}};
    for (const Case& k : cases)
        EXPECT_EQ(b.Image().pixel(k.x, k.y), k.want) << k.x << "," << k.y;
}

TEST(Checkerboard, PaintsOnlyTheClipRectangle)
{
    TBitmap32 b(48, 48);
    b.SetClipRect(QRect(12, 12, 12, 12));
    PaintCheckerboard(b);
    EXPECT_EQ(b.Image().pixel(0, 0), 0u);
    EXPECT_EQ(b.Image().pixel(12, 12), CHECKER_GREY);
    EXPECT_EQ(b.Image().pixel(24, 24), 0u);
}

TEST(ImageCanvas, StagesPaintBackgroundBitmapThenLayers)
{
    TImageCanvas canvas;
    canvas.Bitmap().SetSize(20, 20);
    canvas.Bitmap().Clear(0xFF0000FFu);
    canvas.SetCanvasSize(40, 30);
    new TBoxLayer(&canvas.Layers(), {10, 10, 30, 20}, 0xFFFF0000u);
    canvas.Render();
    const QImage& img = canvas.BackBuffer().Image();
    ASSERT_EQ(img.size(), QSize(40, 30));
    EXPECT_EQ(img.pixel(5, 5), 0xFF0000FFu);    // bitmap
    EXPECT_EQ(img.pixel(35, 5), canvas.Color);  // background beyond the bitmap
    EXPECT_EQ(img.pixel(15, 15), 0xFFFF0000u);  // layer over the bitmap
    EXPECT_EQ(img.pixel(25, 15), 0xFFFF0000u);
}

TEST(ImageCanvas, CustomFirstStageGivesTheCheckerboard)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(720, 576);
    canvas.PaintStages[0].Stage = PST_CUSTOM;
    std::vector<int> stages;
    canvas.OnPaintStage = [&](TBitmap32& buffer, int stage) {
        stages.push_back(stage);
        PaintCheckerboard(buffer);
    };
    canvas.Render();
    EXPECT_EQ(stages, std::vector<int>{0});
    const QImage& img = canvas.BackBuffer().Image();
    EXPECT_EQ(img.pixel(0, 0), CHECKER_GREY);
    EXPECT_EQ(img.pixel(719, 575), CHECKER_GREY);   // 60 by 48 whole squares
    EXPECT_EQ(img.pixel(707, 575), CHECKER_WHITE);
}

TEST(ImageCanvas, CanvasSizeFollowsTheBitmapUntilSet)
{
    TImageCanvas canvas;
    int resized = 0;
    canvas.OnCanvasResized = [&] { ++resized; };
    EXPECT_EQ(canvas.CanvasSize(), QSize(0, 0));
    EXPECT_TRUE(canvas.Render().isEmpty());   // nothing to show, nothing breaks
    canvas.Bitmap().SetSize(64, 32);
    canvas.BitmapChanged();
    EXPECT_EQ(canvas.CanvasSize(), QSize(64, 32));
    canvas.SetCanvasSize(800, 600);
    canvas.Bitmap().SetSize(0, 0);
    canvas.BitmapChanged();
    EXPECT_EQ(canvas.CanvasSize(), QSize(800, 600));
    EXPECT_EQ(resized, 2);
    EXPECT_EQ(canvas.Render(), QRect(0, 0, 800, 600));
}

TEST(ImageCanvas, DragStepRepaintsOnlyOldAndNewArea)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(1280, 720);
    std::vector<TBoxLayer*> boxes;
    for (int i = 0; i < 1000; ++i) {
        const float x = static_cast<float>((i * 37) % 1240), y = static_cast<float>((i * 53) % 690);
        boxes.push_back(new TBoxLayer(&canvas.Layers(), {x, y, x + 40, y + 30},
                                      0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8)));
    }
    canvas.Render();
    EXPECT_EQ(canvas.LastPaintedLayers(), 1000);

    std::vector<QRect> shown;
    canvas.OnInvalidate = [&](const QRect& r) { shown.push_back(r); };
    TBoxLayer* moved = boxes[500];
    const QRect before = moved->PaintedRect();
    moved->SetLocation({600, 300, 640, 330});
    const QRect dirty = canvas.DirtyRect();
    EXPECT_EQ(dirty, before.united(moved->PaintBounds()));
    EXPECT_EQ(shown, std::vector<QRect>{dirty});

    EXPECT_EQ(canvas.Render(), dirty);
    EXPECT_LT(canvas.LastPaintedLayers(), 100);
    // Layers that overlap the area only partly were repainted aside; nothing outside it changed.
    const QImage partial = canvas.BackBuffer().Image().copy();
    EXPECT_EQ(partial, FullRender(canvas));
}

TEST(ImageCanvas, PartialRepaintKeepsHigherLayersOutsideTheArea)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(100, 100);
    auto* low = new TBoxLayer(&canvas.Layers(), {0, 0, 100, 100}, 0xFF00FF00u);
    auto* high = new TBoxLayer(&canvas.Layers(), {60, 60, 90, 90}, 0xFFFF0000u);
    auto* mover = new TBoxLayer(&canvas.Layers(), {0, 0, 10, 10}, 0xFF0000FFu);
    canvas.Render();
    mover->SetLocation({20, 0, 30, 10});
    canvas.Render();
    EXPECT_EQ(low->Paints, 2);     // repainted whole into the side buffer ...
    EXPECT_EQ(high->Paints, 1);    // ... yet the layer above it stays visible
    EXPECT_EQ(canvas.BackBuffer().Image().pixel(70, 70), 0xFFFF0000u);
    EXPECT_EQ(canvas.BackBuffer().Image().pixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(canvas.BackBuffer().Image().pixel(25, 5), 0xFF0000FFu);
}

// A box that paints and reports Reach pixels around its location, as a wide outline does.
class TReachingBox : public TPositionedLayer {
public:
    TReachingBox(TLayerCollection* c, TFloatRect r, int reach) : TPositionedLayer(c), Reach(reach) { SetLocation(r); }
    void Paint(TBitmap32& buffer) override
    {
        const QRect area = RoundRect(GetAdjustedLocation()).adjusted(-Reach, -Reach, Reach, Reach);
        QPainter(&buffer.Image()).fillRect(area, Qt::red);
        buffer.Changed(area);
    }
    int Reach;
};

TEST(ImageCanvas, PaintBeyondTheAnnouncedAreaIsRepaintedAndShown)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(200, 100);
    auto* box = new TReachingBox(&canvas.Layers(), {20, 20, 40, 40}, 6);
    canvas.Render();
    std::vector<QRect> shown;
    canvas.OnInvalidate = [&](const QRect& r) { shown.push_back(r); };
    box->SetLocation({100, 50, 120, 70});
    const QRect rendered = canvas.Render();
    const QRect reach(94, 44, 32, 32);
    EXPECT_TRUE(rendered.contains(reach));
    EXPECT_NE(rendered, QRect(0, 0, 200, 100));
    QRect shownArea;
    for (const QRect& r : shown)
        shownArea = UniteRects(shownArea, r);
    EXPECT_TRUE(shownArea.contains(reach));
    const QImage partial = canvas.BackBuffer().Image().copy();
    EXPECT_EQ(partial, FullRender(canvas));
}

TEST(ImageCanvas, HidingAndRemovingErase)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(50, 50);
    auto* box = new TBoxLayer(&canvas.Layers(), {10, 10, 20, 20}, 0xFFFF0000u);
    canvas.Render();
    box->SetLayerOptions(LOB_NO_UPDATE);   // hidden under no-update still erases
    canvas.Render();
    EXPECT_EQ(canvas.BackBuffer().Image().pixel(15, 15), canvas.Color);
    box->SetVisible(true);
    canvas.Render();
    EXPECT_EQ(canvas.BackBuffer().Image().pixel(15, 15), 0xFFFF0000u);
    delete box;
    canvas.Render();
    EXPECT_EQ(canvas.BackBuffer().Image().pixel(15, 15), canvas.Color);
}

TEST(ImageCanvas, UpdateBracketRepaintsOnceAtTheEnd)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(50, 50);
    canvas.Render();
    int shown = 0;
    canvas.OnInvalidate = [&](const QRect&) { ++shown; };
    canvas.BeginUpdate();
    for (int i = 0; i < 10; ++i)
        new TBoxLayer(&canvas.Layers(), {float(i), 0, float(i) + 5, 5}, 0xFF000000u);
    EXPECT_EQ(shown, 0);
    canvas.EndUpdate();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(canvas.DirtyRect(), QRect(0, 0, 50, 50));
}

TEST(ImageCanvas, PressDragReleaseGoesToTheFrame)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(400, 300);
    auto* box = new TBoxLayer(&canvas.Layers(), {100, 100, 200, 150}, 0xFFFF0000u);
    auto* frame = new TRubberbandLayer(&canvas.Layers());
    frame->SetChildLayer(box);
    canvas.Render();

    std::vector<std::string> order;
    box->OnMouseDown = [&](TCustomLayer*, Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
        order.push_back("box");
    };
    frame->OnMouseDown = [&](TCustomLayer*, Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
        order.push_back("frame");
    };
    canvas.OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, float, float, TCustomLayer* l) {
        order.push_back(l == frame ? "canvas(frame)" : "canvas(other)");
    };

    EXPECT_EQ(canvas.MouseDown(Qt::LeftButton, Qt::NoModifier, 150, 125), frame);
    EXPECT_EQ(canvas.MouseCapture(), frame);
    EXPECT_EQ(canvas.Cursor(), Qt::SizeAllCursor);
    // Far outside: still the captured frame.
    EXPECT_EQ(canvas.MouseMove(Qt::LeftButton, Qt::NoModifier, 160, 135), frame);
    const QRect dirty = canvas.DirtyRect();
    EXPECT_LT(dirty.width() * dirty.height(), 400 * 300 / 4);
    canvas.Render();
    EXPECT_LE(canvas.LastPaintedLayers(), 2);
    EXPECT_EQ(canvas.MouseMove(Qt::LeftButton, Qt::NoModifier, 390, 290), frame);
    EXPECT_EQ(canvas.MouseUp(Qt::LeftButton, Qt::NoModifier, 390, 290), frame);
    EXPECT_EQ(canvas.MouseCapture(), nullptr);
    EXPECT_EQ(box->Location(), (TFloatRect{340, 265, 440, 315}));
    EXPECT_EQ(order, (std::vector<std::string>{"frame", "canvas(frame)"}));

    // Released frame: the click reaches the box below it.
    frame->SetLayerOptions(0x10000000u);
    order.clear();
    EXPECT_EQ(canvas.MouseDown(Qt::LeftButton, Qt::NoModifier, 350, 270), box);
    EXPECT_EQ(order, (std::vector<std::string>{"box", "canvas(other)"}));
}

TEST(ImageCanvas, HandlerFreeingTheLayerLeavesNothingDangling)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(100, 100);
    auto* box = new TBoxLayer(&canvas.Layers(), {0, 0, 50, 50}, 0xFFFF0000u);
    TCustomLayer* seen = box;
    box->OnMouseDown = [](TCustomLayer* self, Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
        delete self;
    };
    canvas.OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, float, float, TCustomLayer* l) { seen = l; };
    EXPECT_EQ(canvas.MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10), nullptr);
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(canvas.MouseCapture(), nullptr);
    EXPECT_EQ(canvas.Cursor(), Qt::ArrowCursor);
    EXPECT_EQ(canvas.MouseMove(Qt::LeftButton, Qt::NoModifier, 20, 20), nullptr);
    EXPECT_EQ(canvas.MouseUp(Qt::LeftButton, Qt::NoModifier, 20, 20), nullptr);
}

TEST(ImageCanvas, NoCaptureLayersLetTheNextLayerHaveTheMove)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(100, 100);
    auto* a = new TBoxLayer(&canvas.Layers(), {0, 0, 50, 50}, 0xFFFF0000u);
    auto* b = new TBoxLayer(&canvas.Layers(), {50, 0, 100, 50}, 0xFF00FF00u);
    a->SetLayerOptions(a->LayerOptions() | LOB_NO_CAPTURE);
    canvas.MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);
    EXPECT_EQ(canvas.MouseCapture(), nullptr);
    EXPECT_EQ(canvas.MouseMove(Qt::LeftButton, Qt::NoModifier, 60, 10), b);
    EXPECT_EQ(canvas.MouseMove(Qt::NoButton, Qt::NoModifier, 60, 80), nullptr);
}

// The selection frame on top repaints from the picture under it: only the frame is painted again,
// and what is shown is what a full repaint shows, also when something comes above the frame or
// the frame goes.
TEST(ImageCanvas, FrameOnTopRepaintsWithoutTheLayersUnderIt)
{
    TImageCanvas canvas;
    canvas.SetCanvasSize(640, 480);
    std::vector<TBoxLayer*> boxes;
    for (int i = 0; i < 400; ++i) {
        const float x = static_cast<float>((i * 37) % 600), y = static_cast<float>((i * 53) % 450);
        boxes.push_back(new TBoxLayer(&canvas.Layers(), {x, y, x + 40, y + 30}, 0xFF000000u | (i * 2654435761u >> 8)));
    }
    auto* frame = new TRubberbandLayer(&canvas.Layers());
    canvas.Render();
    struct Step {
        const char* what;
        std::function<void()> change;
        int maxPainted;
    };
    const Step steps[] = {
        {"frame onto a box", [&] { frame->SetChildLayer(boxes[10]); }, 1},
        {"frame across the page", [&] { frame->SetChildLayer(boxes[390]); }, 1},
        {"box moved under the frame", [&] { boxes[390]->SetLocation({100, 100, 150, 140}); }, 400},
        {"box above the frame", [&] { boxes[5]->BringToFront(); }, 400},
        {"frame on top again", [&] { frame->BringToFront(); }, 400},
        {"frame gone", [&] { delete frame; }, 0},
    };
    for (const Step& step : steps) {
        step.change();
        canvas.Render();
        EXPECT_LE(canvas.LastPaintedLayers(), step.maxPainted) << step.what;
        const QImage partial = canvas.BackBuffer().Image().copy();
        EXPECT_EQ(partial, FullRender(canvas)) << step.what;
    }
}
