// The editor's speed on pages of 1,000 and 5,000 controls of every kind with pictures, through the
// main window with the inspector and the element list shown: opening the page (parse, controls,
// first paint), one drag step of one control with the mouse (the frame moves it, only the changed
// area is repainted), a click that selects a control and a Del that deletes one (each until the
// event loop is idle), and a full repaint to compare. Targets: opening 1,000 controls within
// 100 ms; a drag step, a select click and a delete within 16 ms and at most a tenth of a full
// repaint of the same page (counter ratio_to_full_repaint).
#include "bench/BenchProject.h"

#include "canvas/ImageCanvas.h"
#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/MainForm.h"
#include "editor/tools/ElementList.h"
#include "platform/ui/ScriptedDialogs.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/VideoControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>

#include <chrono>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <stdexcept>

namespace {

constexpr int PageControls = 1000;

// One window at a time: the project is open, the page's tool windows are shown.
struct TEditorSession {
    explicit TEditorSession(int controls)
        : Controls(controls)
        , Project(bench::MakeBenchProject(controls))
    {
        Form = std::make_unique<TMainForm>(SettingsDir.path() + QStringLiteral("/varnholt.ini"));
        // Large enough to show the whole 1280 by 720 canvas: every repaint reaches the screen.
        Form->resize(1700, 1100);
        Form->show();
        Form->FirstActivate();
        QApplication::processEvents();
        if (!Form->OpenProject(Project->Folder))
            throw std::runtime_error("the generated project was refused");
        for (int i = 0; i < Form->PageList().size(); ++i)
            if (Form->PageList()[i] == Project->PagePath)
                PageIndex = i;
        if (PageIndex < 0)
            throw std::runtime_error("the generated page is not listed");
    }
    ~TEditorSession() { Form.reset(); }

    // Opens the page as the Pages menu does and paints it once; false when the page as written
    // is not what the canvas shows. The changes a benchmark made (a drag, deletes) are discarded
    // at the question, or the editor would keep the changed page and every later benchmark would
    // start from what was left of it.
    bool OpenPage()
    {
        if (Form->Modified())
            Dialogs.AnswerMessage(QMessageBox::No);
        Form->PageMenuClick(PageIndex);
        const bool asked = Dialogs.Pending() == 0 && Dialogs.Unexpected().empty();
        // Its record of calls would grow with every page opened.
        Dialogs.Reset();
        Form->ImgView()->repaint();
        // The controls and the video window.
        return asked && !Form->Modified() && Form->Layers().Count() == Controls + 1;
    }
    TImageCanvas& Canvas() { return Form->ImgView()->Canvas(); }

