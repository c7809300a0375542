// libFuzzer target: any "lanvoy.cfg", loaded, given one new profile, saved
// and loaded again by a fresh store, must keep every profile it had and the
// new one. A save that the next start cannot read loses them all.
//
// Input: one control byte, the file, then the new profile's name.
//   bits 0-4  length in bytes of the name at the end of the input (0: a fixed name)
//   bit 5     the name is raw UTF-16LE units (so that any unit, U+0000 too,
//             reaches AddProfile); otherwise UTF-8
//   bits 6-7  the new profile's adapter entries: 0 one manual entry; 1 a manual,
//             a DHCP and a leave-alone entry named after the profile; 2 none;
//             3 one manual entry with the name in every address
// When the file holds the marker "\x01IMPORT\x01", what follows it is a 1.x
// file that is imported (and saved and loaded again) before the add: an
// import may add profiles, never lose one.

#include "support/MemoryFileSystem.h"
#include "support/MemoryRegistry.h"
#include "support/MemoryStartupTask.h"
#include "support/SampleAdapter.h"
#include "store/ProfileStore.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::u16string kExe = u"C:\\Lanvoy\\lanvoy.exe";
const std::u16string kCfg = u"C:\\Lanvoy\\lanvoy.cfg";

const std::u16string kOldFile = u"C:\\old\\ipconfig.xml";
const std::string kImportMarker = "\x01IMPORT\x01";

struct Input {
    std::string file;
    std::string oldFile;
    bool import = false;
    std::u16string name;
    unsigned entries = 0;
};

Input Split(const std::uint8_t* data, std::size_t size)
{
    Input input;
    unsigned control = data[0];
    std::size_t nameBytes = std::min<std::size_t>(control & 0x1F, size - 1);
    std::size_t fileEnd = size - nameBytes;
    input.file.assign(reinterpret_cast<const char*>(data + 1), fileEnd - 1);
    const std::uint8_t* name = data + fileEnd;
    if (nameBytes == 0) {
        input.name = u"新方案";
    } else if (control & 0x20) {
        for (std::size_t i = 0; i + 1 < nameBytes; i += 2)
            input.name += static_cast<char16_t>(name[i] | (name[i + 1] << 8));
    } else {
        input.name = Utf8ToUtf16(std::string(reinterpret_cast<const char*>(name), nameBytes));
    }
    input.entries = control >> 6;
    if (std::size_t marker = input.file.find(kImportMarker); marker != std::string::npos) {
        input.oldFile = input.file.substr(marker + kImportMarker.size());
        input.file.resize(marker);
        input.import = true;
    }
    return input;
}

AdapterRecord Entry(int mode, const std::u16string& connectionName)
{
    AdapterRecord entry = SampleAdapter(1, mode);
    entry.connectionName = connectionName;
    entry.dns2.clear();
    return entry;
}

std::vector<AdapterRecord> Entries(const Input& input)
{
    switch (input.entries) {
    case 0:
        return {Entry(kModeManual, u"本地连接")};
    case 1:
        return {Entry(kModeManual, input.name), Entry(kModeDhcp, input.name), Entry(kModeLeaveAlone, input.name)};
    case 2:
        return {};
    default: {
        AdapterRecord entry = Entry(kModeManual, u"本地连接");
        entry.ipAddress = entry.subnetMask = entry.gateway = entry.dns1 = entry.dns2 = input.name;
        return {entry};
    }
    }
}

// Whether every unit is a character an XML 1.0 document can carry, so that
// the name has to read back exactly as given.
bool XmlCharacters(const std::u16string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit < 0x20 && unit != 0x09 && unit != 0x0A && unit != 0x0D)
            return false;
        if (unit == 0xFFFE || unit == 0xFFFF || (unit >= 0xDC00 && unit <= 0xDFFF))
            return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

std::string Shown(const std::u16string& text)
{
    std::string shown;
    char unit[8];
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            std::snprintf(unit, sizeof unit, "\\u%04X", static_cast<unsigned>(c));
            shown += unit;
        }
    }
    return shown;
}

struct Seen {
    std::u16string id;
    std::u16string name;
    std::size_t entries = 0;
};

std::vector<Seen> Listed(const CProfileStore& store)
{
    std::vector<Seen> list;
    for (const auto& profile : store.Profiles())
        list.push_back({profile->id, profile->name, profile->connections.size()});
    return list;
}

// Takes profile out of list, by number and by name as the store reads it.
bool Take(std::vector<Seen>& list, const Seen& profile)
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->id == profile.id && it->name == profile.name) {
            list.erase(it);
            return true;
        }
    }
    return false;
}

[[noreturn]] void Fail(const char* what, const Seen& profile, int reloaded, const CMemoryFileSystem& files)
{
    std::fprintf(stderr, "store fuzz: %s: ID \"%s\" NAME \"%s\"; the reload returned %d%s\n", what,
                 Shown(profile.id).c_str(), Shown(profile.name).c_str(), reloaded,
                 files.files.count(kCfg + u".bad") ? ", the saved file was kept as damaged" : "");
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Input input = Split(data, size);

    CMemoryFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2008, 5, 1, 14, 5, 9}};
    files.files[kCfg] = input.file;
    StoreEnvironment environment{kExe, files, registry, startupTask, clock};

    CProfileStore store(environment);
    store.Load();
    std::vector<Seen> before = Listed(store);

    if (input.import) {
        files.files[kOldFile] = input.oldFile;
        if (store.ImportV1(kOldFile) != 0) {
            if (store.Save() == 0)
                Fail("the save after an import failed", Seen{}, -1, files);
            files.files.erase(kCfg + u".bad");
            int reloaded = store.Load();
            std::vector<Seen> imported = Listed(store);
            for (const Seen& profile : before) {
                if (!Take(imported, profile))
                    Fail("a profile was lost by an import", profile, reloaded, files);
            }
            before = Listed(store);
        }
    }

    std::vector<AdapterRecord> entries = Entries(input);
    std::vector<const AdapterRecord*> records;
    for (const AdapterRecord& entry : entries)
        records.push_back(&entry);
    bool added = store.AddProfile(input.name, records) != 0;
    Seen fresh{store.LastIdText(), input.name, records.size()};
    if (store.Save() == 0)
        Fail("the save failed", fresh, -1, files);
    // A damaged input was kept by the first load; only the reload's copy counts.
    files.files.erase(kCfg + u".bad");

    CProfileStore again(environment);
    int reloaded = again.Load();
    std::vector<Seen> after = Listed(again);

    // Each profile of the first load once, by number and by name as the store
    // reads it, which is what the user sees.
    for (const Seen& profile : before) {
        if (!Take(after, profile))
            Fail("a profile was lost", profile, reloaded, files);
    }
    if (!added) {
        if (!after.empty())
            Fail("a profile appeared that was not added", after.front(), reloaded, files);
        return 0;
    }
    if (after.size() != 1 || after.front().id != fresh.id)
        Fail(after.empty() ? "the added profile is missing" : "the added profile came back as another",
             after.empty() ? fresh : after.front(), reloaded, files);
    if (after.front().entries != fresh.entries)
        Fail("the added profile lost adapter entries", after.front(), reloaded, files);
    if (XmlCharacters(input.name) && after.front().name != input.name)
        Fail("the added profile's name changed", after.front(), reloaded, files);
    return 0;
}
