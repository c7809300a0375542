#include "xml/XmlDoc.h"
#include "xml/XmlAttributes.h"
#include "xml/XmlNames.h"
#include "xml/XmlTokenizer.h"

namespace {

const std::u16string lineBreak = u"\r\n";

// "]]>" cannot appear inside a CDATA section: it is split across two.
std::u16string CdataSection(std::u16string_view value)
{
    std::u16string section = u"<![CDATA[";
    std::size_t from = 0;
    for (std::size_t end; (end = value.find(u"]]>", from)) != std::u16string_view::npos; from = end + 3) {
        section.append(value.substr(from, end - from));
        section += u"]]]]><![CDATA[>";
    }
    section.append(value.substr(from));
    section += u"]]>";
    return section;
}

}  // namespace

using namespace xmlattr;

// --- records and links -----------------------------------------------------

std::int32_t CXmlDoc::NewRecord()
{
    if (!index.Grow(freePos))
        return 0;
    std::int32_t element = freePos++;
    index[element] = ElementRecord{};
    return element;
}

std::int32_t CXmlDoc::LastChild(std::int32_t parent) const
{
    std::int32_t first = index[parent].firstChild;
    return first != 0 ? index[first].prevSibling : 0;
}

std::int32_t CXmlDoc::PrevSibling(std::int32_t element) const
{
    const ElementRecord& record = index[element];
    return record.Has(ElementRecord::FirstChild) ? 0 : record.prevSibling;
}

std::int32_t CXmlDoc::ChildLevel(std::int32_t parent) const
{
    return parent == 0 ? 0 : index[parent].level + 1;
}

std::size_t CXmlDoc::ContentEnd(std::int32_t element) const
{
    if (element == 0)
        return text.size();
    const ElementRecord& record = index[element];
    return static_cast<std::size_t>(record.start) + record.length - record.endTagLen;
}

// The parser's link, once per element: the first child's prevSibling leads
// straight to the last child.
void CXmlDoc::LinkLastChild(std::int32_t parent, std::int32_t child)
{
    ElementRecord& record = index[child];
    ElementRecord& owner = index[parent];
    record.parent = parent;
    record.nextSibling = 0;
    if (owner.firstChild == 0) {
        owner.firstChild = child;
        record.flags |= ElementRecord::FirstChild;
        record.prevSibling = child;
        return;
    }
    ElementRecord& first = index[owner.firstChild];
    record.flags &= ~ElementRecord::FirstChild;
    record.prevSibling = first.prevSibling;
    index[first.prevSibling].nextSibling = child;
    first.prevSibling = child;
}

// Links the sibling chain first..last after reference, or at the end of
// parent's children when reference is 0. The chain's own links are kept.
void CXmlDoc::LinkChainAfter(std::int32_t parent, std::int32_t reference, std::int32_t first, std::int32_t last)
{
    index[first].flags &= ~ElementRecord::FirstChild;
    std::int32_t head = index[parent].firstChild;
    if (reference == 0 && head == 0) {
        index[parent].firstChild = first;
        index[first].flags |= ElementRecord::FirstChild;
        index[first].prevSibling = last;
        index[last].nextSibling = 0;
        return;
    }
    std::int32_t before = reference != 0 ? reference : index[head].prevSibling;
    std::int32_t after = index[before].nextSibling;
    index[before].nextSibling = first;
    index[first].prevSibling = before;
    index[last].nextSibling = after;
    if (after != 0)
        index[after].prevSibling = last;
    else
        index[head].prevSibling = last;
}

void CXmlDoc::Unlink(std::int32_t element)
{
    ElementRecord& record = index[element];
    ElementRecord& parent = index[record.parent];
    std::int32_t next = record.nextSibling;
    if (parent.firstChild == element) {
        // The next sibling takes over the first child's link to the last.
        parent.firstChild = next;
        if (next != 0) {
            index[next].flags |= ElementRecord::FirstChild;
            index[next].prevSibling = record.prevSibling;
        }
    } else {
        std::int32_t prev = record.prevSibling;
        index[prev].nextSibling = next;
        if (next != 0)
            index[next].prevSibling = prev;
        else
            index[parent.firstChild].prevSibling = prev;
    }
    record.nextSibling = 0;
    record.prevSibling = 0;
    record.flags &= ~ElementRecord::FirstChild;
}

