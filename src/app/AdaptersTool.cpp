// lanvoy-adapters: prints the machine's Ethernet adapters as the inventory sees
// them. With "-window" the same text is shown in a message box.

#include "net/AdapterList.h"
#include "net/Win32Net.h"
#include "platform/Win32MessageBox.h"
#include "platform/Win32Registry.h"
#include "platform/WideText.h"
#include "text/DecimalText.h"
#include "ui/AdapterFailures.h"
#include "ui/Texts.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

// Notices from the inventory go to the error stream instead of a window.
class CConsoleMessages : public IMessageBox {
public:
    int Show(WindowHandle, const std::u16string& text, const std::u16string& caption, std::uint32_t) override;
};

void Write(HANDLE stream, const std::u16string& text)
{
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(stream, &mode)) {
        WriteConsoleW(stream, Wide(text), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    int bytes = WideCharToMultiByte(CP_UTF8, 0, Wide(text), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Wide(text), static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
    WriteFile(stream, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

int CConsoleMessages::Show(WindowHandle, const std::u16string& text, const std::u16string& caption, std::uint32_t)
{
    Write(GetStdHandle(STD_ERROR_HANDLE), caption + u": " + text + u"\r\n");
    return kIdOk;
}

std::u16string Join(const std::vector<std::u16string>& entries)
{
    std::u16string text;
    for (const auto& entry : entries)
        text += (text.empty() ? u"" : u", ") + entry;
    return text;
}

std::u16string Describe(const CAdapterList& list)
{
    std::u16string text = u"平台代码 " + DecimalText(list.PlatformCode()) + u"，网卡 " + DecimalText(list.Count()) + u" 块\r\n";
    for (int i = 0; i < list.Count(); ++i) {
        const AdapterRecord& r = *list.At(i);
        text += u"\r\n[" + DecimalText(i + 1) + u"] " + r.description + u"\r\n";
        text += u"  连接名称: " + r.connectionName + u"\r\n";
        text += u"  网卡标识: " + r.adapterId + u"\r\n";
        text += u"  MAC地址:  " + r.macAddress + u"\r\n";
        text += u"  获取方式: " + std::u16string(r.mode == kModeDhcp ? u"自动获取(DHCP)" : u"手动设置") + u"\r\n";
        text += u"  IP地址:   " + Join(r.ipAddresses) + u"\r\n";
        text += u"  子网掩码: " + Join(r.subnetMasks) + u"\r\n";
        text += u"  默认网关: " + Join(r.gateways) + u"\r\n";
        text += u"  DNS服务器: " + Join(r.dnsServers) + u"\r\n";
    }
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    bool window = argc > 1 && _wcsicmp(argv[1], L"-window") == 0;

    CWin32NetPlatform system(RunningUnderWine());
    CConsoleMessages consoleMessages;
    CWin32MessageBox windowMessages;
    IMessageBox& messages = window ? static_cast<IMessageBox&>(windowMessages) : consoleMessages;

    CAdapterList list(system.Platform());
    if (RefreshAndTell(list, messages, nullptr) == 0) {
        messages.Show(nullptr, kAdaptersLoadError, kMessageCaption, kMbOk | kMbIconStop);
        return 1;
    }
    const std::u16string text = Describe(list);
    if (window)
        messages.Show(nullptr, text, kMessageCaption, kMbOk | kMbIconInformation);
    else
        Write(GetStdHandle(STD_OUTPUT_HANDLE), text);
    return 0;
}
