// Reading a ~10 MB page file into a tree and writing it back, next to pugixml and tinyxml2; the
// memory a tree takes, and whether a closed document's memory serves the next one.
#include "skinmodel/xml/JvSimpleXml2.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <cstdlib>
#include <latch>
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
std::string MakePage(size_t bytes)
{
    {
        TJvSimpleXML doc;
        doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
        TJvSimpleXMLElem& root = doc.Root();
        root.SetName("screen");
        root.Properties().Add("default", "0");
        root.Properties().Add("allowoverlay", "false");
        root.Properties().Add("hasbg", "true");
        root.Properties().Add("version", "Kestralon OSDSkin 1.1");
        TJvSimpleXMLElems& items = root.Items().Add("items")->Items();
        const int step = int(bytes / 20'000);
        for (int i = 0; doc.SaveToString().size() < bytes; ++i) {
            for (int k = 0; k < step; ++k, ++i) {
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
    }
}

const std::string& PageText()
{
    static const std::string text = MakePage(10'000'000);
    return text;
}

// The resident memory of the process, in MB.
double ResidentMB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * 4096.0 / 1e6;
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

// Memory of the tree: bytes taken from the allocator while reading, per element, with the node
// pool's slabs that the tree fills.
void BM_MemoryJv(benchmark::State& state)
{
    const std::string& text = PageText();
    size_t bytes = 0, allocations = 0, elements = 0;
    for (auto _ : state) {
        std::thread reader([&] {
            TJvSimpleXML doc;
            const size_t slabs = jvxml::PoolBytes().Used;
            gAllocated = gAllocations = 0;
            gCounting = true;
            doc.LoadFromString(text);
            gCounting = false;
            bytes = gAllocated + (jvxml::PoolBytes().Used - slabs);
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

// Closing documents gives the system what earlier trees left unused, so a measurement starts
// from what the process itself holds.
void Settle()
{
    for (int i = 0; i < 2; ++i) {
        TJvSimpleXML small;
        small.LoadFromString("<a/>");
    }
}

double PoolMB()
{
    const jvxml::PoolUsage usage = jvxml::PoolBytes();
    return double(usage.Used + usage.Kept) / 1e6;
}

// A 50 MB page opened on one thread, closed, and opened again on another: the reopening must not
// make the process grow (reopen_growth_MB about 0, the node pool's part pool_growth_MB 0).
// kept_after_close_MB is what the closed page left in the process until later documents are
// closed, kept_after_later_MB what stays after that.
void BM_ReopenJv(benchmark::State& state)
{
    static const std::string text = MakePage(50'000'000);
    double before = 0, opened = 0, closed = 0, reopened = 0, later = 0, poolOpened = 0, poolReopened = 0;
    for (auto _ : state) {
        Settle();
        before = ResidentMB();
        std::thread([&] {
            TJvSimpleXML doc;
            doc.LoadFromString(text);
            opened = ResidentMB();
            poolOpened = PoolMB();
        }).join();
        closed = ResidentMB();
        std::thread([&] {
            TJvSimpleXML doc;
            doc.LoadFromString(text);
            reopened = ResidentMB();
            poolReopened = PoolMB();
        }).join();
        Settle();
        later = ResidentMB();
    }
    state.counters["open_MB"] = opened - before;
    state.counters["kept_after_close_MB"] = closed - before;
    state.counters["reopen_growth_MB"] = reopened - opened;
    state.counters["pool_growth_MB"] = poolReopened - poolOpened;
    state.counters["kept_after_later_MB"] = later - before;
}

// Eight threads each read the 10 MB page at once, twice over: the second round must not grow the
// process, and little stays once later documents have been closed.
void BM_ThreadsReopenJv(benchmark::State& state)
{
    const std::string& text = PageText();
    // The resident memory while all eight trees are open.
    const auto round = [&] {
        constexpr int kReaders = 8;
        std::latch read(kReaders), measured(1);
        std::vector<std::thread> readers;
        for (int i = 0; i < kReaders; ++i)
            readers.emplace_back([&] {
                TJvSimpleXML doc;
                doc.LoadFromString(text);
                read.count_down();
                measured.wait();
            });
        read.wait();
        const double resident = ResidentMB();
        measured.count_down();
        for (auto& r : readers)
            r.join();
        return resident;
    };
    double before = 0, first = 0, second = 0, after = 0;
    for (auto _ : state) {
        Settle();
        before = ResidentMB();
        first = round();
        second = round();
        Settle();
        after = ResidentMB();
    }
    state.counters["first_round_MB"] = first - before;
    state.counters["second_round_growth_MB"] = second - first;
    state.counters["kept_after_MB"] = after - before;
}

}  // namespace

BENCHMARK(BM_ParseJv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePugi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseTinyxml2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePugi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTinyxml2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryJv)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReopenJv)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ThreadsReopenJv)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
