#pragma once
// One network adapter as the inventory reports it, and equally one adapter
// entry of a profile.

#include <cstdint>
#include <string>
#include <vector>

struct AdapterRecord {
    std::u16string adapterId;       // NetCfgInstanceID (NT), NetTrans binding name (9x)
    std::u16string description;     // DriverDesc
    std::u16string connectionName;  // the user-visible connection name (NT)
    std::int32_t enabled = 0;       // TCP/IP settings were read; in a profile: leave enabled
    std::int32_t mode = 0;          // 0 manual, 1 DHCP; in a profile also 2 leave alone
    std::u16string macAddress;      // "xx:xx:xx:xx:xx:xx" (NT), NetworkAddress (9x)
    std::u16string networkAddress;  // NetworkAddress of the class key (NT)
    std::u16string ipAddress;
    std::vector<std::u16string> ipAddresses;
    std::u16string subnetMask;
    std::vector<std::u16string> subnetMasks;
    std::u16string gateway;
    std::vector<std::u16string> gateways;
    std::u16string dns1;
    std::u16string dns2;
    std::vector<std::u16string> dnsServers;
};

using ConnectionSetting = AdapterRecord;

enum AdapterMode : std::int32_t {
    kModeManual = 0,
    kModeDhcp = 1,
    kModeLeaveAlone = 2,
};
