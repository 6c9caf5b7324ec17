#pragma once

#include "platform/component.h"
#include "platform/dataset.h"

#include <QPointer>

#include <functional>
#include <vector>

class TDataLink;

// Connects data-aware controls (through their data links) to a dataset. Neither the
// dataset nor the links are owned; a dataset that goes away is forgotten, and the links
// are told that they are no longer active.
//
// For each dataset event the data source first raises OnStateChange (state events),
// then notifies its links in the order they were bound, then raises OnDataChange
// (field, record, dataset, scroll and layout events).
class TDataSource : public TComponent
{
public:
    explicit TDataSource(QObject* owner = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet* dataSet);
    // A disabled source keeps its dataset but its links see it as inactive.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    // The dataset's state, dsInactive without an enabled, open dataset.
    TDataSetState State() const;
    // Puts the dataset into edit state when it is browsing.
    void Edit();

    std::function<void(TDataSource* sender, TField* field)> OnDataChange;
    std::function<void(TDataSource* sender)> OnStateChange;
    std::function<void(TDataSource* sender)> OnUpdateData;

protected:
    void Notification(QObject* component, TOperation operation) override;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, TField* field, int distance);
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);
    void UpdateLinkStates();

    QPointer<TDataSet> m_dataSet;
    bool m_enabled = true;
    std::vector<TDataLink*> m_links;
};
