#include "xml/XmlTokenizer.h"

namespace {

using std::size_t;
constexpr size_t npos = std::u16string_view::npos;

XmlToken ErrorToken(size_t start, size_t length, std::u16string message)
{
    XmlToken token;
    token.kind = XmlTokenKind::Error;
    token.start = start;
    token.length = length;
    token.error = std::move(message);
    return token;
}

XmlToken Incorrect(size_t offset, const char16_t* what)
{
    // Only the '<' is taken, so the text after it is read again as content.
    return ErrorToken(offset, 1, u"Incorrect " + std::u16string(what) + u" at offset " + DecimalText(offset));
}

XmlToken Unterminated(std::u16string_view text, size_t offset, const char16_t* what)
{
    return ErrorToken(offset, text.size() - offset,
                      std::u16string(what) + u" at offset " + DecimalText(offset) + u" unterminated");
}

XmlToken Node(XmlTokenKind kind, size_t start, size_t end)
{
    XmlToken token;
    token.kind = kind;
    token.start = start;
    token.length = end - start;
    return token;
}

// A node that runs to the first occurrence of terminator after from.
XmlToken Delimited(std::u16string_view text, size_t offset, size_t from, std::u16string_view terminator,
                   XmlTokenKind kind, const char16_t* what)
{
    size_t end = text.find(terminator, from);
    if (end == npos)
        return Unterminated(text, offset, what);
    return Node(kind, offset, end + terminator.size());
}

// The end of the quoted value opened at offset, or npos.
size_t SkipQuoted(std::u16string_view text, size_t offset)
{
    size_t close = text.find(text[offset], offset + 1);
    return close == npos ? npos : close + 1;
}

XmlToken StartTag(std::u16string_view text, size_t offset)
{
    size_t i = offset + 1;
    while (i < text.size() && text[i] != u'>') {
        if (text[i] == u'"' || text[i] == u'\'') {
            i = SkipQuoted(text, i);
            if (i == npos)
                break;
        } else {
            ++i;
        }
    }
    if (i == npos || i >= text.size())
        return Unterminated(text, offset, u"Element tag");

    XmlToken token = Node(XmlTokenKind::StartTag, offset, i + 1);
    token.nameStart = offset + 1;
    token.nameLength = TagNameLength(text, offset + 1);
    size_t last = i;
    while (last > offset + 1 && IsXmlBlank(text[last - 1]))
        --last;
    token.empty = text[last - 1] == u'/';
    return token;
}

XmlToken EndTag(std::u16string_view text, size_t offset)
{
    size_t end = text.find(u'>', offset + 2);
    if (end == npos)
        return Unterminated(text, offset, u"Element end tag");
    XmlToken token = Node(XmlTokenKind::EndTag, offset, end + 1);
    token.nameStart = offset + 2;
    token.nameLength = TagNameLength(text, offset + 2);
    return token;
}

// A document type declaration: quoted literals, and an internal subset in
// brackets that holds nested declarations and comments.
XmlToken Doctype(std::u16string_view text, size_t offset)
{
    bool inSubset = false;
    int nesting = 0;
    size_t i = offset + 3;
    while (i < text.size()) {
        char16_t c = text[i];
        if (c == u'"' || c == u'\'') {
            i = SkipQuoted(text, i);
            if (i == npos)
                break;
            continue;
        }
        if (inSubset && text.substr(i, 4) == u"<!--") {
            size_t end = text.find(u"-->", i + 4);
            if (end == npos)
                break;
            i = end + 3;
            continue;
        }
        if (!inSubset) {
            if (c == u'[')
                inSubset = true;
            else if (c == u'>')
                return Node(XmlTokenKind::Doctype, offset, i + 1);
        } else if (c == u'<') {
            ++nesting;
        } else if (c == u'>') {
            if (nesting > 0)
                --nesting;
        } else if (c == u']' && nesting == 0) {
            inSubset = false;
        }
        ++i;
    }
    return Unterminated(text, offset, u"Doctype");
}

XmlToken Markup(std::u16string_view text, size_t offset)
{
    size_t length = text.size();
    if (offset + 2 >= length)
        return Unterminated(text, offset, u"tag");
    char16_t next = text[offset + 2];
    switch (next) {
    case u'-':
        if (offset + 3 >= length)
            return Unterminated(text, offset, u"tag");
        if (text[offset + 3] != u'-')
            return Incorrect(offset, u"comment tag");
        return Delimited(text, offset, offset + 4, u"-->", XmlTokenKind::Comment, u"Comment");
    case u'[':
        if (offset + 3 >= length)
            return Unterminated(text, offset, u"tag");
        if (text[offset + 3] != u'C')
            return Incorrect(offset, u"tag");
        return Delimited(text, offset, offset + 4, u"]]>", XmlTokenKind::Cdata, u"CDATA Section");
    case u'D':
        return Doctype(text, offset);
    case u'E':
    case u'A':
    case u'N':
        return Delimited(text, offset, offset + 3, u">", XmlTokenKind::Doctype, u"Doctype");
    default:
        return Incorrect(offset, u"! tag");
    }
}

XmlToken Content(std::u16string_view text, size_t offset)
{
    size_t end = text.find(u'<', offset);
    if (end == npos)
        end = text.size();
    bool blank = true;
    for (size_t i = offset; i < end && blank; ++i)
        blank = IsXmlBlank(text[i]);
    return Node(blank ? XmlTokenKind::Whitespace : XmlTokenKind::Text, offset, end);
}

}  // namespace

bool ReadsAsStartTag(std::u16string_view tag, bool empty)
{
    XmlToken token = ReadXmlToken(tag, 0);
    return token.kind == XmlTokenKind::StartTag && token.length == tag.size() && token.empty == empty;
}

size_t TagNameLength(std::u16string_view text, size_t offset)
{
    size_t end = offset;
    while (end < text.size() && !EndsTagName(text[end]))
        ++end;
    return end - offset;
}

XmlToken ReadXmlToken(std::u16string_view text, size_t offset)
{
    if (offset >= text.size())
        return Node(XmlTokenKind::EndOfDocument, text.size(), text.size());
    if (text[offset] != u'<')
        return Content(text, offset);
    if (offset + 1 >= text.size())
        return Unterminated(text, offset, u"tag");

    char16_t next = text[offset + 1];
    if (next == u'/')
        return EndTag(text, offset);
    if (next == u'?')
        return Delimited(text, offset, offset + 2, u"?>", XmlTokenKind::ProcessingInstruction,
                         u"Processing instruction");
    if (next == u'!')
        return Markup(text, offset);
    if (StartsTagName(next))
        return StartTag(text, offset);
    return Incorrect(offset, u"tag name character");
}
