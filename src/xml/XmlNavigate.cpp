#include "xml/XmlDoc.h"
#include "xml/XmlAttributes.h"
#include "xml/XmlNames.h"
#include "xml/XmlScan.h"
#include "xml/XmlTokenizer.h"

#include <algorithm>

using namespace xmlattr;


// --- cursor ----------------------------------------------------------------

void CXmlDoc::ResetAll()
{
    ResetPosition();
    for (auto& bucket : savedPositions)
        bucket.clear();
}

void CXmlDoc::ResetPosition()
{
    parentPos = 0;
    mainPos = 0;
    childPos = 0;
}

void CXmlDoc::ResetChildPosition()
{
    childPos = 0;
}

std::u16string_view CXmlDoc::NameOf(std::int32_t element) const
{
    const ElementRecord& record = index[element];
    std::u16string_view tag(text.data() + record.start, static_cast<std::size_t>(record.startTagLen));
    return tag.substr(1, TagNameLength(tag, 1));
}

bool CXmlDoc::NameMatches(std::int32_t element, std::u16string_view name) const
{
    return SameName(NameOf(element), name, (docFlags & IgnoreCase) != 0);
}

std::int32_t CXmlDoc::FindSibling(std::int32_t first, std::u16string_view name) const
{
    for (std::int32_t node = first; node != 0; node = index[node].nextSibling) {
        if (name.empty() || NameMatches(node, name))
            return node;
    }
    return 0;
}

bool CXmlDoc::FindNext(std::u16string_view name)
{
    std::int32_t from = mainPos != 0 ? index[mainPos].nextSibling : index[parentPos].firstChild;
    std::int32_t found = FindSibling(from, name);
    if (found == 0)
        return false;
    mainPos = found;
    childPos = 0;
    return true;
}

bool CXmlDoc::FindNextChild(std::u16string_view name)
{
    if (mainPos == 0 && !FindNext())
        return false;
    std::int32_t from = childPos != 0 ? index[childPos].nextSibling : index[mainPos].firstChild;
    std::int32_t found = FindSibling(from, name);
    if (found == 0)
        return false;
    childPos = found;
    return true;
}

bool CXmlDoc::Enter()
{
    if (mainPos == 0)
        return false;
    parentPos = mainPos;
    mainPos = childPos;
    childPos = 0;
    return true;
}

bool CXmlDoc::Leave()
{
    if (parentPos == 0)
        return false;
    childPos = mainPos;
    mainPos = parentPos;
    parentPos = index[mainPos].parent;
    return true;
}

namespace {

std::size_t BucketOf(std::u16string_view name)
{
    std::size_t sum = 0;
    for (char16_t c : name)
        sum += c;
    return sum % 7;
}

}  // namespace

bool CXmlDoc::SavePosition(std::u16string_view name)
{
    if (name.empty())
        return false;
    SavedPosition saved;
    saved.name.assign(name);
    if (childPos != 0) {
        saved.pos = childPos;
        saved.level = CursorLevel::Child;
    } else if (mainPos != 0) {
        saved.pos = mainPos;
        saved.level = CursorLevel::Main;
    } else {
        saved.pos = parentPos;
        saved.level = CursorLevel::Parent;
    }
    auto& bucket = savedPositions[BucketOf(name)];
    for (SavedPosition& entry : bucket) {
        if (entry.name == name) {
            entry = std::move(saved);
            return true;
        }
    }
    bucket.push_back(std::move(saved));
    return true;
}

bool CXmlDoc::RestorePosition(std::u16string_view name)
{
    if (name.empty())
        return false;
    for (const SavedPosition& entry : savedPositions[BucketOf(name)]) {
        if (entry.name != name)
            continue;
        switch (entry.level) {
        case CursorLevel::Child:
            childPos = entry.pos;
            mainPos = index[childPos].parent;
            parentPos = index[mainPos].parent;
            break;
        case CursorLevel::Main:
            childPos = 0;
            mainPos = entry.pos;
            parentPos = index[mainPos].parent;
            break;
        case CursorLevel::Parent:
            childPos = 0;
            mainPos = 0;
            parentPos = entry.pos;
            break;
        }
        return true;
    }
    return false;
}

// Positions inside a removed subtree go with it.
void CXmlDoc::DropSavedPositions()
{
    for (auto& bucket : savedPositions) {
        std::erase_if(bucket, [&](const SavedPosition& entry) {
            return entry.pos != 0 && index[entry.pos].Has(ElementRecord::Deleted);
        });
    }
}

// --- reading ---------------------------------------------------------------

