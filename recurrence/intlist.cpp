#include "recurrence/intlist.h"

#include "platform/exceptions.h"
#include "platform/strutils.h"

#include <QStringList>

#include <algorithm>

void TIntList::Clear()
{
    m_values.clear();
    m_index = 0;
}

void TIntList::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TIntList::Insert(int index, int value)
{
    CheckIndex(index, Count() + 1);
    m_values.insert(m_values.begin() + index, value);
}

void TIntList::Delete(int index)
{
    CheckIndex(index, Count());
    m_values.erase(m_values.begin() + index);
}

int TIntList::GetInteger(int index) const
{
    CheckIndex(index, Count());
    return m_values[static_cast<size_t>(index)];
}

void TIntList::SetInteger(int index, int value)
{
    CheckIndex(index, Count());
    m_values[static_cast<size_t>(index)] = value;
}

bool TIntList::HasValue(int value) const
{
    return std::find(m_values.begin(), m_values.end(), value) != m_values.end();
}

QString TIntList::StrValue() const
{
    QStringList parts;
    parts.reserve(Count());
    for (int value : m_values)
        parts << QString::number(value);
    return parts.join(QLatin1Char(','));
}

void TIntList::SetStrValue(const QString& text)
{
    std::vector<int> values;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        values.push_back(StrToInt(part));
    m_values = std::move(values);
}
