#include "platform/pdfexporter.h"

#include "platform/canvas.h"
#include "platform/numeric.h"
#include "platform/reportpagelayout.h"

#include <QPageLayout>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr int Resolution = 300;              // dots per inch of the page coordinates
constexpr int CellPadding = Resolution / 36; // 2 points
constexpr int SectionGap = Resolution / 12;
constexpr TColor CaptionBackground = RGB(0xE4, 0xE4, 0xE4);
constexpr TColor RuleColor = RGB(0x90, 0x90, 0x90);

// How many leading characters of text fit in width; at least one, so that wrapping
// always advances.
qsizetype FittingPrefix(const QString& text, int width, const QFontMetrics& fm)
{
    qsizetype low = 1, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

// Word wrapping of one paragraph; words wider than the column are cut where they fill it.
void WrapParagraph(const QString& paragraph, int width, const QFontMetrics& fm, QStringList& out)
{
    const QStringList words = paragraph.split(QLatin1Char(' '));
    QString line;
    for (QString word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (fm.horizontalAdvance(candidate) <= width) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty()) out << line;
        while (fm.horizontalAdvance(word) > width && word.size() > 1) {
            const qsizetype fit = FittingPrefix(word, width, fm);
            out << word.left(fit);
            word = word.mid(fit);
        }
        line = word;
    }
    out << line;
}

QStringList WrapText(const QString& text, int width, const QFontMetrics& fm)
{
    QStringList lines;
    if (text.isEmpty()) return lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        WrapParagraph(paragraph, std::max(1, width), fm, lines);
    return lines;
}

void UseFont(TCanvas& canvas, const TFont& font)
{
    canvas.Font().Assign(font);
}

} // namespace

struct TPdfExporter::BandLayout
{
    const TReportBand* Band = nullptr;
    QList<QStringList> Captions; // wrapped column titles
    int CaptionHeight = 0;
    std::vector<QList<QStringList>> Cells; // per row, per band column: wrapped lines
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
}

void TPdfExporter::WriteRow(const TExportRow& row)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(row.size()));
    for (const TExportCell& cell : row)
        texts << cell.Text;
    m_rows.push_back(std::move(texts));
}

