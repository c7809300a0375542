// The desktop shortcut's file name and link, and what the command asks of the shell.
#include "ui/Shortcut.h"

#include "support/FakeShell.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kExe = u"C:\\Program Files\\Lanvoy\\lanvoy.exe";
const std::u16string kDesktop = u"C:\\Users\\Lanvoy\\Desktop";

ProfileRow Row(const std::u16string& id, const std::u16string& name)
{
    return {u"1", name, u"2024-01-01 08:00:00", id, u""};
}

}  // namespace

TEST(ShortcutFileName, KeepsOrdinaryNamesAndReplacesWhatAFileNameCannotHold)
{
    EXPECT_EQ(u"Office.lnk", ShortcutFileName(u"Office"));
    EXPECT_EQ(u"家里 192.168.1.x.lnk", ShortcutFileName(u"家里 192.168.1.x"));
    EXPECT_EQ(u".._.._x.lnk", ShortcutFileName(u"..\\..\\x"));
    EXPECT_EQ(u"a_b.lnk", ShortcutFileName(u"a/b"));
    EXPECT_EQ(u"C__evil.lnk", ShortcutFileName(u"C:\\evil"));
    EXPECT_EQ(u"________.lnk", ShortcutFileName(u"*?\"<>|\t\n"));
    EXPECT_EQ(u"a_b.lnk", ShortcutFileName(std::u16string(u"a\0b", 3)));
    // ".lnk" follows, so dots and blanks at the end of a name are kept as typed.
    EXPECT_EQ(u"...lnk", ShortcutFileName(u".."));
    EXPECT_EQ(u"a. .lnk", ShortcutFileName(u"a. "));
    EXPECT_EQ(u"_.lnk", ShortcutFileName(u""));
}

TEST(ShortcutFileName, DeviceNamesGetALeadingMark)
{
    for (const char16_t* name : {u"con", u"CON", u"aux .x", u"prn", u"COM1", u"lpt9", u"COM\u00B9", u"conout$"})
        EXPECT_EQ(u"_" + std::u16string(name) + u".lnk", ShortcutFileName(name));
    EXPECT_EQ(u"_Nul.txt.lnk", ShortcutFileName(u"Nul.txt"));
    // Not devices: longer or shorter names, a device after the first dot, a
    // colon that has become "_".
    for (const char16_t* name : {u"console", u"com10", u"LPT", u"a.con", u"com1x"})
        EXPECT_EQ(std::u16string(name) + u".lnk", ShortcutFileName(name));
    EXPECT_EQ(u"CON_.lnk", ShortcutFileName(u"CON:"));
}

TEST(ShortcutFileName, LongNamesAreCutWholeCharactersFirst)
{
    EXPECT_EQ(std::u16string(251, u'x') + u".lnk", ShortcutFileName(std::u16string(300, u'x')));
    // 126 pairs of surrogates: the cut at 251 units would split the last one.
    std::u16string pairs;
    for (int i = 0; i < 126; ++i)
        pairs += u"\U0001F600";
    std::u16string cut = ShortcutFileName(pairs);
    EXPECT_EQ(250u + 4u, cut.size());
    EXPECT_EQ(pairs.substr(0, 250) + u".lnk", cut);
    // A cut that leaves a device name still marks it.
    EXPECT_EQ(u"_co.lnk", ShortcutFileName(u"conference", 7));
    EXPECT_EQ(u"_.lnk", ShortcutFileName(u"abc", 2));
}

TEST(ShortcutFor, StartsTheProgramWithTheProfileNumberInItsFolder)
{
    ShortcutRequest request = ShortcutFor(kExe, kDesktop, u"7", u"Office");
    EXPECT_EQ(kDesktop + u"\\Office.lnk", request.linkPath);
    EXPECT_EQ(kExe, request.target);
    EXPECT_EQ(u" -n7", request.arguments);
    EXPECT_EQ(u"C:\\Program Files\\Lanvoy", request.workingFolder);
    EXPECT_EQ(kExe, request.iconPath);
    EXPECT_EQ(2, request.iconIndex);

    // Drive roots keep their separator on both sides.
    request = ShortcutFor(u"C:\\lanvoy.exe", u"D:\\", u"12", u"a\\b");
    EXPECT_EQ(u"D:\\a_b.lnk", request.linkPath);
    EXPECT_EQ(u"C:\\", request.workingFolder);
    EXPECT_EQ(u" -n12", request.arguments);
}

TEST(ShortcutFor, KeepsTheLinkPathWithinThePathLimit)
{
    const std::u16string deep = u"C:\\Users\\" + std::u16string(200, u'd') + u"\\Desktop";
    ShortcutRequest request = ShortcutFor(kExe, deep, u"3", std::u16string(255, u'n'));
    EXPECT_EQ(259u, request.linkPath.size());
    EXPECT_EQ(deep + u"\\", request.linkPath.substr(0, deep.size() + 1));
    EXPECT_EQ(u".lnk", request.linkPath.substr(request.linkPath.size() - 4));
}

TEST(CreateProfileShortcut, AsksTheShellForTheRowsLinkOnItsDesktop)
{
    CFakeShell shell;
    EXPECT_TRUE(CreateProfileShortcut(shell, kExe, Row(u"7", u"Office")));
    ASSERT_EQ(1u, shell.shortcuts.size());
    EXPECT_EQ(ShortcutFor(kExe, shell.desktop, u"7", u"Office"), shell.shortcuts[0]);

    shell.shortcutAnswer = false;
    EXPECT_FALSE(CreateProfileShortcut(shell, kExe, Row(u"8", u"Home")));

    // Without a desktop folder there is nowhere to put it.
    shell.desktop.clear();
    EXPECT_FALSE(CreateProfileShortcut(shell, kExe, Row(u"9", u"Lab")));
    EXPECT_EQ(2u, shell.shortcuts.size());
    EXPECT_TRUE(shell.opened.empty());
}
