#include "recurrence/dateitems.h"

void TDateItem::Assign(const TCollectionItem& source)
{
    const auto* other = dynamic_cast<const TDateItem*>(&source);
    if (!other) {
        TCollectionItem::Assign(source); // raises: not a date item
        return;
    }
    m_startDate = other->m_startDate;
    m_endDate = other->m_endDate;
}

TDateItem* TDateItems::Add(TDateTime startDate, TDateTime endDate)
{
    TDateItem* item = Add();
    item->SetStartDate(startDate);
    item->SetEndDate(endDate);
    return item;
}

void TDateItems::SetItems(int index, const TDateItem& source)
{
    Items(index)->Assign(source);
}
