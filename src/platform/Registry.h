#pragma once
// The one registry interface shared by the adapter layer and the store (which
// deletes an earlier version's autorun value). Every key lives under
// HKEY_LOCAL_MACHINE; paths are relative to it, with "\" between levels. Key
// and value names match case-insensitively.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Value types, with their Win32 numbers so the bytes mean the same everywhere.
enum RegType : std::uint32_t {
    kRegSz = 1,
    kRegDword = 4,
    kRegMultiSz = 7,
};

// Reads go through a buffer of this size; a larger value reads as absent.
constexpr std::size_t kRegValueBufferBytes = 1024;
// Subkey names of up to 255 characters enumerate.
constexpr std::size_t kRegMaxKeyNameChars = 255;

using RegHandle = std::uintptr_t;

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class IRegistry {
public:
    // Read and Write ask for KEY_READ and KEY_WRITE; Default is RegOpenKeyW's
    // access, whose later writes fail silently without the rights.
    enum class Access { Read, Write, Default };

    virtual ~IRegistry() = default;

    // Opens an existing key; never creates one. Returns 0 or the system error code.
    virtual std::uint32_t OpenKey(const std::u16string& path, Access access, RegHandle* key) = 0;
    // Opens the key, creating missing levels.
    virtual std::uint32_t CreateKey(const std::u16string& path, RegHandle* key) = 0;
    // The subkey name at index; false at the end or on any error.
    virtual bool EnumSubKey(RegHandle key, std::uint32_t index, std::u16string* name) = 0;
    // The value's type and bytes; false when absent or larger than the read buffer.
    virtual bool QueryValue(RegHandle key, const std::u16string& name, RegValue* value) = 0;
    virtual void SetValue(RegHandle key, const std::u16string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) = 0;
    // Deleting an absent value is harmless.
    virtual void DeleteValue(RegHandle key, const std::u16string& name) = 0;
    virtual void CloseKey(RegHandle key) = 0;
};

// An open key that closes itself, so no key outlives the operation that opened it.
class CRegKey {
public:
    explicit CRegKey(IRegistry& registry) : registry(registry) {}
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    std::uint32_t Open(const std::u16string& path, IRegistry::Access access);
    std::uint32_t Create(const std::u16string& path);
    void Close();
    bool IsOpen() const { return open; }

    bool EnumSubKey(std::uint32_t index, std::u16string* name) const;
    bool Query(const std::u16string& name, RegValue* value) const;
    // The value as text: its characters up to the first terminator.
    bool QueryText(const std::u16string& name, std::u16string* text) const;
    void Set(const std::u16string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) const;
    void Delete(const std::u16string& name) const;

private:
    IRegistry& registry;
    RegHandle handle = 0;
    bool open = false;
};

// Byte layouts of the value types.
std::u16string RegBytesToText(const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> RegSzBytes(const std::u16string& text);
// The characters alone, without the terminator.
std::vector<std::uint8_t> RegUnterminatedBytes(const std::u16string& text);
std::vector<std::uint8_t> RegMultiSzBytes(const std::vector<std::u16string>& entries);
std::vector<std::uint8_t> RegDwordBytes(std::uint32_t value);
