#include "net/InetAddr.h"

// The classic inet_addr: one to four parts joined by ".", each decimal, octal
// (leading 0) or hexadecimal (leading 0x); the last part fills the remaining
// bytes. Text after a blank is ignored.
std::uint32_t InetAddr(const std::u16string& text)
{
    constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    std::uint64_t parts[4] = {};
    int count = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto at = [&](std::size_t k) -> char16_t { return k < n ? text[k] : u'\0'; };

    for (;;) {
        char16_t c = at(i);
        if (c < u'0' || c > u'9')
            return kNone;
        unsigned base = 10;
        if (c == u'0') {
            base = 8;
            ++i;
            if (at(i) == u'x' || at(i) == u'X') {
                base = 16;
                ++i;
            }
        }
        std::uint64_t value = 0;
        bool digits = base == 8;  // a lone "0" is a number
        for (;; ++i) {
            char16_t d = at(i);
            unsigned digit;
            if (d >= u'0' && d <= u'9')
                digit = d - u'0';
            else if (base == 16 && d >= u'a' && d <= u'f')
                digit = d - u'a' + 10;
            else if (base == 16 && d >= u'A' && d <= u'F')
                digit = d - u'A' + 10;
            else
                break;
            if (digit >= base)
                return kNone;
            value = value * base + digit;
            if (value > 0xFFFFFFFFull)
                return kNone;
            digits = true;
        }
        if (!digits || count == 4)
            return kNone;
        parts[count++] = value;
        if (at(i) == u'.') {
            ++i;
            continue;
        }
        break;
    }
    char16_t end = at(i);
    if (i < n && end != u' ' && end != u'\t')
        return kNone;

    std::uint64_t address = 0;
    for (int k = 0; k < count - 1; ++k) {
        if (parts[k] > 0xFF)
            return kNone;
        address = (address << 8) | parts[k];
    }
    const int lastBits = 8 * (4 - (count - 1));
    if (lastBits < 64 && parts[count - 1] >> lastBits)
        return kNone;
    address = (address << lastBits) | parts[count - 1];

    // Network byte order: the first part is the lowest byte in memory.
    std::uint32_t host = static_cast<std::uint32_t>(address);
    return (host >> 24) | ((host >> 8) & 0xFF00u) | ((host << 8) & 0xFF0000u) | (host << 24);
}
