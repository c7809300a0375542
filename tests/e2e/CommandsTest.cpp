// The main window's profile commands on a prepared configuration, as seen in
// its list, its message boxes, the configuration file, the logs and the
// adapters' TCP/IP values.

#include "Scenario.h"
#include "resource.h"

namespace e2e {
namespace {

using CommandsTest = Scenario;

TEST_F(CommandsTest, PreparedProfilesAreListedAndTheMarkedOneApplies)
{
    HWND main = StartWith(ThreeProfiles());
    EXPECT_EQ((std::vector<Row>{{L"1", L"办公室", kPreparedTime},
                                {L"2", L"家里", kPreparedTime},
                                {L"3", L"客户现场", kPreparedTime}}),
              Rows(main));
    // The list draws the image column's text beside the image: it has none.
    EXPECT_EQ("", U8(CellText(main, 0, 0)));

    // The marked row keeps its own colour while the pointer selects another.
    ClickRow(main, 0);
    HoverRow(main, 2);
    WaitFor(L"the row under the pointer to be selected", [&] { return RowSelected(main, 2); });
    EXPECT_TRUE(PixelBecomes(BlankPointOf(RowRect(main, 0)), RGB(251, 188, 102)));
    EXPECT_TRUE(PixelBecomes(BlankPointOf(RowRect(main, 2)), GetSysColor(COLOR_HIGHLIGHT)));
    SaveScreenshot(L"main-window-marked-row");
    Command(main, ID_PROFILE_APPLY);
    MessageBoxSeen box = WaitMessageBox(*program);
    SaveScreenshot(L"apply-succeeded");
    EXPECT_EQ(U8(L"应用网络配置[办公室]成功!"), U8(box.text));
    Answer(box);

    EXPECT_EQ(U8(L"172.16.5.20"), U8(TcpIpText(kLab, L"IPAddress")));
    EXPECT_EQ(U8(L"255.255.0.0"), U8(TcpIpText(kLab, L"SubnetMask")));
    EXPECT_EQ(U8(L"172.16.0.1"), U8(TcpIpText(kLab, L"DefaultGateway")));
    EXPECT_EQ(U8(L"172.16.0.53,8.8.8.8"), U8(TcpIpText(kLab, L"NameServer")));
    EXPECT_EQ(0u, TcpIpDword(kLab, L"EnableDHCP"));

    WaitFor(L"system.log", [&] { return folder.Has(L"system.log"); });
    EXPECT_EQ(U8({L"应用网络配置[办公室]成功!"}), SystemLog());
    // The layout byte for byte: mark, 17-character stamp, message, line, rule, line.
    const std::string bytes = folder.Bytes(L"system.log");
    const std::wstring stamp = ReadLog(folder.File(L"system.log"), false).at(0).stamp;
    EXPECT_EQ("\xFF\xFE" + Utf16Bytes(stamp + L"应用网络配置[办公室]成功!\r\n" + std::wstring(80, L'=') + L"\r\n"),
              bytes);
}

TEST_F(CommandsTest, DoubleClickAppliesTheRow)
{
    HWND main = StartWith(ThreeProfiles());
    DoubleClickRow(main, 1);
    EXPECT_TRUE(Box(*program, L"应用网络配置[家里]成功!"));
    EXPECT_EQ(U8(L"114.114.114.114"), U8(TcpIpText(kHome, L"NameServer")));
    // An apply keeps the mark.
    EXPECT_EQ(U8(L"家里"), U8(MarkedName(*program, main)));
}

TEST_F(CommandsTest, DeleteAsksFirstAndMarksTheRowAbove)
{
    HWND main = StartWith(ThreeProfiles());
    ClickRow(main, 2);
    Command(main, ID_PROFILE_DELETE);
    EXPECT_TRUE(Box(*program, L"确认要删除配置[客户现场]吗？", IDNO));
    EXPECT_EQ(3, RowCount(main));
    EXPECT_EQ(3u, folder.ConfigNames().size());

    Command(main, ID_PROFILE_DELETE);
    EXPECT_TRUE(Box(*program, L"确认要删除配置[客户现场]吗？", IDYES));
    WaitFor(L"two rows", [&] { return RowCount(main) == 2; });
    EXPECT_EQ((std::vector<Row>{{L"1", L"办公室", kPreparedTime}, {L"2", L"家里", kPreparedTime}}), Rows(main));
    EXPECT_EQ(U8({L"办公室", L"家里"}), U8(folder.ConfigNames()));
    EXPECT_EQ(U8(L"家里"), U8(MarkedName(*program, main)));

    // Deleting the first row marks the new first row.
    ClickRow(main, 0);
    Command(main, ID_PROFILE_DELETE);
    EXPECT_TRUE(Box(*program, L"确认要删除配置[办公室]吗？", IDYES));
    WaitFor(L"one row", [&] { return RowCount(main) == 1; });
    EXPECT_EQ(U8(L"家里"), U8(MarkedName(*program, main)));

    // Deleting the last one leaves nothing marked.
    Command(main, ID_PROFILE_DELETE);
    EXPECT_TRUE(Box(*program, L"确认要删除配置[家里]吗？", IDYES));
    WaitFor(L"no row", [&] { return RowCount(main) == 0; });
    EXPECT_EQ("", U8(MarkedName(*program, main)));
    EXPECT_TRUE(folder.ConfigNames().empty());
    Command(main, ID_PROFILE_APPLY);
    EXPECT_TRUE(Box(*program, L"没有选中任何配置!"));

    EXPECT_EQ(U8({kSaved, L"删除配置文件[客户现场]!", kSaved, L"删除配置文件[办公室]!", kSaved, L"删除配置文件[家里]!"}),
              SystemLog());
}

TEST_F(CommandsTest, CopyAddsTheCopyAsTheLastRow)
{
    HWND main = StartWith(ThreeProfiles());
    ClickRow(main, 1);
    Command(main, ID_PROFILE_COPY);
    WaitFor(L"a fourth row", [&] { return RowCount(main) == 4; });
    EXPECT_EQ(U8(L"4"), U8(CellText(main, 3, 1)));
    EXPECT_EQ(U8(L"复制-家里"), U8(CellText(main, 3, 2)));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场", L"复制-家里"}), U8(folder.ConfigNames()));
    // A copy saves without "保存成功!" and leaves no row marked.
    EXPECT_EQ("", U8(MarkedName(*program, main)));
    EXPECT_EQ(U8({kSaved}), SystemLog());
}

TEST_F(CommandsTest, RepairReportsSuccessAndKeepsTheProfiles)
{
    HWND main = StartWith(ThreeProfiles());
    Command(main, ID_REPAIR);
    EXPECT_TRUE(Box(*program, L"修复配置文件成功"));
    EXPECT_TRUE(NoMessageBoxFor(*program, 500ms));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场"}), U8(Names(main)));
    EXPECT_EQ(U8({L"办公室", L"家里", L"客户现场"}), U8(folder.ConfigNames()));
    WaitFor(L"system.log", [&] { return folder.Has(L"system.log"); });
    EXPECT_EQ(U8({kSaved}), SystemLog());
}

TEST_F(CommandsTest, WaitDialogShowsWhileAnApplyRuns)
{
    // A manual entry with a bad address stops the apply with a message box,
    // which holds the wait dialog on the screen.
    HWND main = StartWith({{u"坏地址", {ManualEntry(kLab, u"192.168.5.0", u"255.255.255.0", u"", u"")}}});
    ClickRow(main, 0);
    Command(main, ID_PROFILE_APPLY);
    MessageBoxSeen stop = WaitMessageBox(*program);
    HWND wait = FindWaitDialog(main);
    ASSERT_NE(nullptr, wait) << "no child window showing \"请稍候....\" during the apply";
    EXPECT_TRUE(IsWindowVisible(wait));
    EXPECT_NE(nullptr, GetDlgItem(wait, IDC_WAIT_PROGRESS)) << "no progress bar in the wait dialog";
    MoveWindowTo(stop.window, 0, 440);  // it opens over the wait dialog
    SaveScreenshot(L"wait-dialog");
    EXPECT_EQ(U8(L"网络配置【实验室网络】中存在非法IP地址!192.168.5.0"), U8(stop.text));
    Answer(stop);

    EXPECT_TRUE(Box(*program, L"网络连接失败!请检查是否网线是否已连接!"));
    WaitFor(L"the wait dialog to close", [&] { return !IsWindow(wait) || !IsWindowVisible(wait); });
    EXPECT_EQ(U8(L"10.0.2.15"), U8(TcpIpText(kLab, L"IPAddress")));
    WaitFor(L"system.log", [&] { return folder.Has(L"system.log"); });
    EXPECT_EQ(U8({L"网络连接失败!请检查是否网线是否已连接!"}), SystemLog());
}

TEST_F(CommandsTest, RowTipShowsTheProfileSummary)
{
    HWND main = StartWith(ThreeProfiles());
    HoverRow(main, 0);
    HWND tip = WaitTooltip(*program);
    const std::wstring text = WindowText(tip);
    EXPECT_NE(std::wstring::npos, text.find(L"【实验室网络】")) << U8(text);
    EXPECT_NE(std::wstring::npos, text.find(L"172.16.5.20")) << U8(text);
    SaveScreenshot(L"row-tip");
}

}  // namespace
}  // namespace e2e
