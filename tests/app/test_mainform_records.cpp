#include "gigbookfixture.h"

namespace {

class MainFormRecordsTest : public GigBookFixture
{
protected:
    void SetUp() override
    {
        GigBookFixture::SetUp();
        AddGigsAndContacts();
        OpenForm();
    }

    TDBGrid* GigGrid() const { return m_form->Gigs().Grid; }

    // What the gig half shows: date, venue and first contact.
    QString Shown() const
    {
        return QStringLiteral("%1 %2 %3")
            .arg(GigText("Gig date"), GigText("Gig venue"), GigText("Gig contact name"));
    }
    static QString Gig(int day, const char* venue, const char* contact)
    {
        return QStringLiteral("%1 %2 %3")
            .arg(DateToStr(May(day)), QString::fromLatin1(venue), QString::fromLatin1(contact));
    }
};

} // namespace

TEST_F(MainFormRecordsTest, TheNavigatorBrowsesAndTheEditsAndGridFollow)
{
    EXPECT_EQ(Shown(), Gig(3, "Blue Room", "Ann"));
    Click(m_form->Gigs(), nbNext);
    EXPECT_EQ(Shown(), Gig(10, "Corn Exchange", "Bob"));
    EXPECT_EQ(SelectedRow(GigGrid()), 1);
    Click(m_form->Gigs(), nbLast);
    EXPECT_EQ(Shown(), Gig(24, "Elm Hall", "Dan"));
    EXPECT_EQ(SelectedRow(GigGrid()), 3);
    Click(m_form->Gigs(), nbPrior);
    EXPECT_EQ(Shown(), Gig(17, "Dock Bar", "Cat"));
    Click(m_form->Gigs(), nbFirst);
    EXPECT_EQ(Shown(), Gig(3, "Blue Room", "Ann"));
    EXPECT_EQ(SelectedRow(GigGrid()), 0);
}

TEST_F(MainFormRecordsTest, TheGridBrowsesWithTheMouseAndKeys)
{
    ClickRow(GigGrid(), 2);
    EXPECT_EQ(Shown(), Gig(17, "Dock Bar", "Cat"));
    QTest::keyClick(GigGrid(), Qt::Key_Down);
    EXPECT_EQ(Shown(), Gig(24, "Elm Hall", "Dan"));
    QTest::keyClick(GigGrid(), Qt::Key_Up);
    QTest::keyClick(GigGrid(), Qt::Key_Up);
    QTest::keyClick(GigGrid(), Qt::Key_Up);
    EXPECT_EQ(Shown(), Gig(3, "Blue Room", "Ann"));
    EXPECT_EQ(GigGrid()->GridModel()->index(1, 1).data().toString(),
              QStringLiteral("Corn Exchange"));
}

TEST_F(MainFormRecordsTest, AnEditedGigIsPostedAndShownInTheGrid)
{
    Click(m_form->Gigs(), nbNext);
    Retype(GigEdit("Gig venue"), QStringLiteral("Corn Hall"));
    Retype(GigEdit("Gig time"), TimeToStr(EncodeTime(20, 30, 0, 0)));
    Retype(m_form->Gigs().Comments, QStringLiteral("Two sets"));
    EXPECT_EQ(GigTable()->State(), dsEdit);
    Click(m_form->Gigs(), nbPost);
    EXPECT_EQ(GigTable()->State(), dsBrowse);
    EXPECT_EQ(GigGrid()->GridModel()->index(1, 1).data().toString(), QStringLiteral("Corn Hall"));

    // Stored: another look at the file sees it.
    const std::unique_ptr<TTable> check = OpenTable("gig.db");
    ASSERT_TRUE(check->Locate(QStringLiteral("Gig date"), May(10)));
    EXPECT_EQ(check->FieldByName(QStringLiteral("Gig venue"))->AsString(),
              QStringLiteral("Corn Hall"));
    EXPECT_EQ(check->FieldByName(QStringLiteral("Gig time"))->AsDateTime(),
              EncodeTime(20, 30, 0, 0));
    EXPECT_EQ(check->FieldByName(QStringLiteral("Notes"))->AsString(), QStringLiteral("Two sets"));
}

