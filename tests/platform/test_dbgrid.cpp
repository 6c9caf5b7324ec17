#include "controlfixture.h"
#include "platform/dbgrid.h"
#include "platform/dbgridmodel.h"

#include <QHeaderView>
#include <QLineEdit>

namespace {

// A read-only dataset of generated rows that counts how many values are read, to see
// that the grid reads only what it shows.
class TCountingRows : public TDataSet
{
public:
    explicit TCountingRows(int rows) : m_rows(rows) {}
    ~TCountingRows() override { CloseForDestruction(); }
    bool CanModify() const override { return false; }
    int Reads = 0;

protected:
    TFieldDefs InternalOpen() override
    {
        TFieldDefs defs;
        defs.Add(QStringLiteral("No"), ftInteger);
        defs.Add(QStringLiteral("Name"), ftString, 20);
        return defs;
    }
    void InternalClose() override {}
    bool InternalRowExists(int row) override { return row < m_rows; }
    int InternalRecordCount() override { return m_rows; }
    const QVariant& InternalRowValue(int row, int field) override
    {
        ++Reads;
        m_value = field == 0 ? QVariant(qlonglong(row + 1))
                             : QVariant(QStringLiteral("Row %1").arg(row + 1));
        return m_value;
    }
    TBookmark InternalBookmark(int row) override { return {row}; }
    int InternalBookmarkRow(const TBookmark& b) override { return b.value(0).toInt(); }
    TBookmark InternalPost(const TRecordBuffer&, bool, const TBookmark&) override { return {}; }
    void InternalDelete(int) override {}
    void InternalRefresh() override {}

private:
    int m_rows;
    QVariant m_value;
};

class DBGridTest : public ControlFixture
{
protected:
    TDBGrid* m_grid = nullptr;

    void SetUp() override
    {
        ControlFixture::SetUp();
        m_grid = new TDBGrid(m_window.get());
        m_grid->setGeometry(10, 10, 500, 300);
        m_grid->SetColumns({QStringLiteral("Gig date"), QStringLiteral("Gig venue")});
        m_grid->SetDataSource(m_source.get());
        ShowWindow();
    }

