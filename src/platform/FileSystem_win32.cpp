#include "platform/FileSystem.h"
#include "platform/WideText.h"
#include "platform/Win32FileHandle.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace {

// Pieces of at most 1 GiB: a DWORD counts the bytes of one call.
DWORD Piece(std::size_t left)
{
    return static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
}

// Reads into out until count bytes are there or the file ends; done says how
// many came.
bool ReadUpTo(HANDLE file, char* out, std::size_t count, std::size_t& done)
{
    done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!::ReadFile(file, out + done, Piece(count - done), &got, nullptr))
            return false;
        if (got == 0)
            break;
        done += got;
    }
    return true;
}

// Up to count bytes from the file's position into bytes, or false with the
// system's error set.
bool ReadInto(HANDLE file, std::size_t count, std::string& bytes)
{
    try {
        std::string data(count, '\0');
        std::size_t done = 0;
        if (!ReadUpTo(file, data.data(), count, done))
            return false;
        data.resize(done);
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return true;
}

// Writes every byte; a write that takes none counts as a full disk.
bool WriteFully(HANDLE file, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        if (!::WriteFile(file, bytes.data() + done, Piece(bytes.size() - done), &put, nullptr))
            return false;
        if (put == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        done += put;
    }
    return true;
}

}  // namespace

bool CLocalFileSystem::Exists(const std::u16string& path)
{
    return Usable(path) && GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool CLocalFileSystem::ReadAll(const std::u16string& path, std::string& bytes)
{
    if (!Usable(path))
        return false;
    CFileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
    if (!ReadInto(file.Get(), static_cast<std::size_t>(size.QuadPart), bytes))
        return Fail();
    return true;
}

bool CLocalFileSystem::WriteAll(const std::u16string& path, std::string_view bytes)
{
    if (!Usable(path))
        return false;
    CFileHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    if (!WriteFully(file.Get(), bytes))
        return Fail();
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
    CFileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    // A small file is not given a buffer of the whole count; one byte past its
    // size still shows whether it held more than asked for.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && static_cast<unsigned long long>(size.QuadPart) < count)
        count = static_cast<std::size_t>(size.QuadPart) + 1;
    if (!ReadInto(file.Get(), count, bytes))
        return Fail();
    return true;
}

bool CLocalFileSystem::Append(const std::u16string& path, std::string_view bytes, std::string_view header)
{
    if (!Usable(path))
        return false;
    // Appending access writes every piece at the end, wherever another writer left it.
    CFileHandle file(CreateFileW(Wide(path), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Fail();
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    if ((created && !WriteFully(file.Get(), header)) || !WriteFully(file.Get(), bytes) || !file.Close())
        return Fail();
    return true;
}

bool CLocalFileSystem::SystemReplace(const std::u16string& from, const std::u16string& to)
{
    return MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool CLocalFileSystem::SystemRemove(const std::u16string& path)
{
    return DeleteFileW(Wide(path)) != FALSE;
}
