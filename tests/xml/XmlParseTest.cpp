#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct ParseCase {
    const char16_t* text;
    const char16_t* result;
};

class ParseErrorTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseErrorTest, ReportsFirstErrorWithOffset)
{
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetText(GetParam().text));
    EXPECT_EQ(doc.ResultText(), GetParam().result);
    EXPECT_FALSE(doc.WellFormed());
    EXPECT_TRUE(doc.CheckConsistency());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ParseErrorTest,
    ::testing::Values(
        ParseCase{u"", u"Empty document"},
        ParseCase{u"  <!-- c -->\r\n", u"No root element"},
        ParseCase{u"<a/><b/>", u"Root element has sibling"},
        ParseCase{u"<a><b></a>", u"End tag 'a' at offset 7 does not match start tag 'b' at offset 3"},
        ParseCase{u"<a></b></a>", u"No start tag for end tag 'b' at offset 3"},
        ParseCase{u"<a>", u"Element 'a' at offset 0 not ended"},
        ParseCase{u"<a><b>", u"Element 'b' at offset 3 not ended"},
        ParseCase{u"<1a/>", u"Incorrect tag name character at offset 0"},
        ParseCase{u"<a>< b/></a>", u"Incorrect tag name character at offset 3"},
        ParseCase{u"<a><!x></a>", u"Incorrect ! tag at offset 3"},
        ParseCase{u"<a><!-x></a>", u"Incorrect comment tag at offset 3"},
        ParseCase{u"<a><![x></a>", u"Incorrect tag at offset 3"},
        ParseCase{u"<!-- x", u"Comment at offset 0 unterminated"},
        ParseCase{u"<a><![CDATA[x</a>", u"CDATA Section at offset 3 unterminated"},
        ParseCase{u"<a><?pi x</a>", u"Processing instruction at offset 3 unterminated"},
        ParseCase{u"<!DOCTYPE a [<!ENTITY e \"x\">", u"Doctype at offset 0 unterminated"},
        ParseCase{u"<a></a", u"Element end tag at offset 3 unterminated"},
        ParseCase{u"<a x=\"1>", u"Element tag at offset 0 unterminated"},
        ParseCase{u"<a><", u"tag at offset 3 unterminated"},
        ParseCase{u"<a><!", u"tag at offset 3 unterminated"},
        // Only the first problem is recorded.
        ParseCase{u"<a><1/></b></a><c/>", u"Incorrect tag name character at offset 3"},
        ParseCase{u"<a></b><c></a>", u"No start tag for end tag 'b' at offset 3"}));

TEST(XmlParse, QuotedGreaterThanDoesNotEndStartTag)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(u"<a x=\"1>2\" y='>'><b/></a>"));
    ASSERT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.Attribute(u"x"), u"1>2");
    EXPECT_EQ(doc.Attribute(u"y"), u">");
    EXPECT_EQ(doc.InnerMarkup(), u"<b/>");
}

TEST(XmlParse, SkipsPrologCommentsCdataAndDoctypeSubset)
{
    CXmlDoc doc;
    EXPECT_TRUE(doc.SetText(u"<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [<!ENTITY e \"a>b\"><!-- ] > -->]>\r\n"
                            u"<!-- <x> --><r><![CDATA[</r><y>]]><s/></r>\r\n"));
    EXPECT_EQ(doc.ResultText(), u"");
    EXPECT_EQ(Dump(doc), u"r(s)");
}

TEST(XmlParse, UnclosedTagIsClosedAtItsStartTagAndLosesItsChildren)
{
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetText(u"<r><a><b/><c></c></r>"));
    EXPECT_EQ(doc.ResultText(), u"End tag 'r' at offset 18 does not match start tag 'a' at offset 3");
    EXPECT_EQ(Dump(doc), u"r(a,b,c)");
    ASSERT_TRUE(doc.FindNext() && doc.FindNextChild(u"a"));
    doc.Enter();
    EXPECT_EQ(doc.InnerMarkup(), u"");
    EXPECT_TRUE(doc.CheckConsistency());
}

TEST(XmlParse, NestedUnclosedTagsAllMoveUpInOrder)
{
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetText(u"<r><a><x/><b><y/><c><z/></r>"));
    EXPECT_EQ(Dump(doc), u"r(a,x,b,y,c,z)");
    EXPECT_TRUE(doc.CheckConsistency());

    EXPECT_FALSE(doc.SetText(u"<a><b><c/>"));
    EXPECT_EQ(doc.ResultText(), u"Element 'b' at offset 3 not ended");
    EXPECT_EQ(Dump(doc), u"a,b,c");
    EXPECT_TRUE(doc.CheckConsistency());
}

