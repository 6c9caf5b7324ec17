#include "platform/tableschema.h"

#include "platform/datetime.h"
#include "platform/exceptions.h"
#include "platform/numeric.h"

#include <QRegularExpression>

#include <cstring>

namespace {

// Reads exactly `count` digits; stored texts are machine-written, so anything else is
// simply not in the stored form.
bool ReadDigits(const char*& p, const char* end, int count, int& value)
{
    if (end - p < count) return false;
    value = 0;
    for (int i = 0; i < count; ++i, ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
    }
    return true;
}

bool Expect(const char*& p, const char* end, char c)
{
    if (p >= end || *p != c) return false;
    ++p;
    return true;
}

bool ParseDatePart(const char*& p, const char* end, double& result)
{
    int y = 0, m = 0, d = 0;
    return ReadDigits(p, end, 4, y) && Expect(p, end, '-') && ReadDigits(p, end, 2, m) &&
           Expect(p, end, '-') && ReadDigits(p, end, 2, d) && TryEncodeDate(y, m, d, result);
}

bool ParseTimePart(const char*& p, const char* end, double& result)
{
    int h = 0, n = 0, s = 0, ms = 0;
    if (!(ReadDigits(p, end, 2, h) && Expect(p, end, ':') && ReadDigits(p, end, 2, n)))
        return false;
    if (p < end && *p == ':' && !(Expect(p, end, ':') && ReadDigits(p, end, 2, s))) return false;
    if (p < end && *p == '.' && !(Expect(p, end, '.') && ReadDigits(p, end, 3, ms))) return false;
    return TryEncodeTime(h, n, s, ms, result);
}

QString TimeText(double value)
{
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(value, h, n, s, ms);
    QString text = QStringLiteral("%1:%2:%3")
                       .arg(h, 2, 10, QLatin1Char('0'))
                       .arg(n, 2, 10, QLatin1Char('0'))
                       .arg(s, 2, 10, QLatin1Char('0'));
    if (ms != 0) text += QStringLiteral(".%1").arg(ms, 3, 10, QLatin1Char('0'));
    return text;
}

QString DateText(double value)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    return QStringLiteral("%1-%2-%3")
        .arg(y, 4, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(d, 2, 10, QLatin1Char('0'));
}

int SizeOf(const QString& declared)
{
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch match = size.match(declared);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DeclaredType(const TFieldDef& def)
{
    switch (def.DataType) {
    case ftString:
        return QStringLiteral("VARCHAR(%1)").arg(def.Size);
    case ftMemo:
        return def.Size > 0 ? QStringLiteral("MEMO TEXT(%1)").arg(def.Size)
                            : QStringLiteral("MEMO TEXT");
    case ftDate:
        return QStringLiteral("DATE");
    case ftTime:
        return QStringLiteral("TIME");
    case ftDateTime:
        return QStringLiteral("DATETIME");
    case ftFloat:
        return QStringLiteral("FLOAT");
    case ftInteger:
    case ftAutoInc:
        return QStringLiteral("INTEGER");
    case ftBoolean:
        return QStringLiteral("BOOLEAN");
    case ftUnknown:
        break;
    }
    throw EDatabaseError(QStringLiteral("Field '%1' has no storable type").arg(def.Name));
}

TFieldDef FieldDefFromColumn(const QString& name, const QString& declaredType, bool notNull,
                             bool rowIdAlias)
{
    TFieldDef def;
    def.Name = name;
    def.Required = notNull;
    const QString t = declaredType.trimmed().toUpper();
    if (rowIdAlias) {
        def.DataType = ftAutoInc;
    } else if (t.contains(QLatin1String("MEMO")) || t.contains(QLatin1String("CLOB"))) {
        def.DataType = ftMemo;
        def.Size = SizeOf(t);
    } else if (t.contains(QLatin1String("CHAR"))) {
        def.DataType = ftString;
        def.Size = SizeOf(t);
    } else if (t.startsWith(QLatin1String("DATETIME")) ||
               t.startsWith(QLatin1String("TIMESTAMP"))) {
        def.DataType = ftDateTime;
    } else if (t.startsWith(QLatin1String("DATE"))) {
        def.DataType = ftDate;
    } else if (t.startsWith(QLatin1String("TIME"))) {
        def.DataType = ftTime;
    } else if (t.startsWith(QLatin1String("BOOL"))) {
        def.DataType = ftBoolean;
    } else if (t.contains(QLatin1String("INT"))) {
        def.DataType = ftInteger;
    } else if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
               t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("NUMERIC")) ||
               t.contains(QLatin1String("DECIMAL"))) {
        def.DataType = ftFloat;
    } else {
        // TEXT and columns of no declared type read as memos: text of any length.
        def.DataType = ftMemo;
    }
    return def;
}

