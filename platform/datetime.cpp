#include "platform/datetime.h"

#include "platform/clock.h"
#include "platform/exceptions.h"
#include "platform/numeric.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

namespace {

// Days from 0001-01-01 (day 1) to 1899-12-30: the classic time stamp offset.
constexpr int64_t DateDelta = 693594;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int64_t UnixDaysOfZero = 25569; // 1970-01-01 as a TDateTime

// Splits a value into whole days since 1899-12-30 and milliseconds of the day,
// rounding to the millisecond first as the time stamp conversion does.
void SplitStamp(TDateTime value, int64_t& days, int64_t& msec)
{
    const int64_t total = Round(value * MSecsPerDay);
    days = total / MSecsPerDay;
    msec = std::llabs(total) % MSecsPerDay;
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInAMonth(year, month))
        return false;
    result = static_cast<double>(DaysFromCivil(year, month, day) + UnixDaysOfZero);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result)
{
    if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 ||
        msec >= 1000)
        return false;
    result = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return result;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime result = 0;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    int64_t days = 0, msec = 0;
    SplitStamp(value, days, msec);
    CivilFromDays(days - UnixDaysOfZero, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    int64_t days = 0, ms = 0;
    SplitStamp(value, days, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec)
{
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime value)
{
    int64_t days = 0, msec = 0;
    SplitStamp(value, days, msec);
    return static_cast<int>(((days + DateDelta) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value)
{
    int64_t days = 0, msec = 0;
    SplitStamp(value, days, msec);
    return static_cast<double>(days);
}

TDateTime TimeOf(TDateTime value)
{
    int64_t days = 0, msec = 0;
    SplitStamp(value, days, msec);
    return static_cast<double>(msec) / MSecsPerDay;
}

TDateTime IncMonth(TDateTime value, int months)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
    const int ny = static_cast<int>(total / 12);
    const int nm = static_cast<int>(total % 12) + 1;
    const int nd = std::min(d, DaysInAMonth(ny, nm));
    const TDateTime date = EncodeDate(ny, nm, nd);
    const TDateTime time = TimeOf(value);
    return date >= 0 ? date + time : date - time;
}

TDateTime FromQDate(const QDate& date)
{
    return static_cast<double>(date.toJulianDay() - QDate(1899, 12, 30).toJulianDay());
}

TDateTime FromQDateTime(const QDateTime& dateTime)
{
    const TDateTime date = FromQDate(dateTime.date());
    const double time = dateTime.time().msecsSinceStartOfDay() / double(MSecsPerDay);
    return date >= 0 ? date + time : date - time;
}

QDate ToQDate(TDateTime value)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    return QDate(y, m, d);
}

QDateTime ToQDateTime(TDateTime value)
{
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(value, h, n, s, ms);
    return QDateTime(ToQDate(value), QTime(h, n, s, ms));
}

// ---------------------------------------------------------------------------
// Locale settings

namespace {

// Converts a locale pattern (M, d, y letters) to the d/m/y form used here; empty
// when the pattern spells the month out, which would not read back as numbers.
QString NumericDatePattern(const QString& qtPattern, QChar& separator)
{
    if (qtPattern.contains(QLatin1String("MMM"))) return {};
    QString out;
    separator = QChar();
    bool hasYear = false;
    for (int i = 0; i < qtPattern.size();) {
        const QChar c = qtPattern[i];
        int run = 1;
        while (i + run < qtPattern.size() && qtPattern[i + run] == c) ++run;
        if (c == QLatin1Char('M')) {
            out += run >= 2 ? QLatin1String("mm") : QLatin1String("m");
        } else if (c == QLatin1Char('d')) {
            out += run >= 2 ? QLatin1String("dd") : QLatin1String("d");
        } else if (c == QLatin1Char('y')) {
            out += QLatin1String("yyyy"); // four digits keep the century unambiguous
            hasYear = true;
        } else if (c.isLetter()) {
            return {};
        } else {
            if (separator.isNull() && !c.isSpace()) separator = c;
            out += QString(run, c);
        }
        i += run;
    }
    if (!hasYear || separator.isNull()) return {};
    out.replace(separator, QLatin1Char('/'));
    return out;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale)
{
    TFormatSettings s;
    QChar separator;
    s.ShortDateFormat = NumericDatePattern(locale.dateFormat(QLocale::ShortFormat), separator);
    if (s.ShortDateFormat.isEmpty()) {
        s.ShortDateFormat = QStringLiteral("m/d/yyyy");
        separator = QLatin1Char('/');
    }
    s.DateSeparator = separator;
    s.TimeSeparator = QLatin1Char(':');
    s.ShortTimeFormat = QStringLiteral("hh:nn");
    s.LongTimeFormat = QStringLiteral("hh:nn:ss");
    s.DecimalSeparator = locale.decimalPoint().isEmpty() ? QLatin1Char('.')
                                                         : locale.decimalPoint().at(0);
    // Qt numbers weekdays Monday = 1 ... Sunday = 7; ours start on Sunday.
    for (int day : {7, 1, 2, 3, 4, 5, 6}) {
        s.ShortDayNames << locale.dayName(day, QLocale::ShortFormat);
        s.LongDayNames << locale.dayName(day, QLocale::LongFormat);
    }
    for (int month = 1; month <= 12; ++month) {
        s.ShortMonthNames << locale.monthName(month, QLocale::ShortFormat);
        s.LongMonthNames << locale.monthName(month, QLocale::LongFormat);
    }
    return s;
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = TFormatSettings::FromLocale(QLocale::system());
    return settings;
}

void SetFormatSettings(const TFormatSettings& settings) { FormatSettings() = settings; }

// ---------------------------------------------------------------------------
// Formatting

namespace {

int RunLength(const QString& f, int i)
{
    const QChar c = f[i].toLower();
    int n = 1;
    while (i + n < f.size() && f[i + n].toLower() == c) ++n;
    return n;
}

QString Pad(int value, int width) { return QString::number(value).rightJustified(width, '0'); }

} // namespace

QString FormatDateTime(const QString& format, TDateTime value)
{
    const TFormatSettings& fs = FormatSettings();
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    const bool twelveHour = format.contains(QLatin1String("am/pm"), Qt::CaseInsensitive);
    QString out;
    bool lastWasHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += h < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        const int n = RunLength(format, i);
        if (lc == 'd') {
            if (n == 1) out += QString::number(d);
            else if (n == 2) out += Pad(d, 2);
            else if (n == 3) out += fs.ShortDayNames.value(DayOfWeek(value) - 1);
            else out += fs.LongDayNames.value(DayOfWeek(value) - 1);
        } else if (lc == 'm' && lastWasHour && n <= 2) {
            out += n == 1 ? QString::number(mi) : Pad(mi, 2);
        } else if (lc == 'm') {
            if (n == 1) out += QString::number(mo);
            else if (n == 2) out += Pad(mo, 2);
            else if (n == 3) out += fs.ShortMonthNames.value(mo - 1);
            else out += fs.LongMonthNames.value(mo - 1);
        } else if (lc == 'y') {
            out += n <= 2 ? Pad(y % 100, 2) : Pad(y, 4);
        } else if (lc == 'h') {
            int hour = h;
            if (twelveHour) hour = h % 12 == 0 ? 12 : h % 12;
            out += n == 1 ? QString::number(hour) : Pad(hour, 2);
        } else if (lc == 'n') {
            out += n == 1 ? QString::number(mi) : Pad(mi, 2);
        } else if (lc == 's') {
            out += n == 1 ? QString::number(s) : Pad(s, 2);
        } else if (lc == 'z') {
            out += n == 1 ? QString::number(ms) : Pad(ms, 3);
        } else if (c == QLatin1Char('/')) {
            out += fs.DateSeparator;
        } else if (c == QLatin1Char(':')) {
            out += fs.TimeSeparator;
        } else {
            out += QString(n, c);
        }
        if (!c.isSpace() && c != QLatin1Char(':')) lastWasHour = (lc == 'h');
        i += n;
    }
    return out;
}

QString DateToStr(TDateTime value) { return FormatDateTime(FormatSettings().ShortDateFormat, value); }

QString TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings().LongTimeFormat, value); }

