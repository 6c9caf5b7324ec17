#include "recurrence/recurrencyhandler.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    const TDateTime date = EncodeDate(year, month, day);
    const TDateTime time = EncodeTime(hour, minute, second, 0);
    return date >= 0 ? date + time : date - time;
}

void ParseRule(TRecurrencyHandler& handler, const char* rule)
{
    handler.SetRecurrency(QString::fromLatin1(rule));
    handler.Parse();
}

std::string ComposeAfterParse(const char* rule)
{
    TRecurrencyHandler handler;
    ParseRule(handler, rule);
    return handler.Compose().toStdString();
}

// A handler for one-hour occurrences from 2024-01-01 09:00, a Monday.
struct TGigSeries
{
    TRecurrencyHandler Handler;

    explicit TGigSeries(const char* rule)
    {
        Handler.SetRecurrency(QString::fromLatin1(rule));
        Handler.SetStartTime(At(2024, 1, 1, 9));
        Handler.SetEndTime(At(2024, 1, 1, 10));
    }

    std::vector<std::string> Generate()
    {
        Handler.Generate();
        std::vector<std::string> starts;
        for (int i = 0; i < Handler.Dates().Count(); ++i)
            starts.push_back(
                DateTimeToRuleText(Handler.Dates().Items(i)->StartDate()).toStdString());
        return starts;
    }
};

using Starts = std::vector<std::string>;

} // namespace

TEST(RecurrencyParse, ReadsEveryPart)
{
    TRecurrencyHandler h;
    ParseRule(h, "RRULE:FREQ=MONTHLY;COUNT=12;UNTIL=20241231T235959;INTERVAL=3;BYMONTH=1,6;"
                 "BYDAY=2TU,FR;BYHOUR=9,17");
    EXPECT_EQ(h.Frequency(), rfMonthly);
    EXPECT_EQ(h.RepeatCount(), 12);
    EXPECT_EQ(h.RepeatUntil(), At(2024, 12, 31, 23, 59, 59));
    EXPECT_EQ(h.Interval(), 3);
    EXPECT_EQ(h.ByMonth().StrValue(), "1,6");
    EXPECT_EQ(h.ByDay().StrValue(), "23,6");
    EXPECT_EQ(h.ByHour().StrValue(), "9,17");
    EXPECT_EQ(h.WeekDays().count(), 2u);
    EXPECT_TRUE(h.WeekDays().test(3));
    EXPECT_TRUE(h.WeekDays().test(6));
    EXPECT_EQ(h.GetDayNum(3), 2);
    EXPECT_EQ(h.GetDayNum(6), 0);
    EXPECT_EQ(h.ByDay().Index(), 0);
    EXPECT_EQ(h.ByHour().Index(), 0);
    // With weekdays listed too, the start's month is the first listed one.
    EXPECT_EQ(h.ByMonth().Index(), 1);

    ParseRule(h, "RRULE:FREQ=YEARLY;BYMONTH=1,6");
    EXPECT_EQ(h.ByMonth().Index(), 0);
}

TEST(RecurrencyParse, IgnoresCaseSpacesAndUnknownParts)
{
    TRecurrencyHandler h;
    ParseRule(h, "");
    EXPECT_EQ(h.Frequency(), frNone);
    EXPECT_EQ(h.Interval(), 1); // a missing interval is every period
    EXPECT_EQ(h.RepeatUntil(), 0);
    ParseRule(h, "rrule: freq = weekly ;\tbyday = mo, we\n");
    EXPECT_EQ(h.Frequency(), rfWeekly);
    EXPECT_TRUE(h.WeekDays().test(2));
    EXPECT_TRUE(h.WeekDays().test(4));
    EXPECT_EQ(h.WeekDays().count(), 2u);

    ParseRule(h, "FREQ=DAILY");
    EXPECT_EQ(h.Frequency(), rfDaily);
    ParseRule(h, "RRULE:FREQ=YEARLY;;COUNT;X=1;=5;count=4;WKST=MO");
    EXPECT_EQ(h.Frequency(), rfYearly);
    EXPECT_EQ(h.RepeatCount(), 4);
    // The words are looked for in the value, hourly first.
    ParseRule(h, "FREQ=XDAILYHOURLY");
    EXPECT_EQ(h.Frequency(), rfHourly);
    ParseRule(h, "FREQ=FORTNIGHTLY");
    EXPECT_EQ(h.Frequency(), frNone);
    // Everything from "#" on is no part of the rule.
    ParseRule(h, "FREQ=DAILY#COUNT=5");
    EXPECT_EQ(h.RepeatCount(), 0);
    EXPECT_EQ(h.ExDates().Count(), 0);
}

