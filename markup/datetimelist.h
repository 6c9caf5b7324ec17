#pragma once

#include "platform/datetime.h"

#include <memory>
#include <vector>

// One date-time held by a TDateTimeList.
class TDateTimeObject
{
public:
    explicit TDateTimeObject(TDateTime value = 0) : m_value(value) {}
    TDateTime Value() const { return m_value; }
    void SetValue(TDateTime value) { m_value = value; }

private:
    TDateTime m_value;
};

// An ordered list of date-times (in the order added, not sorted), each held by an object
// the list owns. Indexes outside the list raise EListError.
class TDateTimeList
{
public:
    TDateTimeList() = default;
    ~TDateTimeList() { Clear(); }
    TDateTimeList(const TDateTimeList&) = delete;
    TDateTimeList& operator=(const TDateTimeList&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    // Appends a value; returns its index.
    int Add(TDateTime value);
    // Index may be Count, which appends.
    void Insert(int index, TDateTime value);
    void Delete(int index);
    void Clear();
    TDateTime GetDT(int index) const;
    void SetDT(int index, TDateTime value);
    TDateTimeObject* Items(int index) const;

private:
    void CheckIndex(int index, int count) const;

    std::vector<std::unique_ptr<TDateTimeObject>> m_items;
};
