#pragma once
// The element index: one record per element, in blocks of up to 65536 records.
// Elements are addressed by 32-bit index (upper 16 bits block, lower 16 bits
// record), so full blocks never move and only the last block is reallocated.

#include <cstdint>
#include <memory>
#include <vector>

struct ElementRecord {
    enum Flags : std::uint16_t {
        FirstChild = 0x01,  // first child of its parent
        NotEnded = 0x02,    // no end tag came; closed at its start tag
        IllFormed = 0x04,   // on record 0: the text has a parse error
        HasErrors = 0x08,   // a problem was found inside this element
        Deleted = 0x10,     // released by a removal; on the deleted chain
    };

    // No initialisers: blocks are allocated without zero-filling, and every
    // record is written whole when it is taken (ElementRecord{} is all zero).
    std::int32_t start;        // offset of '<'
    std::int32_t length;       // start tag to end of end tag
    std::int32_t startTagLen;  // full width: no tag length can overflow
    std::int32_t endTagLen;    // 0 for an empty or not ended element
    std::uint16_t flags;
    std::int32_t level;        // nesting depth
    std::int32_t parent;
    std::int32_t firstChild;
    std::int32_t nextSibling;
    std::int32_t prevSibling;  // on the first child: the last child

    bool Has(std::uint16_t flag) const { return (flags & flag) != 0; }
};

class CElementIndex {
public:
    static constexpr int blockBits = 16;
    static constexpr int blockSize = 1 << blockBits;
    static constexpr std::int32_t maxRecords = INT32_MAX;

    CElementIndex() = default;
    CElementIndex(const CElementIndex&) = delete;
    CElementIndex& operator=(const CElementIndex&) = delete;
    virtual ~CElementIndex() = default;

    // Drops every record and allocates room for count records.
    void Reset(std::int64_t count);

    // Makes room for record freePos when it has reached the capacity: 1.5
    // times as many, but never past the end of the block after the one in
    // use. False when the index range is exhausted.
    bool Grow(std::int32_t freePos);

    std::int32_t Capacity() const { return elemCapacity; }
    std::int32_t TableSize() const { return static_cast<std::int32_t>(elemBlocks.size()); }

    ElementRecord& operator[](std::int32_t index)
    {
        return elemBlocks[index >> blockBits][index & (blockSize - 1)];
    }
    const ElementRecord& operator[](std::int32_t index) const
    {
        return elemBlocks[index >> blockBits][index & (blockSize - 1)];
    }

private:
    void Resize(std::int32_t capacity);
    std::int32_t BlockLength(std::int32_t block, std::int32_t capacity) const;

    std::vector<std::unique_ptr<ElementRecord[]>> elemBlocks;
    std::int32_t elemCapacity = 0;
};
