#include "platform/tablestorage.h"

#include "platform/exceptions.h"
#include "platform/tableschema.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>

// Reads go straight to the SQLite C API on the Qt driver's own handle: a block of rows is
// decoded column by column into field values without a QSqlRecord per row, which is what
// keeps walking a table of 100,000 gigs in the tens of milliseconds. Connections, schema
// queries and writes stay with Qt SQL.

namespace {

std::atomic<int> g_connectionNumber{0};

class TStatement
{
public:
    // `where` names the table in error messages.
    TStatement(sqlite3* db, const QString& sql, const QString& where) : m_db(db), m_where(where)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) !=
            SQLITE_OK) {
            const QString error = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(m_stmt);
            throw EDatabaseError(QStringLiteral("Cannot read %1: %2").arg(where, error));
        }
    }
    ~TStatement() { sqlite3_finalize(m_stmt); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }

    void Bind(int index, const QVariant& value)
    {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            sqlite3_bind_null(m_stmt, index);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
            sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()),
                              SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }

    // Makes a statement that was stepped ready to run again, keeping it prepared.
    void Reset() { sqlite3_reset(m_stmt); }

    void BindAll(const QVariantList& values, int first = 1)
    {
        for (int i = 0; i < values.size(); ++i)
            Bind(first + i, values[i]);
    }

    // True for a row, false at the end; raises for an error.
    bool Step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw EDatabaseError(QStringLiteral("Cannot read %1: %2")
                                 .arg(m_where, QString::fromUtf8(sqlite3_errmsg(m_db))));
    }

private:
    sqlite3* m_db;
    QString m_where;
    sqlite3_stmt* m_stmt = nullptr;
};

QVariant RawColumn(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                 sqlite3_column_bytes(stmt, column));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                          sqlite3_column_bytes(stmt, column));
    default:
        return {};
    }
}

// A stored value in the form TField uses. The value comes from sqlite3_column_value: one
// call per column instead of one per property. Such a value may be read only while no other
// thread uses the connection, and a table's storage is used by one thread.
QVariant FieldValue(sqlite3_value* value, TFieldType type, TStoredDateReader& dates)
{
    if (type == ftString || type == ftMemo) {
        // A NULL has no text; an empty text is stored as NULL anyway.
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const int bytes = text ? sqlite3_value_bytes(value) : 0;
        return bytes == 0 ? QVariant() : QVariant(QString::fromUtf8(text, bytes));
    }
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL) return {};
    switch (type) {
    case ftInteger:
    case ftAutoInc:
        return qlonglong(sqlite3_value_int64(value));
    case ftBoolean:
        return sqlite3_value_int64(value) != 0;
    case ftDate:
    case ftTime:
    case ftDateTime: {
        if (storage != SQLITE_TEXT) return sqlite3_value_double(value);
        double date = 0;
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        if (!dates.Read(type, text, sqlite3_value_bytes(value), date)) return {};
        return date;
    }
    default:
        return sqlite3_value_double(value);
    }
}

QString Placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return count == 1 ? marks.first() : QLatin1Char('(') + marks.join(", ") + QLatin1Char(')');
}

QString OpenFailure(const QString& tableName, const QString& directory, const QString& reason)
{
    return QStringLiteral("Cannot open table '%1' in '%2': %3").arg(tableName, directory, reason);
}

QString SqlNameOf(const QString& tableName)
{
    return QFileInfo(tableName).completeBaseName();
}

} // namespace

struct TTableStorage::BlockStatement
{
    BlockStatement(sqlite3* db, const QString& sql, const QString& where)
        : Sql(sql), Statement(db, sql, where)
    {
    }
    QString Sql;
    TStatement Statement;
};

