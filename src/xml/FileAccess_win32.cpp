#include "xml/FileAccess.h"

#include <windows.h>

#include <algorithm>

std::FILE* OpenBinaryFile(const std::u16string& path, bool forWriting)
{
    if (path.find(u'\0') != std::u16string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return nullptr;
    }
    return _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), forWriting ? L"wb" : L"rb");
}

std::int64_t OpenFileSize(std::FILE* file)
{
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    std::int64_t size = _ftelli64(file);
    if (size < 0 || _fseeki64(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

std::u16string LastErrorText()
{
    DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length != 0 && buffer != nullptr)
        text.assign(reinterpret_cast<const char16_t*>(buffer), length);
    if (buffer != nullptr)
        LocalFree(buffer);
    text.resize(std::min(text.find_first_of(u"\r\n"), std::min<std::size_t>(text.size(), 100)));
    if (text.empty()) {
        text = u"System error ";
        for (char c : std::to_string(code))
            text += static_cast<char16_t>(c);
    }
    return text;
}