    int Controls;
    std::unique_ptr<bench::TBenchProject> Project;
    QTemporaryDir SettingsDir;
    TScriptedDialogs Dialogs;
    TDialogsOverride Override{Dialogs};
    std::unique_ptr<TMainForm> Form;
    int PageIndex = -1;
};

// Made on first use (after the application) and ended before the application ends; a page of
// another size ends the one before.
std::unique_ptr<TEditorSession> GSession;

TEditorSession& Session(int controls = PageControls)
{
    if (!GSession || GSession->Controls != controls) {
        GSession.reset();
        GSession = std::make_unique<TEditorSession>(controls);
    }
    return *GSession;
}

void ShowPage(benchmark::State& state, TEditorSession& s)
{
    state.counters["layers"] = s.Form->Layers().Count();
    state.counters["kinds"] = static_cast<double>(s.Project->Kinds.size());
}

// Opens the page; a benchmark that cannot have it as written stops with an error.
bool OpenPage(benchmark::State& state, TEditorSession& s)
{
    if (s.OpenPage())
        return true;
    state.SkipWithError("the page was not opened as written");
    return false;
}

void SendMouse(QWidget* view, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, view->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

// Opening with the pictures already decoded (a page opened again in the same run).
void BM_OpenPage(benchmark::State& state)
{
    TEditorSession& s = Session();
    if (!OpenPage(state, s))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        s.Form->ClearPage();
        QApplication::processEvents();
        state.ResumeTiming();
        if (!OpenPage(state, s))
            return;
    }
    ShowPage(state, s);
}

// Opening right after start: every picture is decoded.
void BM_OpenPageCold(benchmark::State& state)
{
    TEditorSession& s = Session();
    for (auto _ : state) {
        state.PauseTiming();
        s.Form->ClearPage();
        QApplication::processEvents();
        OSDControlFactory().Project().Pictures().Clear();
        state.ResumeTiming();
        if (!OpenPage(state, s))
            return;
    }
    ShowPage(state, s);
}

// The topmost control whose centre no other layer covers, so a press there reaches it and its frame.
TItemLayer* FreeControl(TLayerCollection& layers)
{
    for (int i = layers.Count() - 1; i >= 0; --i) {
        auto* control = dynamic_cast<TItemLayer*>(layers.Items(i));
        if (!control || dynamic_cast<TOSDVideoControl*>(control))
            continue;
        const TFloatRect r = control->Location();
        if (layers.FindLayerAtPos((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2) == control)
            return control;
    }
    return nullptr;
}

// One mouse step of a drag: the event moves the frame and the control, the event loop repaints.
// `sortedList`: with the element list sorted by identifier.
void DragSteps(benchmark::State& state, bool sortedList)
{
    TEditorSession& s = Session();
    TfrmObjects* list = ElementList(*s.Form);
    if (list && list->Sorted() != sortedList)
        list->mnuSortbyID->trigger();
    // The benchmarks after this one see the list unsorted.
    const auto unsort = qScopeGuard([list] {
        if (list && list->Sorted())
            list->mnuSortbyID->trigger();
    });
    if (!OpenPage(state, s))
        return;
    TImgView32* view = s.Form->ImgView();
    TItemLayer* control = FreeControl(s.Form->Layers());
    if (!control) {
        state.SkipWithError("no free control");
        return;
    }
    const TFloatRect r = control->Location();
    const QPointF centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    // The first click selects the control, the second grabs its frame.
    for (int click = 0; click < 2; ++click) {
        SendMouse(view, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        if (click == 0)
            SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    }
    if (s.Form->Selected() != control || !s.Form->RubberBand() || !s.Form->RubberBand()->IsDragging()) {
        state.SkipWithError("the control was not grabbed");
        return;
    }
    QApplication::processEvents();
    int64_t painted = 0, area = 0, steps = 0;
    double dx = 4;
    for (auto _ : state) {
        SendMouse(view, QEvent::MouseMove, centre + QPointF(dx, 0), Qt::NoButton, Qt::LeftButton);
        area += int64_t(s.Canvas().DirtyRect().width()) * s.Canvas().DirtyRect().height();
        QApplication::processEvents();
        painted += s.Canvas().LastPaintedLayers();
        ++steps;
        dx = dx > 0 ? 0 : 4;
    }
    SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    if (!s.Canvas().DirtyRect().isEmpty())
        state.SkipWithError("the step was not repainted");
    state.counters["layers_painted"] = double(painted) / double(std::max<int64_t>(steps, 1));
    state.counters["dirty_px"] = double(area) / double(std::max<int64_t>(steps, 1));
    ShowPage(state, s);
}

void BM_DragStep(benchmark::State& state)
{
    DragSteps(state, false);
}

void BM_DragStepSortedList(benchmark::State& state)
{
    DragSteps(state, true);
}

using TClock = std::chrono::steady_clock;

double Milliseconds(TClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The full repaint of each page size as measured in this run (ms): by BM_FullRepaint, or by the
// first benchmark compared with it when that one runs alone.
std::map<int, double> GFullRepaintMs;

// The whole canvas invalidated and repainted by the event loop, as after a bitmap change.
TClock::duration RepaintWhole(TEditorSession& s)
{
    const TClock::time_point start = TClock::now();
    s.Canvas().Invalidate();
    QApplication::processEvents();
    return TClock::now() - start;
}

// The repaint the ratios below are over.
void BM_FullRepaint(benchmark::State& state)
{
    TEditorSession& s = Session(int(state.range(0)));
    if (!OpenPage(state, s))
        return;
    QApplication::processEvents();
    int64_t painted = 0, steps = 0;
    TClock::duration spent{};
    for (auto _ : state) {
        spent += RepaintWhole(s);
        painted += s.Canvas().LastPaintedLayers();
        ++steps;
    }
    if (!s.Canvas().DirtyRect().isEmpty())
        state.SkipWithError("the canvas was not repainted");
    GFullRepaintMs[s.Controls] = Milliseconds(spent) / double(std::max<int64_t>(steps, 1));
    state.counters["layers_painted"] = double(painted) / double(std::max<int64_t>(steps, 1));
    ShowPage(state, s);
}

// Opens the page and, unless this run has measured it already, the full repaint of the page as
// written that the benchmark is compared with.
bool OpenPageAndFullRepaint(benchmark::State& state, TEditorSession& s)
{
    if (!OpenPage(state, s))
        return false;
    QApplication::processEvents();
    if (GFullRepaintMs.count(s.Controls))
        return true;
    TClock::duration spent{};
    int steps = 0;
    // A few repaints on a slow machine, a steadier mean on a fast one.
    while (steps < 3 || (spent < std::chrono::milliseconds(200) && steps < 100)) {
        spent += RepaintWhole(s);
        ++steps;
    }
    if (!s.Canvas().DirtyRect().isEmpty()) {
        state.SkipWithError("the canvas was not repainted");
        return false;
    }
    GFullRepaintMs[s.Controls] = Milliseconds(spent) / steps;
    return true;
}

// Its time per step over the full repaint of the same page.
void ReportRatio(benchmark::State& state, const TEditorSession& s, TClock::duration spent, int64_t steps)
{
    const double ms = Milliseconds(spent) / double(std::max<int64_t>(steps, 1));
    const auto full = GFullRepaintMs.find(s.Controls);
    if (full == GFullRepaintMs.end() || full->second <= 0) {
        state.SkipWithError("no full repaint of the same page to compare with");
        return;
    }
    state.counters["ms_per_step"] = ms;
    state.counters["ratio_to_full_repaint"] = ms / full->second;
}

// The topmost controls whose centres no other layer covers, so a press there reaches them.
std::vector<TItemLayer*> FreeControls(TLayerCollection& layers, size_t wanted)
{
    std::vector<TItemLayer*> found;
    for (int i = layers.Count() - 1; i >= 0 && found.size() < wanted; --i) {
        auto* control = dynamic_cast<TItemLayer*>(layers.Items(i));
        if (!control || dynamic_cast<TOSDVideoControl*>(control))
            continue;
        const TFloatRect r = control->Location();
        if (layers.FindLayerAtPos((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2) == control)
            found.push_back(control);
    }
    return found;
}

// A click that selects a control, from the press until the event loop is idle: the frame moves,
// the inspector shows the control, the element list selects its line.
void BM_SelectClick(benchmark::State& state)
{
    TEditorSession& s = Session(int(state.range(0)));
    if (!OpenPageAndFullRepaint(state, s))
        return;
    s.Form->SetSelection(nullptr);
    QApplication::processEvents();
    TImgView32* view = s.Form->ImgView();
    const std::vector<TItemLayer*> controls = FreeControls(s.Form->Layers(), 2);
    if (controls.size() < 2) {
        state.SkipWithError("no two free controls");
        return;
    }
    TClock::duration spent{};
    int64_t painted = 0, steps = 0;
    for (auto _ : state) {
        TItemLayer* control = controls[size_t(steps % 2)];
        const TFloatRect r = control->Location();
        const QPointF centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        const TClock::time_point start = TClock::now();
        SendMouse(view, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
        spent += TClock::now() - start;
        painted += s.Canvas().LastPaintedLayers();
        if (s.Form->Selected() != control) {
            state.SkipWithError("the click did not select the control");
            return;
        }
        ++steps;
    }
    state.counters["layers_painted"] = double(painted) / double(std::max<int64_t>(steps, 1));
    ReportRatio(state, s, spent, steps);
    ShowPage(state, s);
}

// The Del key on the selected control, until the event loop is idle: the control's area is
// repainted, its line leaves the element list, the inspector shows the page settings.
void BM_Delete(benchmark::State& state)
{
    TEditorSession& s = Session(int(state.range(0)));
    if (!OpenPageAndFullRepaint(state, s))
        return;
    s.Form->ImgView()->setFocus();
    s.Form->SetMouseInView(true);
    TClock::duration spent{};
    int64_t painted = 0, steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<TItemLayer*> top = FreeControls(s.Form->Layers(), 1);
        // Deleting empties the page: it is opened again when half of it is gone or no control's
        // centre is free, however many deletes the library asks for.
        if (top.empty() || s.Form->Layers().Count() < s.Controls / 2) {
            if (!OpenPage(state, s))
                return;
            s.Form->ImgView()->setFocus();
            s.Form->SetMouseInView(true);
            top = FreeControls(s.Form->Layers(), 1);
        }
        if (top.empty()) {
            state.SkipWithError("no free control");
            return;
        }
        s.Form->SetSelection(top.front());
        QApplication::processEvents();
        const int before = s.Form->Layers().Count();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : s.Form.get();
        state.ResumeTiming();
        const TClock::time_point start = TClock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
        QApplication::processEvents();
        spent += TClock::now() - start;
        painted += s.Canvas().LastPaintedLayers();
        if (s.Form->Layers().Count() != before - 2) {
            state.SkipWithError("Del did not delete the control");
            return;
        }
        ++steps;
    }
    state.counters["layers_painted"] = double(painted) / double(std::max<int64_t>(steps, 1));
    ReportRatio(state, s, spent, steps);
    ShowPage(state, s);
}

// The canvas alone, without the widget and the event loop: what the two above spend painting.
void BM_CanvasFullRender(benchmark::State& state)
{
    TEditorSession& s = Session();
    if (!OpenPage(state, s))
        return;
    for (auto _ : state) {
        s.Canvas().Invalidate();
        benchmark::DoNotOptimize(s.Canvas().Render());
    }
    QApplication::processEvents();
}

void BM_CanvasDragRender(benchmark::State& state)
{
    TEditorSession& s = Session();
    if (!OpenPage(state, s))
        return;
    TItemLayer* control = FreeControl(s.Form->Layers());
    if (!control) {
        state.SkipWithError("no free control");
        return;
    }
    s.Form->SetSelection(control);
    s.Canvas().Render();
    const TFloatRect r = control->Location();
    const float x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    s.Canvas().MouseDown(Qt::LeftButton, Qt::NoModifier, x, y);
    float dx = 4;
    for (auto _ : state) {
        s.Canvas().MouseMove(Qt::LeftButton, Qt::NoModifier, x + dx, y);
        benchmark::DoNotOptimize(s.Canvas().Render());
        dx = dx > 0 ? 0 : 4;
    }
    s.Canvas().MouseUp(Qt::LeftButton, Qt::NoModifier, x, y);
    QApplication::processEvents();
}

// In this order: each page size is made once, and in a whole run the ratios use the full repaint
// that its own benchmark measured.
BENCHMARK(BM_OpenPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenPageCold)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DragStepSortedList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CanvasFullRender)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CanvasDragRender)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRepaint)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectClick)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Delete)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRepaint)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectClick)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Delete)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunBenchmarks<QApplication>(argc, argv, [] { GSession.reset(); });
}
