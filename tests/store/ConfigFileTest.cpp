#include "StoreFixture.h"

namespace {

const std::string kOfficeProfile = Lines({
    R"(<NETSETING NAME="Office" DATATIME="08-05-01 14:05:09" ID="1">)",
    R"(<CONNECTION NAME="LAN" GUID="{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}" NETCARD="Intel(R) PRO/1000 MT" MACCODE="00:0c:29:3a:5b:7c" EnableCheck="1" TYPE="0">)",
    "<IPADD>", "<IP>192.0.2.10</IP>", "</IPADD>",
    "<MASKADD>", "<IP>255.255.255.0</IP>", "</MASKADD>",
    "<GATEWAY>", "<IP>192.0.2.1</IP>", "</GATEWAY>",
    "<DNSADD>", "<IP>192.0.2.53</IP>", "<IP/>", "</DNSADD>",
    "</CONNECTION>",
    "</NETSETING>",
});

std::string AfterFirstProfile(const std::string& profiles, const std::string& lastId)
{
    return Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID=")" + lastId + R"(" VERSION="2.0" >)", profiles,
                  "</CONFIG>", R"(<DNS VERSION="2.0" />)", R"(<SYSCONFIG VERSION="2.0">)",
                  "<AUTOEXEC>FALSE</AUTOEXEC>", "<AUTOUPDATE>FALSE</AUTOUPDATE>", "<LOGFLAG>FALSE</LOGFLAG>",
                  "</SYSCONFIG>", "</LANVOY>"});
}

}  // namespace

TEST_F(StoreTest, MissingFileIsCreatedWithTheDefaultDocument)
{
    EXPECT_EQ(0, Reload());
    EXPECT_EQ(FirstSavedFile(), FileBytes());
    EXPECT_TRUE(store->Profiles().empty());
    // Nothing was there to keep, and no temporary file is left behind.
    EXPECT_EQ(1u, files.files.size());
    // The next start finds the file.
    EXPECT_EQ(1, Reload());
}

TEST_F(StoreTest, AddedProfilesAreWrittenLineByLine)
{
    Reload();
    AdapterRecord lan = ManualEntry(u"LAN", u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}", u"192.0.2.10");
    lan.ipAddresses = {u"192.0.2.10", u"192.0.2.11"};  // only the first address is stored
    lan.dnsServers = {u"192.0.2.53", u"192.0.2.54", u"192.0.2.55"};
    ASSERT_EQ(1, store->AddProfile(u"Office", {&lan}));
    ASSERT_EQ(1, store->Save());
    EXPECT_EQ(AfterFirstProfile(kOfficeProfile, "1"), FileBytes());

    // A second profile with two adapters follows the first.
    AdapterRecord dhcp;
    dhcp.connectionName = u"本地连接 2";
    dhcp.adapterId = u"{B}";
    dhcp.enabled = 0;
    dhcp.mode = kModeDhcp;
    AdapterRecord alone = dhcp;
    alone.mode = 7;
    clock.time = {2026, 12, 8, 9, 3, 0};
    ASSERT_EQ(1, store->AddProfile(u"家", {&dhcp, &alone}));
    ASSERT_EQ(1, store->Save());
    const std::string emptyEntry = Lines({"<IPADD>", "<IP/>", "</IPADD>", "<MASKADD>", "<IP/>", "</MASKADD>",
                                          "<GATEWAY>", "<IP/>", "</GATEWAY>", "<DNSADD>", "<IP/>", "<IP/>",
                                          "</DNSADD>", "</CONNECTION>"});
    const std::string home = Lines({
        R"(<NETSETING NAME="家" DATATIME="26-12-08 09:03:00" ID="2">)",
        R"(<CONNECTION NAME="本地连接 2" GUID="{B}" NETCARD="" MACCODE="" EnableCheck="0" TYPE="1">)", emptyEntry,
        R"(<CONNECTION NAME="本地连接 2" GUID="{B}" NETCARD="" MACCODE="" EnableCheck="0" TYPE="2">)", emptyEntry,
        "</NETSETING>"});
    EXPECT_EQ(AfterFirstProfile(kOfficeProfile + "\r\n" + home, "2"), FileBytes());

    // Deleting the first leaves the second, and the counter where it was.
    ASSERT_EQ(1, store->DeleteProfile(u"1"));
    ASSERT_EQ(1, store->Save());
    EXPECT_EQ(AfterFirstProfile(home, "2"), FileBytes());
}

