#include "platform/dbgrid.h"

#include "platform/datasource.h"
#include "platform/dbgridmodel.h"
#include "platform/field.h"
#include "platform/guiapplication.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int IndicatorWidth = 14;
constexpr int CellPadding = 8;
// A wide memo or string column still leaves room for the others.
constexpr int MaxColumnWidth = 320;

// Cell editors take no more characters than the field holds.
class TFieldSizeDelegate : public QStyledItemDelegate
{
public:
    TFieldSizeDelegate(TDBGridModel* model, QObject* parent)
        : QStyledItemDelegate(parent), m_model(model)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const TField* field = m_model->ColumnField(index.column());
        if (auto* line = qobject_cast<QLineEdit*>(editor);
            line && field && field->DataType() == ftString && field->Size() > 0)
            line->setMaxLength(field->Size());
        return editor;
    }

private:
    TDBGridModel* m_model;
};

} // namespace

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), m_model(new TDBGridModel(this))
{
    setModel(m_model);
    setItemDelegate(new TFieldSizeDelegate(m_model, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    // The last column takes up what the others leave, so no bare strip shows at the right.
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setFixedWidth(IndicatorWidth);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(m_model, &TDBGridModel::CurrentRowChanged, this,
            [this](int row) { FollowDataSet(row); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { SizeColumnsAndRows(); });
    SizeColumnsAndRows();
}

TDBGrid::~TDBGrid() = default;

TDataSource* TDBGrid::DataSource() const
{
    return m_model->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* source)
{
    m_model->SetDataSource(source);
}

QStringList TDBGrid::Columns() const
{
    return m_model->Columns();
}

void TDBGrid::SetColumns(const QStringList& fieldNames)
{
    m_model->SetColumns(fieldNames);
}

bool TDBGrid::ReadOnly() const
{
    return m_model->ReadOnly();
}

void TDBGrid::SetReadOnly(bool value)
{
    m_model->SetReadOnly(value);
}

void TDBGrid::SizeColumnsAndRows()
{
    const QFontMetrics metrics(font());
    verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    horizontalHeader()->setFixedHeight(metrics.height() + 6);
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const int last = m_model->columnCount() - 1;
    for (int column = 0; column <= last; ++column) {
        const TField* field = m_model->ColumnField(column);
        const int forData = field->DisplayWidth() * digit + CellPadding;
        const int forTitle = metrics.horizontalAdvance(field->DisplayLabel()) + CellPadding;
        // The last column stretches over whatever room is left; asking more of it would
        // only bring up a scroll bar for a few pixels.
        const int width = column == last ? forTitle : std::max(forData, forTitle);
        setColumnWidth(column, std::min(MaxColumnWidth, width));
    }
}

void TDBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) SizeColumnsAndRows();
}

void TDBGrid::FollowDataSet(int row)
{
    const QScopedValueRollback following(m_following, true);
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const int column = std::max(0, currentIndex().column());
    const QModelIndex target = m_model->index(row, column);
    if (target != currentIndex())
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    else if (!selectionModel()->isRowSelected(row, QModelIndex()))
        selectionModel()->select(target,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_following || !current.isValid() || current.row() == m_model->CurrentRow()) return;
    RunGuarded([this, row = current.row()] { m_model->MoveToRow(row); });
    if (current.row() != m_model->CurrentRow()) {
        // The move was refused. A click selects its row after this returns, so the
        // selection is put back once the event is done.
        QMetaObject::invokeMethod(
            this, [this] { FollowDataSet(m_model->CurrentRow()); }, Qt::QueuedConnection);
    }
}

void TDBGrid::keyPressEvent(QKeyEvent* event)
{
    TDataSet* dataSet = m_model->DataSet();
    if (event->key() == Qt::Key_Escape && state() != QAbstractItemView::EditingState && dataSet &&
        (dataSet->State() == dsEdit || dataSet->State() == dsInsert)) {
        RunGuarded([dataSet] { dataSet->Cancel(); });
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
