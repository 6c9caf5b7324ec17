#include "platform/rowcache.h"

#include <algorithm>
#include <cstdlib>

namespace {

const QVariant g_null;

} // namespace

TRowCache::TRowCache(TTableStorage& storage, int maxLoadedBlocks)
    : m_storage(storage), m_fieldCount(storage.FieldDefs().Count()),
      m_maxLoadedBlocks(std::max(1, maxLoadedBlocks)), m_wanted(m_fieldCount, false)
{
}

void TRowCache::Clear()
{
    m_lastBlock = nullptr;
    m_lastBlockIndex = -1;
    m_loaded.clear();
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

std::vector<int> TRowCache::WantedFields() const
{
    std::vector<int> fields;
    for (int i = 0; i < m_fieldCount; ++i) {
        if (m_wanted[i]) fields.push_back(i);
    }
    return fields;
}

// Records that a block holds values, dropping those of the blocks farthest from it when
// more than the limit hold some. The block itself is never the farthest.
void TRowCache::NoteLoaded(int blockIndex)
{
    if (std::find(m_loaded.begin(), m_loaded.end(), blockIndex) == m_loaded.end())
        m_loaded.push_back(blockIndex);
    while (int(m_loaded.size()) > m_maxLoadedBlocks) {
        const auto farthest =
            std::max_element(m_loaded.begin(), m_loaded.end(), [blockIndex](int a, int b) {
                return std::abs(a - blockIndex) < std::abs(b - blockIndex);
            });
        DropValues(*m_blocks[*farthest]);
        m_loaded.erase(farthest);
    }
}

void TRowCache::DropValues(Block& block)
{
    for (std::vector<QVariant>& column : block.Columns) {
        if (column.empty()) continue;
        column.clear();
        // Either way the column is left empty, which marks it as not read.
        if (int(m_spareColumns.size()) < m_fieldCount)
            m_spareColumns.push_back(std::move(column));
        else
            std::vector<QVariant>().swap(column);
    }
}

void TRowCache::PrepareColumns(TRowBlock& rows, size_t count)
{
    rows.Columns.resize(count);
    for (std::vector<QVariant>& column : rows.Columns) {
        if (m_spareColumns.empty()) break;
        column = std::move(m_spareColumns.back());
        m_spareColumns.pop_back();
    }
}

TRowCache::Block* TRowCache::Load(int blockIndex)
{
    const int first = blockIndex * BlockSize;
    if (m_rowCount && first >= *m_rowCount) return nullptr;
    const std::vector<int> fields = WantedFields();
    TRowBlock rows;
    PrepareColumns(rows, fields.size());
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
    if (!fields.empty()) NoteLoaded(blockIndex);
    return m_blocks[blockIndex].get();
}

// Reads a field missing from a block, together with any other wanted field the block lacks
// (all of them when its values were dropped): one read instead of one per field.
void TRowCache::LoadColumns(int blockIndex, int fieldIndex)
{
    m_wanted[fieldIndex] = true;
    Block& block = *m_blocks[blockIndex];
    std::vector<int> fields;
    for (int field : WantedFields()) {
        if (block.Columns[field].empty()) fields.push_back(field);
    }
    TRowBlock rows;
    PrepareColumns(rows, fields.size());
    m_storage.ReadBlock(TBlockSeek::AtOrAfter, block.FirstKey, 0, block.RowCount, fields, rows);
    for (size_t c = 0; c < fields.size(); ++c) {
        std::vector<QVariant>& column = block.Columns[fields[c]];
        column = std::move(rows.Columns[c]);
        // Only another program writing meanwhile could make the counts differ.
        column.resize(block.RowCount);
    }
    NoteLoaded(blockIndex);
}

TRowCache::Block* TRowCache::Find(int row)
{
    if (row < 0) return nullptr;
    const int blockIndex = row / BlockSize;
    Block* block = m_lastBlock;
    if (blockIndex != m_lastBlockIndex) {
        block = Cached(blockIndex) ? m_blocks[blockIndex].get() : Load(blockIndex);
        if (!block) return nullptr;
        m_lastBlock = block;
        m_lastBlockIndex = blockIndex;
    }
    if (row % BlockSize >= block->RowCount) return nullptr;
    return block;
}

int TRowCache::RowCount()
{
    if (!m_rowCount) m_rowCount = m_storage.RecordCount();
    return *m_rowCount;
}

const QVariant& TRowCache::FindValue(int row, int fieldIndex)
{
    Block* block = Find(row);
    if (!block || fieldIndex < 0 || fieldIndex >= m_fieldCount) return g_null;
    if (block->Columns[fieldIndex].empty()) LoadColumns(row / BlockSize, fieldIndex);
    return block->Columns[fieldIndex][row % BlockSize];
}

QVariantList TRowCache::Identity(int row)
{
    Block* block = Find(row);
    if (!block) return {};
    return m_storage.IdentityOfKey(KeyOf(*block, row % BlockSize));
}
