#pragma once

#include "platform/collection.h"
#include "platform/datetime.h"

// One occurrence or excluded occurrence: a start and an end.
class TDateItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;

    TDateTime StartDate() const { return m_startDate; }
    void SetStartDate(TDateTime value) { m_startDate = value; }
    TDateTime EndDate() const { return m_endDate; }
    void SetEndDate(TDateTime value) { m_endDate = value; }

    void Assign(const TCollectionItem& source) override;

private:
    TDateTime m_startDate = 0;
    TDateTime m_endDate = 0;
};

class TDateItems : public TTypedCollection<TDateItem>
{
public:
    // Adds an item spanning start to end.
    TDateItem* Add(TDateTime startDate, TDateTime endDate);
    using TTypedCollection<TDateItem>::Add;
    // Copies the span of source into the item at index.
    void SetItems(int index, const TDateItem& source);
};
