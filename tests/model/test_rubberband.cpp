#include "canvas/RubberBand.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Frame {
    TLayerCollection c;
    TPositionedLayer* child = new TPositionedLayer(&c);
    TRubberbandLayer* rb = new TRubberbandLayer(&c);
    Frame()
    {
        child->SetLocation({100, 100, 200, 150});
        child->SetScaled(true);
        rb->SetChildLayer(child);
    }
    // Press at (x0, y0), move to (x1, y1), release there.
    void Drag(float x0, float y0, float x1, float y1, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        rb->MouseDown(Qt::LeftButton, mods, x0, y0);
        rb->MouseMove(Qt::LeftButton, mods, x1, y1);
        rb->MouseUp(Qt::LeftButton, mods, x1, y1);
    }
};

} // namespace

TEST(RubberBand, TakesTheChildsLocationAndScaling)
{
    Frame f;
    EXPECT_EQ(f.rb->Location(), (TFloatRect{100, 100, 200, 150}));
    EXPECT_TRUE(f.rb->Scaled());
    EXPECT_EQ(f.rb->ChildLayer(), f.child);
}

TEST(RubberBand, DragStateUnderThePointer)
{
    Frame f;   // 100,100 - 200,150, handle size 3
    struct Case { float x, y; TRBDragState want; };
    const Case cases[] = {
        {100, 100, dsSizeTL}, {97, 97, dsSizeTL}, {203, 97, dsSizeTR}, {100, 150, dsSizeBL},
        {200, 150, dsSizeBR}, {100, 125, dsSizeL}, {200, 125, dsSizeR}, {150, 100, dsSizeT},
        {150, 150, dsSizeB}, {150, 125, dsMove}, {120, 110, dsMove}, {96, 125, dsNone},
        {150, 160, dsNone}, {120, 149.5f, dsMove}};
    for (const Case& k : cases) {
        EXPECT_EQ(f.rb->GetDragState(k.x, k.y), k.want) << k.x << "," << k.y;
        EXPECT_EQ(f.rb->HitTest(k.x, k.y), k.want != dsNone) << k.x << "," << k.y;
    }
}

TEST(RubberBand, EachHandleMovesItsOwnEdges)
{
    struct Case { float x0, y0; TRBDragState state; TFloatRect want; };
    // Every drag goes 10 right and 5 down.
    const Case cases[] = {
        {150, 125, dsMove, {110, 105, 210, 155}},
        {100, 125, dsSizeL, {110, 100, 200, 150}},
        {150, 100, dsSizeT, {100, 105, 200, 150}},
        {200, 125, dsSizeR, {100, 100, 210, 150}},
        {150, 150, dsSizeB, {100, 100, 200, 155}},
        {100, 100, dsSizeTL, {110, 105, 200, 150}},
        {200, 100, dsSizeTR, {100, 105, 210, 150}},
        {100, 150, dsSizeBL, {110, 100, 200, 155}},
        {200, 150, dsSizeBR, {100, 100, 210, 155}},
    };
    for (const Case& k : cases) {
        Frame f;
        std::vector<TRBDragState> seen;
        f.rb->OnResizing = [&](TRubberbandLayer*, const TFloatRect&, TFloatRect&, TRBDragState s,
                               Qt::KeyboardModifiers) { seen.push_back(s); };
        f.Drag(k.x0, k.y0, k.x0 + 10, k.y0 + 5);
        EXPECT_EQ(seen, std::vector<TRBDragState>{k.state}) << k.state;
        EXPECT_EQ(f.rb->Location(), k.want) << k.state;
        EXPECT_EQ(f.child->Location(), k.want) << "child follows, " << k.state;
        EXPECT_FALSE(f.rb->IsDragging());
    }
}

TEST(RubberBand, MoveKeepsTheSizeOverManySteps)
{
    Frame f;
    f.rb->MouseDown(Qt::LeftButton, Qt::NoModifier, 150, 125);
    for (int i = 1; i <= 50; ++i)
        f.rb->MouseMove(Qt::LeftButton, Qt::NoModifier, 150 + i * 0.7f, 125 - i * 1.3f);
    f.rb->MouseUp(Qt::LeftButton, Qt::NoModifier, 185, 60);
    const TFloatRect r = f.rb->Location();
    EXPECT_FLOAT_EQ(r.Right - r.Left, 100);
    EXPECT_FLOAT_EQ(r.Bottom - r.Top, 50);
    EXPECT_FLOAT_EQ(r.Left, 135);
    EXPECT_FLOAT_EQ(r.Top, 35);
}

