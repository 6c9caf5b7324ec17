#include "platform/exceptions.h"
#include "tablefixture.h"

#include <QFile>

namespace {

class TableTest : public TableFixture
{
protected:
    // Four gigs added out of date order; the table lists them by date.
    std::unique_ptr<TTable> OpenWithFourGigs()
    {
        auto table = OpenTable();
        AddGig(*table, Day(20), QStringLiteral("Cellar"));
        AddGig(*table, Day(5), QStringLiteral("Blue Note"));
        AddGig(*table, Day(12), QStringLiteral("Mill"));
        AddGig(*table, Day(28), QStringLiteral("Harbor"));
        return table;
    }

    static QStringList Walk(TTable& table)
    {
        QStringList venues;
        for (table.First(); !table.Eof(); table.Next())
            venues << Venue(table);
        return venues;
    }
};

} // namespace

TEST_F(TableTest, ReadsTheStoredDefinitions)
{
    auto table = OpenTable();
    EXPECT_EQ(table->FieldDefs(), Fields());
    ASSERT_EQ(table->IndexDefs().Count(), 1);
    EXPECT_TRUE(table->IndexDefs().Items(0).IsPrimary());
    EXPECT_EQ(table->IndexDefs().Items(0).Fields, QStringLiteral("Gig date"));
    EXPECT_EQ(table->Fields().Count(), 6);
    EXPECT_EQ(table->FieldByName(QStringLiteral("gig VENUE"))->Size(), 12);
}

TEST_F(TableTest, EmptyTableIsBofAndEofAndHasNoValues)
{
    auto table = OpenTable();
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_TRUE(table->Bof());
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->RecordCount(), 0);
    EXPECT_EQ(table->RecNo(), 0);
    EXPECT_EQ(table->MoveBy(3), 0);
    table->Last();
    EXPECT_TRUE(table->Eof());
    EXPECT_TRUE(table->FieldByName(QStringLiteral("Gig venue"))->IsNull());
    EXPECT_TRUE(table->GetBookmark().isEmpty());
    EXPECT_FALSE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("x")));
    EXPECT_THROW(table->Delete(), EDatabaseError);
}

TEST_F(TableTest, TraversesInPrimaryIndexOrderAndMoveByClamps)
{
    auto table = OpenWithFourGigs();
    EXPECT_EQ(Walk(*table), (QStringList{"Blue Note", "Mill", "Cellar", "Harbor"}));
    EXPECT_EQ(table->RecordCount(), 4);

    table->First();
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(table->RecNo(), 1);
    table->Prior();
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(Venue(*table), QStringLiteral("Blue Note"));

    table->Last();
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(Venue(*table), QStringLiteral("Harbor"));
    EXPECT_EQ(table->RecNo(), 4);
    table->Prior();
    EXPECT_FALSE(table->Eof());
    EXPECT_EQ(Venue(*table), QStringLiteral("Cellar"));

    // MoveBy clamps and reports the distance actually moved.
    table->First();
    EXPECT_EQ(table->MoveBy(2), 2);
    EXPECT_EQ(Venue(*table), QStringLiteral("Cellar"));
    EXPECT_EQ(table->MoveBy(10), 1);
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(Venue(*table), QStringLiteral("Harbor"));
    EXPECT_EQ(table->MoveBy(-10), -3);
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(Venue(*table), QStringLiteral("Blue Note"));
}

TEST_F(TableTest, EditPostStoresAndCancelRestoresForEditsAndInserts)
{
    auto table = OpenWithFourGigs();
    table->First();
    table->Next();
    table->Edit();
    EXPECT_EQ(table->State(), dsEdit);
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Old Mill"));
    EXPECT_TRUE(table->Modified());
    table->Cancel();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Venue(*table), QStringLiteral("Mill"));

    table->Edit();
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Old Mill"));
    table->FieldByName(QStringLiteral("Gig length"))->SetAsFloat(2.5);
    table->Post();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Venue(*table), QStringLiteral("Old Mill"));

    auto reopened = OpenTable();
    ASSERT_TRUE(reopened->Locate(QStringLiteral("Gig date"), Day(12)));
    EXPECT_EQ(Venue(*reopened), QStringLiteral("Old Mill"));
    EXPECT_DOUBLE_EQ(reopened->FieldByName(QStringLiteral("Gig length"))->AsFloat(), 2.5);
    EXPECT_EQ(reopened->RecordCount(), 4);

    // Cancelling an insert returns to the record it started from.
    table->Insert();
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_TRUE(table->FieldByName(QStringLiteral("Gig venue"))->IsNull());
    table->Cancel();
    EXPECT_EQ(Venue(*table), QStringLiteral("Old Mill"));
    EXPECT_EQ(table->RecordCount(), 4);
}

