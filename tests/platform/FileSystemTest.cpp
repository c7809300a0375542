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

TEST(LocalFileSystemTest, AppendsAtTheEndAndReadsTheStart)
{
    TempFolder folder;
    CLocalFileSystem files;
    const std::u16string log = folder.Native("日志.log");

    // Only the call that creates the file writes the header.
    ASSERT_TRUE(files.Append(log, "one", "\xff\xfe"));
    ASSERT_TRUE(files.Append(log, std::string("two\0", 4), "\xff\xfe"));
    EXPECT_EQ(std::string("\xff\xfeonetwo\0", 9), TempFolder::Read(folder / "日志.log"));

    // An existing file is never truncated, and no header is needed.
    TempFolder::Write(folder / "old.log", "kept");
    ASSERT_TRUE(files.Append(folder.Native("old.log"), "+"));
    EXPECT_EQ("kept+", TempFolder::Read(folder / "old.log"));

    std::string start;
    ASSERT_TRUE(files.ReadStart(log, 2, start));
    EXPECT_EQ("\xff\xfe", start);
    ASSERT_TRUE(files.ReadStart(folder.Native("old.log"), 100, start));
    EXPECT_EQ("kept+", start);
    TempFolder::Write(folder / "empty.log", "");
    ASSERT_TRUE(files.ReadStart(folder.Native("empty.log"), 2, start));
    EXPECT_EQ("", start);
}

TEST(LocalFileSystemTest, AppendAndReadStartFailWithoutChangingAnything)
{
    TempFolder folder;
    CLocalFileSystem files;
    std::string start = "unchanged";
    EXPECT_FALSE(files.ReadStart(folder.Native("missing"), 2, start));
    EXPECT_EQ("unchanged", start);
    EXPECT_FALSE(files.LastErrorText().empty());

    std::filesystem::create_directory(folder / "busy");
    EXPECT_FALSE(files.Append(folder.Native("busy"), "x", "h"));
    EXPECT_FALSE(files.Append(folder.Native("no folder/file.log"), "x"));
    EXPECT_FALSE(std::filesystem::exists(folder / "no folder"));
    // The part before a NUL would name another file.
    const std::u16string cut = folder.Native("a") + std::u16string(u"\0b", 2);
    EXPECT_FALSE(files.Append(cut, "x"));
    EXPECT_FALSE(files.ReadStart(cut, 2, start));
    EXPECT_FALSE(std::filesystem::exists(folder / "a"));
    EXPECT_EQ("unchanged", start);
}