TEST(RubberBand, MinimumSizeStopsTheDraggedEdge)
{
    struct Case { float x0, y0, x1, y1; TFloatRect want; };
    const Case cases[] = {
        {100, 125, 300, 125, {199, 100, 200, 150}},    // left edge dragged past the right
        {200, 125, 0, 125, {100, 100, 101, 150}},      // right past the left
        {150, 100, 150, 400, {100, 149, 200, 150}},    // top past the bottom
        {150, 150, 150, -50, {100, 100, 200, 101}},    // bottom past the top
        {100, 100, 500, 500, {199, 149, 200, 150}},    // corner past the opposite corner
        {200, 150, 199.5f, 149.5f, {100, 100, 199.5f, 149.5f}},   // above the minimum: as dragged
    };
    for (const Case& k : cases) {
        Frame f;
        f.Drag(k.x0, k.y0, k.x1, k.y1);
        EXPECT_EQ(f.rb->Location(), k.want) << k.x0 << "," << k.y0 << " -> " << k.x1 << "," << k.y1;
    }
}

TEST(RubberBand, CallbackSeesTheStartAndMayChangeTheProposal)
{
    Frame f;
    std::vector<TFloatRect> olds;
    Qt::KeyboardModifiers mods;
    Qt::MouseButtons buttons;
    f.rb->OnResizing = [&](TRubberbandLayer* s, const TFloatRect& oldLoc, TFloatRect& newLoc, TRBDragState,
                           Qt::KeyboardModifiers shift) {
        olds.push_back(oldLoc);
        mods = shift;
        buttons = s->DragButtons();
        newLoc.Right = newLoc.Left + 7;   // a fixed width, whatever the pointer does
    };
    f.rb->MouseDown(Qt::LeftButton, Qt::ControlModifier, 200, 150);
    f.rb->MouseMove(Qt::LeftButton, Qt::ControlModifier, 260, 170);
    f.rb->MouseMove(Qt::LeftButton, Qt::ControlModifier, 280, 190);
    f.rb->MouseUp(Qt::LeftButton, Qt::ControlModifier, 280, 190);
    ASSERT_EQ(olds.size(), 2u);
    EXPECT_EQ(olds[1], (TFloatRect{100, 100, 200, 150}));   // the start, not the last step
    EXPECT_EQ(mods, Qt::ControlModifier);
    EXPECT_EQ(buttons, Qt::LeftButton);
    EXPECT_EQ(f.rb->Location(), (TFloatRect{100, 100, 107, 190}));
    EXPECT_EQ(f.child->Location(), (TFloatRect{100, 100, 107, 190}));
}

TEST(RubberBand, LockedLikeCallbackKeepsEverythingInPlace)
{
    Frame f;
    int changes = 0;
    f.rb->OnUserChange = [&](TRubberbandLayer*) { ++changes; };
    f.rb->OnResizing = [](TRubberbandLayer*, const TFloatRect& o, TFloatRect& n, TRBDragState,
                          Qt::KeyboardModifiers) { n = o; };
    f.Drag(150, 125, 170, 135);
    EXPECT_EQ(f.child->Location(), (TFloatRect{100, 100, 200, 150}));
    EXPECT_EQ(changes, 0);
}

TEST(RubberBand, PressOutsideOrWithOtherButtonsStartsNothing)
{
    Frame f;
    f.rb->MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);
    EXPECT_FALSE(f.rb->IsDragging());
    f.rb->MouseDown(Qt::RightButton, Qt::NoModifier, 150, 125);
    EXPECT_FALSE(f.rb->IsDragging());
    f.rb->MouseMove(Qt::RightButton, Qt::NoModifier, 170, 135);
    EXPECT_EQ(f.child->Location(), (TFloatRect{100, 100, 200, 150}));
    // A release of another button does not end a drag.
    f.rb->MouseDown(Qt::LeftButton, Qt::NoModifier, 150, 125);
    f.rb->MouseUp(Qt::RightButton, Qt::NoModifier, 150, 125);
    EXPECT_TRUE(f.rb->IsDragging());
}