TEST_F(TableTest, PostingMovesTheCursorToTheRecordInKeyOrder)
{
    auto table = OpenWithFourGigs();
    table->Last();
    AddGig(*table, Day(1), QStringLiteral("Opening"));
    EXPECT_EQ(Venue(*table), QStringLiteral("Opening"));
    EXPECT_EQ(table->RecNo(), 1);

    table->Edit();
    table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(30));
    table->Post();
    EXPECT_EQ(Venue(*table), QStringLiteral("Opening"));
    EXPECT_EQ(table->RecNo(), 5);
}

TEST_F(TableTest, NavigatingAwayPostsModifiedAndDropsUntouchedRecords)
{
    auto table = OpenWithFourGigs();
    table->First();
    table->Edit();
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Blue Moon"));
    table->Next();
    EXPECT_EQ(table->State(), dsBrowse);
    table->First();
    EXPECT_EQ(Venue(*table), QStringLiteral("Blue Moon"));

    table->Append();
    table->Last();
    EXPECT_EQ(table->RecordCount(), 4);
}

TEST_F(TableTest, WritesOutsideEditStateAreRefused)
{
    auto table = OpenWithFourGigs();
    table->First();
    TField* venue = table->FieldByName(QStringLiteral("Gig venue"));
    EXPECT_THROW(venue->SetAsString(QStringLiteral("x")), EDatabaseError);
    EXPECT_THROW(table->Post(), EDatabaseError);
    EXPECT_EQ(venue->AsString(), QStringLiteral("Blue Note"));
}

TEST_F(TableTest, DuplicateDateOnInsertIsAKeyViolationThatKeepsTheRecordInInsert)
{
    auto table = OpenWithFourGigs();
    table->Append();
    table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(12));
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Intruder"));
    const QString violation = ErrorOf<EKeyViolation>([&] { table->Post(); });
    EXPECT_TRUE(violation.startsWith(QStringLiteral("Key violation"))) << qPrintable(violation);
    EXPECT_TRUE(violation.contains(QStringLiteral("Gig date")));
    EXPECT_TRUE(violation.contains(DateToStr(Day(12))));
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(Venue(*table), QStringLiteral("Intruder"));
    EXPECT_DOUBLE_EQ(Date(*table), Day(12));

    // The user corrects the date and posts again.
    table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(13));
    table->Post();
    auto reopened = OpenTable();
    EXPECT_EQ(reopened->RecordCount(), 5);
    ASSERT_TRUE(reopened->Locate(QStringLiteral("Gig date"), Day(12)));
    EXPECT_EQ(Venue(*reopened), QStringLiteral("Mill"));
}

TEST_F(TableTest, ChangingADateToATakenOneIsRefusedAndTheStoredGigsAreUntouched)
{
    auto table = OpenWithFourGigs();
    ASSERT_TRUE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("Harbor")));
    table->Edit();
    table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(5));
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Harbor Inn"));
    EXPECT_THROW(table->Post(), EKeyViolation);
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(Venue(*table), QStringLiteral("Harbor Inn"));

    auto other = OpenTable();
    EXPECT_EQ(Walk(*other), (QStringList{"Blue Note", "Mill", "Cellar", "Harbor"}));

    table->Cancel();
    EXPECT_EQ(Venue(*table), QStringLiteral("Harbor"));
    EXPECT_DOUBLE_EQ(Date(*table), Day(28));
}

TEST_F(TableTest, MissingRequiredDateIsRefusedBeforeWriting)
{
    auto table = OpenTable();
    table->Append();
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Nowhere"));
    EXPECT_EQ(ErrorOf([&] { table->Post(); }),
              QStringLiteral("Field 'Gig date' must have a value"));
    EXPECT_EQ(table->State(), dsInsert);
}

