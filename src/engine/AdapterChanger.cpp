#include "engine/AdapterChanger.h"
#include "engine/AdapterFailures.h"

bool CDirectAdapterChanger::ApplyStatic(const std::u16string& adapterId, const std::u16string& ip,
                                        const std::u16string& mask, const std::u16string& gateway,
                                        const std::u16string& dns)
{
    CAdapterList adapters(platform);
    RefreshAndTell(adapters, platform.messages);
    return adapters.ApplyStatic(adapterId, 0, ip, mask, gateway, dns) != 0;
}

bool CDirectAdapterChanger::ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns)
{
    CAdapterList adapters(platform);
    RefreshAndTell(adapters, platform.messages);
    return adapters.ApplyDhcp(adapterId, dns) != 0;
}

bool CDirectAdapterChanger::SetAdapterEnabled(const std::u16string& adapterId, bool enable)
{
    CAdapterList adapters(platform);
    RefreshAndTell(adapters, platform.messages);
    return adapters.SetAdapterEnabled(enable ? 1 : 0, adapterId) != 0;
}
