#include "ipc/Wire.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

const std::u16string kGuid = u"{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}";

ServiceRequest Static()
{
    return {RequestKind::kApplyStatic, kGuid, u"192.168.1.20", u"255.255.255.0", u"192.168.1.1",
            {u"8.8.8.8", u"114.114.114.114"}};
}

std::vector<std::uint8_t> Bytes(const ServiceRequest& request)
{
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(EncodeRequest(request, &bytes));
    return bytes;
}

IpcError Read(const std::vector<std::uint8_t>& bytes, ServiceRequest* request = nullptr)
{
    ServiceRequest read;
    const IpcError error = ReadRequest(bytes.data(), bytes.size(), &read);
    if (request)
        *request = read;
    return error;
}

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

constexpr std::size_t kIpAt = 88;
constexpr std::size_t kDnsCountAt = 136;
constexpr std::size_t kDnsAt = 140;

}  // namespace

TEST(Wire, EveryKindReadsBackAsSent)
{
    const std::vector<ServiceRequest> requests = {
        Static(),
        {RequestKind::kApplyStatic, kGuid, u"10.0.0.5", u"255.0.0.0", u"", {}},
        {RequestKind::kApplyDhcp, kGuid, u"", u"", u"", {u"1.1.1.1"}},
        {RequestKind::kEnable, kGuid, u"", u"", u"", {}},
        {RequestKind::kDisable, kGuid, u"", u"", u"", {}},
        {RequestKind::kStatus, u"", u"", u"", u"", {}},
    };
    for (const auto& request : requests) {
        const auto bytes = Bytes(request);
        ASSERT_EQ(kRequestBytes, bytes.size());
        EXPECT_EQ((std::vector<std::uint8_t>{'L', 'V', 'R', 'Q', 1, 0}), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 6));
        ServiceRequest read;
        EXPECT_EQ(IpcError::kOk, Read(bytes, &read));
        EXPECT_EQ(request, read);
    }
}

TEST(Wire, FrameFaultsAreRefusedEachWithItsCode)
{
    const auto good = Bytes(Static());
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> edit;
        IpcError expected;
    };
    const Case cases[] = {
        {"empty", [](auto& b) { b.clear(); }, IpcError::kTruncated},
        {"header cut", [](auto& b) { b.resize(11); }, IpcError::kTruncated},
        {"body cut", [](auto& b) { b.resize(200); }, IpcError::kTruncated},
        {"over the limit", [](auto& b) { b.resize(kMaxMessageBytes + 1); }, IpcError::kOversized},
        {"magic", [](auto& b) { b[0] ^= 0x20; }, IpcError::kBadMagic},
        {"version 2", [](auto& b) { b[4] = 2; }, IpcError::kWrongVersion},
        {"version 0, cut", [](auto& b) { b[4] = 0; b.resize(20); }, IpcError::kWrongVersion},
        {"length", [](auto& b) { b[8] += 1; }, IpcError::kBadLength},
        {"trailing byte", [](auto& b) { b.push_back(0); }, IpcError::kTrailingBytes},
        {"kind 0", [](auto& b) { b[6] = 0; }, IpcError::kUnknownKind},
        {"kind 6", [](auto& b) { b[6] = 6; }, IpcError::kUnknownKind},
        {"kind 0x0102", [](auto& b) { b[7] = 1; }, IpcError::kUnknownKind},
    };
    for (const auto& c : cases) {
        auto bytes = good;
        c.edit(bytes);
        ServiceRequest untouched{RequestKind::kEnable, u"x", u"", u"", u"", {}};
        ServiceRequest read = untouched;
        EXPECT_EQ(c.expected, ReadRequest(bytes.data(), bytes.size(), &read)) << c.name;
        EXPECT_EQ(untouched, read) << c.name;
    }
}

TEST(Wire, FieldFaultsAreRefusedEachWithItsCode)
{
    auto with = [](auto change) {
        ServiceRequest request = Static();
        change(request);
        return Bytes(request);
    };
    EXPECT_EQ(IpcError::kBadAdapterId, Read(with([](auto& r) { r.adapterId[37] = u')'; })));
    EXPECT_EQ(IpcError::kBadAdapterId, Read(with([](auto& r) { r.adapterId.clear(); })));
    EXPECT_EQ(IpcError::kBadIpAddress, Read(with([](auto& r) { r.ip = u"256.1.1.1"; })));
    EXPECT_EQ(IpcError::kBadIpAddress, Read(with([](auto& r) { r.ip = u"192.168.1.0"; })));
    EXPECT_EQ(IpcError::kBadMask, Read(with([](auto& r) { r.mask = u"255.0.255.0"; })));
    EXPECT_EQ(IpcError::kBadMask, Read(with([](auto& r) { r.mask = u"0.0.0.0"; })));
    EXPECT_EQ(IpcError::kBadGateway, Read(with([](auto& r) { r.gateway = u"192.168.1"; })));
    EXPECT_EQ(IpcError::kBadDnsServer, Read(with([](auto& r) { r.dns[1] = u"0.8.8.8"; })));
    EXPECT_EQ(IpcError::kBadDnsServer, Read(with([](auto& r) { r.dns[0].clear(); })));

    // What only a hand-made request can say.
    auto good = Bytes(Static());
    auto bytes = good;
    Put16(bytes, kDnsCountAt, 9);
    EXPECT_EQ(IpcError::kBadDnsCount, Read(bytes));
    bytes = good;
    bytes[kIpAt + 14] = '1';  // after the text's end
    EXPECT_EQ(IpcError::kBadIpAddress, Read(bytes));
}

