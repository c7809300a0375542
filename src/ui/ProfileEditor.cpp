#include "ui/ProfileEditor.h"

#include "store/ConfigSchema.h"
#include "text/DecimalText.h"
#include "xml/XmlDoc.h"
#include "ui/Texts.h"

#include <array>

namespace {

const char16_t kDnsLoadError[] = u"初始话DNS数据错误！";
const char16_t kEmptyName[] = u"配置名无效，请重新输入配置名!";
const char16_t kNameInUse[] = u"配置名已存在，是否重新输入配置名？[确定]重新输入\n[取消]不修改";
const char16_t kApplyText[] = u"启用";

constexpr std::uint32_t kMbOkCancel = 0x1;
constexpr int kIdCancel = 2;

// The four dotted parts: cut at the first three dots, the last part holding
// everything after the third. Missing dots leave the later parts empty.
std::array<std::u16string_view, 4> DottedParts(std::u16string_view text, int* dots)
{
    std::array<std::u16string_view, 4> parts{};
    *dots = 0;
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t dot = text.find(u'.', start);
        if (dot == std::u16string_view::npos) {
            parts[static_cast<std::size_t>(i)] = text.substr(start);
            return parts;
        }
        parts[static_cast<std::size_t>(i)] = text.substr(start, dot - start);
        start = dot + 1;
        ++*dots;
    }
    parts[3] = text.substr(start);
    return parts;
}

ShownAddress Shown(const std::u16string& text, bool isMask)
{
    if (text.empty() || !IsShowableAddress(text, isMask))
        return std::nullopt;
    return AddressValue(text);
}

std::vector<const AdapterRecord*> Pointers(const std::vector<ConnectionSetting>& records)
{
    std::vector<const AdapterRecord*> list;
    list.reserve(records.size());
    for (const ConnectionSetting& record : records)
        list.push_back(&record);
    return list;
}

}  // namespace

int RadioForMode(std::int32_t mode)
{
    if (mode == kModeManual)
        return kRadioManual;
    if (mode == kModeDhcp)
        return kRadioDhcp;
    return kRadioLeaveAlone;
}

std::int32_t ModeForRadio(int radio)
{
    if (radio == kRadioLeaveAlone)
        return kModeLeaveAlone;
    if (radio == kRadioDhcp)
        return kModeDhcp;
    return kModeManual;
}

std::u16string AddressText(std::uint32_t value)
{
    if (value == 0)
        return {};
    std::u16string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text += u'.';
        text += DecimalText((value >> shift) & 0xFF);
    }
    return text;
}

std::uint32_t AddressValue(std::u16string_view text)
{
    int dots = 0;
    const auto parts = DottedParts(text, &dots);
    std::uint32_t value = 0;
    for (std::u16string_view part : parts)
        value = (value << 8) | (static_cast<std::uint32_t>(config::LeadingNumber(part)) & 0xFF);
    return value;
}

bool IsShowableAddress(std::u16string_view text, bool isMask)
{
    if (text == u"0.0.0.0")
        return false;
    int dots = 0;
    const auto parts = DottedParts(text, &dots);
    if (dots < 3 || parts[0].empty() || parts[1].empty() || parts[2].empty())
        return false;
    const std::int32_t first = config::LeadingNumber(parts[0]);
    // A mask's first byte is any byte; a host's is a unicast network.
    if (isMask ? first > 255 : (first < 1 || first > 223))
        return false;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (config::LeadingNumber(parts[i]) > 255)
            return false;
    }
    return true;
}

EditorEnables EnablesForRadio(int radio)
{
    switch (radio) {
    case kRadioLeaveAlone:
        return {false, false, false};
    case kRadioDhcp:
        return {false, true, true};
    default:
        return {true, true, false};
    }
}

DnsAutomaticRule DnsAutomatic(bool checked)
{
    if (checked)
        return {{false, false, true}, true};
    return {{false, true, true}, false};
}

std::optional<AddressSuggestion> SuggestFromAddress(std::uint32_t ip)
{
    const std::uint32_t first = ip >> 24;
    if (first < 1 || first > 223)
        return std::nullopt;
    return AddressSuggestion{(ip & 0xFFFFFF00u) | 1u, 0xFFFFFF00u};
}

std::vector<DnsProvider> ReadDnsProviders(CXmlDoc& doc)
{
    std::vector<DnsProvider> list;
    doc.ResetPosition();
    if (!doc.FindNext(config::kRoot) || !doc.Enter() || !doc.FindNext(config::kDns) || !doc.Enter())
        return list;
    while (doc.FindNext()) {
        DnsProvider provider;
        provider.name = doc.Attribute(config::kName);
        doc.ResetChildPosition();
        while (doc.FindNextChild())
            provider.addresses.push_back(doc.ChildText());
        list.push_back(std::move(provider));
    }
    doc.Leave();
    return list;
}

CProfileEditor::CProfileEditor(CProfileStore& store, IMessageBox& messages, LogWriter writeSystemLog)
    : store(store), messages(messages), writeSystemLog(std::move(writeSystemLog))
{
}

void CProfileEditor::OpenForEdit(const std::u16string& id, const std::u16string& name)
{
    profileId = id;
    profileName = name;
    editFlag = true;
}

void CProfileEditor::OpenForProperties(const std::u16string& id, const std::u16string& name)
{
    profileId = id;
    profileName = name;
    propertiesFlag = true;
}

EditorMode CProfileEditor::Mode() const
{
    if (editFlag)
        return EditorMode::Edit;
    return propertiesFlag ? EditorMode::Properties : EditorMode::New;
}

