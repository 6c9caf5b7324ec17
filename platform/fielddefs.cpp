#include "platform/fielddefs.h"

#include "platform/exceptions.h"

QString FieldTypeName(TFieldType type)
{
    switch (type) {
    case ftString:
        return QStringLiteral("String");
    case ftInteger:
        return QStringLiteral("Integer");
    case ftBoolean:
        return QStringLiteral("Boolean");
    case ftFloat:
        return QStringLiteral("Float");
    case ftDate:
        return QStringLiteral("Date");
    case ftTime:
        return QStringLiteral("Time");
    case ftDateTime:
        return QStringLiteral("DateTime");
    case ftMemo:
        return QStringLiteral("Memo");
    case ftAutoInc:
        return QStringLiteral("AutoInc");
    case ftUnknown:
        break;
    }
    return QStringLiteral("Unknown");
}

const TFieldDef& TFieldDefs::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Field definition index out of bounds (%1)").arg(index));
    return m_items[index];
}

void TFieldDefs::Add(const QString& name, TFieldType type, int size, bool required)
{
    m_items.push_back(TFieldDef{name, type, size, required});
}

int TFieldDefs::IndexOf(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_items[i].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

const TFieldDef* TFieldDefs::Find(const QString& name) const
{
    const int index = IndexOf(name);
    return index < 0 ? nullptr : &m_items[index];
}

QStringList TIndexDef::FieldList() const
{
    QStringList names = Fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& name : names)
        name = name.trimmed();
    return names;
}

const TIndexDef& TIndexDefs::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Index definition index out of bounds (%1)").arg(index));
    return m_items[index];
}

void TIndexDefs::Add(const QString& name, const QString& fields, TIndexOptions options)
{
    m_items.push_back(TIndexDef{name, fields, options});
}

const TIndexDef* TIndexDefs::Primary() const
{
    for (const TIndexDef& def : m_items) {
        if (def.IsPrimary()) return &def;
    }
    return nullptr;
}
