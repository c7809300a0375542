#include "StoreFixture.h"

namespace {

const std::u16string kOldFile = u"C:\\old\\ipconfig.xml";

std::string OldProfile(std::string_view name, std::string_view id, std::string_view mac, std::string_view card,
                       std::string_view connection)
{
    return Lines({"<NETSETING NAME=\"" + std::string(name) + "\" DATATIME=\"07-01-01 08:00:00\" ID=\"" +
                      std::string(id) + "\">",
                  "<CONNECTION NAME=\"" + std::string(connection) + "\" GUID=\"{OLD}\" NETCARD=\"" +
                      std::string(card) + "\" MACCODE=\"" + std::string(mac) + "\" EnableCheck=\"1\" TYPE=\"0\">",
                  "<IPADD>", "<IP>10.1.1.1</IP>", "</IPADD>", "</CONNECTION>", "</NETSETING>"});
}

AdapterRecord Present(std::u16string mac, std::u16string card, std::u16string name, std::u16string guid)
{
    AdapterRecord adapter;
    adapter.macAddress = std::move(mac);
    adapter.description = std::move(card);
    adapter.connectionName = std::move(name);
    adapter.adapterId = std::move(guid);
    adapter.enabled = 1;
    adapter.mode = kModeDhcp;
    return adapter;
}

std::vector<const AdapterRecord*> Pointers(const std::vector<AdapterRecord>& adapters)
{
    std::vector<const AdapterRecord*> out;
    for (const AdapterRecord& adapter : adapters)
        out.push_back(&adapter);
    return out;
}

}  // namespace

TEST_F(StoreTest, ImportAppendsOldProfilesWithFreshNumbers)
{
    PutFile(ConfigFile(R"(<NETSETING NAME="Mine" ID="5"/>)" "\r\n", "5"));
    ASSERT_EQ(1, Reload());
    files.files[kOldFile] = Lines({"<?xml version=\"1.0\" encoding=\"gb2312\"?>", "<CONFIG LASTID=\"2\">",
                                   OldProfile("Mine", "1", "m1", "c1", "n1"), OldProfile("B", "", "m2", "c2", "n2"),
                                   "<OTHER/>", "</CONFIG>"});
    ASSERT_EQ(1, store->ImportV1(kOldFile));
    EXPECT_EQ(7, store->LastId());
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(3u, store->Profiles().size());
    EXPECT_EQ(u"5", store->Profiles()[0]->id);
    EXPECT_EQ(u"6", store->Profiles()[1]->id);
    EXPECT_EQ(u"Mine", store->Profiles()[1]->name);  // a repeated name is allowed
    EXPECT_EQ(u"7", store->Profiles()[2]->id);
    EXPECT_EQ(u"07-01-01 08:00:00", store->Profiles()[2]->dateTime);
    EXPECT_EQ(u"m2", store->Profiles()[2]->connections.at(0)->macAddress);
    EXPECT_EQ(7, store->LastId());
    EXPECT_NE(std::string::npos, FileBytes().find("<OTHER/>\r\n</CONFIG>"));
}

TEST_F(StoreTest, ImportRefusesWhatIsNotAnOldConfiguration)
{
    Reload();
    const std::string before = DocBytes();
    EXPECT_EQ(0, store->ImportV1(u"C:\\missing.xml"));
    files.files[kOldFile] = FirstSavedFile();  // a current file: CONFIG is not at the top
    EXPECT_EQ(0, store->ImportV1(kOldFile));
    // A file far larger than any configuration is not taken in, even when it starts like one.
    files.files[kOldFile] = "<CONFIG>" + OldProfile("大", "1", "", "", "LAN") + std::string(17u << 20, ' ') + "</CONFIG>";
    EXPECT_EQ(0, store->ImportV1(kOldFile));
    EXPECT_EQ(before, DocBytes());
}

TEST_F(StoreTest, ADamagedOldFileImportsItsIntactProfilesOnly)
{
    Reload();
    // The second profile lost an end tag; inserted as it stands it would
    // leave the configuration unreadable.
    files.files[kOldFile] = Lines({"<CONFIG>", OldProfile("A", "1", "m", "c", "n"),
                                   R"(<NETSETING NAME="B" ID="2"><CONNECTION NAME="x"></NETSETING>)", "</CONFIG>"});
    ASSERT_EQ(1, store->ImportV1(kOldFile));
    ASSERT_EQ(1, store->Save());
    // The configuration still parses, and holds the intact profile.
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(1u, store->Profiles().size());
    EXPECT_EQ(u"A", store->Profiles()[0]->name);
    EXPECT_EQ(u"1", store->Profiles()[0]->id);
}

