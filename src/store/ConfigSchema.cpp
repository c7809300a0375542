#include "store/ConfigSchema.h"
#include "xml/XmlDoc.h"

#include <climits>

namespace config {

std::u16string DefaultDocument()
{
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           u"<LANVOY>\r\n"
           u"<CONFIG LASTID=\"0\" VERSION=\"2.0\" />\r\n"
           u"<DNS VERSION=\"2.0\" />\r\n"
           u"<SYSCONFIG VERSION=\"2.0\" />\r\n"
           u"</LANVOY>";
}

std::int32_t LeadingNumber(std::u16string_view text)
{
    std::int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
        if (value > INT32_MAX)
            return INT32_MAX;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t ReadEnableCheck(std::u16string_view text)
{
    return text == u"0" ? 0 : 1;
}

std::int32_t ReadType(std::u16string_view text)
{
    if (text == u"0")
        return kModeManual;
    if (text == u"1")
        return kModeDhcp;
    if (text == u"2")
        return kModeLeaveAlone;
    return kModeUnrecognised;
}

std::u16string TypeText(std::int32_t mode)
{
    if (mode == kModeManual)
        return u"0";
    if (mode == kModeDhcp)
        return u"1";
    return u"2";
}

std::int32_t ReadSwitch(std::u16string_view text)
{
    return text == u"FALSE" ? 0 : 1;
}

std::u16string SwitchText(std::int32_t on)
{
    return on != 0 ? u"TRUE" : u"FALSE";
}

std::u16string TimeStamp(const LocalTime& time)
{
    auto two = [](int value) {
        value = ((value % 100) + 100) % 100;
        return std::u16string{static_cast<char16_t>(u'0' + value / 10), static_cast<char16_t>(u'0' + value % 10)};
    };
    return two(time.year) + u"-" + two(time.month) + u"-" + two(time.day) + u" " + two(time.hour) + u":" +
           two(time.minute) + u":" + two(time.second);
}

void AppendSummary(std::u16string& summary, const ConnectionSetting& entry)
{
    summary += u"【" + entry.connectionName + u"】";
    switch (entry.mode) {
    case kModeManual:
        summary += u"\n[IP]" + entry.ipAddress + u"\n" + u"[掩码]" + entry.subnetMask + u"\n" + u"[网关]" +
                   entry.gateway + u"\n" + u"[DNS1]" + entry.dns1 + u"\n" + u"[DNS2]" + entry.dns2 + u"\n";
        break;
    case kModeDhcp:
        summary += u"-自动获取IP\n";
        break;
    case kModeLeaveAlone:
        summary += u"-不配置\n";
        break;
    default:
        break;
    }
}

namespace {

// A value fills the record's first-address field only while it is empty.
void Take(std::u16string& first, std::vector<std::u16string>& all, const std::u16string& value)
{
    if (first.empty())
        first = value;
    all.push_back(value);
}

void TakeDns(ConnectionSetting& entry, const std::u16string& value)
{
    if (entry.dns1.empty())
        entry.dns1 = value;
    else if (entry.dns2.empty())
        entry.dns2 = value;
    entry.dnsServers.push_back(value);
}

void WriteGroup(CXmlDoc& doc, std::u16string_view group, std::initializer_list<const std::u16string*> values)
{
    doc.AppendChildElement(group);
    doc.Enter();
    for (const std::u16string* value : values)
        doc.AppendChildElement(kAddress, *value);
    doc.Leave();
}

}  // namespace

void ReadConnection(CXmlDoc& doc, ConnectionSetting& entry)
{
    entry.adapterId = doc.Attribute(kGuid);
    entry.connectionName = doc.Attribute(kName);
    entry.mode = ReadType(doc.Attribute(kType));
    entry.enabled = ReadEnableCheck(doc.Attribute(kEnableCheck));
    entry.macAddress = doc.Attribute(kMacCode);
    entry.networkAddress = doc.Attribute(kMacCodeN);

    doc.Enter();
    while (doc.FindNext()) {
        std::u16string group = doc.TagName();
        doc.ResetChildPosition();
        while (doc.FindNextChild()) {
            std::u16string value = doc.ChildText();
            if (group == kIpGroup)
                Take(entry.ipAddress, entry.ipAddresses, value);
            else if (group == kMaskGroup)
                Take(entry.subnetMask, entry.subnetMasks, value);
            else if (group == kGatewayGroup)
                Take(entry.gateway, entry.gateways, value);
            else if (group == kDnsGroup)
                TakeDns(entry, value);
            else
                break;
        }
    }
    doc.Leave();
}

void WriteConnection(CXmlDoc& doc, const ConnectionSetting& entry)
{
    doc.AppendChildElement(kConnection);
    doc.SetChildAttribute(kName, entry.connectionName);
    doc.SetChildAttribute(kGuid, entry.adapterId);
    doc.SetChildAttribute(kNetCard, entry.description);
    doc.SetChildAttribute(kMacCode, entry.macAddress);
    doc.SetChildAttribute(kEnableCheck, entry.enabled != 0 ? u"1" : u"0");
    doc.SetChildAttribute(kType, TypeText(entry.mode));
    doc.Enter();
    WriteGroup(doc, kIpGroup, {&entry.ipAddress});
    WriteGroup(doc, kMaskGroup, {&entry.subnetMask});
    WriteGroup(doc, kGatewayGroup, {&entry.gateway});
    WriteGroup(doc, kDnsGroup, {&entry.dns1, &entry.dns2});
    doc.Leave();
}

}  // namespace config