TEST_F(StoreTest, ProfilesReadBackWithTheirEntriesAndSummaries)
{
    PutFile(ConfigFile(kOfficeProfile + "\r\n" + Lines({
        R"(<NETSETING NAME="Mixed" DATATIME="x" ID="7">)",
        R"(<CONNECTION NAME="A" TYPE="1" EnableCheck="0"/>)",
        R"(<CONNECTION NAME="B" TYPE="2" EnableCheck=""/>)",
        R"(<CONNECTION NAME="C" TYPE="3" EnableCheck="false"/>)",
        R"(<CONNECTION NAME="D"/>)",
        "</NETSETING>",
        R"(<NETSETING NAME="Empty" ID="8"/>)",
    }) + "\r\n", "8"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(8, store->LastId());
    ASSERT_EQ(3u, store->Profiles().size());

    const IpProfile& office = *store->Profiles()[0];
    EXPECT_EQ(u"1", office.id);
    EXPECT_EQ(u"Office", office.name);
    EXPECT_EQ(u"08-05-01 14:05:09", office.dateTime);
    ASSERT_EQ(1u, office.connections.size());
    const ConnectionSetting& lan = *office.connections[0];
    EXPECT_EQ(u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}", lan.adapterId);
    EXPECT_EQ(u"", lan.description);  // NETCARD is for repair only
    EXPECT_EQ(u"00:0c:29:3a:5b:7c", lan.macAddress);
    EXPECT_EQ(u"192.0.2.10", lan.ipAddress);
    EXPECT_EQ(u"192.0.2.53", lan.dns1);
    EXPECT_EQ(u"", lan.dns2);
    EXPECT_EQ((std::vector<std::u16string>{u"192.0.2.53", u""}), lan.dnsServers);
    EXPECT_EQ(u"【LAN】\n[IP]192.0.2.10\n[掩码]255.255.255.0\n[网关]192.0.2.1\n[DNS1]192.0.2.53\n[DNS2]\n",
              office.summary);

    const IpProfile& mixed = *store->Profiles()[1];
    ASSERT_EQ(4u, mixed.connections.size());
    EXPECT_EQ((std::vector<std::int32_t>{1, 2, -1, -1}),
              (std::vector<std::int32_t>{mixed.connections[0]->mode, mixed.connections[1]->mode,
                                         mixed.connections[2]->mode, mixed.connections[3]->mode}));
    EXPECT_EQ((std::vector<std::int32_t>{0, 1, 1, 1}),
              (std::vector<std::int32_t>{mixed.connections[0]->enabled, mixed.connections[1]->enabled,
                                         mixed.connections[2]->enabled, mixed.connections[3]->enabled}));
    EXPECT_EQ(u"【A】-自动获取IP\n【B】-不配置\n【C】【D】", mixed.summary);

    EXPECT_TRUE(store->Profiles()[2]->connections.empty());
    EXPECT_EQ(u"", store->Profiles()[2]->summary);
    EXPECT_EQ(u"", store->Profiles()[2]->dateTime);
}

TEST_F(StoreTest, HandEditedFilesReadTheSameAndKeepWhatTheyHold)
{
    const std::string edited = Lines({
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<!-- edited by hand -->",
        "<LANVOY>",
        "  <NOTE>keep me</NOTE>",
        "  <CONFIG LASTID='abc' VERSION=\"1.9\" OWNER=\"it\">",
        "    <NETSETING NAME='R&amp;D \"lab\"' ID=\"1\" EXTRA=\"x\">",
        "      <CONNECTION NAME=\"LAN\" MACCODEN=\"0A-0B\" TYPE=\"0\">",
        "        <COMMENT>skipped</COMMENT>",
        "        <DNSADD><IP></IP><IP>1.1.1.1</IP><IP>8.8.8.8</IP><IP>9.9.9.9</IP></DNSADD>",
        "        <IPADD>",
        "          <ADDR>10.0.0.5</ADDR>",
        "          <IP>10.0.0.6</IP>",
        "        </IPADD>",
        "      </CONNECTION>",
        "    </NETSETING>",
        "  </CONFIG>",
        "  <SYSCONFIG><LOGFLAG>false</LOGFLAG><AUTOUPDATE>FALSE</AUTOUPDATE></SYSCONFIG>",
        "</LANVOY>",
        "",
    });
    PutFile(edited);
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(0, store->LastId());
    ASSERT_EQ(1u, store->Profiles().size());
    const IpProfile& lab = *store->Profiles()[0];
    EXPECT_EQ(u"R&D \"lab\"", lab.name);
    const ConnectionSetting& lan = *lab.connections[0];
    EXPECT_EQ(u"0A-0B", lan.networkAddress);
    EXPECT_EQ(u"10.0.0.5", lan.ipAddress);
    EXPECT_EQ((std::vector<std::u16string>{u"10.0.0.5", u"10.0.0.6"}), lan.ipAddresses);
    EXPECT_EQ(u"1.1.1.1", lan.dns1);
    EXPECT_EQ(u"8.8.8.8", lan.dns2);
    EXPECT_EQ(4u, lan.dnsServers.size());
    // Only the exact text FALSE switches off; no AUTOEXEC leaves autorun alone.
    EXPECT_EQ(1, store->logFlag);
    EXPECT_EQ(0, store->autoUpdate);
    EXPECT_TRUE(registry.Journal().empty());

    // Saving writes back everything the system does not use, unchanged.
    ASSERT_EQ(1, store->Save());
    EXPECT_EQ(edited, FileBytes());

    // With LASTID unreadable the count starts again at 1, but skips the
    // numbers profiles already have.
    EXPECT_EQ(u"2", store->NextId());
    EXPECT_EQ(2, store->LastId());
}

TEST_F(StoreTest, NamesWithQuotesAndAmpersandsRoundTrip)
{
    Reload();
    const std::u16string name = u"A&B \"quoted\" <x> 'y'";
    ASSERT_EQ(1, store->AddProfile(name, {}));
    ASSERT_EQ(1, store->Save());
    EXPECT_NE(std::string::npos,
              FileBytes().find(R"(NAME="A&amp;B &quot;quoted&quot; &lt;x&gt; &apos;y&apos;")"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(name, store->Profiles()[0]->name);
}

TEST_F(StoreTest, WhatTheStoreWritesAlwaysLoadsBack)
{
    // Characters the file cannot carry become "?"; a zero written to the file
    // would end its text at the next start and cost every profile.
    const std::u16string odd(u"a\0b\x01\x1F\xFFFF\xD800" u"c\xDC00", 9);
    const std::u16string stored = u"a?b????c?";
    const std::u16string kept = u"\t办公室 \xD83D\xDE00\r\n";
    Reload();
    AdapterRecord lan = ManualEntry(odd, u"{A}" + odd, u"10.0.0.1");
    lan.dns2 = odd;
    ASSERT_EQ(1, store->AddProfile(u"one" + odd, {&lan}));
    ASSERT_EQ(1, store->AddProfile(kept, {}));
    ASSERT_EQ(1, store->AddProfile(u"three", {}));
    ASSERT_EQ(1, store->UpdateProfile(u"3", odd, {&lan}));
    store->CopyProfile(u"1", odd);
    EXPECT_EQ(1, store->NameExists(odd));
    ASSERT_EQ(1, store->Save());
    EXPECT_EQ(std::string::npos, FileBytes().find('\0'));

    ASSERT_EQ(1, Reload());
    const auto& profiles = store->Profiles();
    ASSERT_EQ(4u, profiles.size());
    EXPECT_EQ(u"one" + stored, profiles[0]->name);
    EXPECT_EQ(kept, profiles[1]->name);
    EXPECT_EQ(stored, profiles[2]->name);
    EXPECT_EQ(stored, profiles[3]->name);
    const ConnectionSetting& entry = *profiles[2]->connections.at(0);
    EXPECT_EQ(stored, entry.connectionName);
    EXPECT_EQ(u"{A}" + stored, entry.adapterId);
    EXPECT_EQ(stored, entry.dns2);
    EXPECT_EQ(u"{A}" + stored, profiles[3]->connections.at(0)->adapterId);
}

TEST_F(StoreTest, OddBytesInTheFileCostNoProfile)
{
    // Overlong forms of a zero read as "?"; a true zero ends the text, so a
    // file with a zero-filled tail after a crash still loads.
    const std::string profiles = Lines({"<NETSETING NAME=\"A\xC0\x80\xE0\x80\x80\x80\x80\" ID=\"1\"/>",
                                        R"(<NETSETING NAME="B" ID="2"/>)"}) + "\r\n";
    PutFile(ConfigFile(profiles, "2") + std::string(64, '\0'));
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(2u, store->Profiles().size());
    EXPECT_EQ(u"A???", store->Profiles()[0]->name);
    EXPECT_EQ(u"B", store->Profiles()[1]->name);
}

TEST_F(StoreTest, FilesThatDoNotParseAreKeptBeforeTheDefaultReplacesThem)
{
    const std::string twoRoots = ConfigFile(kOfficeProfile + "\r\n") + "\r\n<LANVOY/>";
    PutFile(twoRoots);
    files.files[kCfg + u".bad"] = "an older copy";
    EXPECT_EQ(0, Reload());
    EXPECT_EQ(twoRoots, files.files[kCfg + u".bad"]);
    EXPECT_EQ(FirstSavedFile(), FileBytes());
    EXPECT_EQ(2u, files.files.size());

    // A truncated file is kept the same way.
    const std::string truncated = ConfigFile(kOfficeProfile + "\r\n").substr(0, 200);
    PutFile(truncated);
    EXPECT_EQ(0, Reload());
    EXPECT_EQ(truncated, files.files[kCfg + u".bad"]);
}

TEST_F(StoreTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    PutFile(ConfigFile(kOfficeProfile + "\r\n"));
    const std::string original = FileBytes();
    files.failRead = true;  // locked by another program
    EXPECT_EQ(0, Reload());
    EXPECT_EQ(original, FileBytes());
    EXPECT_EQ(1u, files.files.size());
}

TEST_F(StoreTest, AWellFormedFileWithoutConfigLoadsNothingAndIsNotRewritten)
{
    const std::string noConfig = Lines({kDeclaration, "<LANVOY>", R"(<SYSCONFIG VERSION="2.0" />)", "</LANVOY>"});
    PutFile(noConfig);
    EXPECT_EQ(0, Reload());
    EXPECT_TRUE(store->Profiles().empty());
    EXPECT_EQ(noConfig, FileBytes());
    EXPECT_EQ(0, store->AddProfile(u"x", {}));
    EXPECT_EQ(u"0", store->NextId());
    EXPECT_EQ(noConfig, DocBytes());
}

TEST_F(StoreTest, AFailedSaveLeavesTheOldFileByteForByte)
{
    Reload();
    AdapterRecord lan = ManualEntry(u"LAN", u"{A}", u"192.0.2.10");
    store->AddProfile(u"Office", {&lan});
    ASSERT_EQ(1, store->Save());
    const std::string saved = FileBytes();

    store->AddProfile(u"Second", {&lan});
    files.writeLimit = 100;  // the disk fills up in the middle of the write
    EXPECT_EQ(0, store->Save());
    EXPECT_EQ(saved, FileBytes());
    files.writeLimit = std::string::npos;
    files.failReplace = true;  // the file is locked when it is to be replaced
    EXPECT_EQ(0, store->Save());
    EXPECT_EQ(saved, FileBytes());
    // No temporary file is left either time.
    EXPECT_EQ(1u, files.files.size());

    files.failReplace = false;
    EXPECT_EQ(1, store->Save());
    EXPECT_EQ(1, Reload());
    EXPECT_EQ(2u, store->Profiles().size());
}
