#include "support/FakeNet.h"

bool CFakeAdapterAddresses::QueryAdapters(std::vector<AdapterAddress>* out)
{
    ++queries;
    if (fails)
        return false;
    *out = adapters;
    return true;
}

bool CFakeDhcpClient::NotifyConfigChange(const DhcpNotification& notification, std::uint32_t* result)
{
    if (!present)
        return false;
    calls.push_back(notification);
    *result = status;
    return true;
}

bool CFakeDeviceInstaller::GetNetDevices(DeviceList* list)
{
    if (listFails)
        return false;
    ++listsOpen;
    *list = static_cast<DeviceList>(++listsCreated);
    return true;
}

bool CFakeDeviceInstaller::EnumDevice(DeviceList, std::uint32_t index)
{
    return index < devices.size();
}

std::uint32_t CFakeDeviceInstaller::GetDeviceDescription(DeviceList, std::uint32_t index, std::u16string* description)
{
    const Device& device = devices.at(index);
    if (device.readError != 0)
        return device.readError;
    *description = device.description;
    return 0;
}

bool CFakeDeviceInstaller::SetPropertyChange(DeviceList, std::uint32_t, std::uint32_t stateChange)
{
    pendingState = stateChange;
    return true;
}

bool CFakeDeviceInstaller::CallPropertyChange(DeviceList, std::uint32_t index)
{
    if (installerRefuses)
        return false;
    changes.push_back({devices.at(index).description, pendingState});
    return true;
}

void CFakeDeviceInstaller::DestroyList(DeviceList)
{
    --listsOpen;
}
