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
class TRowCache
{
public:
    static constexpr int BlockSize = 1024;

    explicit TRowCache(TTableStorage& storage);

    void Clear();
    bool RowExists(int row);
    int RowCount();
    // Null for a row that does not exist.
    const QVariant& Value(int row, int fieldIndex);
    // The identity (bookmark) of an existing row.
    QVariantList Identity(int row);

private:
    struct Block
    {
        int RowCount = 0;
        QVariantList FirstKey;
        QVariantList LastKey;
        std::vector<std::vector<QVariant>> Columns; // empty until the field is read
    };

    Block* Find(int row);
    Block* Load(int blockIndex);
    void LoadColumn(Block& block, int fieldIndex);
    QVariantList KeyOf(const Block& block, int rowInBlock);
    bool Cached(int blockIndex) const;

    TTableStorage& m_storage;
    int m_fieldCount;
    std::vector<std::unique_ptr<Block>> m_blocks;
    std::vector<bool> m_wanted; // fields that new blocks fetch at once
    std::optional<int> m_rowCount;
};
