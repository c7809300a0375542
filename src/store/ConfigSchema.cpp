#include "store/ConfigSchema.h"
#include "xml/XmlDoc.h"

#include <iterator>

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

namespace {

bool IsSurrogate(char16_t c, char16_t first, char16_t last)
{
    return c >= first && c <= last;
}

// The length of the character at text[i] when XML can carry it, else 0.
std::size_t CarriedLength(std::u16string_view text, std::size_t i)
{
    char16_t c = text[i];
    if (c < 0x20)
        return (c == u'\t' || c == u'\n' || c == u'\r') ? 1 : 0;
    if (c == 0xFFFE || c == 0xFFFF)
        return 0;
    if (IsSurrogate(c, 0xD800, 0xDBFF))
        return (i + 1 < text.size() && IsSurrogate(text[i + 1], 0xDC00, 0xDFFF)) ? 2 : 0;
    return IsSurrogate(c, 0xDC00, 0xDFFF) ? 0 : 1;
}

}  // namespace

std::u16string Storable(std::u16string_view text)
{
    std::u16string result(text);
    for (std::size_t i = 0; i < result.size();) {
        std::size_t length = CarriedLength(result, i);
        if (length == 0) {
            result[i] = u'?';
            length = 1;
        }
        i += length;
    }
    return result;
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
    auto line = [&](std::u16string_view label, const std::u16string& value) {
        summary += label;
        summary += value;
        summary += u'\n';
    };
    summary += u"【";
    summary += entry.connectionName;
    summary += u"】";
    switch (entry.mode) {
    case kModeManual:
        summary += u'\n';
        line(u"[IP]", entry.ipAddress);
        line(u"[掩码]", entry.subnetMask);
        line(u"[网关]", entry.gateway);
        line(u"[DNS1]", entry.dns1);
        line(u"[DNS2]", entry.dns2);
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
void Take(std::u16string& first, std::vector<std::u16string>& all, std::u16string&& value)
{
    if (first.empty())
        first = value;
    all.push_back(std::move(value));
}

void TakeDns(ConnectionSetting& entry, std::u16string&& value)
{
    if (entry.dns1.empty())
        entry.dns1 = value;
    else if (entry.dns2.empty())
        entry.dns2 = value;
    entry.dnsServers.push_back(std::move(value));
}

const std::u16string_view kLineBreak = u"\r\n";

void AppendAttribute(std::u16string& markup, std::u16string_view name, std::u16string_view value)
{
    markup += u' ';
    markup += name;
    markup += u"=\"";
    markup += CXmlDoc::Escape(Storable(value), CXmlDoc::EscapeQuotes);
    markup += u'"';
}

// <GROUP>, then one <IP> line per value, then </GROUP>, each on its own line.
void AppendGroup(std::u16string& markup, std::u16string_view group,
                 std::initializer_list<const std::u16string*> values)
{
    markup += kLineBreak;
    markup += u'<';
    markup += group;
    markup += u'>';
    for (const std::u16string* value : values) {
        markup += kLineBreak;
        if (value->empty()) {
            markup += u"<IP/>";
        } else {
            markup += u"<IP>";
            markup += CXmlDoc::Escape(Storable(*value));
            markup += u"</IP>";
        }
    }
    markup += kLineBreak;
    markup += u"</";
    markup += group;
    markup += u'>';
}

}  // namespace

void ReadConnection(CXmlDoc& doc, ConnectionSetting& entry)
{
    static constexpr std::u16string_view names[] = {kGuid, kName, kType, kEnableCheck, kMacCode, kMacCodeN};
    std::u16string values[std::size(names)];
    doc.Attributes(names, values);
    entry.adapterId = std::move(values[0]);
    entry.connectionName = std::move(values[1]);
    entry.mode = ReadType(values[2]);
    entry.enabled = ReadEnableCheck(values[3]);
    entry.macAddress = std::move(values[4]);
    entry.networkAddress = std::move(values[5]);

    doc.Enter();
    while (doc.FindNext()) {
        std::u16string group = doc.TagName();
        doc.ResetChildPosition();
        while (doc.FindNextChild()) {
            if (group == kIpGroup)
                Take(entry.ipAddress, entry.ipAddresses, doc.ChildText());
            else if (group == kMaskGroup)
                Take(entry.subnetMask, entry.subnetMasks, doc.ChildText());
            else if (group == kGatewayGroup)
                Take(entry.gateway, entry.gateways, doc.ChildText());
            else if (group == kDnsGroup)
                TakeDns(entry, doc.ChildText());
            else
                break;
        }
    }
    doc.Leave();
}

std::u16string ConnectionMarkup(const ConnectionSetting& entry)
{
    std::u16string markup = u"<CONNECTION";
    AppendAttribute(markup, kName, entry.connectionName);
    AppendAttribute(markup, kGuid, entry.adapterId);
    AppendAttribute(markup, kNetCard, entry.description);
    AppendAttribute(markup, kMacCode, entry.macAddress);
    AppendAttribute(markup, kEnableCheck, entry.enabled != 0 ? u"1" : u"0");
    AppendAttribute(markup, kType, TypeText(entry.mode));
    markup += u'>';
    AppendGroup(markup, kIpGroup, {&entry.ipAddress});
    AppendGroup(markup, kMaskGroup, {&entry.subnetMask});
    AppendGroup(markup, kGatewayGroup, {&entry.gateway});
    AppendGroup(markup, kDnsGroup, {&entry.dns1, &entry.dns2});
    markup += kLineBreak;
    markup += u"</CONNECTION>";
    return markup;
}

std::u16string ConnectionsMarkup(const std::vector<const AdapterRecord*>& records)
{
    std::u16string markup;
    for (const AdapterRecord* record : records) {
        if (!markup.empty())
            markup += kLineBreak;
        markup += ConnectionMarkup(*record);
    }
    return markup;
}

std::u16string ProfileMarkup(std::u16string_view name, std::u16string_view dateTime, std::u16string_view id,
                             const std::vector<const AdapterRecord*>& records)
{
    std::u16string markup = u"<NETSETING";
    AppendAttribute(markup, kName, name);
    AppendAttribute(markup, kDateTime, dateTime);
    AppendAttribute(markup, kId, id);
    if (records.empty())
        return markup + u"/>";
    markup += u'>';
    markup += kLineBreak;
    markup += ConnectionsMarkup(records);
    markup += kLineBreak;
    markup += u"</NETSETING>";
    return markup;
}

bool InsertConnections(CXmlDoc& doc, const std::vector<const AdapterRecord*>& records)
{
    if (records.empty())
        return true;
    // All entries go in as one piece: one splice of the document, not one
    // per tag and attribute.
    if (!doc.Enter())
        return false;
    // Several elements make the result false even when they went in.
    const std::uint64_t before = doc.Revision();
    doc.InsertMarkup(ConnectionsMarkup(records));
    const bool inserted = doc.Revision() != before;
    return doc.Leave() && inserted;
}

}  // namespace config
