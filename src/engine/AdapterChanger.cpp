#include "engine/AdapterChanger.h"
#include "net/AdapterList.h"

bool CDirectAdapterChanger::ApplyStatic(const std::u16string& adapterId, const std::u16string& ip,
                                        const std::u16string& mask, const std::u16string& gateway,
                                        const std::u16string& dns)
{
    CAdapterList adapters(platform);
    adapters.Refresh();
    return adapters.ApplyStatic(adapterId, 0, ip, mask, gateway, dns) != 0;
}

bool CDirectAdapterChanger::ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns)
{
    CAdapterList adapters(platform);
    adapters.Refresh();
    return adapters.ApplyDhcp(adapterId, dns) != 0;
}

bool CDirectAdapterChanger::SetAdapterEnabled(const std::u16string& adapterId, bool enable)
{
    CAdapterList adapters(platform);
    adapters.Refresh();
    return adapters.SetAdapterEnabled(enable ? 1 : 0, adapterId) != 0;
}
