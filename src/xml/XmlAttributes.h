#pragma once
// The attributes of a start tag as the document reads and edits them: where
// each name and value lies, quotes paired as the parser paired them. Inside
// the XML engine only.

#include "xml/XmlNames.h"
#include "xml/XmlScan.h"
#include "xml/XmlTokenizer.h"

#include <cstddef>
#include <string_view>

namespace xmlattr {

// One attribute of a start tag; ranges are offsets into the tag.
struct AttributeSpan {
    std::size_t nameStart = 0;
    std::size_t nameEnd = 0;
    std::size_t valueStart = 0;  // with the quotes, if any
    std::size_t valueEnd = 0;
    bool hasValue = false;
    bool quoted = false;
};

// Steps over one character, or over a whole quoted run: a quote inside a
// name or an unquoted value still pairs up, as it did when the tag was read.
inline std::size_t SkipCharacter(std::u16string_view tag, std::size_t i, std::size_t end)
{
    if (tag[i] != u'"' && tag[i] != u'\'')
        return i + 1;
    std::size_t close = tag.find(tag[i], i + 1);
    return (close == std::u16string_view::npos || close >= end) ? end : close + 1;
}

// Visits the attributes of tag (from '<' to '>') in order until visit
// returns true. Returns where a new attribute goes, after the tag name or the
// last attribute, when every attribute was visited.
template <typename Visit>
std::size_t ForEachAttribute(std::u16string_view tag, Visit visit)
{
    const std::size_t end = tag.empty() ? 0 : tag.size() - 1;  // the '>'
    // Past the tag name, pairing quotes as the parser did.
    std::size_t i = 1;
    while (i < end && !EndsTagName(tag[i]))
        i = SkipCharacter(tag, i, end);
    std::size_t lastEnd = i;
    while (i < end) {
        if (IsXmlBlank(tag[i]) || tag[i] == u'/' || tag[i] == u'=') {
            ++i;
            continue;
        }
        AttributeSpan span;
        span.nameStart = i;
        while (i < end && !IsXmlBlank(tag[i]) && tag[i] != u'=' && tag[i] != u'/')
            i = SkipCharacter(tag, i, end);
        span.nameEnd = i;
        std::size_t j = i;
        while (j < end && IsXmlBlank(tag[j]))
            ++j;
        if (j < end && tag[j] == u'=') {
            ++j;
            while (j < end && IsXmlBlank(tag[j]))
                ++j;
            span.hasValue = true;
            span.valueStart = j;
            if (j < end && (tag[j] == u'"' || tag[j] == u'\'')) {
                std::size_t close = xmlscan::Find(tag, j + 1, tag[j]);
                span.quoted = true;
                span.valueEnd = close >= end ? end : close + 1;
            } else {
                // Unquoted: up to a blank or the closing '>' or "/>".
                std::size_t k = j;
                while (k < end && !IsXmlBlank(tag[k]) && !(tag[k] == u'/' && k + 1 == end))
                    k = SkipCharacter(tag, k, end);
                span.valueEnd = k;
            }
            i = span.valueEnd;
        }
        lastEnd = span.hasValue ? span.valueEnd : span.nameEnd;
        if (visit(span))
            return std::u16string_view::npos;
    }
    return lastEnd;
}

inline std::u16string_view AttributeName(std::u16string_view tag, const AttributeSpan& span)
{
    return tag.substr(span.nameStart, span.nameEnd - span.nameStart);
}

// Finds attribute name in tag. When it is missing, lastEnd is where a new
// attribute goes.
inline bool FindAttribute(std::u16string_view tag, std::u16string_view name, AttributeSpan& found, std::size_t& lastEnd)
{
    bool matched = false;
    lastEnd = ForEachAttribute(tag, [&](const AttributeSpan& span) {
        matched = AttributeName(tag, span) == name;
        if (matched)
            found = span;
        return matched;
    });
    return matched;
}

inline std::u16string_view ValueOf(std::u16string_view tag, const AttributeSpan& span)
{
    std::size_t begin = span.valueStart;
    std::size_t end = span.valueEnd;
    if (span.quoted) {
        ++begin;
        if (end > begin && tag[end - 1] == tag[span.valueStart])
            --end;
    }
    return tag.substr(begin, end > begin ? end - begin : 0);
}


}  // namespace xmlattr
