#include "controls/ListText.h"

#include "text/TextCut.h"

#include <algorithm>
#include <string>

ShortText ShortenText(std::u16string_view text, int width, int margin, const TextMeasure& measure)
{
    if (text.empty() || measure(text) + margin <= width)
        return {std::u16string(text), false};

    const int dots = measure(u"...");
    const std::size_t first = SplitsPair(text, 1) ? 2 : 1;
    std::size_t length = text.size() - 1;
    for (;;) {
        length = std::max(CutText(text, length).size(), first);
        if (length == first || measure(text.substr(0, length)) + margin + dots <= width)
            break;
        --length;
    }
    std::u16string shown(text.substr(0, length));
    shown += u"...";
    return {std::move(shown), true};
}

unsigned CTipRule::SetHitMask(unsigned mask)
{
    const unsigned previous = hitMask;
    hitMask = mask;
    return previous;
}

std::u16string CTipRule::Cut(std::u16string_view tip) const
{
    return std::u16string(CutText(tip, static_cast<std::size_t>(maxLength)));
}
