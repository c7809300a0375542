#pragma once
// Finding the next unit of interest in UTF-16 text, eight units at a time
// where SSE2 is there: the parser spends most of its time between a '<' and
// the '>' that closes it.

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define LANVOY_XML_SSE2 1
#endif

namespace xmlscan {

// The first offset at or after from where text holds a, b or c; text.size()
// when there is none.
inline std::size_t FindAny(std::u16string_view text, std::size_t from, char16_t a, char16_t b, char16_t c)
{
    const char16_t* data = text.data();
    const std::size_t size = text.size();
    std::size_t i = from;
#if LANVOY_XML_SSE2
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    const __m128i vc = _mm_set1_epi16(static_cast<short>(c));
    for (; i + 8 <= size; i += 8) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(block, va), _mm_cmpeq_epi16(block, vb)),
                                    _mm_cmpeq_epi16(block, vc));
        if (int mask = _mm_movemask_epi8(hits); mask != 0)
            return i + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask))) / 2;
    }
#endif
    for (; i < size; ++i) {
        char16_t unit = data[i];
        if (unit == a || unit == b || unit == c)
            return i;
    }
    return size;
}

inline std::size_t Find(std::u16string_view text, std::size_t from, char16_t a)
{
    return FindAny(text, from, a, a, a);
}

}  // namespace xmlscan