TEST(RecurrencyParse, ByDayOrdinalsStayWithinTheWeekAndHoursAndMonthsAreSets)
{
    TRecurrencyHandler h;
    ParseRule(h, "FREQ=MONTHLY;BYDAY=12TU,-1FR,8,0,SA");
    EXPECT_EQ(h.ByDay().StrValue(), "123,-16,8,0,7");
    EXPECT_EQ(h.WeekDays().count(), 2u);
    EXPECT_TRUE(h.WeekDays().test(3));
    EXPECT_TRUE(h.WeekDays().test(7));
    EXPECT_EQ(h.GetDayNum(3), 12);
    EXPECT_EQ(h.GetDayNum(6), 0); // the negative ordinal wrote nothing
    EXPECT_EQ(h.GetDayNum(8), 0);

    ParseRule(h, "FREQ=MONTHLY;BYDAY=9999MO");
    EXPECT_EQ(h.GetDayNum(2), 255); // held as a byte, never wrapped round to "every"

    // Hours and months are sets of real values.
    ParseRule(h, "FREQ=DAILY;BYHOUR=17,9,9,24,-1;BYMONTH=12,0,13,3");
    EXPECT_EQ(h.ByHour().StrValue(), "9,17");
    EXPECT_EQ(h.ByMonth().StrValue(), "3,12");
}

TEST(RecurrencyParse, NonIntegerListsAndImpossibleDatesRaise)
{
    for (const char* rule :
         {"FREQ=DAILY;BYDAY=MO,XX", "FREQ=DAILY;BYHOUR=9,nine", "FREQ=YEARLY;BYMONTH=1.5",
          "FREQ=DAILY;UNTIL=20240230T000000", "FREQ=DAILY;UNTIL=2024",
          "FREQ=DAILY#EXDATES:20240101T000000/20241301T000000"}) {
        SCOPED_TRACE(rule);
        TRecurrencyHandler h;
        h.SetRecurrency(rule);
        EXPECT_THROW(h.Parse(), EConvertError);
    }
    // Counts, intervals and frequencies are read leniently.
    TRecurrencyHandler h;
    h.SetRecurrency("COUNT=many;INTERVAL=x;FREQ=??;UNKNOWN=1,x");
    EXPECT_NO_THROW(h.Parse());
    EXPECT_EQ(h.RepeatCount(), 0);
    EXPECT_EQ(h.Interval(), 1);
}

TEST(RecurrencyParse, ReadsExceptionPairsAndStartsAfreshEachTime)
{
    TRecurrencyHandler h;
    ParseRule(h, "FREQ=WEEKLY;BYDAY=MO;BYHOUR=9#EXDATES:20240102T090000/20240102T100000,"
                 "nonsense,20240103T090000/20240103T100000,");
    ASSERT_EQ(h.ExDates().Count(), 2);
    EXPECT_EQ(h.ExDates().Items(0)->StartDate(), At(2024, 1, 2, 9));
    EXPECT_EQ(h.ExDates().Items(1)->EndDate(), At(2024, 1, 3, 10));
    h.Parse();
    EXPECT_EQ(h.ExDates().Count(), 2);

    ParseRule(h, "FREQ=DAILY");
    EXPECT_TRUE(h.ByHour().IsEmpty());
    EXPECT_EQ(h.Compose().toStdString(), "RRULE:FREQ=DAILY");
}

TEST(RecurrencyCompose, WritesThePartsInOrder)
{
    TRecurrencyHandler h;
    h.SetFrequency(rfDaily);
    h.SetRepeatCount(10);
    h.SetInterval(2);
    h.WeekDays().set(6);
    h.WeekDays().set(2);
    h.SetDayNum(6, 3);
    EXPECT_EQ(h.Compose().toStdString(), "RRULE:FREQ=DAILY;COUNT=10;INTERVAL=2;BYDAY=MO,3FR");

    EXPECT_EQ(ComposeAfterParse("RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO"),
              "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,SU");
    EXPECT_EQ(ComposeAfterParse("FREQ=YEARLY;BYHOUR=8;BYDAY=SU,2MO;BYMONTH=6;INTERVAL=2;"
                                "UNTIL=20301231T120000;COUNT=3#EXDATES:20240610T080000/"
                                "20240610T090000"),
              "RRULE:FREQ=YEARLY;COUNT=3;UNTIL=20301231T120000;INTERVAL=2;BYMONTH=6;"
              "BYDAY=2MO,SU;BYHOUR=8#EXDATES:20240610T080000/20240610T090000");
    EXPECT_EQ(ComposeAfterParse("COUNT=0;INTERVAL=1"), "RRULE:FREQ=");
}

