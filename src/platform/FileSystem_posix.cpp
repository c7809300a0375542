#include "platform/FileSystem.h"
#include "text/Utf8.h"

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

// Reads into out until count bytes are there or the file ends; done says how
// many came.
bool ReadUpTo(int fd, char* out, std::size_t count, std::size_t& done)
{
    done = 0;
    while (done < count) {
        ssize_t got = ::read(fd, out + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Writes every byte; a write that takes none counts as a full disk.
bool WriteFully(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put == 0)
            errno = ENOSPC;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

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
            std::size_t got = 0;
            if (!ReadUpTo(file.Get(), data.data() + done, data.size() - done, got))
                return Fail();
            done += got;
            if (done < data.size())
                break;
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
    if (!WriteFully(file.Get(), bytes))
        return Fail();
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
    // A small file is not given a buffer of the whole count; one byte past its
    // size still shows whether it held more than asked for.
    struct stat info {};
    if (::fstat(file.Get(), &info) == 0 && info.st_size >= 0 && static_cast<std::size_t>(info.st_size) < count)
        count = static_cast<std::size_t>(info.st_size) + 1;
    try {
        std::string data(count, '\0');
        std::size_t done = 0;
        if (!ReadUpTo(file.Get(), data.data(), count, done))
            return Fail();
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
    if ((created && !WriteFully(file.Get(), header)) || !WriteFully(file.Get(), bytes) || !file.Close())
        return Fail();
    return true;
}

bool CLocalFileSystem::SystemReplace(const std::u16string& from, const std::u16string& to)
{
    return std::rename(Native(from).c_str(), Native(to).c_str()) == 0;
}

bool CLocalFileSystem::SystemRemove(const std::u16string& path)
{
    return ::unlink(Native(path).c_str()) == 0;
}
