#include "ui/ProfileEditor.h"

#include "StoreFixture.h"
#include "support/FakeMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    return a << 24 | b << 16 | c << 8 | d;
}

// A stored adapter entry; dns holds the texts of DNSADD's children.
std::string Entry(std::string_view name, std::string_view type, std::string_view ip, std::string_view mask,
                  std::string_view gateway, std::initializer_list<std::string_view> dns,
                  std::string_view mac = "00:0c:29:00:00:01", std::string_view card = "Intel")
{
    auto address = [](std::string_view text) {
        return text.empty() ? std::string("<IP/>") : "<IP>" + std::string(text) + "</IP>";
    };
    std::string lines = Lines({"<CONNECTION NAME=\"" + std::string(name) + "\" GUID=\"{" + std::string(name) +
                                   "}\" NETCARD=\"" + std::string(card) + "\" MACCODE=\"" + std::string(mac) +
                                   "\" EnableCheck=\"1\" TYPE=\"" + std::string(type) + "\">",
                               "<IPADD>", address(ip), "</IPADD>", "<MASKADD>", address(mask), "</MASKADD>",
                               "<GATEWAY>", address(gateway), "</GATEWAY>", "<DNSADD>"});
    for (std::string_view server : dns)
        lines += "\r\n" + address(server);
    return lines + "\r\n</DNSADD>\r\n</CONNECTION>";
}

std::string Profile(std::string_view id, std::string_view name, std::initializer_list<std::string> entries)
{
    std::string lines = "<NETSETING NAME=\"" + std::string(name) + "\" DATATIME=\"08-05-01 14:05:09\" ID=\"" +
                        std::string(id) + "\">";
    for (const std::string& entry : entries)
        lines += "\r\n" + entry;
    return lines + "\r\n</NETSETING>\r\n";
}

AdapterRecord Adapter(std::u16string name, std::u16string mac, std::int32_t mode, std::u16string ip)
{
    AdapterRecord adapter = ManualEntry(name, u"{" + name + u"}", std::move(ip));
    adapter.macAddress = std::move(mac);
    adapter.mode = mode;
    return adapter;
}

class ProfileEditorTest : public StoreTest {
protected:
    void SetUp() override
    {
        inventory = {Adapter(u"LAN", u"00:0c:29:00:00:01", kModeManual, u"192.0.2.10"),
                     Adapter(u"WLAN", u"00:0c:29:00:00:02", kModeDhcp, u""),
                     Adapter(u"LAN 3", u"00:0c:29:00:00:03", kModeManual, u"10.0.0.7")};
        inventory[1].dns1.clear();
        OpenStore("");
    }

    void OpenStore(const std::string& profiles, std::string_view lastId = "3")
    {
        PutFile(ConfigFile(profiles, lastId));
        ASSERT_EQ(1, Reload());
        editor = std::make_unique<CProfileEditor>(*store, messages,
                                                  [this](std::u16string_view line) { logged.emplace_back(line); });
    }

    std::vector<const AdapterRecord*> Inventory() const
    {
        std::vector<const AdapterRecord*> list;
        for (const AdapterRecord& adapter : inventory)
            list.push_back(&adapter);
        return list;
    }

    // Opens the editor on profile "1" and shows its first tab.
    EditorPage EditFirst(const std::string& entries, bool properties = false)
    {
        OpenStore(entries);
        if (properties)
            editor->OpenForProperties(u"1", u"Office");
        else
            editor->OpenForEdit(u"1", u"Office");
        EXPECT_TRUE(editor->Open(Inventory()));
        return editor->SwitchTab(0, {});
    }

    // The profile as the store reads it back after the editor's change.
    const ConnectionSetting& StoredEntry(std::size_t profile, std::size_t entry)
    {
        store->LoadProfiles();
        return *store->Profiles().at(profile)->connections.at(entry);
    }

    // What the controls hold while they show the page, as the dialog reads them.
    static EditorControls Controls(const EditorPage& page)
    {
        EditorControls controls;
        controls.radio = page.radio;
        controls.adapterDisabled = page.adapterDisabled;
        controls.ip = page.ip.value_or(0);
        controls.mask = page.mask.value_or(0);
        controls.gateway = page.gateway.value_or(0);
        controls.dns1 = page.dns1.value_or(0);
        controls.dns2 = page.dns2.value_or(0);
        return controls;
    }

