#include "markup/datetimelist.h"
#include "markup/monthdates.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

TEST(MonthDates, DaysInMonthFollowsTheGregorianLeapRule)
{
    const uint16_t common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (uint16_t month = 1; month <= 12; ++month) {
        EXPECT_EQ(DaysInMonth(month, 2023), common[month - 1]) << month;
        EXPECT_EQ(DaysInMonth(month, 2024), month == 2 ? 29 : common[month - 1]) << month;
    }
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 1600), 29);
    // A month that does not exist has no days rather than reading past the table.
    EXPECT_EQ(DaysInMonth(0, 2024), 0);
    EXPECT_EQ(DaysInMonth(13, 2024), 0);
    EXPECT_EQ(DaysInMonth(65535, 2024), 0);
}

TEST(MonthDates, EndOfMonthIsTheLastDayAtMidnight)
{
    EXPECT_EQ(EndOfMonth(EncodeDate(2024, 2, 10) + 0.75), EncodeDate(2024, 2, 29));
    EXPECT_EQ(EndOfMonth(EncodeDate(2023, 2, 1)), EncodeDate(2023, 2, 28));
    EXPECT_EQ(EndOfMonth(EncodeDate(2023, 12, 31) + 0.5), EncodeDate(2023, 12, 31));
    EXPECT_EQ(EndOfMonth(EncodeDate(1899, 12, 5)), EncodeDate(1899, 12, 31)); // before day 0
    EXPECT_EQ(EndOfMonth(EncodeDate(2024, 4, 30)), EncodeDate(2024, 4, 30));
}

TEST(MonthDates, NextMonthAndLimit)
{
    EXPECT_EQ(NextMonth(11), 12);
    EXPECT_EQ(NextMonth(12), 1);
    EXPECT_EQ(NextMonth(0), 1);
    EXPECT_EQ(NextMonth(13), 1);

    EXPECT_EQ(Limit(5, 1, 10), 5);
    EXPECT_EQ(Limit(-3, 1, 10), 1);
    EXPECT_EQ(Limit(11, 1, 10), 10);
    EXPECT_EQ(Limit(5, 10, 1), 1); // Max is tested first
    EXPECT_EQ(Limit(0, 10, 1), 10);
}

TEST(DateTimeList, AddInsertDeleteKeepTheOrderAndBadIndexesRaise)
{
    TDateTimeList list;
    EXPECT_THROW(list.GetDT(0), EListError);
    EXPECT_THROW(list.Insert(1, 1.0), EListError);
    EXPECT_EQ(list.Add(45000.25), 0);
    EXPECT_EQ(list.Add(45002.5), 1);
    list.Insert(1, 45001.0);
    list.Insert(3, 45003.0); // at the end
    list.Insert(0, 44999.0);
    ASSERT_EQ(list.Count(), 5);
    const double expected[5] = {44999.0, 45000.25, 45001.0, 45002.5, 45003.0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.GetDT(i), expected[i]);

    list.SetDT(2, 1.5);
    EXPECT_EQ(list.Items(2)->Value(), 1.5);
    list.Delete(0);
    list.Delete(3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetDT(0), 45000.25);
    EXPECT_EQ(list.GetDT(1), 1.5);
    EXPECT_EQ(list.GetDT(2), 45002.5);

    EXPECT_THROW(list.GetDT(-1), EListError);
    EXPECT_THROW(list.SetDT(3, 3.0), EListError);
    EXPECT_THROW(list.Items(5), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Insert(-1, 3.0), EListError);
    EXPECT_THROW(list.Insert(4, 3.0), EListError);
    try {
        list.GetDT(7);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (7)"));
    }
    // A failed call changes nothing.
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetDT(2), 45002.5);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(7.0), 0);
}
