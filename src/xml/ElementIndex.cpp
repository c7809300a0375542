#include "xml/ElementIndex.h"

#include <algorithm>

std::int32_t CElementIndex::BlockLength(std::int32_t block, std::int32_t capacity) const
{
    std::int64_t first = static_cast<std::int64_t>(block) << blockBits;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(capacity - first, 0, blockSize));
}

void CElementIndex::Reset(std::int64_t count)
{
    elemBlocks.clear();
    elemCapacity = 0;
    Resize(static_cast<std::int32_t>(std::clamp<std::int64_t>(count, 1, maxRecords)));
}

bool CElementIndex::Grow(std::int32_t freePos)
{
    if (freePos < elemCapacity)
        return true;
    if (freePos >= maxRecords)
        return false;
    std::int64_t wanted = static_cast<std::int64_t>(freePos) + freePos / 2;
    std::int64_t lastInUse = freePos > 0 ? (freePos - 1) >> blockBits : 0;
    std::int64_t limit = (lastInUse + 2) << blockBits;
    wanted = std::min(wanted, limit);
    wanted = std::max<std::int64_t>(wanted, static_cast<std::int64_t>(freePos) + 1);
    Resize(static_cast<std::int32_t>(std::min<std::int64_t>(wanted, maxRecords)));
    return true;
}

void CElementIndex::Resize(std::int32_t capacity)
{
    std::int32_t lastBlock = (capacity - 1) >> blockBits;
    if (lastBlock >= TableSize())
        elemBlocks.resize(static_cast<std::size_t>(lastBlock) * 2 + 4);

    std::int32_t firstChanged = elemCapacity > 0 ? (elemCapacity - 1) >> blockBits : 0;
    for (std::int32_t block = firstChanged; block <= lastBlock; ++block) {
        std::int32_t oldLength = BlockLength(block, elemCapacity);
        std::int32_t newLength = BlockLength(block, capacity);
        if (newLength == oldLength)
            continue;
        // Only the last, partial block is ever reallocated.
        auto records = std::make_unique_for_overwrite<ElementRecord[]>(newLength);
        if (oldLength > 0)
            std::copy(elemBlocks[block].get(), elemBlocks[block].get() + oldLength, records.get());
        elemBlocks[block] = std::move(records);
    }
    elemCapacity = capacity;
}
