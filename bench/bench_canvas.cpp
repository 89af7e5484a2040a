// A page of 1000 layers in a 1280 by 720 view: a full repaint against one drag step, which
// repaints only the old and new area of the dragged layer.
#include "canvas/Checkerboard.h"
#include "canvas/ImageCanvas.h"
#include "canvas/RubberBand.h"
#include "tests/support/BoxLayer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TImageCanvas> MakePage()
{
    auto canvas = std::make_unique<TImageCanvas>();
    canvas->SetCanvasSize(1280, 720);
    canvas->PaintStages[0].Stage = PST_CUSTOM;
    canvas->OnPaintStage = [](TBitmap32& b, int) { PaintCheckerboard(b); };
    for (int i = 0; i < 1000; ++i) {
        const float x = static_cast<float>((i * 37) % 1200), y = static_cast<float>((i * 53) % 660);
        new TBoxLayer(&canvas->Layers(), {x, y, x + 80, y + 60}, 0xFF000000u | (i * 2654435761u >> 8));
    }
    canvas->Render();
    return canvas;
}

void BM_FullRepaint(benchmark::State& state)
{
    auto canvas = MakePage();
    for (auto _ : state) {
        canvas->Invalidate();
        benchmark::DoNotOptimize(canvas->Render());
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_DragStepOneLayer(benchmark::State& state)
{
    auto canvas = MakePage();
    auto* layer = static_cast<TPositionedLayer*>(canvas->Layers().Items(500));
    float dx = 1;
    for (auto _ : state) {
        TFloatRect r = layer->Location();
        r.Left += dx;
        r.Right += dx;
        dx = -dx;
        layer->SetLocation(r);
        benchmark::DoNotOptimize(canvas->Render());
    }
}
BENCHMARK(BM_DragStepOneLayer)->Unit(benchmark::kMicrosecond);

// The same through the frame: a mouse step moves the frame and its child.
void BM_DragStepWithFrame(benchmark::State& state)
{
    auto canvas = MakePage();
    auto* child = static_cast<TPositionedLayer*>(canvas->Layers().Items(500));
    auto* frame = new TRubberbandLayer(&canvas->Layers());
    frame->SetChildLayer(child);
    canvas->Render();
    const TFloatRect r = child->Location();
    const float x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    canvas->MouseDown(Qt::LeftButton, Qt::NoModifier, x, y);
    float dx = 1;
    for (auto _ : state) {
        canvas->MouseMove(Qt::LeftButton, Qt::NoModifier, x + dx, y);
        dx = dx > 0 ? 0 : 1;
        benchmark::DoNotOptimize(canvas->Render());
    }
    canvas->MouseUp(Qt::LeftButton, Qt::NoModifier, x, y);
}
BENCHMARK(BM_DragStepWithFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
