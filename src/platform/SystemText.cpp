#include "platform/SystemText.h"

std::u16string GenericErrorText(std::uint32_t code)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + code % 10));
        code /= 10;
    } while (code != 0);
    return u"系统错误 " + digits;
}
