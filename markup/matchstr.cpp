// MatchStr: split the pattern at its joiners, test every part with the comparison
// matcher and fold the results left to right.
//
// The wildcard test only answers "does it match", so it uses the linear-backtracking
// scan (remember the last "*" and retry one character further) instead of trying every
// suffix recursively; the answer is the same and hostile patterns stay cheap.
#include "markup/matchstr.h"

#include "platform/datetime.h"
#include "platform/strutils.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <cmath>

namespace {

bool IsJoiner(QChar c)
{
    return c == QLatin1Char('&') || c == QLatin1Char(';') || c == QLatin1Char('^');
}

QString Normalised(const QString& pattern)
{
    static const QRegularExpression blanksAroundJoiner(QStringLiteral(" *([&;^]) *"));
    QString result = pattern.trimmed();
    result.replace(blanksAroundJoiner, QStringLiteral("\\1"));
    return result;
}

bool ToNumber(const QString& text, double& value)
{
    return TryStrToFloat(text, value) && std::isfinite(value);
}

bool ToDateField(const QString& field, int& value)
{
    if (field.isEmpty() || field.size() > 9) return false;
    for (const QChar c : field) {
        if (!c.isDigit() || c.unicode() > 0x7F) return false;
    }
    value = field.toInt();
    return true;
}

// A date written in the short date order (day, month and year numbers between date
// separators); true only for a real calendar date.
bool ToDate(const QString& text, TDateTime& date)
{
    const TFormatSettings& settings = FormatSettings();
    const QString order = settings.ShortDateFormat.toUpper();
    const std::array<qsizetype, 3> letterAt = {order.indexOf(QLatin1Char('D')),
                                               order.indexOf(QLatin1Char('M')),
                                               order.indexOf(QLatin1Char('Y'))};
    if (letterAt[0] < 0 || letterAt[1] < 0 || letterAt[2] < 0) return false;
    const QStringList fields = text.split(settings.DateSeparator);
    if (fields.size() != 3) return false;
    std::array<int, 3> dayMonthYear{};
    for (int part = 0; part < 3; ++part) {
        int rank = 0;
        for (int other = 0; other < 3; ++other)
            rank += letterAt[other] < letterAt[part];
        if (!ToDateField(fields[rank], dayMonthYear[part])) return false;
    }
    const auto [day, month, year] = dayMonthYear;
    if (day > 31 || month > 12) return false;
    return TryEncodeDate(year, month, day, date);
}

int Sign(double difference)
{
    return (difference > 0) - (difference < 0);
}

// Text against the operand: -1 when the text is smaller, 1 when larger, 0 when equal.
int Compare(const QString& text, const QString& operand)
{
    double textNumber = 0, operandNumber = 0;
    if (ToNumber(text, textNumber) && ToNumber(operand, operandNumber))
        return Sign(textNumber - operandNumber);
    TDateTime textDate = 0, operandDate = 0;
    if (ToDate(text, textDate) && ToDate(operand, operandDate)) return Sign(textDate - operandDate);
    return Sign(QStringView(text).left(operand.size()).compare(operand, Qt::CaseSensitive));
}

struct Comparison
{
    bool Present = false;
    bool Inclusive = false;
    QString Operand;
};

Comparison ReadComparison(const QString& part, QChar op)
{
    Comparison comparison;
    qsizetype i = part.indexOf(op);
    if (i < 0) return comparison;
    comparison.Present = true;
    ++i;
    if (i < part.size() && part[i] == QLatin1Char('=')) {
        comparison.Inclusive = true;
        ++i;
    }
    while (i < part.size() && part[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    while (i < part.size() && part[i] != QLatin1Char(' ') && part[i] != QLatin1Char('&') &&
           part[i] != QLatin1Char('|'))
        ++i;
    comparison.Operand = part.mid(start, i - start);
    return comparison;
}

bool Holds(const Comparison& comparison, int wantedSign, const QString& text)
{
    if (!comparison.Present) return false;
    const int result = Compare(text, comparison.Operand);
    return result == wantedSign || (comparison.Inclusive && result == 0);
}

bool WildcardMatch(QStringView pattern, QStringView text)
{
    qsizetype p = 0, t = 0;
    qsizetype afterStar = -1, starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            afterStar = ++p;
            starText = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (afterStar >= 0) {
            p = afterStar;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

bool MatchPart(const QString& part, const QString& text)
{
    if (Holds(ReadComparison(part, QLatin1Char('>')), 1, text)) return true;
    if (Holds(ReadComparison(part, QLatin1Char('<')), -1, text)) return true;
    QString pattern = part;
    const bool negated = pattern.contains(QLatin1Char('!'));
    pattern.remove(QLatin1Char('!'));
    return WildcardMatch(pattern, text) != negated;
}

} // namespace

bool MatchStr(const QString& Pattern, const QString& Text, bool CaseSensitive)
{
    QString pattern = Normalised(Pattern);
    QString text = Text;
    if (!CaseSensitive) {
        const QLocale locale;
        pattern = locale.toUpper(pattern);
        text = locale.toUpper(text);
    }
    bool result = false;
    QChar joiner; // none before the first part
    qsizetype start = 0;
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        if (i < pattern.size() && !IsJoiner(pattern[i])) continue;
        const bool matched = MatchPart(pattern.mid(start, i - start), text);
        if (joiner.isNull())
            result = matched;
        else if (joiner == QLatin1Char('&'))
            result = result && matched;
        else
            result = result || matched;
        if (i < pattern.size()) joiner = pattern[i];
        start = i + 1;
    }
    return result;
}
