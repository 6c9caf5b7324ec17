#pragma once

#include "platform/fielddefs.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <vector>

struct sqlite3;

// Where a block read starts: at the first row, relative to a boundary key, or (FromEnd)
// backwards from the last row; the offset skips rows in the reading direction.
enum class TBlockSeek { FromStart, After, AtOrAfter, Before, FromEnd };

// Rows read in traversal order: the key (raw stored values) of the first row, of the last
// row when the block is full, and for each requested field one value per row in the form
// TField uses. Keys of the rows between are not kept: bookmarks are rare, walking is not.
struct TRowBlock
{
    int RowCount = 0;
    QVariantList FirstKey;
    QVariantList LastKey;
    std::vector<std::vector<QVariant>> Columns;
};

// One table file of the engine: the SQLite file <directory>/<name>.db holding one table
// named after the file's stem. Rows are ordered by the primary index (else by row id) and
// identified by their key; a bookmark is the record's identity (its row id, or its
// primary key in a table kept in key order).
//
// Every write is its own transaction in SQLite's default rollback journal, so a process
// killed in the middle of a post leaves the file as it was after the last completed post.
class TTableStorage
{
public:
    // Raises EDatabaseError naming the table and the directory when the directory or file
    // is missing, the file is not a database, or it holds no table of that name.
    TTableStorage(const QString& directory, const QString& tableName, bool readOnly);
    ~TTableStorage();
    TTableStorage(const TTableStorage&) = delete;
    TTableStorage& operator=(const TTableStorage&) = delete;

    // Creates the table file; raises EDatabaseError when it exists already, leaving it alone.
    static void Create(const QString& directory, const QString& tableName, const TFieldDefs& fields,
                       const TIndexDefs& indexes);

    const TFieldDefs& FieldDefs() const { return m_fields; }
    const TIndexDefs& IndexDefs() const { return m_indexes; }
    QString Describe() const; // "table 'gig.db' in '/dir'", for messages

    int KeyCount() const { return static_cast<int>(m_keyColumns.size()); }
    int RecordCount();
    // Another program may have written meanwhile: count again next time.
    void ForgetCount() { m_count = -1; }
    // Reads up to `limit` rows; `boundary` is a key (seeks After, AtOrAfter, Before) and
    // `offset` a number of rows skipped first. Rows read backwards (Before, FromEnd) come back
    // in traversal order. Column vectors already in `out` are emptied and reused.
    void ReadBlock(TBlockSeek seek, const QVariantList& boundary, int offset, int limit,
                   const std::vector<int>& fieldIndexes, TRowBlock& out);

    // The identity of the row with the given key.
    QVariantList IdentityOfKey(const QVariantList& key) const;
    // The number of rows before the identified one, -1 when it does not exist.
    int PositionOf(const QVariantList& identity);
    std::vector<QVariant> ReadRecord(const QVariantList& identity);
    // The identity of the first row, in traversal order, whose fields equal the values
    // (field values, nulls allowed); empty when none.
    QVariantList FindFirst(const std::vector<int>& fieldIndexes, const QVariantList& values);

    // Writes return the identity of the stored row. A key violation raises EKeyViolation
    // (ViolatedFields() then names the fields); other failures raise EDatabaseError.
    QVariantList Insert(const std::vector<QVariant>& values);
    QVariantList Update(const QVariantList& identity, const std::vector<QVariant>& values,
                        const std::vector<bool>& modified);
    void Delete(const QVariantList& identity);
    const QStringList& ViolatedFields() const { return m_violatedFields; }

private:
    void ReadSchema();
    void Exec(const QString& sql, const QVariantList& values);
    [[noreturn]] void RaiseWriteError(const QString& what, const QString& detail);
    QString IdentityCondition() const;
    QString KeyTuple() const;
    QString ColumnList(const std::vector<int>& fieldIndexes) const;

    QString m_directory;
    QString m_tableName;
    QString m_sqlName;
    QString m_connectionName;
    QSqlDatabase m_db;
    sqlite3* m_handle = nullptr;
    TFieldDefs m_fields;
    TIndexDefs m_indexes;
    bool m_withoutRowId = false;
    QStringList m_keyColumns;        // SQL expressions in traversal order
    std::vector<int> m_keyFields;    // field index of each key column, -1 for the row id
    std::vector<int> m_identityKeys; // positions in the key that make up the identity
    int m_count = -1;
    QStringList m_violatedFields;
    // The statement of the last block read, used again while reads keep their form (as
    // walking does): preparing one per block costs more than the statement's own work.
    struct BlockStatement;
    std::unique_ptr<BlockStatement> m_blockStatement;
};
