#pragma once
// An in-memory folder for tests: files by exact path, and switches that make
// a chosen step fail the way a full disk or a locked file would.

#include "platform/FileSystem.h"

#include <map>

class CMemoryFileSystem : public IFileSystem {
public:
    bool Exists(const std::u16string& path) override { return files.count(path) != 0; }
    bool ReadAll(const std::u16string& path, std::string& bytes) override;
    bool WriteAll(const std::u16string& path, std::string_view bytes) override;
    bool ReplaceWith(const std::u16string& from, const std::u16string& to) override;
    bool Remove(const std::u16string& path) override;
    std::u16string LastErrorText() const override { return u"simulated failure"; }

    std::map<std::u16string, std::string> files;
    // Writes stop after this many bytes and fail, leaving what was written.
    std::size_t writeLimit = std::string::npos;
    bool failReplace = false;
    bool failRead = false;
};
