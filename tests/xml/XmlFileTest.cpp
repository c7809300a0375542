#include "XmlTestSupport.h"
#include "text/Utf8.h"
#include "xml/XmlFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

class XmlFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("lanvoy_xml_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Paths go to the engine as UTF-16, named with a Chinese character so
    // that the wide path reaches the file system intact.
    std::u16string PathOf(const std::u16string& name) const { return folder.u16string() + u"/" + name; }
    fs::path FsPath(const std::u16string& name) const { return folder / fs::path(name); }

    void WriteBytes(const std::u16string& name, const std::string& bytes) const
    {
        std::ofstream out(FsPath(name), std::ios::binary);
        out << bytes;
    }
    std::string ReadBytes(const std::u16string& name) const
    {
        std::ifstream in(FsPath(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder;
};

TEST_F(XmlFileTest, SaveWritesUtf8WithoutMarkAndLoadReadsItBack)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(u"<R N=\"\x6211\">\xD83D\xDE00</R>"));
    ASSERT_TRUE(doc.SaveFile(PathOf(u"\x6211.cfg")));
    EXPECT_EQ(doc.ResultText(), u"15 wide chars to 19 bytes");
    EXPECT_EQ(ReadBytes(u"\x6211.cfg"), "<R N=\"\xE6\x88\x91\">\xF0\x9F\x98\x80</R>");

    CXmlDoc loaded;
    ASSERT_TRUE(loaded.LoadFile(PathOf(u"\x6211.cfg")));
    EXPECT_EQ(loaded.ResultText(), u"19 bytes to 15 wide chars");
    EXPECT_EQ(loaded.DocText(), doc.DocText());
    ASSERT_TRUE(loaded.FindNext());
    EXPECT_EQ(loaded.Attribute(u"N"), u"\x6211");
}

TEST_F(XmlFileTest, LoadNotesComeBeforeParseErrors)
{
    WriteBytes(u"empty.cfg", "");
    CXmlDoc doc;
    EXPECT_FALSE(doc.LoadFile(PathOf(u"empty.cfg")));
    EXPECT_EQ(doc.DocText(), u"");
    EXPECT_EQ(doc.ResultText(), u"0 bytes to 0 wide chars, Empty document");

    WriteBytes(u"text.cfg", "just text!");
    EXPECT_FALSE(doc.LoadFile(PathOf(u"text.cfg")));
    EXPECT_EQ(doc.ResultText(), u"10 bytes to 10 wide chars, No root element");

    WriteBytes(u"bad.cfg", "<a>\xE6\x88\x91</b>");
    EXPECT_FALSE(doc.LoadFile(PathOf(u"bad.cfg")));
    EXPECT_EQ(doc.ResultText(), u"10 bytes to 8 wide chars, No start tag for end tag 'b' at offset 4");
}

TEST_F(XmlFileTest, ByteOrderMarkAndBrokenBytesStillLoad)
{
    WriteBytes(u"bom.cfg", "\xEF\xBB\xBF<R>\xC3\x41</R>\r\n");
    CXmlDoc doc;
    ASSERT_TRUE(doc.LoadFile(PathOf(u"bom.cfg")));
    EXPECT_EQ(doc.DocText().front(), u'\xFEFF');
    ASSERT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.Text(), u"?A");
}

TEST_F(XmlFileTest, FailedLoadKeepsTheDocument)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(u"<KEEP><A/></KEEP>"));
    EXPECT_FALSE(doc.LoadFile(PathOf(u"missing.cfg")));
    EXPECT_FALSE(doc.ResultText().empty());
    EXPECT_EQ(doc.ResultText().find_first_of(u"\r\n"), std::u16string::npos);
    EXPECT_LE(doc.ResultText().size(), 100u);
    EXPECT_EQ(doc.DocText(), u"<KEEP><A/></KEEP>");
    ASSERT_TRUE(doc.FindNext(u"KEEP"));
    EXPECT_TRUE(doc.FindNextChild(u"A"));

    // A folder is no file on either platform.
    EXPECT_FALSE(doc.LoadFile(folder.u16string()));
    EXPECT_EQ(doc.DocText(), u"<KEEP><A/></KEEP>");

    std::u16string text = u"unchanged";
    std::u16string note;
    EXPECT_FALSE(ReadUtf8File(PathOf(u"missing.cfg"), text, note));
    EXPECT_EQ(text, u"unchanged");
    EXPECT_FALSE(note.empty());
}

TEST_F(XmlFileTest, EmptyDocumentSavesAnEmptyFile)
{
    WriteBytes(u"old.cfg", "old content");
    CXmlDoc doc;
    doc.SetText(u"");
    ASSERT_TRUE(doc.SaveFile(PathOf(u"old.cfg")));
    EXPECT_EQ(doc.ResultText(), u"0 wide chars to 0 bytes");
    EXPECT_EQ(ReadBytes(u"old.cfg"), "");
}

TEST_F(XmlFileTest, SaveIntoMissingFolderFailsWithSystemText)
{
    CXmlDoc doc;
    doc.SetText(u"<R/>");
    EXPECT_FALSE(doc.SaveFile(PathOf(u"no such folder/x.cfg")));
    EXPECT_FALSE(doc.ResultText().empty());
    EXPECT_EQ(doc.ResultText().find(u"wide chars"), std::u16string::npos);

    std::u16string note;
    EXPECT_TRUE(WriteUtf8File(PathOf(u"plain.txt"), u"\x6211", note));
    EXPECT_EQ(note, u"1 wide chars to 3 bytes");
    EXPECT_EQ(ReadBytes(u"plain.txt"), "\xE6\x88\x91");
}

}  // namespace