TEST(XmlParse, EndTagsMatchOnTheNameUpToBracketsAndEquals)
{
    CXmlDoc doc;
    EXPECT_TRUE(doc.SetText(u"<a[1]><b=c><d/></b></a>"));
    EXPECT_EQ(Dump(doc), u"a[1](b=c(d))");
    // A stray end tag amid open ones of other names closes nothing.
    EXPECT_FALSE(doc.SetText(u"<a><b><c></x></c></b></a>"));
    EXPECT_EQ(doc.ResultText(), u"No start tag for end tag 'x' at offset 9");
    EXPECT_EQ(Dump(doc), u"a(b(c))");
    // An outer match closes the inner ones, also after a stray end tag.
    EXPECT_FALSE(doc.SetText(u"<a></x><b><c></a>"));
    EXPECT_EQ(Dump(doc), u"a(b,c)");
    EXPECT_TRUE(doc.CheckConsistency());
}

TEST(XmlParse, EndTagMatchingCanIgnoreCase)
{
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetText(u"<Root></ROOT>"));
    EXPECT_EQ(doc.ResultText(), u"No start tag for end tag 'ROOT' at offset 6");

    doc.SetDocFlags(CXmlDoc::IgnoreCase);
    EXPECT_TRUE(doc.SetText(u"<Root><Item/></ROOT>"));
    EXPECT_TRUE(doc.FindNext(u"ROOT"));
    EXPECT_TRUE(doc.FindNextChild(u"item"));
}

// Tag lengths are held in full: a start tag of several million characters or
// an end tag of thousands must come back exactly.
TEST(XmlParse, HugeTagsAreIndexedExactly)
{
    std::u16string value(5u << 20, u'v');
    std::u16string name = u"n" + std::u16string(2000, u'x');
    std::u16string markup = u"<" + name + u"><e v=\"" + value + u"\"/><f/></" + name + u">";
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(markup));
    ASSERT_TRUE(doc.FindNext(name));
    EXPECT_EQ(doc.InnerMarkup().size(), value.size() + 13);
    ASSERT_TRUE(doc.FindNextChild(u"e"));
    EXPECT_EQ(doc.ChildAttribute(u"v").size(), value.size());
    EXPECT_TRUE(doc.FindNextChild(u"f"));
    EXPECT_TRUE(doc.AppendChildElement(u"g"));
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_TRUE(doc.DocText().ends_with(u"<f/><g/>\r\n</" + name + u">"));
}

TEST(XmlParse, DeepNestingNeedsNoRecursion)
{
    std::u16string open;
    std::u16string close;
    for (int i = 0; i < 100000; ++i) {
        open += u"<d>";
        close += u"</d>";
    }
    CXmlDoc doc;
    EXPECT_TRUE(doc.SetText(open + close));
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_FALSE(doc.SetText(open));  // every level closed as not ended
    EXPECT_TRUE(doc.CheckConsistency());
}

// Any text, however broken, gives a consistent index that survives edits.
TEST(XmlParse, ArbitraryInputNeverBreaksTheIndex)
{
    const std::vector<std::u16string> pieces = {
        u"<a>", u"</a>", u"<b x='1>'>", u"</b>", u"<c/>", u"<c />", u"<", u">", u"/", u"\"", u"'", u" ",
        u"\r\n", u"text", u"&amp;", u"&#x41;", u"<!--", u"-->", u"<![CDATA[", u"]]>", u"<?", u"?>",
        u"<!DOCTYPE r [", u"]>", u"<!E", u"<1", u"</", u"=", u"<d a=1/>", u"\xFEFF", u"\xD83D"};
    std::mt19937 random(1234);
    for (int round = 0; round < 1500; ++round) {
        std::u16string text;
        int count = static_cast<int>(random() % 24);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % pieces.size()];
        CXmlDoc doc;
        doc.SetText(text);
        ASSERT_TRUE(doc.CheckConsistency()) << round;

        doc.FindNext();
        doc.FindNextChild();
        doc.AppendChildElement(u"n", u"v<");
        doc.SetAttribute(u"k", u"'\"");
        doc.InsertMarkup(pieces[random() % pieces.size()] + pieces[random() % pieces.size()]);
        ASSERT_TRUE(doc.CheckConsistency()) << round;
        doc.Enter();
        doc.AppendElement(u"m");
        doc.RemoveElement();
        doc.Leave();
        doc.RemoveChildElement();
        doc.RemoveElement();
        ASSERT_TRUE(doc.CheckConsistency()) << round;
    }
}

TEST(XmlParse, EveryTruncationIsHandled)
{
    const std::u16string full =
        u"<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"v\">]><r a=\"1\" b='2'><!-- c --><x>t&amp;</x>"
        u"<![CDATA[d]]><y/><z q=\">\"></z></r>";
    for (std::size_t length = 0; length <= full.size(); ++length) {
        CXmlDoc doc;
        doc.SetText(full.substr(0, length));
        ASSERT_TRUE(doc.CheckConsistency()) << length;
        doc.FindNextChild();
        doc.AppendChildElement(u"n");
        ASSERT_TRUE(doc.CheckConsistency()) << length;
    }
}

}  // namespace
