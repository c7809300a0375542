#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A document with the cursor on its root element.
struct RootedDoc {
    explicit RootedDoc(const std::u16string& text)
    {
        doc.SetText(text);
        doc.FindNext();
    }
    CXmlDoc doc;
};

TEST(XmlAppend, IntoEmptyFormParentOpensItOnItsOwnLines)
{
    RootedDoc r(u"<R/>");
    ASSERT_TRUE(r.doc.AppendChildElement(u"A"));
    EXPECT_EQ(r.doc.DocText(), u"<R>\r\n<A/>\r\n</R>");
    ASSERT_TRUE(r.doc.AppendChildElement(u"B"));
    EXPECT_EQ(r.doc.DocText(), u"<R>\r\n<A/>\r\n<B/>\r\n</R>");
    EXPECT_TRUE(r.doc.CheckConsistency());
    EXPECT_TRUE(ReparsesSame(r.doc));

    RootedDoc config(u"<CONFIG LASTID=\"0\" VERSION=\"2.0\" />");
    ASSERT_TRUE(config.doc.AppendChildElement(u"A"));
    EXPECT_EQ(config.doc.DocText(), u"<CONFIG LASTID=\"0\" VERSION=\"2.0\" >\r\n<A/>\r\n</CONFIG>");
    EXPECT_EQ(config.doc.Attribute(u"VERSION"), u"2.0");
    EXPECT_EQ(config.doc.InnerMarkup(), u"\r\n<A/>\r\n");
    EXPECT_TRUE(ReparsesSame(config.doc));
}

TEST(XmlAppend, IntoParentWithEndTag)
{
    RootedDoc empty(u"<p></p>");
    ASSERT_TRUE(empty.doc.AppendChildElement(u"A", u"1"));
    EXPECT_EQ(empty.doc.DocText(), u"<p>\r\n<A>1</A>\r\n</p>");

    // After the child cursor, between siblings, on the line after it.
    RootedDoc middle(u"<R>\r\n<A/>\r\n<C/>\r\n</R>");
    ASSERT_TRUE(middle.doc.FindNextChild(u"A"));
    ASSERT_TRUE(middle.doc.AppendChildElement(u"B"));
    EXPECT_EQ(middle.doc.DocText(), u"<R>\r\n<A/>\r\n<B/>\r\n<C/>\r\n</R>");
    ASSERT_TRUE(middle.doc.FindNextChild());
    EXPECT_EQ(middle.doc.ChildText(), u"");
    EXPECT_TRUE(middle.doc.FindNextChild() == false);
    EXPECT_TRUE(ReparsesSame(middle.doc));

    // Without a child cursor: at the end of the content.
    RootedDoc tail(u"<R>\r\n<A/>\r\n</R>");
    ASSERT_TRUE(tail.doc.AppendChildElement(u"Z"));
    EXPECT_EQ(tail.doc.DocText(), u"<R>\r\n<A/>\r\n<Z/>\r\n</R>");
}

TEST(XmlAppend, MainLevelFollowsMainPositionAndBuildsFromNothing)
{
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetText(u""));
    ASSERT_TRUE(doc.AppendElement(u"CONFIG"));
    EXPECT_EQ(doc.DocText(), u"<CONFIG/>\r\n");
    EXPECT_TRUE(doc.WellFormed());
    ASSERT_TRUE(doc.AppendChildElement(u"X", u"a<b&c"));
    EXPECT_EQ(doc.DocText(), u"<CONFIG>\r\n<X>a&lt;b&amp;c</X>\r\n</CONFIG>\r\n");
    EXPECT_EQ(doc.ChildText(), u"a<b&c");

    ASSERT_TRUE(doc.Enter());  // parent CONFIG, main X
    ASSERT_TRUE(doc.AppendElement(u"Y"));
    EXPECT_EQ(doc.TagName(), u"Y");
    EXPECT_EQ(doc.DocText(), u"<CONFIG>\r\n<X>a&lt;b&amp;c</X>\r\n<Y/>\r\n</CONFIG>\r\n");
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_TRUE(ReparsesSame(doc));
}

