#include "engine/AdapterChanger.h"
#include "net/AdapterList.h"

void CDirectAdapterChanger::Refresh(CAdapterList& adapters)
{
    adapters.Refresh();
    failures = adapters.Failures();
}

bool CDirectAdapterChanger::ApplyStatic(const std::u16string& adapterId, const std::u16string& ip,
                                        const std::u16string& mask, const std::u16string& gateway,
                                        const std::u16string& dns)
{
    CAdapterList adapters(platform);
    Refresh(adapters);
    return adapters.ApplyStatic(adapterId, 0, ip, mask, gateway, dns) != 0;
}

bool CDirectAdapterChanger::ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns)
{
    CAdapterList adapters(platform);
    Refresh(adapters);
    return adapters.ApplyDhcp(adapterId, dns) != 0;
}

bool CDirectAdapterChanger::SetAdapterEnabled(const std::u16string& adapterId, bool enable)
{
    CAdapterList adapters(platform);
    Refresh(adapters);
    return adapters.SetAdapterEnabled(enable ? 1 : 0, adapterId) != 0;
}
