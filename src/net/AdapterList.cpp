#include "net/AdapterList.h"

#include "net/InetAddr.h"
#include "platform/Registry.h"
#include "platform/SystemText.h"

#include <algorithm>

namespace {

const std::u16string kClassRoot = u"System\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";
const std::u16string kNt4Root = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
const std::u16string kNetTransRoot = u"System\\CurrentControlSet\\Services\\Class\\NetTrans";
const std::u16string kTcpIpInterfaces = u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const std::u16string kConnectionRoot =
    u"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";

// A dotted quad has at most 15 characters; longer entries are no address and are left out.
constexpr std::size_t kMaxAddressChars = 15;
// The longest entry a written multi-string carries.
constexpr std::size_t kMaxWrittenEntryChars = 1021;
// DhcpNotifyConfigChange takes the adapter name in a buffer of 256 characters.
constexpr std::size_t kAdapterNameBufferChars = 256;

constexpr std::uint32_t kDhcpEnable = 1;
constexpr std::uint32_t kDhcpDisable = 2;

constexpr std::int32_t kNotifyManual = 2;

std::u16string AddressOrEmpty(const std::u16string& text)
{
    return text.size() > kMaxAddressChars ? std::u16string() : text;
}

// Reads one address value into its first-entry field and its list.
void ReadAddressList(const CRegKey& key, const std::u16string& name, std::u16string& first,
                     std::vector<std::u16string>& all)
{
    RegValue value;
    if (!key.Query(name, &value))
        return;
    first = AddressOrEmpty(RegBytesToText(value.data));
    std::vector<std::u16string> entries;
    CAdapterList::SplitMultiString(value.data.data(), value.data.size(), entries);
    for (auto& entry : entries) {
        if (entry.size() <= kMaxAddressChars)
            all.push_back(std::move(entry));
    }
}

std::vector<std::uint8_t> SingleEntryMultiSz(const std::u16string& text)
{
    return RegMultiSzBytes({text.substr(0, kMaxWrittenEntryChars)});
}

void ReplaceValue(const CRegKey& key, const std::u16string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data)
{
    key.Delete(name);
    key.Set(name, type, data);
}

char16_t HexDigit(unsigned value)
{
    return static_cast<char16_t>(value < 10 ? u'0' + value : u'a' + value - 10);
}

}  // namespace

std::int32_t PlatformCodeFor(const OsVersion& version)
{
    constexpr std::uint32_t kPlatformNt = 2;
    if (version.major >= 6)
        return kPlatformVista;
    if (version.major == 5) {
        switch (version.minor) {
        case 0: return kPlatformWin2000;
        case 1: return kPlatformWinXp;
        case 2: return kPlatformWin2003;
        default: return kPlatformWinXp;
        }
    }
    if (version.platformId == kPlatformNt)
        return version.major <= 4 ? kPlatformNt4 : kPlatformWinXp;
    if (version.major == 4 && version.minor == 90)
        return kPlatformWinMe;
    if (version.major == 4 && version.minor == 10)
        return kPlatformWin95;
    return kPlatformWinXp;
}

CAdapterList::CAdapterList(const NetPlatform& platform) : platform(platform)
{
    DetectPlatform();
}

CAdapterList::~CAdapterList() = default;

void CAdapterList::DetectPlatform()
{
    platformCode = PlatformCodeFor(platform.version.QueryVersion());
}

const AdapterRecord* CAdapterList::At(int position) const
{
    if (position < 0 || position >= Count())
        return nullptr;
    return records[static_cast<std::size_t>(position)].get();
}

const AdapterRecord* CAdapterList::Find(const std::u16string& adapterId) const
{
    for (const auto& record : records) {
        if (record->adapterId == adapterId)
            return record.get();
    }
    return nullptr;
}

