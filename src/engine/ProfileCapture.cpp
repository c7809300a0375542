#include "engine/ProfileCapture.h"
#include "net/AdapterList.h"
#include "store/ProfileStore.h"

#include <vector>

AdapterRecord CaptureEntry(const AdapterRecord& adapter)
{
    AdapterRecord entry = adapter;
    entry.ipAddresses.clear();
    entry.subnetMasks.clear();
    entry.gateways.clear();
    entry.dnsServers.clear();
    return entry;
}

int CaptureProfile(CProfileStore& store, const std::u16string& name, const CAdapterList& adapters, int position)
{
    int first = position == kAllAdapters ? 0 : position;
    int end = position == kAllAdapters ? adapters.Count() : position + 1;
    std::vector<AdapterRecord> entries;
    for (int i = first; i < end; ++i) {
        if (const AdapterRecord* adapter = adapters.At(i))
            entries.push_back(CaptureEntry(*adapter));
    }
    std::vector<const AdapterRecord*> records;
    for (const AdapterRecord& entry : entries)
        records.push_back(&entry);
    return store.AddProfile(name, records);
}
