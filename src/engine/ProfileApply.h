#pragma once
// Applying a stored profile: every adapter entry, in document order, is
// checked and written to its adapter, or left alone.

#include "engine/AdapterChanger.h"
#include "net/NetPlatform.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CProfileStore;

// The address checks of an entry: the text before the first "." must not be
// "0"; for the two-part check the text after the last "." must not be "0" either.
bool PassesLeadingPartTest(std::u16string_view address);
bool PassesTwoPartTest(std::u16string_view address);

// How an apply went. `applied`: at least one entry was applied or left
// alone; not for an unknown or empty profile, when every entry failed, or when
// a bad address of a manual entry stopped the run. `stop` then says why, for
// the user (a stop box before the failure's own). `failures`: what the
// inventory could not read at each change made, in the system's words, for
// the user before anything else.
struct ApplyResult {
    bool applied = false;
    std::u16string stop;
    std::vector<std::u16string> failures;
};

class CProfileApplier {
public:
    // Changes the adapters from this process.
    CProfileApplier(CProfileStore& store, const NetPlatform& platform);
    // Changes them through `changer`: the service, or this process.
    CProfileApplier(CProfileStore& store, IAdapterChanger& changer) : store(store), changer(changer) {}

    ApplyResult ApplyProfile(const std::u16string& id);

private:
    CProfileStore& store;
    std::unique_ptr<IAdapterChanger> ownChanger;
    IAdapterChanger& changer;
};
