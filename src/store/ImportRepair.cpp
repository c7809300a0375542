#include "platform/AnsiText.h"
#include "store/ConfigSchema.h"
#include "store/ProfileStore.h"

using namespace config;

namespace {

constexpr std::size_t kMaxImportBytes = 16u << 20;

// An element of an old file goes in only when its text parses on its own, so
// a damaged file can never damage the configuration it is imported into. A
// zero (a crash leaves zero-filled ranges) would end the saved file's text:
// an element holding one is left out too.
bool StandsAlone(const std::u16string& element, std::u16string& markup)
{
    if (element.find(u'\0') != std::u16string::npos)
        return false;
    markup = Storable(element);
    CXmlDoc piece;
    return piece.SetText(markup);
}

bool Matches(const AdapterRecord& adapter, const std::u16string& mac, const std::u16string& card,
             const std::u16string& name)
{
    return adapter.macAddress == mac || adapter.description == card || adapter.connectionName == name;
}

}  // namespace

int CProfileStore::ImportV1(const std::u16string& path)
{
    // An old configuration is a few kilobytes; a file the user picked by
    // mistake may be anything, and is not read whole into memory.
    std::string bytes;
    if (!environment.files.ReadStart(path, kMaxImportBytes + 1, bytes) || bytes.size() > kMaxImportBytes)
        return 0;
    CXmlDoc old;
    old.SetText(AnsiToUtf16(bytes));
    if (!old.FindNext(kConfig))
        return 0;

    std::u16string markup;
    old.Enter();
    while (old.FindNext()) {
        if (old.TagName() == kProfile)
            old.SetAttribute(kId, NextId());
        std::u16string piece;
        if (StandsAlone(old.OuterMarkup(), piece))
            markup += piece + u"\r\n";
    }

    if (!FindConfig() || !doc.Enter())
        return 0;
    if (!markup.empty())
        doc.InsertMarkup(markup);
    return 1;
}

int CProfileStore::Repair(const std::vector<const AdapterRecord*>& adapters)
{
    // One matched flag per present adapter, however many there are.
    std::vector<bool> matched(adapters.size(), false);
    if (!FindConfig() || !doc.Enter())
        return 0;
    while (doc.FindNext(kProfile)) {
        if (doc.Attribute(kId).empty())
            doc.SetAttribute(kId, NextId());

        bool hasEntry = false;
        doc.ResetChildPosition();
        while (doc.FindNextChild(kConnection)) {
            const std::u16string mac = doc.ChildAttribute(kMacCode);
            const std::u16string card = doc.ChildAttribute(kNetCard);
            const std::u16string name = doc.ChildAttribute(kName);
            std::size_t found = 0;
            while (found < adapters.size() && !Matches(*adapters[found], mac, card, name))
                ++found;
            if (found == adapters.size()) {
                doc.RemoveChildElement();
                continue;
            }
            const AdapterRecord& adapter = *adapters[found];
            matched[found] = true;
            doc.SetChildAttribute(kMacCode, Storable(adapter.macAddress));
            doc.SetChildAttribute(kNetCard, Storable(adapter.description));
            doc.SetChildAttribute(kName, Storable(adapter.connectionName));
            doc.SetChildAttribute(kGuid, Storable(adapter.adapterId));
            doc.SavePosition(u"RepairLast");
            hasEntry = true;
        }

        // New entries go after the profile's last adapter entry.
        if (hasEntry)
            doc.RestorePosition(u"RepairLast");
        else
            doc.ResetChildPosition();
        for (std::size_t i = 0; i < adapters.size(); ++i) {
            if (matched[i])
                matched[i] = false;
            else
                InsertConnections(doc, {adapters[i]});
        }
        // Only adapter entries changed, and a number just handed out.
        KeepNumbersInUse();
    }
    return 1;
}
