// The XML engine side by side with pugixml and tinyxml2 on the same
// configuration documents, the UTF-8 codec, and the memory a loaded document
// holds. After the run, a table of ratios to pugixml measured in that run.

#include "BenchDocs.h"
#include "text/Utf8.h"
#include "xml/XmlDoc.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <map>
#include <memory>
#include <new>
#include <unistd.h>

// Every allocation of the process goes through here; bytes are counted only
// while a measurement of memory is on.
namespace {

bool counting = false;
long long heldBytes = 0;
long long peakBytes = 0;

void* CountedAlloc(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block && counting) {
        heldBytes += static_cast<long long>(malloc_usable_size(block));
        if (heldBytes > peakBytes)
            peakBytes = heldBytes;
    }
    return block;
}

void CountedFree(void* block)
{
    if (block && counting)
        heldBytes -= static_cast<long long>(malloc_usable_size(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size)
{
    if (void* block = CountedAlloc(size))
        return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete[](void* block) noexcept { CountedFree(block); }
void operator delete(void* block, std::size_t) noexcept { CountedFree(block); }
void operator delete[](void* block, std::size_t) noexcept { CountedFree(block); }

namespace {

const std::u16string& Utf16Text(int count)
{
    static std::map<int, std::u16string> made;
    auto found = made.find(count);
    return found != made.end() ? found->second : made[count] = Utf8ToUtf16(ConfigBytes(count));
}

int Profiles(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

// Each iteration parses into a fresh document, as a program start would.
// One parse before the timing checks the result and touches the heap's pages.
template <typename Work>
void Measure(benchmark::State& state, Work work)
{
    if (!work())
        state.SkipWithError("failed");
    for (auto _ : state)
        benchmark::DoNotOptimize(work());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(ConfigBytes(Profiles(state)).size()));
}

void XmlDocUtf16(benchmark::State& state)
{
    const std::u16string& text = Utf16Text(Profiles(state));
    Measure(state, [&] {
        CXmlDoc doc;
        return doc.SetText(text);
    });
}

void XmlDocUtf8(benchmark::State& state)
{
    const std::string& bytes = ConfigBytes(Profiles(state));
    Measure(state, [&] {
        CXmlDoc doc;
        return doc.SetText(Utf8ToUtf16(bytes));
    });
}

void PugiUtf8(benchmark::State& state)
{
    const std::string& bytes = ConfigBytes(Profiles(state));
    Measure(state, [&] {
        pugi::xml_document doc;
        return bool(doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8));
    });
}

void PugiUtf16(benchmark::State& state)
{
    const std::u16string& text = Utf16Text(Profiles(state));
    Measure(state, [&] {
        pugi::xml_document doc;
        return bool(doc.load_buffer(text.data(), text.size() * sizeof(char16_t), pugi::parse_default,
                                    pugi::encoding_utf16_le));
    });
}

void TinyXml2Utf8(benchmark::State& state)
{
    const std::string& bytes = ConfigBytes(Profiles(state));
    Measure(state, [&] {
        tinyxml2::XMLDocument doc;
        return doc.Parse(bytes.data(), bytes.size()) == tinyxml2::XML_SUCCESS;
    });
}

// The codec, in bytes of UTF-8 per second both ways.

void Utf8Decode(benchmark::State& state)
{
    const std::string& bytes = ConfigBytes(Profiles(state));
    Measure(state, [&] { return !Utf8ToUtf16(bytes).empty(); });
}

void Utf8Encode(benchmark::State& state)
{
    const std::u16string& text = Utf16Text(Profiles(state));
    Measure(state, [&] { return !Utf16ToUtf8(text).empty(); });
}

// Memory: what a document loaded from the file's bytes holds afterwards, and
// the most it held while loading, the document object included.

template <typename Load>
void Memory(benchmark::State& state, Load load)
{
    const std::string& bytes = ConfigBytes(Profiles(state));
    for (auto _ : state) {
        heldBytes = peakBytes = 0;
        counting = true;
        auto doc = load(bytes);
        long long held = heldBytes;
        doc.reset();
        counting = false;
        state.counters["held"] = static_cast<double>(held);
        state.counters["peak"] = static_cast<double>(peakBytes);
    }
}

void XmlDocMemory(benchmark::State& state)
{
    Memory(state, [](const std::string& bytes) {
        auto doc = std::make_unique<CXmlDoc>();
        doc->SetText(Utf8ToUtf16(bytes));
        return doc;
    });
}

void PugiMemory(benchmark::State& state)
{
    Memory(state, [](const std::string& bytes) {
        auto doc = std::make_unique<pugi::xml_document>();
        doc->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
        return doc;
    });
}

void TinyXml2Memory(benchmark::State& state)
{
    Memory(state, [](const std::string& bytes) {
        auto doc = std::make_unique<tinyxml2::XMLDocument>();
        doc->Parse(bytes.data(), bytes.size());
        return doc;
    });
}

// A hostile text: n open elements, then n end tags that close none of them,
// then the n end tags that do. Each stray end tag must cost no walk of the
// open elements, so the time grows with n, not with n squared.
void XmlDocStrayEndTags(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    std::u16string text;
    for (std::size_t i = 0; i < n; ++i)
        text += u"<d>";
    for (std::size_t i = 0; i < n; ++i)
        text += u"</x>";
    for (std::size_t i = 0; i < n; ++i)
        text += u"</d>";
    for (auto _ : state) {
        CXmlDoc doc;
        benchmark::DoNotOptimize(doc.SetText(text));
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(XmlDocStrayEndTags)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity()->Unit(benchmark::kMillisecond);

#define LANVOY_PARSE(fn) BENCHMARK(fn)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond)
LANVOY_PARSE(XmlDocUtf16);
LANVOY_PARSE(XmlDocUtf8);
LANVOY_PARSE(PugiUtf8);
LANVOY_PARSE(PugiUtf16);
LANVOY_PARSE(TinyXml2Utf8);
LANVOY_PARSE(Utf8Decode);
LANVOY_PARSE(Utf8Encode);
BENCHMARK(XmlDocMemory)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PugiMemory)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TinyXml2Memory)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);

namespace {

// Shows the runs as usual and keeps each one's time and counters by name.
class Collector : public benchmark::ConsoleReporter {
public:
    struct Result {
        double ms = 0;
        std::map<std::string, double> counters;
    };
    std::map<std::string, Result> results;

    Collector() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions, the median stands for them all.
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
                continue;
            Result& result = results[run.run_name.str()];
            // CPU time: other work on the machine stretches the wall-clock time.
            result.ms = run.GetAdjustedCPUTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto& [name, counter] : run.counters)
                result.counters[name] = counter.value;
        }
    }
    const Result* Find(const std::string& name) const
    {
        auto found = results.find(name);
        return found == results.end() ? nullptr : &found->second;
    }
};

