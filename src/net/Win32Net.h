#pragma once
// The adapter layer's platform interfaces over the real Win32 API.

#include "net/NetPlatform.h"
#include "platform/Win32Registry.h"

// True inside Wine, whose network is the host's and not ours to change.
bool RunningUnderWine();

class CWin32VersionQuery : public IVersionQuery {
public:
    OsVersion QueryVersion() override;
};

class CWin32AdapterAddresses : public IAdapterAddressQuery {
public:
    bool QueryAdapters(std::vector<AdapterAddress>* adapters) override;
};

class CWin32DhcpClient : public IDhcpClient {
public:
    bool NotifyConfigChange(const DhcpNotification& notification, std::uint32_t* status) override;
};

class CWin32DeviceInstaller : public IDeviceInstaller {
public:
    bool GetNetDevices(DeviceList* list) override;
    bool EnumDevice(DeviceList list, std::uint32_t index) override;
    std::uint32_t GetDeviceDescription(DeviceList list, std::uint32_t index, std::u16string* description) override;
    bool SetPropertyChange(DeviceList list, std::uint32_t index, std::uint32_t stateChange) override;
    bool CallPropertyChange(DeviceList list, std::uint32_t index) override;
    void DestroyList(DeviceList list) override;
    void SetLastError(std::uint32_t code) override;
};

// The real implementations together, created once at start-up.
struct CWin32NetPlatform {
    CWin32Registry registry;
    CWin32VersionQuery version;
    CWin32AdapterAddresses addresses;
    CWin32DhcpClient dhcp;
    CWin32DeviceInstaller devices;

    NetPlatform Platform(IMessageBox& messages)
    {
        return NetPlatform{registry, version, addresses, dhcp, devices, messages};
    }
};