std::int32_t CAdapterList::Refresh()
{
    records.clear();
    failures.clear();
    passAddresses.reset();

    const std::u16string& rootPath =
        platformCode > kPlatformNt4 ? kClassRoot : (platformCode == kPlatformNt4 ? kNt4Root : kNetTransRoot);
    CRegKey root(platform.registry);
    if (root.Open(rootPath, IRegistry::Access::Read) != 0)
        return 0;

    std::u16string name;
    for (std::uint32_t index = 0; root.EnumSubKey(index, &name); ++index) {
        const std::u16string subkeyPath = rootPath + u"\\" + name;
        if (IsNineX())
            ReadNineXBinding(subkeyPath, name);
        else
            ReadNtAdapter(subkeyPath);
    }
    passAddresses.reset();
    return Count();
}

void CAdapterList::ReadNtAdapter(const std::u16string& subkeyPath)
{
    CRegKey adapter(platform.registry);
    if (adapter.Open(subkeyPath, IRegistry::Access::Read) != 0)
        return;
    CRegKey interfaces(platform.registry);
    if (interfaces.Open(subkeyPath + u"\\Ndi\\Interfaces", IRegistry::Access::Read) != 0)
        return;

    std::u16string lowerRange, description;
    if (!interfaces.QueryText(u"LowerRange", &lowerRange) || lowerRange.compare(0, 8, u"ethernet") != 0)
        return;
    if (!adapter.QueryText(u"DriverDesc", &description))
        return;

    auto record = std::make_unique<AdapterRecord>();
    record->description = description;

    std::u16string guid;
    if (adapter.QueryText(u"NetCfgInstanceID", &guid)) {
        record->adapterId = guid;
        ReadConnectionName(*record, guid);
        ReadTcpIpSettings(*record, guid);
        record->enabled = 1;
    }
    adapter.QueryText(u"NetworkAddress", &record->networkAddress);

    std::u16string mac;
    if (!record->adapterId.empty() && MacAddressIn(PassAddresses(), record->adapterId, &mac) > 0)
        record->macAddress = mac;
    records.push_back(std::move(record));
}

void CAdapterList::ReadNineXBinding(const std::u16string& subkeyPath, const std::u16string& subkeyName)
{
    CRegKey binding(platform.registry);
    if (binding.Open(subkeyPath, IRegistry::Access::Read) != 0)
        return;
    std::u16string description;
    if (!binding.QueryText(u"DriverDesc", &description) || description != u"TCP/IP")
        return;

    auto record = std::make_unique<AdapterRecord>();
    record->description = u"TCP/IP";
    RegValue gateway;
    if (binding.Query(u"DefaultGateway", &gateway)) {
        record->adapterId = subkeyName;
        ReadTcpIpSettings(*record, subkeyName);
        record->enabled = 1;
    }
    binding.QueryText(u"NetworkAddress", &record->macAddress);
    records.push_back(std::move(record));
}

bool CAdapterList::ReadTcpIpSettings(AdapterRecord& record, const std::u16string& guid)
{
    CRegKey key(platform.registry);
    if (key.Open(TcpIpKeyPath(IsNineX() ? record.adapterId : guid), IRegistry::Access::Read) != 0)
        return false;

    ReadAddressList(key, u"IPAddress", record.ipAddress, record.ipAddresses);
    ReadAddressList(key, IsNineX() ? u"IPMask" : u"SubnetMask", record.subnetMask, record.subnetMasks);
    ReadAddressList(key, u"DefaultGateway", record.gateway, record.gateways);

    std::u16string nameServer;
    if (key.QueryText(u"NameServer", &nameServer))
        SplitNameServers(nameServer, record);

    RegValue dhcp;
    if (key.Query(u"EnableDHCP", &dhcp)) {
        dhcp.data.resize(std::max<std::size_t>(dhcp.data.size(), 2), 0);
        record.mode = static_cast<std::int32_t>(dhcp.data[0] | (dhcp.data[1] << 8));
    } else {
        record.mode = kModeManual;
    }
    return true;
}

