#pragma once

#include <QString>

#include <vector>

// A list of integers with a cursor (Index) that the occurrence stepper advances over
// successive calls. Indexes are 0-based; an index outside the list raises EListError.
class TIntList
{
public:
    int Count() const { return static_cast<int>(m_values.size()); }
    bool IsEmpty() const { return m_values.empty(); }
    void Clear();

    void Add(int value) { m_values.push_back(value); }
    void Insert(int index, int value);
    void Delete(int index);
    int GetInteger(int index) const;
    void SetInteger(int index, int value);
    bool HasValue(int value) const;

    // The cursor is not bounded by Count: the stepper compares it with Count itself.
    int Index() const { return m_index; }
    void SetIndex(int index) { m_index = index; }

    // The values in decimal joined by "," ("1,2,3"; empty for an empty list).
    QString StrValue() const;
    // Replaces the values with the comma-separated integers of text. Empty parts are
    // skipped; a part that is not an integer raises EConvertError and leaves the list
    // as it was.
    void SetStrValue(const QString& text);

    const std::vector<int>& Values() const { return m_values; }

private:
    void CheckIndex(int index, int count) const;

    std::vector<int> m_values;
    int m_index = 0;
};
