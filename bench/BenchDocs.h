#pragma once
// Configuration documents as the store writes them, shared by every
// benchmark so that each contender reads the same bytes.

#include "support/MemoryFileSystem.h"
#include "support/MemoryRegistry.h"
#include "support/MemoryStartupTask.h"
#include "support/SampleAdapter.h"
#include "store/ProfileStore.h"

#include <string>

inline const std::u16string kBenchExe = u"C:\\Lanvoy\\lanvoy.exe";
inline const std::u16string kBenchCfg = u"C:\\Lanvoy\\lanvoy.cfg";

struct BenchMachine {
    CMemoryFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2026, 12, 8, 9, 0, 0}};
    StoreEnvironment Environment() { return {kBenchExe, files, registry, startupTask, clock}; }
};

// The bytes of "lanvoy.cfg" after AddProfile of count profiles named
// "方案 0", "方案 1"... with one manual and one DHCP adapter each, and Save.
// Made once per count.
const std::string& ConfigBytes(int count);

// A machine whose configuration file holds ConfigBytes(count).
void InstallConfig(BenchMachine& machine, int count);
