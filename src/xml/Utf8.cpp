#include "xml/Utf8.h"

namespace {

constexpr char32_t invalid = U'?';

// Decodes the sequence at bytes. False when it runs past the end of the data.
bool DecodeSequence(const unsigned char* bytes, std::size_t available, std::size_t& used, char32_t& code)
{
    unsigned char lead = bytes[0];
    used = 1;
    if (lead < 0x80) {
        code = lead;
        return true;
    }
    std::size_t following;
    if (lead < 0xE0) {
        following = 1;
        code = lead & 0x1F;
    } else if (lead < 0xF0) {
        following = 2;
        code = lead & 0x0F;
    } else if (lead < 0xF8) {
        following = 3;
        code = lead & 0x07;
    } else {
        code = invalid;
        return true;
    }
    for (std::size_t k = 1; k <= following; ++k) {
        if (k >= available)
            return false;
        if ((bytes[k] & 0x80) == 0) {
            // Decoding resumes at the byte that broke the sequence.
            used = k;
            code = invalid;
            return true;
        }
        code = (code << 6) | (bytes[k] & 0x3F);
    }
    used = following + 1;
    if (code > 0x10FFFF)
        code = invalid;
    return true;
}

// Reads the code point at text[i]; used is 1 or 2 units.
char32_t NextCodePoint(std::u16string_view text, std::size_t i, std::size_t& used)
{
    char16_t unit = text[i];
    used = 1;
    if (unit < 0xD800 || unit > 0xDFFF)
        return unit;
    if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        used = 2;
        return ((static_cast<char32_t>(unit & 0x3FF) << 10) | (text[i + 1] & 0x3FF)) + 0x10000;
    }
    return invalid;
}

std::size_t EncodedLength(char32_t code)
{
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code <= 0xFFFF ? 3 : 4;
}

}  // namespace

std::size_t Utf8ToUtf16(const char* bytes, std::size_t count, char16_t* output, std::size_t capacity)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t written = 0;
    for (std::size_t offset = 0; offset < count;) {
        std::size_t used = 0;
        char32_t code = 0;
        if (!DecodeSequence(data + offset, count - offset, used, code) || code == 0)
            break;
        offset += used;
        std::size_t units = code >= 0x10000 ? 2 : 1;
        if (output != nullptr) {
            if (written + units > capacity)
                break;
            if (units == 2) {
                code -= 0x10000;
                output[written] = static_cast<char16_t>(0xD800 + (code >> 10));
                output[written + 1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
            } else {
                output[written] = static_cast<char16_t>(code);
            }
        }
        written += units;
    }
    return written;
}

std::size_t Utf16ToUtf8(std::u16string_view text, char* output, std::size_t capacity)
{
    std::size_t written = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t used = 0;
        char32_t code = NextCodePoint(text, i, used);
        i += used;
        std::size_t length = EncodedLength(code);
        if (output != nullptr) {
            if (written + length > capacity)
                break;
            unsigned char* out = reinterpret_cast<unsigned char*>(output + written);
            switch (length) {
            case 1:
                out[0] = static_cast<unsigned char>(code);
                break;
            case 2:
                out[0] = static_cast<unsigned char>(0xC0 | (code >> 6));
                out[1] = static_cast<unsigned char>(0x80 | (code & 0x3F));
                break;
            case 3:
                out[0] = static_cast<unsigned char>(0xE0 | (code >> 12));
                out[1] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
                out[2] = static_cast<unsigned char>(0x80 | (code & 0x3F));
                break;
            default:
                out[0] = static_cast<unsigned char>(0xF0 | (code >> 18));
                out[1] = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
                out[2] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
                out[3] = static_cast<unsigned char>(0x80 | (code & 0x3F));
                break;
            }
        }
        written += length;
    }
    return written;
}

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    std::u16string text(Utf8ToUtf16(bytes.data(), bytes.size(), nullptr, 0), u'\0');
    Utf8ToUtf16(bytes.data(), bytes.size(), text.data(), text.size());
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string bytes(Utf16ToUtf8(text, nullptr, 0), '\0');
    Utf16ToUtf8(text, bytes.data(), bytes.size());
    return bytes;
}
