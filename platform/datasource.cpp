#include "platform/datasource.h"

#include "platform/datalink.h"

#include <algorithm>

TDataSource::TDataSource(QObject* owner) : TComponent(owner) {}

TDataSource::~TDataSource()
{
    if (m_dataSet) m_dataSet->RemoveDataSource(this);
    m_dataSet = nullptr;
    const auto links = m_links;
    for (TDataLink* link : links)
        link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (m_dataSet == dataSet) return;
    if (m_dataSet) {
        m_dataSet->RemoveDataSource(this);
        RemoveFreeNotification(m_dataSet);
    }
    m_dataSet = dataSet;
    if (m_dataSet) {
        m_dataSet->AddDataSource(this);
        FreeNotification(m_dataSet);
    }
    UpdateLinkStates();
    if (OnStateChange) OnStateChange(this);
}

void TDataSource::SetEnabled(bool value)
{
    if (m_enabled == value) return;
    m_enabled = value;
    UpdateLinkStates();
    if (OnStateChange) OnStateChange(this);
}

TDataSetState TDataSource::State() const
{
    return m_enabled && m_dataSet ? m_dataSet->State() : dsInactive;
}

void TDataSource::Edit()
{
    if (State() == dsBrowse) m_dataSet->Edit();
}

void TDataSource::Notification(QObject* component, TOperation operation)
{
    // The dataset detaches itself while it is whole; this only guards the pointer.
    if (operation == opRemove && component == m_dataSet.data()) m_dataSet = nullptr;
}

void TDataSource::AddLink(TDataLink* link)
{
    if (std::find(m_links.begin(), m_links.end(), link) == m_links.end()) m_links.push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link)
{
    std::erase(m_links, link);
}

void TDataSource::UpdateLinkStates()
{
    const auto links = m_links;
    for (TDataLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end()) link->UpdateState();
    }
}

void TDataSource::DataEvent(TDataEvent event, TField* field, int distance)
{
    if (!m_enabled) return;
    if (event == deUpdateState && OnStateChange) OnStateChange(this);
    // A link may unbind others while it is notified; skip the ones that left.
    const auto links = m_links;
    for (TDataLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->DataEvent(event, field, distance);
    }
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        if (OnDataChange) OnDataChange(this, field);
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (OnDataChange) OnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (OnUpdateData) OnUpdateData(this);
        break;
    case deUpdateState:
        break;
    }
}