namespace {

// Visits element and its descendants in document order, without recursion.
template <typename Visit>
void ForEachInSubtree(CElementIndex& index, std::int32_t element, Visit visit)
{
    std::int32_t node = element;
    for (;;) {
        visit(node);
        if (index[node].firstChild != 0) {
            node = index[node].firstChild;
            continue;
        }
        while (node != element && index[node].nextSibling == 0)
            node = index[node].parent;
        if (node == element)
            return;
        node = index[node].nextSibling;
    }
}

}  // namespace

void CXmlDoc::ReleaseSubtree(std::int32_t element)
{
    std::vector<std::int32_t> released;
    ForEachInSubtree(index, element, [&](std::int32_t node) { released.push_back(node); });
    for (std::int32_t node : released) {
        index[node].flags = ElementRecord::Deleted;
        index[node].nextSibling = deletedPos;
        deletedPos = node;
    }
}

void CXmlDoc::ShiftLevels(std::int32_t element, std::int32_t delta)
{
    if (delta != 0)
        ForEachInSubtree(index, element, [&](std::int32_t node) { index[node].level += delta; });
}

// Marks element and its ancestors up to stop. A marked element's ancestors
// are marked already, so the walk ends there.
void CXmlDoc::MarkErrors(std::int32_t element, std::int32_t stop)
{
    for (std::int32_t node = element;; node = index[node].parent) {
        if (index[node].Has(ElementRecord::HasErrors))
            return;
        index[node].flags |= ElementRecord::HasErrors;
        if (node == stop || node == 0)
            return;
    }
}

// --- splicing --------------------------------------------------------------

// Replaces removed units at offset by inserted. Every linked record that
// starts after the replaced range moves, and parent and its ancestors change
// length; records not yet linked (new ones) are left to the caller.
bool CXmlDoc::Splice(std::size_t offset, std::size_t removed, std::u16string_view inserted, std::int32_t parent)
{
    if (text.size() - removed + inserted.size() > maxTextLength)
        return false;
    std::int32_t delta = static_cast<std::int32_t>(static_cast<std::int64_t>(inserted.size()) -
                                                   static_cast<std::int64_t>(removed));
    text.replace(offset, removed, inserted);
    ++revision;
    if (delta == 0)
        return true;
    ShiftAfter(parent, offset + removed, delta);
    for (std::int32_t node = parent;; node = index[node].parent) {
        index[node].length += delta;
        if (node == 0)
            break;
    }
    return true;
}

// Shifts the records that start at or after offset: parent's later children
// with their subtrees, then everything after parent in document order. Only
// those are visited, so an edit near the end of a large document is cheap.
void CXmlDoc::ShiftAfter(std::int32_t parent, std::size_t offset, std::int32_t delta)
{
    auto shift = [&](std::int32_t element) {
        ForEachInSubtree(index, element, [&](std::int32_t node) { index[node].start += delta; });
    };
    // Children are in document order: walk back from the last one.
    if (std::int32_t first = index[parent].firstChild; first != 0) {
        for (std::int32_t node = index[first].prevSibling;; node = index[node].prevSibling) {
            if (static_cast<std::size_t>(index[node].start) < offset)
                break;
            shift(node);
            if (node == first)
                break;
        }
    }
    for (std::int32_t node = parent; node != 0; node = index[node].parent) {
        for (std::int32_t next = index[node].nextSibling; next != 0; next = index[next].nextSibling)
            shift(next);
    }
}

CXmlDoc::InsertPlan CXmlDoc::PlanInsert(std::int32_t parent, std::int32_t reference, bool lineBreaks) const
{
    InsertPlan plan;
    if (reference != 0) {
        const ElementRecord& record = index[reference];
        plan.offset = static_cast<std::size_t>(record.start) + record.length;
        if (lineBreaks) {
            // Land after the line break that follows the reference.
            std::size_t end = ContentEnd(parent);
            std::size_t i = plan.offset;
            while (i < end && IsXmlBlank(text[i]))
                ++i;
            if (i == text.size() || (i < text.size() && text[i] == u'<'))
                plan.offset = i;
        }
        return plan;
    }
    std::size_t slash = SlashOfEmptyTag(parent);
    if (slash != std::u16string::npos) {
        plan.offset = slash;
        plan.emptyParent = true;
        return plan;
    }
    plan.offset = ContentEnd(parent);
    if (parent != 0) {
        const ElementRecord& record = index[parent];
        plan.leadingBreak = lineBreaks && record.endTagLen > 0 && record.length == record.startTagLen + record.endTagLen;
    }
    return plan;
}

