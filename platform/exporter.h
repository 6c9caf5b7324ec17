#pragma once

#include "platform/exceptions.h"
#include "platform/fielddefs.h"

#include <QPageSize>
#include <QString>
#include <QVariant>

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
};
