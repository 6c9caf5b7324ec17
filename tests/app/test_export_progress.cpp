// How an export reports its progress: the walk over the records, then the finishing
// passes of a writer that draws them again, on one bar that only moves forward.
#include "exportfixture.h"

#include <utility>
#include <vector>

namespace {

using TReports = std::vector<std::pair<int, int>>;

// A writer that goes over the records `passes` more times in Finish, in `steps` steps.
class TPassingWriter : public TExporter
{
public:
    TPassingWriter(int passes, int steps) : m_passes(passes), m_steps(steps) {}
    void Begin(const QString&, const TExportHeader&) override { m_rows = 0; }
    void WriteRow(const TExportRow&) override { ++m_rows; }
    void Finish() override
    {
        for (int step = 1; step <= m_steps; ++step)
            ReportFinishProgress(step, m_steps);
    }
    void Abort() override {}
    int FinishingPasses() const override { return m_passes; }
    // Finish's reporting outside an export.
    void ReportAlone() { ReportFinishProgress(1, 1); }

private:
    int m_passes;
    int m_steps;
    int m_rows = 0;
};

} // namespace

TEST_F(ExportTest, FinishingPassesTakeTheirShareOfTheBarAfterTheWalk)
{
    AddManyGigs(61); // 64 records: 4 reports during the walk
    TPassingWriter writer(2, 4);
    TReports reports;
    ExportDataSet(*m_table, writer, OutPath(QStringLiteral("unused")), QStringLiteral("gig"),
                  [&reports](int done, int total) {
                      reports.emplace_back(done, total);
                      return true;
                  });
    // The walk, the end of the walk, then a quarter of the two passes at a time.
    const TReports expected{{16, 192}, {32, 192},  {48, 192},  {64, 192}, {64, 192},
                            {96, 192}, {128, 192}, {160, 192}, {192, 192}};
    EXPECT_EQ(reports, expected);

    // The writer keeps no callback of a finished export: it may refer to a closed dialog.
    reports.clear();
    writer.ReportAlone();
    EXPECT_TRUE(reports.empty());
}

TEST_F(ExportTest, AWriterWithoutPassesReportsRecordsOnly)
{
    TPassingWriter writer(0, 3);
    TReports reports;
    ExportDataSet(*m_table, writer, OutPath(QStringLiteral("unused")), QStringLiteral("gig"),
                  [&reports](int done, int total) {
                      reports.emplace_back(done, total);
                      return true;
                  });
    EXPECT_EQ(reports, (TReports{{3, 3}, {3, 3}, {3, 3}, {3, 3}}));
}

TEST_F(ExportTest, ThePdfReportsEveryPageItDrawsUpToTheWhole)
{
    AddManyGigs(80);
    QDir().mkpath(Under(QStringLiteral("out")));
    const QString path = OutPath(QStringLiteral("progress.pdf"));
    std::vector<std::pair<int, int>> reports;
    ExportDataSet(*m_table, efPdf, GigBookExportOptions(), path, [&](int done, int total) {
        reports.emplace_back(done, total);
        return true;
    });
    const int records = 83;
    const QString text = QString::fromUtf8(
        RunTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")}));
    const qsizetype pages = text.count(QLatin1Char('\f'));
    ASSERT_FALSE(reports.empty());
    const int whole = reports.front().second;
    EXPECT_GE(whole, 3 * records) << "21 fields take at least two bands of columns";
    EXPECT_EQ(whole % records, 0);
    int drawing = 0;
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].second, whole);
        if (i > 0) {
            EXPECT_GE(reports[i].first, reports[i - 1].first);
        }
        drawing += reports[i].first > records;
    }
    EXPECT_EQ(drawing, pages) << "one report for every page drawn";
    EXPECT_EQ(reports.back().first, whole);
}
