// Loading and changing large configurations: 500 profiles fill the tray
// menu; 5,000 is far past anything a user keeps, 50,000 a stress.

#include "BenchDocs.h"

#include <benchmark/benchmark.h>

namespace {

int Profiles(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_Load(benchmark::State& state)
{
    BenchMachine machine;
    InstallConfig(machine, Profiles(state));
    // A load before the timing touches the heap's pages.
    CProfileStore(machine.Environment()).Load();
    for (auto _ : state) {
        CProfileStore store(machine.Environment());
        if (store.Load() == 0 || store.Profiles().size() != static_cast<std::size_t>(Profiles(state)))
            state.SkipWithError("load failed");
    }
    state.counters["bytes"] = static_cast<double>(machine.files.files[kBenchCfg].size());
}

// One profile appended to a freshly loaded store, as after every reload in
// the main window. Deleting it again would not do: deleted elements keep
// their index records, so the document would slow down from one iteration to
// the next. The reloads are untimed and cost more than the adds, hence the
// fixed iteration counts.
void BM_AddProfile(benchmark::State& state)
{
    BenchMachine machine;
    InstallConfig(machine, Profiles(state));
    CProfileStore store(machine.Environment());
    AdapterRecord manual = SampleAdapter(1, kModeManual);
    AdapterRecord dhcp = SampleAdapter(2, kModeDhcp);
    for (auto _ : state) {
        state.PauseTiming();
        store.Load();
        state.ResumeTiming();
        if (!store.AddProfile(u"新方案", {&manual, &dhcp}))
            state.SkipWithError("add failed");
    }
}

// The same when LASTID lags far behind the numbers in use (a hand edit, or
// LASTID="abc"): every number up to the highest is taken, and the add must
// still cost one walk of the profiles, not one per number it skips.
void BM_AddProfileLastIdLags(benchmark::State& state)
{
    BenchMachine machine;
    InstallConfig(machine, Profiles(state));
    std::string& file = machine.files.files[kBenchCfg];
    const std::size_t lastId = file.find("LASTID=\"");
    file.replace(lastId, file.find('"', lastId + 8) + 1 - lastId, "LASTID=\"abc\"");
    CProfileStore store(machine.Environment());
    AdapterRecord manual = SampleAdapter(1, kModeManual);
    for (auto _ : state) {
        state.PauseTiming();
        store.Load();
        state.ResumeTiming();
        if (!store.AddProfile(u"新方案", {&manual}) || store.LastId() != Profiles(state) + 1)
            state.SkipWithError("add failed");
    }
}

// The cycle of every change in the main window: edit, save, reload; each
// iteration starts from the same file.
void BM_AddSaveLoad(benchmark::State& state)
{
    BenchMachine machine;
    CProfileStore store(machine.Environment());
    AdapterRecord manual = SampleAdapter(1, kModeManual);
    for (auto _ : state) {
        state.PauseTiming();
        InstallConfig(machine, Profiles(state));
        store.Load();
        state.ResumeTiming();
        store.AddProfile(u"新方案", {&manual});
        store.Save();
        benchmark::DoNotOptimize(store.Load());
    }
}

}  // namespace

BENCHMARK(BM_Load)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddProfile)->Arg(100)->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddProfile)->Arg(1000)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddProfile)->Arg(10000)->Iterations(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddProfileLastIdLags)->Arg(1000)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddProfileLastIdLags)->Arg(10000)->Iterations(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddSaveLoad)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
