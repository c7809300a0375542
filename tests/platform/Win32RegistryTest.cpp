// The real registry seen past the interface, and the system's error texts;
// runs in the windows build, in the Wine prefix.

#include "platform/SystemText.h"
#include "platform/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(Win32Registry, WritesAreWhatThePlainApiReads)
{
    CWin32Registry reg;
    const std::vector<std::uint8_t> multi = RegMultiSzBytes({u"192.168.1.2", u"10.0.0.1"});
    {
        CRegKey key(reg);
        ASSERT_EQ(0u, key.Create(u"SOFTWARE\\LanvoyTest\\Plain"));
        key.Set(u"List", kRegMultiSz, multi);
        key.Set(u"Flag", kRegDword, RegDwordBytes(0x12345678));
    }
    DWORD type = 0, size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\LanvoyTest\\Plain", L"List", RRF_RT_ANY,
                                          &type, nullptr, &size));
    EXPECT_EQ(multi.size(), size);
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    DWORD flag = 0;
    size = sizeof flag;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\LanvoyTest\\Plain", L"Flag",
                                          RRF_RT_REG_DWORD, &type, &flag, &size));
    EXPECT_EQ(0x12345678u, flag);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\LanvoyTest");
}

TEST(Win32SystemText, IsThePlatformsOneLineMessage)
{
    std::u16string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(GenericErrorText(ERROR_FILE_NOT_FOUND), text);
    EXPECT_EQ(std::u16string::npos, text.find_first_of(u"\r\n"));

    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(SystemErrorText(ERROR_ACCESS_DENIED), LastSystemErrorText());
}
