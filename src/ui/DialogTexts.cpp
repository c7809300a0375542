#include "ui/DialogTexts.h"

#include "net/AdapterList.h"

#include <vector>

namespace {

// Every entry of every address list, each on a line of its own between
// blank lines, the lists in the order the user reads them.
void AppendAddresses(std::u16string& text, const AdapterRecord& adapter)
{
    const struct {
        const char16_t* label;
        const std::vector<std::u16string>& entries;
    } lists[] = {
        {u"默认IP地址:", adapter.ipAddresses},
        {u"子网掩码:", adapter.subnetMasks},
        {u"默认网关:", adapter.gateways},
        {u"默认DNS服务器:", adapter.dnsServers},
    };
    for (const auto& list : lists) {
        for (const std::u16string& entry : list.entries)
            text += u"\r\n" + std::u16string(list.label) + entry + u"\r\n";
    }
}

const char16_t* StateLine(const AdapterRecord& adapter)
{
    return adapter.enabled == 1 ? u"\r\n网络状态:启用" : u"\r\n网络状态:禁用";
}

}  // namespace

std::u16string AdapterTitle(const AdapterRecord& adapter)
{
    return adapter.connectionName + u"-->" + adapter.description;
}

std::u16string BackupDetails(const AdapterRecord& adapter)
{
    std::u16string text;
    if (adapter.mode == kModeDhcp) {
        text = u"自动获取IP配置\r\n";
    } else {
        text = u"手动配置获取IP配置\r\n";
        AppendAddresses(text, adapter);
    }
    return text + StateLine(adapter);
}

std::u16string CurrentIpDetails(const CAdapterList& adapters)
{
    const std::u16string separator = u"\r\n" + std::u16string(40, u'=') + u"\r\n";
    std::u16string text;
    for (int i = 0; i < adapters.Count(); ++i) {
        const AdapterRecord& adapter = *adapters.At(i);
        text += AdapterTitle(adapter);
        if (adapter.mode == kModeDhcp)
            text += u"\r\n自动获取IP配置！\r\n";
        else
            AppendAddresses(text, adapter);
        text += StateLine(adapter);
        text += separator;
    }
    return text;
}
