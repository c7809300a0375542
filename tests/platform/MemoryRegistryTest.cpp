// The in-memory registry's own behaviour; what every registry does is in
// RegistryContractTest.cpp.

#include "support/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kErrorAccessDenied = 5;

}  // namespace

TEST(MemoryRegistry, WithoutTheRightsOnlyReadsAndOpensWithDefaultAccessSucceed)
{
    CMemoryRegistry reg;
    reg.PutText(u"Present", u"V", u"old");
    reg.PutText(u"Present", u"W", u"old");
    reg.SetReadOnly(true);

    RegHandle h = 0;
    EXPECT_EQ(kErrorAccessDenied, reg.OpenKey(u"Present", IRegistry::Access::Write, &h));
    EXPECT_EQ(kErrorAccessDenied, reg.CreateKey(u"Present\\New", &h));
    EXPECT_FALSE(reg.HasKey(u"Present\\New"));
    ASSERT_EQ(0u, reg.OpenKey(u"Present", IRegistry::Access::Read, &h));
    reg.CloseKey(h);

    // Default access and creating an existing key both open; their writes fail silently.
    ASSERT_EQ(0u, reg.OpenKey(u"Present", IRegistry::Access::Default, &h));
    reg.SetValue(h, u"V", kRegSz, RegSzBytes(u"new"));
    reg.DeleteValue(h, u"W");
    reg.CloseKey(h);
    ASSERT_EQ(0u, reg.CreateKey(u"Present", &h));
    reg.SetValue(h, u"V", kRegSz, RegSzBytes(u"new"));
    reg.CloseKey(h);

    RegValue value;
    ASSERT_TRUE(reg.Get(u"Present", u"V", &value));
    EXPECT_EQ(RegSzBytes(u"old"), value.data);
    EXPECT_TRUE(reg.Get(u"Present", u"W", &value));
    EXPECT_TRUE(reg.Journal().empty());
    EXPECT_EQ(0, reg.OpenKeyCount());

    // The rights back, the same default-access open writes.
    reg.SetReadOnly(false);
    ASSERT_EQ(0u, reg.OpenKey(u"Present", IRegistry::Access::Default, &h));
    reg.SetValue(h, u"V", kRegSz, RegSzBytes(u"new"));
    reg.CloseKey(h);
    ASSERT_TRUE(reg.Get(u"Present", u"V", &value));
    EXPECT_EQ(RegSzBytes(u"new"), value.data);
    ASSERT_EQ(1u, reg.Journal().size());
    EXPECT_EQ(u"Present", reg.Journal()[0].path);
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
    EXPECT_EQ((Bytes{'a', 0, 0x11, 0x62}), RegUnterminatedBytes(u"a\u6211"));
}