TEST_F(TableTest, TooLongTextIsRefusedNotCut)
{
    auto table = OpenWithFourGigs();
    table->First();
    table->Edit();
    TField* state = table->FieldByName(QStringLiteral("Gig state"));
    state->SetAsString(QStringLiteral("OR"));
    const QString tooLong = ErrorOf([&] { state->SetAsString(QStringLiteral("Oregon")); });
    EXPECT_TRUE(tooLong.contains(QStringLiteral("Value too long"))) << qPrintable(tooLong);
    EXPECT_TRUE(tooLong.contains(QStringLiteral("'Gig state'")));
    EXPECT_TRUE(tooLong.contains(QStringLiteral("at most 2")));
    EXPECT_EQ(state->AsString(), QStringLiteral("OR"));
    EXPECT_THROW(state->SetAsVariant(QStringLiteral("Ore")), EDatabaseError);
    // Characters, not bytes or UTF-16 units, count against the size.
    TField* venue = table->FieldByName(QStringLiteral("Gig venue"));
    venue->SetAsString(QStringLiteral("Café Müller"));
    venue->SetAsString(QString::fromUcs4(U"🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷"));
    EXPECT_THROW(venue->SetAsString(QString::fromUcs4(U"🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷🎷")), EDatabaseError);
    table->Post();
    table->First();
    EXPECT_EQ(state->AsString(), QStringLiteral("OR"));
    EXPECT_EQ(venue->AsString().size(), 24);
}

TEST_F(TableTest, DeletesInvalidateBookmarksAndSettleOnANeighbour)
{
    auto table = OpenWithFourGigs();
    ASSERT_TRUE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("Mill")));
    const TBookmark mill = table->GetBookmark();
    ASSERT_FALSE(mill.isEmpty());
    AddGig(*table, Day(1), QStringLiteral("Opening"));
    EXPECT_TRUE(table->BookmarkValid(mill));
    table->GotoBookmark(mill);
    EXPECT_EQ(Venue(*table), QStringLiteral("Mill"));
    EXPECT_EQ(table->RecNo(), 3);

    table->Delete();
    EXPECT_EQ(Venue(*table), QStringLiteral("Cellar"));
    EXPECT_FALSE(table->BookmarkValid(mill));
    EXPECT_THROW(table->GotoBookmark(mill), EDatabaseError);
    EXPECT_EQ(Venue(*table), QStringLiteral("Cellar"));

    TBookmark empty;
    EXPECT_FALSE(table->BookmarkValid(empty));
    table->GotoBookmark(empty); // a null bookmark goes nowhere
    EXPECT_EQ(Venue(*table), QStringLiteral("Cellar"));

    // Deleting the last record settles on the new last; deleting all leaves nothing.
    table->Last();
    table->Delete();
    EXPECT_EQ(Venue(*table), QStringLiteral("Cellar"));
    EXPECT_EQ(table->RecordCount(), 3);
    while (!table->IsEmpty())
        table->Delete();
    EXPECT_TRUE(table->Bof());
    EXPECT_TRUE(table->Eof());
}

TEST_F(TableTest, LocateFindsExactCaseBlindAndPartialMatches)
{
    auto table = OpenWithFourGigs();
    table->Last();
    EXPECT_TRUE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("Mill")));
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_FALSE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("mill")));
    EXPECT_EQ(table->RecNo(), 2) << "a failed locate must not move";
    EXPECT_TRUE(
        table->Locate(QStringLiteral("Gig venue"), QStringLiteral("cELLAR"), loCaseInsensitive));
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_TRUE(table->Locate(QStringLiteral("Gig venue"), QStringLiteral("blue"),
                              loCaseInsensitive | loPartialKey));
    EXPECT_EQ(table->RecNo(), 1);
    EXPECT_TRUE(table->Locate(QStringLiteral("Gig date"), DateToStr(Day(28))));
    EXPECT_EQ(Venue(*table), QStringLiteral("Harbor"));
    EXPECT_TRUE(table->Locate(QStringLiteral("Gig date;Gig venue"),
                              QVariantList{Day(12), QStringLiteral("Mill")}));
    EXPECT_FALSE(table->Locate(QStringLiteral("Gig date;Gig venue"),
                               QVariantList{Day(12), QStringLiteral("Harbor")}));
    EXPECT_TRUE(table->Locate(QStringLiteral("Notes"), QVariant()));
    EXPECT_THROW(table->Locate(QStringLiteral("Gig date"), QStringLiteral("soon")), EConvertError);
    EXPECT_THROW(table->Locate(QStringLiteral("Stage"), QStringLiteral("x")), EDatabaseError);
}

TEST_F(TableTest, RowValuesReadWithoutMovingTheCursor)
{
    auto table = OpenWithFourGigs();
    table->First();
    const int venue = table->FieldByName(QStringLiteral("Gig venue"))->Index();
    const int date = table->FieldByName(QStringLiteral("Gig date"))->Index();
    EXPECT_EQ(table->RowValue(3, venue).toString(), QStringLiteral("Harbor"));
    EXPECT_EQ(table->RowText(1, date), DateToStr(Day(12)));
    EXPECT_FALSE(table->RowValue(4, venue).isValid());
    EXPECT_FALSE(table->RowValue(-1, venue).isValid());
    EXPECT_EQ(table->RecNo(), 1);
    table->Edit();
    table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Pending"));
    EXPECT_EQ(table->RowText(0, venue), QStringLiteral("Pending"));
    EXPECT_EQ(table->RowText(1, venue), QStringLiteral("Mill"));
}

