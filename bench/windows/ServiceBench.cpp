// What the service costs: one adapter change made through it against the
// same change made by this process, the status request every start sends,
// and lanvoy.exe's start with the service running against without it.
// Medians of a few runs, in milliseconds. Run under Wine by
// tools/bench-service.sh, in a prefix with the demo machine.
// Usage: service_bench --lanvoy=<lanvoy.exe> --service=<lanvoy-service.exe> [--runs=15]

#include "Driver.h"
#include "engine/AdapterChanger.h"
#include "ipc/ServiceClient.h"
#include "net/Win32Net.h"
#include "support/Win32Service.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;
using Clock = std::chrono::steady_clock;

namespace {

const std::u16string kLabGuid = kLab.guid;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Timed(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// From the process start to the empty list shown and answering.
double StartTime()
{
    CLanvoyFolder folder;
    folder.WriteConfig({});
    return Timed([&] {
        CProcess& program = folder.Start();
        WaitAnswering(WaitMainWindow(program, 120s), 0, 120s);
    });
}

// Alternating addresses, so that every change writes something new.
std::u16string Address(int run)
{
    return u"172.16.5." + std::u16string(1, static_cast<char16_t>(u'1' + run % 9));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg.rfind(L"--runs=", 0) == 0)
            runs = std::stoi(arg.substr(7));
    }
    ParseDriverArguments(argc, argv);
    try {
        CDemoMachine demo;
        if (!InstallLanvoyService(Settings().service.wstring()) || !StartLanvoyService()) {
            std::fprintf(stderr, "service_bench: the service would not start (pass --service=)\n");
            return 1;
        }
        CWin32NetPlatform system(RunningUnderWine());
        CDirectAdapterChanger direct(system.Platform());
        CServiceClient client;
        CServiceAdapterChanger throughService(client);

        std::vector<double> directTimes, serviceTimes, statusTimes, startWith, startWithout;
        bool allChanged = true;
        for (int run = 0; run < runs; ++run) {
            const std::u16string ip = Address(run);
            directTimes.push_back(Timed([&] {
                allChanged = direct.ApplyStatic(kLabGuid, ip, u"255.255.0.0", u"172.16.0.1", u"") && allChanged;
            }));
            serviceTimes.push_back(Timed([&] {
                allChanged = throughService.ApplyStatic(kLabGuid, ip, u"255.255.0.0", u"172.16.0.1", u"") && allChanged;
            }));
            statusTimes.push_back(Timed([&] {
                ServiceStatus status;
                allChanged = client.Status(&status) && allChanged;
            }));
        }
        for (int run = 0; run < runs; ++run)
            startWith.push_back(StartTime());
        StopLanvoyService();
        for (int run = 0; run < runs; ++run)
            startWithout.push_back(StartTime());
        RemoveLanvoyService();

        std::printf("medians of %d runs, ms\n", runs);
        std::printf("%-44s %8.2f\n", "one static apply, this process", Median(directTimes));
        std::printf("%-44s %8.2f\n", "the same through the service", Median(serviceTimes));
        std::printf("%-44s %8.2f\n", "a status request", Median(statusTimes));
        std::printf("%-44s %8.0f\n", "lanvoy.exe start, the service running", Median(startWith));
        std::printf("%-44s %8.0f\n", "lanvoy.exe start, no service", Median(startWithout));
        if (!allChanged) {
            std::fprintf(stderr, "service_bench: a change or a status request failed\n");
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "service_bench: %s\n", error.what());
        RemoveLanvoyService();
        return 1;
    }
    return 0;
}
