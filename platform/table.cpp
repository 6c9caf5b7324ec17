#include "platform/table.h"

#include "platform/aliases.h"
#include "platform/exceptions.h"
#include "platform/rowcache.h"
#include "platform/tablestorage.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The directory and file name of a table: the alias's directory, or the table name's own
// directory when no alias is given.
std::pair<QString, QString> TableLocation(const QString& alias, const QString& tableName)
{
    if (alias.isEmpty()) {
        const QFileInfo file(tableName);
        return {file.absolutePath(), file.fileName()};
    }
    try {
        return {AliasDirectory(alias), tableName};
    } catch (const EDatabaseError& error) {
        throw EDatabaseError(
            QStringLiteral("Cannot open table '%1': %2").arg(tableName, error.Message()));
    }
}

} // namespace

TTable::TTable(QObject* owner) : TDataSet(owner) {}

TTable::~TTable()
{
    CloseForDestruction();
}

void TTable::CheckInactive() const
{
    if (Active())
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
}

void TTable::SetDatabaseName(const QString& value)
{
    CheckInactive();
    m_databaseName = value;
}

void TTable::SetTableName(const QString& value)
{
    CheckInactive();
    m_tableName = value;
}

void TTable::SetReadOnly(bool value)
{
    CheckInactive();
    m_readOnly = value;
}

bool TTable::CanModify() const
{
    return Active() && !m_readOnly;
}

QString TTable::Directory() const
{
    return TableLocation(m_databaseName, m_tableName).first;
}

QString TTable::FilePath() const
{
    const auto [directory, file] = TableLocation(m_databaseName, m_tableName);
    return QDir(directory).filePath(file);
}

void TTable::CreateTable(const QString& databaseName, const QString& tableName,
                         const TFieldDefs& fields, const TIndexDefs& indexes)
{
    const auto [directory, file] = TableLocation(databaseName, tableName);
    TTableStorage::Create(directory, file, fields, indexes);
}

TFieldDefs TTable::InternalOpen()
{
    if (m_tableName.isEmpty()) throw EDatabaseError(QStringLiteral("No table name given"));
    const auto [directory, file] = TableLocation(m_databaseName, m_tableName);
    m_storage = std::make_unique<TTableStorage>(directory, file, m_readOnly);
    m_cache = std::make_unique<TRowCache>(*m_storage);
    m_fieldDefs = m_storage->FieldDefs();
    m_indexDefs = m_storage->IndexDefs();
    return m_fieldDefs;
}

void TTable::InternalClose()
{
    m_cache.reset();
    m_storage.reset();
    m_fieldDefs.Clear();
    m_indexDefs.Clear();
}

bool TTable::InternalRowExists(int row)
{
    return m_cache->RowExists(row);
}

int TTable::InternalRecordCount()
{
    return m_cache->RowCount();
}

const QVariant& TTable::InternalRowValue(int row, int fieldIndex)
{
    return m_cache->Value(row, fieldIndex);
}

std::vector<QVariant> TTable::InternalReadRecord(int row)
{
    return m_storage->ReadRecord(m_cache->Identity(row));
}

TBookmark TTable::InternalBookmark(int row)
{
    return m_cache->Identity(row);
}

int TTable::InternalBookmarkRow(const TBookmark& bookmark)
{
    return bookmark.isEmpty() ? -1 : m_storage->PositionOf(bookmark);
}

QString TTable::KeyViolationMessage(const TRecordBuffer& record) const
{
    QStringList parts;
    for (const QString& name : m_storage->ViolatedFields()) {
        const TField* field = FindField(name);
        if (!field) continue;
        const QString text = field->TextOf(record.Values[field->Index()]);
        parts << QStringLiteral("%1 %2").arg(field->FieldName(), text.isEmpty() ? "(blank)" : text);
    }
    return QStringLiteral("Key violation: table '%1' already has a record with %2")
        .arg(m_tableName,
             parts.isEmpty() ? QStringLiteral("the same key") : parts.join(QStringLiteral(", ")));
}

TBookmark TTable::InternalPost(const TRecordBuffer& record, bool inserting,
                               const TBookmark& original)
{
    TBookmark stored;
    try {
        stored = inserting ? m_storage->Insert(record.Values)
                           : m_storage->Update(original, record.Values, record.Modified);
    } catch (const EKeyViolation&) {
        throw EKeyViolation(KeyViolationMessage(record));
    }
    m_cache->Clear();
    return stored;
}

void TTable::InternalDelete(int row)
{
    const QVariantList identity = m_cache->Identity(row);
    m_cache->Clear();
    m_storage->Delete(identity);
}

void TTable::InternalRefresh()
{
    m_storage->ForgetCount();
    m_cache->Clear();
}

int TTable::InternalLocate(const std::vector<int>& fieldIndexes, const QVariantList& values,
                           TLocateOptions options)
{
    // Exact matches are answered by SQLite (and its indexes); case-blind and partial
    // matches compare texts here, where Unicode case folding is right.
    if (options != 0) return TDataSet::InternalLocate(fieldIndexes, values, options);
    const QVariantList identity = m_storage->FindFirst(fieldIndexes, values);
    return identity.isEmpty() ? -1 : m_storage->PositionOf(identity);
}