    std::vector<AdapterRecord> inventory;
    CFakeMessageBox messages;
    std::vector<std::u16string> logged;
    std::unique_ptr<CProfileEditor> editor;
};

}  // namespace

TEST(ProfileEditorAddresses, ConvertBetweenControlValueAndText)
{
    EXPECT_EQ(u"10.1.2.5", AddressText(Ip(10, 1, 2, 5)));
    EXPECT_EQ(u"", AddressText(0));  // blank and 0.0.0.0 alike
    EXPECT_EQ(u"255.255.255.0", AddressText(Ip(255, 255, 255, 0)));
    EXPECT_EQ(u"0.1.2.3", AddressText(Ip(0, 1, 2, 3)));  // a partly blank control

    EXPECT_EQ(Ip(192, 168, 1, 20), AddressValue(u"192.168.1.20"));
    EXPECT_EQ(Ip(44, 1, 1, 0), AddressValue(u"300.1.1."));  // low eight bits; an empty part is 0
    EXPECT_EQ(Ip(10, 0, 0, 0), AddressValue(u"10"));
    EXPECT_EQ(Ip(1, 2, 3, 4), AddressValue(u"1x.2.3.4.5"));  // leading digits; the rest goes to the fourth part
}

TEST(ProfileEditorAddresses, OnlyAddressesAControlCanShowPassTheCheck)
{
    EXPECT_TRUE(IsShowableAddress(u"223.255.0.1", false));
    EXPECT_TRUE(IsShowableAddress(u"10.1.2.", false));  // an empty fourth part reads as 0
    for (const char16_t* bad : {u"0.0.0.0", u"224.1.1.1", u"0.1.1.1", u".1.2.3", u"1..2.3", u"1.2.3", u"1.2.256.4",
                                u"1.2.3.256", u""})
        EXPECT_FALSE(IsShowableAddress(bad, false)) << Utf16ToUtf8(bad);

    EXPECT_TRUE(IsShowableAddress(u"255.255.255.0", true));
    EXPECT_TRUE(IsShowableAddress(u"0.255.0.0", true));  // a mask's first part is any byte
    EXPECT_FALSE(IsShowableAddress(u"0.0.0.0", true));
    EXPECT_FALSE(IsShowableAddress(u"999.0.0.0", true));  // would show as 231.0.0.0
}

TEST(ProfileEditorAddresses, TypedAddressSuggestsGatewayAndMask)
{
    const auto suggestion = SuggestFromAddress(Ip(10, 1, 2, 5));
    ASSERT_TRUE(suggestion);
    EXPECT_EQ(Ip(10, 1, 2, 1), suggestion->gateway);
    EXPECT_EQ(Ip(255, 255, 255, 0), suggestion->mask);
    EXPECT_TRUE(SuggestFromAddress(Ip(1, 0, 0, 0)));
    EXPECT_FALSE(SuggestFromAddress(Ip(0, 1, 2, 5)));  // first field still blank
    EXPECT_FALSE(SuggestFromAddress(Ip(224, 0, 0, 1)));
}

TEST(ProfileEditorAddresses, DnsCheckBlanksTheDnsFieldsAndGivesThemBack)
{
    const DnsAutomaticRule on = DnsAutomatic(true);
    EXPECT_TRUE(on.clearDns);
    EXPECT_FALSE(on.enables.dnsFields);
    EXPECT_TRUE(on.enables.dnsCheck);
    const DnsAutomaticRule off = DnsAutomatic(false);
    EXPECT_FALSE(off.clearDns);  // blank fields stay blank, now enabled
    EXPECT_TRUE(off.enables.dnsFields);
    EXPECT_TRUE(off.enables.dnsCheck);
}

