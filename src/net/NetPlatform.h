#pragma once
// The thin interfaces the adapter layer reaches the system through. Each has a
// Win32 implementation (Win32Net.h) and a recording double (FakeNet.h).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class IRegistry;

struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t platformId = 0;  // 2 is the NT platform
};

class IVersionQuery {
public:
    virtual ~IVersionQuery() = default;
    // A zero-filled answer when the query fails.
    virtual OsVersion QueryVersion() = 0;
};

struct AdapterAddress {
    std::u16string name;  // the adapter's name, converted from the ANSI code page
    std::array<std::uint8_t, 6> address{};
};

class IAdapterAddressQuery {
public:
    virtual ~IAdapterAddressQuery() = default;
    // The adapter list in the system's order; false when the query fails.
    virtual bool QueryAdapters(std::vector<AdapterAddress>* adapters) = 0;
};

// The arguments of DhcpNotifyConfigChange, server name always null.
struct DhcpNotification {
    std::u16string adapterName;
    bool newIpAddress = false;
    std::uint32_t ipIndex = 0;
    std::uint32_t ipAddress = 0;   // network byte order, as inet_addr gives it
    std::uint32_t subnetMask = 0;  // network byte order
    std::uint32_t dhcpAction = 0;  // 1 enable DHCP, 2 disable DHCP

    bool operator==(const DhcpNotification&) const = default;
};

class IDhcpClient {
public:
    virtual ~IDhcpClient() = default;
    // Calls the entry point in "dhcpcsvc"; false when the library or the entry
    // point is missing, otherwise true with the entry point's result in *status.
    virtual bool NotifyConfigChange(const DhcpNotification& notification, std::uint32_t* status) = 0;
};

// SetupAPI's device list of present network adapters, one call per operation.
using DeviceList = std::uintptr_t;

class IDeviceInstaller {
public:
    static constexpr std::uint32_t kStateEnable = 1;   // DICS_ENABLE
    static constexpr std::uint32_t kStateDisable = 2;  // DICS_DISABLE
    static constexpr std::uint32_t kErrorInvalidData = 13;
    static constexpr std::uint32_t kErrorInsufficientBuffer = 122;

    virtual ~IDeviceInstaller() = default;
    // Present devices of the network adapter class; false on failure.
    virtual bool GetNetDevices(DeviceList* list) = 0;
    // False once the index is past the last device.
    virtual bool EnumDevice(DeviceList list, std::uint32_t index) = 0;
    // 0 with the description, or the error code of the failed read
    // (kErrorInvalidData for a device without one).
    virtual std::uint32_t GetDeviceDescription(DeviceList list, std::uint32_t index, std::u16string* description) = 0;
    // Sets the property-change parameters for the state, config-specific, current hardware profile.
    virtual bool SetPropertyChange(DeviceList list, std::uint32_t index, std::uint32_t stateChange) = 0;
    // Calls the class installer with DIF_PROPERTYCHANGE.
    virtual bool CallPropertyChange(DeviceList list, std::uint32_t index) = 0;
    // Destroys the list, leaving the thread's last error as it was.
    virtual void DestroyList(DeviceList list) = 0;
    virtual void SetLastError(std::uint32_t code) = 0;
};

// Everything CAdapterList needs, created once at start-up and passed down.
struct NetPlatform {
    IRegistry& registry;
    IVersionQuery& version;
    IAdapterAddressQuery& addresses;
    IDhcpClient& dhcp;
    IDeviceInstaller& devices;
};
