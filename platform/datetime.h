#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// A date and time as days since 1899-12-30; the fraction is the time of day.
// Negative values count days backwards, their fraction still being the time
// of day (so -1.25 is 1899-12-29 06:00).
using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
// Both raise EConvertError for values that name no real date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);

void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);

TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Adds months, clamping the day to the length of the target month; keeps the time.
TDateTime IncMonth(TDateTime value, int months = 1);

TDateTime FromQDate(const QDate& date);
TDateTime FromQDateTime(const QDateTime& dateTime);
QDate ToQDate(TDateTime value);
QDateTime ToQDateTime(TDateTime value);

// Locale settings for date and number texts. Formats use d, dd, m, mm, yy, yyyy for
// dates and h, hh, n, nn, s, ss, am/pm for times; "/" and ":" stand for the separators.
struct TFormatSettings
{
    QString ShortDateFormat;
    QChar DateSeparator;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QChar TimeSeparator;
    QChar DecimalSeparator;
    QStringList ShortDayNames;   // Sunday first, 7 entries
    QStringList LongDayNames;    // Sunday first
    QStringList ShortMonthNames; // January first, 12 entries
    QStringList LongMonthNames;

    // Read from the system locale; a locale without a numeric short date falls back to
    // month/day/year so that dates always round-trip through text.
    static TFormatSettings FromLocale(const QLocale& locale);
};

// The process-wide settings, read from the system locale on first use; tests replace them.
TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

QString FormatDateTime(const QString& format, TDateTime value);
QString DateToStr(TDateTime value);
QString TimeToStr(TDateTime value);
QString DateTimeToStr(TDateTime value);

// Reads a date in the order of the short date format (day, month and year fields split
// by the date separator, a missing year meaning the current one).
bool TryStrToDate(const QString& text, TDateTime& result);
bool TryStrToTime(const QString& text, TDateTime& result);
bool TryStrToDateTime(const QString& text, TDateTime& result);
// Raise EConvertError naming the text.
TDateTime StrToDate(const QString& text);
TDateTime StrToTime(const QString& text);
TDateTime StrToDateTime(const QString& text);
