#include "platform/dbgridmodel.h"

#include "platform/datalink.h"
#include "platform/datasource.h"
#include "platform/field.h"
#include "platform/messages.h"

namespace {

bool IsNumeric(TFieldType type)
{
    return type == ftInteger || type == ftAutoInc || type == ftFloat;
}

} // namespace

class TDBGridModel::TGridLink : public TDataLink
{
public:
    explicit TGridLink(TDBGridModel& model) : m_model(model) {}

protected:
    void ActiveChanged() override { m_model.Rebuild(); }
    void LayoutChanged() override { m_model.Rebuild(); }
    void DataSetChanged() override { m_model.DataSetChanged(); }
    void DataSetScrolled(int) override { m_model.Scrolled(); }
    void RecordChanged(TField* field) override { m_model.RecordChanged(field); }
    void EditingChanged() override { m_model.IndicatorChanged(); }

private:
    TDBGridModel& m_model;
};

TDBGridModel::TDBGridModel(QObject* parent)
    : QAbstractTableModel(parent), m_link(std::make_unique<TGridLink>(*this))
{
}

TDBGridModel::~TDBGridModel() = default;

TDataSource* TDBGridModel::DataSource() const
{
    return m_link->DataSource();
}

void TDBGridModel::SetDataSource(TDataSource* source)
{
    m_link->SetDataSource(source);
    Rebuild();
}

TDataSet* TDBGridModel::DataSet() const
{
    return m_link->Active() ? m_link->DataSet() : nullptr;
}

void TDBGridModel::SetColumns(const QStringList& fieldNames)
{
    m_columns = fieldNames;
    Rebuild();
}

bool TDBGridModel::ReadOnly() const
{
    return m_link->ReadOnly();
}

void TDBGridModel::SetReadOnly(bool value)
{
    m_link->SetReadOnly(value);
}

TField* TDBGridModel::ColumnField(int column) const
{
    return column >= 0 && column < int(m_fields.size()) ? m_fields[column] : nullptr;
}

std::vector<TField*> TDBGridModel::ResolveFields() const
{
    std::vector<TField*> fields;
    TDataSet* dataSet = DataSet();
    if (!dataSet) return fields;
    if (m_columns.isEmpty()) {
        for (int i = 0; i < dataSet->Fields().Count(); ++i) {
            if (dataSet->Fields()[i]->Visible()) fields.push_back(dataSet->Fields()[i]);
        }
        return fields;
    }
    // A column whose field the table lacks is left out rather than failing the form.
    for (const QString& name : m_columns) {
        if (TField* field = dataSet->FindField(name)) fields.push_back(field);
    }
    return fields;
}

void TDBGridModel::Rebuild()
{
    beginResetModel();
    m_fields = ResolveFields();
    TDataSet* dataSet = DataSet();
    m_records = dataSet ? dataSet->RecordCount() : 0;
    m_inserting = dataSet && dataSet->State() == dsInsert;
    m_indicatorRow = CurrentRow();
    endResetModel();
    emit CurrentRowChanged(CurrentRow());
}

int TDBGridModel::CurrentRow() const
{
    TDataSet* dataSet = DataSet();
    if (!dataSet) return -1;
    if (m_inserting) return m_records;
    return dataSet->RecNo() - 1;
}

void TDBGridModel::DataSetChanged()
{
    TDataSet* dataSet = DataSet();
    const int records = dataSet ? dataSet->RecordCount() : 0;
    const bool inserting = dataSet && dataSet->State() == dsInsert;
    if (records + inserting != m_records + m_inserting) {
        Rebuild();
        return;
    }
    m_records = records;
    m_inserting = inserting;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    IndicatorChanged();
    emit CurrentRowChanged(CurrentRow());
}

void TDBGridModel::Scrolled()
{
    IndicatorChanged();
    emit CurrentRowChanged(CurrentRow());
}

void TDBGridModel::RecordChanged(TField*)
{
    const int row = CurrentRow();
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TDBGridModel::IndicatorChanged()
{
    const int previous = m_indicatorRow;
    m_indicatorRow = CurrentRow();
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (m_indicatorRow >= 0 && m_indicatorRow < rowCount())
        emit headerDataChanged(Qt::Vertical, m_indicatorRow, m_indicatorRow);
}

void TDBGridModel::MoveToRow(int row)
{
    TDataSet* dataSet = DataSet();
    if (!dataSet || row < 0 || row == CurrentRow()) return;
    // Posting can renumber the rows (an inserted record takes its place in key order);
    // the row asked for is then taken among the rows as they are after the post.
    dataSet->CheckBrowseMode();
    const int last = dataSet->RecordCount() - 1;
    if (last < 0) return;
    const int target = std::min(row, last);
    dataSet->MoveBy(target - (dataSet->RecNo() - 1));
}

int TDBGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_records + (m_inserting ? 1 : 0);
}

int TDBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const
{
    TField* field = ColumnField(index.column());
    TDataSet* dataSet = DataSet();
    if (!field || !dataSet || !index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (m_inserting && index.row() == m_records) return field->Text();
        return dataSet->RowText(index.row(), field->Index());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignVCenter |
                   (IsNumeric(field->DataType()) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QString TDBGridModel::Indicator() const
{
    TDataSet* dataSet = DataSet();
    if (!dataSet) return {};
    switch (dataSet->State()) {
    case dsInsert:
        return QStringLiteral("*");
    case dsEdit:
        return QString(QChar(0x270E)); // a pencil
    default:
        return QString(QChar(0x25B6)); // an arrow
    }
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) {
        TField* field = ColumnField(section);
        return field ? QVariant(field->DisplayLabel()) : QVariant();
    }
    return section == CurrentRow() ? QVariant(Indicator()) : QVariant(QString());
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    TField* field = ColumnField(index.column());
    if (field && !ReadOnly() && field->CanModify()) flags |= Qt::ItemIsEditable;
    return flags;
}

bool TDBGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TField* field = ColumnField(index.column());
    if (role != Qt::EditRole || !field || !index.isValid()) return false;
    try {
        MoveToRow(index.row());
        if (!m_link->Edit()) return false;
        field->SetText(value.toString());
        return true;
    } catch (...) {
        // Called from the view's editor: the error is the user's to read, not Qt's.
        Application()->HandleException();
        return false;
    }
}
