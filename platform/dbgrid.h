#pragma once

#include <QStringList>
#include <QTableView>

class TDataSource;
class TDBGridModel;

// A grid of a dataset's records, one row per record, bound to a data source.
//
// The selected row is the dataset's current record: moving in the dataset (a navigator,
// code) moves the selection, and clicking a row or moving with the arrow and page keys
// moves the dataset, posting pending edits first. A move that fails (the post is
// refused) is shown to the user and the selection stays on the record being edited.
// Cells edit in place where the field may be modified, limited to the field's size; Esc
// outside a cell editor cancels the record's edits.
class TDBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    // Field names of the columns; empty: every visible field in the table's order.
    QStringList Columns() const;
    void SetColumns(const QStringList& fieldNames);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    TDBGridModel* GridModel() const { return m_model; }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FollowDataSet(int row);
    void SizeColumnsAndRows();

    TDBGridModel* m_model;
    bool m_following = false;
};
