#include "platform/SystemText.h"
#include "text/DecimalText.h"

#include <algorithm>

std::u16string GenericErrorText(std::uint32_t code)
{
    return u"系统错误 " + DecimalText(code);
}

std::u16string SystemMessageLine(std::u16string message, std::uint32_t code)
{
    message.resize(std::min({message.find_first_of(u"\r\n"), message.size(), std::size_t{100}}));
    if (message.empty())
        return GenericErrorText(code);
    return message;
}
