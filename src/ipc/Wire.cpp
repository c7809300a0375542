#include "ipc/Wire.h"

#include "ipc/FieldChecks.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderBytes = 12;
constexpr std::size_t kGuidAt = 12;
constexpr std::size_t kIpAt = kGuidAt + 2 * kGuidUnits;
constexpr std::size_t kMaskAt = kIpAt + kAddressBytes;
constexpr std::size_t kGatewayAt = kMaskAt + kAddressBytes;
constexpr std::size_t kDnsCountAt = kGatewayAt + kAddressBytes;
constexpr std::size_t kDnsAt = kDnsCountAt + 4;
static_assert(kDnsAt + kMaxDnsServers * kAddressBytes == kRequestBytes);
static_assert(kRequestBytes <= kMaxMessageBytes && kAnswerBytes <= kMaxMessageBytes);

constexpr std::size_t kAnswerTextAt = 20;

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    Put16(bytes, at, static_cast<std::uint16_t>(value));
    Put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t Get16(const std::uint8_t* data, std::size_t at)
{
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

std::uint32_t Get32(const std::uint8_t* data, std::size_t at)
{
    return Get16(data, at) | (static_cast<std::uint32_t>(Get16(data, at + 2)) << 16);
}

bool AllZero(const std::uint8_t* data, std::size_t at, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (data[at + i] != 0)
            return false;
    }
    return true;
}

bool PutAddress(std::vector<std::uint8_t>& bytes, std::size_t at, const std::u16string& text)
{
    // One byte stays zero, so the text always ends inside its field.
    if (text.size() >= kAddressBytes)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == 0 || text[i] >= 0x80)
            return false;
        bytes[at + i] = static_cast<std::uint8_t>(text[i]);
    }
    return true;
}

// The text before the first zero byte; false when anything but zeros follows it.
bool GetAddress(const std::uint8_t* data, std::size_t at, std::u16string* text)
{
    std::size_t length = 0;
    while (length < kAddressBytes && data[at + length] != 0)
        ++length;
    if (!AllZero(data, at + length, kAddressBytes - length))
        return false;
    text->assign(data + at, data + at + length);
    return true;
}

bool IsChange(RequestKind kind)
{
    return kind != RequestKind::kStatus;
}

bool CarriesAddresses(RequestKind kind)
{
    return kind == RequestKind::kApplyStatic;
}

bool CarriesDns(RequestKind kind)
{
    return kind == RequestKind::kApplyStatic || kind == RequestKind::kApplyDhcp;
}

IpcError ReadFrame(const std::uint8_t* data, std::size_t size, RequestKind* kind)
{
    if (size > kMaxMessageBytes)
        return IpcError::kOversized;
    if (size < kHeaderBytes)
        return IpcError::kTruncated;
    if (Get32(data, 0) != kRequestMagic)
        return IpcError::kBadMagic;
    // Before the length: another version may have another size.
    if (Get16(data, 4) != kWireVersion)
        return IpcError::kWrongVersion;
    if (Get32(data, 8) != kRequestBytes)
        return IpcError::kBadLength;
    if (size < kRequestBytes)
        return IpcError::kTruncated;
    if (size > kRequestBytes)
        return IpcError::kTrailingBytes;
    const std::uint16_t number = Get16(data, 6);
    if (number < static_cast<std::uint16_t>(RequestKind::kStatus) ||
        number > static_cast<std::uint16_t>(RequestKind::kDisable))
        return IpcError::kUnknownKind;
    *kind = static_cast<RequestKind>(number);
    return IpcError::kOk;
}

IpcError ReadAdapterId(const std::uint8_t* data, RequestKind kind, std::u16string* adapterId)
{
    if (!IsChange(kind))
        return AllZero(data, kGuidAt, 2 * kGuidUnits) ? IpcError::kOk : IpcError::kUnusedFieldSet;
    std::u16string text;
    for (std::size_t i = 0; i < kGuidUnits; ++i)
        text.push_back(static_cast<char16_t>(Get16(data, kGuidAt + 2 * i)));
    if (!IsAdapterGuid(text))
        return IpcError::kBadAdapterId;
    *adapterId = text;
    return IpcError::kOk;
}

IpcError ReadAddresses(const std::uint8_t* data, RequestKind kind, ServiceRequest* request)
{
    if (!CarriesAddresses(kind))
        return AllZero(data, kIpAt, 3 * kAddressBytes) ? IpcError::kOk : IpcError::kUnusedFieldSet;
    if (!GetAddress(data, kIpAt, &request->ip) || !IsHostAddress(request->ip))
        return IpcError::kBadIpAddress;
    if (!GetAddress(data, kMaskAt, &request->mask) || !IsSubnetMask(request->mask))
        return IpcError::kBadMask;
    if (!GetAddress(data, kGatewayAt, &request->gateway) ||
        (!request->gateway.empty() && !IsHostAddress(request->gateway)))
        return IpcError::kBadGateway;
    return IpcError::kOk;
}

