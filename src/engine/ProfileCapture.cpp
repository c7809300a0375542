#include "engine/ProfileCapture.h"
#include "net/AdapterList.h"
#include "store/ProfileStore.h"

#include <vector>

AdapterRecord CaptureEntry(const AdapterRecord& adapter)
{
    AdapterRecord entry;
    entry.adapterId = adapter.adapterId;
    entry.description = adapter.description;
    entry.connectionName = adapter.connectionName;
    entry.enabled = adapter.enabled;
    entry.mode = adapter.mode;
    entry.macAddress = adapter.macAddress;
    entry.networkAddress = adapter.networkAddress;
    entry.ipAddress = adapter.ipAddress;
    entry.subnetMask = adapter.subnetMask;
    entry.gateway = adapter.gateway;
    entry.dns1 = adapter.dns1;
    entry.dns2 = adapter.dns2;
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
