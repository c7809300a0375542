#include "xml/XmlDoc.h"
#include "xml/XmlNames.h"
#include "xml/XmlScan.h"
#include "xml/XmlTokenizer.h"

#include <unordered_map>

namespace {

// Open start tags by matching name. A document whose end tags all close the
// innermost element never needs it; from the first end tag that does not,
// it is kept up to date, so that an end tag without a start tag costs no
// walk of the whole stack.
class COpenNames {
public:
    explicit COpenNames(bool ignoreCase)
        : counts(16, NameHash{ignoreCase}, NameEqual{ignoreCase})
    {
    }
    void Add(std::u16string_view name) { ++counts[name]; }
    void Remove(std::u16string_view name)
    {
        auto it = counts.find(name);
        if (it != counts.end() && --it->second == 0)
            counts.erase(it);
    }
    bool Contains(std::u16string_view name) const { return counts.find(name) != counts.end(); }

private:
    struct NameHash {
        bool ignoreCase;
        std::size_t operator()(std::u16string_view name) const
        {
            std::size_t hash = 14695981039346656037ull;
            for (char16_t c : name)
                hash = (hash ^ (ignoreCase ? FoldCase(c) : c)) * 1099511628211ull;
            return hash;
        }
    };
    struct NameEqual {
        bool ignoreCase;
        bool operator()(std::u16string_view a, std::u16string_view b) const { return SameName(a, b, ignoreCase); }
    };
    std::unordered_map<std::u16string_view, int, NameHash, NameEqual> counts;
};

// Whether the text at offset is "</" + name + ">", the end tag that nearly
// every element has; then token is that end tag, as the tokenizer reads it.
bool ClosesByName(std::u16string_view source, std::size_t offset, std::u16string_view name, XmlToken& token)
{
    const std::size_t close = offset + 2 + name.size();
    if (name.empty() || close >= source.size() || source[close] != u'>' ||
        source.substr(offset + 2, name.size()) != name)
        return false;
    token.kind = XmlTokenKind::EndTag;
    token.empty = false;
    token.error = XmlTokenError::None;
    token.start = offset;
    token.length = close + 1 - offset;
    token.nameStart = offset + 2;
    token.nameLength = name.size();
    return true;
}

}  // namespace

CXmlDoc::CXmlDoc()
{
    index.Reset(8);
    index[0] = ElementRecord{};
}

bool CXmlDoc::SetText(std::u16string_view newText)
{
    text.assign(newText);
    resultText.clear();
    return Parse();
}

bool CXmlDoc::SetText(std::u16string&& newText)
{
    text = std::move(newText);
    resultText.clear();
    return Parse();
}

bool CXmlDoc::WellFormed() const
{
    const ElementRecord& root = index[0];
    return !root.Has(ElementRecord::IllFormed) && root.firstChild != 0 && index[root.firstChild].nextSibling == 0;
}

bool CXmlDoc::Parse()
{
    // A file note from the load stays in front of the parse error.
    std::u16string note = std::move(resultText);
    resultText.clear();
    ResetAll();
    ++revision;
    freePos = 1;
    deletedPos = 0;
    index.Reset(static_cast<std::int64_t>(text.size() / 64) + 8);
    index[0] = ElementRecord{};

    ParseResult result;
    if (text.empty()) {
        result.error = u"Empty document";
    } else if (text.size() > maxTextLength) {
        result.error = u"Document too large";
        result.failed = true;
    } else {
        ParseContent(text, 0, 0, result);
        index[0].length = static_cast<std::int32_t>(text.size());
        std::int32_t root = index[0].firstChild;
        std::u16string structure;
        if (root == 0)
            structure = u"No root element";
        else if (index[root].nextSibling != 0)
            structure = u"Root element has sibling";
        if (result.error.empty())
            result.error = structure;
    }
    // Missing or extra root elements are checked live by WellFormed(), so
    // that a document built up by editing becomes well formed.
    if (result.failed)
        index[0].flags |= ElementRecord::IllFormed;

    ResetAll();
    resultText = std::move(note);
    if (!result.error.empty()) {
        if (!resultText.empty())
            resultText += u", ";
        resultText += result.error;
    }
    return WellFormed();
}

