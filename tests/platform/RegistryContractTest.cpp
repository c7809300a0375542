// What the adapter layer and the autorun setting rely on from a registry,
// checked on every implementation: the in-memory one always, and in the
// windows build the real registry of the Wine prefix too.

#include "platform/Registry.h"
#include "support/MemoryRegistry.h"

#ifdef _WIN32
#include "platform/Win32Registry.h"

#include <windows.h>
#endif

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kErrorFileNotFound = 2;

struct MemoryBackend {
    static constexpr const char* kName = "Memory";
    void Clear() {}
    CMemoryRegistry registry;
};

#ifdef _WIN32
struct Win32Backend {
    static constexpr const char* kName = "Win32";
    // Also before the test: a run that crashed may have left its keys.
    void Clear() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\LanvoyTest"); }
    CWin32Registry registry;
};
#endif

template <typename Backend>
class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override { backend.Clear(); }
    void TearDown() override { backend.Clear(); }

    // Seeds through the interface itself, so every implementation starts alike.
    void Put(const std::u16string& path, const std::u16string& name, std::uint32_t type, const Bytes& data)
    {
        CRegKey key(reg);
        ASSERT_EQ(0u, key.Create(path));
        key.Set(name, type, data);
    }

    // The value as a fresh read-only open sees it; "<absent>" when it is not there.
    std::u16string TextOf(const std::u16string& path, const std::u16string& name)
    {
        CRegKey key(reg);
        std::u16string text;
        if (key.Open(path, IRegistry::Access::Read) != 0 || !key.QueryText(name, &text))
            return u"<absent>";
        return text;
    }

    Backend backend;
    IRegistry& reg = backend.registry;
    const std::u16string scratch = u"SOFTWARE\\LanvoyTest\\Registry";
};

struct BackendName {
    template <typename Backend>
    static std::string GetName(int)
    {
        return Backend::kName;
    }
};

#ifdef _WIN32
using Implementations = ::testing::Types<MemoryBackend, Win32Backend>;
#else
using Implementations = ::testing::Types<MemoryBackend>;
#endif
TYPED_TEST_SUITE(RegistryContract, Implementations, BackendName);

}  // namespace

