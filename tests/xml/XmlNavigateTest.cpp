#include "XmlTestSupport.h"

#include <gtest/gtest.h>

namespace {

const char16_t* const sample =
    u"<ROOT>\r\n"
    u"<CONFIG N=\"1\"><IP>1.2.3.4</IP><IP/><IP><X/></IP></CONFIG>\r\n"
    u"<OTHER/>\r\n"
    u"<CONFIG N=\"2\"><DNS>a</DNS></CONFIG>\r\n"
    u"</ROOT>\r\n";

TEST(XmlNavigate, FindNextMovesForwardOnly)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(sample));
    ASSERT_TRUE(doc.FindNext(u"ROOT") && doc.Enter());
    ASSERT_TRUE(doc.FindNext(u"CONFIG"));
    EXPECT_EQ(doc.Attribute(u"N"), u"1");
    ASSERT_TRUE(doc.FindNext(u"CONFIG"));
    EXPECT_EQ(doc.Attribute(u"N"), u"2");
    EXPECT_FALSE(doc.FindNext(u"CONFIG"));
    EXPECT_EQ(doc.Attribute(u"N"), u"2");  // a failed search keeps the cursor
    EXPECT_FALSE(doc.FindNext(u"config"));

    doc.ResetPosition();
    EXPECT_FALSE(doc.FindNext(u"CONFIG"));  // not at the document level
    ASSERT_TRUE(doc.FindNextChild(u"CONFIG"));  // finds the root first
    EXPECT_EQ(doc.TagName(), u"ROOT");
    EXPECT_EQ(doc.ChildAttribute(u"N"), u"1");
    ASSERT_TRUE(doc.FindNextChild());
    EXPECT_EQ(doc.ChildAttribute(u"N"), u"");
    doc.ResetChildPosition();
    ASSERT_TRUE(doc.FindNextChild(u"CONFIG"));
    EXPECT_EQ(doc.ChildAttribute(u"N"), u"1");
}

TEST(XmlNavigate, EnterAndLeaveShiftTheThreeLevels)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(sample));
    EXPECT_FALSE(doc.Enter());
    EXPECT_FALSE(doc.Leave());
    ASSERT_TRUE(doc.FindNext() && doc.FindNextChild(u"CONFIG"));
    ASSERT_TRUE(doc.Enter());  // parent ROOT, main CONFIG 1
    EXPECT_EQ(doc.Attribute(u"N"), u"1");
    ASSERT_TRUE(doc.FindNextChild(u"IP"));
    EXPECT_EQ(doc.ChildText(), u"1.2.3.4");
    ASSERT_TRUE(doc.FindNextChild(u"IP"));
    EXPECT_EQ(doc.ChildText(), u"");
    ASSERT_TRUE(doc.FindNextChild(u"IP"));
    EXPECT_EQ(doc.ChildText(), u"");
    EXPECT_TRUE(doc.CheckConsistency());

    ASSERT_TRUE(doc.Leave());  // parent document, main ROOT, child CONFIG 1
    EXPECT_EQ(doc.TagName(), u"ROOT");
    EXPECT_EQ(doc.ChildAttribute(u"N"), u"1");
    ASSERT_TRUE(doc.Leave() == false);
    ASSERT_TRUE(doc.Enter() && doc.Enter());  // parent CONFIG 1, main none
    EXPECT_EQ(doc.TagName(), u"");
    ASSERT_TRUE(doc.FindNext(u"IP"));
    EXPECT_EQ(doc.Text(), u"1.2.3.4");
    EXPECT_TRUE(doc.CheckConsistency());
}

TEST(XmlNavigate, ReadsTextAndInnerMarkup)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(u"<T a=\"x &lt; y\">a &amp; <!-- c --><![CDATA[<x>]]>\r\n<?p?> b</T>"));
    ASSERT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.Text(), u"a & <x> b");
    EXPECT_EQ(doc.InnerMarkup(), u"a &amp; <!-- c --><![CDATA[<x>]]>\r\n<?p?> b");
    EXPECT_EQ(doc.Attribute(u"a"), u"x < y");
    EXPECT_EQ(doc.Attribute(u"missing"), u"");

    ASSERT_TRUE(doc.SetText(u"<T>\r\n  </T>"));
    ASSERT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.Text(), u"\r\n  ");
    ASSERT_TRUE(doc.SetText(u"<T/>"));
    ASSERT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.InnerMarkup(), u"");
    EXPECT_EQ(doc.Text(), u"");
}

