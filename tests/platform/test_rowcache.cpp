#include "platform/rowcache.h"
#include "platform/tableschema.h"
#include "platform/tablestorage.h"
#include "tablefixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <random>

namespace {

constexpr int Rows = 3000; // three blocks of the row cache, the last one partial
// More blocks than the cache keeps the values of, the last one partial.
constexpr int LargeRows = (TRowCache::DefaultLoadedBlocks + 2) * TRowCache::BlockSize + 100;

// Fills the gig table with `count` gigs a day apart from `first`, venues "V0", "V1", ...,
// in one transaction and in a shuffled order.
void FillGigs(const QString& path, int count, TDateTime first)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bulk"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    db.transaction();
    {
        QSqlQuery insert(db);
        insert.prepare(
            QStringLiteral("INSERT INTO gig (\"Gig date\", \"Gig venue\") VALUES (?, ?)"));
        std::vector<int> order(count);
        for (int i = 0; i < count; ++i)
            order[i] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(7));
        for (int i : order) {
            insert.bindValue(0, ToStoredValue(ftDate, first + i));
            insert.bindValue(1, QStringLiteral("V%1").arg(i));
            ASSERT_TRUE(insert.exec());
        }
    }
    db.commit();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bulk"));
}

// The gig that FillGigs puts at `row` of the date order falls on this day.
TDateTime GigDayOfRow(int row)
{
    return EncodeDate(2024, 5, 1) + row;
}

// A table large enough to span several cache blocks.
class ManyRowsTest : public TableFixture
{
protected:
    void SetUp() override
    {
        TableFixture::SetUp();
        FillGigs(TablePath(), Rows, GigDayOfRow(0));
        m_table = OpenTable();
    }
    std::unique_ptr<TTable> m_table;
};

class LargeTableTest : public TableFixture
{
protected:
    void SetUp() override
    {
        TableFixture::SetUp();
        FillGigs(TablePath(), LargeRows, GigDayOfRow(0));
    }
};

} // namespace

TEST_F(ManyRowsTest, WalksForwardAndBackwardAcrossBlocks)
{
    int expected = 0;
    for (m_table->First(); !m_table->Eof(); m_table->Next()) {
        ASSERT_EQ(Venue(*m_table), QStringLiteral("V%1").arg(expected));
        ASSERT_DOUBLE_EQ(Date(*m_table), GigDayOfRow(expected));
        ++expected;
    }
    EXPECT_EQ(expected, Rows);

    auto fresh = OpenTable(); // jumps to the end first, then reads blocks backwards
    fresh->Last();
    int back = Rows - 1;
    for (; !fresh->Bof(); fresh->Prior()) {
        ASSERT_EQ(Venue(*fresh), QStringLiteral("V%1").arg(back));
        --back;
    }
    EXPECT_EQ(back, -1);
}

TEST_F(ManyRowsTest, JumpsRandomReadsBookmarksAndLocateAgreeWithTheOrder)
{
    EXPECT_EQ(m_table->RecordCount(), Rows);
    EXPECT_EQ(m_table->MoveBy(2500), 2500);
    EXPECT_EQ(Venue(*m_table), QStringLiteral("V2500"));
    EXPECT_EQ(m_table->RecNo(), 2501);
    EXPECT_EQ(m_table->MoveBy(-1300), -1300);
    EXPECT_EQ(Venue(*m_table), QStringLiteral("V1200"));
    const int venue = m_table->FieldByName(QStringLiteral("Gig venue"))->Index();
    for (int row : {2999, 0, 1023, 1024, 2047, 2048, 1500})
        EXPECT_EQ(m_table->RowText(row, venue), QStringLiteral("V%1").arg(row));
    EXPECT_EQ(m_table->RecNo(), 1201);

    // Bookmarks and Locate find rows inside a block.
    m_table->MoveBy(300);
    const TBookmark middle = m_table->GetBookmark();
    m_table->First();
    m_table->GotoBookmark(middle);
    EXPECT_EQ(Venue(*m_table), QStringLiteral("V1500"));
    EXPECT_EQ(m_table->RecNo(), 1501);
    EXPECT_TRUE(m_table->Locate(QStringLiteral("Gig venue"), QStringLiteral("V2990")));
    EXPECT_EQ(m_table->RecNo(), 2991);
    EXPECT_TRUE(m_table->Locate(QStringLiteral("Gig venue"), QStringLiteral("v29"),
                                loCaseInsensitive | loPartialKey));
    EXPECT_EQ(m_table->RecNo(), 30);
}

