#include "markup/datetimelist.h"

#include "platform/exceptions.h"

void TDateTimeList::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

int TDateTimeList::Add(TDateTime value)
{
    m_items.push_back(std::make_unique<TDateTimeObject>(value));
    return Count() - 1;
}

void TDateTimeList::Insert(int index, TDateTime value)
{
    CheckIndex(index, Count() + 1);
    m_items.insert(m_items.begin() + index, std::make_unique<TDateTimeObject>(value));
}

void TDateTimeList::Delete(int index)
{
    CheckIndex(index, Count());
    m_items.erase(m_items.begin() + index);
}

void TDateTimeList::Clear()
{
    m_items.clear();
}

TDateTime TDateTimeList::GetDT(int index) const
{
    return Items(index)->Value();
}

void TDateTimeList::SetDT(int index, TDateTime value)
{
    Items(index)->SetValue(value);
}

TDateTimeObject* TDateTimeList::Items(int index) const
{
    CheckIndex(index, Count());
    return m_items[index].get();
}