void SplitNameServers(const std::u16string& text, AdapterRecord& record)
{
    std::u16string rest = text;
    int n = 0;
    for (std::size_t p = rest.find(u','); p != std::u16string::npos && p > 0; p = rest.find(u',')) {
        std::u16string server = rest.substr(0, p);
        if (n == 0)
            record.dns1 = server;
        else if (n == 1)
            record.dns2 = server;
        record.dnsServers.push_back(server);
        rest = rest.substr(p + 1);
        ++n;
    }
    record.dnsServers.push_back(rest);
    if (n == 0)
        record.dns1 = rest;
    else if (n == 1)
        record.dns2 = rest;
}

void CAdapterList::SplitMultiString(const std::uint8_t* bytes, std::size_t byteCount,
                                    std::vector<std::u16string>& entries)
{
    // Every terminator ends an entry; an empty entry ends the list. A last
    // entry without its terminator still counts.
    const std::size_t n = byteCount / 2;
    std::u16string entry;
    for (std::size_t i = 0; i < n; ++i) {
        char16_t c = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (c != 0) {
            entry.push_back(c);
            continue;
        }
        if (entry.empty())
            return;
        entries.push_back(entry);
        entry.clear();
    }
    if (!entry.empty())
        entries.push_back(entry);
}

bool CAdapterList::ReadConnectionName(AdapterRecord& record, const std::u16string& guid)
{
    CRegKey key(platform.registry);
    std::uint32_t status = key.Open(kConnectionRoot + guid + u"\\Connection", IRegistry::Access::Read);
    if (status != 0) {
        failures.push_back(SystemErrorText(status));
        return false;
    }
    key.QueryText(u"NAME", &record.connectionName);
    return true;
}

const std::vector<AdapterAddress>& CAdapterList::PassAddresses()
{
    // Each query walks every adapter of the machine, so one serves them all.
    if (!passAddresses) {
        passAddresses.emplace();
        if (!platform.addresses.QueryAdapters(&*passAddresses))
            passAddresses->clear();
    }
    return *passAddresses;
}

int CAdapterList::GetMacAddress(const std::u16string& guid, std::u16string* text)
{
    std::vector<AdapterAddress> adapters;
    if (!platform.addresses.QueryAdapters(&adapters))
        return 0;
    return MacAddressIn(adapters, guid, text);
}

int MacAddressIn(const std::vector<AdapterAddress>& adapters, const std::u16string& guid, std::u16string* text)
{
    for (const auto& adapter : adapters) {
        if (adapter.name != guid)
            continue;
        std::u16string mac;
        for (std::size_t i = 0; i < adapter.address.size(); ++i) {
            if (i > 0)
                mac.push_back(u':');
            mac.push_back(HexDigit(adapter.address[i] >> 4));
            mac.push_back(HexDigit(adapter.address[i] & 0xF));
        }
        *text = mac;
        return static_cast<int>(mac.size());
    }
    return 0;
}

std::u16string CAdapterList::TcpIpKeyPath(const std::u16string& adapterId) const
{
    // Key names match case-insensitively, so the 9x binding is read and written under one path.
    return IsNineX() ? kNetTransRoot + u"\\" + adapterId : kTcpIpInterfaces + adapterId;
}

std::int32_t CAdapterList::WriteTcpIpValues(const std::u16string& adapterId, const std::u16string& ip,
                                            const std::u16string& mask, const std::u16string& gateway,
                                            const std::u16string& dns)
{
    CRegKey key(platform.registry);
    if (key.Open(TcpIpKeyPath(adapterId), IRegistry::Access::Write) != 0)
        return 0;
    ReplaceValue(key, u"IPAddress", kRegMultiSz, SingleEntryMultiSz(ip));
    // The 9x layout keeps the mask under the name the inventory reads there.
    ReplaceValue(key, IsNineX() ? u"IPMask" : u"SubnetMask", kRegMultiSz, SingleEntryMultiSz(mask));
    ReplaceValue(key, u"DefaultGateway", kRegMultiSz, SingleEntryMultiSz(gateway));
    ReplaceValue(key, u"NameServer", kRegSz, RegSzBytes(dns));
    SetEnableDhcp(adapterId, 0);
    return 1;
}

