#include "platform/AnsiText.h"

#include <windows.h>

#include <climits>

std::u16string AnsiToUtf16(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    int length = static_cast<int>(bytes.size());
    int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), needed);
    return text;
}