TEST(XmlAppend, OptionBits)
{
    RootedDoc r(u"<R></R>");
    ASSERT_TRUE(r.doc.AppendChildElement(u"D", u"a]]>b", CXmlDoc::WithCdata));
    EXPECT_EQ(r.doc.ChildText(), u"a]]>b");
    ASSERT_TRUE(r.doc.AppendChildElement(u"E", u"", CXmlDoc::EmptyWithBlank));
    ASSERT_TRUE(r.doc.AppendChildElement(u"Q", u"'\"", CXmlDoc::EscapeQuotes));
    EXPECT_EQ(r.doc.DocText(),
              u"<R>\r\n<D><![CDATA[a]]]]><![CDATA[>b]]></D>\r\n<E />\r\n<Q>&apos;&quot;</Q>\r\n</R>");
    EXPECT_TRUE(ReparsesSame(r.doc));

    std::u16string before = r.doc.DocText();
    EXPECT_FALSE(r.doc.AppendChildElement(u"W", u"text", CXmlDoc::WithoutEndTag));
    EXPECT_FALSE(r.doc.AppendChildElement(u""));
    EXPECT_FALSE(r.doc.AppendChildElement(u"a b"));
    EXPECT_FALSE(r.doc.AppendChildElement(u"1x"));
    EXPECT_EQ(r.doc.DocText(), before);
    ASSERT_TRUE(r.doc.AppendChildElement(u"W", u"", CXmlDoc::WithoutEndTag));
    EXPECT_TRUE(r.doc.DocText().ends_with(u"<Q>&apos;&quot;</Q>\r\n<W>\r\n</R>"));
    EXPECT_TRUE(r.doc.CheckConsistency());

    RootedDoc tight(u"<R/>");
    ASSERT_TRUE(tight.doc.AppendChildElement(u"A", u"", CXmlDoc::WithoutLineBreaks));
    ASSERT_TRUE(tight.doc.AppendChildElement(u"B", u"1", CXmlDoc::WithoutLineBreaks));
    EXPECT_EQ(tight.doc.DocText(), u"<R><A/><B>1</B></R>");
    EXPECT_TRUE(ReparsesSame(tight.doc));
}

TEST(XmlAppend, NeedsAnElementForChildren)
{
    CXmlDoc doc;
    doc.SetText(u"<R/>");
    EXPECT_FALSE(doc.AppendChildElement(u"A"));
    EXPECT_FALSE(doc.SetAttribute(u"a", u"1"));
    EXPECT_FALSE(doc.RemoveElement());
    EXPECT_FALSE(doc.RemoveChildElement());
    EXPECT_EQ(doc.DocText(), u"<R/>");
}

// Edits that would change how the rest of the tag reads are refused or kept
// within the quoting the parser saw.
TEST(XmlEditSafety, OddStartTagsStayReadable)
{
    RootedDoc slashes(u"<r \t<//>");
    EXPECT_FALSE(slashes.doc.AppendChildElement(u"N"));
    ASSERT_TRUE(slashes.doc.Enter());
    EXPECT_FALSE(slashes.doc.InsertMarkup(u"<N/>"));
    EXPECT_EQ(slashes.doc.DocText(), u"<r \t<//>");
    EXPECT_TRUE(slashes.doc.CheckConsistency());

    RootedDoc quotes(u"<r b=x' c='/>");
    ASSERT_TRUE(quotes.doc.SetAttribute(u"b", u"v"));
    EXPECT_EQ(quotes.doc.DocText(), u"<r b=\"v\"/>");
    ASSERT_TRUE(quotes.doc.SetAttribute(u"n", u"1"));
    EXPECT_TRUE(ReparsesSame(quotes.doc));

    // A quote in the tag name pairs with one further on.
    RootedDoc name(u"<g\"<x a)\"/>");
    ASSERT_TRUE(name.doc.SetAttribute(u"a", u"1"));
    EXPECT_EQ(name.doc.DocText(), u"<g\"<x a)\" a=\"1\"/>");
    EXPECT_TRUE(ReparsesSame(name.doc));
}

