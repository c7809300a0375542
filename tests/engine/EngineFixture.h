#pragma once
// The engine over the recorded adapter layer and a store on an in-memory folder.

#include "NetFixture.h"
#include "StoreFixture.h"
#include "engine/ProfileApply.h"

class EngineTest : public NetTest {
protected:
    static inline const std::u16string kCfg = u"C:\\Lanvoy\\lanvoy.cfg";

    void SetUp() override
    {
        AddEthernet(u"0000", u"Intel NIC", u"{A}", u"本地连接");
        AddEthernet(u"0001", u"Realtek NIC", u"{B}", u"本地连接 2");
        fake.devices.devices = {{u"Intel NIC", 0}, {u"Realtek NIC", 0}};
    }

    // Loads a configuration holding these profiles.
    void LoadProfiles(std::string_view profiles)
    {
        files.files[kCfg] =
            Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="9" VERSION="2.0">)"}) + "\r\n" +
            std::string(profiles) + "\r\n" + Lines({"</CONFIG>", R"(<SYSCONFIG VERSION="2.0" />)", "</LANVOY>"});
        store = std::make_unique<CProfileStore>(StoreEnvironment{u"C:\\Lanvoy\\lanvoy.exe", files, storeRegistry, startupTask, clock});
        ASSERT_EQ(1, store->Load());
    }

    bool Apply(const std::u16string& id)
    {
        fake.registry.ClearJournal();
        CProfileApplier applier(*store, fake.Platform());
        const ApplyResult result = applier.ApplyProfile(id);
        stop = result.stop;
        failures = result.failures;
        return result.applied;
    }

    // A third adapter whose TCP/IP settings cannot be found, and settings for
    // the first two: {A} by hand with two addresses and three name servers,
    // {B} on DHCP.
    void AddCaptureMachine()
    {
        AddEthernet(u"0002", u"Broadcom NIC", u"");
        SetManualTcpIp(u"{A}");
        const std::u16string b = kTcpIpPath + u"{B}";
        fake.registry.PutMulti(b, u"IPAddress", {u"0.0.0.0"});
        fake.registry.PutDword(b, u"EnableDHCP", 1);
    }

    std::u16string Text(const std::u16string& guid, const std::u16string& name)
    {
        return RegBytesToText(Value(kTcpIpPath + guid, name).data);
    }

    CMemoryFileSystem files;
    CMemoryRegistry storeRegistry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2008, 5, 1, 14, 5, 9}};
    std::unique_ptr<CProfileStore> store;
    std::u16string stop;  // what stopped the last apply
    std::vector<std::u16string> failures;  // what its inventories could not read
};

// A CONNECTION entry with one group per address list given.
inline std::string Entry(std::string_view guid, std::string_view type, std::string_view ip, std::string_view mask,
                         std::string_view gateway = "", std::initializer_list<std::string_view> dns = {})
{
    auto group = [](std::string_view tag, std::initializer_list<std::string_view> values) {
        std::string text = "<" + std::string(tag) + ">";
        for (std::string_view value : values)
            text += value.empty() ? std::string("<IP/>") : "<IP>" + std::string(value) + "</IP>";
        return text + "</" + std::string(tag) + ">";
    };
    return "<CONNECTION NAME=\"Net " + std::string(guid) + "\" GUID=\"" + std::string(guid) + "\" TYPE=\"" +
           std::string(type) + "\">" + group("IPADD", {ip}) + group("MASKADD", {mask}) +
           group("GATEWAY", {gateway}) + group("DNSADD", dns) + "</CONNECTION>";
}

inline std::string Profile(std::string_view id, std::initializer_list<std::string> entries)
{
    std::string text = "<NETSETING NAME=\"P" + std::string(id) + "\" ID=\"" + std::string(id) + "\">\r\n";
    for (const std::string& entry : entries)
        text += entry + "\r\n";
    return text + "</NETSETING>";
}