QStringList CreateTableStatements(const QString& tableName, const TFieldDefs& fields,
                                  const TIndexDefs& indexes)
{
    if (fields.Count() == 0)
        throw EDatabaseError(QStringLiteral("Table '%1' needs at least one field").arg(tableName));
    const TIndexDef* primary = indexes.Primary();
    const QStringList primaryFields = primary ? primary->FieldList() : QStringList();
    for (const TIndexDef& index : indexes) {
        for (const QString& name : index.FieldList()) {
            if (fields.IndexOf(name) < 0)
                throw EDatabaseError(QStringLiteral("Index on unknown field '%1' in table '%2'")
                                         .arg(name, tableName));
        }
    }
    const bool autoIncKey =
        primaryFields.size() == 1 && fields.Find(primaryFields.first())->DataType == ftAutoInc;
    QStringList columns;
    for (const TFieldDef& def : fields) {
        QString column = QuoteIdentifier(def.Name) + QLatin1Char(' ') + DeclaredType(def);
        if (def.DataType == ftAutoInc) {
            if (!autoIncKey)
                throw EDatabaseError(
                    QStringLiteral("Auto-increment field '%1' must be the primary index alone")
                        .arg(def.Name));
            column += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        } else if (def.Required || primaryFields.contains(def.Name, Qt::CaseInsensitive)) {
            column += QStringLiteral(" NOT NULL");
        }
        columns << column;
    }
    QString sql = QStringLiteral("CREATE TABLE %1 (%2")
                      .arg(QuoteIdentifier(tableName), columns.join(QStringLiteral(", ")));
    if (primary && !autoIncKey) {
        QStringList quoted;
        for (const QString& name : primaryFields)
            quoted << QuoteIdentifier(name);
        sql += QStringLiteral(", PRIMARY KEY (%1)) WITHOUT ROWID").arg(quoted.join(", "));
    } else {
        sql += QLatin1Char(')');
    }
    QStringList statements{sql};
    int number = 0;
    for (const TIndexDef& index : indexes) {
        if (index.IsPrimary()) continue;
        QStringList quoted;
        for (const QString& name : index.FieldList())
            quoted << QuoteIdentifier(name);
        const QString name = index.Name.isEmpty()
                                 ? QStringLiteral("%1_index%2").arg(tableName).arg(++number)
                                 : index.Name;
        statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.IsUnique() ? QStringLiteral("UNIQUE ") : QString(),
                               QuoteIdentifier(name), QuoteIdentifier(tableName),
                               quoted.join(", "));
    }
    return statements;
}

QVariant ToStoredValue(TFieldType type, const QVariant& value)
{
    if (!value.isValid()) return {};
    switch (type) {
    case ftDate:
        return DateText(value.toDouble());
    case ftTime:
        return TimeText(value.toDouble());
    case ftDateTime: {
        const double v = value.toDouble();
        return DateText(v) + QLatin1Char(' ') + TimeText(TimeOf(v));
    }
    case ftBoolean:
        return qlonglong(value.toBool() ? 1 : 0);
    case ftInteger:
    case ftAutoInc:
        return value.toLongLong();
    case ftFloat:
        return value.toDouble();
    default:
        return value.toString();
    }
}

bool ParseStoredDateTime(TFieldType type, const char* text, int length, double& result)
{
    const char* p = text;
    const char* end = text + length;
    double date = 0, time = 0;
    switch (type) {
    case ftDate:
        // A date-time text in a date column still yields its date.
        if (!ParseDatePart(p, end, date)) return false;
        result = date;
        return true;
    case ftTime:
        if (!ParseTimePart(p, end, time) || p != end) return false;
        result = time;
        return true;
    case ftDateTime:
        if (!ParseDatePart(p, end, date)) return false;
        if (p < end && (*p == ' ' || *p == 'T')) {
            ++p;
            if (!ParseTimePart(p, end, time)) return false;
        }
        result = date >= 0 ? date + time : date - time;
        return true;
    default:
        return false;
    }
}

bool TStoredDateReader::Read(TFieldType type, const char* text, int length, double& result)
{
    if (type != ftDate || length != 10) return ParseStoredDateTime(type, text, length, result);
    if (m_monthDays > 0 && std::memcmp(text, m_month, sizeof m_month) == 0) {
        const int day = (text[8] - '0') * 10 + (text[9] - '0');
        if (text[8] >= '0' && text[8] <= '9' && text[9] >= '0' && text[9] <= '9' && day >= 1 &&
            day <= m_monthDays) {
            result = m_monthStart + day - 1;
            return true;
        }
    }
    if (!ParseStoredDateTime(type, text, length, result)) return false;
    int y = 0, m = 0, d = 0;
    DecodeDate(result, y, m, d);
    std::memcpy(m_month, text, sizeof m_month);
    m_monthStart = result - d + 1;
    m_monthDays = DaysInAMonth(y, m);
    return true;
}