TEST(XmlRemove, TakesTheFollowingLineBreak)
{
    RootedDoc only(u"<R>\r\n<A/>\r\n</R>");
    ASSERT_TRUE(only.doc.FindNextChild());
    ASSERT_TRUE(only.doc.RemoveChildElement());
    EXPECT_EQ(only.doc.DocText(), u"<R>\r\n</R>");
    EXPECT_FALSE(only.doc.FindNextChild());

    RootedDoc three(u"<R>\r\n<A/>\r\n<B><C/></B>\r\n<D>d</D>\r\n</R>");
    ASSERT_TRUE(three.doc.FindNextChild(u"B"));
    ASSERT_TRUE(three.doc.RemoveChildElement());
    EXPECT_EQ(three.doc.DocText(), u"<R>\r\n<A/>\r\n<D>d</D>\r\n</R>");
    ASSERT_TRUE(three.doc.FindNextChild());  // from A, the previous sibling
    EXPECT_EQ(three.doc.ChildText(), u"d");
    EXPECT_TRUE(three.doc.CheckConsistency());
    EXPECT_TRUE(ReparsesSame(three.doc));

    // Whitespace that does not lead to a tag stays.
    RootedDoc text(u"<R><A/> x</R>");
    ASSERT_TRUE(text.doc.FindNextChild());
    ASSERT_TRUE(text.doc.RemoveChildElement());
    EXPECT_EQ(text.doc.DocText(), u"<R> x</R>");
    EXPECT_EQ(text.doc.Text(), u" x");
}

TEST(XmlRemove, MovesTheCursorToThePreviousSibling)
{
    CXmlDoc doc;
    doc.SetText(u"<R>\r\n<A/>\r\n<B/>\r\n<C/>\r\n</R>\r\n");
    ASSERT_TRUE(doc.FindNext() && doc.Enter());
    ASSERT_TRUE(doc.FindNext(u"C"));
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.TagName(), u"B");
    ASSERT_TRUE(doc.FindNext(u"B") == false);
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext() && doc.Enter() && doc.FindNext(u"A"));
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.TagName(), u"");  // A was the first: no main position
    EXPECT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.TagName(), u"B");
    EXPECT_EQ(doc.DocText(), u"<R>\r\n<B/>\r\n</R>\r\n");

    // The root and its line break, down to nothing.
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext());
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.DocText(), u"");
    EXPECT_FALSE(doc.WellFormed());
    EXPECT_TRUE(doc.CheckConsistency());
}

