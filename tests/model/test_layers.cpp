#include "canvas/Layers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A positioned layer that records its life and its paints.
class TProbeLayer : public TPositionedLayer {
public:
    TProbeLayer(TLayerCollection* c, std::vector<std::string>* log, std::string name,
                TFloatRect r = {0, 0, 10, 10})
        : TPositionedLayer(c), FLog(log), FName(std::move(name))
    {
        SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
        SetLocation(r);
    }
    ~TProbeLayer() override
    {
        if (FLog)
            FLog->push_back("free " + FName);
    }
    void Paint(TBitmap32& buffer) override
    {
        if (FLog)
            FLog->push_back("paint " + FName);
        if (!Report.isNull())
            buffer.Changed(Report);
    }
    QRect Report;

private:
    std::vector<std::string>* FLog;
    std::string FName;
};

std::vector<std::string> Names(const TLayerCollection& c)
{
    std::vector<std::string> out;
    for (int i = 0; i < c.Count(); ++i)
        out.push_back(static_cast<const char*>(c.Items(i)->Tag));
    return out;
}

// Four layers a, b, c, d from back to front, tagged with their names.
struct Stack {
    TLayerCollection c;
    TCustomLayer* a = Add("a");
    TCustomLayer* b = Add("b");
    TCustomLayer* cc = Add("c");
    TCustomLayer* d = Add("d");
    TCustomLayer* Add(const char* name)
    {
        auto* l = new TPositionedLayer(&c);
        l->Tag = const_cast<char*>(name);
        return l;
    }
};

} // namespace

TEST(RoundRect, HalvesGoToEven)
{
    struct Case { float v; int want; };
    const Case cases[] = {{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {3.5f, 4}, {-0.5f, 0}, {-1.5f, -2},
                          {-2.5f, -2}, {0.49f, 0}, {0.51f, 1}, {7.0f, 7}};
    for (const Case& k : cases) {
        const QRect r = RoundRect({k.v, k.v, k.v + 10.0f, k.v});
        EXPECT_EQ(r.left(), k.want) << k.v;
        EXPECT_EQ(r.top(), k.want) << k.v;
    }
    // Each edge rounds on its own: 0.5..2.5 is 0..2, not 0 + Round(2.0).
    EXPECT_EQ(RoundRect({0.5f, 1.5f, 2.5f, 3.5f}), QRect(QPoint(0, 2), QPoint(1, 3)));
}

TEST(RoundRect, HugeAndInvertedEdgesStaySane)
{
    const QRect big = RoundRect({-1e30f, -1e30f, 1e30f, 1e30f});
    EXPECT_EQ(big.left(), -1000000000);
    EXPECT_EQ(big.width(), 2000000000);
    const QRect inv = RoundRect({10, 10, 5, 5});
    EXPECT_EQ(inv.width(), -5);
    EXPECT_TRUE(inv.isEmpty());
}

TEST(Layers, CollectionFreesItsLayers)
{
    std::vector<std::string> log;
    {
        TLayerCollection c;
        new TProbeLayer(&c, &log, "a");
        new TProbeLayer(&c, &log, "b");
        EXPECT_EQ(c.Count(), 2);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"free b", "free a"}));
}

TEST(Layers, EveryWayOfDeletingDetachesAndFrees)
{
    std::vector<std::string> log;
    // Addresses only: the layers are gone when they are compared.
    std::vector<uintptr_t> removed;
    TLayerCollection c;
    TLayerCallbacks told(c);
    told.OnLayerRemoved = [&](TCustomLayer* l) { removed.push_back(reinterpret_cast<uintptr_t>(l)); };
    int listNotes = 0;
    told.OnListNotify = [&] { ++listNotes; };

    auto* a = new TProbeLayer(&c, &log, "a");
    auto* b = new TProbeLayer(&c, &log, "b");
    auto* d = new TProbeLayer(&c, &log, "d");
    auto* e = new TProbeLayer(&c, &log, "e");
    EXPECT_EQ(listNotes, 4);

    const std::vector<uintptr_t> expected = {reinterpret_cast<uintptr_t>(b), reinterpret_cast<uintptr_t>(a),
                                             reinterpret_cast<uintptr_t>(e), reinterpret_cast<uintptr_t>(d)};
    delete b;                 // the layer's own destructor
    EXPECT_EQ(c.Count(), 3);
    c.Delete(0);              // by index: a
    c.Remove(e);              // by pointer
    c.Delete(7);              // out of range: nothing
    c.Remove(nullptr);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Items(0), d);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"free b", "free a", "free e", "free d"}));
    EXPECT_EQ(removed, expected);
    EXPECT_EQ(listNotes, 8);
}

TEST(Layers, LayerWithoutCollectionBelongsToItsCreator)
{
    TLayerCollection c;
    TPositionedLayer part(nullptr);
    EXPECT_EQ(part.LayerCollection(), nullptr);
    EXPECT_EQ(part.Index(), -1);
    part.SetIndex(3);
    part.BringToFront();
    part.Changed();   // no collection: nothing to tell
    EXPECT_EQ(c.Count(), 0);
    c.Remove(&part);  // not ours: must not be freed
    EXPECT_EQ(part.Index(), -1);
}

