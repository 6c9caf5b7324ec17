#include "platform/datalink.h"

#include "platform/datasource.h"

TDataLink::TDataLink() = default;

TDataLink::~TDataLink()
{
    if (m_dataSource) m_dataSource->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* dataSource)
{
    if (m_dataSource == dataSource) return;
    if (m_dataSource) m_dataSource->RemoveLink(this);
    m_dataSource = dataSource;
    if (m_dataSource) m_dataSource->AddLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool value)
{
    if (m_readOnly == value) return;
    m_readOnly = value;
    UpdateState();
}

void TDataLink::UpdateState()
{
    const TDataSetState state = m_dataSource ? m_dataSource->State() : dsInactive;
    const bool active = state != dsInactive;
    const bool editing = !m_readOnly && (state == dsEdit || state == dsInsert);
    if (active != m_active) {
        m_active = active;
        ActiveChanged();
    }
    if (editing != m_editing) {
        m_editing = editing;
        EditingChanged();
    }
}

bool TDataLink::Edit()
{
    if (!m_readOnly && m_dataSource && m_dataSource->State() == dsBrowse) {
        TDataSet* dataSet = m_dataSource->DataSet();
        if (dataSet->CanModify()) dataSet->Edit();
    }
    return m_editing;
}

void TDataLink::UpdateRecord()
{
    if (TDataSet* dataSet = DataSet(); dataSet && m_active) dataSet->UpdateRecord();
}

void TDataLink::DataSetScrolled(int)
{
    DataSetChanged();
}

void TDataLink::RecordChanged(TField*) {}

void TDataLink::DataEvent(TDataEvent event, TField* field, int distance)
{
    if (event == deUpdateState) {
        UpdateState();
        return;
    }
    if (!m_active) return;
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        RecordChanged(field);
        break;
    case deDataSetChange:
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled(distance);
        break;
    case deLayoutChange:
        LayoutChanged();
        break;
    case deUpdateRecord:
        // A control's UpdateData may itself write a field; guard against re-entry.
        if (!m_updating) {
            m_updating = true;
            try {
                UpdateData();
            } catch (...) {
                m_updating = false;
                throw;
            }
            m_updating = false;
        }
        break;
    case deUpdateState:
        break;
    }
}
