#pragma once
// An in-memory folder for tests: files by exact path, and switches that make
// a chosen step fail the way a full disk or a locked file would.

#include "platform/FileSystem.h"

#include <map>
#include <set>

class CMemoryFileSystem : public IFileSystem {
public:
    bool Exists(const std::u16string& path) override { return files.count(path) != 0; }
    bool ReadAll(const std::u16string& path, std::string& bytes) override;
    bool WriteAll(const std::u16string& path, std::string_view bytes) override;
    bool ReadStart(const std::u16string& path, std::size_t count, std::string& bytes) override;
    bool Append(const std::u16string& path, std::string_view bytes, std::string_view header = {}) override;
    bool ReplaceWith(const std::u16string& from, const std::u16string& to) override;
    bool Remove(const std::u16string& path) override;
    std::u16string LastErrorText() const override { return u"simulated failure"; }

    std::map<std::u16string, std::string> files;
    // Writes stop after this many bytes and fail, leaving what was written.
    std::size_t writeLimit = std::string::npos;
    bool failReplace = false;
    bool failRead = false;
    // Paths that take no writes, as a read-only file or, for a missing one, a
    // folder without rights: writing, appending, replacing or removing them
    // fails and changes nothing. They can still be read.
    std::set<std::u16string> readOnly;
};
