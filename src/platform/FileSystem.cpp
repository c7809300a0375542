#include "platform/FileSystem.h"
#include "platform/SystemText.h"

namespace {

// ERROR_INVALID_NAME, what Windows reports for a name it cannot take.
constexpr std::uint32_t kErrorInvalidName = 123;

}  // namespace

bool CLocalFileSystem::Usable(const std::u16string& path)
{
    // The system reads a path up to its first NUL: the rest would name another file.
    if (path.find(u'\0') == std::u16string::npos)
        return true;
    lastError = SystemErrorText(kErrorInvalidName);
    return false;
}

bool CLocalFileSystem::ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    if (!Usable(from) || !Usable(to))
        return false;
    return SystemReplace(from, to) || Fail();
}

bool CLocalFileSystem::Remove(const std::u16string& path)
{
    if (!Usable(path))
        return false;
    return SystemRemove(path) || Fail();
}

bool CLocalFileSystem::Fail()
{
    lastError = LastSystemErrorText();
    return false;
}