TEST(Wire, FieldsAKindDoesNotUseMustBeZero)
{
    auto bytes = Bytes({RequestKind::kStatus, kGuid, u"", u"", u"", {}});
    EXPECT_EQ(IpcError::kUnusedFieldSet, Read(bytes));
    bytes = Bytes({RequestKind::kApplyDhcp, kGuid, u"10.0.0.1", u"", u"", {}});
    EXPECT_EQ(IpcError::kUnusedFieldSet, Read(bytes));
    bytes = Bytes({RequestKind::kEnable, kGuid, u"", u"", u"", {u"8.8.8.8"}});
    EXPECT_EQ(IpcError::kUnusedFieldSet, Read(bytes));

    const auto good = Bytes(Static());
    bytes = good;
    bytes[kDnsAt + 2 * kAddressBytes] = '1';  // a third server beyond the count of two
    EXPECT_EQ(IpcError::kUnusedFieldSet, Read(bytes));
    bytes = good;
    bytes[kDnsCountAt + 2] = 1;  // the zero word after the count
    EXPECT_EQ(IpcError::kUnusedFieldSet, Read(bytes));
}

TEST(Wire, EncoderRefusesWhatDoesNotFitItsPlace)
{
    std::vector<std::uint8_t> bytes;
    ServiceRequest request = Static();
    request.ip = u"192.168.100.1000";  // 16 characters
    EXPECT_FALSE(EncodeRequest(request, &bytes));
    request = Static();
    request.gateway = u"192.168.1.\u0661";
    EXPECT_FALSE(EncodeRequest(request, &bytes));
    request = Static();
    request.adapterId.pop_back();
    EXPECT_FALSE(EncodeRequest(request, &bytes));
    request = Static();
    request.dns.assign(kMaxDnsServers + 1, u"8.8.8.8");
    EXPECT_FALSE(EncodeRequest(request, &bytes));
    request.dns.pop_back();
    EXPECT_TRUE(EncodeRequest(request, &bytes));
    EXPECT_EQ(IpcError::kOk, Read(bytes));
}

TEST(Wire, AnswerReadsBackAndAnythingElseIsRefused)
{
    const ServiceAnswer answer{IpcError::kBadMask, 41, 2, 2, 0, u"非法子网掩码"};
    const auto good = EncodeAnswer(answer);
    ASSERT_EQ(kAnswerBytes, good.size());
    ServiceAnswer read;
    ASSERT_TRUE(ReadAnswer(good.data(), good.size(), &read));
    EXPECT_EQ(answer, read);

    auto bytes = good;
    bytes.push_back(0);
    EXPECT_FALSE(ReadAnswer(bytes.data(), bytes.size(), &read));
    EXPECT_FALSE(ReadAnswer(good.data(), good.size() - 1, &read));
    bytes = good;
    bytes[3] = 'Q';
    EXPECT_FALSE(ReadAnswer(bytes.data(), bytes.size(), &read));
    bytes = good;
    bytes[4] = 2;
    EXPECT_FALSE(ReadAnswer(bytes.data(), bytes.size(), &read));
    bytes = good;
    bytes[6] = static_cast<std::uint8_t>(IpcError::kNoService);  // the client's own codes never come from a service
    EXPECT_FALSE(ReadAnswer(bytes.data(), bytes.size(), &read));
    bytes = good;
    bytes[kAnswerBytes - 2] = 'x';  // after the text's end
    EXPECT_FALSE(ReadAnswer(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(answer, read);
}

TEST(Wire, ErrorTextsAreDistinctInBothLanguages)
{
    std::set<std::u16string> english, chinese;
    int codes = 0;
    for (int code = 0; code <= 200; ++code) {
        const auto en = IpcErrorText(static_cast<IpcError>(code), TextLanguage::kEnglish);
        if (en.find(u"service error") != std::u16string::npos)
            continue;
        ++codes;
        english.insert(en);
        chinese.insert(IpcErrorText(static_cast<IpcError>(code), TextLanguage::kChinese));
    }
    // Every code a service sends has its texts.
    EXPECT_GT(codes, static_cast<int>(kLastServiceError));
    EXPECT_EQ(static_cast<std::size_t>(codes), english.size());
    EXPECT_EQ(static_cast<std::size_t>(codes), chinese.size());
    EXPECT_EQ(u"service error 99", IpcErrorText(static_cast<IpcError>(99), TextLanguage::kEnglish));
}

TEST(Wire, DnsListSplitsAndJoinsAsTheAdapterLayerWritesIt)
{
    EXPECT_TRUE(SplitDnsList(u"").empty());
    EXPECT_EQ((std::vector<std::u16string>{u"8.8.8.8", u"1.1.1.1"}), SplitDnsList(u"8.8.8.8,1.1.1.1"));
    EXPECT_EQ(u"8.8.8.8,1.1.1.1", JoinDnsList({u"8.8.8.8", u"1.1.1.1"}));
    EXPECT_EQ(u"", JoinDnsList({}));
}
