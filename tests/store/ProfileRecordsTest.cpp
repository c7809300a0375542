#include "StoreFixture.h"

namespace {

// A profile whose file entry holds what the editor's records would not carry.
const std::string kRichProfile = Lines({
    R"(<NETSETING NAME="Lab" DATATIME="08-01-01 00:00:00" ID="4">)",
    R"(<CONNECTION NAME="LAN" GUID="{A}" NETCARD="NIC" MACCODE="aa" MACCODEN="AA-BB" EnableCheck="1" TYPE="0">)",
    "<IPADD>", "<IP>10.0.0.5</IP>", "<IP>10.0.0.6</IP>", "</IPADD>",
    "<MASKADD>", "<IP>255.0.0.0</IP>", "</MASKADD>",
    "<GATEWAY>", "<IP/>", "</GATEWAY>",
    "<DNSADD>", "<IP/>", "<IP/>", "</DNSADD>",
    "</CONNECTION>",
    "<NOTE>not an adapter</NOTE>",
    "</NETSETING>",
}) + "\r\n";

}  // namespace

TEST_F(StoreTest, NumbersAreNeverReused)
{
    Reload();
    EXPECT_EQ(u"0", store->LastIdText());
    ASSERT_EQ(1, store->AddProfile(u"a", {}));
    ASSERT_EQ(1, store->DeleteProfile(u"1"));
    ASSERT_EQ(1, store->AddProfile(u"b", {}));
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(1u, store->Profiles().size());
    EXPECT_EQ(u"2", store->Profiles()[0]->id);
    EXPECT_EQ(u"2", store->LastIdText());

    // At the top of the counter's range no number is handed out twice.
    PutFile(ConfigFile("", "2147483647"));
    ASSERT_EQ(1, Reload());
    const std::string before = DocBytes();
    EXPECT_EQ(0, store->AddProfile(u"c", {}));
    store->CopyProfile(u"1", u"d");
    EXPECT_EQ(before, DocBytes());
    PutFile(ConfigFile("", "99999999999"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(2147483647, store->LastId());
}

TEST_F(StoreTest, NewNumbersSkipEveryNumberInUseWhereverItStands)
{
    // LASTID lags behind; the numbers in use stand in no order, and only
    // texts a new number could equal count ("07" and "8x" are no 7 and 8).
    PutFile(ConfigFile(Lines({R"(<NETSETING NAME="a" ID="4"/>)", R"(<NETSETING NAME="b" ID="2"/>)",
                              R"(<OTHER ID="3"/>)", R"(<NETSETING NAME="c" ID="6"/>)",
                              R"(<NETSETING NAME="d" ID="07"/>)", R"(<NETSETING NAME="e" ID="8x"/>)",
                              R"(<NETSETING NAME="f" ID="2"/>)"}) + "\r\n",
                       "1"));
    ASSERT_EQ(1, Reload());
    std::vector<std::u16string> ids;
    for (int i = 0; i < 4; ++i)
        ids.push_back(store->NextId());
    EXPECT_EQ((std::vector<std::u16string>{u"5", u"7", u"8", u"9"}), ids);
    EXPECT_NE(std::string::npos, DocBytes().find(R"(LASTID="9")"));

    // Numbers that come in between are skipped too: an old file's element
    // keeps its number, while its profile takes the next one.
    files.files[u"C:\\old.xml"] = R"(<CONFIG><NOTE ID="11"/><NETSETING NAME="old" ID="1"/></CONFIG>)";
    ASSERT_EQ(1, store->ImportV1(u"C:\\old.xml"));
    ASSERT_EQ(1, store->AddProfile(u"new", {}));
    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(8u, store->Profiles().size());
    EXPECT_EQ(u"10", store->Profiles()[6]->id);
    EXPECT_EQ(u"12", store->Profiles()[7]->id);
    // After a load, the numbers in use are known without another walk.
    PutFile(ConfigFile(R"(<NETSETING NAME="a" ID="2"/>)" "\r\n", "1"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(u"3", store->NextId());
}

TEST_F(StoreTest, ProfilesAreFoundByNumberNotByName)
{
    PutFile(ConfigFile(Lines({R"(<NETSETING NAME="Same" ID="1"/>)", R"(<NETSETING NAME="Same" ID="2"/>)",
                              R"(<NETSETING NAME="Same" ID="3"/>)"}) + "\r\n", "3"));
    ASSERT_EQ(1, Reload());
    AdapterRecord lan = ManualEntry(u"LAN", u"{A}", u"10.0.0.9");
    ASSERT_EQ(1, store->UpdateProfile(u"2", u"Renamed", {&lan}));
    ASSERT_EQ(1, store->DeleteProfile(u"3"));
    // Numbers compare as text: "02" is not "2".
    EXPECT_EQ(0, store->DeleteProfile(u"02"));
    const std::string before = DocBytes();
    EXPECT_EQ(0, store->DeleteProfile(u"9"));
    EXPECT_EQ(1, store->UpdateProfile(u"9", u"x", {}));
    EXPECT_EQ(before, DocBytes());

    ASSERT_EQ(1, store->Save());
    ASSERT_EQ(1, Reload());
    ASSERT_EQ(2u, store->Profiles().size());
    EXPECT_EQ(u"Same", store->Profiles()[0]->name);
    EXPECT_EQ(u"Renamed", store->Profiles()[1]->name);
    EXPECT_EQ(u"2", store->Profiles()[1]->id);
    EXPECT_EQ(u"08-05-01 14:05:09", store->Profiles()[1]->dateTime);
    EXPECT_EQ(u"10.0.0.9", store->Profiles()[1]->connections.at(0)->ipAddress);
}

TEST_F(StoreTest, AnEditThatCannotBeWrittenSaysSoAndChangesNothing)
{
    // Hand-made empty tags with a doubled slash cannot be opened for content.
    PutFile(Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" //>)", "</LANVOY>"}));
    ASSERT_EQ(1, Reload());
    AdapterRecord lan = ManualEntry(u"LAN", u"{A}", u"10.0.0.9");
    EXPECT_EQ(0, store->AddProfile(u"new", {&lan}));
    store->CopyProfile(u"1", u"copy");
    EXPECT_EQ(std::string::npos, DocBytes().find("NETSETING"));

    PutFile(ConfigFile(R"(<NETSETING NAME="Odd" ID="1" //>)" "\r\n", "1"));
    ASSERT_EQ(1, Reload());
    const std::string before = DocBytes();
    EXPECT_EQ(0, store->UpdateProfile(u"1", u"Renamed", {&lan}));
    EXPECT_EQ(before, DocBytes());
    // Without entries to write there is nothing that cannot go in.
    EXPECT_EQ(1, store->UpdateProfile(u"1", u"Renamed", {}));
    EXPECT_NE(std::string::npos, DocBytes().find(R"(NAME="Renamed")"));
}

TEST_F(StoreTest, UpdateRewritesTheWholeProfileInPlace)
{
    PutFile(ConfigFile(kRichProfile + R"(<NETSETING NAME="After" ID="5"/>)" + "\r\n", "5"));
    ASSERT_EQ(1, Reload());
    // The editor saves what it read: only the first address of each group survives.
    std::vector<const AdapterRecord*> records;
    for (const auto& entry : store->Profiles()[0]->connections)
        records.push_back(entry.get());
    ASSERT_EQ(1, store->UpdateProfile(u"4", u"Lab", records));
    const std::string expected = Lines({
        R"(<NETSETING NAME="Lab" DATATIME="08-05-01 14:05:09" ID="4">)",
        R"(<CONNECTION NAME="LAN" GUID="{A}" NETCARD="" MACCODE="aa" EnableCheck="1" TYPE="0">)",
        "<IPADD>", "<IP>10.0.0.5</IP>", "</IPADD>",
        "<MASKADD>", "<IP>255.0.0.0</IP>", "</MASKADD>",
        "<GATEWAY>", "<IP/>", "</GATEWAY>",
        "<DNSADD>", "<IP/>", "<IP/>", "</DNSADD>",
        "</CONNECTION>",
        "</NETSETING>",
        R"(<NETSETING NAME="After" ID="5"/>)",
    });
    EXPECT_EQ(ConfigFile(expected + "\r\n", "5"), DocBytes());

    // A profile written empty opens without a blank, its new attributes after
    // the old ones.
    AdapterRecord dhcp = ManualEntry(u"LAN", u"{B}", u"");
    dhcp.mode = kModeDhcp;
    ASSERT_EQ(1, store->UpdateProfile(u"5", u"Later", {&dhcp}));
    EXPECT_NE(std::string::npos, DocBytes().find(Lines({
                                     R"(<NETSETING NAME="Later" ID="5" DATATIME="08-05-01 14:05:09">)",
                                     R"(<CONNECTION NAME="LAN" GUID="{B}" NETCARD="Intel(R) PRO/1000 MT" )"
                                     R"(MACCODE="00:0c:29:3a:5b:7c" EnableCheck="1" TYPE="1">)",
                                     "<IPADD>", "<IP/>", "</IPADD>", "<MASKADD>", "<IP>255.255.255.0</IP>",
                                     "</MASKADD>", "<GATEWAY>", "<IP>192.0.2.1</IP>", "</GATEWAY>", "<DNSADD>",
                                     "<IP>192.0.2.53</IP>", "<IP/>", "</DNSADD>", "</CONNECTION>",
                                     "</NETSETING>", "</CONFIG>"})));
}

TEST_F(StoreTest, CopyKeepsTheSourceEntriesVerbatim)
{
    PutFile(ConfigFile(kRichProfile, "4"));
    ASSERT_EQ(1, Reload());
    clock.time = {2009, 2, 3, 4, 5, 6};
    store->CopyProfile(u"4", u"复制-Lab");
    const std::u16string source = store->GetProfileContent(u"4");
    EXPECT_EQ(source, store->GetProfileContent(u"5"));
    ASSERT_EQ(1, store->Save());
    const std::string inner = kRichProfile.substr(kRichProfile.find('\n') + 1);
    EXPECT_EQ(ConfigFile(kRichProfile + R"(<NETSETING NAME="复制-Lab" DATATIME="09-02-03 04:05:06" ID="5">)" +
                             "\r\n" + inner,
                         "5"),
              FileBytes());
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(2u, store->Profiles()[1]->connections[0]->ipAddresses.size());
    EXPECT_EQ(u"AA-BB", store->Profiles()[1]->connections[0]->networkAddress);

    // A copy of a number no profile has is created without adapters.
    store->CopyProfile(u"42", u"复制-");
    EXPECT_EQ(u"", store->GetProfileContent(u"6"));
    EXPECT_EQ(6, store->LastId());
}

TEST_F(StoreTest, NameLookupIsExactAndContentIsTheRawInnerMarkup)
{
    PutFile(ConfigFile(kRichProfile + R"(<NETSETING NAME="Office" ID="5"/>)" + "\r\n", "5"));
    ASSERT_EQ(1, Reload());
    EXPECT_EQ(1, store->NameExists(u"Office"));
    EXPECT_EQ(0, store->NameExists(u"office"));
    EXPECT_EQ(0, store->NameExists(u""));
    EXPECT_EQ(Utf8ToUtf16(kRichProfile.substr(kRichProfile.find('>') + 1,
                                              kRichProfile.rfind("</NETSETING>") - kRichProfile.find('>') - 1)),
              store->GetProfileContent(u"4"));
    EXPECT_EQ(u"", store->GetProfileContent(u"5"));
    EXPECT_EQ(u"", store->GetProfileContent(u"6"));
}

TEST_F(StoreTest, EntriesWithoutANumberAreNotReachedByNumber)
{
    PutFile(ConfigFile(Lines({R"(<NOTE>kept</NOTE>)", R"(<NETSETING NAME="unnumbered"><CONNECTION/></NETSETING>)",
                              R"(<NETSETING NAME="numbered" ID="1"/>)"}) + "\r\n", "1"));
    ASSERT_EQ(1, Reload());
    const std::string before = DocBytes();
    EXPECT_EQ(u"", store->GetProfileContent(u""));
    EXPECT_EQ(0, store->DeleteProfile(u""));
    EXPECT_EQ(1, store->UpdateProfile(u"", u"x", {}));
    EXPECT_EQ(before, DocBytes());
    EXPECT_EQ(1, store->DeleteProfile(u"1"));
}
