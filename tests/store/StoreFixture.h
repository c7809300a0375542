#pragma once
// A store over an in-memory folder, an in-memory registry and a fixed clock.

#include "store/ProfileStore.h"
#include "support/MemoryFileSystem.h"
#include "support/MemoryRegistry.h"
#include "support/MemoryStartupTask.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

// Lines joined by CR LF, the last one without.
inline std::string Lines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    return text;
}

inline const std::string kDeclaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";

// The file as first saved, with every switch off.
inline std::string FirstSavedFile()
{
    return Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)", R"(<DNS VERSION="2.0" />)",
                  R"(<SYSCONFIG VERSION="2.0">)", "<AUTOEXEC>FALSE</AUTOEXEC>", "<AUTOUPDATE>FALSE</AUTOUPDATE>",
                  "<LOGFLAG>FALSE</LOGFLAG>", "</SYSCONFIG>", "</LANVOY>"});
}

inline std::string U8(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

class StoreTest : public ::testing::Test {
protected:
    static inline const std::u16string kExe = u"C:\\Lanvoy\\lanvoy.exe";
    static inline const std::u16string kCfg = u"C:\\Lanvoy\\lanvoy.cfg";

    StoreEnvironment Environment() { return {kExe, files, registry, startupTask, clock}; }

    void NewStore() { store = std::make_unique<CProfileStore>(Environment()); }

    // A file with the given CONFIG content and SYSCONFIG.
    static std::string ConfigFile(std::string_view profiles, std::string_view lastId = "0")
    {
        return Lines({kDeclaration, "<LANVOY>", "<CONFIG LASTID=\"" + std::string(lastId) + "\" VERSION=\"2.0\">"}) +
               "\r\n" + std::string(profiles) +
               Lines({"</CONFIG>", R"(<DNS VERSION="2.0" />)", R"(<SYSCONFIG VERSION="2.0" />)", "</LANVOY>"});
    }

    void PutFile(const std::string& bytes) { files.files[kCfg] = bytes; }
    std::string FileBytes() { return files.files[kCfg]; }

    // Loads the file from a fresh store.
    int Reload()
    {
        NewStore();
        return store->Load();
    }

    std::string DocBytes() const { return U8(store->Document().DocText()); }

    CMemoryFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2008, 5, 1, 14, 5, 9}};
    std::unique_ptr<CProfileStore> store;
};

// An adapter entry with manual addresses.
inline AdapterRecord ManualEntry(std::u16string name, std::u16string guid, std::u16string ip)
{
    AdapterRecord entry;
    entry.connectionName = std::move(name);
    entry.adapterId = std::move(guid);
    entry.description = u"Intel(R) PRO/1000 MT";
    entry.macAddress = u"00:0c:29:3a:5b:7c";
    entry.enabled = 1;
    entry.mode = kModeManual;
    entry.ipAddress = std::move(ip);
    entry.subnetMask = u"255.255.255.0";
    entry.gateway = u"192.0.2.1";
    entry.dns1 = u"192.0.2.53";
    return entry;
}