void CProfileEditor::LoadDnsProviders(const std::u16string& path)
{
    providers.clear();
    CXmlDoc doc;
    if (!doc.LoadFile(path)) {
        if (writeSystemLog)
            writeSystemLog(kDnsLoadError);
        return;
    }
    providers = ReadDnsProviders(doc);
}

std::optional<ProviderPick> CProfileEditor::PickProvider(std::u16string_view name) const
{
    for (const DnsProvider& provider : providers) {
        if (provider.name != name)
            continue;
        // An address the control cannot show blanks its field rather than
        // showing a number made of its digits.
        ProviderPick pick;
        if (!provider.addresses.empty())
            pick.dns1 = Shown(provider.addresses[0], false);
        if (provider.addresses.size() > 1)
            pick.dns2 = Shown(provider.addresses[1], false);
        return pick;
    }
    return std::nullopt;
}

bool CProfileEditor::Open(const std::vector<const AdapterRecord*>& inventory)
{
    records.clear();
    shownTab = -1;
    if (inventory.empty()) {
        messages.Show(owner, kDialogLoadError, kMessageCaption, kMbOk);
        return false;
    }
    if (Mode() == EditorMode::New) {
        initialName = kNewNamePrefix + store.LastIdText();
        for (const AdapterRecord* adapter : inventory) {
            if (adapter != nullptr)
                records.push_back(*adapter);
        }
        return true;
    }
    initialName = profileName;
    return ReadStoredEntries();
}

bool CProfileEditor::ReadStoredEntries()
{
    CXmlDoc entries;
    // Several entries side by side are not one document, but each is indexed.
    entries.SetText(store.GetProfileContent(profileId));
    while (entries.FindNext()) {
        ConnectionSetting entry;
        // Read as the profile list reads it, hardware address included: an
        // edit keeps what it does not show.
        config::ReadConnection(entries, entry);
        entry.description = entries.Attribute(config::kNetCard);
        if (entry.mode != kModeManual && entry.mode != kModeDhcp)
            entry.mode = kModeLeaveAlone;
        records.push_back(std::move(entry));
    }
    return true;
}

std::u16string CProfileEditor::OkButtonText() const
{
    return Mode() == EditorMode::Properties ? std::u16string(kApplyText) : std::u16string();
}

void CProfileEditor::StoreShown(const EditorControls& controls)
{
    ConnectionSetting& record = records[static_cast<std::size_t>(shownTab)];
    record.enabled = controls.adapterDisabled ? 0 : 1;
    record.mode = ModeForRadio(controls.radio);
    switch (record.mode) {
    case kModeLeaveAlone:
        // The addresses stay for when the adapter is set again.
        break;
    case kModeDhcp:
        record.dns1 = AddressText(controls.dns1);
        record.dns2 = AddressText(controls.dns2);
        break;
    default:
        record.ipAddress = AddressText(controls.ip);
        record.subnetMask = AddressText(controls.mask);
        record.gateway = AddressText(controls.gateway);
        record.dns1 = AddressText(controls.dns1);
        record.dns2 = AddressText(controls.dns2);
        break;
    }
}

EditorPage CProfileEditor::PageOf(ConnectionSetting& record) const
{
    EditorPage page;
    page.hasRecord = true;
    page.ip = Shown(record.ipAddress, false);
    page.mask = Shown(record.subnetMask, true);
    page.gateway = Shown(record.gateway, false);
    page.dns1 = Shown(record.dns1, false);
    page.dns2 = Shown(record.dns2, false);
    page.adapterDisabled = record.enabled == 0;
    page.radio = RadioForMode(record.mode);
    record.mode = ModeForRadio(page.radio);  // an unknown mode leaves the adapter alone
    switch (page.radio) {
    case kRadioManual:
        page.enables = EnablesForRadio(kRadioManual);
        break;
    case kRadioDhcp: {
        page.dnsAutomatic = record.dns1.empty() && record.dns2.empty();
        const DnsAutomaticRule rule = DnsAutomatic(page.dnsAutomatic);
        page.enables = {false, rule.enables.dnsFields, rule.enables.dnsCheck};
        if (rule.clearDns)
            page.dns1 = page.dns2 = std::nullopt;
        break;
    }
    default:
        page.enables = EnablesForRadio(kRadioLeaveAlone);
        break;
    }
    return page;
}

EditorPage CProfileEditor::SwitchTab(int selected, const EditorControls& controls)
{
    if (shownTab >= 0 && shownTab < TabCount())
        StoreShown(controls);
    if (selected < 0 || selected >= TabCount()) {
        shownTab = -1;
        return EditorPage{};
    }
    shownTab = selected;
    return PageOf(records[static_cast<std::size_t>(selected)]);
}

EditorClose CProfileEditor::Confirm(const std::u16string& name)
{
    if (name.empty()) {
        messages.Show(owner, kEmptyName, kMessageCaption, kMbOk | kMbIconInformation);
        return EditorClose::StayOpen;
    }
    const EditorMode mode = Mode();
    if (mode == EditorMode::Properties)
        return EditorClose::Ok;
    int stored = 0;
    if (mode == EditorMode::Edit) {
        stored = store.UpdateProfile(profileId, name, Pointers(records));
    } else {
        // Only an explicit "keep this name" stores a second profile under it.
        if (store.NameExists(name) &&
            messages.Show(owner, kNameInUse, kMessageCaption, kMbOkCancel | kMbIconInformation) != kIdCancel)
            return EditorClose::StayOpen;
        stored = store.AddProfile(name, Pointers(records));
    }
    if (stored == 0) {
        // Nothing went in: the main window must not save and report success.
        messages.Show(owner, kSaveFailed, kMessageCaption, kMbOk | kMbIconStop);
        return EditorClose::Cancel;
    }
    return EditorClose::Ok;
}