TTableStorage::TTableStorage(const QString& directory, const QString& tableName, bool readOnly)
    : m_directory(QDir::cleanPath(directory)), m_tableName(tableName),
      m_sqlName(SqlNameOf(tableName))
{
    const QString path = QDir(m_directory).filePath(m_tableName);
    if (!QFileInfo(m_directory).isDir())
        throw EDatabaseError(OpenFailure(m_tableName, m_directory,
                                         QStringLiteral("the directory does not exist (run "
                                                        "'vantor-db init' to create the tables)")));
    if (!QFileInfo(path).isFile())
        throw EDatabaseError(OpenFailure(
            m_tableName, m_directory,
            QStringLiteral("the table file does not exist (run 'vantor-db init' to create it)")));

    m_connectionName = QStringLiteral("vantor-table-%1").arg(++g_connectionNumber);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    // mode=rw never creates a file: a table that vanished after the check stays missing.
    m_db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                         (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    try {
        if (!m_db.open())
            throw EDatabaseError(OpenFailure(m_tableName, m_directory, m_db.lastError().text()));
        const QVariant handle = m_db.driver()->handle();
        if (qstrcmp(handle.typeName(), "sqlite3*") != 0 ||
            !*static_cast<sqlite3* const*>(handle.data()))
            throw EDatabaseError(OpenFailure(m_tableName, m_directory,
                                             QStringLiteral("the SQLite driver gave no handle")));
        m_handle = *static_cast<sqlite3* const*>(handle.data());
        // Pages are read through SQLite's own cache, not a memory map: a map made afresh at
        // every open costs more in page faults than the copies it would save.
        ReadSchema();
    } catch (...) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

TTableStorage::~TTableStorage()
{
    m_blockStatement.reset(); // a connection closes only once its statements are finalized
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString TTableStorage::Describe() const
{
    return QStringLiteral("table '%1' in '%2'").arg(m_tableName, m_directory);
}

void TTableStorage::ReadSchema()
{
    QSqlQuery info(m_db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdentifier(m_sqlName))))
        throw EDatabaseError(OpenFailure(
            m_tableName, m_directory,
            QStringLiteral("the file is not a table (%1)").arg(info.lastError().databaseText())));
    struct Column
    {
        QString name, type;
        bool notNull;
        int pk;
    };
    std::vector<Column> columns;
    while (info.next())
        columns.push_back({info.value(1).toString(), info.value(2).toString(),
                           info.value(3).toBool(), info.value(5).toInt()});
    if (columns.empty())
        throw EDatabaseError(
            OpenFailure(m_tableName, m_directory,
                        QStringLiteral("the file holds no table named '%1'").arg(m_sqlName)));

    {
        sqlite3_stmt* probe = nullptr;
        const QByteArray sql =
            QStringLiteral("SELECT rowid FROM %1").arg(QuoteIdentifier(m_sqlName)).toUtf8();
        m_withoutRowId =
            sqlite3_prepare_v2(m_handle, sql.constData(), -1, &probe, nullptr) != SQLITE_OK;
        sqlite3_finalize(probe);
    }

    std::vector<std::pair<int, int>> primary; // (position in key, field index)
    for (int i = 0; i < int(columns.size()); ++i) {
        if (columns[i].pk > 0) primary.emplace_back(columns[i].pk, i);
    }
    std::sort(primary.begin(), primary.end());
    const bool rowIdAlias = !m_withoutRowId && primary.size() == 1 &&
                            columns[primary.front().second].type.trimmed().compare(
                                QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
    for (int i = 0; i < int(columns.size()); ++i) {
        const bool alias = rowIdAlias && i == primary.front().second;
        const bool required = columns[i].notNull || (m_withoutRowId && columns[i].pk > 0);
        m_fields.Add(FieldDefFromColumn(columns[i].name, columns[i].type, required, alias));
    }

    QStringList primaryNames;
    for (const auto& [position, field] : primary)
        primaryNames << columns[field].name;
    if (!primaryNames.isEmpty())
        m_indexes.Add(QString(), primaryNames.join(';'), ixPrimary | ixUnique);
    if (m_withoutRowId || (!primary.empty() && !rowIdAlias)) {
        for (const auto& [position, field] : primary) {
            m_keyColumns << QuoteIdentifier(columns[field].name);
            m_keyFields.push_back(field);
        }
    }
    if (!m_withoutRowId) {
        // The row id orders tables without a primary index and identifies rows otherwise.
        m_keyColumns << QStringLiteral("rowid");
        m_keyFields.push_back(rowIdAlias ? primary.front().second : -1);
        m_identityKeys = {int(m_keyColumns.size()) - 1};
    } else {
        for (int i = 0; i < int(m_keyColumns.size()); ++i)
            m_identityKeys.push_back(i);
    }

    QSqlQuery list(m_db);
    list.exec(QStringLiteral("PRAGMA index_list(%1)").arg(QuoteIdentifier(m_sqlName)));
    while (list.next()) {
        if (list.value(3).toString() == QLatin1String("pk")) continue;
        const QString name = list.value(1).toString();
        QSqlQuery indexInfo(m_db);
        indexInfo.exec(QStringLiteral("PRAGMA index_info(%1)").arg(QuoteIdentifier(name)));
        QStringList names;
        while (indexInfo.next())
            names << indexInfo.value(2).toString();
        m_indexes.Add(name, names.join(QLatin1Char(';')),
                      list.value(2).toBool() ? TIndexOptions(ixUnique) : 0u);
    }
}

void TTableStorage::Create(const QString& directory, const QString& tableName,
                           const TFieldDefs& fields, const TIndexDefs& indexes)
{
    const QString path = QDir(directory).filePath(tableName);
    if (QFileInfo::exists(path))
        throw EDatabaseError(QStringLiteral("Table '%1' already exists in '%2'; it was left as "
                                            "it is")
                                 .arg(tableName, QDir::cleanPath(directory)));
    const QStringList statements = CreateTableStatements(SqlNameOf(tableName), fields, indexes);
    const QString connection = QStringLiteral("vantor-create-%1").arg(++g_connectionNumber);
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            // Pages of 16 KiB: a walk reads a quarter as many pages, each one a system call,
            // while a post still writes only a few pages. Only an empty file takes it.
            QSqlQuery(db).exec(QStringLiteral("PRAGMA page_size=16384"));
            db.transaction();
            QSqlQuery query(db);
            for (const QString& sql : statements) {
                if (!query.exec(sql)) {
                    failure = query.lastError().databaseText();
                    break;
                }
            }
            query.finish();
            if (failure.isEmpty() && !db.commit()) failure = db.lastError().databaseText();
            if (!failure.isEmpty()) db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!failure.isEmpty()) {
        QFile::remove(path); // a half-made table would only stop the next attempt
        throw EDatabaseError(QStringLiteral("Cannot create table '%1' in '%2': %3")
                                 .arg(tableName, QDir::cleanPath(directory), failure));
    }
}

// ---------------------------------------------------------------------------
// Reading

QString TTableStorage::KeyTuple() const
{
    return m_keyColumns.size() == 1 ? m_keyColumns.first()
                                    : QLatin1Char('(') + m_keyColumns.join(", ") + QLatin1Char(')');
}

QString TTableStorage::IdentityCondition() const
{
    QStringList parts;
    for (int position : m_identityKeys)
        parts << m_keyColumns[position] + QStringLiteral(" = ?");
    return parts.join(QStringLiteral(" AND "));
}

QString TTableStorage::ColumnList(const std::vector<int>& fieldIndexes) const
{
    QStringList names;
    for (int index : fieldIndexes)
        names << QuoteIdentifier(m_fields.Items(index).Name);
    return names.join(", ");
}

int TTableStorage::RecordCount()
{
    if (m_count < 0) {
        TStatement stmt(m_handle,
                        QStringLiteral("SELECT count(*) FROM %1").arg(QuoteIdentifier(m_sqlName)),
                        Describe());
        m_count = stmt.Step() ? sqlite3_column_int(stmt.get(), 0) : 0;
    }
    return m_count;
}

void TTableStorage::ReadBlock(TBlockSeek seek, const QVariantList& boundary, int offset, int limit,
                              const std::vector<int>& fieldIndexes, TRowBlock& out)
{
    // A field that is also a key column is read from the key's result column: SQLite's
    // cost is per result column and row, and the key is nearly always a wanted field.
    const int keys = KeyCount();
    QStringList selected = m_keyColumns;
    std::vector<int> sources;
    for (int index : fieldIndexes) {
        const auto key = std::find(m_keyFields.begin(), m_keyFields.end(), index);
        if (key != m_keyFields.end()) {
            sources.push_back(int(key - m_keyFields.begin()));
        } else {
            sources.push_back(int(selected.size()));
            selected << QuoteIdentifier(m_fields.Items(index).Name);
        }
    }
    QString sql =
        QStringLiteral("SELECT %1 FROM %2").arg(selected.join(", "), QuoteIdentifier(m_sqlName));
    const QString marks = Placeholders(KeyCount());
    if (seek == TBlockSeek::After) sql += QStringLiteral(" WHERE %1 > %2").arg(KeyTuple(), marks);
    if (seek == TBlockSeek::AtOrAfter)
        sql += QStringLiteral(" WHERE %1 >= %2").arg(KeyTuple(), marks);
    if (seek == TBlockSeek::Before) sql += QStringLiteral(" WHERE %1 < %2").arg(KeyTuple(), marks);
    const bool backwards = seek == TBlockSeek::Before || seek == TBlockSeek::FromEnd;
    sql += QStringLiteral(" ORDER BY ") +
           (backwards ? m_keyColumns.join(QStringLiteral(" DESC, ")) + QStringLiteral(" DESC")
                      : m_keyColumns.join(", "));
    sql += QStringLiteral(" LIMIT %1").arg(limit);
    if (offset > 0) sql += QStringLiteral(" OFFSET %1").arg(offset);

    if (!m_blockStatement || m_blockStatement->Sql != sql) {
        m_blockStatement.reset();
        m_blockStatement = std::make_unique<BlockStatement>(m_handle, sql, Describe());
    }
    TStatement& stmt = m_blockStatement->Statement;
    // Reset when done, however it ends: a statement left running would keep the file
    // locked against writers.
    const auto reset = qScopeGuard([&stmt] { stmt.Reset(); });
    if (seek == TBlockSeek::After || seek == TBlockSeek::AtOrAfter || seek == TBlockSeek::Before)
        stmt.BindAll(boundary);

    std::vector<TFieldType> types;
    for (int index : fieldIndexes)
        types.push_back(m_fields.Items(index).DataType);
    out.RowCount = 0;
    out.FirstKey.clear();
    out.LastKey.clear();
    out.Columns.resize(fieldIndexes.size());
    for (auto& column : out.Columns) {
        column.clear();
        column.reserve(limit);
    }
    std::vector<TStoredDateReader> dates(fieldIndexes.size());
    // Chaining blocks needs only the first key and, for a full block, the last one; a short
    // block's last key is read again on demand. Read backwards, every row may be the last.
    while (stmt.Step()) {
        if (out.RowCount == 0) {
            for (int k = 0; k < keys; ++k)
                out.FirstKey << RawColumn(stmt.get(), k);
        }
        if (backwards || out.RowCount == limit - 1) {
            out.LastKey.clear();
            for (int k = 0; k < keys; ++k)
                out.LastKey << RawColumn(stmt.get(), k);
        }
        for (size_t c = 0; c < types.size(); ++c)
            out.Columns[c].push_back(
                FieldValue(sqlite3_column_value(stmt.get(), sources[c]), types[c], dates[c]));
        ++out.RowCount;
    }
    if (backwards) {
        for (auto& column : out.Columns)
            std::reverse(column.begin(), column.end());
        std::swap(out.FirstKey, out.LastKey);
    }
}

QVariantList TTableStorage::IdentityOfKey(const QVariantList& key) const
{
    QVariantList identity;
    for (int position : m_identityKeys)
        identity << key.value(position);
    return identity;
}

int TTableStorage::PositionOf(const QVariantList& identity)
{
    if (identity.size() != int(m_identityKeys.size())) return -1;
    const QString table = QuoteIdentifier(m_sqlName);
    const QString sql =
        QStringLiteral("SELECT (SELECT count(*) FROM %1 WHERE %2 < (SELECT %3 FROM %1 WHERE %4)) "
                       "FROM %1 WHERE %4")
            .arg(table, KeyTuple(), m_keyColumns.join(", "), IdentityCondition());
    TStatement stmt(m_handle, sql, Describe());
    stmt.BindAll(identity);
    stmt.BindAll(identity, 1 + int(identity.size()));
    if (!stmt.Step()) return -1;
    return sqlite3_column_int(stmt.get(), 0);
}

std::vector<QVariant> TTableStorage::ReadRecord(const QVariantList& identity)
{
    std::vector<int> all(m_fields.Count());
    for (int i = 0; i < m_fields.Count(); ++i)
        all[i] = i;
    TStatement stmt(m_handle,
                    QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                        .arg(ColumnList(all), QuoteIdentifier(m_sqlName), IdentityCondition()),
                    Describe());
    stmt.BindAll(identity);
    if (!stmt.Step())
        throw EDatabaseError(
            QStringLiteral("Record not found in %1: it was deleted").arg(Describe()));
    std::vector<QVariant> values;
    TStoredDateReader dates;
    for (int i = 0; i < m_fields.Count(); ++i)
        values.push_back(
            FieldValue(sqlite3_column_value(stmt.get(), i), m_fields.Items(i).DataType, dates));
    return values;
}

QVariantList TTableStorage::FindFirst(const std::vector<int>& fieldIndexes,
                                      const QVariantList& values)
{
    QStringList conditions;
    QVariantList bound;
    for (size_t i = 0; i < fieldIndexes.size(); ++i) {
        const TFieldDef& def = m_fields.Items(fieldIndexes[i]);
        conditions << QuoteIdentifier(def.Name) + QStringLiteral(" IS ?");
        bound << ToStoredValue(def.DataType, values[int(i)]);
    }
    TStatement stmt(m_handle,
                    QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %1 LIMIT 1")
                        .arg(m_keyColumns.join(", "), QuoteIdentifier(m_sqlName),
                             conditions.join(QStringLiteral(" AND "))),
                    Describe());
    stmt.BindAll(bound);
    if (!stmt.Step()) return {};
    QVariantList key;
    for (int k = 0; k < KeyCount(); ++k)
        key << RawColumn(stmt.get(), k);
    return IdentityOfKey(key);
}

// ---------------------------------------------------------------------------
// Writing

void TTableStorage::RaiseWriteError(const QString& what, const QString& detail)
{
    // Read before anything else talks to the connection: a rollback resets the code.
    const int code = sqlite3_extended_errcode(m_handle);
    m_db.rollback();
    m_violatedFields.clear();
    const int colon = detail.indexOf(QStringLiteral("failed: "));
    QStringList columns;
    if (colon >= 0) {
        for (QString column : detail.mid(colon + 8).split(QStringLiteral(", "))) {
            const QString prefix = m_sqlName + QLatin1Char('.');
            if (column.startsWith(prefix)) column = column.mid(prefix.size());
            columns << column.trimmed();
        }
    }
    if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE) {
        m_violatedFields = columns;
        throw EKeyViolation(
            QStringLiteral("Key violation: %1 already has a record with the same %2")
                .arg(Describe(), columns.join(QStringLiteral(", "))));
    }
    if (code == SQLITE_CONSTRAINT_NOTNULL && !columns.isEmpty())
        throw EDatabaseError(QStringLiteral("Field '%1' must have a value").arg(columns.first()));
    throw EDatabaseError(QStringLiteral("Cannot %1 %2: %3").arg(what, Describe(), detail));
}

