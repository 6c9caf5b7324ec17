#pragma once

#include "platform/tablestorage.h"

#include <memory>
#include <optional>
#include <vector>

// A lazy, block-wise cache of a table's rows in traversal order. A block holds the keys of
// up to BlockSize consecutive rows and, column by column, only the fields that someone has
// read: walking a table reading two fields fetches those two fields and no others.
//
// A block is found from its neighbour's boundary key when the neighbour is cached (the
// usual case when walking or scrolling), else by row offset from the nearer end. The cache knows
// the row count once it has read past the end; otherwise it asks the storage. Any write clears it.
//
// Only the values of the few blocks nearest the last one read are kept: a walk over a large
// table then reuses the same memory block after block instead of growing by the whole table,
// and closing it frees little. Blocks whose values were dropped keep their boundary keys, so
// coming back to one costs a single keyed read.
class TRowCache
{
public:
    static constexpr int BlockSize = 1024;
    static constexpr int DefaultLoadedBlocks = 8;

    explicit TRowCache(TTableStorage& storage, int maxLoadedBlocks = DefaultLoadedBlocks);

    void Clear();
    bool RowExists(int row) { return InLastBlock(row) || Find(row) != nullptr; }
    int RowCount();
    // Null for a row that does not exist.
    const QVariant& Value(int row, int fieldIndex)
    {
        // Walking reads field after field of the block just read: answer those inline.
        if (InLastBlock(row) && fieldIndex >= 0 && fieldIndex < m_fieldCount) {
            const std::vector<QVariant>& column = m_lastBlock->Columns[fieldIndex];
            if (!column.empty()) return column[row % BlockSize];
        }
        return FindValue(row, fieldIndex);
    }
    // The identity (bookmark) of an existing row.
    QVariantList Identity(int row);
    // How many blocks hold values at the moment; at most the limit given at construction.
    int LoadedBlockCount() const { return int(m_loaded.size()); }

private:
    struct Block
    {
        int RowCount = 0;
        QVariantList FirstKey;
        QVariantList LastKey;
        std::vector<std::vector<QVariant>> Columns; // empty until the field is read
    };

    bool InLastBlock(int row) const
    {
        return row >= 0 && row / BlockSize == m_lastBlockIndex &&
               row % BlockSize < m_lastBlock->RowCount;
    }
    Block* Find(int row);
    const QVariant& FindValue(int row, int fieldIndex);
    Block* Load(int blockIndex);
    void LoadColumns(int blockIndex, int fieldIndex);
    void NoteLoaded(int blockIndex);
    std::vector<int> WantedFields() const;
    void DropValues(Block& block);
    void PrepareColumns(TRowBlock& rows, size_t count);
    QVariantList KeyOf(const Block& block, int rowInBlock);
    bool Cached(int blockIndex) const;

    TTableStorage& m_storage;
    int m_fieldCount;
    int m_maxLoadedBlocks;
    std::vector<std::unique_ptr<Block>> m_blocks;
    std::vector<int> m_loaded;  // indexes of the blocks holding values
    std::vector<bool> m_wanted; // fields that new blocks fetch at once
    // Emptied columns of dropped blocks, kept with their capacity for the next read:
    // allocating and freeing a block's worth of values each time makes the allocator
    // reshuffle all the small texts freed with them.
    std::vector<std::vector<QVariant>> m_spareColumns;
    std::optional<int> m_rowCount;
    // The block of the last row found: walking asks for the same block over and over.
    Block* m_lastBlock = nullptr;
    int m_lastBlockIndex = -1;
};
