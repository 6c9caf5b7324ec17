#include "platform/datasetexport.h"

#include "platform/dataset.h"
#include "platform/numeric.h"
#include "platform/table.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

int TypicalWidth(const TField& field)
{
    switch (field.DataType()) {
    case ftString:
        return field.Size() > 0 ? field.Size() : 20;
    case ftMemo:
        return 40;
    case ftDate:
        return 10;
    case ftTime:
        return 8;
    case ftDateTime:
        return 16;
    case ftBoolean:
        return 5;
    default:
        return 8;
    }
}

// Keeps the dataset's controls quiet during the walk and puts the cursor back after it,
// whatever happens in between.
class TWalkGuard
{
public:
    explicit TWalkGuard(TDataSet& dataSet) : m_dataSet(dataSet)
    {
        m_bookmark = m_dataSet.GetBookmark();
        m_dataSet.DisableControls();
    }
    ~TWalkGuard()
    {
        try {
            if (m_dataSet.BookmarkValid(m_bookmark)) m_dataSet.GotoBookmark(m_bookmark);
        } catch (...) {
            // The walk's own outcome matters more than the way back to the record.
        }
        m_dataSet.EnableControls();
    }
    TWalkGuard(const TWalkGuard&) = delete;
    TWalkGuard& operator=(const TWalkGuard&) = delete;

private:
    TDataSet& m_dataSet;
    TBookmark m_bookmark;
};

constexpr int ProgressStep = 16;

// Lends the export's progress to the writer for its finishing passes, and takes it back
// however Finish ends: the callback may refer to a dialog that is gone afterwards.
class TFinishProgressLoan
{
public:
    TFinishProgressLoan(TExporter& exporter, TStepProgress progress) : m_exporter(exporter)
    {
        m_exporter.SetFinishProgress(std::move(progress));
    }
    ~TFinishProgressLoan() { m_exporter.SetFinishProgress({}); }
    TFinishProgressLoan(const TFinishProgressLoan&) = delete;
    TFinishProgressLoan& operator=(const TFinishProgressLoan&) = delete;

private:
    TExporter& m_exporter;
};

// The whole work of an export in records: the walk, then the writer's finishing passes.
int WholeWork(int records, int passes)
{
    const qint64 work = static_cast<qint64>(records) * (1 + std::max(0, passes));
    return static_cast<int>(std::min<qint64>(work, std::numeric_limits<int>::max()));
}

int WriteRecords(TDataSet& dataSet, TExporter& exporter, const QString& path,
                 const TExportHeader& header, const TExportProgress& progress)
{
    exporter.Begin(path, header);
    const int passes = exporter.FinishingPasses();
    int total = WholeWork(header.RecordCount, passes);
    const TFields& fields = dataSet.Fields();
    TExportRow row(static_cast<size_t>(fields.Count()));
    int done = 0;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        for (int i = 0; i < fields.Count(); ++i)
            row[static_cast<size_t>(i)] = ExportCell(*fields[i]);
        exporter.WriteRow(row);
        ++done;
        if (progress && done % ProgressStep == 0 && !progress(done, total))
            throw EExportCancelled();
    }
    const int walked = std::max(done, header.RecordCount);
    total = WholeWork(walked, passes);
    if (progress && !progress(done, total)) throw EExportCancelled();
    TStepProgress finishing;
    if (progress) {
        finishing = [progress, walked, total](int step, int steps) {
            const int share = total - walked;
            return progress(walked + (steps > 0 ? MulDiv(share, step, steps) : share), total);
        };
    }
    TFinishProgressLoan loan(exporter, std::move(finishing));
    exporter.Finish();
    return done;
}

} // namespace

std::vector<TExportColumn> ExportColumns(const TDataSet& dataSet)
{
    std::vector<TExportColumn> columns;
    const TFields& fields = dataSet.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        const TField& field = *fields[i];
        columns.push_back({field.DisplayLabel(), field.DataType(), TypicalWidth(field)});
    }
    return columns;
}

TExportCell ExportCell(const TField& field)
{
    TExportCell cell;
    cell.Value = field.AsVariant();
    if (!cell.Value.isValid()) return cell;
    cell.Text = field.Text();
    // Memos typed on another system may carry CR LF or CR; writers expect "\n".
    cell.Text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    cell.Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return cell;
}

QString DefaultExportTitle(const TDataSet& dataSet)
{
    if (const auto* table = dynamic_cast<const TTable*>(&dataSet)) {
        const QString stem = QFileInfo(table->TableName()).completeBaseName();
        if (!stem.isEmpty()) return stem;
    }
    return dataSet.Name().isEmpty() ? QStringLiteral("Report") : dataSet.Name();
}

int ExportDataSet(TDataSet& dataSet, TExporter& exporter, const QString& path, const QString& title,
                  const TExportProgress& progress)
{
    if (!dataSet.Active())
        throw EInvalidOperation(QStringLiteral("Cannot export '%1': the table is not open")
                                    .arg(DefaultExportTitle(dataSet)));
    dataSet.CheckBrowseMode();
    TExportHeader header;
    header.Title = title;
    header.Columns = ExportColumns(dataSet);
    header.RecordCount = dataSet.RecordCount();

    TWalkGuard guard(dataSet);
    try {
        return WriteRecords(dataSet, exporter, path, header, progress);
    } catch (...) {
        exporter.Abort();
        throw;
    }
}

int ExportDataSet(TDataSet& dataSet, TExportFormat format, const TExportOptions& options,
                  const QString& path, const TExportProgress& progress)
{
    const std::unique_ptr<TExporter> exporter = CreateExporter(format, options);
    const QString title = options.Title.isEmpty() ? DefaultExportTitle(dataSet) : options.Title;
    return ExportDataSet(dataSet, *exporter, path, title, progress);
}