TEST_F(MainFormRecordsTest, ANewGigTakesItsPlaceByDate)
{
    Click(m_form->Gigs(), nbInsert);
    EXPECT_TRUE(GigText("Gig venue").isEmpty());
    Retype(GigEdit("Gig date"), DateToStr(May(12)));
    Retype(GigEdit("Gig venue"), QStringLiteral("Fox Inn"));
    Click(m_form->Gigs(), nbPost);
    EXPECT_EQ(GigTable()->RecordCount(), 5);
    EXPECT_EQ(SelectedRow(GigGrid()), 2);
    EXPECT_EQ(GigGrid()->GridModel()->index(2, 1).data().toString(), QStringLiteral("Fox Inn"));
    EXPECT_EQ(Shown(), QStringLiteral("%1 Fox Inn ").arg(DateToStr(May(12))));
}

TEST_F(MainFormRecordsTest, AKeyViolationIsShownAndTheTypedValuesStay)
{
    Click(m_form->Gigs(), nbNext);
    Retype(GigEdit("Gig date"), DateToStr(May(3))); // Blue Room's date
    Retype(GigEdit("Gig venue"), QStringLiteral("Moved gig"));
    Retype(GigEdit("Gig city"), QStringLiteral("Leeds"));
    {
        TMessageCapture messages;
        Click(m_form->Gigs(), nbPost);
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_FALSE(messages.Last().isEmpty());
    }
    EXPECT_EQ(GigTable()->State(), dsEdit);
    EXPECT_EQ(GigText("Gig date"), DateToStr(May(3)));
    EXPECT_EQ(GigText("Gig venue"), QStringLiteral("Moved gig"));
    EXPECT_EQ(GigText("Gig city"), QStringLiteral("Leeds"));
    EXPECT_EQ(GigTable()->RecordCount(), 4);

    // The user corrects the date and posts again; nothing typed was lost.
    Retype(GigEdit("Gig date"), DateToStr(May(11)));
    TMessageCapture none;
    Click(m_form->Gigs(), nbPost);
    EXPECT_TRUE(none.Messages().isEmpty());
    EXPECT_EQ(GigTable()->State(), dsBrowse);
    EXPECT_EQ(StoredGig("Gig venue"), QStringLiteral("Moved gig"));
    EXPECT_EQ(StoredGig("Gig city"), QStringLiteral("Leeds"));
    EXPECT_EQ(StoredGig("Gig date"), DateToStr(May(11)));
}

TEST_F(MainFormRecordsTest, AfterAKeyViolationCancelBringsBackTheStoredGig)
{
    Click(m_form->Gigs(), nbLast);
    Retype(GigEdit("Gig date"), DateToStr(May(17)));
    {
        TMessageCapture messages;
        Click(m_form->Gigs(), nbPost);
        EXPECT_EQ(messages.Messages().size(), 1);
    }
    Click(m_form->Gigs(), nbCancel);
    EXPECT_EQ(Shown(), Gig(24, "Elm Hall", "Dan"));
    // Moving away with the grid after a refused post keeps the user on the record too.
    Retype(GigEdit("Gig date"), DateToStr(May(10)));
    {
        TMessageCapture messages;
        ClickRow(GigGrid(), 0);
        EXPECT_EQ(messages.Messages().size(), 1);
    }
    EXPECT_EQ(GigTable()->State(), dsEdit);
    EXPECT_EQ(GigText("Gig date"), DateToStr(May(10)));
    EXPECT_EQ(SelectedRow(GigGrid()), 3);
}

