#pragma once
// CXmlDoc: an XML document kept as one UTF-16 text plus an index of where its
// elements are. Navigation reads the index; editing rewrites the text in
// place and shifts the index, so nothing is ever re-parsed after a load.

#include "xml/ElementIndex.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CXmlDoc {
public:
    // Option bits of AppendElement and Escape.
    enum Options : unsigned {
        WithCdata = 0x01,          // element text as a CDATA section
        WithoutLineBreaks = 0x02,  // no CR LF added around new elements
        EmptyWithBlank = 0x04,     // empty element as <name />
        WithoutEndTag = 0x08,      // <name> only
        EscapeQuotes = 0x10,       // also escape ' and "
        KeepReferences = 0x20,     // copy entity and character references unchanged
    };

    // Bits of docFlags.
    enum DocFlags : unsigned {
        IgnoreCase = 0x08,  // tag names match case-insensitively
    };

    // The cursor level a saved position was taken from.
    enum class CursorLevel { Parent, Main, Child };

    CXmlDoc();
    CXmlDoc(const CXmlDoc&) = delete;
    CXmlDoc& operator=(const CXmlDoc&) = delete;
    virtual ~CXmlDoc() = default;

    // Document.
    bool SetText(std::u16string_view newText = {});
    // Takes the text over without copying it.
    bool SetText(std::u16string&& newText);
    bool SetText(const char16_t* newText) { return SetText(std::u16string_view(newText != nullptr ? newText : u"")); }
    const std::u16string& DocText() const { return text; }
    bool WellFormed() const;
    const std::u16string& ResultText() const { return resultText; }
    unsigned GetDocFlags() const { return docFlags; }
    // Changes with every change of the text (parse or edit): what a caller
    // derived from the document holds while the revision stays.
    std::uint64_t Revision() const { return revision; }
    void SetDocFlags(unsigned flags) { docFlags = flags; }

    // Files, as UTF-8.
    bool LoadFile(const std::u16string& path);
    bool SaveFile(const std::u16string& path);

    // Navigation.
    void ResetPosition();
    bool FindNext(std::u16string_view name = {});
    bool FindNextChild(std::u16string_view name = {});
    void ResetChildPosition();
    bool Enter();
    bool Leave();
    bool SavePosition(std::u16string_view name);
    bool RestorePosition(std::u16string_view name);

    // Reading.
    std::u16string TagName() const;
    std::u16string Attribute(std::u16string_view name) const;
    // Several attributes of the main element from one reading of its start
    // tag: values[k] receives what Attribute(names[k]) would return (for at
    // most 64 names).
    void Attributes(std::span<const std::u16string_view> names, std::span<std::u16string> values) const;
    std::u16string ChildAttribute(std::u16string_view name) const;
    std::u16string Text() const;
    std::u16string ChildText() const;
    std::u16string InnerMarkup() const;
    // The main element's own text, from its start tag to the end of its end tag.
    std::u16string OuterMarkup() const;

    // Editing.
    bool SetAttribute(std::u16string_view name, std::u16string_view value);
    bool SetChildAttribute(std::u16string_view name, std::u16string_view value);
    bool AppendElement(std::u16string_view name, std::u16string_view elementText = {}, unsigned options = 0);
    bool AppendChildElement(std::u16string_view name, std::u16string_view elementText = {}, unsigned options = 0);
    bool InsertMarkup(std::u16string_view markup);
    bool RemoveElement();
    bool RemoveChildElement();

    static std::u16string Escape(std::u16string_view value, unsigned options = 0);
    static std::u16string Unescape(std::u16string_view value);

    // Self-check of the index against the text and of the cursor against the
    // index: every element's tags where its record says, children inside
    // their parent in order, links and flags consistent.
    bool CheckConsistency() const;

private:
    struct SavedPosition {
        std::u16string name;
        std::int32_t pos = 0;
        CursorLevel level = CursorLevel::Parent;
    };
    static constexpr int savedBuckets = 7;
    // Offsets are signed 32-bit.
    static constexpr std::size_t maxTextLength = INT32_MAX;

    // Parsing (XmlParse.cpp).
    bool Parse();
    struct ParseResult {
        std::u16string error;  // the first error, if any
        bool failed = false;   // an error occurred, even when none was recorded
    };
    // Indexes the elements of source as the content of record parent. Record
    // offsets are relative to source; children of parent get childLevel.
    bool ParseContent(std::u16string_view source, std::int32_t parent, std::int32_t childLevel,
                      ParseResult& result);

    // Records and links (XmlEdit.cpp).
    std::int32_t NewRecord();
    void LinkLastChild(std::int32_t parent, std::int32_t child);
    void LinkChainAfter(std::int32_t parent, std::int32_t reference, std::int32_t first, std::int32_t last);
    void Unlink(std::int32_t element);
    void ReleaseSubtree(std::int32_t element);
    std::int32_t LastChild(std::int32_t parent) const;
    std::int32_t PrevSibling(std::int32_t element) const;
    std::int32_t ChildLevel(std::int32_t parent) const;
    void MarkErrors(std::int32_t element, std::int32_t stop);
    void ShiftLevels(std::int32_t element, std::int32_t delta);
    std::size_t ContentEnd(std::int32_t element) const;

    // Text splicing (XmlEdit.cpp).
    bool Splice(std::size_t offset, std::size_t removed, std::u16string_view inserted, std::int32_t parent);
    void ShiftAfter(std::int32_t parent, std::size_t offset, std::int32_t delta);
    struct InsertPlan {
        std::size_t offset = 0;    // where the new text goes
        bool emptyParent = false;  // parent written as <p/>; offset is its '/'
        bool leadingBreak = false; // parent is <p></p>
    };
    InsertPlan PlanInsert(std::int32_t parent, std::int32_t reference, bool lineBreaks) const;
    // Splices newText in for the plan; returns the offset where newText now
    // starts, or -1 when it cannot go there.
    std::int64_t InsertText(std::int32_t parent, const InsertPlan& plan, const std::u16string& newText,
                            bool lineBreaks);
    bool AppendTo(std::int32_t parent, std::int32_t reference, std::u16string_view name,
                  std::u16string_view elementText, unsigned options, std::int32_t& created);
    bool Remove(std::int32_t element);
    bool SetAttributeOf(std::int32_t element, std::u16string_view name, std::u16string_view value);

    // Reading helpers (XmlNavigate.cpp).
    std::u16string_view NameOf(std::int32_t element) const;
    bool NameMatches(std::int32_t element, std::u16string_view name) const;
    std::int32_t FindSibling(std::int32_t first, std::u16string_view name) const;
    std::u16string AttributeOf(std::int32_t element, std::u16string_view name) const;
    std::u16string TextOf(std::int32_t element) const;
    std::size_t SlashOfEmptyTag(std::int32_t element) const;
    void DropSavedPositions();
    void ResetAll();

    std::u16string text;
    std::u16string resultText;
    std::int32_t parentPos = 0;
    std::int32_t mainPos = 0;
    std::int32_t childPos = 0;
    std::int32_t freePos = 1;
    std::int32_t deletedPos = 0;
    unsigned docFlags = 0;
    std::uint64_t revision = 0;
    std::array<std::vector<SavedPosition>, savedBuckets> savedPositions;
    CElementIndex index;
};
