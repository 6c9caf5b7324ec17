#pragma once

#include "platform/dataset.h"
#include "platform/fielddefs.h"

#include <memory>

class TTableStorage;
class TRowCache;

// A table of the local engine opened by name under a database alias: TableName "gig.db"
// with DatabaseName "vantor" is the file gig.db in the alias's directory (see aliases.h).
// Without an alias, TableName may be a path to the file. Records are traversed in the
// order of the primary index, or in the order they were added when there is none.
//
// The program never creates tables through this class; the engine's tool does (see
// TTable::CreateTable, which it calls).
class TTable : public TDataSet
{
public:
    explicit TTable(QObject* owner = nullptr);
    ~TTable() override;

    QString DatabaseName() const { return m_databaseName; }
    // Both raise EDatabaseError while the table is open.
    void SetDatabaseName(const QString& value);
    QString TableName() const { return m_tableName; }
    void SetTableName(const QString& value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    bool CanModify() const override;

    // The stored definitions, read when the table opens; empty while it is closed.
    const TFieldDefs& FieldDefs() const { return m_fieldDefs; }
    const TIndexDefs& IndexDefs() const { return m_indexDefs; }

    // The directory and file the alias and table name resolve to; raises EDatabaseError
    // for an unknown alias.
    QString Directory() const;
    QString FilePath() const;

    // Creates a table file with these definitions in an alias's directory (or, without an
    // alias, at the table name's path). Raises EDatabaseError when the file exists: a
    // table is never overwritten.
    static void CreateTable(const QString& databaseName, const QString& tableName,
                            const TFieldDefs& fields, const TIndexDefs& indexes);

protected:
    TFieldDefs InternalOpen() override;
    void InternalClose() override;
    bool InternalRowExists(int row) override;
    int InternalRecordCount() override;
    const QVariant& InternalRowValue(int row, int fieldIndex) override;
    std::vector<QVariant> InternalReadRecord(int row) override;
    TBookmark InternalBookmark(int row) override;
    int InternalBookmarkRow(const TBookmark& bookmark) override;
    TBookmark InternalPost(const TRecordBuffer& record, bool inserting,
                           const TBookmark& original) override;
    void InternalDelete(int row) override;
    void InternalRefresh() override;
    int InternalLocate(const std::vector<int>& fieldIndexes, const QVariantList& values,
                       TLocateOptions options) override;

private:
    void CheckInactive() const;
    QString KeyViolationMessage(const TRecordBuffer& record) const;

    QString m_databaseName;
    QString m_tableName;
    bool m_readOnly = false;
    TFieldDefs m_fieldDefs;
    TIndexDefs m_indexDefs;
    std::unique_ptr<TTableStorage> m_storage;
    std::unique_ptr<TRowCache> m_cache;
};
