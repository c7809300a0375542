#include "xml/XmlTokenizer.h"
#include "xml/XmlScan.h"

namespace {

using std::size_t;
constexpr size_t npos = std::u16string_view::npos;

// Every reader below fills in the caller's token field by field: building a
// token and returning it by value costs more than reading most tags.

void Node(XmlToken& token, XmlTokenKind kind, size_t start, size_t end)
{
    token.kind = kind;
    token.empty = false;
    token.error = XmlTokenError::None;
    token.start = start;
    token.length = end - start;
}

void Incorrect(XmlToken& token, size_t offset, const char16_t* what)
{
    // Only the '<' is taken, so the text after it is read again as content.
    Node(token, XmlTokenKind::Error, offset, offset + 1);
    token.error = XmlTokenError::Incorrect;
    token.what = what;
}

void Unterminated(XmlToken& token, std::u16string_view text, size_t offset, const char16_t* what)
{
    Node(token, XmlTokenKind::Error, offset, text.size());
    token.error = XmlTokenError::Unterminated;
    token.what = what;
}

// A node that runs to the first occurrence of terminator after from.
void Delimited(XmlToken& token, std::u16string_view text, size_t offset, size_t from,
               std::u16string_view terminator, XmlTokenKind kind, const char16_t* what)
{
    size_t end = text.find(terminator, from);
    if (end == npos)
        Unterminated(token, text, offset, what);
    else
        Node(token, kind, offset, end + terminator.size());
}

// The end of the quoted value opened at offset, or npos.
size_t SkipQuoted(std::u16string_view text, size_t offset)
{
    size_t close = xmlscan::Find(text, offset + 1, text[offset]);
    return close == text.size() ? npos : close + 1;
}

void ReadStartTagAt(XmlToken& token, std::u16string_view text, size_t offset)
{
    // The first '>' outside quotes.
    size_t i = offset + 1;
    for (;;) {
        i = xmlscan::FindAny(text, i, u'>', u'"', u'\'');
        if (i == text.size() || text[i] == u'>')
            break;
        i = SkipQuoted(text, i);
        if (i == npos)
            break;
    }
    if (i == npos || i >= text.size()) {
        Unterminated(token, text, offset, u"Element tag");
        return;
    }
    Node(token, XmlTokenKind::StartTag, offset, i + 1);
    token.nameStart = offset + 1;
    token.nameLength = TagNameLength(text, offset + 1);
    size_t last = i;
    while (last > offset + 1 && IsXmlBlank(text[last - 1]))
        --last;
    token.empty = text[last - 1] == u'/';
}

void ReadEndTagAt(XmlToken& token, std::u16string_view text, size_t offset)
{
    size_t end = xmlscan::Find(text, offset + 2, u'>');
    if (end == text.size()) {
        Unterminated(token, text, offset, u"Element end tag");
        return;
    }
    Node(token, XmlTokenKind::EndTag, offset, end + 1);
    token.nameStart = offset + 2;
    token.nameLength = TagNameLength(text, offset + 2);
}

// A document type declaration: quoted literals, and an internal subset in
// brackets that holds nested declarations and comments.
void Doctype(XmlToken& token, std::u16string_view text, size_t offset)
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
            if (c == u'[') {
                inSubset = true;
            } else if (c == u'>') {
                Node(token, XmlTokenKind::Doctype, offset, i + 1);
                return;
            }
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
    Unterminated(token, text, offset, u"Doctype");
}

void Markup(XmlToken& token, std::u16string_view text, size_t offset)
{
    size_t length = text.size();
    if (offset + 2 >= length) {
        Unterminated(token, text, offset, u"tag");
        return;
    }
    switch (text[offset + 2]) {
    case u'-':
        if (offset + 3 >= length)
            Unterminated(token, text, offset, u"tag");
        else if (text[offset + 3] != u'-')
            Incorrect(token, offset, u"comment tag");
        else
            Delimited(token, text, offset, offset + 4, u"-->", XmlTokenKind::Comment, u"Comment");
        return;
    case u'[':
        if (offset + 3 >= length)
            Unterminated(token, text, offset, u"tag");
        else if (text[offset + 3] != u'C')
            Incorrect(token, offset, u"tag");
        else
            Delimited(token, text, offset, offset + 4, u"]]>", XmlTokenKind::Cdata, u"CDATA Section");
        return;
    case u'D':
        Doctype(token, text, offset);
        return;
    case u'E':
    case u'A':
    case u'N':
        Delimited(token, text, offset, offset + 3, u">", XmlTokenKind::Doctype, u"Doctype");
        return;
    default:
        Incorrect(token, offset, u"! tag");
        return;
    }
}

void Content(XmlToken& token, std::u16string_view text, size_t offset)
{
    size_t end = xmlscan::Find(text, offset, u'<');
    bool blank = true;
    for (size_t i = offset; i < end && blank; ++i)
        blank = IsXmlBlank(text[i]);
    Node(token, blank ? XmlTokenKind::Whitespace : XmlTokenKind::Text, offset, end);
}

}  // namespace

std::u16string XmlTokenMessage(const XmlToken& token, std::size_t base)
{
    const std::u16string what = token.what != nullptr ? token.what : u"";
    const std::u16string offset = DecimalText(static_cast<long long>(base + token.start));
    if (token.error == XmlTokenError::Incorrect)
        return u"Incorrect " + what + u" at offset " + offset;
    return what + u" at offset " + offset + u" unterminated";
}

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

void ReadXmlToken(std::u16string_view text, size_t offset, XmlToken& token)
{
    if (offset >= text.size()) {
        Node(token, XmlTokenKind::EndOfDocument, text.size(), text.size());
        return;
    }
    if (text[offset] != u'<') {
        Content(token, text, offset);
        return;
    }
    if (offset + 1 >= text.size()) {
        Unterminated(token, text, offset, u"tag");
        return;
    }
    char16_t next = text[offset + 1];
    if (next == u'/')
        ReadEndTagAt(token, text, offset);
    else if (next == u'?')
        Delimited(token, text, offset, offset + 2, u"?>", XmlTokenKind::ProcessingInstruction,
                  u"Processing instruction");
    else if (next == u'!')
        Markup(token, text, offset);
    else if (StartsTagName(next))
        ReadStartTagAt(token, text, offset);
    else
        Incorrect(token, offset, u"tag name character");
}

void ReadStartTag(std::u16string_view text, size_t offset, XmlToken& token)
{
    ReadStartTagAt(token, text, offset);
}

void ReadEndTag(std::u16string_view text, size_t offset, XmlToken& token)
{
    ReadEndTagAt(token, text, offset);
}

XmlToken ReadXmlToken(std::u16string_view text, size_t offset)
{
    XmlToken token;
    ReadXmlToken(text, offset, token);
    return token;
}
