#include "support/MemoryFileSystem.h"

bool CMemoryFileSystem::ReadAll(const std::u16string& path, std::string& bytes)
{
    auto found = files.find(path);
    if (failRead || found == files.end())
        return false;
    bytes = found->second;
    return true;
}

bool CMemoryFileSystem::ReadStart(const std::u16string& path, std::size_t count, std::string& bytes)
{
    auto found = files.find(path);
    if (failRead || found == files.end())
        return false;
    bytes = found->second.substr(0, count);
    return true;
}

bool CMemoryFileSystem::WriteAll(const std::u16string& path, std::string_view bytes)
{
    if (readOnly.count(path) != 0)
        return false;
    if (bytes.size() > writeLimit) {
        files[path] = std::string(bytes.substr(0, writeLimit));
        return false;
    }
    files[path] = std::string(bytes);
    return true;
}

bool CMemoryFileSystem::Append(const std::u16string& path, std::string_view bytes, std::string_view header)
{
    if (readOnly.count(path) != 0)
        return false;
    auto [file, created] = files.try_emplace(path);
    std::string added = created ? std::string(header) + std::string(bytes) : std::string(bytes);
    if (added.size() > writeLimit) {
        file->second += added.substr(0, writeLimit);
        return false;
    }
    file->second += added;
    return true;
}

bool CMemoryFileSystem::ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    auto found = files.find(from);
    if (failReplace || found == files.end() || readOnly.count(from) != 0 || readOnly.count(to) != 0)
        return false;
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[to] = std::move(bytes);
    return true;
}

bool CMemoryFileSystem::Remove(const std::u16string& path)
{
    return readOnly.count(path) == 0 && files.erase(path) != 0;
}
