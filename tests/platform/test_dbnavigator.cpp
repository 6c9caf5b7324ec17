#include "controlfixture.h"
#include "platform/dbnavigator.h"
#include "platform/exceptions.h"

#include <QToolButton>

namespace {

class DBNavigatorTest : public ControlFixture
{
protected:
    TDBNavigator* m_nav = nullptr;

    void SetUp() override
    {
        ControlFixture::SetUp();
        m_nav = new TDBNavigator(m_window.get());
        m_nav->setGeometry(10, 10, 340, 25);
        m_nav->SetDataSource(m_source.get());
        ShowWindow();
    }

    // Which buttons are enabled, as a string of 0 and 1 from First to Refresh.
    QString Enabled() const
    {
        QString states;
        for (int i = 0; i < NavigateButtonCount; ++i)
            states +=
                m_nav->Button(TNavigateBtn(i))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    }

    void Click(TNavigateBtn button) { QTest::mouseClick(m_nav->Button(button), Qt::LeftButton); }
};

} // namespace

TEST_F(DBNavigatorTest, TenNamedButtonsWithToolTipsShareTheWidth)
{
    const char* names[] = {"First",  "Prior", "Next", "Last",   "Insert",
                           "Delete", "Edit",  "Post", "Cancel", "Refresh"};
    for (int i = 0; i < NavigateButtonCount; ++i) {
        QToolButton* button = m_nav->findChild<QToolButton*>(QString::fromLatin1(names[i]));
        ASSERT_NE(button, nullptr) << names[i];
        EXPECT_EQ(button, m_nav->Button(TNavigateBtn(i)));
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_EQ(button->geometry(), QRect(i * 34, 0, 34, 25)) << names[i];
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(m_nav->Button(nbPost)->toolTip(), QStringLiteral("Post edit"));
}

TEST_F(DBNavigatorTest, ButtonsAreEnabledAsFarAsTheDataSetAllowsEvenWhenEmpty)
{
    //                   F P N L I D E P C R
    EXPECT_EQ(Enabled(), "0011111001");
    Click(nbNext);
    EXPECT_EQ(Enabled(), "1111111001");
    Click(nbLast);
    EXPECT_EQ(Enabled(), "1100111001");
    Click(nbEdit);
    EXPECT_EQ(Enabled(), "1100110111");
    Click(nbCancel);
    // Cancelling settles on the record again without knowing it is the last.
    EXPECT_EQ(Enabled(), "1111111001");
    m_table->Close();
    EXPECT_EQ(Enabled(), "0000000000");
    m_table->SetReadOnly(true);
    m_table->Open();
    EXPECT_EQ(Enabled(), "0011000001");
    // An empty table offers insert, edit and refresh.
    m_table->Close();
    m_table->SetReadOnly(false);
    TTable::CreateTable(QString(), QDir(m_dir.path()).filePath(QStringLiteral("empty.db")),
                        Fields(), Indexes());
    m_table->SetTableName(QDir(m_dir.path()).filePath(QStringLiteral("empty.db")));
    m_table->Open();
    EXPECT_EQ(Enabled(), "0000101001");
}

TEST_F(DBNavigatorTest, ClicksMoveInsertEditAndPost)
{
    Click(nbNext);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V10"));
    Click(nbLast);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V24"));
    Click(nbPrior);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V17"));
    Click(nbFirst);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V3"));
    Click(nbInsert);
    EXPECT_EQ(m_table->State(), dsInsert);
    m_table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(5));
    VenueField()->SetAsString(QStringLiteral("New"));
    Click(nbPost);
    EXPECT_EQ(m_table->State(), dsBrowse);
    EXPECT_EQ(m_table->RecordCount(), 5);
    EXPECT_EQ(m_table->RecNo(), 2);
}

TEST_F(DBNavigatorTest, DeleteAsksFirstAndCancelKeepsTheRecord)
{
    {
        TMessageCapture answer(mrCancel);
        Click(nbDelete);
        EXPECT_EQ(answer.Messages(), QStringList{QStringLiteral("Delete record?")});
    }
    EXPECT_EQ(m_table->RecordCount(), 4);
    {
        TMessageCapture answer(mrOk);
        Click(nbDelete);
    }
    EXPECT_EQ(m_table->RecordCount(), 3);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V10"));
    m_nav->SetConfirmDelete(false);
    TMessageCapture none;
    Click(nbDelete);
    EXPECT_TRUE(none.Messages().isEmpty());
    EXPECT_EQ(m_table->RecordCount(), 2);
}

TEST_F(DBNavigatorTest, RefusedPostIsShownAndTheRecordStaysInEdit)
{
    Click(nbNext);
    Click(nbEdit);
    m_table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(3)); // taken by V3
    VenueField()->SetAsString(QStringLiteral("Clash"));
    TMessageCapture messages;
    Click(nbPost);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(m_table->State(), dsEdit);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("Clash"));
    EXPECT_EQ(Enabled().mid(7, 2), QStringLiteral("11")); // post and cancel still offered
    Click(nbCancel);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V10"));
}

TEST_F(DBNavigatorTest, OnClickFollowsASuccessfulOperationOnly)
{
    QList<TNavigateBtn> clicked;
    m_nav->OnClick = [&clicked](TDBNavigator*, TNavigateBtn button) { clicked << button; };
    Click(nbNext);
    EXPECT_THROW(m_nav->BtnClick(nbPost), EDatabaseError); // nothing to post
    EXPECT_EQ(clicked, QList<TNavigateBtn>{nbNext});
}
