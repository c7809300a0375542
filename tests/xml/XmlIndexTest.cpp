#include "XmlTestSupport.h"
#include "xml/ElementIndex.h"
#include "xml/XmlTokenizer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ElementIndex, GrowsByHalfUpToTheNextBlockEnd)
{
    CElementIndex index;
    index.Reset(8);
    EXPECT_EQ(index.Capacity(), 8);
    EXPECT_EQ(index.TableSize(), 4);
    ASSERT_TRUE(index.Grow(8));
    EXPECT_EQ(index.Capacity(), 12);
    ASSERT_TRUE(index.Grow(5));  // still room: nothing changes
    EXPECT_EQ(index.Capacity(), 12);

    index.Reset(60000);
    ASSERT_TRUE(index.Grow(60000));
    EXPECT_EQ(index.Capacity(), 90000);

    // Three full blocks in use: one growth step starts only one more.
    index.Reset(3 * CElementIndex::blockSize);
    ASSERT_TRUE(index.Grow(3 * CElementIndex::blockSize));
    EXPECT_EQ(index.Capacity(), 4 * CElementIndex::blockSize);
    ASSERT_TRUE(index.Grow(4 * CElementIndex::blockSize));
    EXPECT_EQ(index.Capacity(), 5 * CElementIndex::blockSize);

    // The block table: 4 entries at first, 2 * 4 + 4 once block 4 is needed.
    index.Reset(8);
    while (index.Capacity() <= 4 * CElementIndex::blockSize) {
        EXPECT_EQ(index.TableSize(), 4);
        ASSERT_TRUE(index.Grow(index.Capacity()));
    }
    EXPECT_EQ(index.TableSize(), 12);
}

TEST(ElementIndex, FullBlocksNeverMoveAndRecordsSurviveGrowth)
{
    CElementIndex index;
    index.Reset(70000);
    for (std::int32_t i = 0; i < 70000; ++i)
        index[i].start = i;
    const ElementRecord* fullBlock = &index[100];
    for (std::int32_t capacity = 70000; capacity < 300000; capacity = index.Capacity())
        ASSERT_TRUE(index.Grow(capacity));
    EXPECT_EQ(&index[100], fullBlock);
    for (std::int32_t i = 0; i < 70000; ++i)
        ASSERT_EQ(index[i].start, i);
}

std::u16string Entry(int n)
{
    return u"<E N=\"" + DecimalText(n) + u"\"/>\r\n";
}

TEST(XmlLargeDocument, SeventyThousandElementsAcrossBlocks)
{
    const int count = 70000;
    std::u16string text = u"<R>\r\n";
    for (int n = 0; n < count; ++n)
        text += Entry(n);
    text += u"</R>";

    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(text));
    ASSERT_TRUE(doc.FindNext());
    int seen = 0;
    while (doc.FindNextChild(u"E"))
        ++seen;
    EXPECT_EQ(seen, count);

    // Records past the first block: read, edit, save and remove there.
    doc.ResetChildPosition();
    for (int n = 0; n <= 69000; ++n)
        ASSERT_TRUE(doc.FindNextChild());
    EXPECT_EQ(doc.ChildAttribute(u"N"), u"69000");
    ASSERT_TRUE(doc.SavePosition(u"late"));
    ASSERT_TRUE(doc.SetChildAttribute(u"X", u"changed"));
    ASSERT_TRUE(doc.AppendChildElement(u"NEW"));
    ASSERT_TRUE(doc.FindNextChild());
    ASSERT_TRUE(doc.RemoveChildElement());  // 69001
    ASSERT_TRUE(doc.RestorePosition(u"late"));
    EXPECT_EQ(doc.ChildAttribute(u"X"), u"changed");
    ASSERT_TRUE(doc.FindNextChild());
    ASSERT_TRUE(doc.FindNextChild());
    EXPECT_EQ(doc.ChildAttribute(u"N"), u"69002");
    EXPECT_TRUE(doc.CheckConsistency());

    std::u16string expected = u"<E N=\"69000\" X=\"changed\"/>\r\n<NEW/>\r\n" + Entry(69002);
    EXPECT_NE(doc.DocText().find(expected), std::u16string::npos);
    EXPECT_EQ(doc.DocText().find(u"N=\"69001\""), std::u16string::npos);
}

// A text of exactly 64 * 65528 characters sizes the index at one full block,
// so these elements make it grow during edits, not during the parse.
TEST(XmlLargeDocument, IndexGrowsAcrossTheBlockBoundaryWhileEditing)
{
    const int children = CElementIndex::blockSize - 2;  // with the root: all 65535 usable records
    std::u16string text = u"<R>";
    const std::size_t total = 64 * (CElementIndex::blockSize - 8);
    text += std::u16string(total - 7 - 4 * children, u'x');
    for (int n = 0; n < children; ++n)
        text += u"<E/>";
    text += u"</R>";
    ASSERT_EQ(text.size(), total);

    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(text));
    ASSERT_TRUE(doc.FindNext() && doc.Enter());
    ASSERT_TRUE(doc.FindNext(u"E"));
    ASSERT_TRUE(doc.SavePosition(u"first"));
    for (int n = 0; n < 10; ++n) {
        ASSERT_TRUE(doc.AppendElement(u"N", DecimalText(n)));
        ASSERT_TRUE(doc.SetAttribute(u"I", DecimalText(n)));
    }
    ASSERT_TRUE(doc.FindNext(u"E"));
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.TagName(), u"N");
    EXPECT_EQ(doc.Text(), u"9");
    EXPECT_EQ(doc.Attribute(u"I"), u"9");
    ASSERT_TRUE(doc.RestorePosition(u"first"));
    ASSERT_TRUE(doc.FindNext(u"N"));
    EXPECT_EQ(doc.Attribute(u"I"), u"0");
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_NE(doc.DocText().find(u"<E/><N I=\"0\">0</N>\r\n<N I=\"1\">1</N>\r\n"), std::u16string::npos);
}

}  // namespace
