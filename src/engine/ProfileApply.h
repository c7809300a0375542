#pragma once
// Applying a stored profile: every adapter entry, in document order, is
// checked and written to its adapter, or left alone.

#include "net/NetPlatform.h"

#include <string>
#include <string_view>

class CProfileStore;

// The address checks of an entry: the text before the first "." must not be
// "0"; for the two-part check the text after the last "." must not be "0" either.
bool PassesLeadingPartTest(std::u16string_view address);
bool PassesTwoPartTest(std::u16string_view address);

class CProfileApplier {
public:
    CProfileApplier(CProfileStore& store, const NetPlatform& platform) : store(store), platform(platform) {}

    // True when at least one entry was applied or left alone; false for an
    // unknown or empty profile, when every entry failed, or when a bad
    // address of a manual entry stopped the run (with a message).
    bool ApplyProfile(const std::u16string& id);

private:
    CProfileStore& store;
    NetPlatform platform;
};
