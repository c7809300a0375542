#pragma once
// Capturing the adapters' current settings as a new profile.

#include "net/AdapterRecord.h"

#include <string>

class CAdapterList;
class CProfileStore;

// The fields of an inventory record that a profile entry keeps: the address
// lists stay behind, since a profile stores only the first of each.
AdapterRecord CaptureEntry(const AdapterRecord& adapter);

// Adds a profile named name holding the adapter at position, or every adapter
// of the inventory in its order when position is kAllAdapters. The result is
// AddProfile's.
constexpr int kAllAdapters = -1;
int CaptureProfile(CProfileStore& store, const std::u16string& name, const CAdapterList& adapters,
                   int position = kAllAdapters);
