#pragma once
// Reads one node of XML text at a given offset. Never reads outside the text.

#include "text/DecimalText.h"

#include <cstddef>
#include <string>
#include <string_view>

enum class XmlTokenKind {
    EndOfDocument,
    StartTag,
    EndTag,
    Text,
    Whitespace,
    Cdata,
    ProcessingInstruction,
    Comment,
    Doctype,  // document type and markup declarations
    Error,
};

// What an Error token found; the message is built only when it is reported.
enum class XmlTokenError : unsigned char {
    None,
    Incorrect,     // "Incorrect <what> at offset <n>"
    Unterminated,  // "<what> at offset <n> unterminated"
};

struct XmlToken {
    XmlTokenKind kind = XmlTokenKind::EndOfDocument;
    bool empty = false;  // start tag closed by "/>"
    XmlTokenError error = XmlTokenError::None;
    const char16_t* what = nullptr;  // for Error: what was incorrect or unterminated
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t nameStart = 0;  // tag name range, for start and end tags
    std::size_t nameLength = 0;
};

XmlToken ReadXmlToken(std::u16string_view text, std::size_t offset);
// The same, into a token the caller keeps: the parser's loop.
void ReadXmlToken(std::u16string_view text, std::size_t offset, XmlToken& token);
// A start tag ("<" and a name character at offset) or an end tag ("</"),
// read without asking what the node is: nearly every node is one of them.
void ReadStartTag(std::u16string_view text, std::size_t offset, XmlToken& token);
void ReadEndTag(std::u16string_view text, std::size_t offset, XmlToken& token);

// The message of an Error token; offsets are counted from base.
std::u16string XmlTokenMessage(const XmlToken& token, std::size_t base = 0);

inline bool IsXmlBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Where a tag name in the text ends.
inline bool EndsTagName(char16_t c)
{
    return IsXmlBlank(c) || c == u'/' || c == u'>';
}

// The length of the tag name that starts at offset.
std::size_t TagNameLength(std::u16string_view text, std::size_t offset);

// The first character of a start tag name.
inline bool StartsTagName(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || c == u':' || c == u'_' || c > 96;
}

// Whether tag, read on its own, is exactly one start tag, empty or not as
// asked: an edited tag must read back as the index records it.
bool ReadsAsStartTag(std::u16string_view tag, bool empty);
