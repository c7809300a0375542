#include "NetFixture.h"

#include "engine/AdapterChanger.h"
#include "platform/ProductNames.h"
#include "service/PipeAccess.h"
#include "service/RequestHandler.h"
#include "support/MemoryEventLog.h"

#include <condition_variable>
#include <thread>
#include <tuple>

namespace {

const std::u16string kLan = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}";
const std::u16string kWan = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E04}";
const ClientIdentity kClient{4242, u"WORKPC\\anna"};

// The demo machine in miniature: one Ethernet adapter and one WAN miniport.
void SeedMachine(CFakeNetPlatform& fake)
{
    const std::u16string lan = kClassPath + u"0000";
    fake.registry.PutText(lan + u"\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
    fake.registry.PutText(lan, u"DriverDesc", u"Intel NIC");
    fake.registry.PutText(lan, u"NetCfgInstanceID", kLan);
    fake.registry.PutText(kConnectionPath + kLan + u"\\Connection", u"Name", u"本地连接");
    fake.registry.AddKey(kTcpIpPath + kLan);
    const std::u16string wan = kClassPath + u"0001";
    fake.registry.PutText(wan + u"\\Ndi\\Interfaces", u"LowerRange", u"ndiswanip");
    fake.registry.PutText(wan, u"DriverDesc", u"WAN Miniport (IP)");
    fake.registry.PutText(wan, u"NetCfgInstanceID", kWan);
    fake.registry.AddKey(kTcpIpPath + kWan);
    fake.devices.devices = {{u"Intel NIC", 0}, {u"WAN Miniport (IP)", 0}};
}

using Written = std::vector<std::tuple<int, std::u16string, std::u16string, std::uint32_t, std::vector<std::uint8_t>>>;

Written Writes(const CMemoryRegistry& registry)
{
    Written writes;
    for (const auto& w : registry.Journal())
        writes.emplace_back(static_cast<int>(w.kind), w.path, w.name, w.type, w.data);
    return writes;
}

class RequestHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedMachine(fake);
        fake.registry.ClearJournal();
    }

    ServiceAnswer Send(const ServiceRequest& request, const ClientIdentity& client = kClient)
    {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(EncodeRequest(request, &bytes));
        return SendBytes(bytes, client);
    }

    ServiceAnswer SendBytes(const std::vector<std::uint8_t>& bytes, const ClientIdentity& client = kClient)
    {
        const auto reply = handler.Handle(bytes.data(), bytes.size(), client);
        ServiceAnswer answer;
        EXPECT_TRUE(ReadAnswer(reply.data(), reply.size(), &answer));
        return answer;
    }

    bool NothingChanged()
    {
        return Writes(fake.registry).empty() && fake.dhcp.calls.empty() && fake.devices.changes.empty();
    }

    CFakeNetPlatform fake;
    CMemoryEventLog log;
    CRequestExecutor executor{fake.Platform()};
    CRequestHandler handler{executor, log, {2, 2, 0}, std::chrono::milliseconds(50)};
};

}  // namespace

TEST_F(RequestHandlerTest, EachChangeWritesWhatTheDirectChangeWrites)
{
    const std::vector<ServiceRequest> requests = {
        {RequestKind::kApplyStatic, kLan, u"192.168.1.20", u"255.255.255.0", u"192.168.1.1", {u"8.8.8.8", u"1.1.1.1"}},
        {RequestKind::kApplyStatic, kLan, u"10.0.0.5", u"255.0.0.0", u"", {}},
        {RequestKind::kApplyDhcp, kLan, u"", u"", u"", {u"8.8.8.8"}},
        {RequestKind::kDisable, kLan, u"", u"", u"", {}},
        {RequestKind::kEnable, kLan, u"", u"", u"", {}},
    };
    CFakeNetPlatform direct;
    SeedMachine(direct);
    CDirectAdapterChanger changer(direct.Platform());
    for (const auto& request : requests) {
        direct.registry.ClearJournal();
        fake.registry.ClearJournal();
        const std::u16string dns = JoinDnsList(request.dns);
        switch (request.kind) {
        case RequestKind::kApplyStatic:
            ASSERT_TRUE(changer.ApplyStatic(kLan, request.ip, request.mask, request.gateway, dns));
            break;
        case RequestKind::kApplyDhcp: ASSERT_TRUE(changer.ApplyDhcp(kLan, dns)); break;
        default: ASSERT_TRUE(changer.SetAdapterEnabled(kLan, request.kind == RequestKind::kEnable)); break;
        }
        EXPECT_EQ(IpcError::kOk, Send(request).code);
        EXPECT_EQ(Writes(direct.registry), Writes(fake.registry));
    }
    EXPECT_EQ(direct.dhcp.calls, fake.dhcp.calls);
    ASSERT_EQ(direct.devices.changes.size(), fake.devices.changes.size());
    EXPECT_EQ(8u, fake.devices.changes.size());  // three restarts, a disable, an enable

    const auto events = log.Events();
    ASSERT_EQ(requests.size(), events.size());
    EXPECT_EQ(EventType::kInformation, events[0].type);
    EXPECT_EQ(u"Process 4242 (user WORKPC\\anna) asked to set adapter " + kLan +
                  u" to IP address 192.168.1.20, mask 255.255.255.0, gateway 192.168.1.1, DNS 8.8.8.8,1.1.1.1: done.",
              events[0].text);
    EXPECT_NE(std::u16string::npos, events[1].text.find(u"gateway none, DNS none"));
    EXPECT_NE(std::u16string::npos, events[2].text.find(u"to DHCP, DNS 8.8.8.8"));
    EXPECT_NE(std::u16string::npos, events[3].text.find(u"to disable adapter " + kLan));
}