std::int64_t CXmlDoc::InsertText(std::int32_t parent, const InsertPlan& plan, const std::u16string& newText,
                                 bool lineBreaks)
{
    std::u16string_view breakText = lineBreaks ? std::u16string_view(lineBreak) : std::u16string_view();
    if (!plan.emptyParent) {
        std::u16string piece;
        if (plan.leadingBreak)
            piece += breakText;
        piece += newText;
        piece += breakText;
        if (!Splice(plan.offset, 0, piece, parent))
            return -1;
        return static_cast<std::int64_t>(plan.offset) + (plan.leadingBreak ? breakText.size() : 0);
    }

    // <p .../> becomes <p ...> new text </p: the old '>' closes the end tag.
    // A tag like <p //> would still read as empty without its last '/'.
    std::size_t tagStart = static_cast<std::size_t>(index[parent].start);
    std::u16string openTag = text.substr(tagStart, plan.offset - tagStart) + u">";
    if (!ReadsAsStartTag(openTag, false))
        return -1;
    std::u16string name(NameOf(parent));
    std::size_t tagEnd = tagStart + index[parent].startTagLen;
    std::u16string piece = u">";
    piece += breakText;
    piece += newText;
    piece += breakText;
    piece += u"</";
    piece += name;
    if (!Splice(plan.offset, 1, piece, parent))
        return -1;
    ElementRecord& record = index[parent];
    record.startTagLen = static_cast<std::int32_t>(plan.offset + 1 - record.start);
    record.endTagLen = static_cast<std::int32_t>(2 + name.size() + (tagEnd - plan.offset - 1));
    return static_cast<std::int64_t>(plan.offset) + 1 + breakText.size();
}

// --- editors ---------------------------------------------------------------

bool CXmlDoc::AppendTo(std::int32_t parent, std::int32_t reference, std::u16string_view name,
                       std::u16string_view elementText, unsigned options, std::int32_t& created)
{
    if (!ValidElementName(name))
        return false;
    if ((options & WithoutEndTag) != 0 && !elementText.empty())
        return false;

    std::u16string markup = u"<";
    markup += name;
    std::int32_t startTagLen = 0;
    std::int32_t endTagLen = 0;
    std::uint16_t flags = 0;
    if (elementText.empty()) {
        if (options & WithoutEndTag) {
            markup += u">";
            flags = ElementRecord::NotEnded;
        } else {
            markup += (options & EmptyWithBlank) ? u" />" : u"/>";
        }
        startTagLen = static_cast<std::int32_t>(markup.size());
    } else {
        markup += u">";
        startTagLen = static_cast<std::int32_t>(markup.size());
        markup += (options & WithCdata) ? CdataSection(elementText) : Escape(elementText, options);
        markup += u"</";
        markup += name;
        markup += u">";
        endTagLen = static_cast<std::int32_t>(name.size() + 3);
    }

    bool lineBreaks = (options & WithoutLineBreaks) == 0;
    InsertPlan plan = PlanInsert(parent, reference, lineBreaks);
    std::int32_t element = NewRecord();
    if (element == 0)
        return false;
    std::int64_t at = InsertText(parent, plan, markup, lineBreaks);
    if (at < 0) {
        ReleaseSubtree(element);
        return false;
    }
    ElementRecord& record = index[element];
    record.start = static_cast<std::int32_t>(at);
    record.length = static_cast<std::int32_t>(markup.size());
    record.startTagLen = startTagLen;
    record.endTagLen = endTagLen;
    record.flags = flags;
    record.level = ChildLevel(parent);
    record.parent = parent;
    LinkChainAfter(parent, reference, element, element);
    created = element;
    return true;
}

bool CXmlDoc::AppendElement(std::u16string_view name, std::u16string_view elementText, unsigned options)
{
    std::int32_t created = 0;
    if (!AppendTo(parentPos, mainPos, name, elementText, options, created))
        return false;
    mainPos = created;
    childPos = 0;
    return true;
}

bool CXmlDoc::AppendChildElement(std::u16string_view name, std::u16string_view elementText, unsigned options)
{
    if (mainPos == 0)
        return false;
    std::int32_t created = 0;
    if (!AppendTo(mainPos, childPos, name, elementText, options, created))
        return false;
    childPos = created;
    return true;
}

