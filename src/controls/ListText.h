#pragma once
// The profile list's texts without a window: cell texts cut to their column
// with "...", and the tip texts kept per cell that the list's tooltip shows.

#include <functional>
#include <map>
#include <string>
#include <string_view>

// Width in pixels of a text as it will be drawn.
using TextMeasure = std::function<int(std::u16string_view)>;

struct ShortText {
    std::u16string text;
    bool shortened = false;  // a shortened text is drawn left-aligned
};

// The text to draw in `width` pixels when `margin` of them are padding: the
// whole text when it fits, otherwise its longest fitting prefix (at least one
// character, never half a surrogate pair) followed by "...". Measures once per
// dropped character.
ShortText ShortenText(std::u16string_view text, int width, int margin, const TextMeasure& measure);

// The tips of the list's cells, under the decimal text of row × 100 + column.
// The tooltip shows a row's column-0 tip over every cell of the row.
class CCellTips {
public:
    static constexpr unsigned kDefaultHitMask = 4;  // on an item's label
    static constexpr int kDefaultMaxLength = 200;

    // Empty when the cell has no key: a negative row or column, a column of
    // 100 or more (it would land on the next row), or a row too large.
    static std::u16string Key(int row, int column);

    // Replaces an earlier tip of the cell; false for a cell without a key.
    bool Set(int row, int column, std::u16string text);
    std::u16string Get(int row, int column) const;
    void Clear() { tips.clear(); }
    bool Empty() const { return tips.empty(); }

    // A deleted row takes its tips with it; the tips of the rows below move up
    // one row with them.
    void RemoveRow(int row);

    // Returns the previous mask.
    unsigned SetHitMask(unsigned mask);
    unsigned HitMask() const { return hitMask; }
    // Whether a hit test with these flags offers a tip.
    bool Offers(unsigned hitFlags) const { return (hitFlags & hitMask) != 0; }

    void SetMaxLength(int characters) { maxLength = characters < 0 ? 0 : characters; }
    int MaxLength() const { return maxLength; }

    // What the tooltip shows over any cell of `row`: the row's column-0 tip,
    // cut to the maximum length. Empty when the row has none.
    std::u16string TipForRow(int row) const;

private:
    std::map<std::u16string, std::u16string> tips;
    unsigned hitMask = kDefaultHitMask;
    int maxLength = kDefaultMaxLength;
};