    TDBGridModel* Model() const { return m_grid->GridModel(); }
    QString Cell(int row, int column) const
    {
        return Model()->index(row, column).data().toString();
    }
    int SelectedRow() const
    {
        const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    void ClickRow(int row)
    {
        const QRect cell = m_grid->visualRect(Model()->index(row, 1));
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(DBGridTest, ShowsTheNamedColumnsOrEveryVisibleField)
{
    EXPECT_EQ(Model()->rowCount(), 4);
    ASSERT_EQ(Model()->columnCount(), 2);
    EXPECT_EQ(Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Gig date"));
    EXPECT_EQ(Model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Gig venue"));
    EXPECT_EQ(Cell(0, 0), DateToStr(Day(3)));
    EXPECT_EQ(Cell(3, 1), QStringLiteral("V24"));
    m_grid->SetColumns({});
    QStringList titles;
    for (int c = 0; c < Model()->columnCount(); ++c)
        titles << Model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Gig date", "Gig time", "Gig length", "Gig venue", "Gig state",
                                   "Notes"}));
    m_table->FieldByName(QStringLiteral("Notes"))->SetVisible(false);
    m_grid->SetColumns({});
    EXPECT_EQ(Model()->columnCount(), 5);
    // A column fits its text, and a very wide one does not crowd the next out of view.
    EXPECT_GT(m_grid->columnWidth(0), m_grid->fontMetrics().horizontalAdvance(Cell(0, 0)));
    m_table->FieldByName(QStringLiteral("Notes"))->SetVisible(true);
    m_table->FieldByName(QStringLiteral("Notes"))->SetDisplayWidth(240);
    m_grid->SetColumns({QStringLiteral("Notes"), QStringLiteral("Gig venue")});
    EXPECT_LT(m_grid->columnViewportPosition(1), m_grid->viewport()->width());
}

TEST_F(DBGridTest, SelectionFollowsTheDataSet)
{
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Model()->headerData(0, Qt::Vertical).toString(), QString(QChar(0x25B6)));
    m_table->Next();
    m_table->Next();
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_TRUE(Model()->headerData(0, Qt::Vertical).toString().isEmpty());
    m_table->Last();
    EXPECT_EQ(SelectedRow(), 3);
    m_table->Edit();
    EXPECT_EQ(Model()->headerData(3, Qt::Vertical).toString(), QString(QChar(0x270E)));
    m_table->Cancel();
    m_table->Close();
    EXPECT_EQ(Model()->rowCount(), 0);
    EXPECT_EQ(SelectedRow(), -1);
}

TEST_F(DBGridTest, ClicksAndKeysMoveTheDataSet)
{
    ClickRow(2);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V17"));
    m_grid->setFocus();
    QTest::keyClick(m_grid, Qt::Key_Down);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V24"));
    QTest::keyClick(m_grid, Qt::Key_Up);
    QTest::keyClick(m_grid, Qt::Key_Up);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V10"));
    EXPECT_EQ(SelectedRow(), 1);
}

TEST_F(DBGridTest, MovingAwayPostsARefusedPostKeepsTheRecordAndEscapeCancels)
{
    ClickRow(1);
    m_table->Edit();
    VenueField()->SetAsString(QStringLiteral("Moved"));
    ClickRow(3);
    EXPECT_EQ(m_table->State(), dsBrowse);
    EXPECT_EQ(Cell(1, 1), QStringLiteral("Moved"));
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V24"));

    m_table->Edit();
    m_table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(3)); // taken
    TMessageCapture messages;
    ClickRow(0);
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(m_table->State(), dsEdit);
    EXPECT_EQ(SelectedRow(), 3);
    EXPECT_EQ(Cell(3, 0), DateToStr(Day(3))); // the pending value is what the row shows
    // Escape cancels the record's edits.
    QTest::keyClick(m_grid, Qt::Key_Escape);
    EXPECT_EQ(m_table->State(), dsBrowse);
    EXPECT_EQ(Cell(3, 0), DateToStr(Day(24)));
}

TEST_F(DBGridTest, ARecordBeingInsertedIsAnExtraRow)
{
    m_table->Insert();
    EXPECT_EQ(Model()->rowCount(), 5);
    EXPECT_EQ(SelectedRow(), 4);
    EXPECT_EQ(Model()->headerData(4, Qt::Vertical).toString(), QStringLiteral("*"));
    m_table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(4));
    VenueField()->SetAsString(QStringLiteral("Fresh"));
    EXPECT_EQ(Cell(4, 1), QStringLiteral("Fresh"));
    m_table->Post();
    EXPECT_EQ(Model()->rowCount(), 5);
    EXPECT_EQ(Cell(1, 1), QStringLiteral("Fresh"));
    EXPECT_EQ(SelectedRow(), 1);
    m_table->Insert();
    m_table->Cancel();
    EXPECT_EQ(Model()->rowCount(), 5);
    EXPECT_EQ(SelectedRow(), 1);
}

TEST_F(DBGridTest, CellEditsGoThroughTheFieldAndItsChecks)
{
    const QModelIndex venue = Model()->index(2, 1);
    EXPECT_TRUE(Model()->flags(venue) & Qt::ItemIsEditable);
    EXPECT_TRUE(Model()->setData(venue, QStringLiteral("Cellar")));
    EXPECT_EQ(m_table->State(), dsEdit);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("Cellar"));
    {
        TMessageCapture messages;
        EXPECT_FALSE(Model()->setData(venue, QStringLiteral("Far too long a venue name")));
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_TRUE(messages.Last().contains(QStringLiteral("too long")));
    }
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("Cellar")); // the earlier edit stays
    m_table->Post();
    EXPECT_EQ(Cell(2, 1), QStringLiteral("Cellar"));
    // The cell editor takes no more than the field holds.
    m_grid->setCurrentIndex(venue);
    m_grid->edit(venue);
    auto* editor = m_grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 12);
    m_grid->SetReadOnly(true);
    EXPECT_FALSE(Model()->flags(venue) & Qt::ItemIsEditable);
}

TEST(DBGridLargeTest, AHundredThousandRowsAreReadOnlyAsFarAsShown)
{
    TCountingRows rows(100000);
    rows.Open();
    TDataSource source;
    source.SetDataSet(&rows);
    TDBGrid grid;
    grid.resize(345, 193);
    grid.SetDataSource(&source);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(grid.GridModel()->rowCount(), 100000);
    rows.Last();
    QApplication::processEvents();
    EXPECT_EQ(grid.currentIndex().row(), 99999);
    EXPECT_EQ(grid.GridModel()->index(99999, 1).data().toString(), QStringLiteral("Row 100000"));
    // A screenful of rows, twice over, not the table.
    EXPECT_LT(rows.Reads, 1000);
}
