#pragma once
// Cutting UTF-16 text to a number of code units without leaving half a
// surrogate pair at the end.

#include <cstddef>
#include <string_view>

// Whether a cut after `length` units would split a surrogate pair.
bool SplitsPair(std::u16string_view text, std::size_t length);

// At most `length` units of `text`: one unit fewer when the cut would fall
// inside a pair.
std::u16string_view CutText(std::u16string_view text, std::size_t length);
