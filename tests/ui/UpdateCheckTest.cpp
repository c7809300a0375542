// The update check after the worker's download: the version file, the
// textual comparison, the question and the page it opens, and a failed
// download switching the check off for good.
#include "ui/UpdateCheck.h"

#include "StoreFixture.h"
#include "support/FakeHttp.h"
#include "support/FakeMessageBox.h"
#include "support/FakeShell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(UpdateVersion, IsComparedAsTextWithTheRunningRelease)
{
    for (std::u16string_view newer : {u"2.2.1", u"3", u"2.2.0.1"})
        EXPECT_TRUE(IsNewerRelease(newer)) << U8(std::u16string(newer));
    for (std::u16string_view older : {u"2.2.0", u"2.1.9", u"2.10.0", u"2.2", u""})
        EXPECT_FALSE(IsNewerRelease(older)) << U8(std::u16string(older));
}

TEST(UpdateVersion, FileIsReadWhateverTheOrderOfItsChildren)
{
    VersionFile file;
    ASSERT_TRUE(ReadVersionFile(u"<?xml version=\"1.0\"?>\r\n<UPDATE><UPDATE_PATH>/lanvoy.zip</UPDATE_PATH>"
                                u"<OTHER>9</OTHER><UPDATE_WEB>http://lanvoy.net/</UPDATE_WEB>"
                                u"<VERSION>2.3.0</VERSION></UPDATE>",
                                file));
    EXPECT_EQ(u"2.3.0", file.version);
    EXPECT_EQ(u"http://lanvoy.net/", file.updateWeb);
    EXPECT_EQ(u"/lanvoy.zip", file.updatePath);

    file.updateWeb = u"left over";
    ASSERT_TRUE(ReadVersionFile(u"<UPDATE><VERSION>3</VERSION></UPDATE>", file));
    EXPECT_EQ(u"3", file.version);
    EXPECT_EQ(u"", file.updateWeb);

    EXPECT_FALSE(ReadVersionFile(u"", file));
    EXPECT_FALSE(ReadVersionFile(u"<RELEASE><VERSION>9</VERSION></RELEASE>", file));
}

TEST(UpdateVersion, OnlyWebAddressesAreOpened)
{
    for (std::u16string_view web : {u"http://lanvoy.net/download.html", u"https://lanvoy.net/d?v=2.3",
                                    u"HTTPS://LANVOY.NET/", u"Http://lanvoy.net:8080"})
        EXPECT_TRUE(IsWebAddress(web)) << U8(std::u16string(web));
    for (std::u16string_view other :
         {u"file:///C:/Windows/System32/calc.exe", u"C:\\Windows\\System32\\cmd.exe", u"calc.exe",
          u"\\\\server\\share\\setup.exe", u"javascript:alert(1)", u"", u"http://", u"http:///C:/setup.exe",
          u" http://lanvoy.net",
          // These would split the browser's command line.
          u"http://lanvoy.net\" --load-extension=C:\\x", u"http://lanvoy.net/a b"})
        EXPECT_FALSE(IsWebAddress(other)) << U8(std::u16string(other));

    EXPECT_TRUE(IsWebAddress(CUpdateCheck::UpdateAddress()));
    EXPECT_TRUE(CUpdateCheck::UpdateAddress().ends_with(u"/lanvoy/download.asp?FileName=lanvoy.ver"));
}

class UpdateCheckTest : public StoreTest {
protected:
    const std::u16string kVersionFile = u"C:\\Lanvoy\\lanvoy.version";

    void SetUp() override
    {
        PutFile(Lines({kDeclaration, "<LANVOY>", R"(<CONFIG LASTID="0" VERSION="2.0" />)", R"(<DNS VERSION="2.0" />)",
                       R"(<SYSCONFIG VERSION="2.0">)", "<AUTOEXEC>FALSE</AUTOEXEC>", "<AUTOUPDATE>TRUE</AUTOUPDATE>",
                       "<LOGFLAG>TRUE</LOGFLAG>", "</SYSCONFIG>", "</LANVOY>"}));
        ASSERT_EQ(1, Reload());
        saved = FileBytes();
        check = std::make_unique<CUpdateCheck>(*store, messages, shell, files,
                                               [this](std::u16string_view text) { logged.emplace_back(text); });
    }

    // What the worker does, then what the window does with its result.
    void DownloadAndFinish()
    {
        DownloadNotice notice = DownloadNotice::None;
        int done = http.DownloadToFile(CUpdateCheck::UpdateAddress(), kVersionFile, notice);
        check->OnDownloadFinished(done != 0, notice, kVersionFile);
    }

