#include "platform/datalink.h"
#include "platform/datasource.h"
#include "platform/exceptions.h"
#include "tablefixture.h"

namespace {

// Records every notification, in order, into a log shared with the dataset's events.
class TLogLink : public TDataLink
{
public:
    explicit TLogLink(QStringList& log) : m_log(log) {}
    QString PendingVenue; // text typed into a bound edit but not yet written

protected:
    void ActiveChanged() override { m_log << QStringLiteral("ActiveChanged(%1)").arg(Active()); }
    void EditingChanged() override { m_log << QStringLiteral("EditingChanged(%1)").arg(Editing()); }
    void DataSetChanged() override
    {
        m_log << QStringLiteral("DataSetChanged");
        TDataLink::DataSetChanged();
    }
    void DataSetScrolled(int distance) override
    {
        m_log << QStringLiteral("DataSetScrolled(%1)").arg(distance);
    }
    void RecordChanged(TField* field) override
    {
        m_log << QStringLiteral("RecordChanged(%1)").arg(field ? field->FieldName() : "nil");
    }
    void UpdateData() override
    {
        m_log << QStringLiteral("UpdateData");
        if (!PendingVenue.isEmpty())
            DataSet()->FieldByName(QStringLiteral("Gig venue"))->SetAsString(PendingVenue);
        PendingVenue.clear();
    }

private:
    QStringList& m_log;
};

// Counts what a link that overrides nothing but RecordChanged receives.
class TPlainLink : public TDataLink
{
public:
    int Records = 0;
    QString StateAtLastRecord;

protected:
    void RecordChanged(TField*) override
    {
        ++Records;
        StateAtLastRecord = QString::number(DataSet()->State());
    }
};

class DataLinkTest : public TableFixture
{
protected:
    QStringList m_log;
    std::unique_ptr<TTable> m_table;
    std::unique_ptr<TDataSource> m_source;
    std::unique_ptr<TLogLink> m_link;

    void SetUp() override
    {
        TableFixture::SetUp();
        {
            auto table = OpenTable();
            for (int day : {3, 10, 17, 24})
                AddGig(*table, Day(day), QStringLiteral("V%1").arg(day));
        }
        m_table = std::make_unique<TTable>();
        m_table->SetTableName(TablePath());
        m_source = std::make_unique<TDataSource>();
        m_source->SetDataSet(m_table.get());
        m_link = std::make_unique<TLogLink>(m_log);
        m_link->SetDataSource(m_source.get());
        m_table->BeforePost = [this](TDataSet*) { m_log << QStringLiteral("BeforePost"); };
        m_table->AfterPost = [this](TDataSet*) { m_log << QStringLiteral("AfterPost"); };
        m_table->AfterScroll = [this](TDataSet*) { m_log << QStringLiteral("AfterScroll"); };
    }

    QStringList Take()
    {
        QStringList log = m_log;
        m_log.clear();
        return log;
    }
};

} // namespace

TEST_F(DataLinkTest, OpenAndCloseTellTheLinkItsActivity)
{
    EXPECT_FALSE(m_link->Active());
    m_table->Open();
    EXPECT_TRUE(m_link->Active());
    EXPECT_EQ(Take(), (QStringList{"ActiveChanged(1)", "AfterScroll"}));
    m_table->Close();
    EXPECT_FALSE(m_link->Active());
    EXPECT_EQ(Take(), (QStringList{"ActiveChanged(0)"}));
}

TEST_F(DataLinkTest, NavigationSendsChangesAndScrollsWithTheirDistance)
{
    m_table->Open();
    Take();
    m_table->Next();
    m_table->MoveBy(2);
    m_table->Next(); // already on the last record: nothing moves
    m_table->MoveBy(-2);
    m_table->Last();
    m_table->First();
    EXPECT_EQ(Take(),
              (QStringList{"DataSetScrolled(1)", "AfterScroll", "DataSetScrolled(2)", "AfterScroll",
                           "AfterScroll", "DataSetScrolled(-2)", "AfterScroll", "DataSetChanged",
                           "RecordChanged(nil)", "AfterScroll", "DataSetChanged",
                           "RecordChanged(nil)", "AfterScroll"}));
}

TEST_F(DataLinkTest, EditWritePostInOrder)
{
    m_table->Open();
    Take();
    m_table->Edit();
    m_table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Mill"));
    m_table->Post();
    EXPECT_EQ(Take(),
              (QStringList{"EditingChanged(1)", "RecordChanged(nil)", "RecordChanged(Gig venue)",
                           "UpdateData", "BeforePost", "EditingChanged(0)", "DataSetChanged",
                           "RecordChanged(nil)", "AfterPost"}));
}

TEST_F(DataLinkTest, InsertAndCancelInOrder)
{
    m_table->Open();
    Take();
    m_table->OnNewRecord = [this](TDataSet*) { m_log << QStringLiteral("OnNewRecord"); };
    m_table->Append();
    m_table->Cancel();
    EXPECT_EQ(Take(), (QStringList{"EditingChanged(1)", "OnNewRecord", "DataSetChanged",
                                   "RecordChanged(nil)", "AfterScroll", "EditingChanged(0)",
                                   "DataSetChanged", "RecordChanged(nil)"}));
}

