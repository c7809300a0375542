// A configuration of the previous release, saved in the GBK code page, read on
// a Simplified-Chinese system. Runs under a zh_CN locale, where Wine's ANSI
// code page is 936.

#include "StoreFixture.h"
#include "support/TempFolder.h"

#include <windows.h>

TEST(AnsiImportTest, GbkNamesImportIntact)
{
    ASSERT_EQ(936u, GetACP()) << "run with LC_ALL=zh_CN.UTF-8 and that locale generated on the host";
    TempFolder folder;
    // "办公室" and "实验室" in GBK.
    const std::string office = "\xB0\xEC\xB9\xAB\xCA\xD2";
    const std::string lab = "\xCA\xB5\xD1\xE9\xCA\xD2";
    TempFolder::Write(folder / "ipconfig.xml",
                      "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<CONFIG>\r\n<NETSETING NAME=\"" + office +
                          "\" ID=\"1\">\r\n<CONNECTION NAME=\"" + lab +
                          "\" TYPE=\"1\"/>\r\n</NETSETING>\r\n</CONFIG>\r\n");

    CLocalFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2008, 5, 1, 14, 5, 9}};
    CProfileStore store(StoreEnvironment{folder.Native("lanvoy.exe"), files, registry, startupTask, clock});
    store.Load();
    ASSERT_EQ(1, store.ImportV1(folder.Native("ipconfig.xml")));
    ASSERT_EQ(1, store.Save());
    ASSERT_EQ(1, store.Load());
    ASSERT_EQ(1u, store.Profiles().size());
    EXPECT_EQ(u"办公室", store.Profiles()[0]->name);
    EXPECT_EQ(u"【实验室】-自动获取IP\n", store.Profiles()[0]->summary);
    // The file itself is UTF-8, whatever code page the import read.
    EXPECT_NE(std::string::npos, TempFolder::Read(folder / "lanvoy.cfg").find("NAME=\"\xE5\x8A\x9E\xE5\x85\xAC\xE5\xAE\xA4\""));
}