IpcError ReadDns(const std::uint8_t* data, RequestKind kind, ServiceRequest* request)
{
    if (Get16(data, kDnsCountAt + 2) != 0)
        return IpcError::kUnusedFieldSet;
    const std::size_t count = Get16(data, kDnsCountAt);
    if (!CarriesDns(kind))
        return count == 0 && AllZero(data, kDnsAt, kMaxDnsServers * kAddressBytes) ? IpcError::kOk
                                                                                     : IpcError::kUnusedFieldSet;
    if (count > kMaxDnsServers)
        return IpcError::kBadDnsCount;
    for (std::size_t i = 0; i < count; ++i) {
        std::u16string server;
        if (!GetAddress(data, kDnsAt + i * kAddressBytes, &server) || !IsHostAddress(server))
            return IpcError::kBadDnsServer;
        request->dns.push_back(server);
    }
    const std::size_t unusedAt = kDnsAt + count * kAddressBytes;
    return AllZero(data, unusedAt, kRequestBytes - unusedAt) ? IpcError::kOk : IpcError::kUnusedFieldSet;
}

}  // namespace

bool EncodeRequest(const ServiceRequest& request, std::vector<std::uint8_t>* bytes)
{
    std::vector<std::uint8_t> out(kRequestBytes, 0);
    Put32(out, 0, kRequestMagic);
    Put16(out, 4, kWireVersion);
    Put16(out, 6, static_cast<std::uint16_t>(request.kind));
    Put32(out, 8, static_cast<std::uint32_t>(kRequestBytes));
    if (!request.adapterId.empty()) {
        if (request.adapterId.size() != kGuidUnits)
            return false;
        for (std::size_t i = 0; i < kGuidUnits; ++i)
            Put16(out, kGuidAt + 2 * i, request.adapterId[i]);
    }
    if (!PutAddress(out, kIpAt, request.ip) || !PutAddress(out, kMaskAt, request.mask) ||
        !PutAddress(out, kGatewayAt, request.gateway))
        return false;
    if (request.dns.size() > kMaxDnsServers)
        return false;
    Put16(out, kDnsCountAt, static_cast<std::uint16_t>(request.dns.size()));
    for (std::size_t i = 0; i < request.dns.size(); ++i) {
        if (!PutAddress(out, kDnsAt + i * kAddressBytes, request.dns[i]))
            return false;
    }
    *bytes = std::move(out);
    return true;
}

IpcError ReadRequest(const std::uint8_t* data, std::size_t size, ServiceRequest* request)
{
    ServiceRequest read;
    IpcError error = ReadFrame(data, size, &read.kind);
    if (error == IpcError::kOk)
        error = ReadAdapterId(data, read.kind, &read.adapterId);
    if (error == IpcError::kOk)
        error = ReadAddresses(data, read.kind, &read);
    if (error == IpcError::kOk)
        error = ReadDns(data, read.kind, &read);
    if (error == IpcError::kOk)
        *request = std::move(read);
    return error;
}

std::vector<std::uint8_t> EncodeAnswer(const ServiceAnswer& answer)
{
    std::vector<std::uint8_t> out(kAnswerBytes, 0);
    Put32(out, 0, kAnswerMagic);
    Put16(out, 4, kWireVersion);
    Put16(out, 6, static_cast<std::uint16_t>(answer.code));
    Put32(out, 8, answer.served);
    Put16(out, 12, answer.major);
    Put16(out, 14, answer.minor);
    Put16(out, 16, answer.patch);
    std::size_t units = std::min(answer.text.size(), kAnswerTextUnits);
    // A cut never leaves half a surrogate pair.
    if (units < answer.text.size() && units > 0 && answer.text[units - 1] >= 0xD800 && answer.text[units - 1] < 0xDC00)
        --units;
    for (std::size_t i = 0; i < units && answer.text[i] != 0; ++i)
        Put16(out, kAnswerTextAt + 2 * i, answer.text[i]);
    return out;
}

bool ReadAnswer(const std::uint8_t* data, std::size_t size, ServiceAnswer* answer)
{
    if (size != kAnswerBytes || Get32(data, 0) != kAnswerMagic || Get16(data, 4) != kWireVersion ||
        Get16(data, 18) != 0)
        return false;
    const std::uint16_t code = Get16(data, 6);
    if (code > static_cast<std::uint16_t>(kLastServiceError))
        return false;
    ServiceAnswer read;
    read.code = static_cast<IpcError>(code);
    read.served = Get32(data, 8);
    read.major = Get16(data, 12);
    read.minor = Get16(data, 14);
    read.patch = Get16(data, 16);
    std::size_t units = 0;
    while (units < kAnswerTextUnits && Get16(data, kAnswerTextAt + 2 * units) != 0)
        read.text.push_back(static_cast<char16_t>(Get16(data, kAnswerTextAt + 2 * units++)));
    if (!AllZero(data, kAnswerTextAt + 2 * units, 2 * (kAnswerTextUnits - units)))
        return false;
    *answer = std::move(read);
    return true;
}

std::vector<std::u16string> SplitDnsList(const std::u16string& dns)
{
    std::vector<std::u16string> servers;
    if (dns.empty())
        return servers;
    std::size_t start = 0;
    for (std::size_t comma = dns.find(u','); comma != std::u16string::npos; comma = dns.find(u',', start)) {
        servers.push_back(dns.substr(start, comma - start));
        start = comma + 1;
    }
    servers.push_back(dns.substr(start));
    return servers;
}

std::u16string JoinDnsList(const std::vector<std::u16string>& dns)
{
    std::u16string joined;
    for (std::size_t i = 0; i < dns.size(); ++i)
        joined += (i > 0 ? u"," : u"") + dns[i];
    return joined;
}