TEST_F(RequestHandlerTest, OnlyAnEthernetAdapterOfTheInventoryIsChanged)
{
    for (const std::u16string& guid : std::vector<std::u16string>{u"{00000000-0000-0000-0000-000000000000}", kWan,
                                       u"{6d3f7a10-2b4c-4e8a-9c51-1a2b3c4d5e01}"}) {
        for (RequestKind kind : {RequestKind::kApplyDhcp, RequestKind::kDisable})
            EXPECT_EQ(IpcError::kUnknownAdapter, Send({kind, guid, u"", u"", u"", {}}).code);
    }
    EXPECT_TRUE(NothingChanged());
    for (const auto& event : log.Events()) {
        EXPECT_EQ(EventType::kWarning, event.type);
        EXPECT_NE(std::u16string::npos, event.text.find(u": no such Ethernet adapter."));
    }
}

TEST_F(RequestHandlerTest, ARefusedRequestWritesNothingAndIsRecordedInTheServicesOwnWords)
{
    ServiceRequest bad{RequestKind::kApplyStatic, kLan, u"256.1.1.1", u"255.255.255.0", u"", {}};
    EXPECT_EQ(IpcError::kBadIpAddress, Send(bad, {7, u""}).code);
    bad.ip = u"10.1.1.1";
    bad.mask = u"255.0.255.0";
    EXPECT_EQ(IpcError::kBadMask, Send(bad).code);
    std::vector<std::uint8_t> garbage(300, 'A');
    EXPECT_EQ(IpcError::kBadMagic, SendBytes(garbage).code);
    EXPECT_EQ(IpcError::kOversized, SendBytes(std::vector<std::uint8_t>(kMaxMessageBytes + 1)).code);
    EXPECT_TRUE(NothingChanged());

    const auto events = log.Events();
    ASSERT_EQ(4u, events.size());
    EXPECT_EQ(u"Process 7 (user unknown) sent a request that was refused: the IP address is invalid.", events[0].text);
    EXPECT_EQ(std::u16string::npos, events[2].text.find(u"AAAA"));
}

TEST_F(RequestHandlerTest, AFailedChangeIsAnErrorAnswerNeverSuccess)
{
    fake.devices.installerRefuses = true;
    EXPECT_EQ(IpcError::kChangeFailed, Send({RequestKind::kEnable, kLan, u"", u"", u"", {}}).code);
    fake.registry.SetReadOnly(true);
    EXPECT_EQ(IpcError::kChangeFailed, Send({RequestKind::kApplyDhcp, kLan, u"", u"", u"", {}}).code);
    EXPECT_EQ(EventType::kWarning, log.Events().back().type);
}

TEST_F(RequestHandlerTest, StatusAnswersTheVersionAndCountsEveryAnsweredRequest)
{
    const ServiceRequest status{RequestKind::kStatus, u"", u"", u"", u"", {}};
    ServiceAnswer answer = Send(status);
    EXPECT_EQ(IpcError::kOk, answer.code);
    EXPECT_EQ(1u, answer.served);
    EXPECT_EQ(2, answer.major);
    EXPECT_EQ(2, answer.minor);
    EXPECT_EQ(0, answer.patch);
    EXPECT_EQ(u"已完成", answer.text);
    SendBytes({1, 2, 3});
    Send({RequestKind::kEnable, kLan, u"", u"", u"", {}});
    EXPECT_EQ(4u, Send(status).served);
    EXPECT_EQ(4u, handler.Served());
    // A status is no change: nothing is recorded of it.
    EXPECT_EQ(2u, log.Events().size());
}

