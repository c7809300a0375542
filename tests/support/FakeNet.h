#pragma once
// Recording doubles of the adapter layer's platform interfaces, over the
// in-memory registry.

#include "net/NetPlatform.h"
#include "support/MemoryRegistry.h"

class CFakeVersionQuery : public IVersionQuery {
public:
    OsVersion QueryVersion() override { return version; }
    OsVersion version{6, 1, 2};
};

class CFakeAdapterAddresses : public IAdapterAddressQuery {
public:
    bool QueryAdapters(std::vector<AdapterAddress>* out) override;
    std::vector<AdapterAddress> adapters;
    bool fails = false;
    int queries = 0;
};

class CFakeDhcpClient : public IDhcpClient {
public:
    bool NotifyConfigChange(const DhcpNotification& notification, std::uint32_t* status) override;
    bool present = true;     // the library and its entry point exist
    std::uint32_t status = 0;
    std::vector<DhcpNotification> calls;
};

class CFakeDeviceInstaller : public IDeviceInstaller {
public:
    struct Device {
        std::u16string description;
        std::uint32_t readError = 0;  // what reading the description fails with, 0 for none
    };
    struct Change {
        std::u16string description;
        std::uint32_t stateChange;
    };

    bool GetNetDevices(DeviceList* list) override;
    bool EnumDevice(DeviceList list, std::uint32_t index) override;
    std::uint32_t GetDeviceDescription(DeviceList list, std::uint32_t index, std::u16string* description) override;
    bool SetPropertyChange(DeviceList list, std::uint32_t index, std::uint32_t stateChange) override;
    bool CallPropertyChange(DeviceList list, std::uint32_t index) override;
    void DestroyList(DeviceList list) override;
    void SetLastError(std::uint32_t code) override { lastError = code; }

    std::vector<Device> devices;
    bool listFails = false;
    bool installerRefuses = false;

    int listsOpen = 0;
    int listsCreated = 0;
    std::vector<Change> changes;  // what the class installer carried out
    std::uint32_t lastError = 0;

private:
    std::uint32_t pendingState = 0;
};

// One set of doubles wired together.
struct CFakeNetPlatform {
    CMemoryRegistry registry;
    CFakeVersionQuery version;
    CFakeAdapterAddresses addresses;
    CFakeDhcpClient dhcp;
    CFakeDeviceInstaller devices;

    NetPlatform Platform() { return NetPlatform{registry, version, addresses, dhcp, devices}; }
};