TEST(RubberBand, CursorFollowsTheHandle)
{
    Frame f;
    struct Case { float x, y; int cursor; };
    const Case cases[] = {{150, 125, Qt::SizeAllCursor}, {100, 125, Qt::SizeHorCursor},
                          {150, 150, Qt::SizeVerCursor}, {200, 150, Qt::SizeFDiagCursor},
                          {200, 100, Qt::SizeBDiagCursor}, {0, 0, Qt::ArrowCursor}};
    for (const Case& k : cases) {
        f.rb->MouseMove(Qt::NoButton, Qt::NoModifier, k.x, k.y);
        EXPECT_EQ(f.rb->Cursor(), k.cursor) << k.x << "," << k.y;
    }
    // While dragging, the cursor stays the one the drag began with.
    f.rb->MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 125);
    f.rb->MouseMove(Qt::LeftButton, Qt::NoModifier, 150, 125);
    EXPECT_EQ(f.rb->Cursor(), Qt::SizeHorCursor);
}

TEST(RubberBand, ForgetsAFreedChildAndDetachesWhenFreed)
{
    Frame f;
    delete f.child;
    EXPECT_EQ(f.rb->ChildLayer(), nullptr);
    f.Drag(150, 125, 160, 125);   // no child to move: must not touch freed memory
    EXPECT_EQ(f.rb->Location(), (TFloatRect{110, 100, 210, 150}));

    auto* other = new TPositionedLayer(&f.c);
    f.rb->SetChildLayer(other);
    delete f.rb;
    delete other;   // would tell the freed frame if it still watched
    EXPECT_EQ(f.c.Count(), 0);
}

TEST(RubberBand, AlwaysDropsTheNoUpdateBit)
{
    Frame f;
    f.rb->SetLayerOptions(0xB0000000u);
    EXPECT_EQ(f.rb->LayerOptions(), LOB_VISIBLE | LOB_MOUSE_EVENTS);
    f.rb->SetLayerOptions(0x10000000u);
    EXPECT_EQ(f.rb->LayerOptions(), 0u);
    // Released: the click goes through to the control below.
    f.child->SetMouseEvents(true);
    EXPECT_EQ(f.c.FindLayerAtPos(150, 125), f.child);
}

TEST(RubberBand, PaintsADashedOutlineAndHandles)
{
    TLayerCollection c;
    auto* rb = new TRubberbandLayer(&c);
    rb->SetLocation({10, 10, 40, 30});
    TBitmap32 buffer(60, 50);
    c.PaintTo(buffer);
    const QImage& img = buffer.Image();
    // Top edge from x 10: step 0.75 over three whites and three blacks; pixels 14 to 20 lie
    // between the corner handle and the middle one.
    std::vector<uint32_t> top;
    for (int x = 14; x <= 20; ++x)
        top.push_back(img.pixel(x, 10));
    EXPECT_EQ(top, (std::vector<uint32_t>{0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFFFFFFFFu,
                                          0xFFFFFFFFu, 0xFFFFFFFFu}));
    EXPECT_EQ(img.pixel(25, 20), 0u);                 // inside stays clear
    EXPECT_EQ(img.pixel(10, 20), 0xFFFFFFFFu);        // left handle's fill
    EXPECT_EQ(img.pixel(7, 17), 0xFF000000u);         // its border
    EXPECT_TRUE(rb->PaintedRect().contains(QRect(7, 7, 37, 27)));
}

TEST(RubberBand, HugeFramePaintsOnlyItsVisibleEdges)
{
    TLayerCollection c;
    auto* rb = new TRubberbandLayer(&c);
    rb->HandleSize = 0;
    rb->SetLocation({10, -1e8f, 1e8f, 1e8f});
    TBitmap32 buffer(40, 40);
    c.PaintTo(buffer);   // must not walk 400 million outline pixels
    int dashes = 0;
    for (int y = 0; y < 40; ++y)
        dashes += qAlpha(buffer.Image().pixel(10, y)) != 0;
    EXPECT_EQ(dashes, 40);
    EXPECT_EQ(buffer.Image().pixel(11, 5), 0u);
}
