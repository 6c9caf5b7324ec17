#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <vector>

class TDataSource;
class TDataSet;
class TField;

// The rows of a dataset as a Qt table model, for the data-aware grid. Values are read
// row by row without moving the cursor (TDataSet::RowText), so only the rows on screen
// are ever read and a table of 100,000 records scrolls as fast as one of ten.
//
// Columns are the fields named in Columns(), or every visible field in the table's
// order when that is empty. While a record is being inserted it shows as one more row
// at the end. The model row of the dataset's current record is CurrentRow(); the
// vertical header marks it (an arrow while browsing, a pencil while editing, a star
// while inserting).
class TDBGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TDBGridModel(QObject* parent = nullptr);
    ~TDBGridModel() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    const QStringList& Columns() const { return m_columns; }
    void SetColumns(const QStringList& fieldNames);
    // The field behind a column; null outside the columns or while closed.
    TField* ColumnField(int column) const;
    bool ReadOnly() const;
    void SetReadOnly(bool value);

    // -1 when the dataset is closed or empty.
    int CurrentRow() const;
    // Makes the record of a model row the current one. Pending edits are posted first
    // (raising what the post raises); the row is clamped to the records there are then.
    void MoveToRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes the text into the field of the current record (entering edit); a text the
    // field refuses is shown to the user and nothing changes.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // The dataset's current record moved to another model row (or the rows were renewed).
    void CurrentRowChanged(int row);

private:
    class TGridLink;
    friend class TGridLink;

    void Rebuild();
    void DataSetChanged();
    void Scrolled();
    void RecordChanged(TField* field);
    void IndicatorChanged();
    std::vector<TField*> ResolveFields() const;
    QString Indicator() const;

    std::unique_ptr<TGridLink> m_link;
    QStringList m_columns;
    std::vector<TField*> m_fields;
    int m_records = 0;
    bool m_inserting = false;
    int m_indicatorRow = -1;
};