bool CXmlDoc::InsertMarkup(std::u16string_view markup)
{
    if (markup.empty())
        return false;
    const std::int32_t parent = parentPos;

    // The markup is indexed as the content of a scratch record, then its
    // records move to where the text lands.
    std::int32_t scratch = NewRecord();
    if (scratch == 0)
        return false;
    index[scratch].parent = parent;
    index[scratch].level = ChildLevel(parent) - 1;
    ParseResult result;
    if (!ParseContent(markup, scratch, ChildLevel(parent), result)) {
        ReleaseSubtree(scratch);
        return false;
    }

    std::int32_t first = index[scratch].firstChild;
    std::int32_t last = LastChild(scratch);
    bool clean = first != 0 && !result.failed;
    std::size_t from = 0;
    std::size_t to = markup.size();
    if (clean) {
        from = static_cast<std::size_t>(index[first].start);
        to = static_cast<std::size_t>(index[last].start) + index[last].length;
    }

    InsertPlan plan = PlanInsert(parent, mainPos, clean);
    std::int64_t at = InsertText(parent, plan, std::u16string(markup.substr(from, to - from)), clean);
    if (at < 0) {
        ReleaseSubtree(scratch);
        return false;
    }
    std::int32_t shift = static_cast<std::int32_t>(at - static_cast<std::int64_t>(from));
    for (std::int32_t i = scratch + 1; i < freePos; ++i)
        index[i].start += shift;

    if (first != 0) {
        for (std::int32_t c = first; c != 0; c = index[c].nextSibling)
            index[c].parent = parent;
        index[scratch].firstChild = 0;
        LinkChainAfter(parent, mainPos, first, last);
        mainPos = first;
        childPos = 0;
    }
    if (index[scratch].Has(ElementRecord::HasErrors))
        MarkErrors(parent, 0);
    ReleaseSubtree(scratch);
    return clean && first == last;
}

bool CXmlDoc::Remove(std::int32_t element)
{
    const ElementRecord& record = index[element];
    std::int32_t parent = record.parent;
    std::size_t begin = static_cast<std::size_t>(record.start);
    std::size_t end = begin + record.length;
    // The line break after the element goes with it.
    std::size_t limit = ContentEnd(parent);
    std::size_t i = end;
    while (i < limit && IsXmlBlank(text[i]))
        ++i;
    if (i == text.size() || (i < text.size() && text[i] == u'<'))
        end = i;

    Unlink(element);
    ReleaseSubtree(element);
    Splice(begin, end - begin, {}, parent);
    DropSavedPositions();
    return true;
}

bool CXmlDoc::RemoveElement()
{
    if (mainPos == 0)
        return false;
    std::int32_t prev = PrevSibling(mainPos);
    Remove(mainPos);
    mainPos = prev;
    childPos = 0;
    return true;
}

bool CXmlDoc::RemoveChildElement()
{
    if (childPos == 0)
        return false;
    std::int32_t prev = PrevSibling(childPos);
    Remove(childPos);
    childPos = prev;
    return true;
}

// --- attributes ------------------------------------------------------------

bool CXmlDoc::SetAttributeOf(std::int32_t element, std::u16string_view name, std::u16string_view value)
{
    if (element == 0 || !ValidAttributeName(name))
        return false;
    const ElementRecord& record = index[element];
    const std::size_t begin = static_cast<std::size_t>(record.start);
    std::u16string_view tag(text.data() + begin, static_cast<std::size_t>(record.startTagLen));
    std::u16string quoted = u"\"" + Escape(value, EscapeQuotes) + u"\"";

    AttributeSpan span;
    std::size_t lastEnd = 0;
    std::size_t offset = 0;
    std::size_t removed = 0;
    std::u16string inserted;
    if (FindAttribute(tag, name, span, lastEnd)) {
        if (span.hasValue) {
            offset = begin + span.valueStart;
            removed = span.valueEnd - span.valueStart;
            inserted = quoted;
        } else {
            offset = begin + span.nameEnd;
            inserted = u"=" + quoted;
        }
    } else {
        offset = begin + lastEnd;
        inserted = u" " + std::u16string(name) + u"=" + quoted;
    }
    std::u16string newTag(tag);
    newTag.replace(offset - begin, removed, inserted);
    if (!ReadsAsStartTag(newTag, SlashOfEmptyTag(element) != std::u16string::npos))
        return false;
    if (!Splice(offset, removed, inserted, element))
        return false;
    index[element].startTagLen += static_cast<std::int32_t>(inserted.size()) - static_cast<std::int32_t>(removed);
    return true;
}

bool CXmlDoc::SetAttribute(std::u16string_view name, std::u16string_view value)
{
    return SetAttributeOf(mainPos, name, value);
}

bool CXmlDoc::SetChildAttribute(std::u16string_view name, std::u16string_view value)
{
    return SetAttributeOf(childPos, name, value);
}