TEST(Layers, RemoveIgnoresAnotherCollectionsLayer)
{
    TLayerCollection c1, c2;
    auto* l = new TPositionedLayer(&c1);
    c2.Remove(l);
    EXPECT_EQ(c1.Count(), 1);
}

TEST(Layers, StackingOperations)
{
    struct Case {
        const char* what;
        void (*op)(Stack&);
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"front to front", [](Stack& s) { s.d->BringToFront(); }, {"a", "b", "c", "d"}},
        {"back to front", [](Stack& s) { s.a->BringToFront(); }, {"b", "c", "d", "a"}},
        {"middle to front", [](Stack& s) { s.b->BringToFront(); }, {"a", "c", "d", "b"}},
        {"back to back", [](Stack& s) { s.a->SendToBack(); }, {"a", "b", "c", "d"}},
        {"front to back", [](Stack& s) { s.d->SendToBack(); }, {"d", "a", "b", "c"}},
        {"one forward", [](Stack& s) { s.b->SetIndex(s.b->Index() + 1); }, {"a", "c", "b", "d"}},
        {"one back", [](Stack& s) { s.cc->SetIndex(s.cc->Index() - 1); }, {"a", "c", "b", "d"}},
        {"one forward at top", [](Stack& s) { s.d->SetIndex(s.d->Index() + 1); }, {"a", "b", "c", "d"}},
        {"one back at bottom", [](Stack& s) { s.a->SetIndex(s.a->Index() - 1); }, {"a", "b", "c", "d"}},
        {"far beyond top", [](Stack& s) { s.a->SetIndex(99); }, {"b", "c", "d", "a"}},
        {"new layer on top", [](Stack& s) { s.Add("e"); }, {"a", "b", "c", "d", "e"}},
    };
    for (const Case& k : cases) {
        Stack s;
        k.op(s);
        EXPECT_EQ(Names(s.c), k.want) << k.what;
    }
}

TEST(Layers, ReorderNotifiesOnlyWhenSomethingMoves)
{
    Stack s;
    int notes = 0;
    TLayerCallbacks told(s.c);
    told.OnListNotify = [&] { ++notes; };
    s.d->BringToFront();
    s.a->SendToBack();
    EXPECT_EQ(notes, 0);
    s.a->BringToFront();
    EXPECT_EQ(notes, 1);
    EXPECT_EQ(s.a->Index(), 3);
}

TEST(Layers, FindLayerAtPosTakesTopmostVisibleWithMouseEvents)
{
    std::vector<std::string> log;   // outlives the collection, which logs the frees
    TLayerCollection c;
    auto* bottom = new TProbeLayer(&c, &log, "bottom", {0, 0, 100, 100});
    auto* hidden = new TProbeLayer(&c, &log, "hidden", {0, 0, 100, 100});
    auto* deaf = new TProbeLayer(&c, &log, "deaf", {0, 0, 100, 100});
    auto* small = new TProbeLayer(&c, &log, "small", {10, 10, 20, 20});
    hidden->SetVisible(false);
    deaf->SetMouseEvents(false);

    struct Case { float x, y; TCustomLayer* want; };
    const Case cases[] = {
        {15, 15, small}, {10, 10, small}, {19.9f, 19.9f, small}, {20, 20, bottom},
        {50, 50, bottom}, {0, 0, bottom}, {100, 50, nullptr}, {-1, 5, nullptr}};
    for (const Case& k : cases)
        EXPECT_EQ(c.FindLayerAtPos(k.x, k.y), k.want) << k.x << "," << k.y;

    // Visible but without mouse events: found only with another mask.
    EXPECT_EQ(c.FindLayerAtPos(50, 50, LOB_VISIBLE), deaf);
    bottom->SetVisible(false);
    EXPECT_EQ(c.FindLayerAtPos(50, 50), nullptr);
    (void)hidden;
}

TEST(Layers, InvertedLocationIsNeverHit)
{
    TLayerCollection c;
    auto* l = new TPositionedLayer(&c);
    l->SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
    l->SetLocation({50, 50, -50, 60});
    EXPECT_EQ(c.FindLayerAtPos(0, 55), nullptr);
}

TEST(Layers, AdjustedLocationAddsTheViewportOffset)
{
    TLayerCollection c;
    auto* l = new TPositionedLayer(&c);
    l->SetLocation({1.5f, 2, 11.5f, 12});
    EXPECT_EQ(l->GetAdjustedLocation(), (TFloatRect{1.5f, 2, 11.5f, 12}));
    c.ViewportOffset = QPointF(10, -2);
    EXPECT_EQ(l->GetAdjustedLocation(), (TFloatRect{11.5f, 0, 21.5f, 10}));
    EXPECT_TRUE(l->HitTest(12, 0));
    EXPECT_FALSE(l->HitTest(2, 2));
}