void PrintRatios(const Collector& runs)
{
    static const char* const contenders[][2] = {
        {"XmlDocUtf16", "CXmlDoc, UTF-16 text"}, {"XmlDocUtf8", "CXmlDoc, UTF-8 bytes"},
        {"PugiUtf8", "pugixml, UTF-8"},          {"PugiUtf16", "pugixml, UTF-16"},
        {"TinyXml2Utf8", "tinyxml2, UTF-8"},
    };
    std::printf("\nParse, ratio to pugixml in this run (lower is faster)\n");
    std::printf("%-9s %-22s %10s %9s %9s\n", "profiles", "contender", "CPU ms", "/UTF-8", "/UTF-16");
    for (const char* size : {"1000", "20000"}) {
        const auto* utf8 = runs.Find(std::string("PugiUtf8/") + size);
        const auto* utf16 = runs.Find(std::string("PugiUtf16/") + size);
        for (const auto& [name, label] : contenders) {
            const auto* run = runs.Find(std::string(name) + "/" + size);
            if (!run)
                continue;
            std::printf("%-9s %-22s %10.3f %8.2fx %8.2fx\n", size, label, run->ms,
                        utf8 ? run->ms / utf8->ms : 0.0, utf16 ? run->ms / utf16->ms : 0.0);
        }
    }
    std::printf("\nUTF-8 codec, GB of UTF-8 per second (CPU time)\n");
    for (const char* size : {"1000", "20000"}) {
        for (const char* name : {"Utf8Decode", "Utf8Encode"}) {
            if (const auto* run = runs.Find(std::string(name) + "/" + size))
                std::printf("%-9s %-22s %6.2f\n", size, name, run->counters.at("bytes_per_second") / 1e9);
        }
    }
    static const char* const memory[][2] = {
        {"XmlDocMemory", "CXmlDoc, UTF-8 bytes"},
        {"PugiMemory", "pugixml, UTF-8"},
        {"TinyXml2Memory", "tinyxml2, UTF-8"},
    };
    const auto* pugi = runs.Find("PugiMemory/20000/iterations:1");
    std::printf("\nMemory for 20000 profiles, MB (ratio to pugixml)\n");
    for (const auto& [name, label] : memory) {
        const auto* run = runs.Find(std::string(name) + "/20000/iterations:1");
        if (!run)
            continue;
        double held = run->counters.at("held"), peak = run->counters.at("peak");
        std::printf("%-22s held %7.2f", label, held / 1e6);
        if (pugi)
            std::printf(" (%.2fx)", held / pugi->counters.at("held"));
        std::printf("  peak %7.2f", peak / 1e6);
        if (pugi)
            std::printf(" (%.2fx)", peak / pugi->counters.at("peak"));
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // pugixml allocates through its own hooks, not operator new.
    pugi::set_memory_management_functions(CountedAlloc, CountedFree);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    PrintRatios(collector);
    benchmark::Shutdown();
    return 0;
}
