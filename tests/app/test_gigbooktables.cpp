#include "app/gigbooktables.h"
#include "app/tabledefs.h"
#include "platform/datasource.h"
#include "platform/exceptions.h"
#include "platform/table.h"
#include "xdghome.h"

#include <QFile>
#include <QObject>

namespace {

class GigBookTablesTest : public XdgHomeTest
{
protected:
    static void LogOpens(const TGigBookTables& t, QStringList& log)
    {
        for (TTable* table : {t.Table1, t.blackout, t.contactData})
            table->BeforeOpen = [&log](TDataSet* sender) { log << sender->Name(); };
    }
};

} // namespace

TEST_F(GigBookTablesTest, OpensGigThenBlackoutThenContacts)
{
    CreateBook();
    QObject owner;
    const TGigBookTables t = CreateGigBookTables(&owner);
    QStringList opened;
    LogOpens(t, opened);
    OpenGigBookTables(t);
    EXPECT_EQ(opened, (QStringList{"Table1", "blackout", "contactData"}));
    EXPECT_TRUE(t.Table1->Active() && t.blackout->Active() && t.contactData->Active());
    EXPECT_EQ(t.DataSource1->DataSet(), t.Table1);
    EXPECT_EQ(t.DataSource2->DataSet(), t.blackout);
    EXPECT_EQ(t.DataSource3->DataSet(), t.contactData);
    EXPECT_EQ(t.Table1->TableName(), QStringLiteral("gig.db"));
    EXPECT_EQ(t.Table1->DatabaseName(), QStringLiteral("vantor"));
    // The stored gig table carries its definitions.
    EXPECT_EQ(t.Table1->FieldDefs(), GigTableDefinition().FieldDefs);
    EXPECT_EQ(t.Table1->IndexDefs(), GigTableDefinition().IndexDefs);
    EXPECT_EQ(t.contactData->FieldDefs(), ContactTableDefinition().FieldDefs);
    EXPECT_TRUE(t.Table1->IsEmpty());
}

TEST_F(GigBookTablesTest, MissingBlackoutStopsTheOpeningAfterTheGigTable)
{
    CreateBook({QStringLiteral("blackout.db")});
    QObject owner;
    const TGigBookTables t = CreateGigBookTables(&owner);
    QStringList opened;
    LogOpens(t, opened);
    try {
        OpenGigBookTables(t);
        FAIL() << "a missing blackout table must stop start-up";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("'blackout.db'")));
        EXPECT_TRUE(error.Message().contains(BookDir()));
    }
    EXPECT_EQ(opened, (QStringList{"Table1", "blackout"}));
    EXPECT_FALSE(t.contactData->Active());
    EXPECT_FALSE(QFile::exists(QDir(BookDir()).filePath(QStringLiteral("blackout.db"))));
}