QString DateTimeToStr(TDateTime value)
{
    QString text = DateToStr(value);
    if (TimeOf(value) != 0) text += QLatin1Char(' ') + TimeToStr(value);
    return text;
}

// ---------------------------------------------------------------------------
// Parsing

namespace {

bool ReadInt(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// The order of day, month and year fields as the short date format lists them.
QString DateFieldOrder()
{
    QString order;
    for (QChar c : FormatSettings().ShortDateFormat.toUpper()) {
        if ((c == 'D' || c == 'M' || c == 'Y') && !order.contains(c)) order += c;
    }
    return order.size() == 3 ? order : QStringLiteral("MDY");
}

int ExpandYear(int year, int digits)
{
    if (digits > 2) return year;
    const int current = ToQDate(Now()).year();
    int full = current / 100 * 100 + year;
    if (full > current + 50) full -= 100;
    else if (full <= current - 50) full += 100;
    return full;
}

} // namespace

bool TryStrToDate(const QString& text, TDateTime& result)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return false;
    const QChar sep = FormatSettings().DateSeparator;
    QStringList parts = trimmed.split(sep);
    if (parts.size() < 2 || parts.size() > 3) return false;
    QString order = DateFieldOrder();
    if (parts.size() == 2) order.remove(QLatin1Char('Y'));
    int y = ToQDate(Now()).year(), m = 0, d = 0;
    for (int i = 0; i < parts.size(); ++i) {
        int v = 0;
        if (!ReadInt(parts[i], v) || v < 0) return false;
        if (order[i] == 'D') d = v;
        else if (order[i] == 'M') m = v;
        else y = ExpandYear(v, parts[i].trimmed().size());
    }
    return TryEncodeDate(y, m, d, result);
}

