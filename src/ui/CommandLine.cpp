#include "ui/CommandLine.h"

namespace {

// Letters A to Z only: profile numbers are digits, and the switches ASCII.
std::u16string Lowered(std::u16string_view text)
{
    std::u16string lowered(text);
    for (char16_t& c : lowered) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lowered;
}

}  // namespace

CommandLine ParseCommandLine(std::u16string_view text)
{
    const std::u16string lowered = Lowered(text);
    CommandLine line;
    // Only the first "-n" counts; its number runs to the next blank.
    if (std::size_t at = lowered.find(u"-n"); at != std::u16string::npos) {
        std::size_t begin = at + 2;
        std::size_t end = lowered.find(u' ', begin);
        line.applyId = lowered.substr(begin, end == std::u16string::npos ? std::u16string::npos : end - begin);
    }
    line.hide = lowered.find(u"-hide") != std::u16string::npos;
    line.debug = lowered.find(u"-debug") != std::u16string::npos;
    return line;
}

ApplyRunOutcome ApplyRunResult(bool applied)
{
    if (applied)
        return {u"应用配置成功！", 0};
    return {u"应用配置失败！该配置文件已失效！", 1};
}
