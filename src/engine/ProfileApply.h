#pragma once
// Applying a stored profile: every adapter entry, in document order, is
// checked and written to its adapter, or left alone.

#include "engine/AdapterChanger.h"
#include "net/NetPlatform.h"

#include <memory>
#include <string>
#include <string_view>

class CProfileStore;

// The address checks of an entry: the text before the first "." must not be
// "0"; for the two-part check the text after the last "." must not be "0" either.
bool PassesLeadingPartTest(std::u16string_view address);
bool PassesTwoPartTest(std::u16string_view address);

class CProfileApplier {
public:
    // Changes the adapters from this process.
    CProfileApplier(CProfileStore& store, const NetPlatform& platform);
    // Changes them through `changer`: the service, or this process.
    CProfileApplier(CProfileStore& store, IMessageBox& messages, IAdapterChanger& changer)
        : store(store), messages(messages), changer(changer)
    {
    }

    // True when at least one entry was applied or left alone; false for an
    // unknown or empty profile, when every entry failed, or when a bad
    // address of a manual entry stopped the run (with a message).
    bool ApplyProfile(const std::u16string& id);

private:
    CProfileStore& store;
    IMessageBox& messages;
    std::unique_ptr<IAdapterChanger> ownChanger;
    IAdapterChanger& changer;
};