    static std::string Offer(std::string_view version, std::string_view web)
    {
        return "<?xml version=\"1.0\"?>\r\n<UPDATE>\r\n<UPDATE_WEB>" + std::string(web) + "</UPDATE_WEB>\r\n<VERSION>" +
               std::string(version) + "</VERSION>\r\n</UPDATE>";
    }

    void ExpectCheckStillOn()
    {
        EXPECT_EQ(1, store->autoUpdate);
        EXPECT_EQ(saved, FileBytes());
        EXPECT_TRUE(logged.empty());
    }

    CFakeMessageBox messages;
    CFakeShell shell;
    CFakeHttp http{files};
    std::vector<std::u16string> logged;
    std::unique_ptr<CUpdateCheck> check;
    std::string saved;
};

TEST_F(UpdateCheckTest, NewerReleaseAsksAndOpensItsPageOnYes)
{
    http.body = Offer("2.2.1", "https://lanvoy.net/download");
    for (int answer : {kIdNo, kIdYes}) {
        messages.answer = answer;
        DownloadAndFinish();
    }
    EXPECT_EQ(u"C:\\Lanvoy\\lanvoy.version", http.requests.at(0).localPath);
    ASSERT_EQ(2u, messages.shown.size());
    EXPECT_EQ(u"当前程序最新的版本为2.2.1，是否需要更新！", messages.shown[0].text);
    EXPECT_EQ(u"Lanvoy", messages.shown[0].caption);
    EXPECT_EQ(kMbYesNo | kMbIconInformation, messages.shown[0].style);
    // Only the Yes opened the page; neither answer changes a switch.
    EXPECT_EQ((std::vector<ShellRequest>{{u"open", u"https://lanvoy.net/download", u""}}), shell.opened);
    ExpectCheckStillOn();
}

TEST_F(UpdateCheckTest, NothingIsShownWithoutANewerReleaseAndAPage)
{
    messages.answer = kIdYes;
    for (const std::string& body :
         {Offer("2.2.0", "http://lanvoy.net/"), Offer("2.10.0", "http://lanvoy.net/"),
          std::string("<UPDATE><UPDATE_WEB>http://lanvoy.net/</UPDATE_WEB></UPDATE>"),
          std::string("<html><body>404 Not Found</body></html>"), std::string(),
          // Newer, but the page would start a program here.
          Offer("9.0", "C:\\Windows\\System32\\cmd.exe"), Offer("9.0", "")}) {
        http.body = body;
        DownloadAndFinish();
    }
    files.files.clear();  // no copy at all
    check->CheckForUpdate(kVersionFile);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(shell.opened.empty());
    files.files[kCfg] = saved;
    ExpectCheckStillOn();
}

TEST_F(UpdateCheckTest, FailedDownloadIsToldIfItMustBeAndSwitchesTheCheckOffForGood)
{
    // No server answers; a copy left from an earlier start is not read.
    files.files[kVersionFile] = Offer("9.0", "http://lanvoy.net/old");
    const std::pair<DownloadNotice, std::u16string> cases[] = {
        {DownloadNotice::None, u""}, {DownloadNotice::BadUrl, u"URL出错"},
        {DownloadNotice::CannotCreateFile, u"Unable to open file"}};
    for (const auto& [notice, text] : cases) {
        ASSERT_EQ(1, Reload());
        check = std::make_unique<CUpdateCheck>(*store, messages, shell, files,
                                               [this](std::u16string_view line) { logged.emplace_back(line); });
        messages.shown.clear();
        http.failWith = notice;
        DownloadAndFinish();

        if (text.empty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(1u, messages.shown.size());
            EXPECT_EQ(text, messages.shown[0].text);
            EXPECT_EQ(kMbOk | kMbIconStop, messages.shown[0].style);
        }
        EXPECT_EQ(0, store->autoUpdate);
        EXPECT_NE(std::string::npos, FileBytes().find("<AUTOUPDATE>FALSE</AUTOUPDATE>"));
        EXPECT_NE(std::string::npos, FileBytes().find("<LOGFLAG>TRUE</LOGFLAG>"));
        EXPECT_EQ(std::u16string(u"自动更新失败！"), logged.back());
        ASSERT_EQ(1, Reload());
        EXPECT_EQ(0, store->autoUpdate);
        files.files[kCfg] = saved;
    }
    EXPECT_EQ(3u, logged.size());
    EXPECT_TRUE(shell.opened.empty());
}

}  // namespace