TEST_F(TableTest, RefreshSeesWritesOfAnotherTableOnTheSameFile)
{
    auto table = OpenWithFourGigs();
    table->First();
    auto other = OpenTable();
    AddGig(*other, Day(2), QStringLiteral("Early"));
    EXPECT_EQ(table->RecordCount(), 4);
    table->Refresh();
    EXPECT_EQ(table->RecordCount(), 5);
    EXPECT_EQ(Venue(*table), QStringLiteral("Blue Note")) << "refresh keeps the current record";
    EXPECT_EQ(table->RecNo(), 2);
}

TEST_F(TableTest, ExistingTablesAreNotChangedReadOnlyOrByCreatingOverThem)
{
    {
        auto writer = OpenWithFourGigs();
    }
    TFieldDefs other;
    other.Add(QStringLiteral("X"), ftInteger);
    EXPECT_THROW(TTable::CreateTable(QString(), TablePath(), other, TIndexDefs()), EDatabaseError);
    TTable table;
    table.SetTableName(TablePath());
    table.SetReadOnly(true);
    table.Open();
    EXPECT_FALSE(table.CanModify());
    EXPECT_FALSE(table.FieldByName(QStringLiteral("Gig venue"))->CanModify());
    EXPECT_THROW(table.Edit(), EDatabaseError);
    EXPECT_THROW(table.SetTableName(QStringLiteral("other.db")), EDatabaseError);
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(table.Fields().Count(), 6);
}

TEST_F(TableTest, TableWithoutPrimaryIndexKeepsInsertionOrder)
{
    TFieldDefs fields;
    fields.Add(QStringLiteral("Name"), ftString, 20);
    fields.Add(QStringLiteral("Count"), ftInteger);
    auto table = CreateAndOpen(QStringLiteral("contacts.db"), fields);
    for (const char* name : {"Zed", "Amy", "Max"}) {
        table->Append();
        table->FieldByName(QStringLiteral("Name"))->SetAsString(QString::fromLatin1(name));
        table->Post();
    }
    QStringList names;
    for (table->First(); !table->Eof(); table->Next())
        names << table->FieldByName(QStringLiteral("Name"))->AsString();
    EXPECT_EQ(names, (QStringList{"Zed", "Amy", "Max"}));
    ASSERT_TRUE(table->Locate(QStringLiteral("Name"), QStringLiteral("Amy")));
    const TBookmark amy = table->GetBookmark();
    table->Delete();
    EXPECT_FALSE(table->BookmarkValid(amy));
    EXPECT_EQ(table->FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Max"));
}

// ---------------------------------------------------------------------------
// Opening failures name the table and the directory, and never create anything.

TEST_F(TableTest, OpeningFailuresNameTheTableTheDirectoryAndTheCause)
{
    const QDir dir(m_dir.path());
    const QString missingDir = dir.filePath(QStringLiteral("nowhere"));
    const QString notATable = dir.filePath(QStringLiteral("notes.db"));
    QFile file(notATable);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("These are my set lists, not a table.\n").repeated(200));
    file.close();
    const QString otherName = dir.filePath(QStringLiteral("other.db"));
    ASSERT_TRUE(QFile::copy(TablePath(), otherName));

    struct Case
    {
        QString path;
        QStringList expected;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("blackout.db")), {"'blackout.db'", dir.absolutePath()}},
        {QDir(missingDir).filePath(QStringLiteral("gig.db")),
         {"'gig.db'", missingDir, "directory does not exist"}},
        {notATable, {"'notes.db'", dir.absolutePath(), "not a table"}},
        {otherName, {"no table named 'other'"}},
    };
    for (const Case& c : cases) {
        TTable table;
        table.SetTableName(c.path);
        const QString error = ErrorOf([&] { table.Open(); });
        for (const QString& part : c.expected)
            EXPECT_TRUE(error.contains(part)) << qPrintable(c.path) << ": " << qPrintable(error);
        EXPECT_FALSE(table.Active());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("blackout.db"))))
        << "opening must never create a table";
    EXPECT_FALSE(QFileInfo::exists(missingDir));
}
