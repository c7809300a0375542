// Loading and changing large configurations: 500 profiles fill the tray
// menu; 5,000 is far past anything a user keeps.

#include "store/ProfileStore.h"
#include "support/MemoryFileSystem.h"
#include "support/MemoryRegistry.h"
#include "xml/Utf8.h"

#include <benchmark/benchmark.h>

namespace {

const std::u16string kExe = u"C:\\Lanvoy\\lanvoy.exe";
const std::u16string kCfg = u"C:\\Lanvoy\\lanvoy.cfg";

AdapterRecord Adapter(int n, int mode)
{
    AdapterRecord record;
    record.connectionName = u"本地连接 " + Utf8ToUtf16(std::to_string(n));
    record.adapterId = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E0" + Utf8ToUtf16(std::to_string(n)) + u"}";
    record.description = u"Intel(R) PRO/1000 MT Network Connection";
    record.macAddress = u"00:1c:42:a1:b2:c3";
    record.enabled = 1;
    record.mode = mode;
    record.ipAddress = u"192.168.1.20";
    record.subnetMask = u"255.255.255.0";
    record.gateway = u"192.168.1.1";
    record.dns1 = u"202.96.128.86";
    record.dns2 = u"202.96.134.133";
    return record;
}

struct Machine {
    CMemoryFileSystem files;
    CMemoryRegistry registry;
    CFixedClock clock{LocalTime{2026, 12, 8, 9, 0, 0}};
    StoreEnvironment Environment() { return {kExe, files, registry, clock}; }
};

// A saved configuration of count profiles with two adapters each.
void Fill(Machine& machine, int count)
{
    CProfileStore store(machine.Environment());
    store.Load();
    AdapterRecord manual = Adapter(1, kModeManual);
    AdapterRecord dhcp = Adapter(2, kModeDhcp);
    for (int i = 0; i < count; ++i)
        store.AddProfile(u"方案 " + Utf8ToUtf16(std::to_string(i)), {&manual, &dhcp});
    store.Save();
}

void BM_Load(benchmark::State& state)
{
    Machine machine;
    Fill(machine, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CProfileStore store(machine.Environment());
        benchmark::DoNotOptimize(store.Load());
    }
    state.counters["bytes"] = static_cast<double>(machine.files.files[kCfg].size());
}

// The cycle of every change in the main window: edit, save, reload.
void BM_AddSaveLoad(benchmark::State& state)
{
    Machine machine;
    Fill(machine, static_cast<int>(state.range(0)));
    CProfileStore store(machine.Environment());
    store.Load();
    AdapterRecord manual = Adapter(1, kModeManual);
    for (auto _ : state) {
        store.AddProfile(u"新方案", {&manual});
        store.Save();
        benchmark::DoNotOptimize(store.Load());
    }
}

}  // namespace

BENCHMARK(BM_Load)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddSaveLoad)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
