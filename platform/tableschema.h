#pragma once

#include "platform/fielddefs.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// How the table engine stores fields in SQLite, so that other programs read the files
// sensibly: the declared column type carries the field type and size, and values are
// plain SQLite values.
//
//   field type   declared type          stored value
//   String       VARCHAR(n)             text
//   Memo         MEMO TEXT(n)           text (the word TEXT gives it text affinity, so a
//                                       memo reading "42" stays text)
//   Date         DATE                   ISO text 2024-05-03
//   Time         TIME                   ISO text 20:30:00 (milliseconds only when set)
//   DateTime     DATETIME               ISO text 2024-05-03 20:30:00
//   Float        FLOAT                  real
//   Integer      INTEGER                integer
//   Boolean      BOOLEAN                integer 0 or 1
//   AutoInc      INTEGER PRIMARY KEY    the row id
//
// A table with a primary index keeps its rows in that index's order (WITHOUT ROWID), so
// that walking it in key order reads the file front to back.

QString QuoteIdentifier(const QString& name);
QString DeclaredType(const TFieldDef& def);
// The field definition of a stored column; rowIdAlias marks an INTEGER PRIMARY KEY column.
TFieldDef FieldDefFromColumn(const QString& name, const QString& declaredType, bool notNull,
                             bool rowIdAlias);
// The statements that create a table and its secondary indexes. Raises EDatabaseError for
// definitions the engine cannot store (no fields, an index over an unknown field, ...).
QStringList CreateTableStatements(const QString& tableName, const TFieldDefs& fields,
                                  const TIndexDefs& indexes);

// A field value (see TField) as the value bound to SQLite.
QVariant ToStoredValue(TFieldType type, const QVariant& value);
// Reads stored date/time text back; false when the text is not in the stored form.
bool ParseStoredDateTime(TFieldType type, const char* text, int length, double& result);

// ParseStoredDateTime for a run of values: a date in the same month as the one before (the
// common case when walking by date) costs two digits instead of a full conversion.
class TStoredDateReader
{
public:
    bool Read(TFieldType type, const char* text, int length, double& result);

private:
    char m_month[8] = {}; // "yyyy-mm-" of the last date read
    double m_monthStart = 0;
    int m_monthDays = 0;
};
