// How long lanvoy.exe takes, seen from outside, with many profiles: from the
// process start to the whole list shown, and for copy, a confirmed delete and
// exit with the list full, until the window answers again. Medians of a few
// runs, in milliseconds. Run under Wine by tools/bench-startup.sh.
// With --floor=<bare_list_dialog.exe> each run of the start is followed by
// one of the floor, a bare dialog with the same list from the same file, and
// the ratio of the two medians is printed.
// Usage: startup_bench --lanvoy=<lanvoy.exe> [--floor=<exe>] [--runs=5] [--counts=0,500,5000]

#include "Driver.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace e2e;
using Clock = std::chrono::steady_clock;

namespace {

// A configuration of `count` profiles, each with one manual entry.
void WriteProfiles(const CLanvoyFolder& folder, int count)
{
    std::ofstream out(folder.File(L"lanvoy.cfg"), std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<LANVOY>\r\n<CONFIG LASTID=\"" << count
        << "\" VERSION=\"2.0\">\r\n";
    for (int i = 1; i <= count; ++i)
        out << "<NETSETING NAME=\"方案" << i << "\" DATATIME=\"26-12-01 08:30:00\" ID=\"" << i << "\">\r\n"
            << "<CONNECTION NAME=\"本地连接\" GUID=\"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}\" NETCARD=\"x\" "
               "MACCODE=\"x\" EnableCheck=\"1\" TYPE=\"0\">\r\n"
            << "<IPADD><IP>192.168." << (i % 250) << ".10</IP></IPADD><MASKADD><IP>255.255.255.0</IP></MASKADD>"
            << "</CONNECTION>\r\n</NETSETING>\r\n";
    out << "</CONFIG>\r\n<SYSCONFIG VERSION=\"2.0\">\r\n<AUTOEXEC>FALSE</AUTOEXEC>\r\n"
           "<AUTOUPDATE>FALSE</AUTOUPDATE>\r\n<LOGFLAG>FALSE</LOGFLAG>\r\n</SYSCONFIG>\r\n</LANVOY>\r\n";
}

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Times {
    std::vector<double> start, copy, remove, exit, floor;
};

// The floor's start: from its process start to its list full and answering.
// The pointer rests in a corner: over the list, the program's hover tip
// would open while it starts, which is the user's doing, not the start's.
void ParkPointer()
{
    SetCursorPos(0, 0);
}

void RunFloor(int count, const std::wstring& floorProgram, Times& times)
{
    CLanvoyFolder folder;
    WriteProfiles(folder, count);
    ParkPointer();
    const auto started = Clock::now();
    CProcess& program = folder.StartCopyOf(floorProgram);
    HWND main = WaitMainWindow(program, 120s);
    WaitAnswering(main, count, 300s);
    times.floor.push_back(Since(started));
    PostMessageW(main, WM_CLOSE, 0, 0);
    program.WaitExit(120s);
}

void RunOnce(int count, bool commands, Times& times)
{
    CLanvoyFolder folder;
    WriteProfiles(folder, count);
    ParkPointer();
    const auto started = Clock::now();
    CProcess& program = folder.Start();
    HWND main = WaitMainWindow(program, 120s);
    WaitAnswering(main, count, 300s);
    times.start.push_back(Since(started));
    if (!commands || count == 0)
        return;

    ClickRow(main, 0);
    auto at = Clock::now();
    PostMessageW(main, WM_COMMAND, ID_PROFILE_COPY, 0);
    WaitAnswering(main, count + 1, 300s);
    times.copy.push_back(Since(at));

    ClickRow(main, 0);
    PostMessageW(main, WM_COMMAND, ID_PROFILE_DELETE, 0);
    MessageBoxSeen question = WaitMessageBox(program, 120s);
    at = Clock::now();
    PostMessageW(GetDlgItem(question.window, IDYES), BM_CLICK, 0, 0);
    WaitAnswering(main, count, 300s);
    times.remove.push_back(Since(at));

    at = Clock::now();
    PostMessageW(main, WM_COMMAND, ID_APP_EXIT, 0);
    program.WaitExit(120s);
    times.exit.push_back(Since(at));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = 5;
    std::vector<int> counts = {0, 500, 5000};
    std::wstring floorProgram;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg.rfind(L"--floor=", 0) == 0) {
            floorProgram = arg.substr(8);
        } else if (arg.rfind(L"--runs=", 0) == 0) {
            runs = std::stoi(arg.substr(7));
        } else if (arg.rfind(L"--counts=", 0) == 0) {
            counts.clear();
            for (std::size_t at = 9; at <= arg.size();) {
                std::size_t comma = arg.find(L',', at);
                counts.push_back(std::stoi(arg.substr(at, comma - at)));
                at = comma == std::wstring::npos ? arg.size() + 1 : comma + 1;
            }
        }
    }
    ParseDriverArguments(argc, argv);
    waitPoll = 2ms;
    try {
        std::printf("%8s %10s %10s %10s %10s %10s %8s   (medians of %d runs, ms)\n", "profiles", "start", "copy",
                    "delete", "exit", "floor", "ratio", runs);
        for (int count : counts) {
            Times times;
            for (int run = 0; run < runs; ++run) {
                RunOnce(count, true, times);
                if (!floorProgram.empty())
                    RunFloor(count, floorProgram, times);
            }
            const double floor = Median(times.floor);
            std::printf("%8d %10.0f %10.0f %10.0f %10.0f %10.0f %8.2f\n", count, Median(times.start),
                        Median(times.copy), Median(times.remove), Median(times.exit), floor,
                        floor > 0 ? Median(times.start) / floor : 0.0);
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
