// The pure parts of the writers: column shares, bands and pages of the printed report,
// spreadsheet number formats, footers and links, RTF font sizes.
#include "platform/exporter.h"
#include "platform/reportpagelayout.h"
#include "platform/rtfexporter.h"
#include "platform/xlsxexporter.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

int Sum(const std::vector<int>& values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

} // namespace

TEST(ExportLayout, ColumnSharesFollowTheWidthsWithinBoundsAndFillTheTotal)
{
    const std::vector<TExportColumn> columns{{QStringLiteral("a"), ftString, 2},
                                             {QStringLiteral("b"), ftString, 10},
                                             {QStringLiteral("c"), ftMemo, 240}};
    const std::vector<int> widths = ColumnWidths(columns, 1000);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_EQ(Sum(widths), 1000);
    // 2 is raised to 4 and 240 cut to 24: shares 4 : 10 : 24.
    EXPECT_EQ(widths[0], 105);
    EXPECT_EQ(widths[1], 263);
    EXPECT_EQ(widths[2], 632);
    EXPECT_TRUE(ColumnWidths({}, 1000).empty());
}

TEST(ExportLayout, BandsKeepColumnsInOrderAndRepeatTheKeyColumn)
{
    // Five columns of 300 on a page of 1000: [0 1 2], then the key with [3 4], each band
    // stretched in proportion to fill the page.
    std::vector<TReportBand> bands = SplitIntoBands({300, 300, 300, 300, 300}, 1000);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].Columns, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(bands[0].Widths, (std::vector<int>{333, 333, 334}));
    EXPECT_EQ(bands[1].Columns, (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(Sum(bands[1].Widths), 1000);

    // A column wider than the page gets a band of its own, with no room for the key.
    bands = SplitIntoBands({200, 5000, 200}, 1000);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].Widths, (std::vector<int>{1000}));
    EXPECT_EQ(bands[1].Columns, (std::vector<int>{1}));
    EXPECT_EQ(bands[1].Widths, (std::vector<int>{1000}));
    EXPECT_EQ(bands[2].Columns, (std::vector<int>{0, 2}));
    EXPECT_EQ(bands[2].Widths, (std::vector<int>{500, 500}));
    EXPECT_TRUE(SplitIntoBands({}, 1000).empty());
    EXPECT_EQ(SplitIntoBands({100, 100}, 1000).size(), 1u);
}

TEST(ExportLayout, PagesTakeWholeRowsAndATallRowStandsAlone)
{
    const auto ranges = [](const std::vector<TReportPage>& pages) {
        std::vector<std::pair<int, int>> result;
        for (const TReportPage& page : pages)
            result.emplace_back(page.First, page.End);
        return result;
    };
    EXPECT_EQ(ranges(Paginate({40, 40, 40, 150, 10, 10}, 100)),
              (std::vector<std::pair<int, int>>{{0, 2}, {2, 3}, {3, 4}, {4, 6}}));
    EXPECT_EQ(ranges(Paginate({}, 100)), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(ExportLayout, SpreadsheetNumberFormatsFollowTheLocaleFormats)
{
    const QChar slash(QLatin1Char('/')), colon(QLatin1Char(':'));
    EXPECT_EQ(TXlsxExporter::NumberFormat(QStringLiteral("m/d/yyyy"), slash, colon),
              QStringLiteral("m\\/d\\/yyyy"));
    EXPECT_EQ(TXlsxExporter::NumberFormat(QStringLiteral("dd/mm/yyyy"), QLatin1Char('.'), colon),
              QStringLiteral("dd\\.mm\\.yyyy"));
    EXPECT_EQ(TXlsxExporter::NumberFormat(QStringLiteral("h:nn am/pm"), slash, colon),
              QStringLiteral("h:mm AM/PM"));
    EXPECT_EQ(TXlsxExporter::NumberFormat(QStringLiteral("hh:nn:ss"), slash, QLatin1Char('.')),
              QStringLiteral("hh\\.mm\\.ss"));
}

TEST(ExportLayout, SpreadsheetFootersKeepAnExplicitSectionAndOnlyAddressesBecomeLinks)
{
    // The centred footer is read back from a written sheet; an explicit section stays.
    EXPECT_EQ(TXlsxExporter::FooterCode(QStringLiteral("&RPage &P")), QStringLiteral("&RPage &P"));
    EXPECT_EQ(TXlsxExporter::FooterCode(QString()), QString());

    EXPECT_EQ(TXlsxExporter::LinkFor(QStringLiteral("https://example.com/gigs?id=1")),
              QStringLiteral("https://example.com/gigs?id=1"));
    EXPECT_EQ(TXlsxExporter::LinkFor(QStringLiteral("Meet @ 8")), QString());
    EXPECT_EQ(TXlsxExporter::LinkFor(QStringLiteral("a@b")), QString());
    EXPECT_EQ(TXlsxExporter::LinkFor(QStringLiteral("two words@x.example")), QString());
    EXPECT_EQ(TXlsxExporter::LinkFor(QStringLiteral("http://") + QString(3000, QLatin1Char('x'))),
              QString());
}

TEST(ExportLayout, RtfSizesAreHalfPointsAndTextIsEscaped)
{
    TFont font;
    font.SetHeight(-13);
    EXPECT_EQ(TRtfExporter::HalfPoints(font), 20); // 9.75 points
    font.SetHeight(-16);
    EXPECT_EQ(TRtfExporter::HalfPoints(font), 24);
    EXPECT_EQ(TRtfExporter::Escape(QStringLiteral("{a}\\b\tc\r\nd")),
              QStringLiteral("\\{a\\}\\\\b\\tab c\\line d"));
    // Beyond the basic plane: two units, each a signed 16-bit number.
    EXPECT_EQ(TRtfExporter::Escape(QString::fromUtf8("\xF0\x9F\x8E\xB8")),
              QStringLiteral("\\u-10180?\\u-8264?"));
}
