#include "ui/Shortcut.h"

#include "text/TextCut.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::u16string_view kLinkExtension = u".lnk";
// MAX_PATH without its terminator: the longest path the shell's link object saves.
constexpr std::size_t kMaxPathLength = 259;
constexpr char16_t kStandIn = u'_';

bool CannotHold(char16_t c)
{
    return c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
}

char16_t AsciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Windows opens a device for these whatever extension follows: it looks at
// the part before the first dot, blanks at its end ignored.
bool IsDeviceName(std::u16string_view stem)
{
    std::u16string_view base = stem.substr(0, stem.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    std::u16string upper(base);
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
    static constexpr std::array<std::u16string_view, 6> kDevices = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$",
                                                                    u"CONOUT$"};
    if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end())
        return true;
    if (upper.size() != 4 || (upper.compare(0, 3, u"COM") != 0 && upper.compare(0, 3, u"LPT") != 0))
        return false;
    char16_t digit = upper[3];
    return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

void CutTo(std::u16string& text, std::size_t length)
{
    text.resize(CutText(text, length).size());
}

std::u16string WorkingFolderOf(const std::u16string& path)
{
    std::size_t last = path.rfind(u'\\');
    if (last == std::u16string::npos)
        return {};
    // "C:" alone would mean the drive's current folder, not its root.
    if (last > 0 && path[last - 1] == u':')
        return path.substr(0, last + 1);
    return path.substr(0, last);
}

}  // namespace

std::u16string ShortcutFileName(const std::u16string& profileName, std::size_t maxLength)
{
    const std::size_t stemLength = maxLength > kLinkExtension.size() ? maxLength - kLinkExtension.size() : 0;
    std::u16string stem = profileName;
    std::replace_if(stem.begin(), stem.end(), CannotHold, kStandIn);
    CutTo(stem, stemLength);
    if (stem.empty() || IsDeviceName(stem)) {
        stem.insert(stem.begin(), kStandIn);
        CutTo(stem, std::max<std::size_t>(stemLength, 1));
    }
    return stem + std::u16string(kLinkExtension);
}

ShortcutRequest ShortcutFor(const std::u16string& executablePath, const std::u16string& desktopFolder,
                            const std::u16string& profileId, const std::u16string& profileName)
{
    std::u16string folder = desktopFolder;
    if (folder.empty() || folder.back() != u'\\')
        folder += u'\\';
    const std::size_t room = kMaxPathLength > folder.size() ? kMaxPathLength - folder.size() : 0;

    ShortcutRequest request;
    request.linkPath = folder + ShortcutFileName(profileName, std::min(room, kMaxFileNameLength));
    request.target = executablePath;
    request.arguments = u" -n" + profileId;
    request.workingFolder = WorkingFolderOf(executablePath);
    request.iconPath = executablePath;
    request.iconIndex = kShortcutIconIndex;
    return request;
}

bool CreateProfileShortcut(IShell& shell, const std::u16string& executablePath, const ProfileRow& row)
{
    std::u16string desktop = shell.DesktopFolder();
    if (desktop.empty())
        return false;
    return shell.CreateShortcut(ShortcutFor(executablePath, desktop, row.id, row.name));
}
