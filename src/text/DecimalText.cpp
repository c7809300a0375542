#include "text/DecimalText.h"

std::u16string DecimalText(long long value)
{
    // Twenty digits and a sign hold every long long.
    char16_t digits[21];
    char16_t* first = digits + sizeof digits / sizeof digits[0];
    // Through unsigned arithmetic, so that the most negative value has a magnitude.
    unsigned long long rest = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                        : static_cast<unsigned long long>(value);
    do {
        *--first = static_cast<char16_t>(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0)
        *--first = u'-';
    return std::u16string(first, digits + sizeof digits / sizeof digits[0]);
}
