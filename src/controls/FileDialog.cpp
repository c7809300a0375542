#include "controls/FileDialog.h"

#include "platform/WideText.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

namespace {

// The longest path the system takes, terminator included.
constexpr std::size_t kLongestPath = 32768;

}  // namespace

std::wstring COpenFileDialog::Filter() const
{
    std::wstring filter;
    for (const FileKind& kind : kinds) {
        filter.append(kind.name.begin(), kind.name.end());
        filter.push_back(L'\0');
        filter.append(kind.patterns.begin(), kind.patterns.end());
        filter.push_back(L'\0');
    }
    filter.push_back(L'\0');
    return filter;
}

std::optional<std::u16string> COpenFileDialog::Ask(HWND owner) const
{
    const std::wstring filter = Filter();
    // Room for the longest path Windows has; should the dialog still want
    // more, it says how much and is asked again.
    std::vector<wchar_t> path(std::max(kLongestPath, suggestedName.size() + 1));
    for (;;) {
        std::fill(std::copy(suggestedName.begin(), suggestedName.end(), path.begin()), path.end(), L'\0');
        OPENFILENAMEW ask = {};
        ask.lStructSize = sizeof ask;
        ask.hwndOwner = owner;
        ask.lpstrFilter = filter.c_str();
        ask.lpstrFile = path.data();
        ask.nMaxFile = static_cast<DWORD>(path.size());
        ask.lpstrDefExt = defaultExtension.empty() ? nullptr : Wide(defaultExtension);
        // The dialog must not move the current folder under the rest of the program.
        ask.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR;
        if (GetOpenFileNameW(&ask))
            return FromWide(path.data());
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            return std::nullopt;
        // The first two bytes of the buffer now hold the length it needs.
        const auto needed = *reinterpret_cast<const WORD*>(path.data());
        path.resize(std::max<std::size_t>(path.size() * 2, needed + 1u));
    }
}
