#include "markup/matchstr.h"

#include "platform/datetime.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct MatchCase
{
    const char* Pattern;
    const char* Text;
    bool Expected;
};

void Check(const std::vector<MatchCase>& cases, bool caseSensitive)
{
    for (const MatchCase& c : cases) {
        EXPECT_EQ(MatchStr(QString::fromUtf8(c.Pattern), QString::fromUtf8(c.Text), caseSensitive),
                  c.Expected)
            << "pattern \"" << c.Pattern << "\" text \"" << c.Text << "\"";
    }
}

// Date comparisons follow the short date order; every test states its own.
class MatchStrDates : public testing::Test
{
protected:
    void SetUp() override { m_saved = FormatSettings(); }
    void TearDown() override { SetFormatSettings(m_saved); }
    static void UseDateFormat(const QString& format, QChar separator)
    {
        FormatSettings().ShortDateFormat = format;
        FormatSettings().DateSeparator = separator;
        FormatSettings().DecimalSeparator = QLatin1Char('.');
    }

private:
    TFormatSettings m_saved;
};

} // namespace

TEST(MatchStr, WildcardsAndNegation)
{
    Check({{"a*c", "abbc", true},
           {"a*c", "ac", true},
           {"a*c", "abcd", false},
           {"a?c", "ac", false},
           {"a?c", "abc", true},
           {"?", "", false},
           {"*", "", true},
           {"", "", true},
           {"", "a", false},
           {"abc", "abcd", false},
           {"a**c", "ac", true}, // a run of stars counts as one
           {"*a", "ab", false},
           {"a*b*c", "axxbyy", false},
           {"?*?", "a", false},
           {"*x*y*", "..y..x..", false},
           {"*ss", "misss", true},
           // "!" anywhere in a part inverts it; a second one does not undo the first
           {"!abc", "abd", true},
           {"ab!c", "abc", false},
           {"abc!", "xyz", true},
           {"!!a*", "apple", false},
           {"!", "", false},
           {"!", "x", true}},
          true);
}

TEST(MatchStr, JoinersCombineLeftToRightWithoutPrecedence)
{
    Check({{"x;y", "y", true},
           {"x^y", "y", true},
           {"x;y", "z", false},
           {"a*&*c", "abc", true},
           {"a*&*d", "abc", false},
           {"a ; b", "b", true},     // blanks beside joiners go
           {"  abc  ", "abc", true}, // so do the outer ones
           {"a;b&c", "a", false},    // (a or b) and c, not a or (b and c)
           {"x&y;z", "z", true},     // (x and y) or z
           {"a b", "a b", true},     // a blank inside a part is a character
           {"a b", "ab", false}},
          true);
}

TEST(MatchStr, CaseSensitivity)
{
    Check({{"ABC", "abc", false}, {"a*", "ABC", false}}, true);
    Check({{"abc", "ABC", true},
           {"a*C", "AbC", true},
           {"!abc", "ABC", false},
           {"\u00e9t\u00e9", "\u00c9T\u00c9", true},
           {">b", "C", true}},
          false);
}

TEST(MatchStr, NumericComparisons)
{
    Check(
        {
            {">5 & <10", "7", true}, // both hold
            {">5 & <10", "12", false},
            {">=5 & <=10", "5", true},
            {">9", "10", true}, // as numbers, not as the text "1" against "9"
            {">2.5", "3", true},
            {"<2.5", "2.49", true},
            {">-5", "-3", true},
            {"> 5", "6", true},  // blanks before the operand are skipped
            {">5|x", "6", true}, // "|" ends the operand
            {">5", "5", false},
            {">=5", "5.0", true},
            {"<0", "inf", false} // not a number: compared as text
        },
        true);
}

TEST(MatchStr, TextComparisonsUseTheOperandsLength)
{
    Check(
        {
            {">b", "c", true},
            {">abc", "abd", true},
            {">abc", "abcz", false}, // "abc" equals the operand
            {">=abc", "abcz", true},
            {"<abc", "ab", true},
            {"<=abc", "abc", true},
            {">5", "abc", true} // "a" comes after "5"
        },
        true);
}

