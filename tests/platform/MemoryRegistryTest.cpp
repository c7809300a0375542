#include "support/MemoryRegistry.h"

#include <gtest/gtest.h>

TEST(MemoryRegistry, NamesMatchCaseInsensitivelyAndKeepTheirStoredSpelling)
{
    CMemoryRegistry reg;
    reg.PutText(u"System\\Net\\Card", u"DriverDesc", u"Intel");
    CRegKey key(reg);
    ASSERT_EQ(0u, key.Open(u"SYSTEM\\net\\CARD", IRegistry::Access::Read));
    std::u16string text;
    EXPECT_TRUE(key.QueryText(u"DRIVERDESC", &text));
    EXPECT_EQ(u"Intel", text);

    CRegKey parent(reg);
    ASSERT_EQ(0u, parent.Open(u"system\\NET", IRegistry::Access::Read));
    std::u16string name;
    ASSERT_TRUE(parent.EnumSubKey(0, &name));
    EXPECT_EQ(u"Card", name);
    EXPECT_FALSE(parent.EnumSubKey(1, &name));
}

TEST(MemoryRegistry, OpenNeverCreatesAndWriteAccessCanBeRefused)
{
    CMemoryRegistry reg;
    RegHandle h = 0;
    EXPECT_EQ(2u, reg.OpenKey(u"Missing\\Key", IRegistry::Access::Write, &h));
    EXPECT_FALSE(reg.HasKey(u"Missing"));

    reg.AddKey(u"Present");
    reg.SetReadOnly(true);
    EXPECT_EQ(5u, reg.OpenKey(u"Present", IRegistry::Access::Write, &h));
    EXPECT_EQ(0u, reg.OpenKey(u"Present", IRegistry::Access::Read, &h));
    reg.CloseKey(h);
    // Default access opens, but its writes fail silently.
    ASSERT_EQ(0u, reg.OpenKey(u"Present", IRegistry::Access::Default, &h));
    reg.SetValue(h, u"V", kRegSz, RegSzBytes(u"x"));
    reg.CloseKey(h);
    RegValue value;
    EXPECT_FALSE(reg.Get(u"Present", u"V", &value));
    EXPECT_EQ(0, reg.OpenKeyCount());
}

TEST(MemoryRegistry, ValuesLargerThanTheReadBufferReadAsAbsent)
{
    CMemoryRegistry reg;
    reg.Put(u"K", u"Big", kRegSz, std::vector<std::uint8_t>(kRegValueBufferBytes + 2, 0x41));
    reg.Put(u"K", u"Fits", kRegSz, std::vector<std::uint8_t>(kRegValueBufferBytes, 0x41));
    CRegKey key(reg);
    ASSERT_EQ(0u, key.Open(u"K", IRegistry::Access::Read));
    RegValue value;
    EXPECT_FALSE(key.Query(u"Big", &value));
    EXPECT_TRUE(key.Query(u"Fits", &value));
    EXPECT_EQ(kRegValueBufferBytes, value.data.size());
}

TEST(RegistryLayouts, TextMultiStringAndDwordBytes)
{
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ((Bytes{'a', 0, 0x11, 0x62, 0, 0}), RegSzBytes(u"a\u6211"));
    EXPECT_EQ((Bytes{0, 0, 0, 0}), RegMultiSzBytes({u""}));
    EXPECT_EQ((Bytes{'1', 0, 0, 0, '2', 0, 0, 0, 0, 0}), RegMultiSzBytes({u"1", u"2"}));
    EXPECT_EQ((Bytes{0x78, 0x56, 0x34, 0x12}), RegDwordBytes(0x12345678));
    EXPECT_EQ(u"ab", RegBytesToText(Bytes{'a', 0, 'b', 0, 0, 0, 'c', 0}));
    EXPECT_EQ(u"a", RegBytesToText(Bytes{'a', 0, 'b'}));  // a trailing odd byte is no character
}