TEST(Layers, ChangedReportsTheLayerUnlessNoUpdate)
{
    TLayerCollection c;
    auto* l = new TPositionedLayer(&c);
    std::vector<TCustomLayer*> changed;
    TLayerCallbacks told(c);
    told.OnLayerChanged = [&](TCustomLayer* x) { changed.push_back(x); };

    l->SetLocation({0, 0, 5, 5});
    l->SetMouseEvents(true);
    l->SetMouseEvents(true);               // no change, no report
    EXPECT_EQ(changed.size(), 2u);

    l->SetLayerOptions(LOB_VISIBLE | LOB_NO_UPDATE);
    changed.clear();
    l->SetLocation({1, 1, 5, 5});
    EXPECT_TRUE(changed.empty());
    // Hiding is reported even under no-update, or the layer would stay on screen.
    l->SetLayerOptions(LOB_NO_UPDATE);
    EXPECT_EQ(changed, std::vector<TCustomLayer*>{l});
}

TEST(Layers, ChangedAreaIsOldPaintPlusNewBounds)
{
    std::vector<std::string> log;   // outlives the collection, which logs the frees
    TLayerCollection c;
    auto* l = new TProbeLayer(&c, &log, "l", {10, 10, 20, 20});
    TBitmap32 buffer(200, 200);
    c.PaintTo(buffer);
    EXPECT_EQ(l->PaintedRect(), QRect(QPoint(9, 9), QPoint(20, 20)));

    l->SetLocation({100.5f, 50, 110.5f, 60});
    EXPECT_EQ(l->PaintBounds(), QRect(QPoint(99, 49), QPoint(111, 60)));
    EXPECT_EQ(l->ChangedArea(), QRect(QPoint(9, 9), QPoint(111, 60)));

    // What the layer reports while painting counts as painted too.
    l->Report = QRect(150, 150, 10, 10);
    c.PaintTo(buffer);
    EXPECT_EQ(l->PaintedRect(), QRect(QPoint(99, 49), QPoint(159, 159)));

    // Hidden: nothing of it is on screen after the next paint.
    l->SetVisible(false);
    c.PaintTo(buffer);
    EXPECT_TRUE(l->PaintedRect().isEmpty());
}

TEST(Layers, ClippedPaintSkipsLayersOutsideTheClip)
{
    std::vector<std::string> log;   // outlives the collection, which logs the frees
    TLayerCollection c;
    new TProbeLayer(&c, &log, "a", {0, 0, 10, 10});
    new TProbeLayer(&c, &log, "b", {50, 50, 60, 60});
    auto* hidden = new TProbeLayer(&c, &log, "h", {0, 0, 100, 100});
    new TProbeLayer(&c, &log, "c", {5, 5, 55, 55});
    hidden->SetVisible(false);
    TBitmap32 buffer(100, 100);
    log.clear();
    c.PaintTo(buffer, QRect(0, 0, 20, 20));
    EXPECT_EQ(log, (std::vector<std::string>{"paint a", "paint c"}));
    log.clear();
    c.PaintTo(buffer);
    EXPECT_EQ(log, (std::vector<std::string>{"paint a", "paint b", "paint c"}));
}

TEST(Layers, FreeNotificationTellsTheWatcher)
{
    struct TWatcher : TCustomLayer {
        using TCustomLayer::TCustomLayer;
        std::vector<TCustomLayer*> gone;
        void Notification(TCustomLayer* l) override { gone.push_back(l); }
    };
    TLayerCollection c;
    auto* w = new TWatcher(&c);
    auto* a = new TPositionedLayer(&c);
    auto* b = new TPositionedLayer(&c);
    a->AddNotification(w);
    b->AddNotification(w);
    b->RemoveNotification(w);
    delete a;
    delete b;
    EXPECT_EQ(w->gone, std::vector<TCustomLayer*>{a});

    // The watcher going first leaves no dangling entry behind.
    auto* d = new TPositionedLayer(&c);
    d->AddNotification(w);
    delete w;
    delete d;
    EXPECT_EQ(c.Count(), 0);
}

TEST(Layers, BaseMouseEventsCallTheHandlers)
{
    TLayerCollection c;
    auto* l = new TPositionedLayer(&c);
    std::vector<std::string> calls;
    l->OnMouseDown = [&](TCustomLayer* s, Qt::MouseButton b, Qt::KeyboardModifiers, float x, float y) {
        EXPECT_EQ(s, l);
        EXPECT_EQ(b, Qt::LeftButton);
        calls.push_back("down " + std::to_string(int(x)) + "," + std::to_string(int(y)));
    };
    l->OnMouseUp = [&](TCustomLayer*, Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
        calls.push_back("up");
    };
    l->MouseDown(Qt::LeftButton, Qt::NoModifier, 3, 4);
    l->MouseMove(Qt::LeftButton, Qt::NoModifier, 5, 6);   // no handler: nothing
    l->MouseUp(Qt::LeftButton, Qt::NoModifier, 5, 6);
    EXPECT_EQ(calls, (std::vector<std::string>{"down 3,4", "up"}));
}
