// Cost of the drawing aids on a canvas-sized buffer: text into a rectangle, a label whatever the
// length of its text, and a filled, outlined ellipse.
#include "bench/BenchProject.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/draw/GdiText.h"
#include "skinmodel/draw/RenderText.h"
#include "skinmodel/draw/Shapes.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_RenderTextRect(benchmark::State& state)
{
    TBitmap32 b(800, 600);
    b.Font.Name = "Tahoma";
    b.Font.Height = -14;
    const int level = int(state.range(0));
    for (auto _ : state) {
        RenderTextRect(b, QRect(100, 100, 300, 24), DT_CENTER | DT_VCENTER | 0x48020u, "Now playing: Track 01", level,
                       0xFFFFFFFFu);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderTextRect)->Arg(0)->Arg(2);

// A label of 100 by 24 pixels whose text is state.range(0) bytes of words: only what fits is drawn,
// so the paint should cost the same whatever the length.
void BM_PaintLabel(benchmark::State& state)
{
    const std::string words = "Now playing: the long title of track 01 by some band, ";
    std::string text;
    text.reserve(size_t(state.range(0)));
    while (text.size() < size_t(state.range(0)))
        text += words;
    text.resize(size_t(state.range(0)));
    TTextLayer label(nullptr);
    label.SetX(100);
    label.SetY(100);
    label.SetWidth(100);
    label.SetHeight(24);
    label.SetLabelText(text);
    text = std::string();
    TBitmap32 b(800, 600);
    for (auto _ : state) {
        label.Paint(b);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintLabel)->Arg(1 << 10)->Arg(1 << 20)->Arg(100 << 20)->Unit(benchmark::kMicrosecond);

void BM_DrawShapeEllipse(benchmark::State& state)
{
    TBitmap32 b(800, 600);
    const TShapeLineStyle line{0xFF000000u, 2 * FixedOne, 1.0f};
    const TShapeFillStyle fill{0xC0FF8000u, false};
    for (auto _ : state) {
        DrawShapeEllipse(b, FixedRectFromRect(QRect(100, 100, 200, 100)), line, fill, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawShapeEllipse);

} // namespace

int main(int argc, char** argv)
{
    return bench::RunBenchmarks<QGuiApplication>(argc, argv, [] {});
}
