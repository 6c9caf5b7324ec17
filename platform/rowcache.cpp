#include "platform/rowcache.h"

#include <algorithm>

namespace {

const QVariant g_null;

} // namespace

TRowCache::TRowCache(TTableStorage& storage)
    : m_storage(storage), m_fieldCount(storage.FieldDefs().Count()), m_wanted(m_fieldCount, false)
{
}

void TRowCache::Clear()
{
    m_blocks.clear();
    m_rowCount.reset();
}

bool TRowCache::Cached(int blockIndex) const
{
    return blockIndex >= 0 && blockIndex < int(m_blocks.size()) && m_blocks[blockIndex];
}

QVariantList TRowCache::KeyOf(const Block& block, int rowInBlock)
{
    if (rowInBlock == 0) return block.FirstKey;
    if (rowInBlock == block.RowCount - 1 && !block.LastKey.isEmpty()) return block.LastKey;
    TRowBlock row;
    m_storage.ReadBlock(TBlockSeek::AtOrAfter, block.FirstKey, rowInBlock, 1, {}, row);
    return row.FirstKey;
}

TRowCache::Block* TRowCache::Load(int blockIndex)
{
    const int first = blockIndex * BlockSize;
    if (m_rowCount && first >= *m_rowCount) return nullptr;
    std::vector<int> fields;
    for (int i = 0; i < m_fieldCount; ++i) {
        if (m_wanted[i]) fields.push_back(i);
    }
    TRowBlock rows;
    bool forward = true;
    if (blockIndex == 0) {
        m_storage.ReadBlock(TBlockSeek::FromStart, {}, 0, BlockSize, fields, rows);
    } else if (Cached(blockIndex - 1) && m_blocks[blockIndex - 1]->RowCount == BlockSize) {
        const Block& previous = *m_blocks[blockIndex - 1];
        m_storage.ReadBlock(TBlockSeek::After, previous.LastKey, 0, BlockSize, fields, rows);
    } else if (Cached(blockIndex + 1)) {
        forward = false;
        m_storage.ReadBlock(TBlockSeek::Before, m_blocks[blockIndex + 1]->FirstKey, 0, BlockSize,
                            fields, rows);
    } else if (m_rowCount && *m_rowCount - first < first) {
        // Nearer the end (a grid scrolled to the bottom, Last): skip rows from that side.
        forward = false;
        const int limit = std::min(BlockSize, *m_rowCount - first);
        m_storage.ReadBlock(TBlockSeek::FromEnd, {}, *m_rowCount - first - limit, limit, fields,
                            rows);
    } else {
        m_storage.ReadBlock(TBlockSeek::FromStart, {}, first, BlockSize, fields, rows);
    }
    if (forward && rows.RowCount < BlockSize) m_rowCount = first + rows.RowCount;
    if (rows.RowCount == 0) return nullptr;

    auto block = std::make_unique<Block>();
    block->RowCount = rows.RowCount;
    block->FirstKey = std::move(rows.FirstKey);
    block->LastKey = std::move(rows.LastKey);
    block->Columns.resize(m_fieldCount);
    for (size_t c = 0; c < fields.size(); ++c)
        block->Columns[fields[c]] = std::move(rows.Columns[c]);
    if (int(m_blocks.size()) <= blockIndex) m_blocks.resize(blockIndex + 1);
    m_blocks[blockIndex] = std::move(block);
    return m_blocks[blockIndex].get();
}

void TRowCache::LoadColumn(Block& block, int fieldIndex)
{
    TRowBlock rows;
    m_storage.ReadBlock(TBlockSeek::AtOrAfter, block.FirstKey, 0, block.RowCount, {fieldIndex},
                        rows);
    std::vector<QVariant>& column = block.Columns[fieldIndex];
    column = std::move(rows.Columns[0]);
    // Only another program writing meanwhile could make the counts differ.
    column.resize(block.RowCount);
}

TRowCache::Block* TRowCache::Find(int row)
{
    if (row < 0) return nullptr;
    const int blockIndex = row / BlockSize;
    Block* block = Cached(blockIndex) ? m_blocks[blockIndex].get() : Load(blockIndex);
    if (!block || row % BlockSize >= block->RowCount) return nullptr;
    return block;
}

bool TRowCache::RowExists(int row)
{
    return Find(row) != nullptr;
}

int TRowCache::RowCount()
{
    if (!m_rowCount) m_rowCount = m_storage.RecordCount();
    return *m_rowCount;
}

const QVariant& TRowCache::Value(int row, int fieldIndex)
{
    Block* block = Find(row);
    if (!block || fieldIndex < 0 || fieldIndex >= m_fieldCount) return g_null;
    if (block->Columns[fieldIndex].empty()) {
        m_wanted[fieldIndex] = true;
        LoadColumn(*block, fieldIndex);
    }
    return block->Columns[fieldIndex][row % BlockSize];
}

QVariantList TRowCache::Identity(int row)
{
    Block* block = Find(row);
    if (!block) return {};
    return m_storage.IdentityOfKey(KeyOf(*block, row % BlockSize));
}