std::u16string CXmlDoc::TagName() const
{
    return mainPos != 0 ? std::u16string(NameOf(mainPos)) : std::u16string();
}

std::u16string CXmlDoc::AttributeOf(std::int32_t element, std::u16string_view name) const
{
    if (element == 0 || name.empty())
        return {};
    const ElementRecord& record = index[element];
    std::u16string_view tag(text.data() + record.start, static_cast<std::size_t>(record.startTagLen));
    AttributeSpan span;
    std::size_t lastEnd = 0;
    if (!FindAttribute(tag, name, span, lastEnd) || !span.hasValue)
        return {};
    return Unescape(ValueOf(tag, span));
}

std::u16string CXmlDoc::Attribute(std::u16string_view name) const
{
    return AttributeOf(mainPos, name);
}

void CXmlDoc::Attributes(std::span<const std::u16string_view> names, std::span<std::u16string> values) const
{
    for (std::u16string& value : values)
        value.clear();
    if (mainPos == 0)
        return;
    const ElementRecord& record = index[mainPos];
    std::u16string_view tag(text.data() + record.start, static_cast<std::size_t>(record.startTagLen));
    const std::size_t count = std::min({names.size(), values.size(), std::size_t{64}});
    std::uint64_t found = 0;
    std::size_t left = count;
    ForEachAttribute(tag, [&](const AttributeSpan& span) {
        std::u16string_view name = AttributeName(tag, span);
        for (std::size_t k = 0; k < count; ++k) {
            // The first attribute of a name counts, as for Attribute().
            if ((found >> k & 1) != 0 || names[k] != name)
                continue;
            found |= std::uint64_t{1} << k;
            --left;
            if (span.hasValue)
                values[k] = Unescape(ValueOf(tag, span));
        }
        return left == 0;
    });
}

std::u16string CXmlDoc::ChildAttribute(std::u16string_view name) const
{
    return AttributeOf(childPos, name);
}

std::u16string CXmlDoc::TextOf(std::int32_t element) const
{
    if (element == 0)
        return {};
    const ElementRecord& record = index[element];
    if (record.endTagLen == 0 || record.firstChild != 0)
        return {};
    std::u16string_view content(text.data() + record.start + record.startTagLen,
                                static_cast<std::size_t>(record.length - record.startTagLen - record.endTagLen));
    if (content.find(u'<') == std::u16string_view::npos)
        return Unescape(content);

    // Mixed content: text parts and CDATA insides; the rest is markup.
    std::u16string result;
    for (std::size_t offset = 0; offset < content.size();) {
        XmlToken token = ReadXmlToken(content, offset);
        std::u16string_view node = content.substr(token.start, token.length);
        if (token.kind == XmlTokenKind::Text) {
            result += Unescape(node);
        } else if (token.kind == XmlTokenKind::Cdata && node.size() >= 12 && node.substr(0, 9) == u"<![CDATA[") {
            result += node.substr(9, node.size() - 12);
        }
        offset = token.start + std::max<std::size_t>(token.length, 1);
    }
    return result;
}

std::u16string CXmlDoc::Text() const
{
    return TextOf(mainPos);
}

std::u16string CXmlDoc::ChildText() const
{
    return TextOf(childPos);
}

std::u16string CXmlDoc::InnerMarkup() const
{
    if (mainPos == 0)
        return {};
    const ElementRecord& record = index[mainPos];
    if (record.endTagLen == 0)
        return {};
    return text.substr(static_cast<std::size_t>(record.start) + record.startTagLen,
                       static_cast<std::size_t>(record.length - record.startTagLen - record.endTagLen));
}

std::u16string CXmlDoc::OuterMarkup() const
{
    if (mainPos == 0)
        return {};
    const ElementRecord& record = index[mainPos];
    return text.substr(static_cast<std::size_t>(record.start), static_cast<std::size_t>(record.length));
}

// The '/' of a start tag written as <p .../>, or npos.
std::size_t CXmlDoc::SlashOfEmptyTag(std::int32_t element) const
{
    if (element == 0)
        return std::u16string::npos;
    const ElementRecord& record = index[element];
    if (record.endTagLen != 0 || record.startTagLen < 3)
        return std::u16string::npos;
    std::size_t begin = static_cast<std::size_t>(record.start);
    std::size_t i = begin + record.startTagLen - 1;  // the '>'
    while (i > begin + 1 && IsXmlBlank(text[i - 1]))
        --i;
    return (i > begin + 1 && text[i - 1] == u'/') ? i - 1 : std::u16string::npos;
}
