#pragma once
// Seeds the in-memory registry with adapters in the layouts the inventory reads.

#include "net/AdapterList.h"
#include "support/FakeNet.h"
#include "platform/SystemText.h"

#include <gtest/gtest.h>

inline const std::u16string kClassPath =
    u"System\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}\\";
inline const std::u16string kTcpIpPath = u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline const std::u16string kConnectionPath =
    u"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
inline const std::u16string kNetTransPath = u"System\\CurrentControlSet\\Services\\Class\\NetTrans\\";

class NetTest : public ::testing::Test {
protected:
    // An Ethernet adapter with its class key, connection name and an empty TCP/IP key.
    void AddEthernet(const std::u16string& subkey, const std::u16string& description, const std::u16string& guid,
                     const std::u16string& connection = u"本地连接")
    {
        const std::u16string cls = kClassPath + subkey;
        fake.registry.PutText(cls + u"\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
        fake.registry.PutText(cls, u"DriverDesc", description);
        if (!guid.empty()) {
            fake.registry.PutText(cls, u"NetCfgInstanceID", guid);
            fake.registry.PutText(kConnectionPath + guid + u"\\Connection", u"Name", connection);
            fake.registry.AddKey(kTcpIpPath + guid);
        }
    }

    // The adapter set by hand: two addresses, one gateway and three name
    // servers, as a machine after a manual set-up holds them.
    void SetManualTcpIp(const std::u16string& guid)
    {
        const std::u16string tcp = kTcpIpPath + guid;
        fake.registry.PutMulti(tcp, u"IPAddress", {u"192.168.1.10", u"10.0.0.5"});
        fake.registry.PutMulti(tcp, u"SubnetMask", {u"255.255.255.0", u"255.0.0.0"});
        fake.registry.PutMulti(tcp, u"DefaultGateway", {u"192.168.1.1"});
        fake.registry.PutText(tcp, u"NameServer", u"1.1.1.1,8.8.8.8,9.9.9.9");
        fake.registry.PutDword(tcp, u"EnableDHCP", 0);
    }

    RegValue Value(const std::u16string& path, const std::u16string& name)
    {
        RegValue value;
        EXPECT_TRUE(fake.registry.Get(path, name, &value)) << "missing value";
        return value;
    }

    CFakeNetPlatform fake;
};

using Bytes = std::vector<std::uint8_t>;

// Registry paths name the same key whatever their case.
inline bool SamePath(const std::u16string& a, const std::u16string& b)
{
    CaseInsensitiveLess less;
    return !less(a, b) && !less(b, a);
}
