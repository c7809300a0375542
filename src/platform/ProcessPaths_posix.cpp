#include "platform/ProcessPaths.h"
#include "text/Utf8.h"

#include <climits>
#include <unistd.h>

std::u16string ExecutablePath()
{
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return Utf8ToUtf16(std::string_view(buffer, static_cast<std::size_t>(length)));
}

std::u16string CurrentDirectory()
{
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr)
        return {};
    return Utf8ToUtf16(buffer);
}

std::u16string ProgramDataFolder()
{
    return {};
}

std::u16string SystemFolder()
{
    return {};
}

std::u16string WindowsFolder()
{
    return {};
}
