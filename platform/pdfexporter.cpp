#include "platform/pdfexporter.h"

#include "platform/canvas.h"
#include "platform/reportfont.h"
#include "platform/reportpagelayout.h"

#include <QPageLayout>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace {

constexpr int Resolution = 300;              // dots per inch of the page coordinates
constexpr int CellPadding = Resolution / 36; // 2 points
constexpr int SectionGap = Resolution / 12;
constexpr TColor CaptionBackground = RGB(0xE4, 0xE4, 0xE4);
constexpr TColor RuleColor = RGB(0x90, 0x90, 0x90);

void UseFont(TCanvas& canvas, const TFont& font)
{
    canvas.Font().Assign(font);
}

int TableWidth(const TReportBand& layout)
{
    return std::accumulate(layout.Widths.begin(), layout.Widths.end(), 0);
}

// Draws one row of cells from top, height high: textOf(column) is a cell's text.
template <typename TextOf>
void DrawCells(TCanvas& canvas, TReportFont& font, const TReportBand& layout, int top, int height,
               const TextOf& textOf)
{
    int x = 0;
    for (size_t i = 0; i < layout.Columns.size(); ++i) {
        const int right = x + layout.Widths[i];
        font.Draw(canvas, TRect(x + CellPadding, top, right - CellPadding, top + height),
                  top + CellPadding, textOf(layout.Columns[i]));
        x = right;
    }
}

} // namespace

struct TPdfExporter::Band
{
    TReportBand Layout;
    int CaptionHeight = 0;
    int RowLimit = 0; // the height left for rows under the column titles
    std::vector<int> RowHeights;
    std::vector<TReportPage> Pages;
};

TPdfExporter::TPdfExporter(const TPdfExportOptions& options) : m_options(options) {}

TPdfExporter::~TPdfExporter() = default;

QString TPdfExporter::FooterText(const QString& format, int page, int pages)
{
    QString text = format;
    text.replace(QLatin1String("&P"), QString::number(page));
    text.replace(QLatin1String("&N"), QString::number(pages));
    return text;
}

void TPdfExporter::Begin(const QString& path, const TExportHeader& header)
{
    m_file.Open(path);
    m_title = header.Title;
    m_columns = header.Columns;
    m_rows.clear();
    m_rows.reserve(static_cast<size_t>(std::max(0, header.RecordCount)));
    SetUpDocument();
    SetUpBands();
    for (Band& band : m_bands)
        band.RowHeights.reserve(m_rows.capacity());
}

int TPdfExporter::FinishingPasses() const
{
    return static_cast<int>(m_bands.size());
}

void TPdfExporter::SetUpDocument()
{
    m_writer = std::make_unique<QPdfWriter>(m_file.Device());
    m_writer->setResolution(Resolution);
    m_writer->setTitle(m_title);
    m_writer->setCreator(QStringLiteral("Vantor"));
    const QMarginsF margins(m_options.LeftMargin, m_options.TopMargin, m_options.RightMargin,
                            m_options.BottomMargin);
    m_writer->setPageLayout(QPageLayout(QPageSize(ReportPaperSize()), QPageLayout::Landscape,
                                        margins, QPageLayout::Inch));
    m_page = m_writer->pageLayout().paintRectPixels(Resolution);

    // The canvas only measures until Finish draws the first page.
    m_canvas = std::make_unique<TCanvas>(m_writer.get());
    UseFont(*m_canvas, m_options.HeaderFont);
    m_headerText = std::make_unique<TReportFont>(*m_canvas);
    UseFont(*m_canvas, m_options.FooterFont);
    m_footerText = std::make_unique<TReportFont>(*m_canvas);
    UseFont(*m_canvas, m_options.CaptionFont);
    m_captionText = std::make_unique<TReportFont>(*m_canvas);
    UseFont(*m_canvas, m_options.DataFont);
    m_dataText = std::make_unique<TReportFont>(*m_canvas);
    m_headerHeight = m_headerText->LineHeight() + SectionGap;
    const int footerHeight = m_footerText->LineHeight() + SectionGap;
    m_bodyHeight = m_page.height() - m_headerHeight - footerHeight;
}

std::vector<int> TPdfExporter::NaturalWidths() const
{
    UseFont(*m_canvas, m_options.CaptionFont);
    const QFontMetrics caption = m_canvas->FontMetrics();
    UseFont(*m_canvas, m_options.DataFont);
    const QFontMetrics data = m_canvas->FontMetrics();
    const int available = m_page.width();
    std::vector<int> widths;
    for (const TExportColumn& column : m_columns) {
        // "n" is as wide as a digit in most faces; the average character is narrower.
        const int text =
            data.horizontalAdvance(QString(std::clamp(column.Width, 6, 30), QLatin1Char('n')));
        const int title = std::min(caption.horizontalAdvance(column.Title), available / 3);
        widths.push_back(std::max(text, title) + 2 * CellPadding);
    }
    return widths;
}

void TPdfExporter::SetUpBands()
{
    m_bands.clear();
    for (TReportBand& layout : SplitIntoBands(NaturalWidths(), m_page.width())) {
        Band band;
        int captionLines = 1;
        for (size_t i = 0; i < layout.Columns.size(); ++i) {
            const QString& title = m_columns[static_cast<size_t>(layout.Columns[i])].Title;
            captionLines = std::max(
                captionLines, m_captionText->LineCount(title, layout.Widths[i] - 2 * CellPadding));
        }
        band.CaptionHeight = captionLines * m_captionText->LineHeight() + 2 * CellPadding;
        band.RowLimit = std::max(1, m_bodyHeight - band.CaptionHeight);
        band.Layout = std::move(layout);
        m_bands.push_back(std::move(band));
    }
}

