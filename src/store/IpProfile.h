#pragma once
// One stored profile as the profile list shows it.

#include "net/AdapterRecord.h"

#include <memory>
#include <string>
#include <vector>

struct IpProfile {
    std::u16string id;        // the ID attribute, compared as text
    std::u16string name;
    std::u16string dateTime;  // shown as stored, never parsed
    std::vector<std::unique_ptr<ConnectionSetting>> connections;
    std::u16string summary;   // one block of lines per adapter entry
};
