#pragma once
// The one way to files, for the configuration store, the XML engine and the
// logs, behind an interface so tests can run on an in-memory folder and make
// any step fail.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Larger files are refused: the text read from them is addressed with signed
// 32-bit offsets.
constexpr std::int64_t kMaxFileBytes = 0x7FFFFFFF;

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool Exists(const std::u16string& path) = 0;
    // The whole file; false when it cannot be opened or read, with bytes untouched.
    virtual bool ReadAll(const std::u16string& path, std::string& bytes) = 0;
    // Creates or truncates the file, writes every byte and flushes it to the disk.
    virtual bool WriteAll(const std::u16string& path, std::string_view bytes) = 0;
    // Up to `count` bytes from the start of an existing file, fewer when it is
    // shorter; false when it cannot be opened or read, with bytes untouched.
    virtual bool ReadStart(const std::u16string& path, std::size_t count, std::string& bytes) = 0;
    // Writes the bytes at the end of the file without truncating it. A missing
    // file is created, and one created by this call receives `header` first,
    // so that two appends never both take the file for new.
    virtual bool Append(const std::u16string& path, std::string_view bytes, std::string_view header = {}) = 0;
    // Puts `from` in the place of `to` in one step, replacing an existing `to`.
    virtual bool ReplaceWith(const std::u16string& from, const std::u16string& to) = 0;
    virtual bool Remove(const std::u16string& path) = 0;
    // The system's text for the last failure of this object.
    virtual std::u16string LastErrorText() const = 0;
};

// The machine's own file system.
class CLocalFileSystem : public IFileSystem {
public:
    bool Exists(const std::u16string& path) override;
    bool ReadAll(const std::u16string& path, std::string& bytes) override;
    bool WriteAll(const std::u16string& path, std::string_view bytes) override;
    bool ReadStart(const std::u16string& path, std::size_t count, std::string& bytes) override;
    bool Append(const std::u16string& path, std::string_view bytes, std::string_view header = {}) override;
    bool ReplaceWith(const std::u16string& from, const std::u16string& to) override;
    bool Remove(const std::u16string& path) override;
    std::u16string LastErrorText() const override { return lastError; }

private:
    // False, with the error text set, for a path the system must not be given.
    bool Usable(const std::u16string& path);
    // Keeps the text of the system's last error; always false.
    bool Fail();
    // The system's own calls, one per platform; false with the system's error.
    static bool SystemReplace(const std::u16string& from, const std::u16string& to);
    static bool SystemRemove(const std::u16string& path);
    std::u16string lastError;
};
