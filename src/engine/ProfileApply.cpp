#include "engine/ProfileApply.h"
#include "store/ConfigSchema.h"
#include "store/ProfileStore.h"
#include "xml/XmlDoc.h"

using namespace config;

namespace {

std::u16string_view LeadingPart(std::u16string_view address)
{
    std::size_t dot = address.find(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view() : address.substr(0, dot);
}

std::u16string_view TrailingPart(std::u16string_view address)
{
    std::size_t dot = address.rfind(u'.');
    return dot == std::u16string_view::npos ? address : address.substr(dot + 1);
}

struct Entry {
    std::u16string guid;
    std::u16string name;
    std::int32_t mode = kModeLeaveAlone;
    std::u16string ip;
    std::u16string mask;
    std::u16string gateway;
    std::u16string dns;
};

// Anything but "0" and "1" leaves the adapter alone.
std::int32_t EntryMode(const std::u16string& type)
{
    std::int32_t mode = ReadType(type);
    return mode == kModeManual || mode == kModeDhcp ? mode : kModeLeaveAlone;
}

// Reads the addresses of the entry at the main position. A manual entry with
// a bad IP address or mask gives the message that stops the run.
std::u16string ReadAddresses(CXmlDoc& entries, Entry& entry)
{
    const bool manual = entry.mode == kModeManual;
    std::u16string stop;
    entries.Enter();
    while (stop.empty() && entries.FindNext()) {
        const std::u16string group = entries.TagName();
        entries.ResetChildPosition();
        while (entries.FindNextChild()) {
            const std::u16string address = entries.ChildText();
            if (group == kDnsGroup) {
                // A missing alternate server is stored as an empty address.
                if (!address.empty() && PassesTwoPartTest(address))
                    entry.dns += (entry.dns.empty() ? u"" : u",") + address;
                continue;  // every DNS server counts
            }
            if (group == kIpGroup) {
                if (PassesTwoPartTest(address))
                    entry.ip = address;
                else if (manual)
                    stop = u"网络配置【" + entry.name + u"】中存在非法IP地址!" + address;
            } else if (group == kMaskGroup) {
                if (PassesLeadingPartTest(address))
                    entry.mask = address;
                else if (manual)
                    stop = u"网络配置【" + entry.name + u"】中存在非法子网掩码：" + address;
            } else if (group == kGatewayGroup) {
                entry.gateway = PassesTwoPartTest(address) ? address : std::u16string();
            }
            break;  // of the other groups only the first address counts
        }
    }
    entries.Leave();
    return stop;
}

}  // namespace

bool PassesLeadingPartTest(std::u16string_view address)
{
    return LeadingPart(address) != u"0";
}

bool PassesTwoPartTest(std::u16string_view address)
{
    return PassesLeadingPartTest(address) && TrailingPart(address) != u"0";
}

CProfileApplier::CProfileApplier(CProfileStore& store, const NetPlatform& platform)
    : store(store),
      ownChanger(std::make_unique<CDirectAdapterChanger>(platform)),
      changer(*ownChanger)
{
}

ApplyResult CProfileApplier::ApplyProfile(const std::u16string& id)
{
    const std::u16string content = store.GetProfileContent(id);
    if (content.empty())
        return {};
    // Several top-level entries make the text "not well formed"; every one is
    // indexed all the same.
    CXmlDoc entries;
    entries.SetText(content);

    ApplyResult result;
    while (entries.FindNext()) {
        Entry entry;
        entry.guid = entries.Attribute(kGuid);
        entry.name = entries.Attribute(kName);
        entry.mode = EntryMode(entries.Attribute(kType));
        result.stop = ReadAddresses(entries, entry);
        if (!result.stop.empty()) {
            result.applied = false;
            return result;
        }
        if (entry.mode == kModeLeaveAlone) {
            result.applied = true;
            continue;
        }
        const bool done = entry.mode == kModeManual
                              ? changer.ApplyStatic(entry.guid, entry.ip, entry.mask, entry.gateway, entry.dns)
                              : changer.ApplyDhcp(entry.guid, entry.dns);
        result.applied = done || result.applied;
        const std::vector<std::u16string> failures = changer.Failures();
        result.failures.insert(result.failures.end(), failures.begin(), failures.end());
    }
    return result;
}
