#include "support/TempFolder.h"
#include "platform/FileSystem.h"

TEST(LocalFileSystemTest, WholeFilesAreReadWrittenAndReplaced)
{
    TempFolder folder;
    CLocalFileSystem files;
    const std::u16string target = folder.Native("目标.cfg");
    const std::u16string temp = folder.Native("目标.cfg.tmp");
    EXPECT_FALSE(files.Exists(target));

    const std::string bytes("line\r\n\0binary\xff", 14);
    ASSERT_TRUE(files.WriteAll(target, bytes));
    EXPECT_TRUE(files.Exists(target));
    std::string read;
    ASSERT_TRUE(files.ReadAll(target, read));
    EXPECT_EQ(bytes, read);

    // Replacing takes the new file's place over the old one, and the new name is gone.
    ASSERT_TRUE(files.WriteAll(temp, "new"));
    ASSERT_TRUE(files.ReplaceWith(temp, target));
    EXPECT_FALSE(files.Exists(temp));
    EXPECT_EQ("new", TempFolder::Read(folder / "目标.cfg"));

    ASSERT_TRUE(files.WriteAll(target, ""));
    ASSERT_TRUE(files.ReadAll(target, read));
    EXPECT_EQ("", read);
    EXPECT_TRUE(files.Remove(target));
    EXPECT_FALSE(files.Exists(target));
}

TEST(LocalFileSystemTest, FailuresAreReportedWithTheSystemText)
{
    TempFolder folder;
    CLocalFileSystem files;
    std::string read = "unchanged";
    EXPECT_FALSE(files.ReadAll(folder.Native("missing"), read));
    EXPECT_EQ("unchanged", read);
    EXPECT_FALSE(files.LastErrorText().empty());

    // A folder where the file should be cannot be written, not even by an administrator.
    std::filesystem::create_directory(folder / "busy");
    EXPECT_FALSE(files.WriteAll(folder.Native("busy"), "x"));
    EXPECT_FALSE(files.ReplaceWith(folder.Native("missing"), folder.Native("other")));
    EXPECT_FALSE(files.Remove(folder.Native("missing")));
    EXPECT_FALSE(files.WriteAll(std::u16string(u"a\0b", 3), "x"));
}
