#pragma once
// The profile editor without a window: one record per adapter tab, the page
// the shared controls show for a record, what a tab switch stores from them,
// the address conversions and check, the gateway and mask suggestion, the
// DNS provider list, and the name checks on OK with the store calls.
//
// The dialog reads its controls into EditorControls, asks this model, and
// writes the EditorPage or the answer back; it decides nothing itself.

#include "net/AdapterRecord.h"
#include "platform/MessageBox.h"
#include "store/ProfileStore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The mode radio group in the order of its buttons; the stored mode runs the
// other way (radio 0 is mode 2).
enum EditorRadio : int {
    kRadioLeaveAlone = 0,  // "不配置"
    kRadioDhcp = 1,        // "自动获取"
    kRadioManual = 2,      // "手动输入"
};

// A mode other than manual or automatic shows as "不配置"; no radio checked
// stores as manual.
int RadioForMode(std::int32_t mode);
std::int32_t ModeForRadio(int radio);

// An IP address control's 32-bit value as dotted text, first byte most
// significant; 0.0.0.0 (which a blank control reads as) is the empty text.
std::u16string AddressText(std::uint32_t value);
// Dotted text to a control's value: cut at the first three dots, each part's
// leading digits (none is 0), low eight bits of each.
std::uint32_t AddressValue(std::u16string_view text);
// Whether a stored address is shown: not 0.0.0.0, three dots with the first
// three parts present, parts 0..255, the first 1..223 (a mask's first part
// 0..255).
bool IsShowableAddress(std::u16string_view text, bool isMask);

// A control left blank, or the value it shows.
using ShownAddress = std::optional<std::uint32_t>;

// The enable switches of the page: the IP group (address, mask, gateway), the
// DNS fields (both servers and the provider list) and the DNS-automatic check.
struct EditorEnables {
    bool ipGroup = false;
    bool dnsFields = false;
    bool dnsCheck = false;
    bool operator==(const EditorEnables&) const = default;
};

// What a click on a mode radio switches; no check changes state.
EditorEnables EnablesForRadio(int radio);

// The DNS-automatic check clicked to `checked`: with it on, the DNS fields go
// off and blank; with it off, the fields and the check are on.
struct DnsAutomaticRule {
    EditorEnables enables;  // ipGroup is not touched by the rule
    bool clearDns = false;
};
DnsAutomaticRule DnsAutomatic(bool checked);

// The address typed so far suggests a gateway (its first three bytes and 1)
// and the mask 255.255.255.0, when its first byte is 1..223.
struct AddressSuggestion {
    std::uint32_t gateway = 0;
    std::uint32_t mask = 0;
};
std::optional<AddressSuggestion> SuggestFromAddress(std::uint32_t ip);

// What the page's controls hold, as the dialog reads them (blank fields of an
// address control read as 0).
struct EditorControls {
    int radio = kRadioLeaveAlone;
    bool adapterDisabled = false;  // "禁用网卡"
    std::uint32_t ip = 0;
    std::uint32_t mask = 0;
    std::uint32_t gateway = 0;
    std::uint32_t dns1 = 0;
    std::uint32_t dns2 = 0;
};

// What the page's controls show for one record.
struct EditorPage {
    bool hasRecord = false;  // a profile without entries has no page to edit
    int radio = kRadioLeaveAlone;
    bool adapterDisabled = false;
    bool dnsAutomatic = false;  // the DNS-automatic check
    EditorEnables enables;
    ShownAddress ip, mask, gateway, dns1, dns2;
};

// One entry of the DNS element: its NAME and the texts of its children.
struct DnsProvider {
    std::u16string name;
    std::vector<std::u16string> addresses;
};

// The DNS element's entries in document order; none when the root or the DNS
// element is missing.
std::vector<DnsProvider> ReadDnsProviders(CXmlDoc& doc);

// What picking a provider does to the two DNS fields: nothing (empty), set a
// value, or blank the field (an address the control cannot show).
struct ProviderPick {
    std::optional<ShownAddress> dns1;
    std::optional<ShownAddress> dns2;
};

enum class EditorMode { New, Edit, Properties };

// How OK ends: the dialog stays open, or closes with OK or Cancel.
enum class EditorClose { StayOpen, Ok, Cancel };

class CProfileEditor {
public:
    using LogWriter = std::function<void(std::u16string_view)>;

    CProfileEditor(CProfileStore& store, IMessageBox& messages, LogWriter writeSystemLog);
    // The dialog the boxes belong to, named by the dialog once it exists.
    void SetOwner(WindowHandle window) { owner = window; }

    // Called before the dialog opens; without either the editor makes a new profile.
    void OpenForEdit(const std::u16string& id, const std::u16string& name);
    void OpenForProperties(const std::u16string& id, const std::u16string& name);
    EditorMode Mode() const;

    // Reads the provider list from a configuration file; a file that cannot
    // be loaded is logged and leaves the list empty.
    void LoadDnsProviders(const std::u16string& path);
    const std::vector<DnsProvider>& DnsProviders() const { return providers; }
    // The first provider named exactly `name`; nothing for an unknown name.
    std::optional<ProviderPick> PickProvider(std::u16string_view name) const;

    // Builds the records: new profiles from the adapters in inventory order,
    // others from the stored profile's entries. False, after telling the
    // user, when the machine has no adapter: the dialog does not open.
    bool Open(const std::vector<const AdapterRecord*>& inventory);

    // The name the name field starts with.
    const std::u16string& InitialName() const { return initialName; }
    // "启用" in properties mode; empty keeps the button's own text.
    std::u16string OkButtonText() const;

    int TabCount() const { return static_cast<int>(records.size()); }
    const std::u16string& TabLabel(int tab) const { return records.at(static_cast<std::size_t>(tab)).connectionName; }
    const std::vector<ConnectionSetting>& Records() const { return records; }
    int ShownTab() const { return shownTab; }

    // The controls go into the record they show (if any), then the page of
    // the selected tab. OK calls it with the tab already shown.
    EditorPage SwitchTab(int selected, const EditorControls& controls);

    // OK after the switch, with the name field's text: checks the name, asks
    // about a name in use, and stores the profile.
    EditorClose Confirm(const std::u16string& name);

private:
    void StoreShown(const EditorControls& controls);
    EditorPage PageOf(ConnectionSetting& record) const;
    bool ReadStoredEntries();

    CProfileStore& store;
    IMessageBox& messages;
    WindowHandle owner = nullptr;
    LogWriter writeSystemLog;

    bool editFlag = false;
    bool propertiesFlag = false;
    std::u16string profileId;
    std::u16string profileName;

    std::u16string initialName;
    std::vector<ConnectionSetting> records;
    int shownTab = -1;
    std::vector<DnsProvider> providers;
};
