#pragma once

#include "platform/field.h"

#include <memory>
#include <vector>

// The fields of an open dataset, in the table's order. Owned by the dataset.
class TFields
{
public:
    int Count() const { return static_cast<int>(m_fields.size()); }
    // Raises EListError outside 0 .. Count() - 1.
    TField* Fields(int index) const;
    TField* operator[](int index) const { return Fields(index); }
    // Names compare without regard to case; nullptr when absent.
    TField* FindField(const QString& name) const;
    // Raises EDatabaseError "Field 'X' not found" when absent.
    TField* FieldByName(const QString& name) const;

    void Add(std::unique_ptr<TField> field) { m_fields.push_back(std::move(field)); }
    void Clear() { m_fields.clear(); }

private:
    std::vector<std::unique_ptr<TField>> m_fields;
};
