// The editor's speed on a page of 1000 controls of every kind with pictures, through the main
// window: opening the page (parse, controls, first paint), one drag step of one control with the
// mouse (the frame moves it, only the changed area is repainted), and a full repaint to compare.
// Targets: opening within 100 ms, a drag step within 16 ms and at most a tenth of a full repaint.
#include "bench/BenchProject.h"

#include "canvas/ImageCanvas.h"
#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/MainForm.h"
#include "platform/ui/ScriptedDialogs.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/VideoControl.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int PageControls = 1000;

// One window for all benchmarks: the project is open, nothing else is shown.
struct TEditorSession {
    std::unique_ptr<bench::TBenchProject> Project = bench::MakeBenchProject(PageControls);
    QTemporaryDir SettingsDir;
    TScriptedDialogs Dialogs;
    TDialogsOverride Override{Dialogs};
    std::unique_ptr<TMainForm> Form;
    int PageIndex = -1;

    TEditorSession()
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

    // Opens the page as the Pages menu does and paints it once.
    void OpenPage()
    {
        Form->PageMenuClick(PageIndex);
        Form->ImgView()->repaint();
    }
    TImageCanvas& Canvas() { return Form->ImgView()->Canvas(); }
};

// Made on first use (after the application) and ended before the application ends.
std::unique_ptr<TEditorSession> GSession;

TEditorSession& Session()
{
    if (!GSession)
        GSession = std::make_unique<TEditorSession>();
    return *GSession;
}

void ShowPage(benchmark::State& state, TEditorSession& s)
{
    state.counters["layers"] = s.Form->Layers().Count();
    state.counters["kinds"] = static_cast<double>(s.Project->Kinds.size());
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
    s.OpenPage();
    for (auto _ : state) {
        state.PauseTiming();
        s.Form->ClearPage();
        QApplication::processEvents();
        state.ResumeTiming();
        s.OpenPage();
    }
    ShowPage(state, s);
}
BENCHMARK(BM_OpenPage)->Unit(benchmark::kMillisecond)->UseRealTime();

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
        s.OpenPage();
    }
    ShowPage(state, s);
}
BENCHMARK(BM_OpenPageCold)->Unit(benchmark::kMillisecond)->UseRealTime();

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
void BM_DragStep(benchmark::State& state)
{
    TEditorSession& s = Session();
    s.OpenPage();
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
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole canvas invalidated and repainted by the event loop, as after a bitmap change.
void BM_FullRepaint(benchmark::State& state)
{
    TEditorSession& s = Session();
    s.OpenPage();
    QApplication::processEvents();
    int64_t painted = 0, steps = 0;
    for (auto _ : state) {
        s.Canvas().Invalidate();
        QApplication::processEvents();
        painted += s.Canvas().LastPaintedLayers();
        ++steps;
    }
    if (!s.Canvas().DirtyRect().isEmpty())
        state.SkipWithError("the canvas was not repainted");
    state.counters["layers_painted"] = double(painted) / double(std::max<int64_t>(steps, 1));
    ShowPage(state, s);
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// The canvas alone, without the widget and the event loop: what the two above spend painting.
void BM_CanvasFullRender(benchmark::State& state)
{
    TEditorSession& s = Session();
    s.OpenPage();
    for (auto _ : state) {
        s.Canvas().Invalidate();
        benchmark::DoNotOptimize(s.Canvas().Render());
    }
    QApplication::processEvents();
}
BENCHMARK(BM_CanvasFullRender)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CanvasDragRender(benchmark::State& state)
{
    TEditorSession& s = Session();
    s.OpenPage();
    TItemLayer* control = FreeControl(s.Form->Layers());
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
BENCHMARK(BM_CanvasDragRender)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunBenchmarks<QApplication>(argc, argv, [] { GSession.reset(); });
}