int TPdfExporter::RowHeight(const Band& band, const QStringList& texts) const
{
    const TReportBand& layout = band.Layout;
    int lines = 1;
    for (size_t i = 0; i < layout.Columns.size(); ++i) {
        const int column = layout.Columns[i];
        if (column < texts.size())
            lines = std::max(
                lines, m_dataText->LineCount(texts[column], layout.Widths[i] - 2 * CellPadding));
    }
    // A row taller than a page is cut at the page's foot.
    const qint64 height = qint64(lines) * m_dataText->LineHeight() + 2 * CellPadding;
    return static_cast<int>(std::min<qint64>(band.RowLimit, height));
}

void TPdfExporter::WriteRow(const TExportRow& row)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(row.size()));
    for (const TExportCell& cell : row)
        texts << cell.Text;
    for (Band& band : m_bands)
        band.RowHeights.push_back(RowHeight(band, texts));
    m_rows.push_back(std::move(texts));
}

void TPdfExporter::DrawRules(const Band& band, int pageIndex)
{
    // Whole lines across the table and down each column edge, filled in one go: every
    // separate fill costs a PDF page a change of state.
    std::vector<TRect> rules;
    const int right = TableWidth(band.Layout);
    const int top = m_headerHeight;
    int y = top;
    rules.emplace_back(0, y, right, y + 1);
    y += band.CaptionHeight;
    rules.emplace_back(0, y, right, y + 1);
    const TReportPage& rows = band.Pages[static_cast<size_t>(pageIndex)];
    for (int row = rows.First; row < rows.End; ++row) {
        y += band.RowHeights[static_cast<size_t>(row)];
        rules.emplace_back(0, y, right, y + 1);
    }
    int x = 0;
    rules.emplace_back(x, top, x + 1, y);
    for (int width : band.Layout.Widths) {
        x += width;
        rules.emplace_back(x, top, x + 1, y);
    }
    TCanvas& canvas = *m_canvas;
    canvas.Brush().SetColor(RuleColor);
    canvas.FillRects(rules);
    canvas.SetBkMode(bkTransparent);
}

void TPdfExporter::DrawPage(const Band& band, int pageIndex, int pageNumber, int pageCount)
{
    TCanvas& canvas = *m_canvas;
    canvas.SetBkMode(bkTransparent);
    UseFont(canvas, m_options.HeaderFont);
    m_headerText->DrawLine(canvas, 0, 0, m_title);
    m_headerText->Flush(canvas);

    int top = m_headerHeight;
    canvas.Brush().SetColor(CaptionBackground);
    canvas.FillRect(TRect(0, top, TableWidth(band.Layout), top + band.CaptionHeight));
    canvas.SetBkMode(bkTransparent);
    UseFont(canvas, m_options.CaptionFont);
    DrawCells(canvas, *m_captionText, band.Layout, top, band.CaptionHeight,
              [this](int column) { return m_columns[static_cast<size_t>(column)].Title; });
    m_captionText->Flush(canvas);
    top += band.CaptionHeight;

    UseFont(canvas, m_options.DataFont);
    const TReportPage& rows = band.Pages[static_cast<size_t>(pageIndex)];
    for (int row = rows.First; row < rows.End; ++row) {
        const int height = band.RowHeights[static_cast<size_t>(row)];
        const QStringList& texts = m_rows[static_cast<size_t>(row)];
        DrawCells(canvas, *m_dataText, band.Layout, top, height, [&texts](int column) {
            return column < texts.size() ? texts[column] : QString();
        });
        top += height;
    }
    m_dataText->Flush(canvas);
    DrawRules(band, pageIndex);

    UseFont(canvas, m_options.FooterFont);
    const QString footer = FooterText(m_options.PageFooter, pageNumber, pageCount);
    m_footerText->DrawLine(canvas, (m_page.width() - m_footerText->Width(footer)) / 2,
                           m_page.height() - m_footerText->LineHeight(), footer);
    m_footerText->Flush(canvas);
}

void TPdfExporter::Finish()
{
    int pageCount = 0;
    for (Band& band : m_bands) {
        band.Pages = Paginate(band.RowHeights, band.RowLimit);
        pageCount += static_cast<int>(band.Pages.size());
    }
    int pageNumber = 0;
    for (const Band& band : m_bands) {
        for (size_t i = 0; i < band.Pages.size(); ++i) {
            if (pageNumber > 0) m_writer->newPage();
            ++pageNumber;
            DrawPage(band, static_cast<int>(i), pageNumber, pageCount);
            ReportFinishProgress(pageNumber, pageCount);
        }
    }
    if (pageCount == 0) { // a report without columns
        UseFont(*m_canvas, m_options.HeaderFont);
        m_headerText->DrawLine(*m_canvas, 0, 0, m_title);
        m_headerText->Flush(*m_canvas);
    }
    CloseDocument();
    m_file.Commit();
}

void TPdfExporter::CloseDocument()
{
    m_headerText.reset();
    m_captionText.reset();
    m_dataText.reset();
    m_footerText.reset();
    m_canvas.reset(); // ends the painter, which writes the rest of the document
    m_writer.reset();
}

void TPdfExporter::Abort()
{
    CloseDocument();
    m_file.Discard();
}