TEST_F(MainFormRecordsTest, OverLongValuesAreRefused)
{
    const QString fifty(50, QLatin1Char('x'));
    Retype(GigEdit("Gig venue"), fifty);
    EXPECT_EQ(GigText("Gig venue"), QString(40, QLatin1Char('x')));
    Retype(GigEdit("Gig state"), QStringLiteral("NSW"));
    EXPECT_EQ(GigText("Gig state"), QStringLiteral("NS"));
    // A cell of the grid refuses it too, and the edits typed before stay.
    {
        TMessageCapture messages;
        EXPECT_FALSE(GigGrid()->GridModel()->setData(GigGrid()->GridModel()->index(0, 1), fifty));
        ASSERT_EQ(messages.Messages().size(), 1);
    }
    EXPECT_EQ(GigText("Gig state"), QStringLiteral("NS"));
    Click(m_form->Gigs(), nbPost);
    EXPECT_EQ(StoredGig("Gig venue"), QString(40, QLatin1Char('x')));
    EXPECT_EQ(StoredGig("Gig state"), QStringLiteral("NS"));
}

TEST_F(MainFormRecordsTest, ADateTheFieldCannotReadKeepsTheFocus)
{
    Retype(GigEdit("Gig date"), QStringLiteral("32/13/2024"));
    TMessageCapture messages;
    QTest::keyClick(GigEdit("Gig date"), Qt::Key_Tab);
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), GigEdit("Gig date"));
    EXPECT_EQ(GigText("Gig date"), QStringLiteral("32/13/2024"));
}

TEST_F(MainFormRecordsTest, TheContactHalfBrowsesAndPostsOnItsOwn)
{
    EXPECT_EQ(ContactEdit("Venue")->text(), QStringLiteral("Blue Room"));
    ClickRow(m_form->Contacts().Grid, 1);
    EXPECT_EQ(ContactEdit("Venue")->text(), QStringLiteral("Dock Bar"));
    EXPECT_EQ(ContactEdit("Contact name 1")->text(), QStringLiteral("Booker of Dock Bar"));
    EXPECT_EQ(GigText("Gig venue"), QStringLiteral("Blue Room")); // the gigs stay put

    Retype(ContactEdit("Contact phone 1"), QStringLiteral("0113 496 0000"));
    Retype(m_form->Contacts().Comments, QStringLiteral("Pays on the night"));
    Click(m_form->Contacts(), nbPost);
    EXPECT_EQ(ContactTable()->FieldByName(QStringLiteral("Contact phone 1"))->AsString(),
              QStringLiteral("0113 496 0000"));
    EXPECT_EQ(ContactTable()->FieldByName(QStringLiteral("Contact comments"))->AsString(),
              QStringLiteral("Pays on the night"));
    EXPECT_EQ(GigTable()->State(), dsBrowse);
    Click(m_form->Contacts(), nbPrior);
    EXPECT_EQ(ContactEdit("Venue")->text(), QStringLiteral("Blue Room"));
}

class MainFormEmptyBookTest : public GigBookFixture
{
};

TEST_F(MainFormEmptyBookTest, AnEmptyBookShowsNothingAndTypingStartsTheFirstGig)
{
    OpenForm();
    EXPECT_EQ(m_form->Gigs().Grid->GridModel()->rowCount(), 0);
    EXPECT_TRUE(GigText("Gig venue").isEmpty());
    EXPECT_FALSE(m_form->Gigs().Navigator->Button(nbNext)->isEnabled());
    Retype(GigEdit("Gig date"), DateToStr(May(1)));
    EXPECT_EQ(GigTable()->State(), dsInsert);
    Retype(GigEdit("Gig venue"), QStringLiteral("First gig"));
    Click(m_form->Gigs(), nbPost);
    EXPECT_EQ(GigTable()->RecordCount(), 1);
    EXPECT_EQ(m_form->Gigs().Grid->GridModel()->index(0, 1).data().toString(),
              QStringLiteral("First gig"));

    // A gig without a venue is stored too, with an empty column.
    Click(m_form->Gigs(), nbInsert);
    Retype(GigEdit("Gig date"), DateToStr(May(2)));
    Click(m_form->Gigs(), nbPost);
    EXPECT_EQ(GigTable()->RecordCount(), 2);
    EXPECT_TRUE(m_form->Gigs().Grid->GridModel()->index(1, 1).data().toString().isEmpty());
}
