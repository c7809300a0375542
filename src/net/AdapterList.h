#pragma once
// The machine's Ethernet adapters with their TCP/IP settings, and every
// operation that changes an adapter.

#include "net/AdapterRecord.h"
#include "net/NetPlatform.h"

#include <memory>
#include <optional>

// Which generation of the registry layout the machine has.
enum PlatformCode : std::int32_t {
    kPlatformWin95 = 2,
    kPlatformWinMe = 3,
    kPlatformNt4 = 4,
    kPlatformWin2000 = 5,
    kPlatformWinXp = 6,
    kPlatformWin2003 = 7,
    kPlatformVista = 8,
};

std::int32_t PlatformCodeFor(const OsVersion& version);

class CAdapterList {
public:
    explicit CAdapterList(const NetPlatform& platform);
    virtual ~CAdapterList();
    CAdapterList(const CAdapterList&) = delete;
    CAdapterList& operator=(const CAdapterList&) = delete;

    void DetectPlatform();
    std::int32_t PlatformCode() const { return platformCode; }

    // Inventory. What a refresh could not read stays in Failures(), in the
    // system's words, for the layer above to show.
    std::int32_t Refresh();
    const std::vector<std::u16string>& Failures() const { return failures; }
    bool ReadTcpIpSettings(AdapterRecord& record, const std::u16string& guid);
    bool ReadConnectionName(AdapterRecord& record, const std::u16string& guid);
    int GetMacAddress(const std::u16string& guid, std::u16string* text);
    static void SplitMultiString(const std::uint8_t* bytes, std::size_t byteCount,
                                 std::vector<std::u16string>& entries);

    int Count() const { return static_cast<int>(records.size()); }
    const AdapterRecord* At(int position) const;
    const AdapterRecord* Find(const std::u16string& adapterId) const;

    // TCP/IP settings.
    std::int32_t WriteTcpIpValues(const std::u16string& adapterId, const std::u16string& ip,
                                  const std::u16string& mask, const std::u16string& gateway,
                                  const std::u16string& dns);
    std::int32_t SetEnableDhcp(const std::u16string& adapterId, std::int32_t flag);
    std::int32_t NotifyDhcpClient(const std::u16string& adapterId, std::uint32_t ipIndex, const std::u16string& ip,
                                  const std::u16string& mask, std::int32_t kind);
    std::int32_t ApplyStatic(const std::u16string& adapterId, std::uint32_t ipIndex, const std::u16string& ip,
                             const std::u16string& mask, const std::u16string& gateway, const std::u16string& dns);
    std::int32_t ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns);

    // Enable (mode non-zero) or disable (mode 0) the adapter's device.
    std::int32_t SetAdapterEnabled(std::int32_t mode, const std::u16string& adapterId);

private:
    bool IsNineX() const { return platformCode < kPlatformNt4; }
    bool RestartsOnApply() const { return platformCode > kPlatformWinXp; }
    std::u16string TcpIpKeyPath(const std::u16string& adapterId) const;
    void ReadNtAdapter(const std::u16string& subkeyPath);
    void ReadNineXBinding(const std::u16string& subkeyPath, const std::u16string& subkeyName);
    const std::vector<AdapterAddress>& PassAddresses();

    NetPlatform platform;
    std::vector<std::unique_ptr<AdapterRecord>> records;
    std::vector<std::u16string> failures;
    // The system's adapter addresses, asked once per refresh; empty if that failed.
    std::optional<std::vector<AdapterAddress>> passAddresses;
    std::int32_t platformCode = kPlatformWinXp;
};

// The MAC address, "xx:xx:..", of the adapter named guid among adapters; its length, or 0.
int MacAddressIn(const std::vector<AdapterAddress>& adapters, const std::u16string& guid, std::u16string* text);

// The NameServer text split at its commas.
void SplitNameServers(const std::u16string& text, AdapterRecord& record);
