#include "controlfixture.h"
#include "platform/dbedit.h"
#include "platform/dbmemo.h"
#include "platform/exceptions.h"

#include <QScrollBar>

namespace {

class DBEditTest : public ControlFixture
{
protected:
    TDBEdit* m_edit = nullptr;

    void SetUp() override
    {
        ControlFixture::SetUp();
        m_edit = Bind(QStringLiteral("Gig venue"));
    }

    TDBEdit* Bind(const QString& field)
    {
        auto* edit = new TDBEdit(m_window.get());
        edit->SetDataSource(m_source.get());
        edit->SetDataField(field);
        return edit;
    }
};

class DBMemoTest : public ControlFixture
{
protected:
    TDBMemo* m_memo = nullptr;

    void SetUp() override
    {
        ControlFixture::SetUp();
        m_table->Edit();
        m_table->FieldByName(QStringLiteral("Notes"))
            ->SetAsString(QStringLiteral("Load in 6pm\nPA"));
        m_table->Post();
        m_memo = new TDBMemo(m_window.get());
        m_memo->SetDataSource(m_source.get());
        m_memo->SetDataField(QStringLiteral("Notes"));
    }
};

} // namespace

TEST_F(DBEditTest, ShowsTheFieldOfTheCurrentRecordAndFollowsItAndItsSource)
{
    EXPECT_EQ(m_edit->text(), QStringLiteral("V3"));
    m_table->Next();
    EXPECT_EQ(m_edit->text(), QStringLiteral("V10"));
    m_table->Last();
    EXPECT_EQ(m_edit->text(), QStringLiteral("V24"));
    auto* date = Bind(QStringLiteral("Gig date"));
    EXPECT_EQ(date->text(), DateToStr(Day(24)));
    m_table->Insert();
    EXPECT_TRUE(m_edit->text().isEmpty());
    EXPECT_TRUE(date->text().isEmpty());
    // A second open source is shown at once.
    auto other = OpenTable();
    other->Last();
    TDataSource source;
    source.SetDataSet(other.get());
    m_edit->SetDataSource(&source);
    EXPECT_EQ(m_edit->text(), QStringLiteral("V24"));
    m_edit->SetDataSource(nullptr);
    EXPECT_TRUE(m_edit->text().isEmpty());
}

TEST_F(DBEditTest, LengthIsLimitedToTheSizeOfStringFields)
{
    EXPECT_EQ(m_edit->maxLength(), 12);
    EXPECT_EQ(Bind(QStringLiteral("Gig state"))->maxLength(), 2);
    EXPECT_EQ(Bind(QStringLiteral("Gig date"))->maxLength(), 32767);
    QTest::keyClicks(m_edit, QStringLiteral("abcdefghijklmnop"));
    EXPECT_EQ(m_edit->text().size(), 12);
}

TEST_F(DBEditTest, TypingEntersEditKeepingTheTypedTextAndPostWritesIt)
{
    m_edit->setCursorPosition(2);
    QTest::keyClicks(m_edit, QStringLiteral(" Hall"));
    EXPECT_EQ(m_table->State(), dsEdit);
    EXPECT_EQ(m_edit->text(), QStringLiteral("V3 Hall"));
    // Not in the field until the record is posted or the edit is left.
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V3"));
    m_table->Post();
    EXPECT_EQ(m_table->State(), dsBrowse);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V3 Hall"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("V3 Hall"));
}

TEST_F(DBEditTest, TypingIntoAnEmptyTableStartsANewRecord)
{
    m_table->First();
    while (!m_table->IsEmpty())
        m_table->Delete();
    QTest::keyClicks(m_edit, QStringLiteral("Barn"));
    EXPECT_EQ(m_table->State(), dsInsert);
    EXPECT_EQ(m_edit->text(), QStringLiteral("Barn"));
}

