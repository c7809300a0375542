#include "ipc/IpcError.h"

#include "text/DecimalText.h"

namespace {

struct Texts {
    IpcError code;
    const char16_t* english;
    const char16_t* chinese;
};

constexpr Texts kTexts[] = {
    {IpcError::kOk, u"done", u"已完成"},
    {IpcError::kTruncated, u"the request is incomplete", u"请求不完整"},
    {IpcError::kOversized, u"the request is too long", u"请求过长"},
    {IpcError::kBadMagic, u"not a Lanvoy request", u"不是 Lanvoy 请求"},
    {IpcError::kWrongVersion, u"the request is of another version", u"请求版本不符"},
    {IpcError::kBadLength, u"the request's length is wrong", u"请求长度错误"},
    {IpcError::kTrailingBytes, u"the request has bytes after its end", u"请求末尾有多余数据"},
    {IpcError::kUnknownKind, u"unknown request", u"未知的请求"},
    {IpcError::kBadAdapterId, u"the adapter GUID is malformed", u"网卡 GUID 格式错误"},
    {IpcError::kBadIpAddress, u"the IP address is invalid", u"非法IP地址"},
    {IpcError::kBadMask, u"the subnet mask is invalid", u"非法子网掩码"},
    {IpcError::kBadGateway, u"the gateway is invalid", u"非法网关"},
    {IpcError::kBadDnsCount, u"too many DNS servers", u"DNS 服务器过多"},
    {IpcError::kBadDnsServer, u"a DNS server is invalid", u"非法 DNS 服务器"},
    {IpcError::kUnusedFieldSet, u"the request fills a field its kind does not use", u"请求含有多余字段"},
    {IpcError::kUnknownAdapter, u"no such Ethernet adapter", u"找不到该以太网卡"},
    {IpcError::kChangeFailed, u"the adapter could not be changed", u"无法更改网卡设置"},
    {IpcError::kBusy, u"the service is busy", u"服务繁忙"},
    {IpcError::kNoService, u"the service does not run", u"服务未运行"},
    {IpcError::kTransportFailed, u"the service did not answer", u"服务没有应答"},
    {IpcError::kNotTheService, u"another program holds the service's pipe", u"服务管道被其他程序占用"},
    {IpcError::kBadAnswer, u"the service's answer is malformed", u"服务应答格式错误"},
    {IpcError::kUnencodable, u"a value does not fit the request", u"请求无法容纳该值"},
};

}  // namespace

std::u16string IpcErrorText(IpcError code, TextLanguage language)
{
    for (const Texts& texts : kTexts) {
        if (texts.code == code)
            return language == TextLanguage::kChinese ? texts.chinese : texts.english;
    }
    const std::u16string number = DecimalText(static_cast<int>(code));
    return language == TextLanguage::kChinese ? u"服务错误 " + number : u"service error " + number;
}
