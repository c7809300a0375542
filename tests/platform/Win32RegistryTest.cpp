// Runs in the windows build against the real registry of the Wine prefix.

#include "platform/SystemText.h"
#include "platform/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const std::u16string kScratch = u"SOFTWARE\\LanvoyTest\\Registry";

class Win32RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\LanvoyTest"); }
    CWin32Registry reg;
};

using Bytes = std::vector<std::uint8_t>;

}  // namespace

TEST_F(Win32RegistryTest, EveryValueTypeRoundTripsByteForByte)
{
    CRegKey key(reg);
    ASSERT_EQ(0u, key.Create(kScratch));
    const Bytes sz = RegSzBytes(u"本地连接");
    const Bytes multi = RegMultiSzBytes({u"192.168.1.2", u"10.0.0.1"});
    const Bytes emptyMulti = RegMultiSzBytes({u""});
    const Bytes dword = RegDwordBytes(1);
    key.Set(u"Text", kRegSz, sz);
    key.Set(u"List", kRegMultiSz, multi);
    key.Set(u"EmptyList", kRegMultiSz, emptyMulti);
    key.Set(u"Flag", kRegDword, dword);
    key.Close();

    ASSERT_EQ(0u, key.Open(u"software\\lanvoytest\\REGISTRY", IRegistry::Access::Read));
    struct {
        const char16_t* name;
        std::uint32_t type;
        const Bytes& bytes;
    } expected[] = {{u"TEXT", kRegSz, sz}, {u"list", kRegMultiSz, multi}, {u"EmptyList", kRegMultiSz, emptyMulti},
                    {u"Flag", kRegDword, dword}};
    for (const auto& e : expected) {
        RegValue value;
        ASSERT_TRUE(key.Query(e.name, &value));
        EXPECT_EQ(e.type, value.type);
        EXPECT_EQ(e.bytes, value.data);
    }
    std::u16string text;
    ASSERT_TRUE(key.QueryText(u"Text", &text));
    EXPECT_EQ(u"本地连接", text);

    // The bytes seen through the plain API are the same.
    DWORD type = 0, size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\LanvoyTest\\Registry", L"List",
                                          RRF_RT_ANY, &type, nullptr, &size));
    EXPECT_EQ(multi.size(), size);
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
}

TEST_F(Win32RegistryTest, DeleteOpenAndEnumerateBehaveAsTheCallersExpect)
{
    CRegKey key(reg);
    ASSERT_EQ(0u, key.Create(kScratch + u"\\B"));
    ASSERT_EQ(0u, key.Create(kScratch + u"\\A"));
    ASSERT_EQ(0u, key.Open(kScratch, IRegistry::Access::Write));
    key.Set(u"V", kRegSz, RegSzBytes(u"x"));
    ASSERT_EQ(0u, key.Open(kScratch, IRegistry::Access::Default));
    key.Delete(u"V");
    key.Delete(u"NeverThere");  // harmless
    RegValue value;
    key.Close();
    ASSERT_EQ(0u, key.Open(kScratch, IRegistry::Access::Read));
    EXPECT_FALSE(key.Query(u"V", &value));
    std::u16string a, b, none;
    EXPECT_TRUE(key.EnumSubKey(0, &a));
    EXPECT_TRUE(key.EnumSubKey(1, &b));
    EXPECT_FALSE(key.EnumSubKey(2, &none));
    EXPECT_EQ(u"AB", a + b);

    // Opening never creates; the failure carries the system's code.
    CRegKey missing(reg);
    EXPECT_EQ(static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND), missing.Open(kScratch + u"\\Nope", IRegistry::Access::Write));
    EXPECT_FALSE(missing.IsOpen());
}

TEST_F(Win32RegistryTest, ValuesLargerThanTheReadBufferReadAsAbsent)
{
    CRegKey key(reg);
    ASSERT_EQ(0u, key.Create(kScratch));
    key.Set(u"Big", kRegSz, Bytes(kRegValueBufferBytes + 2, 0x41));
    key.Set(u"Fits", kRegSz, Bytes(kRegValueBufferBytes, 0x41));
    RegValue value;
    EXPECT_FALSE(key.Query(u"Big", &value));
    EXPECT_TRUE(key.Query(u"Fits", &value));
}

TEST(Win32SystemText, IsThePlatformsOneLineMessage)
{
    std::u16string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(GenericErrorText(ERROR_FILE_NOT_FOUND), text);
    EXPECT_EQ(std::u16string::npos, text.find_first_of(u"\r\n"));
}
