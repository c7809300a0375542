#include "platform/FileSystem.h"
#include "xml/Utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Paths with an embedded NUL would name another file.
bool ToNative(const std::u16string& path, std::string& native)
{
    if (path.find(u'\0') != std::u16string::npos) {
        errno = EINVAL;
        return false;
    }
    native = Utf16ToUtf8(path);
    return true;
}

}  // namespace

bool CLocalFileSystem::Fail()
{
    lastError = Utf8ToUtf16(std::strerror(errno));
    return false;
}

bool CLocalFileSystem::Exists(const std::u16string& path)
{
    std::string native;
    struct stat info {};
    return ToNative(path, native) && ::stat(native.c_str(), &info) == 0;
}

bool CLocalFileSystem::ReadAll(const std::u16string& path, std::string& bytes)
{
    std::string native;
    if (!ToNative(path, native))
        return Fail();
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail();
    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            Fail();
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    bytes = std::move(data);
    return true;
}

bool CLocalFileSystem::WriteAll(const std::u16string& path, std::string_view bytes)
{
    std::string native;
    if (!ToNative(path, native))
        return Fail();
    int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail();
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            Fail();
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    // The data must be on the disk before the file can take another's place.
    if (::fsync(fd) != 0) {
        Fail();
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0)
        return Fail();
    return true;
}

bool CLocalFileSystem::ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    std::string nativeFrom;
    std::string nativeTo;
    if (!ToNative(from, nativeFrom) || !ToNative(to, nativeTo))
        return Fail();
    if (std::rename(nativeFrom.c_str(), nativeTo.c_str()) != 0)
        return Fail();
    return true;
}

bool CLocalFileSystem::Remove(const std::u16string& path)
{
    std::string native;
    if (!ToNative(path, native) || ::unlink(native.c_str()) != 0)
        return Fail();
    return true;
}
