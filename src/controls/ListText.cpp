#include "controls/ListText.h"

#include "text/TextCut.h"

#include <algorithm>
#include <climits>
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

std::u16string CCellTips::Key(int row, int column)
{
    if (row < 0 || column < 0 || column >= 100 || row > (INT_MAX - 99) / 100)
        return {};
    std::string digits = std::to_string(row * 100 + column);
    return std::u16string(digits.begin(), digits.end());
}

bool CCellTips::Set(int row, int column, std::u16string text)
{
    std::u16string key = Key(row, column);
    if (key.empty())
        return false;
    tips[std::move(key)] = std::move(text);
    return true;
}

std::u16string CCellTips::Get(int row, int column) const
{
    auto found = tips.find(Key(row, column));
    return found == tips.end() ? std::u16string() : found->second;
}

void CCellTips::RemoveRow(int row)
{
    std::map<std::u16string, std::u16string> kept;
    for (auto& [key, text] : tips) {
        // Every key was made by Key(), so it is plain decimal digits.
        int cell = 0;
        for (char16_t digit : key)
            cell = cell * 10 + (digit - u'0');
        const int keyRow = cell / 100;
        const int column = cell % 100;
        if (keyRow == row)
            continue;
        kept[keyRow > row ? Key(keyRow - 1, column) : key] = std::move(text);
    }
    tips = std::move(kept);
}

unsigned CCellTips::SetHitMask(unsigned mask)
{
    const unsigned previous = hitMask;
    hitMask = mask;
    return previous;
}

std::u16string CCellTips::TipForRow(int row) const
{
    auto found = tips.find(Key(row, 0));
    if (found == tips.end())
        return {};
    return std::u16string(CutText(found->second, static_cast<std::size_t>(maxLength)));
}
