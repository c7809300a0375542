#include "xml/XmlDoc.h"
#include "xml/XmlNames.h"

bool CXmlDoc::CheckConsistency() const
{
    if (text.size() > maxTextLength)
        return index[0].firstChild == 0;
    if (index[0].length != static_cast<std::int32_t>(text.size()) || freePos > index.Capacity())
        return false;

    const bool ignoreCase = (docFlags & IgnoreCase) != 0;
    std::int64_t visited = 0;
    std::vector<std::int32_t> parents{0};
    while (!parents.empty()) {
        std::int32_t parent = parents.back();
        parents.pop_back();
        std::size_t offset = parent == 0 ? 0 : static_cast<std::size_t>(index[parent].start) + index[parent].startTagLen;
        std::size_t end = ContentEnd(parent);
        if (end < offset || end > text.size())
            return false;
        std::int32_t prev = 0;
        for (std::int32_t node = index[parent].firstChild; node != 0; node = index[node].nextSibling) {
            if (node < 1 || node >= freePos || ++visited > freePos)
                return false;
            const ElementRecord& record = index[node];
            if (record.Has(ElementRecord::Deleted) || record.parent != parent || record.level != ChildLevel(parent))
                return false;
            if (record.Has(ElementRecord::FirstChild) != (prev == 0) || (prev != 0 && record.prevSibling != prev))
                return false;
            // Inside the parent's content, after the previous sibling.
            std::size_t start = static_cast<std::size_t>(record.start);
            if (record.start < 0 || start < offset || record.startTagLen < 3 ||
                record.startTagLen + record.endTagLen > record.length || start + record.length > end)
                return false;
            if (text[start] != u'<' || text[start + record.startTagLen - 1] != u'>')
                return false;
            if (record.endTagLen > 0) {
                std::u16string_view endTag(text.data() + start + record.length - record.endTagLen,
                                           static_cast<std::size_t>(record.endTagLen));
                if (record.endTagLen < 3 || endTag.substr(0, 2) != u"</" || endTag.back() != u'>' ||
                    !SameName(MatchKey(endTag.substr(2, TagNameLength(endTag, 2))), MatchKey(NameOf(node)), ignoreCase))
                    return false;
            }
            offset = start + record.length;
            prev = node;
            parents.push_back(node);
        }
        std::int32_t first = index[parent].firstChild;
        if (first != 0 && index[first].prevSibling != prev)
            return false;
    }

    // The cursor and saved positions point at live elements, each level the
    // parent of the next.
    auto live = [&](std::int32_t pos) {
        return pos == 0 || (pos > 0 && pos < freePos && !index[pos].Has(ElementRecord::Deleted));
    };
    if (!live(parentPos) || !live(mainPos) || !live(childPos))
        return false;
    if (mainPos != 0 && index[mainPos].parent != parentPos)
        return false;
    if (childPos != 0 && (mainPos == 0 || index[childPos].parent != mainPos))
        return false;
    for (const auto& bucket : savedPositions) {
        for (const SavedPosition& entry : bucket) {
            if (!live(entry.pos))
                return false;
        }
    }
    return true;
}
