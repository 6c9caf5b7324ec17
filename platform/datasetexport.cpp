#include "platform/datasetexport.h"

#include "platform/dataset.h"
#include "platform/table.h"

#include <QFileInfo>

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

int WriteRecords(TDataSet& dataSet, TExporter& exporter, const QString& path,
                 const TExportHeader& header, const TExportProgress& progress)
{
    exporter.Begin(path, header);
    const TFields& fields = dataSet.Fields();
    TExportRow row(static_cast<size_t>(fields.Count()));
    int done = 0;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        for (int i = 0; i < fields.Count(); ++i)
            row[static_cast<size_t>(i)] = ExportCell(*fields[i]);
        exporter.WriteRow(row);
        ++done;
        if (progress && done % ProgressStep == 0 && !progress(done, header.RecordCount))
            throw EExportCancelled();
    }
    if (progress && !progress(done, std::max(done, header.RecordCount))) throw EExportCancelled();
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
