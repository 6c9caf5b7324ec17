#pragma once

#include "platform/exporter.h"
#include "platform/exportoptions.h"

#include <QString>

#include <memory>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;
class QTemporaryFile;

// A spreadsheet (.xlsx) with one sheet named by the options: the column titles in the
// caption format, frozen and repeated on printed pages, then one row per record. Numbers
// are numeric cells, dates and times are date cells in the locale's short formats, web
// and e-mail addresses are links in the hyperlink format, memos keep their line breaks
// (wrapped, top-aligned cells). Printed across, with the options' page footer.
//
// The workbook is written to a temporary file beside the target and renamed over it
// only when complete.
class TXlsxExporter : public TExporter
{
public:
    explicit TXlsxExporter(const TXlsxExportOptions& options);
    ~TXlsxExporter() override;

    void Begin(const QString& path, const TExportHeader& header) override;
    void WriteRow(const TExportRow& row) override;
    void Finish() override;
    void Abort() override { Discard(); }

    // A short date or time format of the locale ("d/m/yyyy", "h:nn am/pm") as a
    // spreadsheet number format with the given separators.
    static QString NumberFormat(const QString& format, QChar dateSeparator, QChar timeSeparator);
    // The footer in spreadsheet codes, centred unless it names a section.
    static QString FooterCode(const QString& footer);
    // The link a cell text stands for ("mailto:..." for an e-mail address), or empty.
    static QString LinkFor(const QString& text);

private:
    lxw_format* AddFormat(const TXlsxCellFormat& format);
    void WriteCell(int column, const TExportCell& cell);
    void Check(int error, const char* what);
    void Discard();

    TXlsxExportOptions m_options;
    QString m_path;
    std::unique_ptr<QTemporaryFile> m_temporary;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_dateFormat = nullptr;
    lxw_format* m_timeFormat = nullptr;
    lxw_format* m_dateTimeFormat = nullptr;
    lxw_format* m_wrapFormat = nullptr;
    lxw_format* m_linkFormat = nullptr;
    std::vector<TExportColumn> m_columns;
    int m_row = 0;
};
