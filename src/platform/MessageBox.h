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

// A window as the portable code carries it: its HWND on Windows, null for none.
using WindowHandle = void*;

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Shows the box owned by `owner` (none: a box of its own) and returns the answer.
    virtual int Show(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                     std::uint32_t style) = 0;
};
