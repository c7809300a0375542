#include "platform/FileSystem.h"
#include "platform/WideText.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace {

class CHandle {
public:
    explicit CHandle(HANDLE handle) : handle(handle) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle; }
    bool Close()
    {
        if (!Valid())
            return true;
        BOOL closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle;
};

}  // namespace

bool CLocalFileSystem::Exists(const std::u16string& path)
{
    return Usable(path) && GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool CLocalFileSystem::ReadAll(const std::u16string& path, std::string& bytes)
{
    if (!Usable(path))
        return false;
    CHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size))
        return Fail();
    if (size.QuadPart > kMaxFileBytes) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return Fail();
    }
    try {
        std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
        std::size_t done = 0;
        while (done < data.size()) {
            DWORD got = 0;
            if (!::ReadFile(file.Get(), data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr))
                return Fail();
            if (got == 0)
                break;
            done += got;
        }
        data.resize(done);
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return Fail();
    }
    return true;
}

bool CLocalFileSystem::WriteAll(const std::u16string& path, std::string_view bytes)
{
    if (!Usable(path))
        return false;
    CHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &put, nullptr))
            return Fail();
        if (put == 0) {
            SetLastError(ERROR_DISK_FULL);
            return Fail();
        }
        done += put;
    }
    // The data must be on the disk before the file can take another's place.
    if (!FlushFileBuffers(file.Get()))
        return Fail();
    if (!file.Close())
        return Fail();
    return true;
}

bool CLocalFileSystem::ReadStart(const std::u16string& path, std::size_t count, std::string& bytes)
{
    if (!Usable(path))
        return false;
    CHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    try {
        std::string data(count, '\0');
        std::size_t done = 0;
        while (done < data.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
            DWORD got = 0;
            if (!::ReadFile(file.Get(), data.data() + done, chunk, &got, nullptr))
                return Fail();
            if (got == 0)
                break;
            done += got;
        }
        data.resize(done);
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return Fail();
    }
    return true;
}

bool CLocalFileSystem::Append(const std::u16string& path, std::string_view bytes, std::string_view header)
{
    if (!Usable(path))
        return false;
    // Appending access writes every piece at the end, wherever another writer left it.
    CHandle file(CreateFileW(Wide(path), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    auto put = [&](std::string_view part) {
        std::size_t done = 0;
        while (done < part.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(part.size() - done, 1u << 30));
            DWORD wrote = 0;
            if (!::WriteFile(file.Get(), part.data() + done, chunk, &wrote, nullptr))
                return false;
            if (wrote == 0) {
                SetLastError(ERROR_DISK_FULL);
                return false;
            }
            done += wrote;
        }
        return true;
    };
    if ((created && !put(header)) || !put(bytes) || !file.Close())
        return Fail();
    return true;
}

bool CLocalFileSystem::ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    if (!Usable(from) || !Usable(to))
        return false;
    if (!MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail();
    return true;
}

bool CLocalFileSystem::Remove(const std::u16string& path)
{
    if (!Usable(path))
        return false;
    if (!DeleteFileW(Wide(path)))
        return Fail();
    return true;
}