TEST(MatchStr, AFailedComparisonFallsBackToTheWildcard)
{
    // The part is then matched as written, operator included.
    Check({{">z", ">z", true}, {"<3", "7", false}, {">z*", ">zoo", true}}, true);
}

TEST(MatchStr, OddPatternsNeverThrow)
{
    const char* patterns[] = {"&",    ";",  "^",       "&&",   "a&",  "&a",     ";;",
                              ">",    "<",  ">=",      "<=",   "!",   "!!",     "***",
                              "?*?",  "  ", "a & ",    " ; b", ">&<", "<>",     "><",
                              ">=<=", "|",  "*&*;*^*", "a^^b", "\"",  ">\"5\"", "<\u00e9"};
    const char* texts[] = {"", "a", "b", "5", "12/31/1999", "*", "&", "\u00e9"};
    for (const char* pattern : patterns)
        for (const char* text : texts)
            for (bool caseSensitive : {true, false})
                EXPECT_NO_THROW(
                    MatchStr(QString::fromUtf8(pattern), QString::fromUtf8(text), caseSensitive));
    Check(
        {
            {"a&", "a", false}, // an empty part matches only empty text
            {"a;", "a", true},
            {";a", "a", true},
            {"&a", "a", false},
            {"&", "", true},
            {">", "x", false},
            {">=", "x", true} // an empty operand equals the empty start of any text
        },
        true);
}

TEST(MatchStr, HostilePatternsStayCheap)
{
    // Many stars against a long text with no match: linear backtracking, not exponential.
    const QString text(5000, QLatin1Char('a'));
    EXPECT_FALSE(MatchStr(QStringLiteral("*a*a*a*a*a*a*a*a*a*a*b"), text, true));
    EXPECT_TRUE(MatchStr(QStringLiteral("*a*a*a*a*a*a*a*a*a*a*"), text, true));
}

TEST_F(MatchStrDates, DayMonthYearOrder)
{
    UseDateFormat(QStringLiteral("d/m/yyyy"), QLatin1Char('/'));
    Check({{">1/2/2024", "15/1/2024", false}, // 15 January is before 1 February
           {"<1/2/2024", "15/1/2024", true},
           {">=1/2/2024", "01/02/2024", true},
           {">1/2/2024", "2/2/2024", true},
           {"<31/12/1999", "1/1/2000", false},
           // Not dates in this order (month 15, 30 February): compared as text.
           {">1/2/2024", "1/15/2024", false},
           {"<1/2/2024", "30/2/2024", false},
           {">1/2/2024", "30/2/2024", true}},
          true);
}

TEST_F(MatchStrDates, MonthDayYearOrder)
{
    UseDateFormat(QStringLiteral("mm/dd/yyyy"), QLatin1Char('/'));
    Check({{">1/2/2024", "1/15/2024", true}, // 15 January after 2 January
           {"<1/2/2024", "1/15/2024", false},
           {">1/2/2024", "15/1/2024", true}, // month 15: text, "15" after "1/"
           {"<12/31/2023 & >12/1/2023", "12/25/2023", true}},
          true);
}

TEST_F(MatchStrDates, YearFirstWithAnotherSeparator)
{
    UseDateFormat(QStringLiteral("yyyy-mm-dd"), QLatin1Char('-'));
    Check(
        {
            {">2024-01-31", "2024-02-01", true},
            {"<2024-01-31", "2024-02-01", false},
            {">=2024-2-1", "2024-02-01", true},
            {">2024-01-31", "2024-1-5", false},  // a date, so not the text "2024-1-" > "2024-01"
            {">2024/01/31", "2024/02/01", true}, // wrong separator: text comparison
            {"<2024-13-01", "2024-12-01", true}  // month 13 is no date: text again
        },
        true);
    UseDateFormat(QStringLiteral("dd.mm.yyyy"), QLatin1Char('.'));
    Check(
        {
            {">01.02.2024", "15.01.2024", false},
            {"<01.02.2024", "15.01.2024", true},
            {">1.5", "2", true} // numbers come first
        },
        true);
}