void TTableStorage::Exec(const QString& sql, const QVariantList& values)
{
    m_count = -1;
    QSqlQuery query(m_db);
    if (!query.prepare(sql))
        RaiseWriteError(QStringLiteral("write to"), query.lastError().databaseText());
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!m_db.transaction())
        RaiseWriteError(QStringLiteral("write to"), m_db.lastError().databaseText());
    if (!query.exec())
        RaiseWriteError(QStringLiteral("write to"), query.lastError().databaseText());
    const int affected = query.numRowsAffected();
    query.finish();
    if (!m_db.commit())
        RaiseWriteError(QStringLiteral("write to"), m_db.lastError().databaseText());
    if (affected == 0 && !sql.startsWith(QLatin1String("INSERT")))
        throw EDatabaseError(
            QStringLiteral("Record not found in %1: it was deleted").arg(Describe()));
}

QVariantList TTableStorage::Insert(const std::vector<QVariant>& values)
{
    QStringList names;
    QVariantList bound;
    for (int i = 0; i < m_fields.Count(); ++i) {
        if (!values[i].isValid()) continue;
        names << QuoteIdentifier(m_fields.Items(i).Name);
        bound << ToStoredValue(m_fields.Items(i).DataType, values[i]);
    }
    const QString table = QuoteIdentifier(m_sqlName);
    if (names.isEmpty()) {
        Exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table), {});
    } else {
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        Exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(table, names.join(", "), marks.join(", ")),
             bound);
    }
    if (!m_withoutRowId) return {qlonglong(sqlite3_last_insert_rowid(m_handle))};
    QVariantList key;
    for (int field : m_keyFields)
        key << ToStoredValue(m_fields.Items(field).DataType, values[field]);
    return IdentityOfKey(key);
}

QVariantList TTableStorage::Update(const QVariantList& identity,
                                   const std::vector<QVariant>& values,
                                   const std::vector<bool>& modified)
{
    QStringList assignments;
    QVariantList bound;
    QVariantList newIdentity = identity;
    for (int i = 0; i < m_fields.Count(); ++i) {
        if (!modified[i]) continue;
        const QVariant stored = ToStoredValue(m_fields.Items(i).DataType, values[i]);
        assignments << QuoteIdentifier(m_fields.Items(i).Name) + QStringLiteral(" = ?");
        bound << stored;
        for (int p = 0; p < int(m_identityKeys.size()); ++p) {
            if (m_keyFields[m_identityKeys[p]] == i) newIdentity[p] = stored;
        }
    }
    if (assignments.isEmpty()) return identity;
    bound << identity;
    Exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
             .arg(QuoteIdentifier(m_sqlName), assignments.join(", "), IdentityCondition()),
         bound);
    return newIdentity;
}

void TTableStorage::Delete(const QVariantList& identity)
{
    Exec(QStringLiteral("DELETE FROM %1 WHERE %2")
             .arg(QuoteIdentifier(m_sqlName), IdentityCondition()),
         identity);
}
