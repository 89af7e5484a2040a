// Reading a ~10 MB page file into a tree and writing it back, next to pugixml and tinyxml2.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdlib>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

// Counted only while the memory benchmark reads, so the timed runs pay nothing for it.
bool gCounting = false;
size_t gAllocated = 0;
size_t gAllocations = 0;

}  // namespace

void* operator new(size_t size)
{
    if (gCounting) {
        gAllocated += size;
        ++gAllocations;
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

// A skin page as the editor writes it: thousands of items with about fifteen values each.
const std::string& PageText()
{
    static const std::string text = [] {
        TJvSimpleXML doc;
        doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
        TJvSimpleXMLElem& root = doc.Root();
        root.SetName("screen");
        root.Properties().Add("default", "0");
        root.Properties().Add("allowoverlay", "false");
        root.Properties().Add("hasbg", "true");
        root.Properties().Add("version", "Kestralon OSDSkin 1.1");
        TJvSimpleXMLElems& items = root.Items().Add("items")->Items();
        for (int i = 0; doc.SaveToString().size() < 10'000'000; ++i) {
            for (int k = 0; k < 500; ++k, ++i) {
                auto& it = items.Add("item")->Items();
                it.Add("type", i % 3 ? "button" : "label");
                it.Add("x", int64_t(i % 720));
                it.Add("y", int64_t(i % 576));
                it.Add("width", int64_t(100 + i % 50));
                it.Add("height", int64_t(30 + i % 20));
                it.Add("id", int64_t(i));
                it.Add("description", "Item n\xB0" + std::to_string(i) + " & co");
                it.Add("text", "Caf\xE9 <" + std::to_string(i) + ">");
                it.Add("font", "default");
                it.Add("textcolor", "FFFFFFFF");
                it.Add("focuscolor", "FF3366CC");
                it.Add("alignment", "left");
                it.Add("action", int64_t(i % 40));
                it.Add("up", int64_t(i > 0 ? i - 1 : 0));
                it.Add("down", int64_t(i + 1));
                auto* sub = it.Add("image");
                sub->Properties().Add("file", "images/button" + std::to_string(i % 17) + ".png");
                sub->Properties().Add("alpha", "255");
            }
        }
        return doc.SaveToString();
    }();
    return text;
}

void BM_ParseJv(benchmark::State& state)
{
    const std::string& text = PageText();
    for (auto _ : state) {
        TJvSimpleXML doc;
        doc.LoadFromString(text);
        benchmark::DoNotOptimize(doc.Root().ChildCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}

void BM_ParsePugi(benchmark::State& state)
{
    const std::string& text = PageText();
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}

void BM_ParseTinyxml2(benchmark::State& state)
{
    const std::string& text = PageText();
    for (auto _ : state) {
        tinyxml2::XMLDocument doc;
        doc.Parse(text.data(), text.size());
        benchmark::DoNotOptimize(doc.FirstChild());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}

void BM_WriteJv(benchmark::State& state)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    doc.LoadFromString(PageText());
    size_t size = 0;
    for (auto _ : state) {
        const std::string out = doc.SaveToString();
        size = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * size));
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

void BM_WritePugi(benchmark::State& state)
{
    pugi::xml_document doc;
    doc.load_buffer(PageText().data(), PageText().size());
    size_t size = 0;
    for (auto _ : state) {
        StringWriter w;
        doc.save(w, "  ", pugi::format_default, pugi::encoding_latin1);
        size = w.out.size();
        benchmark::DoNotOptimize(w.out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * size));
}

void BM_WriteTinyxml2(benchmark::State& state)
{
    tinyxml2::XMLDocument doc;
    doc.Parse(PageText().data(), PageText().size());
    size_t size = 0;
    for (auto _ : state) {
        tinyxml2::XMLPrinter printer;
        doc.Print(&printer);
        size = size_t(printer.CStrSize());
        benchmark::DoNotOptimize(printer.CStr());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * size));
}

// Memory of the tree: bytes taken from the allocator while reading, per element. The reading runs
// on a new thread, whose node pool starts empty, so the pool's slabs are counted too.
void BM_MemoryJv(benchmark::State& state)
{
    const std::string& text = PageText();
    size_t bytes = 0, allocations = 0, elements = 0;
    for (auto _ : state) {
        std::thread reader([&] {
            TJvSimpleXML doc;
            gAllocated = gAllocations = 0;
            gCounting = true;
            doc.LoadFromString(text);
            gCounting = false;
            bytes = gAllocated;
            allocations = gAllocations;
            elements = 0;
            std::vector<const TJvSimpleXMLElem*> pending{&doc.Root()};
            while (!pending.empty()) {
                const TJvSimpleXMLElem* e = pending.back();
                pending.pop_back();
                ++elements;
                for (int i = 0; i < e->ChildCount(); ++i)
                    pending.push_back(e->ItemsIfAny()->Item(i));
            }
        });
        reader.join();
    }
    state.counters["elements"] = double(elements);
    state.counters["bytes_per_element"] = double(bytes) / double(elements);
    state.counters["allocations_per_element"] = double(allocations) / double(elements);
    state.counters["text_bytes_per_element"] = double(text.size()) / double(elements);
}

}  // namespace

BENCHMARK(BM_ParseJv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePugi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseTinyxml2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePugi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTinyxml2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryJv)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