TEST_F(ProfileEditorTest, NewProfileHasOneTabPerAdapterFilledFromIt)
{
    ASSERT_TRUE(editor->Open(Inventory()));
    EXPECT_EQ(EditorMode::New, editor->Mode());
    EXPECT_EQ(u"配置方案3", editor->InitialName());
    EXPECT_EQ(u"", editor->OkButtonText());
    ASSERT_EQ(3, editor->TabCount());
    EXPECT_EQ(u"LAN", editor->TabLabel(0));
    EXPECT_EQ(u"LAN 3", editor->TabLabel(2));
    EXPECT_EQ(u"00:0c:29:00:00:02", editor->Records()[1].macAddress);

    const EditorPage first = editor->SwitchTab(0, {});
    EXPECT_TRUE(first.hasRecord);
    EXPECT_EQ(kRadioManual, first.radio);
    EXPECT_EQ((EditorEnables{true, true, false}), first.enables);
    EXPECT_EQ(Ip(192, 0, 2, 10), first.ip);
    EXPECT_EQ(Ip(255, 255, 255, 0), first.mask);
    EXPECT_EQ(Ip(192, 0, 2, 1), first.gateway);
    EXPECT_EQ(Ip(192, 0, 2, 53), first.dns1);
    EXPECT_FALSE(first.dns2);

    // The DHCP adapter without DNS servers gets its DNS automatically.
    const EditorPage second = editor->SwitchTab(1, Controls(first));
    EXPECT_EQ(kRadioDhcp, second.radio);
    EXPECT_TRUE(second.dnsAutomatic);
    EXPECT_EQ((EditorEnables{false, false, true}), second.enables);

    ASSERT_EQ(EditorClose::Ok, editor->Confirm(u"Office"));
    ASSERT_EQ(1u, (store->LoadProfiles(), store->Profiles().size()));
    const IpProfile& stored = *store->Profiles()[0];
    EXPECT_EQ(u"Office", stored.name);
    ASSERT_EQ(3u, stored.connections.size());
    EXPECT_EQ(u"10.0.0.7", stored.connections[2]->ipAddress);  // never shown, stored as opened
    EXPECT_EQ(u"00:0c:29:00:00:03", stored.connections[2]->macAddress);
}

TEST_F(ProfileEditorTest, TypedValuesSurviveSwitchingAwayAndBack)
{
    ASSERT_TRUE(editor->Open(Inventory()));
    editor->SwitchTab(0, {});
    EditorControls typed;
    typed.radio = kRadioManual;
    typed.ip = Ip(10, 1, 2, 5);
    typed.mask = Ip(255, 0, 0, 0);
    typed.gateway = Ip(10, 1, 2, 1);
    typed.dns1 = Ip(223, 5, 5, 5);
    typed.dns2 = Ip(223, 6, 6, 6);
    typed.adapterDisabled = true;
    const EditorPage other = editor->SwitchTab(2, typed);
    EXPECT_EQ(Ip(10, 0, 0, 7), other.ip);  // the other tab shows its own record

    const EditorPage back = editor->SwitchTab(0, Controls(other));
    EXPECT_EQ(kRadioManual, back.radio);
    EXPECT_TRUE(back.adapterDisabled);
    EXPECT_EQ(typed.ip, back.ip);
    EXPECT_EQ(typed.mask, back.mask);
    EXPECT_EQ(typed.gateway, back.gateway);
    EXPECT_EQ(typed.dns1, back.dns1);
    EXPECT_EQ(typed.dns2, back.dns2);
    EXPECT_EQ(0, editor->Records()[0].enabled);
    EXPECT_EQ(u"10.1.2.5", editor->Records()[0].ipAddress);
}