bool CXmlDoc::ParseContent(std::u16string_view source, std::int32_t parent, std::int32_t childLevel,
                           ParseResult& result)
{
    struct OpenTag {
        std::int32_t record;
        std::u16string_view name;
        std::u16string_view Key() const { return MatchKey(name); }  // the part an end tag must match
    };
    std::vector<OpenTag> open;
    open.reserve(6);
    const bool ignoreCase = (docFlags & IgnoreCase) != 0;
    COpenNames openNames(ignoreCase);
    bool namesKept = false;

    auto innermost = [&] { return open.empty() ? parent : open.back().record; };
    auto fail = [&](auto&& message) {
        result.failed = true;
        if (result.error.empty())
            result.error = message();
        MarkErrors(innermost(), parent);
    };
    // Closes open[from..] at their start tags, outermost first, so that each
    // child list moves up once: the children of each become its following
    // siblings.
    auto closeNotEnded = [&](std::size_t from) {
        for (std::size_t k = from; k < open.size(); ++k) {
            std::int32_t element = open[k].record;
            std::int32_t nextOpen = k + 1 < open.size() ? open[k + 1].record : 0;
            ElementRecord& record = index[element];
            record.length = record.startTagLen;
            record.flags |= ElementRecord::NotEnded;
            std::int32_t first = record.firstChild;
            if (first != 0) {
                std::int32_t last = index[first].prevSibling;
                for (std::int32_t c = first; c != 0; c = index[c].nextSibling) {
                    index[c].parent = record.parent;
                    // The next open tag's own children are moved when it closes.
                    if (c == nextOpen)
                        index[c].level = record.level;
                    else
                        ShiftLevels(c, record.level - index[c].level);
                }
                record.firstChild = 0;
                LinkChainAfter(record.parent, element, first, last);
            }
            if (namesKept)
                openNames.Remove(open[k].Key());
        }
        open.resize(from);
    };

    const std::size_t size = source.size();
    std::size_t offset = 0;
    XmlToken token;
    for (;;) {
        // Text and whitespace between tags carry nothing the index needs.
        if (offset < size && source[offset] != u'<')
            offset = xmlscan::Find(source, offset, u'<');
        const char16_t next = offset + 1 < size ? source[offset + 1] : u'\0';
        if (StartsTagName(next))
            ReadStartTag(source, offset, token);
        else if (next == u'/' && !ClosesByName(source, offset, open.empty() ? u"" : open.back().name, token))
            ReadEndTag(source, offset, token);
        else if (next != u'/')
            ReadXmlToken(source, offset, token);
        offset = token.start + token.length;
        switch (token.kind) {
        case XmlTokenKind::EndOfDocument:
            if (!open.empty()) {
                const OpenTag& tag = open.back();
                fail([&] {
                    return u"Element '" + std::u16string(tag.name) + u"' at offset " +
                           DecimalText(index[tag.record].start) + u" not ended";
                });
                closeNotEnded(0);
            }
            return true;

        case XmlTokenKind::StartTag: {
            std::int32_t element = NewRecord();
            if (element == 0) {
                fail([] { return u"Too many elements"; });
                closeNotEnded(0);
                return false;
            }
            ElementRecord& record = index[element];
            record.start = static_cast<std::int32_t>(token.start);
            record.startTagLen = static_cast<std::int32_t>(token.length);
            record.level = childLevel + static_cast<std::int32_t>(open.size());
            LinkLastChild(innermost(), element);
            if (token.empty) {
                record.length = record.startTagLen;
            } else {
                open.push_back(OpenTag{element, source.substr(token.nameStart, token.nameLength)});
                if (namesKept)
                    openNames.Add(open.back().Key());
            }
            break;
        }

        case XmlTokenKind::EndTag: {
            std::u16string_view name = source.substr(token.nameStart, token.nameLength);
            std::size_t match = open.size();
            // Nearly always the end tag closes the innermost element, by the
            // same name; equal names have equal keys.
            if (match == 0 || (!SameName(open.back().name, name, ignoreCase) &&
                               !SameName(open.back().Key(), MatchKey(name), ignoreCase))) {
                std::u16string_view key = MatchKey(name);
                if (!namesKept) {
                    for (const OpenTag& tag : open)
                        openNames.Add(tag.Key());
                    namesKept = true;
                }
                if (!openNames.Contains(key))
                    match = 0;
                while (match > 0 && !SameName(open[match - 1].Key(), key, ignoreCase))
                    --match;
            }
            if (match == 0) {
                fail([&] {
                    return u"No start tag for end tag '" + std::u16string(name) + u"' at offset " +
                           DecimalText(token.start);
                });
                break;
            }
            --match;
            if (match + 1 < open.size()) {
                const OpenTag& inner = open.back();
                fail([&] {
                    return u"End tag '" + std::u16string(name) + u"' at offset " + DecimalText(token.start + 1) +
                           u" does not match start tag '" + std::u16string(inner.name) + u"' at offset " +
                           DecimalText(index[inner.record].start);
                });
                closeNotEnded(match + 1);
            }
            ElementRecord& record = index[open[match].record];
            record.length = static_cast<std::int32_t>(offset - record.start);
            record.endTagLen = static_cast<std::int32_t>(token.length);
            if (namesKept)
                openNames.Remove(open[match].Key());
            open.pop_back();
            break;
        }

        case XmlTokenKind::Error:
            fail([&] { return XmlTokenMessage(token); });
            break;

        default:
            break;
        }
    }
}
