#pragma once
// What the service answers a request, and what the client makes of a failed
// exchange. The numbers travel on the wire: never renumber one.

#include <cstdint>
#include <string>

enum class IpcError : std::uint16_t {
    kOk = 0,
    // The frame.
    kTruncated = 1,
    kOversized = 2,
    kBadMagic = 3,
    kWrongVersion = 4,
    kBadLength = 5,
    kTrailingBytes = 6,
    kUnknownKind = 7,
    // The fields.
    kBadAdapterId = 8,
    kBadIpAddress = 9,
    kBadMask = 10,
    kBadGateway = 11,
    kBadDnsCount = 12,
    kBadDnsServer = 13,
    kUnusedFieldSet = 14,
    // Carrying it out.
    kUnknownAdapter = 15,
    kChangeFailed = 16,
    kBusy = 17,
    // Only the client sees these; the service never sends them.
    kNoService = 100,
    kTransportFailed = 101,
    kNotTheService = 102,
    kBadAnswer = 103,
    kUnencodable = 104,
};

// The last code a service may send.
constexpr IpcError kLastServiceError = IpcError::kBusy;

enum class TextLanguage { kEnglish, kChinese };

// A short text of the code; a code unknown to this build gets a text that
// carries its number.
std::u16string IpcErrorText(IpcError code, TextLanguage language);
