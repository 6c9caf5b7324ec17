#include "recurrence/dateitems.h"
#include "recurrence/intlist.h"
#include "recurrence/recurrencydates.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

namespace {

// A date and time; days before 1899-12-30 carry their time as a subtracted fraction.
TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    const TDateTime date = EncodeDate(year, month, day);
    const TDateTime time = EncodeTime(hour, minute, second, 0);
    return date >= 0 ? date + time : date - time;
}

} // namespace

TEST(IntList, KeepsIntegersInOrderChecksIndexesAndKeepsACursor)
{
    TIntList list;
    EXPECT_EQ(list.StrValue(), "");
    list.Add(5);
    list.Add(7);
    list.Insert(0, 3);
    list.Insert(3, 9);
    EXPECT_EQ(list.StrValue(), "3,5,7,9");
    list.Delete(1);
    EXPECT_EQ(list.StrValue(), "3,7,9");
    list.SetInteger(0, 4);
    EXPECT_EQ(list.GetInteger(0), 4);
    EXPECT_TRUE(list.HasValue(7));
    EXPECT_FALSE(list.HasValue(5));

    EXPECT_THROW(list.GetInteger(3), EListError);
    EXPECT_THROW(list.SetInteger(-1, 0), EListError);
    EXPECT_THROW(list.Insert(5, 1), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_EQ(list.Count(), 3);

    // The cursor is apart from the values: adding leaves it, clearing resets it.
    list.SetIndex(2);
    list.Add(3);
    EXPECT_EQ(list.Index(), 2);
    list.Clear();
    EXPECT_EQ(list.Index(), 0);
}

TEST(IntList, StrValueReadsCommaSeparatedIntegers)
{
    TIntList list;
    list.SetStrValue("1,-2, 30");
    EXPECT_EQ(list.StrValue(), "1,-2,30");
    list.SetStrValue("4,,5,");
    EXPECT_EQ(list.StrValue(), "4,5");
    list.SetStrValue("");
    EXPECT_EQ(list.Count(), 0);

    list.SetStrValue("4,5");
    EXPECT_THROW(list.SetStrValue("1,x"), EConvertError);
    EXPECT_THROW(list.SetStrValue("99999999999"), EConvertError);
    EXPECT_EQ(list.StrValue(), "4,5"); // a failed read leaves the list alone
}

TEST(DateItems, AddCopyAndReplaceSpans)
{
    TDateItems items;
    const TDateItem* added = items.Add(1.5, 2.5);
    EXPECT_EQ(items.Items(0), added);
    TDateItems other;
    other.Add(3, 4);
    items.SetItems(0, *other.Items(0));
    TDateItems copy;
    copy.Assign(items);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.Items(0)->StartDate(), 3);
    EXPECT_EQ(copy.Items(0)->EndDate(), 4);
    EXPECT_THROW(items.Items(1), EListError);
}

TEST(RuleDateTimeText, WritesFixedFieldsWithoutMilliseconds)
{
    EXPECT_EQ(DateTimeToRuleText(At(2024, 3, 5, 7, 8, 9) + 600.0 / MSecsPerDay), "20240305T070809");
    EXPECT_EQ(DateTimeToRuleText(At(2024, 12, 31, 23, 59, 59)), "20241231T235959");
    // Four-digit years read back by position.
    EXPECT_EQ(DateTimeToRuleText(At(800, 7, 1)), "08000701T000000");
    EXPECT_EQ(DateTimeToRuleText(At(1899, 12, 29, 6)), "18991229T060000");
}

TEST(RuleDateTimeText, ReadsFieldsByPositionLeniently)
{
    const TDateTime expected = At(2024, 3, 5, 7, 8, 9);
    EXPECT_EQ(RuleTextToDateTime("20240305T070809"), expected);
    EXPECT_EQ(RuleTextToDateTime("20240305X070809Z"), expected); // character 9 is skipped
    EXPECT_EQ(RuleTextToDateTime("20240305"), At(2024, 3, 5));
    EXPECT_EQ(RuleTextToDateTime("20240305Txx0809"), At(2024, 3, 5, 0, 8, 9));
    for (const TDateTime value : {At(800, 7, 1, 12), At(1899, 12, 29, 6, 30), At(9999, 12, 31, 23)})
        EXPECT_EQ(RuleTextToDateTime(DateTimeToRuleText(value)), value);
}

TEST(RuleDateTimeText, ImpossibleDatesAndTimesRaise)
{
    for (const char* text :
         {"20240230T000000", "20241301T000000", "20240100T000000", "20240101T240000",
          "20240101T006000", "20240101T000060", "garbage", ""}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(RuleTextToDateTime(text), EConvertError);
    }
}

TEST(WeekdayDates, NextDayOfWeekIsOneToSevenDaysOnAtTheSameTime)
{
    const TDateTime monday = At(2024, 1, 1, 9, 30);
    EXPECT_EQ(NextDayOfWeek(monday, 2), At(2024, 1, 8, 9, 30)); // its own weekday: a week on
    EXPECT_EQ(NextDayOfWeek(monday, 1), At(2024, 1, 7, 9, 30));
    for (int weekDay = 1; weekDay <= 7; ++weekDay) {
        const TDateTime next = NextDayOfWeek(monday, weekDay);
        EXPECT_EQ(DayOfWeek(next), weekDay);
        EXPECT_GE(next - monday, 1);
        EXPECT_LE(next - monday, 7);
    }
    // A weekday number below 1 counts on in whole weeks, as the loop it stands for.
    EXPECT_EQ(NextDayOfWeek(monday, -6), At(2024, 1, 7, 9, 30));
    // Before 1899-12-30 the time of day is still kept.
    const TDateTime thursday = At(1899, 12, 28, 6);
    EXPECT_EQ(NextDayOfWeek(thursday, 7), At(1899, 12, 30, 6));
    EXPECT_EQ(NextDayOfWeek(thursday, 1), At(1899, 12, 31, 6));
}

TEST(WeekdayDates, WeekDayInMonthCountsThatWeekdayFromTheFirst)
{
    // April 2024 begins on a Monday.
    EXPECT_EQ(WeekDayInMonth(At(2024, 4, 15, 18)), 3);
    EXPECT_EQ(WeekDayInMonth(At(2024, 4, 7)), 1);
    EXPECT_EQ(WeekDayInMonth(At(2024, 4, 8)), 2);
    EXPECT_EQ(WeekDayInMonth(At(2024, 2, 29)), 5);
}