TEST_F(DataLinkTest, UpdateDataLetsABoundEditWriteBeforePost)
{
    m_table->Open();
    m_table->Edit();
    m_link->PendingVenue = QStringLiteral("Typed");
    m_table->Post();
    auto reopened = OpenTable();
    EXPECT_EQ(Venue(*reopened), QStringLiteral("Typed"));
}

TEST_F(DataLinkTest, FailedPostLeavesTheLinkEditing)
{
    m_table->Open();
    m_table->Edit();
    m_table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(10));
    Take();
    EXPECT_THROW(m_table->Post(), EKeyViolation);
    EXPECT_EQ(Take(), (QStringList{"UpdateData", "BeforePost"}));
    EXPECT_TRUE(m_link->Editing());
    EXPECT_EQ(m_source->State(), dsEdit);
}

TEST_F(DataLinkTest, RecordChangedAfterPostSeesBrowseStateOnThePostedRecord)
{
    TPlainLink plain;
    plain.SetDataSource(m_source.get());
    m_table->Open();
    m_table->Edit();
    m_table->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(Day(30));
    plain.Records = 0;
    m_table->Post();
    EXPECT_EQ(plain.Records, 1);
    EXPECT_EQ(plain.StateAtLastRecord, QString::number(dsBrowse));
    EXPECT_EQ(Venue(*m_table), QStringLiteral("V3"));
    // By default a scroll is a change of the whole record.
    plain.Records = 0;
    m_table->First();
    m_table->Next();
    EXPECT_EQ(plain.Records, 2);
}

TEST_F(DataLinkTest, DisabledControlsHearNothingUntilTheOutermostEnableNotEvenAClose)
{
    m_table->Open();
    Take();
    m_table->DisableControls();
    m_table->DisableControls();
    EXPECT_TRUE(m_table->ControlsDisabled());
    for (m_table->First(); !m_table->Eof(); m_table->Next()) {
    }
    m_table->Edit();
    m_table->FieldByName(QStringLiteral("Gig venue"))->SetAsString(QStringLiteral("Quiet"));
    m_table->Post();
    m_table->EnableControls();
    EXPECT_TRUE(m_table->ControlsDisabled());
    QStringList log = Take();
    log.removeAll(QStringLiteral("AfterScroll"));
    log.removeAll(QStringLiteral("BeforePost"));
    log.removeAll(QStringLiteral("AfterPost"));
    EXPECT_TRUE(log.isEmpty()) << qPrintable(log.join(", "));
    m_table->EnableControls();
    EXPECT_FALSE(m_table->ControlsDisabled());
    EXPECT_EQ(Take(), (QStringList{"DataSetChanged", "RecordChanged(nil)"}));
    m_table->EnableControls(); // unbalanced: ignored
    EXPECT_TRUE(Take().isEmpty());

    // Closing while disabled is told on enable.
    m_table->DisableControls();
    m_table->Close();
    EXPECT_TRUE(m_link->Active()) << "the link has not been told yet";
    m_table->EnableControls();
    EXPECT_FALSE(m_link->Active());
    EXPECT_EQ(Take(), (QStringList{"ActiveChanged(0)"}));
}

TEST_F(DataLinkTest, LinkEditPutsTheDataSetIntoEdit)
{
    m_table->Open();
    EXPECT_TRUE(m_link->Edit());
    EXPECT_EQ(m_table->State(), dsEdit);
    m_table->Cancel();
    m_link->SetReadOnly(true);
    EXPECT_FALSE(m_link->Edit());
    EXPECT_EQ(m_table->State(), dsBrowse);
}

TEST_F(DataLinkTest, DisabledDataSourceMakesItsLinksInactive)
{
    int stateChanges = 0, dataChanges = 0;
    m_source->OnStateChange = [&](TDataSource*) { ++stateChanges; };
    m_source->OnDataChange = [&](TDataSource*, TField*) { ++dataChanges; };
    m_table->Open();
    EXPECT_EQ(stateChanges, 1);
    m_table->Next();
    EXPECT_EQ(dataChanges, 1);
    m_source->SetEnabled(false);
    EXPECT_FALSE(m_link->Active());
    EXPECT_EQ(m_source->State(), dsInactive);
    m_table->Next();
    EXPECT_EQ(dataChanges, 1);
    m_source->SetEnabled(true);
    EXPECT_TRUE(m_link->Active());
}

// Whichever of table, source and link goes first, the others forget it.
TEST_F(DataLinkTest, DestroyedPartsAreClearedFromTheOthers)
{
    m_table->Open();
    TLogLink second(m_log);
    second.SetDataSource(m_source.get());
    m_link.reset();
    m_table->Next(); // must not reach the freed link
    EXPECT_TRUE(second.Active());
    Take();

    m_table.reset();
    EXPECT_EQ(m_source->DataSet(), nullptr);
    EXPECT_FALSE(second.Active());
    EXPECT_EQ(Take(), (QStringList{"ActiveChanged(0)"}));

    m_table = OpenTable();
    m_source->SetDataSet(m_table.get());
    ASSERT_TRUE(second.Active());
    Take();
    m_source.reset();
    EXPECT_EQ(second.DataSource(), nullptr);
    EXPECT_EQ(second.DataSet(), nullptr);
    EXPECT_EQ(Take(), (QStringList{"ActiveChanged(0)"}));
    m_table->Next(); // nothing left to notify
    EXPECT_TRUE(Take().isEmpty());
}
