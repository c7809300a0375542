#pragma once
// The adapter layer's platform interfaces over the real Win32 API.

#include "net/NetPlatform.h"
#include "platform/Win32Registry.h"

// True inside Wine, whose network is the host's and not ours to change. Asked
// once at start-up, to choose the implementations below.
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

// Under Wine, DhcpNotifyConfigChange is a stub that aborts the process when
// called, and it could not change the host's network anyway: the client
// reports the entry point as missing.
class CWineDhcpClient : public IDhcpClient {
public:
    bool NotifyConfigChange(const DhcpNotification& notification, std::uint32_t* status) override;
};

// Wine keeps no device state to change: its class-install parameters are a
// stub that always fails. The demo machine's adapters are registry entries
// only, so there a restart is done once the device is found.
class CWineDeviceInstaller : public CWin32DeviceInstaller {
public:
    bool SetPropertyChange(DeviceList list, std::uint32_t index, std::uint32_t stateChange) override;
    bool CallPropertyChange(DeviceList list, std::uint32_t index) override;
};

// The real implementations together, created once at start-up; `underWine`
// picks the DHCP client and device installer that Wine can carry.
class CWin32NetPlatform {
public:
    explicit CWin32NetPlatform(bool underWine)
        : dhcp(underWine ? static_cast<IDhcpClient&>(wineDhcp) : windowsDhcp),
          devices(underWine ? static_cast<IDeviceInstaller&>(wineDevices) : windowsDevices)
    {
    }
    CWin32NetPlatform(const CWin32NetPlatform&) = delete;
    CWin32NetPlatform& operator=(const CWin32NetPlatform&) = delete;

    NetPlatform Platform() { return NetPlatform{registry, version, addresses, dhcp, devices}; }

    CWin32Registry registry;
    CWin32VersionQuery version;
    CWin32AdapterAddresses addresses;

private:
    CWin32DhcpClient windowsDhcp;
    CWineDhcpClient wineDhcp;
    CWin32DeviceInstaller windowsDevices;
    CWineDeviceInstaller wineDevices;

public:
    IDhcpClient& dhcp;
    IDeviceInstaller& devices;
};
