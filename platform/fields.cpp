#include "platform/fields.h"

#include "platform/exceptions.h"

TField* TFields::Fields(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Field index out of range (%1)").arg(index));
    return m_fields[index].get();
}

TField* TFields::FindField(const QString& name) const
{
    // Exact spelling is the common case and much cheaper than a case-blind compare.
    for (const auto& field : m_fields) {
        if (field->FieldName() == name) return field.get();
    }
    for (const auto& field : m_fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) return field.get();
    }
    return nullptr;
}

TField* TFields::FieldByName(const QString& name) const
{
    TField* field = FindField(name);
    if (!field) throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return field;
}
