#include "ui/StatusPrompts.h"

namespace {

std::u16string_view FirstLine(std::u16string_view string)
{
    return string.substr(0, string.find(u'\n'));
}

}  // namespace

std::u16string MenuPrompt(std::optional<std::u16string_view> string)
{
    return string ? std::u16string(FirstLine(*string)) : std::u16string();
}

std::u16string ControlPrompt(std::optional<std::u16string_view> string, bool isStatusBar)
{
    if (!string || isStatusBar)
        return kIdlePrompt;
    return std::u16string(FirstLine(*string));
}

std::u16string ToolTipText(std::u16string_view string, std::size_t field)
{
    std::size_t lineBreak = string.find(u'\n');
    std::u16string_view tip = lineBreak == std::u16string_view::npos ? string : string.substr(lineBreak + 1);
    return std::u16string(tip.substr(0, field > 0 ? field - 1 : 0));
}