TEST(XmlSavedPosition, RestoresEachLevel)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(sample));
    EXPECT_FALSE(doc.SavePosition(u""));
    EXPECT_FALSE(doc.RestorePosition(u"never"));
    ASSERT_TRUE(doc.SavePosition(u"top"));  // nothing set: the document level

    ASSERT_TRUE(doc.FindNext() && doc.Enter() && doc.FindNext(u"CONFIG") && doc.FindNext(u"CONFIG"));
    ASSERT_TRUE(doc.SavePosition(u"main"));
    ASSERT_TRUE(doc.FindNextChild(u"DNS"));
    ASSERT_TRUE(doc.SavePosition(u"child"));
    doc.ResetChildPosition();
    ASSERT_TRUE(doc.Enter());
    ASSERT_TRUE(doc.SavePosition(u"parent"));
    // "a" and "h" share a bucket; each keeps its own entry.
    ASSERT_TRUE(doc.SavePosition(u"a"));
    doc.ResetPosition();
    ASSERT_TRUE(doc.SavePosition(u"h"));

    ASSERT_TRUE(doc.RestorePosition(u"child"));
    EXPECT_EQ(doc.TagName(), u"CONFIG");
    EXPECT_EQ(doc.ChildText(), u"a");
    ASSERT_TRUE(doc.Leave());
    EXPECT_EQ(doc.TagName(), u"ROOT");

    ASSERT_TRUE(doc.RestorePosition(u"main"));
    EXPECT_EQ(doc.Attribute(u"N"), u"2");
    EXPECT_FALSE(doc.FindNext(u"CONFIG"));

    ASSERT_TRUE(doc.RestorePosition(u"parent"));
    EXPECT_EQ(doc.TagName(), u"");
    ASSERT_TRUE(doc.FindNext());
    EXPECT_EQ(doc.Text(), u"a");

    ASSERT_TRUE(doc.RestorePosition(u"a"));
    EXPECT_TRUE(doc.FindNext(u"DNS"));
    ASSERT_TRUE(doc.RestorePosition(u"h"));
    EXPECT_TRUE(doc.FindNext(u"ROOT"));
    ASSERT_TRUE(doc.RestorePosition(u"top"));
    EXPECT_TRUE(doc.FindNext(u"ROOT"));

    // Saving again under a name replaces the entry; a parse drops them all.
    ASSERT_TRUE(doc.SavePosition(u"main"));
    ASSERT_TRUE(doc.RestorePosition(u"main"));
    EXPECT_EQ(doc.TagName(), u"ROOT");
    doc.SetText(sample);
    EXPECT_FALSE(doc.RestorePosition(u"main"));
}

TEST(XmlSavedPosition, SurvivesEditsElsewhereButNotRemoval)
{
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetText(sample));
    ASSERT_TRUE(doc.FindNext() && doc.Enter() && doc.FindNext(u"CONFIG") && doc.FindNext(u"CONFIG"));
    ASSERT_TRUE(doc.FindNextChild(u"DNS"));
    ASSERT_TRUE(doc.SavePosition(u"dns"));
    doc.ResetChildPosition();
    ASSERT_TRUE(doc.SavePosition(u"config2"));

    // Edits before it: new elements, attribute growth, markup, a removal.
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindNext() && doc.Enter() && doc.FindNext(u"CONFIG"));
    ASSERT_TRUE(doc.SetAttribute(u"N", u"a much longer value than before"));
    ASSERT_TRUE(doc.AppendChildElement(u"NEW", u"x"));
    ASSERT_TRUE(doc.InsertMarkup(u"<INSERTED/>"));
    ASSERT_TRUE(doc.FindNext(u"OTHER"));
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_TRUE(doc.CheckConsistency());

    ASSERT_TRUE(doc.RestorePosition(u"dns"));
    EXPECT_EQ(doc.Attribute(u"N"), u"2");
    EXPECT_EQ(doc.ChildText(), u"a");
    ASSERT_TRUE(doc.SetChildAttribute(u"K", u"v"));
    EXPECT_TRUE(ReparsesSame(doc));

    // Removing the subtree drops every position inside it.
    ASSERT_TRUE(doc.RestorePosition(u"config2"));
    ASSERT_TRUE(doc.Leave());
    ASSERT_TRUE(doc.RemoveChildElement());
    EXPECT_FALSE(doc.RestorePosition(u"dns"));
    EXPECT_FALSE(doc.RestorePosition(u"config2"));
    EXPECT_TRUE(doc.CheckConsistency());
    EXPECT_EQ(Dump(doc), u"ROOT(CONFIG(IP,IP,IP(X),NEW),INSERTED)");
}

}  // namespace

// Reading several attributes at once gives what reading each one gives.
TEST(XmlAttributes, OneReadingMatchesReadingEachAttribute)
{
    const std::u16string tags[] = {
        u"<E A=\"1\" B='x&amp;y' C=z D=\"\" A=\"2\"/>",  // a repeated name: the first counts
        u"<E B=\"b\" x=\"a>b\" C/>",                     // a name without a value reads empty
        u"<E/>",
        u"<E\tC = \"spaced\"\r\nA=\"&#x41;\">t</E>",
    };
    static constexpr std::u16string_view names[] = {u"A", u"B", u"C", u"D", u"missing", u"A"};
    for (const std::u16string& tag : tags) {
        SCOPED_TRACE(std::string(tag.begin(), tag.end()));
        CXmlDoc doc;
        doc.SetText(tag);
        ASSERT_TRUE(doc.FindNext());
        std::u16string values[std::size(names)] = {u"stale", u"stale", u"stale", u"stale", u"stale", u"stale"};
        doc.Attributes(names, values);
        for (std::size_t k = 0; k < std::size(names); ++k)
            EXPECT_EQ(doc.Attribute(names[k]), values[k]) << k;
    }
}
