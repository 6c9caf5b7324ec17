#pragma once

#include "platform/exceptions.h"
#include "platform/fielddefs.h"

#include <QPageSize>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

// One column of an export: its title and the type of the field it comes from.
struct TExportColumn
{
    QString Title;
    TFieldType DataType = ftString;
    int Width = 10; // typical width in characters, for paged layouts
};

// Splits a total width (in any unit) over the columns in proportion to their widths,
// each column's share kept between a narrow and a wide bound so that neither a 2-letter
// state nor a long memo takes over the page. The shares add up to the total.
std::vector<int> ColumnWidths(const std::vector<TExportColumn>& columns, int total);

// The paper of paged reports: Letter where the locale measures in inches, A4 elsewhere.
// Reports are printed across (landscape), since records have many fields.
QPageSize::PageSizeId ReportPaperSize();

// One value of a record: the text a user reads (dates in the locale's short date format,
// numbers with the locale's decimal separator, line breaks as "\n") and the stored value
// (a double for numbers, dates and times; invalid when the field is empty).
struct TExportCell
{
    QString Text;
    QVariant Value;

    bool IsEmpty() const { return !Value.isValid(); }
};

using TExportRow = std::vector<TExportCell>;

// What an export knows before the first record.
struct TExportHeader
{
    QString Title;
    std::vector<TExportColumn> Columns;
    int RecordCount = 0; // expected; a writer may use it for layout hints only
};

// The user stopped the export; the partial file is gone.
class EExportCancelled : public Exception
{
public:
    EExportCancelled() : Exception(QStringLiteral("The export was cancelled")) {}
};

// Progress of a long piece of work: done of total steps. Returning false stops it.
using TStepProgress = std::function<bool(int done, int total)>;

// Writes one file format. Begin, any number of WriteRow, then Finish, which puts the
// file in place. Until Finish succeeds the target is untouched: a writer whose Finish
// fails, that is aborted or destroyed unfinished leaves nothing behind. Failures raise
// Exception with a message that names the file.
class TExporter
{
public:
    virtual ~TExporter() = default;
    virtual void Begin(const QString& path, const TExportHeader& header) = 0;
    virtual void WriteRow(const TExportRow& row) = 0;
    virtual void Finish() = 0;
    // Drops what was written so far; harmless when nothing was begun.
    virtual void Abort() = 0;

    // How many more times Finish goes over the records once they are all in: none for a
    // writer that writes them as they come, one for each band of columns of a paged
    // report. Known once Begin has seen the header; a progress bar gives that work its
    // share of the whole.
    virtual int FinishingPasses() const { return 0; }
    // A writer with finishing passes reports them through this as it goes; when it
    // returns false, Finish stops with EExportCancelled.
    void SetFinishProgress(TStepProgress progress) { m_finishProgress = std::move(progress); }

protected:
    void ReportFinishProgress(int done, int total) const
    {
        if (m_finishProgress && !m_finishProgress(done, total)) throw EExportCancelled();
    }

private:
    TStepProgress m_finishProgress;
};
