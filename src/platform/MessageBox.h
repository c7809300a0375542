#pragma once
// Message boxes go through this interface so tests can read what was shown.

#include <cstdint>
#include <string>

// Style and answer numbers as Win32 has them.
enum MessageStyle : std::uint32_t {
    kMbOk = 0x0,
    kMbYesNo = 0x4,
    kMbIconStop = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconInformation = 0x40,
};
enum MessageAnswer : int { kIdOk = 1, kIdYes = 6, kIdNo = 7 };

inline const char16_t* const kMessageCaption = u"Lanvoy";

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual int Show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) = 0;
};
