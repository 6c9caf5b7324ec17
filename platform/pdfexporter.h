#pragma once

#include "platform/exporter.h"
#include "platform/exportfile.h"
#include "platform/exportoptions.h"

#include <QRect>
#include <QStringList>

#include <memory>
#include <vector>

class QPdfWriter;
class TCanvas;
class TReportFont;

// A paged PDF report with real (extractable) text, across the page. Every page carries
// the title in the header font, the column titles in the caption font and a footer such
// as "Page 3 of 12". Columns that do not fit across one page continue on further pages
// (all rows of the first columns, then the next columns), each repeating the first
// column so that a row can be followed. Cell text wraps at spaces, and inside words too
// long for their column; memo line breaks are kept.
//
// Begin fixes the bands of columns and WriteRow measures each record's row in every band
// as it comes; the records are kept until Finish, which needs the page count for the
// footers before it draws the first page. Finish then draws page by page, one finishing
// pass per band, reporting the pages drawn.
class TPdfExporter : public TExporter
{
public:
    explicit TPdfExporter(const TPdfExportOptions& options);
    ~TPdfExporter() override;

    void Begin(const QString& path, const TExportHeader& header) override;
    void WriteRow(const TExportRow& row) override;
    void Finish() override;
    void Abort() override;
    int FinishingPasses() const override;

    // The footer text of a page: &P the page, &N the number of pages.
    static QString FooterText(const QString& format, int page, int pages);

private:
    struct Band;
    void SetUpDocument();
    std::vector<int> NaturalWidths() const;
    void SetUpBands();
    int RowHeight(const Band& band, const QStringList& texts) const;
    void DrawPage(const Band& band, int pageIndex, int pageNumber, int pageCount);
    void DrawRules(const Band& band, int pageIndex);
    void CloseDocument();

    TPdfExportOptions m_options;
    // Destroyed in reverse: the canvas ends the document on the writer, which writes to
    // the file.
    TExportFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<TCanvas> m_canvas;
    std::unique_ptr<TReportFont> m_headerText;
    std::unique_ptr<TReportFont> m_captionText;
    std::unique_ptr<TReportFont> m_dataText;
    std::unique_ptr<TReportFont> m_footerText;
    QRect m_page;
    int m_headerHeight = 0;
    int m_bodyHeight = 0;
    QString m_title;
    std::vector<TExportColumn> m_columns;
    std::vector<QStringList> m_rows;
    std::vector<Band> m_bands;
};
