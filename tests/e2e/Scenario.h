#pragma once
// What every scenario shares: the demo machine put back afterwards, a fresh
// folder with the program, and one-line checks of the messages it shows.

#include "Driver.h"

#include <gtest/gtest.h>

#include <ostream>

namespace e2e {

inline void PrintTo(const Row& row, std::ostream* out)
{
    *out << "{" << Narrow(row.number) << ", " << Narrow(row.name) << ", " << Narrow(row.time) << "}";
}

// Texts compared as UTF-8, so a failure prints them readably.
inline std::vector<std::string> U8(const std::vector<std::wstring>& texts)
{
    std::vector<std::string> out;
    for (const auto& text : texts)
        out.push_back(Narrow(text));
    return out;
}
inline std::vector<std::string> U8(std::initializer_list<std::wstring> texts)
{
    return U8(std::vector<std::wstring>(texts));
}
inline std::string U8(const std::wstring& text)
{
    return Narrow(text);
}

// Three profiles over the demo adapters: manual, DHCP, and both kinds at once.
inline std::vector<ProfileSpec> ThreeProfiles()
{
    return {
        {u"办公室", {ManualEntry(kLab, u"172.16.5.20", u"255.255.0.0", u"172.16.0.1", u"172.16.0.53", u"8.8.8.8")}},
        {u"家里", {DhcpEntry(kHome, u"114.114.114.114")}},
        {u"客户现场",
         {ManualEntry(kOffice, u"10.1.2.3", u"255.255.255.0", u"10.1.2.1", u"10.1.2.53"), DhcpEntry(kHome)}},
    };
}

class Scenario : public ::testing::Test {
protected:
    // The next message box shows `text`; it is answered with `button` (or
    // with whatever it offers when it is another box, so the run goes on).
    ::testing::AssertionResult Box(const CProcess& process, const std::wstring& text, int button = IDOK)
    {
        return BoxOneOf(process, {text}, button);
    }

    ::testing::AssertionResult BoxOneOf(const CProcess& process, std::initializer_list<std::wstring> texts,
                                        int button = IDOK)
    {
        MessageBoxSeen box = WaitMessageBox(process);
        bool expected = false;
        for (const auto& text : texts)
            expected = expected || box.text == text;
        int press = button;
        for (int fallback : {button, IDOK, IDNO, IDCANCEL})
            if (GetDlgItem(box.window, fallback)) {
                press = fallback;
                break;
            }
        Answer(box, press);
        if (expected)
            return ::testing::AssertionSuccess();
        auto failure = ::testing::AssertionFailure() << "the message box showed \"" << U8(box.text)
                                                     << "\"; expected";
        for (const auto& text : texts)
            failure << " \"" << U8(text) << "\"";
        return failure;
    }

    // Starts the program on a prepared configuration and waits for its window.
    HWND StartWith(const std::vector<ProfileSpec>& profiles, const std::wstring& arguments = L"")
    {
        folder.WriteConfig(profiles);
        program = &folder.Start(arguments);
        HWND main = WaitMainWindow(*program);
        WaitVisible(main, true);
        return main;
    }

    // The pixel takes the colour within a few seconds (rows repaint after a
    // selection change).
    ::testing::AssertionResult PixelBecomes(POINT at, COLORREF colour)
    {
        COLORREF seen = CLR_INVALID;
        for (int i = 0; i < 100; ++i) {
            seen = ScreenPixel(at);
            if (seen == colour)
                return ::testing::AssertionSuccess();
            Sleep(50);
        }
        return ::testing::AssertionFailure() << "pixel (" << at.x << ", " << at.y << ") is RGB(" << int(GetRValue(seen))
                                             << ", " << int(GetGValue(seen)) << ", " << int(GetBValue(seen))
                                             << "), expected RGB(" << int(GetRValue(colour)) << ", "
                                             << int(GetGValue(colour)) << ", " << int(GetBValue(colour)) << ")";
    }

    // The window writes its entries just after the box it showed is answered:
    // the log is read once it has stopped changing.
    std::vector<std::string> SystemLog() const
    {
        std::string before = folder.Bytes(L"system.log");
        for (int tries = 0; tries < 50; ++tries) {
            Sleep(200);
            std::string now = folder.Bytes(L"system.log");
            if (now == before)
                break;
            before = std::move(now);
        }
        return U8(LogMessages(folder.File(L"system.log")));
    }

    // Declared first, so it is put back after the folder has killed the program.
    CDemoMachine demo;
    CLanvoyFolder folder;
    CProcess* program = nullptr;
};

inline const std::wstring kSaved = L"建立一个新配置文件,备份配置文件成功!";

}  // namespace e2e