TEST_F(StoreTest, AnOldProfileHoldingAZeroIsLeftOut)
{
    Reload();
    // Files damaged by a crash carry zero-filled ranges, which the code page
    // conversion passes through; other control characters become "?".
    std::string zeroed = OldProfile("B", "2", "m", "c", "n");
    zeroed[zeroed.find("10.1")] = '\0';
    files.files[kOldFile] = Lines({"<CONFIG>", OldProfile("A\x01", "1", "m", "c", "n"), zeroed,
                                   OldProfile("C", "3", "m", "c", "n"), "</CONFIG>"});
    ASSERT_EQ(1, store->ImportV1(kOldFile));
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(2u, store->Profiles().size());
    EXPECT_EQ(u"A?", store->Profiles()[0]->name);
    EXPECT_EQ(u"C", store->Profiles()[1]->name);
    EXPECT_EQ(u"3", store->Profiles()[1]->id);
}

TEST_F(StoreTest, RepairReattachesEntriesToThePresentAdapters)
{
    PutFile(ConfigFile(
        OldProfile("Swapped card", "1", "00:00:00:00:00:01", "Old NIC", "本地连接") + "\r\n" +
            OldProfile("One of two", "2", "aa:aa:aa:aa:aa:aa", "", "x") + "\r\n" +
            OldProfile("Nothing matches", "3", "zz", "none", "none") + "\r\n" +
            Lines({R"(<NETSETING NAME="No number">)", R"(<CONNECTION NAME="本地连接" MACCODE="q" NETCARD="q"/>)",
                   "<NOTE/>", "</NETSETING>"}) + "\r\n",
        "3"));
    ASSERT_EQ(1, Reload());
    std::vector<AdapterRecord> adapters = {
        Present(u"aa:aa:aa:aa:aa:aa", u"Realtek", u"本地连接", u"{R}"),
        Present(u"bb:bb:bb:bb:bb:bb", u"Intel", u"实验室网络", u"{I}"),
    };
    ASSERT_EQ(1, store->Repair(Pointers(adapters)));
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(4u, store->Profiles().size());

    auto guids = [&](int profile) {
        std::vector<std::u16string> out;
        for (const auto& entry : store->Profiles()[profile]->connections)
            out.push_back(entry->adapterId);
        return out;
    };
    // Same connection name, new card: the entry stays, with the new card's
    // identity and its own addresses; the second adapter is added.
    EXPECT_EQ((std::vector<std::u16string>{u"{R}", u"{I}"}), guids(0));
    const ConnectionSetting& kept = *store->Profiles()[0]->connections[0];
    EXPECT_EQ(u"aa:aa:aa:aa:aa:aa", kept.macAddress);
    EXPECT_EQ(u"10.1.1.1", kept.ipAddress);
    EXPECT_EQ(kModeManual, kept.mode);
    EXPECT_EQ(kModeDhcp, store->Profiles()[0]->connections[1]->mode);
    EXPECT_EQ((std::vector<std::u16string>{u"{R}", u"{I}"}), guids(1));
    // No entry matches: all go, and every present adapter comes in.
    EXPECT_EQ((std::vector<std::u16string>{u"{R}", u"{I}"}), guids(2));
    // A profile without a number gets the next one; new entries follow its
    // last adapter entry, before anything else it holds.
    EXPECT_EQ(u"4", store->Profiles()[3]->id);
    EXPECT_EQ((std::vector<std::u16string>{u"{R}", u"{I}"}), guids(3));
    const std::u16string content = store->GetProfileContent(u"4");
    EXPECT_LT(content.find(u"实验室网络"), content.find(u"<NOTE/>"));
}

TEST_F(StoreTest, RepairHandlesMoreAdaptersThanAnyFixedTable)
{
    PutFile(ConfigFile(OldProfile("P", "1", "mac-299", "", "") + "\r\n", "1"));
    ASSERT_EQ(1, Reload());
    std::vector<AdapterRecord> adapters;
    for (int i = 0; i < 300; ++i) {
        std::string n = std::to_string(i);
        adapters.push_back(Present(u"mac-" + Utf8ToUtf16(n), u"card-" + Utf8ToUtf16(n), u"conn-" + Utf8ToUtf16(n),
                                   u"{" + Utf8ToUtf16(n) + u"}"));
    }
    ASSERT_EQ(1, store->Repair(Pointers(adapters)));
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    const auto& entries = store->Profiles()[0]->connections;
    ASSERT_EQ(300u, entries.size());
    EXPECT_EQ(u"{299}", entries[0]->adapterId);
    EXPECT_EQ(u"{0}", entries[1]->adapterId);
    EXPECT_EQ(u"{298}", entries[299]->adapterId);
}
