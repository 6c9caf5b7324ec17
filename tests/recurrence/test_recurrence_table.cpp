// Runs the occurrence table named by VANTOR_RECURRENCE_TABLE. A table holds cases like
//
//   [daily count from a Monday]
//   rule   RRULE:FREQ=DAILY;COUNT=3
//   start  2024-01-01 09:00        first occurrence start
//   end    2024-01-01 10:00        first occurrence end
//   span   2024-01-08 09:00        optional TimeSpan
//   count  3                       optional total; the want lines are then the first ones
//   last   2024-01-03 09:00        optional start of the last occurrence
//   want   2024-01-01 09:00        occurrence starts in order, the first included
//
// Times are yyyy-MM-dd HH:mm[:ss]; "#" starts a comment line. Every occurrence must last
// as long as the first.

#include "recurrence/recurrencyhandler.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QTextStream>
#include <QTime>

#include <optional>
#include <vector>

namespace {

struct TCase
{
    QString Name;
    int Line = 0;
    QString Rule;
    std::optional<TDateTime> Start;
    std::optional<TDateTime> End;
    std::optional<TDateTime> Span;
    std::optional<int> Count;
    std::optional<TDateTime> Last;
    std::vector<TDateTime> Wanted;
};

// Read without QDateTime so that no local time zone shifts a time.
std::optional<TDateTime> ReadTime(const QString& text)
{
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QString clock = text.mid(11);
    QTime time = QTime::fromString(clock, QStringLiteral("HH:mm:ss"));
    if (!time.isValid()) time = QTime::fromString(clock, QStringLiteral("HH:mm"));
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    const TDateTime day = EncodeDate(date.year(), date.month(), date.day());
    const TDateTime ofDay = EncodeTime(time.hour(), time.minute(), time.second(), 0);
    return day >= 0 ? day + ofDay : day - ofDay;
}

// Reads the cases; a malformed line is reported through the error text.
std::vector<TCase> ReadTable(const QString& path, QString& error)
{
    std::vector<TCase> cases;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot open ") + path;
        return cases;
    }
    QTextStream in(&file);
    for (int line = 1; !in.atEnd(); ++line) {
        const QString text = in.readLine().trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
        if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
            cases.push_back({});
            cases.back().Name = text.mid(1, text.size() - 2);
            cases.back().Line = line;
            continue;
        }
        const int gap = text.indexOf(QLatin1Char(' '));
        const QString key = text.left(gap);
        const QString value = gap < 0 ? QString() : text.mid(gap + 1).trimmed();
        const QString where = QStringLiteral("%1:%2: ").arg(path).arg(line);
        if (cases.empty()) {
            error = where + QStringLiteral("a value before the first [case]");
            return cases;
        }
        TCase& c = cases.back();
        const std::optional<TDateTime> time = ReadTime(value);
        const bool needsTime =
            key == "start" || key == "end" || key == "span" || key == "last" || key == "want";
        if (needsTime && !time) {
            error = where + QStringLiteral("not a time: ") + value;
            return cases;
        }
        if (key == "rule")
            c.Rule = value;
        else if (key == "start")
            c.Start = time;
        else if (key == "end")
            c.End = time;
        else if (key == "span")
            c.Span = time;
        else if (key == "last")
            c.Last = time;
        else if (key == "want")
            c.Wanted.push_back(*time);
        else if (key == "count")
            c.Count = value.toInt();
        else {
            error = where + QStringLiteral("unknown key ") + key;
            return cases;
        }
    }
    return cases;
}

std::string Show(TDateTime value)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, sec = 0, ms = 0;
    DecodeDateTime(value, y, m, d, h, n, sec, ms);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", y, m, d, h, n, sec, ms)
        .toStdString();
}

qint64 Milliseconds(TDateTime value)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, sec = 0, ms = 0;
    DecodeDateTime(value, y, m, d, h, n, sec, ms);
    return QDate(y, m, d).toJulianDay() * 86400000 + ((h * 60 + n) * 60 + sec) * 1000 + ms;
}

void RunCase(const TCase& c)
{
    TRecurrencyHandler handler;
    handler.SetRecurrency(c.Rule);
    handler.SetStartTime(*c.Start);
    handler.SetEndTime(*c.End);
    if (c.Span) handler.SetTimeSpan(*c.Span);
    handler.Generate();

    const TDateItems& dates = handler.Dates();
    const int expectedCount = c.Count ? *c.Count : static_cast<int>(c.Wanted.size());
    EXPECT_EQ(dates.Count(), expectedCount);
    const qint64 length = Milliseconds(*c.End) - Milliseconds(*c.Start);
    for (int i = 0; i < dates.Count(); ++i) {
        const TDateItem* item = dates.Items(i);
        EXPECT_EQ(Milliseconds(item->EndDate()) - Milliseconds(item->StartDate()), length)
            << "occurrence " << i << " starting " << Show(item->StartDate());
        if (i < static_cast<int>(c.Wanted.size())) {
            EXPECT_EQ(Show(item->StartDate()), Show(c.Wanted[static_cast<size_t>(i)]))
                << "occurrence " << i;
        }
    }
    if (c.Last && dates.Count() > 0) {
        EXPECT_EQ(Show(dates.Items(dates.Count() - 1)->StartDate()), Show(*c.Last));
    }
}

} // namespace

TEST(RecurrenceTable, EveryCaseGivesItsOccurrences)
{
    const QString path = qEnvironmentVariable("VANTOR_RECURRENCE_TABLE");
    ASSERT_FALSE(path.isEmpty()) << "VANTOR_RECURRENCE_TABLE names no table";
    QString error;
    const std::vector<TCase> cases = ReadTable(path, error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    ASSERT_FALSE(cases.empty()) << "no cases in " << qPrintable(path);
    for (const TCase& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1:%2 [%3] %4")
                         .arg(path)
                         .arg(c.Line)
                         .arg(c.Name, c.Rule)
                         .toStdString());
        ASSERT_TRUE(c.Start && c.End) << "case without start and end";
        RunCase(c);
    }
}
