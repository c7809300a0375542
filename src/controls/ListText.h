#pragma once
// The profile list's texts without a window: cell texts cut to their column
// with "...", and the rule for the tips its tooltip shows.

#include <functional>
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

// Where over a row the list offers the row's tip, and how long a tip may be.
class CTipRule {
public:
    static constexpr unsigned kDefaultHitMask = 4;  // on an item's label
    static constexpr int kDefaultMaxLength = 200;

    // Returns the previous mask.
    unsigned SetHitMask(unsigned mask);
    // Whether a hit test with these flags (LVHT_*) offers a tip.
    bool Offers(unsigned hitFlags) const { return (hitFlags & hitMask) != 0; }

    void SetMaxLength(int characters) { maxLength = characters < 0 ? 0 : characters; }
    int MaxLength() const { return maxLength; }
    // The tip as shown: cut to the maximum length, never in half a pair.
    std::u16string Cut(std::u16string_view tip) const;

private:
    unsigned hitMask = kDefaultHitMask;
    int maxLength = kDefaultMaxLength;
};
