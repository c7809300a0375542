#include "platform/FileSystem.h"
#include "xml/Utf8.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Paths are UTF-8 on this side.
std::string Native(const std::u16string& path)
{
    return Utf16ToUtf8(path);
}

// Closes the descriptor on every way out; Close reports the close's own failure.
class CDescriptor {
public:
    explicit CDescriptor(int fd) : fd(fd) {}
    ~CDescriptor() { Close(); }
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    bool Valid() const { return fd >= 0; }
    int Get() const { return fd; }
    bool Close()
    {
        if (fd < 0)
            return true;
        int closed = ::close(fd);
        fd = -1;
        return closed == 0;
    }

private:
    int fd;
};

}  // namespace

bool CLocalFileSystem::Exists(const std::u16string& path)
{
    struct stat info {};
    return Usable(path) && ::stat(Native(path).c_str(), &info) == 0;
}

bool CLocalFileSystem::ReadAll(const std::u16string& path, std::string& bytes)
{
    if (!Usable(path))
        return false;
    CDescriptor file(::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid())
        return Fail();
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        return Fail();
    try {
        // One byte more than the size shows that the end came where it was expected;
        // a file that grew meanwhile is read on.
        std::string data(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 1, '\0');
        std::size_t done = 0;
        for (;;) {
            if (done > static_cast<std::size_t>(kMaxFileBytes)) {
                errno = EFBIG;
                return Fail();
            }
            if (done == data.size())
                data.resize(data.size() * 2);
            ssize_t got = ::read(file.Get(), data.data() + done, data.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return Fail();
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        data.resize(done);
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return Fail();
    }
    return true;
}

bool CLocalFileSystem::WriteAll(const std::u16string& path, std::string_view bytes)
{
    if (!Usable(path))
        return false;
    CDescriptor file(::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file.Valid())
        return Fail();
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put == 0)
            errno = ENOSPC;
        if (put <= 0)
            return Fail();
        done += static_cast<std::size_t>(put);
    }
    // The data must be on the disk before the file can take another's place.
    if (::fsync(file.Get()) != 0 || !file.Close())
        return Fail();
    return true;
}

bool CLocalFileSystem::ReadStart(const std::u16string& path, std::size_t count, std::string& bytes)
{
    if (!Usable(path))
        return false;
    CDescriptor file(::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid())
        return Fail();
    try {
        std::string data(count, '\0');
        std::size_t done = 0;
        while (done < count) {
            ssize_t got = ::read(file.Get(), data.data() + done, count - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return Fail();
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        data.resize(done);
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return Fail();
    }
    return true;
}

bool CLocalFileSystem::Append(const std::u16string& path, std::string_view bytes, std::string_view header)
{
    if (!Usable(path))
        return false;
    const std::string name = Native(path);
    // Creating exclusively tells whether this call made the file; one removed
    // between the two opens is tried again.
    bool created = false;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 3; ++attempt) {
        fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0 && errno != ENOENT)
            break;
    }
    CDescriptor file(fd);
    if (!file.Valid())
        return Fail();
    auto put = [&](std::string_view part) {
        std::size_t done = 0;
        while (done < part.size()) {
            ssize_t wrote = ::write(file.Get(), part.data() + done, part.size() - done);
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote == 0)
                errno = ENOSPC;
            if (wrote <= 0)
                return false;
            done += static_cast<std::size_t>(wrote);
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
    if (std::rename(Native(from).c_str(), Native(to).c_str()) != 0)
        return Fail();
    return true;
}

bool CLocalFileSystem::Remove(const std::u16string& path)
{
    if (!Usable(path))
        return false;
    if (::unlink(Native(path).c_str()) != 0)
        return Fail();
    return true;
}