TEST(XmlAttribute, ReplacesOrInsertsInPlace)
{
    RootedDoc quoted(u"<X NAME='a&amp;b'><Y/></X>");
    EXPECT_EQ(quoted.doc.Attribute(u"NAME"), u"a&b");
    ASSERT_TRUE(quoted.doc.SetAttribute(u"NAME", u"c"));
    EXPECT_EQ(quoted.doc.DocText(), u"<X NAME=\"c\"><Y/></X>");
    ASSERT_TRUE(quoted.doc.FindNextChild(u"Y"));  // later records moved with the text
    ASSERT_TRUE(quoted.doc.SetChildAttribute(u"v", u"<\"&'>"));
    EXPECT_EQ(quoted.doc.DocText(), u"<X NAME=\"c\"><Y v=\"&lt;&quot;&amp;&apos;&gt;\"/></X>");
    EXPECT_EQ(quoted.doc.ChildAttribute(u"v"), u"<\"&'>");
    EXPECT_TRUE(ReparsesSame(quoted.doc));

    RootedDoc empty(u"<X/>");
    ASSERT_TRUE(empty.doc.SetAttribute(u"a", u"1"));
    EXPECT_EQ(empty.doc.DocText(), u"<X a=\"1\"/>");

    RootedDoc blank(u"<X a=\"1\" />");
    ASSERT_TRUE(blank.doc.SetAttribute(u"b", u"2"));
    EXPECT_EQ(blank.doc.DocText(), u"<X a=\"1\" b=\"2\" />");
    ASSERT_TRUE(blank.doc.AppendChildElement(u"C"));
    EXPECT_EQ(blank.doc.DocText(), u"<X a=\"1\" b=\"2\" >\r\n<C/>\r\n</X>");

    RootedDoc bare(u"<X a=1 flag b = '2'>t</X>");
    EXPECT_EQ(bare.doc.Attribute(u"a"), u"1");
    EXPECT_EQ(bare.doc.Attribute(u"b"), u"2");
    EXPECT_EQ(bare.doc.Attribute(u"flag"), u"");
    ASSERT_TRUE(bare.doc.SetAttribute(u"a", u"x"));
    ASSERT_TRUE(bare.doc.SetAttribute(u"flag", u"on"));
    ASSERT_TRUE(bare.doc.SetAttribute(u"b", u""));
    ASSERT_TRUE(bare.doc.SetAttribute(u"c", u"3"));
    EXPECT_EQ(bare.doc.DocText(), u"<X a=\"x\" flag=\"on\" b = \"\" c=\"3\">t</X>");
    EXPECT_EQ(bare.doc.Text(), u"t");
    EXPECT_FALSE(bare.doc.SetAttribute(u"bad name", u"1"));
    EXPECT_FALSE(bare.doc.SetAttribute(u"", u"1"));

    // An unquoted value never swallows the slash of an empty tag.
    RootedDoc slash(u"<X a=1/>");
    EXPECT_EQ(slash.doc.Attribute(u"a"), u"1");
    ASSERT_TRUE(slash.doc.SetAttribute(u"a", u"2"));
    EXPECT_EQ(slash.doc.DocText(), u"<X a=\"2\"/>");
    EXPECT_TRUE(slash.doc.CheckConsistency());
}

TEST(XmlInsertMarkup, InsertsElementsWithTheirIndex)
{
    CXmlDoc doc;
    doc.SetText(u"<R/>");
    ASSERT_TRUE(doc.FindNext() && doc.Enter());
    EXPECT_FALSE(doc.InsertMarkup(u"\r\n<A/>\r\n<B/>\r\n"));  // two elements
    EXPECT_EQ(doc.DocText(), u"<R>\r\n<A/>\r\n<B/>\r\n</R>");
    EXPECT_EQ(doc.TagName(), u"A");
    EXPECT_TRUE(doc.FindNext(u"B"));

    EXPECT_TRUE(doc.InsertMarkup(u" junk <C k=\"v\"><D>t</D></C> tail"));
    EXPECT_EQ(doc.DocText(), u"<R>\r\n<A/>\r\n<B/>\r\n<C k=\"v\"><D>t</D></C>\r\n</R>");
    EXPECT_EQ(doc.TagName(), u"C");
    EXPECT_EQ(doc.Attribute(u"k"), u"v");
    ASSERT_TRUE(doc.FindNextChild(u"D"));
    EXPECT_EQ(doc.ChildText(), u"t");
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_TRUE(ReparsesSame(doc));
    EXPECT_EQ(Dump(doc), u"R(A,B,C(D))");
}

TEST(XmlInsertMarkup, BrokenMarkupGoesInUnchanged)
{
    CXmlDoc doc;
    doc.SetText(u"<R>\r\n<A/>\r\n</R>");
    ASSERT_TRUE(doc.FindNext() && doc.Enter() && doc.FindNext(u"A"));
    EXPECT_FALSE(doc.InsertMarkup(u"<X><Y></X>"));
    EXPECT_EQ(doc.DocText(), u"<R>\r\n<A/><X><Y></X>\r\n</R>");
    EXPECT_EQ(doc.TagName(), u"X");
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_EQ(Dump(doc), u"R(A,X(Y))");

    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext() && doc.Enter() && doc.FindNext(u"A"));
    EXPECT_FALSE(doc.InsertMarkup(u"plain"));
    EXPECT_EQ(doc.TagName(), u"A");
    EXPECT_EQ(doc.DocText(), u"<R>\r\n<A/>plain<X><Y></X>\r\n</R>");
    EXPECT_FALSE(doc.InsertMarkup(u""));
    EXPECT_TRUE(doc.CheckConsistency());
}