TEST(RecurrencyCompose, RoundTripsParsedRules)
{
    for (const char* rule :
         {"RRULE:FREQ=HOURLY;COUNT=5", "RRULE:FREQ=DAILY;UNTIL=20250101T093000",
          "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR", "RRULE:FREQ=MONTHLY;BYDAY=2TU",
          "RRULE:FREQ=MONTHLY;COUNT=6;BYDAY=1MO,5FR", "RRULE:FREQ=YEARLY;BYMONTH=3,6,12;BYDAY=TU",
          "RRULE:FREQ=DAILY;BYHOUR=9,17", "RRULE:FREQ=DAILY;UNTIL=08000101T000000",
          "RRULE:FREQ=DAILY;UNTIL=18500101T120000",
          "RRULE:FREQ=WEEKLY;BYDAY=SA#EXDATES:20240106T200000/20240106T230000,20240113T200000/"
          "20240113T230000"}) {
        EXPECT_EQ(ComposeAfterParse(rule), rule);
    }
    const std::string tidy = ComposeAfterParse("rrule:freq=weekly;byday=fr,mo;interval=1");
    EXPECT_EQ(tidy, "RRULE:FREQ=WEEKLY;BYDAY=MO,FR");
    EXPECT_EQ(ComposeAfterParse(tidy.c_str()), tidy);
}

TEST(RecurrencyGenerate, ExceptionsMatchExactlyAndNeverTheFirst)
{
    EXPECT_EQ(
        TGigSeries("RRULE:FREQ=DAILY;COUNT=4#EXDATES:20240102T090000/20240102T100000").Generate(),
        (Starts{"20240101T090000", "20240103T090000", "20240104T090000"}));
    // A second off at either end is another occurrence.
    EXPECT_EQ(TGigSeries("RRULE:FREQ=DAILY;COUNT=4#EXDATES:20240102T090001/20240102T100000")
                  .Generate()
                  .size(),
              4u);
    EXPECT_EQ(TGigSeries("RRULE:FREQ=DAILY;COUNT=4#EXDATES:20240102T090000/20240102T095959")
                  .Generate()
                  .size(),
              4u);
    TGigSeries first("RRULE:FREQ=DAILY;COUNT=4#EXDATES:20240101T090000/20240101T100000,"
                     "20240104T090000/20240104T100000,20250101T090000/20250101T100000");
    EXPECT_EQ(first.Generate(), (Starts{"20240101T090000", "20240102T090000", "20240103T090000"}));
    EXPECT_EQ(first.Handler.ExDates().Count(), 3);
}

TEST(RecurrencyGenerate, HourlyExceptionsStillMatchAfterManySteps)
{
    TGigSeries series("RRULE:FREQ=HOURLY;COUNT=1000#EXDATES:20240120T130000/20240120T140000");
    const Starts starts = series.Generate();
    EXPECT_EQ(starts.size(), 999u);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), "20240120T130000"), 0);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), "20240120T120000"), 1);
}

TEST(RecurrencyGenerate, NextDateWalksEveryOccurrenceOnceAndAnEmptyRuleHasOne)
{
    TGigSeries series("RRULE:FREQ=DAILY;COUNT=3");
    series.Generate();
    TRecurrencyHandler& h = series.Handler;
    EXPECT_TRUE(h.IsRecurrent());
    EXPECT_EQ(h.RecurrentMinDate(), At(2024, 1, 1, 9));
    EXPECT_EQ(h.RecurrentMaxDate(), At(2024, 1, 3, 10));
    std::vector<TDateTime> walked;
    TDateTime start = 0, end = 0;
    while (h.NextDate(start, end)) {
        walked.push_back(start);
        EXPECT_EQ(end - start, At(2024, 1, 1, 10) - At(2024, 1, 1, 9));
    }
    EXPECT_EQ(walked,
              (std::vector<TDateTime>{At(2024, 1, 1, 9), At(2024, 1, 2, 9), At(2024, 1, 3, 9)}));
    EXPECT_FALSE(h.NextDate(start, end));
    h.Generate();
    EXPECT_TRUE(h.NextDate(start, end));
    EXPECT_EQ(start, At(2024, 1, 1, 9));

    // An empty rule is the record's one occurrence.
    TGigSeries single("");
    EXPECT_EQ(single.Generate(), (Starts{"20240101T090000"}));
    EXPECT_FALSE(single.Handler.IsRecurrent());
    EXPECT_EQ(single.Handler.RecurrentMaxDate(), At(2024, 1, 1, 10));
    EXPECT_TRUE(single.Handler.NextDate(start, end));
    EXPECT_EQ(end, At(2024, 1, 1, 10));
    EXPECT_FALSE(single.Handler.NextDate(start, end));
    EXPECT_FALSE(single.Handler.NextDate(start, end));
}

