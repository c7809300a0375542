#include "ui/ChangeRoute.h"

#include "text/DecimalText.h"

ChangeRoute ChooseChangeRoute(const ServiceState& service, bool elevated)
{
    if (service.answered)
        return ChangeRoute::Service;
    return elevated ? ChangeRoute::Direct : ChangeRoute::Elevate;
}

std::u16string ServiceFactsText(const ServiceState& service)
{
    if (!service.answered)
        return u"服务：无应答";
    return u"服务：已应答，版本 " + service.version + u"，已处理请求 " +
           DecimalText(static_cast<long long>(service.served));
}
