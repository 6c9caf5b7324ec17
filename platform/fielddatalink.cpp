#include "platform/fielddatalink.h"

#include "platform/field.h"

namespace {

void Call(const std::function<void()>& handler)
{
    if (handler) handler();
}

} // namespace

void TFieldDataLink::SetFieldName(const QString& name)
{
    if (m_fieldName == name) return;
    m_fieldName = name;
    Rebind();
}

bool TFieldDataLink::CanModify() const
{
    return !ReadOnly() && m_field && m_field->CanModify();
}

bool TFieldDataLink::UserChanged()
{
    if (!Editing()) {
        // Entering edit reloads the record; what the user typed must not be lost to it.
        m_enteringEdit = true;
        try {
            Edit();
        } catch (...) {
            m_enteringEdit = false;
            Reset();
            throw;
        }
        m_enteringEdit = false;
        if (!Editing() || !CanModify()) {
            Reset();
            return false;
        }
    }
    m_modified = true;
    return true;
}

void TFieldDataLink::Rebind()
{
    FindField();
    m_modified = false;
    Call(OnActiveChange);
    Call(OnDataChange);
}

void TFieldDataLink::FindField()
{
    TDataSet* dataSet = DataSet();
    m_field =
        Active() && dataSet && !m_fieldName.isEmpty() ? dataSet->FindField(m_fieldName) : nullptr;
}

void TFieldDataLink::ActiveChanged()
{
    Rebind();
}

void TFieldDataLink::EditingChanged()
{
    Call(OnEditingChange);
}

void TFieldDataLink::LayoutChanged()
{
    FindField();
    TDataLink::LayoutChanged();
}

void TFieldDataLink::RecordChanged(TField* field)
{
    if (field && field != m_field) return;
    if (m_enteringEdit) return;
    m_modified = false;
    Call(OnDataChange);
}

void TFieldDataLink::UpdateData()
{
    if (!m_modified) return;
    // A write that fails (too long, not a date) leaves the text pending for the user to
    // correct.
    if (m_field) Call(OnUpdateData);
    m_modified = false;
}
