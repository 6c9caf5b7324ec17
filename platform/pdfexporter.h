#pragma once

#include "platform/exporter.h"
#include "platform/exportfile.h"
#include "platform/exportoptions.h"

#include <QStringList>

#include <vector>

class TCanvas;
struct TReportBand;

// A paged PDF report with real (extractable) text, across the page. Every page carries
// the title in the header font, the column titles in the caption font and a footer such
// as "Page 3 of 12". Columns that do not fit across one page continue on further pages
// (all rows of the first columns, then the next columns), each repeating the first
// column so that a row can be followed. Cell text wraps at spaces, and inside words too
// long for their column; memo line breaks are kept. The records are kept until Finish,
// which lays out and draws the whole document: the page count must be known for the
// footers.
class TPdfExporter : public TExporter
{
public:
    explicit TPdfExporter(const TPdfExportOptions& options);
    ~TPdfExporter() override;

    void Begin(const QString& path, const TExportHeader& header) override;
    void WriteRow(const TExportRow& row) override;
    void Finish() override;
    void Abort() override { m_file.Discard(); }

    // The footer text of a page: &P the page, &N the number of pages.
    static QString FooterText(const QString& format, int page, int pages);

private:
    struct BandLayout;
    std::vector<int> NaturalWidths(TCanvas& canvas, int available) const;
    BandLayout LayOut(TCanvas& canvas, const TReportBand& band, int bodyHeight) const;
    void DrawPage(TCanvas& canvas, const BandLayout& layout, int pageIndex, int pageNumber,
                  int pageCount) const;

    TPdfExportOptions m_options;
    TExportFile m_file;
    QString m_title;
    std::vector<TExportColumn> m_columns;
    std::vector<QStringList> m_rows;
};
