#include "net/Win32Net.h"

#include "platform/WideText.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <setupapi.h>

#include <memory>

namespace {

// {4D36E972-E325-11CE-BFC1-08002BE10318}, the network adapter device class.
const GUID kNetClassGuid = {0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

constexpr ULONG kFirstAdapterBufferBytes = 640;
constexpr int kMaxAdapterNameChars = 261;

using DhcpNotifyConfigChangeFn = DWORD(WINAPI*)(LPWSTR serverName, LPWSTR adapterName, BOOL newIpAddress,
                                                DWORD ipIndex, DWORD ipAddress, DWORD subnetMask, int dhcpAction);

HDEVINFO ToDevInfo(DeviceList list)
{
    return reinterpret_cast<HDEVINFO>(list);
}

bool DeviceAt(DeviceList list, std::uint32_t index, SP_DEVINFO_DATA* data)
{
    *data = {};
    data->cbSize = sizeof(SP_DEVINFO_DATA);
    return SetupDiEnumDeviceInfo(ToDevInfo(list), index, data) != FALSE;
}

}  // namespace

bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

OsVersion CWin32VersionQuery::QueryVersion()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    OsVersion version;
    if (GetVersionExW(&info)) {
        version.major = info.dwMajorVersion;
        version.minor = info.dwMinorVersion;
        version.platformId = info.dwPlatformId;
    }
    return version;
}

bool CWin32AdapterAddresses::QueryAdapters(std::vector<AdapterAddress>* adapters)
{
    ULONG size = kFirstAdapterBufferBytes;
    auto buffer = std::make_unique<unsigned char[]>(size);
    DWORD status = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.get()), &size);
    if (status == ERROR_BUFFER_OVERFLOW) {
        buffer = std::make_unique<unsigned char[]>(size);
        status = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.get()), &size);
    }
    if (status != ERROR_SUCCESS)
        return false;

    adapters->clear();
    for (auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.get()); info; info = info->Next) {
        AdapterAddress adapter;
        wchar_t name[kMaxAdapterNameChars + 1] = {};
        int length = MultiByteToWideChar(CP_ACP, 0, info->AdapterName, -1, name, kMaxAdapterNameChars);
        adapter.name = FromWide(name, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
        for (std::size_t i = 0; i < adapter.address.size() && i < info->AddressLength; ++i)
            adapter.address[i] = info->Address[i];
        adapters->push_back(adapter);
    }
    return true;
}

bool CWin32DhcpClient::NotifyConfigChange(const DhcpNotification& notification, std::uint32_t* status)
{
    HMODULE library = LoadLibraryW(L"dhcpcsvc");
    if (!library)
        return false;
    auto notify = reinterpret_cast<DhcpNotifyConfigChangeFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "DhcpNotifyConfigChange")));
    bool found = notify != nullptr;
    if (found) {
        wchar_t adapterName[256] = {};
        notification.adapterName.copy(reinterpret_cast<char16_t*>(adapterName), 255);
        *status = notify(nullptr, adapterName, notification.newIpAddress ? TRUE : FALSE, notification.ipIndex,
                         notification.ipAddress, notification.subnetMask,
                         static_cast<int>(notification.dhcpAction));
    }
    FreeLibrary(library);
    return found;
}

bool CWin32DeviceInstaller::GetNetDevices(DeviceList* list)
{
    HDEVINFO info = SetupDiGetClassDevsW(&kNetClassGuid, nullptr, nullptr, DIGCF_PRESENT);
    if (info == INVALID_HANDLE_VALUE)
        return false;
    *list = reinterpret_cast<DeviceList>(info);
    return true;
}

bool CWin32DeviceInstaller::EnumDevice(DeviceList list, std::uint32_t index)
{
    SP_DEVINFO_DATA data;
    return DeviceAt(list, index, &data);
}

std::uint32_t CWin32DeviceInstaller::GetDeviceDescription(DeviceList list, std::uint32_t index,
                                                          std::u16string* description)
{
    SP_DEVINFO_DATA data;
    if (!DeviceAt(list, index, &data))
        return GetLastError();
    DWORD size = 0;
    std::unique_ptr<BYTE[]> buffer;
    while (!SetupDiGetDeviceRegistryPropertyW(ToDevInfo(list), &data, SPDRP_DEVICEDESC, nullptr, buffer.get(),
                                              buffer ? size : 0, &size)) {
        DWORD error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER)
            return error;
        // One more character of zeros, so the text is ended whatever the device stored.
        buffer = std::make_unique<BYTE[]>(size + sizeof(wchar_t));
    }
    *description = buffer ? FromWide(reinterpret_cast<const wchar_t*>(buffer.get())) : std::u16string();
    return 0;
}

bool CWin32DeviceInstaller::SetPropertyChange(DeviceList list, std::uint32_t index, std::uint32_t stateChange)
{
    SP_DEVINFO_DATA data;
    if (!DeviceAt(list, index, &data))
        return false;
    SP_PROPCHANGE_PARAMS params = {};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = stateChange;
    params.Scope = DICS_FLAG_CONFIGSPECIFIC;
    params.HwProfile = 0;
    return SetupDiSetClassInstallParamsW(ToDevInfo(list), &data, &params.ClassInstallHeader, sizeof params) !=
           FALSE;
}

bool CWin32DeviceInstaller::CallPropertyChange(DeviceList list, std::uint32_t index)
{
    SP_DEVINFO_DATA data;
    if (!DeviceAt(list, index, &data))
        return false;
    return SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, ToDevInfo(list), &data) != FALSE;
}

void CWin32DeviceInstaller::DestroyList(DeviceList list)
{
    DWORD error = GetLastError();
    SetupDiDestroyDeviceInfoList(ToDevInfo(list));
    ::SetLastError(error);
}

void CWin32DeviceInstaller::SetLastError(std::uint32_t code)
{
    ::SetLastError(code);
}

bool CWineDhcpClient::NotifyConfigChange(const DhcpNotification&, std::uint32_t*)
{
    return false;
}

bool CWineDeviceInstaller::SetPropertyChange(DeviceList list, std::uint32_t index, std::uint32_t)
{
    return EnumDevice(list, index);
}

bool CWineDeviceInstaller::CallPropertyChange(DeviceList list, std::uint32_t index)
{
    return EnumDevice(list, index);
}
