#include "xml/FileAccess.h"
#include "xml/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/types.h>

namespace {

std::u16string FirstLine(std::u16string text)
{
    text.resize(std::min(text.find_first_of(u"\r\n"), std::min<std::size_t>(text.size(), 100)));
    return text;
}

}  // namespace

std::FILE* OpenBinaryFile(const std::u16string& path, bool forWriting)
{
    if (path.find(u'\0') != std::u16string::npos) {
        errno = EINVAL;
        return nullptr;
    }
    return std::fopen(Utf16ToUtf8(path).c_str(), forWriting ? "wb" : "rb");
}

std::int64_t OpenFileSize(std::FILE* file)
{
    if (fseeko(file, 0, SEEK_END) != 0)
        return -1;
    off_t size = ftello(file);
    if (size < 0 || fseeko(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

std::u16string LastErrorText()
{
    int code = errno;
    std::u16string text = FirstLine(Utf8ToUtf16(std::strerror(code)));
    if (text.empty())
        text = u"System error " + Utf8ToUtf16(std::to_string(code));
    return text;
}
