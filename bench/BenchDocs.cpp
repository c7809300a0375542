#include "BenchDocs.h"

#include "text/Utf8.h"

#include <cstdio>
#include <climits>
#include <cstdlib>
#include <malloc.h>
#include <map>


namespace {

// Freed memory stays in the process, so that every iteration after the first
// reuses pages already touched: on this virtual machine the first touch of a
// page costs more than the parse of the bytes on it, and would swamp the
// difference between the engines.
const bool heapKept = [] {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    return true;
}();

std::string StoreBytes(int count)
{
    BenchMachine machine;
    CProfileStore store(machine.Environment());
    store.Load();
    AdapterRecord manual = SampleAdapter(1, kModeManual);
    AdapterRecord dhcp = SampleAdapter(2, kModeDhcp);
    for (int i = 0; i < count; ++i)
        store.AddProfile(u"方案 " + Utf8ToUtf16(std::to_string(i)), {&manual, &dhcp});
    store.Save();
    return machine.files.files[kBenchCfg];
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "bench documents: %s\n", what);
    std::abort();
}

// The store's file for one profile cut where the count, the name and the
// number go.
struct Pieces {
    std::string head, afterLastId, beforeName, beforeId, afterId, tail;
};

Pieces Cut(const std::string& one)
{
    auto at = [&](const std::string& mark, std::size_t from) {
        std::size_t pos = one.find(mark, from);
        if (pos == std::string::npos)
            Fail("the store's file has an unexpected shape");
        return pos;
    };
    const std::string lastId = "LASTID=\"", name = "NAME=\"方案 ", id = " ID=\"";
    std::size_t count = at(lastId, 0) + lastId.size();
    std::size_t profile = at("<NETSETING", count);
    std::size_t number = at(name, profile) + name.size();
    std::size_t idValue = at(id, number) + id.size();
    std::size_t end = at("</NETSETING>\r\n", idValue) + 14;
    return {one.substr(0, count), one.substr(count + 1, profile - count - 1),
            one.substr(profile, number - profile), one.substr(number + 1, idValue - number - 1),
            one.substr(idValue + 1, end - idValue - 1), one.substr(end)};
}

// Filling a store one AddProfile at a time costs time that grows with the
// square of the count (minutes at 50,000), so larger documents repeat the
// store's markup for one profile, checked against the store at 1,000.
std::string Composed(int count)
{
    static const Pieces pieces = Cut(StoreBytes(1));
    std::string bytes = pieces.head + std::to_string(count) + pieces.afterLastId;
    for (int i = 0; i < count; ++i) {
        bytes += pieces.beforeName;
        bytes += std::to_string(i);
        bytes += pieces.beforeId;
        bytes += std::to_string(i + 1);
        bytes += pieces.afterId;
    }
    return bytes + pieces.tail;
}

}  // namespace

const std::string& ConfigBytes(int count)
{
    constexpr int checked = 1000;
    static std::map<int, std::string> made;
    auto found = made.find(count);
    if (found != made.end())
        return found->second;
    if (count <= checked)
        return made[count] = StoreBytes(count);
    if (Composed(checked) != ConfigBytes(checked))
        Fail("composed markup differs from the store's");
    return made[count] = Composed(count);
}

void InstallConfig(BenchMachine& machine, int count)
{
    machine.files.files[kBenchCfg] = ConfigBytes(count);
}