std::int32_t CAdapterList::SetEnableDhcp(const std::u16string& adapterId, std::int32_t flag)
{
    CRegKey key(platform.registry);
    if (key.Open(TcpIpKeyPath(adapterId), IRegistry::Access::Write) != 0)
        return 0;
    ReplaceValue(key, u"EnableDHCP", kRegDword, RegDwordBytes(flag != 0 ? 1 : 0));
    return 1;
}

std::int32_t CAdapterList::NotifyDhcpClient(const std::u16string& adapterId, std::uint32_t ipIndex,
                                            const std::u16string& ip, const std::u16string& mask, std::int32_t kind)
{
    if (kind < 0 || kind > kNotifyManual)
        return 0;
    DhcpNotification notification;
    notification.adapterName = adapterId.substr(0, kAdapterNameBufferChars - 1);
    if (kind == kNotifyManual) {
        notification.newIpAddress = true;
        notification.ipIndex = ipIndex;
        notification.ipAddress = InetAddr(ip);
        notification.subnetMask = InetAddr(mask);
        notification.dhcpAction = kDhcpDisable;
    } else {
        notification.dhcpAction = kDhcpEnable;
    }
    std::uint32_t status = 0;
    return platform.dhcp.NotifyConfigChange(notification, &status) && status == 0 ? 1 : 0;
}

std::int32_t CAdapterList::ApplyStatic(const std::u16string& adapterId, std::uint32_t ipIndex,
                                       const std::u16string& ip, const std::u16string& mask,
                                       const std::u16string& gateway, const std::u16string& dns)
{
    if (!WriteTcpIpValues(adapterId, ip, mask, gateway, dns))
        return 0;
    NotifyDhcpClient(adapterId, ipIndex, ip, mask, kNotifyManual);
    if (RestartsOnApply() && SetAdapterEnabled(0, adapterId))
        return SetAdapterEnabled(1, adapterId);
    return 1;
}

std::int32_t CAdapterList::ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns)
{
    if (!WriteTcpIpValues(adapterId, u"0.0.0.0", u"0.0.0.0", u"", dns))
        return 0;
    if (!SetEnableDhcp(adapterId, 1))
        return 0;
    if (RestartsOnApply()) {
        if (!SetAdapterEnabled(0, adapterId))
            return 0;
        return SetAdapterEnabled(1, adapterId);
    }
    NotifyDhcpClient(adapterId, 0, u"", u"", 1);
    return 1;
}

std::int32_t CAdapterList::SetAdapterEnabled(std::int32_t mode, const std::u16string& adapterId)
{
    const AdapterRecord* record = Find(adapterId);
    if (!record)
        return 0;
    const std::u16string description = record->description;
    const std::uint32_t state = mode != 0 ? IDeviceInstaller::kStateEnable : IDeviceInstaller::kStateDisable;

    IDeviceInstaller& devices = platform.devices;
    DeviceList list = 0;
    if (!devices.GetNetDevices(&list))
        return 0;

    std::int32_t result = 0;
    for (std::uint32_t index = 0; devices.EnumDevice(list, index); ++index) {
        std::u16string deviceDescription;
        std::uint32_t error = devices.GetDeviceDescription(list, index, &deviceDescription);
        if (error == IDeviceInstaller::kErrorInvalidData)
            continue;
        if (error != 0) {
            devices.DestroyList(list);
            devices.SetLastError(error);
            return 0;
        }
        if (deviceDescription != description)
            continue;
        devices.SetPropertyChange(list, index, state);
        result = devices.CallPropertyChange(list, index) ? 1 : 0;
        break;
    }
    devices.DestroyList(list);
    return result;
}
