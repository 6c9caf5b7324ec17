#pragma once

#include "platform/datalink.h"

#include <QString>

#include <functional>

class TField;

// The link of a control that shows and edits one field of the current record (an edit, a
// memo). It finds the field by name whenever the dataset opens or its fields change, and
// tracks whether the control holds text that is not yet in the field.
//
// - OnDataChange: show the field's value again (the record or this field changed); the
//   pending text is dropped.
// - OnUpdateData: write the pending text into the field; called only while Modified().
// - OnEditingChange, OnActiveChange: update read-only state and the like.
class TFieldDataLink : public TDataLink
{
public:
    const QString& FieldName() const { return m_fieldName; }
    void SetFieldName(const QString& name);
    // Null while inactive or when the dataset has no such field.
    TField* Field() const { return m_field; }
    // True when the field exists and may be written through this link.
    bool CanModify() const;

    bool Modified() const { return m_modified; }
    // The user changed the control's text: puts the dataset into edit (keeping the text
    // on screen) and marks the text pending. When the field cannot be edited the field's
    // value is shown again and false returned; a failure to enter edit is raised.
    bool UserChanged();
    // Drops the pending text and shows the field's value again.
    void Reset() { RecordChanged(nullptr); }
    // Finds the field again and shows it; for a control whose data source was replaced by
    // another that was already open (the link stays active and is told nothing).
    void Rebind();

    std::function<void()> OnDataChange;
    std::function<void()> OnUpdateData;
    std::function<void()> OnEditingChange;
    std::function<void()> OnActiveChange;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    void FindField();

    QString m_fieldName;
    TField* m_field = nullptr;
    bool m_modified = false;
    bool m_enteringEdit = false;
};