bool TryStrToTime(const QString& text, TDateTime& result)
{
    QString t = text.trimmed().toUpper();
    int shift = -1; // -1: 24-hour clock, 0: AM, 12: PM
    if (t.endsWith(QLatin1String("AM")) || t.endsWith(QLatin1String("PM"))) {
        shift = t.endsWith(QLatin1String("PM")) ? 12 : 0;
        t.chop(2);
        t = t.trimmed();
    }
    const QStringList parts = t.split(FormatSettings().TimeSeparator);
    if (parts.isEmpty() || parts.size() > 3 || t.isEmpty()) return false;
    int hms[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        if (!ReadInt(parts[i], hms[i]) || hms[i] < 0) return false;
    }
    if (shift >= 0) {
        if (hms[0] < 1 || hms[0] > 12) return false;
        hms[0] = hms[0] % 12 + shift;
    }
    return TryEncodeTime(hms[0], hms[1], hms[2], 0, result);
}

bool TryStrToDateTime(const QString& text, TDateTime& result)
{
    const QString t = text.trimmed();
    const int space = t.indexOf(QLatin1Char(' '));
    if (space < 0) {
        if (TryStrToDate(t, result)) return true;
        return TryStrToTime(t, result);
    }
    TDateTime date = 0, time = 0;
    if (!TryStrToDate(t.left(space), date) || !TryStrToTime(t.mid(space + 1), time)) return false;
    result = date >= 0 ? date + time : date - time;
    return true;
}

namespace {

TDateTime ConvertOrThrow(bool (*convert)(const QString&, TDateTime&), const QString& text,
                         const char* what)
{
    TDateTime result = 0;
    if (!convert(text, result))
        throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
    return result;
}

} // namespace

TDateTime StrToDate(const QString& text) { return ConvertOrThrow(TryStrToDate, text, "date"); }
TDateTime StrToTime(const QString& text) { return ConvertOrThrow(TryStrToTime, text, "time"); }
TDateTime StrToDateTime(const QString& text)
{
    return ConvertOrThrow(TryStrToDateTime, text, "date and time");
}
