#include "canvas/Checkerboard.h"
#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>

#include <gtest/gtest.h>

namespace {

void Send(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(ImgView, AsksForTheCanvasSizeInsideAScrollArea)
{
    QScrollArea area;
    auto* view = new TImgView32;
    area.setWidget(view);
    view->SetCanvasSize(720, 576);
    EXPECT_EQ(view->sizeHint(), QSize(720, 576));
    EXPECT_EQ(view->size(), QSize(720, 576));
    view->SetCanvasSize(0, 0);   // then the bitmap gives the size
    view->Bitmap().SetSize(300, 200);
    view->BitmapChanged();
    EXPECT_EQ(view->size(), QSize(300, 200));
}

TEST(ImgView, PressDragReleaseMovesTheFrameAndRepaintsLittle)
{
    TImgView32 view;
    view.SetCanvasSize(640, 480);
    view.Canvas().PaintStages[0].Stage = PST_CUSTOM;
    view.Canvas().OnPaintStage = [](TBitmap32& b, int) { PaintCheckerboard(b); };
    auto* child = new TPositionedLayer(&view.Layers());
    child->SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
    child->SetLocation({100, 100, 200, 150});
    auto* frame = new TRubberbandLayer(&view.Layers());
    frame->SetChildLayer(child);

    int downs = 0, ups = 0;
    QObject::connect(&view, &TImgView32::mouseDown, [&](TCustomLayer* l, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
        EXPECT_EQ(l, frame);
        ++downs;
    });
    QObject::connect(&view, &TImgView32::mouseUp, [&](TCustomLayer*, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { ++ups; });

    const QImage first = view.grab().toImage();   // full paint
    EXPECT_EQ(first.pixel(0, 0), CHECKER_GREY);

    Send(&view, QEvent::MouseButtonPress, {150, 125}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(view.cursor().shape(), Qt::SizeAllCursor);
    Send(&view, QEvent::MouseMove, {170, 135}, Qt::NoButton, Qt::LeftButton);
    const QRect dirty = view.Canvas().DirtyRect();
    EXPECT_FALSE(dirty.isEmpty());
    EXPECT_LT(dirty.width() * dirty.height(), 640 * 480 / 8);
    EXPECT_EQ(view.Canvas().Render(), dirty);
    Send(&view, QEvent::MouseButtonRelease, {170, 135}, Qt::LeftButton, Qt::NoButton);

    EXPECT_EQ(child->Location(), (TFloatRect{120, 110, 220, 160}));
    EXPECT_EQ(frame->Location(), child->Location());
    EXPECT_EQ(view.Canvas().MouseCapture(), nullptr);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);

    // The frame's old place shows the checkerboard again, its new place the dashes.
    const QImage after = view.grab().toImage();
    EXPECT_EQ(after.pixel(100, 125), CHECKER_GREY);
    EXPECT_NE(after.pixel(120, 125), first.pixel(120, 125));
}

TEST(ImgView, PressOnEmptyCanvasReportsNoLayer)
{
    TImgView32 view;
    view.SetCanvasSize(100, 100);
    view.resize(100, 100);
    bool called = false;
    QObject::connect(&view, &TImgView32::mouseDown, [&](TCustomLayer* l, Qt::MouseButton b, Qt::KeyboardModifiers, QPointF p) {
        called = true;
        EXPECT_EQ(l, nullptr);
        EXPECT_EQ(b, Qt::MiddleButton);
        EXPECT_EQ(p, QPointF(40, 30));
    });
    Send(&view, QEvent::MouseButtonPress, {40, 30}, Qt::MiddleButton, Qt::MiddleButton);
    EXPECT_TRUE(called);
}

int main(int argc, char** argv)
{
    // Test discovery runs the program without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
