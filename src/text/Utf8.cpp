#include "text/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define LANVOY_UTF8_SSE2 1
#endif

namespace {

constexpr char32_t invalid = U'?';

// --- runs of ASCII -----------------------------------------------------------
// Configuration files are nearly all ASCII: whole blocks of it are converted
// at once, and only the rest goes sequence by sequence.

#if LANVOY_UTF8_SSE2

// The number of leading bytes of data[0..count) that are ASCII and not NUL;
// when output is given, they are widened into it.
std::size_t AsciiRun(const unsigned char* data, std::size_t count, char16_t* output)
{
    std::size_t i = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= count; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        // High bits mark non-ASCII bytes; the compare marks NUL bytes.
        int stop = _mm_movemask_epi8(block) | _mm_movemask_epi8(_mm_cmpeq_epi8(block, zero));
        if (stop != 0)
            break;
        if (output != nullptr) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(output + i), _mm_unpacklo_epi8(block, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(output + i + 8), _mm_unpackhi_epi8(block, zero));
        }
    }
    return i;
}

// The number of leading units of text[0..count) below 0x80.
std::size_t AsciiRun(const char16_t* text, std::size_t count, unsigned char* output)
{
    std::size_t i = 0;
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 16 <= count; i += 16) {
        __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
        __m128i any = _mm_and_si128(_mm_or_si128(first, second), high);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) != 0xFFFF)
            break;
        if (output != nullptr)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(output + i), _mm_packus_epi16(first, second));
    }
    return i;
}

#else

std::size_t AsciiRun(const unsigned char* data, std::size_t count, char16_t* output)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t block;
        std::memcpy(&block, data + i, 8);
        // Non-ASCII bytes, or a zero byte anywhere in the block.
        if ((block & highs) != 0 || ((block - ones) & ~block & highs) != 0)
            break;
        if (output != nullptr) {
            for (std::size_t k = 0; k < 8; ++k)
                output[i + k] = data[i + k];
        }
    }
    return i;
}

std::size_t AsciiRun(const char16_t* text, std::size_t count, unsigned char* output)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        char16_t any = 0;
        for (std::size_t k = 0; k < 8; ++k)
            any |= text[i + k];
        if (any >= 0x80)
            break;
        if (output != nullptr) {
            for (std::size_t k = 0; k < 8; ++k)
                output[i + k] = static_cast<unsigned char>(text[i + k]);
        }
    }
    return i;
}

#endif

// --- one sequence at a time --------------------------------------------------

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
    char32_t least;  // the smallest code point that needs this many bytes
    if (lead < 0xE0) {
        following = 1;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead < 0xF0) {
        following = 2;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead < 0xF8) {
        following = 3;
        code = lead & 0x07;
        least = 0x10000;
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
    // An overlong form (C0 80 is a zero) is no character: only a true zero
    // byte ends the text. Nor is an encoded surrogate (ED A0 80): held as
    // half a pair, it would be saved as "?", and "<" with it would come back
    // as the start of a processing instruction.
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = invalid;
    return true;
}

// Reads the code point at text[i]; used is 1 or 2 units.
char32_t NextCodePoint(const char16_t* text, std::size_t count, std::size_t i, std::size_t& used)
{
    char16_t unit = text[i];
    used = 1;
    if (unit < 0xD800 || unit > 0xDFFF)
        return unit;
    if (unit <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        used = 2;
        return ((static_cast<char32_t>(unit & 0x3FF) << 10) | (text[i + 1] & 0x3FF)) + 0x10000;
    }
    return invalid;
}

std::size_t EncodedLength(char32_t code)
{
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code <= 0xFFFF ? 3 : 4;
}

void Encode(char32_t code, std::size_t length, unsigned char* out)
{
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

}  // namespace

namespace {

struct DecodeProgress {
    std::size_t read = 0;     // bytes taken
    std::size_t written = 0;  // units produced
    bool ended = false;       // a zero or an incomplete last sequence: no more text
};

// Decodes until the data ends, the text ends, or the next character does not
// fit into capacity units (when output is given).
DecodeProgress Decode(const unsigned char* data, std::size_t count, char16_t* output, std::size_t capacity)
{
    DecodeProgress progress;
    std::size_t& offset = progress.read;
    std::size_t& written = progress.written;
    while (offset < count) {
        std::size_t room = output != nullptr ? capacity - written : count;
        std::size_t run = AsciiRun(data + offset, std::min(count - offset, room),
                                   output != nullptr ? output + written : nullptr);
        offset += run;
        written += run;
        if (offset >= count)
            break;

        std::size_t used = 0;
        char32_t code = 0;
        if (!DecodeSequence(data + offset, count - offset, used, code) || code == 0) {
            progress.ended = true;
            break;
        }
        std::size_t units = code >= 0x10000 ? 2 : 1;
        if (output != nullptr) {
            if (written + units > capacity)
                break;
            if (units == 2) {
                char32_t rest = code - 0x10000;
                output[written] = static_cast<char16_t>(0xD800 + (rest >> 10));
                output[written + 1] = static_cast<char16_t>(0xDC00 + (rest & 0x3FF));
            } else {
                output[written] = static_cast<char16_t>(code);
            }
        }
        offset += used;
        written += units;
    }
    return progress;
}

}  // namespace

std::size_t Utf8ToUtf16(const char* bytes, std::size_t count, char16_t* output, std::size_t capacity)
{
    return Decode(reinterpret_cast<const unsigned char*>(bytes), count, output, capacity).written;
}

std::size_t Utf16ToUtf8(std::u16string_view text, char* output, std::size_t capacity)
{
    auto* out = reinterpret_cast<unsigned char*>(output);
    const std::size_t count = text.size();
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < count) {
        std::size_t room = output != nullptr ? capacity - written : count;
        std::size_t run = AsciiRun(text.data() + i, std::min(count - i, room), out != nullptr ? out + written : nullptr);
        i += run;
        written += run;
        if (i >= count)
            break;

        std::size_t used = 0;
        char32_t code = NextCodePoint(text.data(), count, i, used);
        std::size_t length = EncodedLength(code);
        if (output != nullptr) {
            if (written + length > capacity)
                break;
            Encode(code, length, out + written);
        }
        i += used;
        written += length;
    }
    return written;
}

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    // One pass through a small buffer: no byte yields more than one unit, so
    // reserving one unit per byte means the text never moves while it grows.
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::u16string text;
    text.reserve(bytes.size());
    char16_t buffer[4096];
    for (std::size_t offset = 0; offset < bytes.size();) {
        DecodeProgress progress = Decode(data + offset, bytes.size() - offset, buffer, std::size(buffer));
        text.append(buffer, progress.written);
        offset += progress.read;
        if (progress.ended)
            break;
    }
    // Text with many characters beyond ASCII needs far fewer units than bytes.
    if (text.capacity() - text.size() > text.size() / 8)
        text.shrink_to_fit();
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string bytes(Utf16ToUtf8(text, nullptr, 0), '\0');
    Utf16ToUtf8(text, bytes.data(), bytes.size());
    return bytes;
}