TEST(RecurrencyGenerate, AReusedHandlerStartsEachRecordAfresh)
{
    TGigSeries series(
        "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=5#EXDATES:20240103T090000/20240103T100000");
    EXPECT_EQ(series.Generate().size(), 4u);
    TRecurrencyHandler& h = series.Handler;
    h.SetRecurrency("RRULE:FREQ=DAILY;COUNT=2");
    h.SetStartTime(At(2024, 5, 1, 20));
    h.SetEndTime(At(2024, 5, 1, 23));
    h.Generate();
    EXPECT_EQ(h.Dates().Count(), 2);
    EXPECT_EQ(h.ExDates().Count(), 0);
    EXPECT_TRUE(h.WeekDays().none());
    EXPECT_EQ(h.RecurrentMaxDate(), At(2024, 5, 2, 23));
}

TEST(RecurrencyGenerate, TheGenerationEndIsNotWrittenIntoTheRule)
{
    TGigSeries series("RRULE:FREQ=DAILY");
    series.Handler.SetTimeSpan(At(2024, 1, 10));
    EXPECT_EQ(series.Generate().size(), 9u);
    EXPECT_EQ(series.Handler.RepeatUntil(), 0);
    EXPECT_EQ(series.Handler.Compose().toStdString(), "RRULE:FREQ=DAILY");
}

TEST(RecurrencyGenerate, StopsAtMaxOccurrences)
{
    TGigSeries hourly("RRULE:FREQ=HOURLY;COUNT=2000000000");
    hourly.Handler.SetMaxOccurrences(500);
    EXPECT_EQ(hourly.Generate().size(), 500u);
    TGigSeries daily("RRULE:FREQ=DAILY;UNTIL=99991231T000000");
    daily.Handler.SetMaxOccurrences(1000);
    const Starts starts = daily.Generate();
    ASSERT_EQ(starts.size(), 1000u);
    EXPECT_EQ(starts.back(), "20260926T090000");
}

TEST(RecurrencyGenerate, BadListsRaiseButBadStartsDoNot)
{
    TGigSeries series("RRULE:FREQ=DAILY;BYDAY=1X");
    EXPECT_THROW(series.Generate(), EConvertError);
    EXPECT_EQ(series.Handler.Dates().Count(), 1); // the record's own span is still there

    for (const TDateTime start : {std::numeric_limits<double>::quiet_NaN(), 1e12, -1e7}) {
        TRecurrencyHandler h;
        h.SetRecurrency("RRULE:FREQ=MONTHLY;BYDAY=2TU;COUNT=3");
        h.SetStartTime(start);
        h.SetEndTime(start);
        EXPECT_NO_THROW(h.Generate());
        EXPECT_EQ(h.Dates().Count(), 1);
    }
}

TEST(RecurrencyApplyFreq, StepsByEachFrequency)
{
    TRecurrencyHandler h;
    const TDateTime t = At(2024, 1, 31, 22, 30);
    const auto step = [&h, t](TRecurrencyFrequency frequency, int interval) {
        return DateTimeToRuleText(h.ApplyFreq(t, frequency, interval)).toStdString();
    };
    EXPECT_EQ(step(rfHourly, 3), "20240201T013000");
    EXPECT_EQ(step(rfDaily, 2), "20240202T223000");
    EXPECT_EQ(step(rfWeekly, 1), "20240207T223000");
    EXPECT_EQ(step(rfMonthly, 1), "20240229T223000");
    EXPECT_EQ(step(rfYearly, 1), "20250131T223000");
    EXPECT_EQ(step(frNone, 5), "20240131T223000");
    EXPECT_THROW(h.ApplyFreq(At(9999, 12, 15), rfMonthly, 1), EConvertError);
}

TEST(RecurrencyApplyFreq, HandsOutListedHoursBeforeTheDayMovesOn)
{
    TRecurrencyHandler h;
    ParseRule(h, "FREQ=DAILY;BYHOUR=17,9");
    TDateTime t = At(2024, 1, 1, 8, 15);
    Starts starts;
    for (int i = 0; i < 4; ++i) {
        t = h.ApplyFreq(t, rfDaily, 1);
        starts.push_back(DateTimeToRuleText(t).toStdString());
    }
    EXPECT_EQ(starts,
              (Starts{"20240101T091500", "20240101T171500", "20240102T091500", "20240102T171500"}));
    EXPECT_EQ(h.ByHour().Index(), 2);
}