TEST_F(ManyRowsTest, WritesInTheMiddleAreSeenAcrossBlocks)
{
    m_table->MoveBy(2000);
    m_table->Delete();
    EXPECT_EQ(Venue(*m_table), QStringLiteral("V2001"));
    EXPECT_EQ(m_table->RecordCount(), Rows - 1);
    AddGig(*m_table, GigDayOfRow(-1), QStringLiteral("First"));
    EXPECT_EQ(m_table->RecNo(), 1);
    m_table->Last();
    EXPECT_EQ(Venue(*m_table), QStringLiteral("V2999"));
    EXPECT_EQ(m_table->RecNo(), Rows);
}

// The cache on its own, keeping the values of at most two of its three blocks: what was
// dropped is read again, every wanted field at once, and nothing is ever wrong or missing.
TEST_F(ManyRowsTest, CacheKeepsTheValuesOfFewBlocksAndReadsDroppedOnesAgain)
{
    TTableStorage storage(m_dir.path(), QStringLiteral("gig.db"), true);
    TRowCache cache(storage, 2);
    const int date = storage.FieldDefs().IndexOf(QStringLiteral("Gig date"));
    const int venue = storage.FieldDefs().IndexOf(QStringLiteral("Gig venue"));
    const int time = storage.FieldDefs().IndexOf(QStringLiteral("Gig time"));
    for (int row = 0; row < Rows; ++row) {
        ASSERT_EQ(cache.Value(row, venue).toString(), QStringLiteral("V%1").arg(row));
        ASSERT_DOUBLE_EQ(cache.Value(row, date).toDouble(), GigDayOfRow(row));
        ASSERT_LE(cache.LoadedBlockCount(), 2);
    }
    EXPECT_EQ(cache.LoadedBlockCount(), 2);
    EXPECT_FALSE(cache.RowExists(Rows));
    EXPECT_FALSE(cache.Value(Rows, venue).isValid());

    for (int row : {5, 2999, 1030, 0, 2100, 1023, 2048, 2047}) {
        EXPECT_TRUE(cache.RowExists(row));
        EXPECT_EQ(cache.Value(row, venue).toString(), QStringLiteral("V%1").arg(row));
        EXPECT_DOUBLE_EQ(cache.Value(row, date).toDouble(), GigDayOfRow(row));
        EXPECT_FALSE(cache.Value(row, time).isValid()); // never written
        EXPECT_LE(cache.LoadedBlockCount(), 2);
    }
    EXPECT_EQ(storage.PositionOf(cache.Identity(1500)), 1500);

    // A cache holding one block still walks backwards, and reads again after a clear.
    TRowCache single(storage, 1);
    for (int row = Rows - 1; row >= 0; --row)
        ASSERT_EQ(single.Value(row, venue).toString(), QStringLiteral("V%1").arg(row));
    EXPECT_EQ(single.LoadedBlockCount(), 1);
    EXPECT_EQ(single.RowCount(), Rows);
    single.Clear();
    EXPECT_EQ(single.LoadedBlockCount(), 0);
    EXPECT_EQ(single.Value(2500, venue).toString(), QStringLiteral("V2500"));
}

// Walking to the end drops the values of the first blocks; whatever is read from them
// afterwards is read again from the file, through every way of reaching a record.
TEST_F(LargeTableTest, RecordsOfDroppedBlocksReadTheSameAgain)
{
    auto table = OpenTable();
    int row = 0;
    for (table->First(); !table->Eof(); table->Next(), ++row)
        ASSERT_EQ(Venue(*table), QStringLiteral("V%1").arg(row));
    EXPECT_EQ(row, LargeRows);

    const int venue = table->FieldByName(QStringLiteral("Gig venue"))->Index();
    EXPECT_EQ(table->RowText(5, venue), QStringLiteral("V5"));
    EXPECT_EQ(table->RecNo(), LargeRows);
    table->First();
    EXPECT_EQ(Venue(*table), QStringLiteral("V0"));
    EXPECT_DOUBLE_EQ(Date(*table), GigDayOfRow(0));
    EXPECT_EQ(table->MoveBy(1500), 1500);
    table->Edit();
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Changed"));
    table->Post();

    table->Last();
    row = LargeRows - 1;
    for (; !table->Bof(); table->Prior(), --row) {
        const QString expected =
            row == 1500 ? QStringLiteral("Changed") : QStringLiteral("V%1").arg(row);
        ASSERT_EQ(Venue(*table), expected);
    }
    EXPECT_EQ(row, -1);
    EXPECT_TRUE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("Changed")));
    EXPECT_EQ(table->RecNo(), 1501);
}
