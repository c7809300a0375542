#pragma once
// The configuration document in memory and every operation on its profiles,
// its system switches and the sign-in task. It is the only code that edits
// "lanvoy.cfg"; it shows no messages and reports by its results.

#include "net/AdapterRecord.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/StartupTask.h"
#include "store/ConfigFile.h"
#include "store/IpProfile.h"
#include "xml/XmlDoc.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the store reaches the system through, created once at start-up.
struct StoreEnvironment {
    std::u16string executablePath;
    IFileSystem& files;
    IRegistry& registry;        // HKEY_LOCAL_MACHINE
    IStartupTask& startupTask;  // carries a portable copy's autorun switch out
    IClock& clock;
    // Where "lanvoy.cfg" lives; empty: beside the executable.
    std::u16string dataFolder = {};
    // The copy the installer recorded: it starts with Windows from the user's
    // own Run value, in userRegistry (HKEY_CURRENT_USER), with no rights needed.
    bool installed = false;
    IRegistry* userRegistry = nullptr;
};

// What SetAutorun did.
enum AutorunResult : int {
    kAutorunFailed = 0,  // the scheduler or the registry refused
    kAutorunDone = 1,
    // Not switched on: standard users can change the program or its folder,
    // and the task would start whatever they put there with full rights.
    kAutorunUnsafe = 2,
};

class CProfileStore {
public:
    using ProfileList = std::vector<std::unique_ptr<IpProfile>>;

    explicit CProfileStore(const StoreEnvironment& environment);
    virtual ~CProfileStore();
    CProfileStore(const CProfileStore&) = delete;
    CProfileStore& operator=(const CProfileStore&) = delete;

    // The file.
    int Load();
    int Save();
    int CreateDefault();
    int LoadProfiles();
    const std::u16string& ConfigPath() const { return file.Path(); }

    // Profiles.
    std::u16string NextId();
    std::u16string LastIdText() const;
    int NameExists(const std::u16string& name);
    int AddProfile(const std::u16string& name, const std::vector<const AdapterRecord*>& records);
    int UpdateProfile(const std::u16string& id, const std::u16string& name,
                      const std::vector<const AdapterRecord*>& records);
    void CopyProfile(const std::u16string& id, const std::u16string& newName);
    int DeleteProfile(const std::u16string& id);
    std::u16string GetProfileContent(const std::u16string& id);

    // System switches and autorun.
    void ReadSystemSettings();
    int WriteSystemSettings();
    // Carries the switch out: an installed copy writes or deletes the user's
    // Run value; a portable one registers or removes the user's sign-in task
    // and deletes an earlier version's machine-wide Run value. An AutorunResult.
    int SetAutorun(std::int32_t on);
    StartupTaskDefinition AutorunTask() const;
    // The installed copy's Run value: the quoted program and "-hide".
    std::u16string AutorunCommand() const;

    // Older configurations and stale adapter entries.
    int ImportV1(const std::u16string& path);
    int Repair(const std::vector<const AdapterRecord*>& adapters);

    const ProfileList& Profiles() const { return profiles; }
    const CXmlDoc& Document() const { return doc; }
    std::int32_t LastId() const { return lastId; }

    // Non-zero is on; the first default file records these values.
    std::int32_t autoUpdate = 0;
    std::int32_t logFlag = 0;
    std::int32_t autoExec = 0;

private:
    void DeleteOldRunValue();
    bool UserRunValueStartsThis() const;
    bool SetUserRunValue(bool on);
    bool ProgramWritableByOthers() const;
    // Cursor at LANVOY's child CONFIG (main position), or false.
    bool FindConfig();
    // Cursor inside CONFIG at the first child whose ID is id, or false.
    bool FindProfile(const std::u16string& id);

    // The profile numbers above lastId that children of CONFIG carry, as
    // one walk of the document found them; they hold while the document
    // stays at `revision`. The store's own edits that add no such number
    // (a new profile takes the number just handed out) keep them.
    struct NumbersInUse {
        std::uint64_t revision = ~0ull;
        std::vector<std::int32_t> above;  // ascending
    };
    void KeepNumbersInUse() { numbersInUse.revision = doc.Revision(); }
    void NoteNumberInUse(std::u16string_view id);

    CXmlDoc doc;
    ProfileList profiles;
    std::int32_t lastId = 0;
    NumbersInUse numbersInUse;

    StoreEnvironment environment;
    CConfigFile file;
};