TEST_F(DBEditTest, LeavingAndEnterWriteTheTextEscapeRestoresIt)
{
    QTest::keyClicks(m_edit, QStringLiteral("X"));
    LeaveByTab(m_edit);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V3X"));
    EXPECT_EQ(m_table->State(), dsEdit);
    QTest::keyClicks(m_edit, QStringLiteral("Y"));
    QTest::keyClick(m_edit, Qt::Key_Return);
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V3XY"));
    // Escape brings back the field's value.
    QTest::keyClicks(m_edit, QStringLiteral("zzz"));
    QTest::keyClick(m_edit, Qt::Key_Escape);
    EXPECT_EQ(m_edit->text(), QStringLiteral("V3XY"));
    m_table->Post();
    EXPECT_EQ(VenueField()->AsString(), QStringLiteral("V3XY"));
}

TEST_F(DBEditTest, ATextTheFieldRefusesKeepsTheTextAndShowsTheError)
{
    auto* date = Bind(QStringLiteral("Gig date"));
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("not a date"));
    TMessageCapture messages;
    LeaveByTab(date);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Last().contains(QStringLiteral("not a date")))
        << messages.Last().toStdString();
    EXPECT_EQ(date->text(), QStringLiteral("not a date"));
    EXPECT_EQ(date->selectedText(), QStringLiteral("not a date"));
    EXPECT_EQ(m_table->FieldByName(QStringLiteral("Gig date"))->AsDateTime(), Day(3));
    // Posting fails the same way and leaves the record in edit.
    EXPECT_THROW(m_table->Post(), EConvertError);
    EXPECT_EQ(m_table->State(), dsEdit);
    EXPECT_EQ(date->text(), QStringLiteral("not a date"));
}

TEST_F(DBEditTest, ReadOnlyWhereTheDataCannotBeChanged)
{
    EXPECT_FALSE(m_edit->isReadOnly());
    auto* missing = Bind(QStringLiteral("No such field"));
    EXPECT_TRUE(missing->isReadOnly());
    EXPECT_TRUE(missing->text().isEmpty());
    m_edit->SetReadOnly(true);
    EXPECT_TRUE(m_edit->isReadOnly());
    m_edit->SetReadOnly(false);
    m_table->Close();
    EXPECT_TRUE(m_edit->isReadOnly());
    EXPECT_TRUE(m_edit->text().isEmpty());
    m_table->SetReadOnly(true);
    m_table->Open();
    EXPECT_EQ(m_edit->text(), QStringLiteral("V3"));
    EXPECT_TRUE(m_edit->isReadOnly());
}

TEST_F(DBMemoTest, ShowsFollowsAndStoresLinesOfText)
{
    EXPECT_EQ(m_memo->toPlainText(), QStringLiteral("Load in 6pm\nPA"));
    EXPECT_EQ(m_memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(m_memo->tabChangesFocus());
    m_table->Next();
    EXPECT_TRUE(m_memo->toPlainText().isEmpty());
    QTest::keyClicks(m_memo, QStringLiteral("Two sets"));
    QTest::keyClick(m_memo, Qt::Key_Return);
    QTest::keyClicks(m_memo, QStringLiteral("No food"));
    EXPECT_EQ(m_table->State(), dsEdit);
    m_table->Post();
    EXPECT_EQ(m_table->FieldByName(QStringLiteral("Notes"))->AsString(),
              QStringLiteral("Two sets\nNo food"));
}

TEST_F(DBMemoTest, EscapeRestoresAndLeavingWrites)
{
    QTest::keyClicks(m_memo, QStringLiteral("!"));
    QTest::keyClick(m_memo, Qt::Key_Escape);
    EXPECT_EQ(m_memo->toPlainText(), QStringLiteral("Load in 6pm\nPA"));
    m_memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_memo, QStringLiteral(" hire"));
    LeaveByTab(m_memo);
    EXPECT_EQ(m_table->FieldByName(QStringLiteral("Notes"))->AsString(),
              QStringLiteral("Load in 6pm\nPA hire"));
}
