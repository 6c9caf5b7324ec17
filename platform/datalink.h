#pragma once

#include "platform/dataset.h"

class TDataSource;

// The binding of one data-aware control to a data source. The control derives from it and
// overrides the notifications it cares about. The link is owned by its control; the data
// source is not owned, and when it goes away the link becomes inactive.
//
// What the dataset's events become (see TDataSet for when each is sent):
// - a state change: ActiveChanged when Active() flips, then EditingChanged when
//   Editing() flips;
// - deDataSetChange: DataSetChanged, whose default calls RecordChanged(nullptr);
// - deDataSetScroll: DataSetScrolled(distance), whose default calls DataSetChanged;
// - deFieldChange, deRecordChange: RecordChanged(field), nullptr for the whole record;
// - deLayoutChange: LayoutChanged, whose default calls DataSetChanged;
// - deUpdateRecord: UpdateData, where a control writes its pending text into its field.
// Only an active link is notified of data events.
class TDataLink
{
public:
    TDataLink();
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource* dataSource);
    TDataSet* DataSet() const;
    bool Active() const { return m_active; }
    bool Editing() const { return m_editing; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    // Puts the dataset into edit state when it is browsing and may be modified; returns
    // whether the link is now editing.
    bool Edit();
    // Asks every control on the data source to write its pending text (deUpdateRecord).
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distance);
    virtual void RecordChanged(TField* field);
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void UpdateData() {}

private:
    friend class TDataSource;
    void DataEvent(TDataEvent event, TField* field, int distance);
    void UpdateState();

    TDataSource* m_dataSource = nullptr;
    bool m_active = false;
    bool m_editing = false;
    bool m_readOnly = false;
    bool m_updating = false;
};