std::vector<int> TPdfExporter::NaturalWidths(TCanvas& canvas, int available) const
{
    UseFont(canvas, m_options.CaptionFont);
    const QFontMetrics caption = canvas.FontMetrics();
    UseFont(canvas, m_options.DataFont);
    const QFontMetrics data = canvas.FontMetrics();
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

TPdfExporter::BandLayout TPdfExporter::LayOut(TCanvas& canvas, const TReportBand& band,
                                              int bodyHeight) const
{
    BandLayout layout;
    layout.Band = &band;
    UseFont(canvas, m_options.CaptionFont);
    const QFontMetrics caption = canvas.FontMetrics();
    int captionLines = 1;
    for (size_t i = 0; i < band.Columns.size(); ++i) {
        layout.Captions << WrapText(m_columns[band.Columns[i]].Title,
                                    band.Widths[i] - 2 * CellPadding, caption);
        captionLines = std::max(captionLines, static_cast<int>(layout.Captions.last().size()));
    }
    layout.CaptionHeight = captionLines * caption.height() + 2 * CellPadding;

    UseFont(canvas, m_options.DataFont);
    const QFontMetrics data = canvas.FontMetrics();
    const int rowLimit = std::max(1, bodyHeight - layout.CaptionHeight);
    layout.Cells.reserve(m_rows.size());
    for (const QStringList& row : m_rows) {
        QList<QStringList> cells;
        int lines = 1;
        for (size_t i = 0; i < band.Columns.size(); ++i) {
            const int column = band.Columns[i];
            cells << WrapText(column < row.size() ? row[column] : QString(),
                              band.Widths[i] - 2 * CellPadding, data);
            lines = std::max(lines, static_cast<int>(cells.last().size()));
        }
        // A row taller than a page is cut at the page's foot.
        layout.RowHeights.push_back(std::min(rowLimit, lines * data.height() + 2 * CellPadding));
        layout.Cells.push_back(std::move(cells));
    }
    layout.Pages = Paginate(layout.RowHeights, rowLimit);
    return layout;
}

namespace {

void DrawCell(TCanvas& canvas, const TRect& cell, const QStringList& lines)
{
    const int lineHeight = canvas.FontMetrics().height();
    int y = cell.Top + CellPadding;
    const TRect inner(cell.Left + CellPadding, cell.Top, cell.Right - CellPadding, cell.Bottom);
    for (const QString& line : lines) {
        if (y >= cell.Bottom) break;
        canvas.TextRect(inner, inner.Left, y, line);
        y += lineHeight;
    }
}

void DrawRowFrame(TCanvas& canvas, int left, int top, const std::vector<int>& widths, int height)
{
    int x = left;
    canvas.MoveTo(x, top);
    canvas.LineTo(x, top + height);
    for (int width : widths) {
        x += width;
        canvas.MoveTo(x, top);
        canvas.LineTo(x, top + height);
    }
    canvas.MoveTo(left, top + height);
    canvas.LineTo(x, top + height);
}

} // namespace

void TPdfExporter::DrawPage(TCanvas& canvas, const BandLayout& layout, int pageIndex,
                            int pageNumber, int pageCount) const
{
    const TReportBand& band = *layout.Band;
    QPdfWriter* writer = static_cast<QPdfWriter*>(canvas.Device());
    const QRect page = writer->pageLayout().paintRectPixels(Resolution);
    canvas.SetBkMode(bkTransparent);
    canvas.Pen().SetColor(RuleColor);

    UseFont(canvas, m_options.HeaderFont);
    canvas.TextOut(0, 0, m_title);
    int top = canvas.FontMetrics().height() + SectionGap;

    int tableWidth = 0;
    for (int width : band.Widths)
        tableWidth += width;
    canvas.Brush().SetColor(CaptionBackground);
    canvas.FillRect(TRect(0, top, tableWidth, top + layout.CaptionHeight));
    canvas.SetBkMode(bkTransparent);
    canvas.MoveTo(0, top);
    canvas.LineTo(tableWidth, top);
    DrawRowFrame(canvas, 0, top, band.Widths, layout.CaptionHeight);
    UseFont(canvas, m_options.CaptionFont);
    int x = 0;
    for (size_t i = 0; i < band.Widths.size(); ++i) {
        DrawCell(canvas, TRect(x, top, x + band.Widths[i], top + layout.CaptionHeight),
                 layout.Captions[static_cast<qsizetype>(i)]);
        x += band.Widths[i];
    }
    top += layout.CaptionHeight;

    UseFont(canvas, m_options.DataFont);
    const TReportPage& rows = layout.Pages[static_cast<size_t>(pageIndex)];
    for (int row = rows.First; row < rows.End; ++row) {
        const int height = layout.RowHeights[static_cast<size_t>(row)];
        DrawRowFrame(canvas, 0, top, band.Widths, height);
        x = 0;
        const QList<QStringList>& cells = layout.Cells[static_cast<size_t>(row)];
        for (size_t i = 0; i < band.Widths.size(); ++i) {
            DrawCell(canvas, TRect(x, top, x + band.Widths[i], top + height),
                     cells[static_cast<qsizetype>(i)]);
            x += band.Widths[i];
        }
        top += height;
    }

    UseFont(canvas, m_options.FooterFont);
    const QString footer = FooterText(m_options.PageFooter, pageNumber, pageCount);
    const int footerHeight = canvas.FontMetrics().height();
    canvas.TextOut((page.width() - canvas.TextWidth(footer)) / 2, page.height() - footerHeight,
                   footer);
}

void TPdfExporter::Finish()
{
    {
        QPdfWriter writer(m_file.Device());
        writer.setResolution(Resolution);
        writer.setTitle(m_title);
        writer.setCreator(QStringLiteral("Vantor"));
        const QMarginsF margins(m_options.LeftMargin, m_options.TopMargin, m_options.RightMargin,
                                m_options.BottomMargin);
        writer.setPageLayout(QPageLayout(QPageSize(ReportPaperSize()), QPageLayout::Landscape,
                                         margins, QPageLayout::Inch));
        const QRect page = writer.pageLayout().paintRectPixels(Resolution);

        TCanvas canvas(&writer);
        UseFont(canvas, m_options.HeaderFont);
        const int headerHeight = canvas.FontMetrics().height() + SectionGap;
        UseFont(canvas, m_options.FooterFont);
        const int footerHeight = canvas.FontMetrics().height() + SectionGap;
        const int bodyHeight = page.height() - headerHeight - footerHeight;

        const std::vector<TReportBand> bands =
            SplitIntoBands(NaturalWidths(canvas, page.width()), page.width());
        std::vector<BandLayout> layouts;
        int pageCount = 0;
        for (const TReportBand& band : bands) {
            layouts.push_back(LayOut(canvas, band, bodyHeight));
            pageCount += static_cast<int>(layouts.back().Pages.size());
        }
        int pageNumber = 0;
        for (const BandLayout& layout : layouts) {
            for (size_t i = 0; i < layout.Pages.size(); ++i) {
                if (pageNumber > 0) writer.newPage();
                ++pageNumber;
                DrawPage(canvas, layout, static_cast<int>(i), pageNumber, pageCount);
            }
        }
        if (pageCount == 0) canvas.TextOut(0, 0, m_title); // a report without columns
    } // the canvas and the writer end the document here
    m_file.Commit();
}
