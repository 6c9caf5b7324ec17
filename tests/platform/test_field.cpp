#include "platform/exceptions.h"
#include "platform/tableschema.h"
#include "tablefixture.h"

#include <cstring>

namespace {

class FieldTest : public TableFixture
{
protected:
    std::unique_ptr<TTable> m_table;
    TFormatSettings m_saved;

    void SetUp() override
    {
        TableFixture::SetUp();
        m_saved = FormatSettings();
        TFormatSettings us = m_saved;
        us.ShortDateFormat = QStringLiteral("m/d/yyyy");
        us.DateSeparator = QLatin1Char('/');
        us.TimeSeparator = QLatin1Char(':');
        us.LongTimeFormat = QStringLiteral("hh:nn:ss");
        us.DecimalSeparator = QLatin1Char('.');
        SetFormatSettings(us);
        m_table = OpenTable();
        m_table->Append();
    }
    void TearDown() override { SetFormatSettings(m_saved); }
    TField* F(const char* name) { return m_table->FieldByName(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(FieldTest, DateAndTimeFieldsKeepTheirPartAndShowLocaleText)
{
    F("Gig date")->SetAsDateTime(EncodeDate(2024, 5, 3) + 0.75);
    EXPECT_DOUBLE_EQ(F("Gig date")->AsDateTime(), EncodeDate(2024, 5, 3));
    EXPECT_EQ(F("Gig date")->Text(), QStringLiteral("5/3/2024"));
    F("Gig date")->SetText(QStringLiteral("12/31/2023"));
    EXPECT_DOUBLE_EQ(F("Gig date")->AsDateTime(), EncodeDate(2023, 12, 31));
    F("Gig date")->SetAsVariant(QDate(2025, 1, 2));
    EXPECT_EQ(F("Gig date")->AsString(), QStringLiteral("1/2/2025"));

    // Time fields keep the time of day only.
    F("Gig time")->SetAsDateTime(EncodeDate(2024, 5, 3) + EncodeTime(20, 30, 0, 0));
    EXPECT_DOUBLE_EQ(F("Gig time")->AsDateTime(), EncodeTime(20, 30, 0, 0));
    EXPECT_EQ(F("Gig time")->Text(), QStringLiteral("20:30:00"));
    F("Gig time")->SetText(QStringLiteral("9:15 PM"));
    EXPECT_DOUBLE_EQ(F("Gig time")->AsDateTime(), EncodeTime(21, 15, 0, 0));
}

TEST_F(FieldTest, BadTextRaisesConvertErrorAndKeepsTheOldValue)
{
    F("Gig date")->SetAsDateTime(EncodeDate(2024, 5, 3));
    F("Gig length")->SetAsFloat(2.5);
    EXPECT_THROW(F("Gig date")->SetText(QStringLiteral("next Friday")), EConvertError);
    EXPECT_THROW(F("Gig date")->SetText(QStringLiteral("2/30/2024")), EConvertError);
    EXPECT_THROW(F("Gig time")->SetText(QStringLiteral("25:00")), EConvertError);
    EXPECT_THROW(F("Gig length")->SetText(QStringLiteral("two hours")), EConvertError);
    EXPECT_DOUBLE_EQ(F("Gig date")->AsDateTime(), EncodeDate(2024, 5, 3));
    EXPECT_DOUBLE_EQ(F("Gig length")->AsFloat(), 2.5);
}

TEST_F(FieldTest, NumbersConvertBothWaysWithTheLocaleSeparator)
{
    F("Gig length")->SetText(QStringLiteral("1.75"));
    EXPECT_DOUBLE_EQ(F("Gig length")->AsFloat(), 1.75);
    EXPECT_EQ(F("Gig length")->AsInteger(), 2);
    TFormatSettings comma = FormatSettings();
    comma.DecimalSeparator = QLatin1Char(',');
    SetFormatSettings(comma);
    EXPECT_EQ(F("Gig length")->Text(), QStringLiteral("1,75"));
    F("Gig length")->SetText(QStringLiteral("3,5"));
    EXPECT_DOUBLE_EQ(F("Gig length")->AsFloat(), 3.5);
    F("Gig length")->SetAsInteger(4);
    EXPECT_EQ(F("Gig length")->Text(), QStringLiteral("4"));
}

TEST_F(FieldTest, EmptyTextAndClearMakeNull)
{
    F("Gig venue")->SetAsString(QStringLiteral("Mill"));
    EXPECT_FALSE(F("Gig venue")->IsNull());
    F("Gig venue")->SetAsString(QString());
    EXPECT_TRUE(F("Gig venue")->IsNull());
    F("Gig length")->SetAsFloat(1);
    F("Gig length")->SetText(QStringLiteral("  "));
    EXPECT_TRUE(F("Gig length")->IsNull());
    EXPECT_DOUBLE_EQ(F("Gig length")->AsFloat(), 0);
    F("Gig date")->SetAsDateTime(EncodeDate(2024, 5, 3));
    F("Gig date")->Clear();
    EXPECT_TRUE(F("Gig date")->IsNull());
    EXPECT_EQ(F("Gig date")->AsString(), QString());
}

TEST_F(FieldTest, ReadOnlyFieldsRefuseWritesAndUnknownNamesAreReported)
{
    TField* venue = F("Gig venue");
    EXPECT_EQ(venue->DisplayWidth(), 12);
    venue->SetReadOnly(true);
    EXPECT_FALSE(venue->CanModify());
    EXPECT_THROW(venue->SetAsString(QStringLiteral("x")), EDatabaseError);
    EXPECT_EQ(m_table->FindField(QStringLiteral("Stage")), nullptr);
    EXPECT_EQ(ErrorOf([&] { m_table->FieldByName(QStringLiteral("Stage")); }),
              QStringLiteral("Field 'Stage' not found"));
}

TEST_F(FieldTest, MemosHoldLongTextBeyondTheirSize)
{
    const QString longText = QStringLiteral("Set list: ").repeated(100);
    F("Gig date")->SetAsDateTime(EncodeDate(2024, 5, 3));
    F("Notes")->SetAsString(longText);
    m_table->Post();
    auto reopened = OpenTable();
    EXPECT_EQ(reopened->FieldByName(QStringLiteral("Notes"))->AsString(), longText);
}

TEST(TableSchema, DeclaredTypesRoundTrip)
{
    for (const TFieldDef& def :
         {TFieldDef{"a", ftString, 40}, TFieldDef{"b", ftMemo, 240}, TFieldDef{"c", ftDate},
          TFieldDef{"d", ftTime}, TFieldDef{"e", ftDateTime}, TFieldDef{"f", ftFloat},
          TFieldDef{"g", ftInteger}, TFieldDef{"h", ftBoolean}}) {
        EXPECT_EQ(FieldDefFromColumn(def.Name, DeclaredType(def), false, false), def)
            << qPrintable(DeclaredType(def));
    }
    EXPECT_EQ(FieldDefFromColumn("id", "INTEGER", true, true).DataType, ftAutoInc);
    EXPECT_EQ(FieldDefFromColumn("t", "TEXT", false, false).DataType, ftMemo);
}

TEST(TableSchema, StoredDatesAreIsoTextAndReadBack)
{
    const TDateTime when = EncodeDate(2024, 5, 3) + EncodeTime(20, 30, 5, 0);
    EXPECT_EQ(ToStoredValue(ftDate, DateOf(when)).toString(), QStringLiteral("2024-05-03"));
    EXPECT_EQ(ToStoredValue(ftTime, TimeOf(when)).toString(), QStringLiteral("20:30:05"));
    EXPECT_EQ(ToStoredValue(ftDateTime, when).toString(), QStringLiteral("2024-05-03 20:30:05"));
    EXPECT_EQ(ToStoredValue(ftTime, EncodeTime(1, 2, 3, 45)).toString(),
              QStringLiteral("01:02:03.045"));
    double value = 0;
    ASSERT_TRUE(ParseStoredDateTime(ftDateTime, "2024-05-03 20:30:05", 19, value));
    EXPECT_NEAR(value, when, 1e-9);
    ASSERT_TRUE(ParseStoredDateTime(ftTime, "01:02:03.045", 12, value));
    EXPECT_NEAR(value, EncodeTime(1, 2, 3, 45), 1e-12);
    EXPECT_FALSE(ParseStoredDateTime(ftDate, "2024-02-30", 10, value));
    EXPECT_FALSE(ParseStoredDateTime(ftDate, "May 3", 5, value));
    EXPECT_FALSE(ParseStoredDateTime(ftTime, "20:3", 4, value));
}

TEST_F(TableFixture, AutoIncrementKeysAreAssignedByTheTable)
{
    TFieldDefs fields;
    fields.Add(QStringLiteral("Id"), ftAutoInc);
    fields.Add(QStringLiteral("Name"), ftString, 20);
    TIndexDefs indexes;
    indexes.Add(QString(), QStringLiteral("Id"), ixPrimary);
    indexes.Add(QStringLiteral("ByName"), QStringLiteral("Name"), ixUnique);
    auto table = CreateAndOpen(QStringLiteral("people.db"), fields, indexes);
    EXPECT_EQ(table->FieldByName(QStringLiteral("Id"))->DataType(), ftAutoInc);
    EXPECT_FALSE(table->FieldByName(QStringLiteral("Id"))->CanModify());
    EXPECT_EQ(table->IndexDefs().Count(), 2);
    for (const char* name : {"Ann", "Bob"}) {
        table->Append();
        table->FieldByName(QStringLiteral("Name"))->SetAsString(QString::fromLatin1(name));
        table->Post();
        EXPECT_GT(table->FieldByName(QStringLiteral("Id"))->AsInteger(), 0);
    }
    EXPECT_EQ(table->FieldByName(QStringLiteral("Id"))->AsInteger(), 2);
    table->Append();
    table->FieldByName(QStringLiteral("Name"))->SetAsString(QStringLiteral("Ann"));
    EXPECT_THROW(table->Post(), EKeyViolation) << "a unique secondary index is a key too";

    TIndexDefs bad;
    bad.Add(QString(), QStringLiteral("Nope"), ixPrimary);
    EXPECT_THROW(CreateTableStatements(QStringLiteral("t"), fields, bad), EDatabaseError)
        << "a key on a field the table does not have";
}

TEST(TableSchema, DateReaderReusesTheMonthButStillChecksEveryDay)
{
    TStoredDateReader reader;
    double value = 0;
    const auto read = [&](const char* text) {
        return reader.Read(ftDate, text, int(std::strlen(text)), value);
    };
    ASSERT_TRUE(read("2024-02-01"));
    EXPECT_DOUBLE_EQ(value, EncodeDate(2024, 2, 1));
    ASSERT_TRUE(read("2024-02-29"));
    EXPECT_DOUBLE_EQ(value, EncodeDate(2024, 2, 29));
    EXPECT_FALSE(read("2024-02-30"));
    EXPECT_FALSE(read("2024-02-00"));
    EXPECT_FALSE(read("2024-02-3x"));
    ASSERT_TRUE(read("2024-03-31"));
    EXPECT_DOUBLE_EQ(value, EncodeDate(2024, 3, 31));
    ASSERT_TRUE(read("2023-02-28"));
    EXPECT_FALSE(read("2023-02-29"));
    ASSERT_TRUE(reader.Read(ftTime, "20:30:00", 8, value));
    EXPECT_DOUBLE_EQ(value, EncodeTime(20, 30, 0, 0));
}
