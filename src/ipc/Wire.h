#pragma once
// The requests between the window and the service: one fixed binary request
// and one fixed answer per connection, little-endian, versioned.
//
// Request, kRequestBytes:
//   0 magic u32 "LVRQ"   4 version u16   6 kind u16   8 length u32 (the whole request)
//  12 adapter GUID, 38 UTF-16 units, exactly filled (all zero for a status)
//  88 IP address, 104 mask, 120 gateway: 16 bytes each, ASCII, zero-padded
// 136 DNS server count u16   138 zero u16   140 eight DNS servers of 16 bytes each
//
// Answer, kAnswerBytes:
//   0 magic u32 "LVAN"   4 version u16   6 code u16   8 requests served u32
//  12 service version: major, minor, patch u16   18 zero u16
//  20 text, 64 UTF-16 units, zero-padded

#include "ipc/IpcError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class RequestKind : std::uint16_t {
    kStatus = 1,
    kApplyStatic = 2,
    kApplyDhcp = 3,
    kEnable = 4,
    kDisable = 5,
};

constexpr std::uint32_t kRequestMagic = 0x5152564C;  // "LVRQ"
constexpr std::uint32_t kAnswerMagic = 0x4E41564C;   // "LVAN"
constexpr std::uint16_t kWireVersion = 1;

constexpr std::size_t kGuidUnits = 38;
constexpr std::size_t kAddressBytes = 16;
constexpr std::size_t kMaxDnsServers = 8;
constexpr std::size_t kAnswerTextUnits = 64;

constexpr std::size_t kRequestBytes = 140 + kMaxDnsServers * kAddressBytes;
constexpr std::size_t kAnswerBytes = 20 + 2 * kAnswerTextUnits;
// The most either side reads of one message; more is refused unread.
constexpr std::size_t kMaxMessageBytes = 4096;

struct ServiceRequest {
    RequestKind kind = RequestKind::kStatus;
    std::u16string adapterId;
    std::u16string ip;
    std::u16string mask;
    std::u16string gateway;
    std::vector<std::u16string> dns;

    bool operator==(const ServiceRequest&) const = default;
};

struct ServiceAnswer {
    IpcError code = IpcError::kOk;
    std::uint32_t served = 0;
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t patch = 0;
    std::u16string text;

    bool operator==(const ServiceAnswer&) const = default;
};

// The request's bytes; false when a field does not fit its place (a GUID not
// of 38 units, an address over 15 characters or not ASCII, over
// kMaxDnsServers servers). What the fields say is the service's to check.
bool EncodeRequest(const ServiceRequest& request, std::vector<std::uint8_t>* bytes);

// Reads one request and checks it field by field: kOk and the request, or the
// first fault found. Fields a kind does not use must be zero.
IpcError ReadRequest(const std::uint8_t* data, std::size_t size, ServiceRequest* request);

// The answer's bytes; a longer text is cut to fit.
std::vector<std::uint8_t> EncodeAnswer(const ServiceAnswer& answer);

// False for anything but one well-formed answer of this version with a code
// a service may send.
bool ReadAnswer(const std::uint8_t* data, std::size_t size, ServiceAnswer* answer);

// The DNS field of the adapter layer ("a,b,c") as the request's list, and back.
std::vector<std::u16string> SplitDnsList(const std::u16string& dns);
std::u16string JoinDnsList(const std::vector<std::u16string>& dns);