TEST(XmlEscape, EscapesAndUnescapes)
{
    EXPECT_EQ(CXmlDoc::Escape(u"<a&b>'\""), u"&lt;a&amp;b&gt;'\"");
    EXPECT_EQ(CXmlDoc::Escape(u"<a&b>'\"", CXmlDoc::EscapeQuotes), u"&lt;a&amp;b&gt;&apos;&quot;");
    EXPECT_EQ(CXmlDoc::Escape(u"&amp; &#x41; & x &foo &_:a;", CXmlDoc::KeepReferences),
              u"&amp; &#x41; &amp; x &amp;foo &_:a;");
    EXPECT_EQ(CXmlDoc::Escape(u"&amp;"), u"&amp;amp;");

    EXPECT_EQ(CXmlDoc::Unescape(u"&lt;&amp;&gt;&apos;&quot;"), u"<&>'\"");
    EXPECT_EQ(CXmlDoc::Unescape(u"&#65;&#x42;&#x1F600;&#1114111;"), u"AB\xD83D\xDE00\xDBFF\xDFFF");
    // What is no reference stays as written.
    EXPECT_EQ(CXmlDoc::Unescape(u"&unknown; & &#xZZ; &#; &#0; &#xD800; &#x110000; &#12345678; &#65"),
              u"&unknown; & &#xZZ; &#; &#0; &#xD800; &#x110000; &#12345678; &#65");
    for (std::u16string value : {u"", u"x", u"a<b>&c'\"d", u"&amp;"})
        EXPECT_EQ(CXmlDoc::Unescape(CXmlDoc::Escape(value, CXmlDoc::EscapeQuotes)), value);
}

}  // namespace

namespace {

// Walks to a random element: the cursor ends with it as the main position.
void WalkToRandomElement(CXmlDoc& doc, std::mt19937& random)
{
    doc.ResetPosition();
    doc.FindNext();
    for (int depth = 0; depth < 4 && random() % 3 != 0; ++depth) {
        doc.ResetChildPosition();
        int steps = static_cast<int>(random() % 5);
        bool found = false;
        for (int i = 0; i <= steps && doc.FindNextChild(); ++i)
            found = true;
        if (!found)
            return;
        doc.Enter();  // the child becomes the main position
    }
}

}  // namespace

// Edits anywhere in a document of several levels move exactly the records
// after them: the index must match a fresh parse after every one.
TEST(XmlEditSafety, EditsAnywhereKeepEveryRecordTrue)
{
    std::u16string text = u"<R>\r\n";
    for (int i = 0; i < 12; ++i)
        text += u"<P n=\"" + std::u16string(1, static_cast<char16_t>(u'a' + i)) +
                u"\"><C><I>1.2.3.4</I><I/></C><C/></P>\r\n";
    text += u"</R>";
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(text));
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
        WalkToRandomElement(doc, random);
        switch (random() % 5) {
        case 0:
            doc.SetAttribute(u"n", std::u16string(random() % 4, u'x'));
            break;
        case 1:
            doc.AppendChildElement(u"N", random() % 2 ? u"t" : u"");
            break;
        case 2:
            doc.Enter();
            doc.InsertMarkup(u"<M a=\"1\"><K/></M>\r\n<L/>");
            break;
        case 3:
            if (doc.TagName() != u"R")
                doc.RemoveElement();
            break;
        default:
            doc.AppendElement(u"S");
            break;
        }
        ASSERT_TRUE(doc.CheckConsistency()) << round;
        ASSERT_TRUE(ReparsesSame(doc)) << round;
    }
}
