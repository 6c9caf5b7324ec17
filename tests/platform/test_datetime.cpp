#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/exceptions.h"
#include "platform/guid.h"
#include "platform/numeric.h"
#include "platform/strutils.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings UsSettings()
{
    TFormatSettings s =
        TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    s.ShortDateFormat = QStringLiteral("m/d/yyyy");
    s.DateSeparator = QLatin1Char('/');
    return s;
}

} // namespace

TEST(DateTime, EncodesKnownDatesAndRefusesImpossibleOnes)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2008, 10, 28), 39749.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    // Impossible dates raise conversion errors.
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2023, 4, 31), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    TDateTime unused = 0;
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, unused));
}

TEST(DateTime, DecodesRoundTripIncludingNegativeValues)
{
    int y, m, d, h, n, s, ms;
    DecodeDateTime(39749.75, y, m, d, h, n, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(2008, 10, 28));
    EXPECT_EQ(QTime(h, n, s, ms), QTime(18, 0));
    // The fraction of a negative value is still the time of day.
    DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(1899, 12, 29));
    EXPECT_EQ(h, 6);
    for (TDateTime v : {-693593.0, -1.0, 0.0, 59.0, 60.0, 61.0, 2958465.0}) {
        DecodeDate(v, y, m, d);
        EXPECT_EQ(EncodeDate(y, m, d), v) << v;
    }
    // A value a hair before midnight rounds to the next day's 00:00, never to 24:00.
    DecodeDateTime(1.0 - 1e-10, y, m, d, h, n, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(1899, 12, 31));
    EXPECT_EQ(h, 0);
}

TEST(DateTime, DayOfWeekStartsOnSunday)
{
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2008, 10, 28)), 3); // Tuesday
    EXPECT_EQ(DayOfWeek(-1.0), 6);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 7) + 0.99), 2);
}

TEST(Numeric, RoundingIsHalfToEvenAndTruncationGoesTowardZero)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(127.5), 128);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_DOUBLE_EQ(Frac(-2.25), -0.25);
    EXPECT_EQ(Int(3.99), 3.0);
    EXPECT_EQ(MulDiv(1000, 96, 2540), 38);
    EXPECT_EQ(MulDiv(-5, 3, 2), -8);
}

TEST(DateTime, IncMonthClampsTheDay)
{
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31), 1), EncodeDate(2023, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 12, 15), 1), EncodeDate(2024, 1, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 15), -2), EncodeDate(2022, 11, 15));
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2023, 5, 10) + 0.5, 12), EncodeDate(2024, 5, 10) + 0.5);
}

TEST(DateTime, TextFollowsTheShortDateFormatOfTheLocale)
{
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(UsSettings());
    EXPECT_EQ(DateToStr(EncodeDate(2008, 10, 28)), QStringLiteral("10/28/2008"));
    EXPECT_EQ(StrToDate(QStringLiteral("10/28/2008")), EncodeDate(2008, 10, 28));
    EXPECT_THROW(StrToDate(QStringLiteral("28/10/2008")), EConvertError);
    EXPECT_EQ(TimeToStr(EncodeTime(20, 5, 0, 0)), QStringLiteral("20:05:00"));
    EXPECT_DOUBLE_EQ(StrToTime(QStringLiteral("8:30 PM")), EncodeTime(20, 30, 0, 0));

    TFormatSettings german = UsSettings();
    german.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    german.DateSeparator = QLatin1Char('.');
    SetFormatSettings(german);
    EXPECT_EQ(DateToStr(EncodeDate(2008, 10, 28)), QStringLiteral("28.10.2008"));
    EXPECT_EQ(StrToDate(QStringLiteral("28.10.2008")), EncodeDate(2008, 10, 28));
    SetFormatSettings(saved);

    // A locale without a numeric date format still gets one.
    const TFormatSettings c = TFormatSettings::FromLocale(QLocale::c());
    EXPECT_FALSE(c.ShortDateFormat.isEmpty());
    EXPECT_FALSE(c.DateSeparator.isNull());
    EXPECT_EQ(c.LongDayNames.size(), 7);
    EXPECT_EQ(c.LongDayNames[0], QStringLiteral("Sunday"));
    const TFormatSettings de =
        TFormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.DateSeparator, QLatin1Char('.'));
    EXPECT_TRUE(de.ShortDateFormat.startsWith(QLatin1String("dd")));
}

TEST(Clock, CanBeFrozenForTests)
{
    SetClockOverride(EncodeDate(2026, 12, 6) + 0.5);
    EXPECT_EQ(Date(), EncodeDate(2026, 12, 6));
    EXPECT_DOUBLE_EQ(Time(), 0.5);
    SetClockOverride(std::nullopt);
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST(Guid, HasTheBracedThirtyEightCharacterForm)
{
    const QString a = CreateGuidString();
    const QString b = CreateGuidString();
    EXPECT_EQ(a.size(), 38);
    EXPECT_TRUE(a.startsWith('{') && a.endsWith('}'));
    EXPECT_EQ(a[9], QLatin1Char('-'));
    EXPECT_EQ(a, a.toUpper());
    EXPECT_NE(a, b);
}

TEST(StrUtils, ConversionsAndOneBasedPositions)
{
    EXPECT_EQ(StrToInt(QStringLiteral(" 42 ")), 42);
    EXPECT_EQ(StrToInt(QStringLiteral("$1F")), 31);
    EXPECT_THROW(StrToInt(QStringLiteral("4x")), EConvertError);
    EXPECT_EQ(StrToIntDef(QStringLiteral("abc"), 7), 7);
    EXPECT_EQ(Pos(QStringLiteral("c"), QStringLiteral("abc")), 3);
    EXPECT_EQ(Pos(QStringLiteral("z"), QStringLiteral("abc")), 0);
    EXPECT_EQ(Copy(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(Copy(QStringLiteral("abc"), 3, 10), QStringLiteral("c"));
    EXPECT_EQ(Copy(QStringLiteral("abc"), 4, 1), QString());
}