TEST_F(ProfileEditorTest, EditShowsStoredEntriesAndKeepsWhatItDoesNotShow)
{
    const EditorPage page = EditFirst(Profile(
        "1", "Office",
        {Entry("LAN", "1", "192.0.2.9", "", "", {}), Entry("WLAN", "1", "", "", "", {"", "8.8.8.8"}),
         Entry("LAN 3", "2", "224.1.1.1", "0.0.0.0", "10.0.0.1", {"1.1.1.1", "1.0.0.1", "9.9.9.9"}),
         Entry("Odd", "7", "", "", "", {})}));
    EXPECT_EQ(u"Office", editor->InitialName());
    ASSERT_EQ(4, editor->TabCount());
    EXPECT_EQ(u"WLAN", editor->TabLabel(1));
    EXPECT_EQ(u"Intel", editor->Records()[0].description);

    // DHCP without DNS: the automatic check is on and the fields are off and blank.
    EXPECT_EQ(kRadioDhcp, page.radio);
    EXPECT_TRUE(page.dnsAutomatic);
    EXPECT_EQ((EditorEnables{false, false, true}), page.enables);
    EXPECT_FALSE(page.dns1);
    EXPECT_EQ(Ip(192, 0, 2, 9), page.ip);

    // DHCP with one DNS server: the check is off and the server shows.
    const EditorPage wlan = editor->SwitchTab(1, Controls(page));
    EXPECT_FALSE(wlan.dnsAutomatic);
    EXPECT_EQ((EditorEnables{false, true, true}), wlan.enables);
    EXPECT_EQ(Ip(8, 8, 8, 8), wlan.dns1);
    EXPECT_FALSE(wlan.dns2);

    // Addresses no control can show stay blank; the alternate server is the
    // second one stored, as the profile list shows it.
    const EditorPage lan3 = editor->SwitchTab(2, Controls(wlan));
    EXPECT_EQ(kRadioLeaveAlone, lan3.radio);
    EXPECT_FALSE(lan3.ip);
    EXPECT_FALSE(lan3.mask);
    EXPECT_EQ(Ip(10, 0, 0, 1), lan3.gateway);
    EXPECT_EQ(Ip(1, 0, 0, 1), lan3.dns2);

    const EditorPage odd = editor->SwitchTab(3, Controls(lan3));
    EXPECT_EQ(kRadioLeaveAlone, odd.radio);
    EXPECT_EQ(kModeLeaveAlone, editor->Records()[3].mode);

    editor->SwitchTab(3, Controls(odd));
    ASSERT_EQ(EditorClose::Ok, editor->Confirm(u"Office 2"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(u"Office 2", (store->LoadProfiles(), store->Profiles()[0]->name));
    const ConnectionSetting& lan = StoredEntry(0, 0);
    EXPECT_EQ(u"", lan.dns1);
    EXPECT_EQ(u"", lan.dns2);
    EXPECT_EQ(u"00:0c:29:00:00:01", lan.macAddress);
    // "不配置" keeps the stored addresses, even the ones it could not show.
    const ConnectionSetting& kept = StoredEntry(0, 2);
    EXPECT_EQ(kModeLeaveAlone, kept.mode);
    EXPECT_EQ(u"224.1.1.1", kept.ipAddress);
    EXPECT_EQ(u"0.0.0.0", kept.subnetMask);
    EXPECT_EQ(u"1.0.0.1", kept.dns2);
    EXPECT_EQ(kModeLeaveAlone, StoredEntry(0, 3).mode);
}

TEST_F(ProfileEditorTest, ManualStoreWritesEveryFieldAndDhcpOnlyTheDns)
{
    EditFirst(Profile("1", "Office",
                      {Entry("LAN", "0", "192.0.2.9", "255.255.255.0", "192.0.2.1", {"192.0.2.53"}),
                       Entry("WLAN", "0", "192.0.2.10", "255.255.255.0", "192.0.2.1", {})}));
    EditorControls manual;
    manual.radio = kRadioManual;
    manual.ip = Ip(10, 1, 2, 5);  // mask and gateway left blank
    editor->SwitchTab(1, manual);
    EditorControls dhcp;
    dhcp.radio = kRadioDhcp;
    dhcp.ip = Ip(172, 16, 0, 1);  // a disabled field is not read
    dhcp.dns1 = Ip(114, 114, 114, 114);
    editor->SwitchTab(1, dhcp);
    ASSERT_EQ(EditorClose::Ok, editor->Confirm(u"Office"));

    const ConnectionSetting& lan = StoredEntry(0, 0);
    EXPECT_EQ(kModeManual, lan.mode);
    EXPECT_EQ(u"10.1.2.5", lan.ipAddress);
    EXPECT_EQ(u"", lan.subnetMask);
    EXPECT_EQ(u"", lan.dns1);
    const ConnectionSetting& wlan = StoredEntry(0, 1);
    EXPECT_EQ(kModeDhcp, wlan.mode);
    EXPECT_EQ(u"192.0.2.10", wlan.ipAddress);
    EXPECT_EQ(u"114.114.114.114", wlan.dns1);
}

TEST_F(ProfileEditorTest, PropertiesSaysApplyAndStoresNothing)
{
    EditFirst(Profile("1", "Office", {Entry("LAN", "0", "192.0.2.9", "255.255.255.0", "", {})}), true);
    EXPECT_EQ(EditorMode::Properties, editor->Mode());
    EXPECT_EQ(u"启用", editor->OkButtonText());
    const std::string before = DocBytes();
    EditorControls changed;
    changed.radio = kRadioDhcp;
    editor->SwitchTab(0, changed);
    EXPECT_EQ(EditorClose::Ok, editor->Confirm(u"Renamed"));
    EXPECT_EQ(before, DocBytes());

    // A blank name is refused in every mode.
    EXPECT_EQ(EditorClose::StayOpen, editor->Confirm(u""));
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ(u"配置名无效，请重新输入配置名!", messages.shown[0].text);
    EXPECT_EQ(u"Lanvoy", messages.shown[0].caption);
    EXPECT_EQ(kMbOk | kMbIconInformation, messages.shown[0].style);
}

TEST_F(ProfileEditorTest, NewProfileWithANameInUseStoresOnlyWhenTheUserKeepsIt)
{
    OpenStore(Profile("1", "Office", {Entry("LAN", "1", "", "", "", {})}));
    ASSERT_TRUE(editor->Open(Inventory()));
    editor->SwitchTab(0, {});
    const std::string before = DocBytes();

    EXPECT_EQ(EditorClose::StayOpen, editor->Confirm(u""));
    EXPECT_EQ(EditorClose::StayOpen, editor->Confirm(u"Office"));  // the question answered with OK
    EXPECT_EQ(before, DocBytes());
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ(u"配置名已存在，是否重新输入配置名？[确定]重新输入\n[取消]不修改", messages.shown[1].text);
    EXPECT_EQ(0x1u | kMbIconInformation, messages.shown[1].style);

    messages.answer = 2;  // Cancel: keep the name
    EXPECT_EQ(EditorClose::Ok, editor->Confirm(u"Office"));
    store->LoadProfiles();
    ASSERT_EQ(2u, store->Profiles().size());
    EXPECT_EQ(u"Office", store->Profiles()[1]->name);
    EXPECT_EQ(u"4", store->Profiles()[1]->id);

    // A new name asks nothing; a name of blanks is a name.
    messages.shown.clear();
    EXPECT_EQ(EditorClose::Ok, editor->Confirm(u" "));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProfileEditorTest, EditIgnoresNameClashes)
{
    OpenStore(Profile("1", "Office", {Entry("LAN", "1", "", "", "", {})}) +
              Profile("2", "Home", {Entry("LAN", "1", "", "", "", {})}));
    editor->OpenForEdit(u"2", u"Home");
    ASSERT_TRUE(editor->Open(Inventory()));
    editor->SwitchTab(0, {});
    EXPECT_EQ(EditorClose::Ok, editor->Confirm(u"Office"));
    EXPECT_TRUE(messages.shown.empty());
    store->LoadProfiles();
    EXPECT_EQ(u"Office", store->Profiles()[1]->name);
    EXPECT_EQ(u"2", store->Profiles()[1]->id);
}

TEST_F(ProfileEditorTest, AnEditKeepsTheHardwareAddressSoRepairFindsTheRightAdapter)
{
    // The first adapter's address is unknown; an entry without a hardware
    // address would match it before its own adapter.
    inventory = {Adapter(u"Bluetooth", u"", kModeDhcp, u""), Adapter(u"LAN", u"00:0c:29:00:00:01", kModeDhcp, u"")};
    inventory[0].description = u"Bluetooth PAN";
    EditFirst(Profile("1", "Office", {Entry("LAN", "0", "192.0.2.9", "255.255.255.0", "", {})}));
    editor->SwitchTab(0, Controls(editor->SwitchTab(0, {})));
    ASSERT_EQ(EditorClose::Ok, editor->Confirm(u"Office"));
    EXPECT_EQ(u"00:0c:29:00:00:01", StoredEntry(0, 0).macAddress);

    ASSERT_EQ(1, store->Repair(Inventory()));
    const ConnectionSetting& repaired = StoredEntry(0, 0);
    EXPECT_EQ(u"LAN", repaired.connectionName);
    EXPECT_EQ(u"{LAN}", repaired.adapterId);
    EXPECT_EQ(u"192.0.2.9", repaired.ipAddress);
}

TEST_F(ProfileEditorTest, NoAdapterOrNoEntryLeavesNothingToEdit)
{
    for (bool edit : {false, true}) {
        OpenStore(Profile("1", "Empty", {}));
        if (edit)
            editor->OpenForEdit(u"1", u"Empty");
        EXPECT_FALSE(editor->Open({}));
        ASSERT_EQ(1u, messages.shown.size());
        EXPECT_EQ(u"载入对话框错误！", messages.shown[0].text);
        EXPECT_EQ(kMbOk, messages.shown[0].style);
        messages.shown.clear();
    }

    // A stored profile without entries opens with no page; OK keeps its name.
    editor->OpenForEdit(u"1", u"Empty");
    ASSERT_TRUE(editor->Open(Inventory()));
    EXPECT_EQ(0, editor->TabCount());
    const EditorPage page = editor->SwitchTab(0, {});
    EXPECT_FALSE(page.hasRecord);
    EXPECT_EQ((EditorEnables{false, false, false}), page.enables);
    EXPECT_EQ(EditorClose::Ok, editor->Confirm(u"Renamed"));
    EXPECT_EQ(u"Renamed", (store->LoadProfiles(), store->Profiles()[0]->name));
}

TEST_F(ProfileEditorTest, AStoreThatCannotTakeTheProfileIsReportedNotConfirmed)
{
    // A well-formed file without CONFIG is kept as it is.
    PutFile(Lines({kDeclaration, "<LANVOY>", R"(<DNS VERSION="2.0" />)", "</LANVOY>"}));
    EXPECT_EQ(0, Reload());
    CProfileEditor orphan(*store, messages, {});
    ASSERT_TRUE(orphan.Open(Inventory()));
    orphan.SwitchTab(0, {});
    EXPECT_EQ(EditorClose::Cancel, orphan.Confirm(u"Office"));
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ(u"保存配置文件失败!", messages.shown[0].text);
}

TEST_F(ProfileEditorTest, ProvidersComeFromTheDnsElementAndFillTheDnsFields)
{
    CXmlDoc doc;
    doc.SetText(u"<LANVOY><CONFIG/><DNS VERSION=\"2.0\">"
                u"<PROVINCE NAME=\"阿里\"><IP>223.5.5.5</IP><IP>223.6.6.6</IP></PROVINCE>"
                u"<PROVINCE NAME=\"百度\"><IP>180.76.76.76</IP><IP/></PROVINCE>"
                u"<PROVINCE NAME=\"One\"><IP>1.2.4.8</IP></PROVINCE>"
                u"<PROVINCE NAME=\"V6\"><IP>2001:4860::8888</IP><IP>8.8.4.4</IP><IP>9.9.9.9</IP></PROVINCE>"
                u"<PROVINCE NAME=\"阿里\"><IP>1.1.1.1</IP></PROVINCE>"
                u"</DNS></LANVOY>");
    const std::vector<DnsProvider> list = ReadDnsProviders(doc);
    ASSERT_EQ(5u, list.size());
    EXPECT_EQ(u"百度", list[1].name);
    EXPECT_EQ(3u, list[3].addresses.size());

    TempFolder folder;
    TempFolder::Write(folder / "lanvoy.cfg", Utf16ToUtf8(doc.DocText()));
    editor->LoadDnsProviders(folder.Native("lanvoy.cfg"));
    ASSERT_EQ(5u, editor->DnsProviders().size());
    EXPECT_TRUE(logged.empty());

    const auto ali = editor->PickProvider(u"阿里");  // the first of that name
    ASSERT_TRUE(ali);
    EXPECT_EQ(ShownAddress(Ip(223, 5, 5, 5)), ali->dns1);
    EXPECT_EQ(ShownAddress(Ip(223, 6, 6, 6)), ali->dns2);
    const auto baidu = editor->PickProvider(u"百度");  // an empty alternate blanks the field
    ASSERT_TRUE(baidu && baidu->dns2);
    EXPECT_FALSE(*baidu->dns2);
    const auto one = editor->PickProvider(u"One");  // one address leaves the alternate alone
    ASSERT_TRUE(one);
    EXPECT_EQ(ShownAddress(Ip(1, 2, 4, 8)), one->dns1);
    EXPECT_FALSE(one->dns2);
    const auto v6 = editor->PickProvider(u"V6");  // no number made of an address's digits
    ASSERT_TRUE(v6 && v6->dns1);
    EXPECT_FALSE(*v6->dns1);
    EXPECT_EQ(ShownAddress(Ip(8, 8, 4, 4)), v6->dns2);
    EXPECT_FALSE(editor->PickProvider(u"阿"));
}

TEST_F(ProfileEditorTest, AMissingFileOrDnsElementLeavesTheListEmpty)
{
    CXmlDoc doc;
    doc.SetText(u"<LANVOY><CONFIG/></LANVOY>");
    EXPECT_TRUE(ReadDnsProviders(doc).empty());
    doc.SetText(u"<OTHER><DNS><PROVINCE NAME=\"x\"/></DNS></OTHER>");
    EXPECT_TRUE(ReadDnsProviders(doc).empty());

    TempFolder folder;
    editor->LoadDnsProviders(folder.Native("lanvoy.cfg"));
    EXPECT_TRUE(editor->DnsProviders().empty());
    ASSERT_EQ(1u, logged.size());
    EXPECT_EQ(u"初始话DNS数据错误！", logged[0]);
}

// The configuration shipped beside the program: the first saved file with a
// provider list, which the demo configuration carries too.
TEST_F(ProfileEditorTest, TheShippedConfigurationIsTheFirstSavedFileWithProviders)
{
    const std::filesystem::path root = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    const std::string shipped = TempFolder::Read(root / "res" / "lanvoy.cfg");
    const std::string demo = TempFolder::Read(root / "tools" / "demo" / "lanvoy.cfg");
    ASSERT_FALSE(shipped.empty()) << "res/lanvoy.cfg is missing";
    ASSERT_FALSE(demo.empty()) << "tools/demo/lanvoy.cfg is missing";

    const std::string open = "<DNS VERSION=\"2.0\">\r\n", close = "\r\n</DNS>";
    const auto dnsBlock = [&](const std::string& text) {
        const std::size_t begin = text.find(open), end = text.find(close);
        return begin == std::string::npos || end == std::string::npos ? std::string()
                                                                      : text.substr(begin, end + close.size() - begin);
    };
    const std::string block = dnsBlock(shipped);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block, dnsBlock(demo));
    std::string withoutProviders = shipped;
    withoutProviders.replace(withoutProviders.find(block), block.size(), "<DNS VERSION=\"2.0\" />");
    EXPECT_EQ(FirstSavedFile(), withoutProviders);

    // The store takes it as it is, and the editor offers every entry.
    PutFile(shipped);
    ASSERT_EQ(1, Reload());
    EXPECT_TRUE(store->Profiles().empty());
    TempFolder folder;
    TempFolder::Write(folder / "lanvoy.cfg", shipped);
    editor->LoadDnsProviders(folder.Native("lanvoy.cfg"));
    ASSERT_GE(editor->DnsProviders().size(), 8u);
    for (const DnsProvider& provider : editor->DnsProviders()) {
        EXPECT_FALSE(provider.name.empty());
        EXPECT_EQ(2u, provider.addresses.size()) << Utf16ToUtf8(provider.name);
        const auto pick = editor->PickProvider(provider.name);
        ASSERT_TRUE(pick && pick->dns1 && *pick->dns1) << Utf16ToUtf8(provider.name);
        EXPECT_EQ(provider.addresses[0], AddressText(**pick->dns1));
    }
}