TYPED_TEST(RegistryContract, EveryValueTypeRoundTripsByteForByte)
{
    const Bytes sz = RegSzBytes(u"本地连接");
    const Bytes multi = RegMultiSzBytes({u"192.168.1.2", u"10.0.0.1"});
    const Bytes emptyMulti = RegMultiSzBytes({u""});
    const Bytes dword = RegDwordBytes(1);
    this->Put(this->scratch, u"Text", kRegSz, sz);
    this->Put(this->scratch, u"List", kRegMultiSz, multi);
    this->Put(this->scratch, u"EmptyList", kRegMultiSz, emptyMulti);
    this->Put(this->scratch, u"Flag", kRegDword, dword);

    CRegKey key(this->reg);
    ASSERT_EQ(0u, key.Open(u"software\\lanvoytest\\REGISTRY", IRegistry::Access::Read));
    struct {
        const char16_t* name;
        std::uint32_t type;
        const Bytes& bytes;
    } expected[] = {{u"TEXT", kRegSz, sz},
                    {u"list", kRegMultiSz, multi},
                    {u"EmptyList", kRegMultiSz, emptyMulti},
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
}

TYPED_TEST(RegistryContract, KeyNamesMatchCaseInsensitivelyAndEnumerateInNameOrder)
{
    this->Put(this->scratch + u"\\Net\\Card", u"DriverDesc", kRegSz, RegSzBytes(u"Intel"));
    this->Put(this->scratch + u"\\Net\\Bridge", u"DriverDesc", kRegSz, RegSzBytes(u"Other"));
    EXPECT_EQ(u"Intel", this->TextOf(u"SOFTWARE\\lanvoytest\\registry\\NET\\card", u"driverdesc"));

    CRegKey parent(this->reg);
    ASSERT_EQ(0u, parent.Open(this->scratch + u"\\net", IRegistry::Access::Read));
    std::u16string first, second, none;
    ASSERT_TRUE(parent.EnumSubKey(0, &first));
    ASSERT_TRUE(parent.EnumSubKey(1, &second));
    EXPECT_FALSE(parent.EnumSubKey(2, &none));
    // The spelling they were created with.
    EXPECT_EQ(u"Bridge", first);
    EXPECT_EQ(u"Card", second);
}

TYPED_TEST(RegistryContract, OpeningNeverCreatesAndFailsWithTheSystemsCode)
{
    this->Put(this->scratch, u"V", kRegSz, RegSzBytes(u"x"));
    for (IRegistry::Access access : {IRegistry::Access::Read, IRegistry::Access::Write, IRegistry::Access::Default}) {
        CRegKey missing(this->reg);
        EXPECT_EQ(kErrorFileNotFound, missing.Open(this->scratch + u"\\Nope", access));
        EXPECT_FALSE(missing.IsOpen());
    }
    CRegKey parent(this->reg);
    ASSERT_EQ(0u, parent.Open(this->scratch, IRegistry::Access::Read));
    std::u16string name;
    EXPECT_FALSE(parent.EnumSubKey(0, &name)) << "created by a failed open";
}

TYPED_TEST(RegistryContract, AKeyOpenedForReadingTakesNoWrites)
{
    this->Put(this->scratch, u"Kept", kRegSz, RegSzBytes(u"old"));
    this->Put(this->scratch, u"AlsoKept", kRegSz, RegSzBytes(u"old"));
    {
        CRegKey key(this->reg);
        ASSERT_EQ(0u, key.Open(this->scratch, IRegistry::Access::Read));
        key.Set(u"Kept", kRegSz, RegSzBytes(u"new"));
        key.Set(u"Added", kRegSz, RegSzBytes(u"new"));
        key.Delete(u"AlsoKept");
    }
    EXPECT_EQ(u"old", this->TextOf(this->scratch, u"Kept"));
    EXPECT_EQ(u"old", this->TextOf(this->scratch, u"AlsoKept"));
    EXPECT_EQ(u"<absent>", this->TextOf(this->scratch, u"Added"));
}

TYPED_TEST(RegistryContract, WithTheRightsEveryWayOfOpeningWrites)
{
    this->Put(this->scratch, u"ByWrite", kRegSz, RegSzBytes(u"old"));
    this->Put(this->scratch, u"ByDefault", kRegSz, RegSzBytes(u"old"));
    this->Put(this->scratch, u"Deleted", kRegSz, RegSzBytes(u"old"));
    {
        CRegKey key(this->reg);
        ASSERT_EQ(0u, key.Open(this->scratch, IRegistry::Access::Write));
        key.Set(u"ByWrite", kRegSz, RegSzBytes(u"new"));
        ASSERT_EQ(0u, key.Open(this->scratch, IRegistry::Access::Default));
        key.Set(u"ByDefault", kRegSz, RegSzBytes(u"new"));
        key.Delete(u"Deleted");
        key.Delete(u"NeverThere");  // harmless
    }
    EXPECT_EQ(u"new", this->TextOf(this->scratch, u"ByWrite"));
    EXPECT_EQ(u"new", this->TextOf(this->scratch, u"ByDefault"));
    EXPECT_EQ(u"<absent>", this->TextOf(this->scratch, u"Deleted"));
}

TYPED_TEST(RegistryContract, ValuesLargerThanTheReadBufferReadAsAbsent)
{
    this->Put(this->scratch, u"Big", kRegSz, Bytes(kRegValueBufferBytes + 2, 0x41));
    this->Put(this->scratch, u"Fits", kRegSz, Bytes(kRegValueBufferBytes, 0x41));
    CRegKey key(this->reg);
    ASSERT_EQ(0u, key.Open(this->scratch, IRegistry::Access::Read));
    RegValue value;
    EXPECT_FALSE(key.Query(u"Big", &value));
    ASSERT_TRUE(key.Query(u"Fits", &value));
    EXPECT_EQ(kRegValueBufferBytes, value.data.size());
}
