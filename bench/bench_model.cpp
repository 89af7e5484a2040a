// The page of 1000 controls of every kind without the window: parsing the text, turning it into
// control layers (references applied, pictures from the cache), and writing it back as text.
#include "bench/BenchProject.h"

#include "canvas/Layers.h"
#include "document/PageXml.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int PageControls = 1000;

struct TModelSession {
    std::unique_ptr<bench::TBenchProject> Project = bench::MakeBenchProject(PageControls);
    TModelSession()
    {
        OSDControlFactory().SetProject(std::make_shared<TSkinProject>(Project->Folder));
        OSDControlFactory().ClearReferences();
        OSDControlFactory().LoadReferences(Project->Folder + QStringLiteral("references.xml"));
    }
    ~TModelSession()
    {
        OSDControlFactory().ClearReferences();
        OSDControlFactory().SetProject(nullptr);
    }
};

std::unique_ptr<TModelSession> GSession;

TModelSession& Session()
{
    if (!GSession)
        GSession = std::make_unique<TModelSession>();
    return *GSession;
}

int ReadPage(const std::string& text, TLayerCollection& layers)
{
    TJvSimpleXML doc;
    doc.LoadFromString(text);
    TWindowInfos infos;
    TUnreadItems unread;
    ReadPageDocument(&doc, infos, layers, unread, [](TItemLayer*) {});
    return layers.Count();
}

void BM_ParsePage(benchmark::State& state)
{
    const std::string& text = Session().Project->Page;
    for (auto _ : state) {
        TJvSimpleXML doc;
        doc.LoadFromString(text);
        benchmark::DoNotOptimize(doc.Root().ItemsIfAny());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParsePage)->Unit(benchmark::kMillisecond);

// Parse and create the controls; the layers are freed outside the timing.
void BM_LoadPage(benchmark::State& state)
{
    const std::string& text = Session().Project->Page;
    int count = 0;
    for (auto _ : state) {
        auto layers = std::make_unique<TLayerCollection>();
        count = ReadPage(text, *layers);
        state.PauseTiming();
        layers.reset();
        state.ResumeTiming();
    }
    state.counters["layers"] = count;
}
BENCHMARK(BM_LoadPage)->Unit(benchmark::kMillisecond);

// Build the page document from the layers and write its text.
void BM_SavePage(benchmark::State& state)
{
    TLayerCollection layers;
    ReadPage(Session().Project->Page, layers);
    TWindowInfos infos;
    const TUnreadItems unread;
    size_t bytes = 0;
    for (auto _ : state) {
        std::unique_ptr<TJvSimpleXML> doc = BuildPageDocument(infos, layers, PageFormatVersion, unread);
        bytes = doc->SaveToString().size();
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_SavePage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunBenchmarks<QGuiApplication>(argc, argv, [] { GSession.reset(); });
}
