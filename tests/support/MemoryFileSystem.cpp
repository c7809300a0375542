#include "support/MemoryFileSystem.h"

bool CMemoryFileSystem::ReadAll(const std::u16string& path, std::string& bytes)
{
    auto found = files.find(path);
    if (failRead || found == files.end())
        return false;
    bytes = found->second;
    return true;
}

bool CMemoryFileSystem::WriteAll(const std::u16string& path, std::string_view bytes)
{
    if (bytes.size() > writeLimit) {
        files[path] = std::string(bytes.substr(0, writeLimit));
        return false;
    }
    files[path] = std::string(bytes);
    return true;
}

bool CMemoryFileSystem::ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    auto found = files.find(from);
    if (failReplace || found == files.end())
        return false;
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[to] = std::move(bytes);
    return true;
}

bool CMemoryFileSystem::Remove(const std::u16string& path)
{
    return files.erase(path) != 0;
}