namespace {

// A device installer whose class installer holds on until released.
class CSlowDeviceInstaller : public CFakeDeviceInstaller {
public:
    bool CallPropertyChange(DeviceList list, std::uint32_t index) override
    {
        std::unique_lock<std::mutex> lock(guard);
        entered = true;
        changed.notify_all();
        changed.wait(lock, [this] { return released; });
        return CFakeDeviceInstaller::CallPropertyChange(list, index);
    }
    void WaitEntered()
    {
        std::unique_lock<std::mutex> lock(guard);
        changed.wait(lock, [this] { return entered; });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(guard);
        released = true;
        changed.notify_all();
    }

private:
    std::mutex guard;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
};

}  // namespace

TEST_F(RequestHandlerTest, AChangeWaitsForTheOneBeforeOnlyUntilItsDeadline)
{
    CSlowDeviceInstaller slow;
    slow.devices = fake.devices.devices;
    NetPlatform slowPlatform{fake.registry, fake.version, fake.addresses, fake.dhcp, slow};
    CRequestExecutor slowExecutor(slowPlatform);
    CRequestHandler slowHandler(slowExecutor, log, {2, 2, 0}, std::chrono::milliseconds(50));
    auto send = [&](RequestKind kind) {
        std::vector<std::uint8_t> bytes;
        EncodeRequest({kind, kind == RequestKind::kStatus ? u"" : kLan, u"", u"", u"", {}}, &bytes);
        const auto reply = slowHandler.Handle(bytes.data(), bytes.size(), kClient);
        ServiceAnswer answer;
        ReadAnswer(reply.data(), reply.size(), &answer);
        return answer.code;
    };

    IpcError first = IpcError::kBusy;
    std::thread holder([&] { first = send(RequestKind::kDisable); });
    slow.WaitEntered();
    EXPECT_EQ(IpcError::kBusy, send(RequestKind::kEnable));
    // A status never waits for a change.
    EXPECT_EQ(IpcError::kOk, send(RequestKind::kStatus));
    slow.Release();
    holder.join();
    EXPECT_EQ(IpcError::kOk, first);
    EXPECT_EQ(1u, slow.changes.size());
}

TEST_F(RequestHandlerTest, WhatTheInventoryCouldNotReadGoesToTheEventLog)
{
    // An Ethernet adapter without its connection key makes the inventory complain.
    const std::u16string orphan = kClassPath + u"0002";
    fake.registry.PutText(orphan + u"\\Ndi\\Interfaces", u"LowerRange", u"ethernet");
    fake.registry.PutText(orphan, u"DriverDesc", u"Orphan NIC");
    fake.registry.PutText(orphan, u"NetCfgInstanceID", u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E09}");
    // Recorded before the request's own record, whether or not the change goes ahead.
    EXPECT_EQ(IpcError::kOk, Send({RequestKind::kEnable, kLan, u"", u"", u"", {}}).code);
    EXPECT_EQ(IpcError::kUnknownAdapter, Send({RequestKind::kEnable, kWan, u"", u"", u"", {}}).code);
    const auto events = log.Events();
    ASSERT_EQ(4u, events.size());
    for (std::size_t i : {0u, 2u}) {
        EXPECT_EQ(EventType::kWarning, events[i].type);
        EXPECT_EQ(u"The adapter layer reported: " + SystemErrorText(2), events[i].text);
    }
    EXPECT_NE(std::u16string::npos, events[1].text.find(u"to enable adapter " + kLan));
}

TEST(PipeAccess, OnlyTheRecordedRestrictionNarrowsThePipe)
{
    CMemoryRegistry registry;
    EXPECT_EQ(kPipeSddlInteractive, PipeSecurityDescriptor(registry));
    for (const char16_t* value : {u"admins", u"ADMINS"}) {
        registry.PutText(kInstallKey, kPipeAccessValue, value);
        EXPECT_EQ(kPipeSddlAdmins, PipeSecurityDescriptor(registry));
    }
    for (const char16_t* value : {u"", u"users", u"admins "}) {
        registry.PutText(kInstallKey, kPipeAccessValue, value);
        EXPECT_EQ(kPipeSddlInteractive, PipeSecurityDescriptor(registry));
    }
}
