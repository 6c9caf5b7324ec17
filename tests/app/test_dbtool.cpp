#include "app/tabledefs.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "tools/dbtool.h"
#include "xdghome.h"

#include <QFile>
#include <QSet>

namespace {

class DbToolTest : public XdgHomeTest
{
protected:
    QString m_out, m_err;

    void TearDown() override
    {
        SetClockOverride(std::nullopt);
        XdgHomeTest::TearDown();
    }
    int Run(const QStringList& arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out), err(&m_err);
        return RunDbTool(arguments, out, err);
    }
    QString TablePath(const char* name) const
    {
        return QDir(BookDir()).filePath(QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(DbToolTest, InitCreatesTheThreeTablesWithTheirDefinitions)
{
    EXPECT_EQ(Run({QStringLiteral("init")}), 0) << qPrintable(m_err);
    for (const TTableDefinition& def : GigBookDefinitions()) {
        TTable table;
        table.SetDatabaseName(QStringLiteral("vantor"));
        table.SetTableName(def.TableName);
        table.Open();
        EXPECT_EQ(table.FieldDefs(), def.FieldDefs) << qPrintable(def.TableName);
        EXPECT_EQ(table.IndexDefs(), def.IndexDefs) << qPrintable(def.TableName);
        EXPECT_TRUE(table.IsEmpty());
        EXPECT_TRUE(m_out.contains(table.FilePath()));
    }
}

TEST_F(DbToolTest, InitNeverOverwritesAndChangesNothingWhenATableExists)
{
    QDir().mkpath(BookDir());
    QFile contacts(TablePath("contacts.db"));
    ASSERT_TRUE(contacts.open(QIODevice::WriteOnly));
    contacts.write("my precious contacts");
    contacts.close();

    EXPECT_EQ(Run({QStringLiteral("init"), QStringLiteral("--demo")}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("contacts.db")));
    EXPECT_TRUE(m_err.contains(QStringLiteral("already exists")));
    EXPECT_FALSE(QFile::exists(TablePath("gig.db")));
    EXPECT_FALSE(QFile::exists(TablePath("blackout.db")));
    ASSERT_TRUE(contacts.open(QIODevice::ReadOnly));
    EXPECT_EQ(contacts.readAll(), QByteArray("my precious contacts"));
}

TEST_F(DbToolTest, DemoBookSpreadsGigsOverThreeMonthsWithOneVenueMissing)
{
    SetClockOverride(EncodeDate(2025, 1, 15) + EncodeTime(10, 0, 0, 0));
    ASSERT_EQ(Run({QStringLiteral("init"), QStringLiteral("--demo")}), 0) << qPrintable(m_err);
    TTable gigs;
    gigs.SetDatabaseName(QStringLiteral("vantor"));
    gigs.SetTableName(QStringLiteral("gig.db"));
    gigs.Open();
    QSet<int> months;
    int emptyVenues = 0;
    TDateTime previous = 0;
    for (gigs.First(); !gigs.Eof(); gigs.Next()) {
        const TDateTime date = gigs.FieldByName(QStringLiteral("Gig date"))->AsDateTime();
        EXPECT_GT(date, previous);
        previous = date;
        int y = 0, m = 0, d = 0;
        DecodeDate(date, y, m, d);
        months.insert(y * 12 + m);
        if (gigs.FieldByName(QStringLiteral("Gig venue"))->IsNull()) ++emptyVenues;
        EXPECT_FALSE(gigs.FieldByName(QStringLiteral("Gig contact name"))->AsString().isEmpty());
    }
    EXPECT_EQ(months, (QSet<int>{2024 * 12 + 12, 2025 * 12 + 1, 2025 * 12 + 2}));
    EXPECT_GE(gigs.RecordCount(), 9);
    EXPECT_EQ(emptyVenues, 1);

    TTable contacts;
    contacts.SetDatabaseName(QStringLiteral("vantor"));
    contacts.SetTableName(QStringLiteral("contacts.db"));
    contacts.Open();
    EXPECT_GE(contacts.RecordCount(), 4);
    EXPECT_TRUE(m_out.contains(QStringLiteral("%1 gigs").arg(gigs.RecordCount())));
}

TEST_F(DbToolTest, DemoInAShortMonthKeepsOneGigPerDate)
{
    SetClockOverride(EncodeDate(2023, 2, 10));
    ASSERT_EQ(Run({QStringLiteral("init"), QStringLiteral("--demo")}), 0) << qPrintable(m_err);
}

TEST_F(DbToolTest, PathPrintsTheAliasDirectory)
{
    EXPECT_EQ(Run({QStringLiteral("path")}), 0);
    EXPECT_EQ(m_out.trimmed(), BookDir());
    QDir().mkpath(Under(QStringLiteral("config/vantor")));
    QFile ini(Under(QStringLiteral("config/vantor/aliases.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[gigs2]\npath=" + Under(QStringLiteral("elsewhere")).toUtf8() + "\n");
    ini.close();
    EXPECT_EQ(Run({QStringLiteral("path"), QStringLiteral("--alias"), QStringLiteral("gigs2")}), 0);
    EXPECT_EQ(m_out.trimmed(), Under(QStringLiteral("elsewhere")));
    EXPECT_EQ(Run({QStringLiteral("init"), QStringLiteral("--alias"), QStringLiteral("gigs2")}), 0);
    EXPECT_TRUE(QFile::exists(Under(QStringLiteral("elsewhere/gig.db"))));
    EXPECT_EQ(Run({QStringLiteral("path"), QStringLiteral("--alias"), QStringLiteral("nope")}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("'nope'")));
}

TEST_F(DbToolTest, HelpAndBadCommandLines)
{
    EXPECT_EQ(Run({QStringLiteral("--help")}), 0);
    for (const char* word : {"init", "path", "--alias", "--demo", "aliases.ini"})
        EXPECT_TRUE(m_out.contains(QString::fromLatin1(word))) << word;
    EXPECT_EQ(Run({QStringLiteral("init"), QStringLiteral("--help")}), 0);
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("Usage: vantor-db")));
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({QStringLiteral("drop")}), 2);
    EXPECT_EQ(Run({QStringLiteral("init"), QStringLiteral("--force")}), 2);
    EXPECT_EQ(Run({QStringLiteral("path"), QStringLiteral("extra")}), 2);
    EXPECT_FALSE(QFile::exists(BookDir()));
}
