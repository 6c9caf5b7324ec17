#include "platform/rtfexporter.h"

#include "platform/numeric.h"

#include <QSizeF>

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int PageMargin = TwipsPerInch / 2;
constexpr int CellPadding = 60;

QString AlignmentCode(TExportAlignment alignment)
{
    switch (alignment) {
    case eaCenter:
        return QStringLiteral("\\qc");
    case eaRight:
        return QStringLiteral("\\qr");
    case eaLeft:
        break;
    }
    return QStringLiteral("\\ql");
}

QString CellBorders()
{
    return QStringLiteral("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                          "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10");
}

} // namespace

TRtfExporter::TRtfExporter(const TRtfExportOptions& options) : m_options(options)
{
    for (const TRtfStyle* style : {&m_options.CaptionStyle, &m_options.DataStyle,
                                   &m_options.HeaderStyle, &m_options.FooterStyle}) {
        if (!m_fontNames.contains(style->Font.Name())) m_fontNames << style->Font.Name();
        const TColor color = ColorToRGB(style->Font.Color());
        if (!m_colors.contains(color)) m_colors << color;
    }
}

QString TRtfExporter::Escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) continue;
            out += QLatin1String("\\line ");
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\line ");
        } else if (c == QLatin1Char('\t')) {
            out += QLatin1String("\\tab ");
        } else if (u < 0x20) {
            continue; // other control characters have no meaning in a report
        } else if (u < 0x80) {
            out += c;
        } else {
            // Surrogate pairs come out as two units, as RTF readers expect.
            out += QStringLiteral("\\u%1?").arg(static_cast<short>(u));
        }
    }
    return out;
}

int TRtfExporter::HalfPoints(const TFont& font)
{
    const int pixels = font.Height() < 0 ? -font.Height() : font.Height();
    return static_cast<int>(Round(pixels * 72.0 * 2 / font.PixelsPerInch()));
}

QString TRtfExporter::StyleCodes(const TRtfStyle& style) const
{
    const TFont& font = style.Font;
    QString codes = QStringLiteral("\\plain\\f%1\\fs%2\\cf%3")
                        .arg(m_fontNames.indexOf(font.Name()))
                        .arg(HalfPoints(font))
                        .arg(m_colors.indexOf(ColorToRGB(font.Color())) + 1);
    if (font.HasStyle(fsBold)) codes += QLatin1String("\\b");
    if (font.HasStyle(fsItalic)) codes += QLatin1String("\\i");
    if (font.HasStyle(fsUnderline)) codes += QLatin1String("\\ul");
    if (font.HasStyle(fsStrikeOut)) codes += QLatin1String("\\strike");
    return codes + QLatin1Char(' ');
}

QString TRtfExporter::Prolog(const TExportHeader& header)
{
    const QPageSize paper(ReportPaperSize());
    const QSizeF inches = paper.size(QPageSize::Inch);
    const int pageWidth = static_cast<int>(Round(inches.height() * TwipsPerInch));
    const int pageHeight = static_cast<int>(Round(inches.width() * TwipsPerInch));

    QString fonts;
    for (int i = 0; i < m_fontNames.size(); ++i)
        fonts +=
            QStringLiteral("{\\f%1\\fswiss\\fcharset0 %2;}").arg(i).arg(Escape(m_fontNames[i]));
    QString colors = QStringLiteral(";");
    for (TColor color : m_colors)
        colors += QStringLiteral("\\red%1\\green%2\\blue%3;")
                      .arg(GetRValue(color))
                      .arg(GetGValue(color))
                      .arg(GetBValue(color));

    const TRtfStyle& footer = m_options.FooterStyle;
    const QString footerText =
        QStringLiteral("{\\footer\\pard%1%2Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
                       "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par}\n")
            .arg(AlignmentCode(footer.Alignment), StyleCodes(footer));

    const TRtfStyle& title = m_options.HeaderStyle;
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl%1}\n{\\colortbl%2}\n"
                          "\\paperw%3\\paperh%4\\landscape\\margl%5\\margr%5\\margt%5\\margb%5\n"
                          "%6\\pard%7%8%9\\par\n")
        .arg(fonts, colors, QString::number(pageWidth), QString::number(pageHeight),
             QString::number(PageMargin), footerText, AlignmentCode(title.Alignment),
             StyleCodes(title), Escape(header.Title));
}

QString TRtfExporter::Row(const QStringList& cells, const TRtfStyle& style, bool header) const
{
    QString row = QStringLiteral("\\trowd\\trgaph%1\\trleft0").arg(CellPadding);
    if (header) row += QLatin1String("\\trhdr");
    row += m_rowDefinition;
    const QString paragraph =
        QStringLiteral("\\pard\\intbl%1%2").arg(AlignmentCode(style.Alignment), StyleCodes(style));
    for (const QString& cell : cells) {
        row += paragraph;
        row += Escape(cell);
        row += QLatin1String("\\cell ");
    }
    row += QLatin1String("\\row\n");
    return row;
}

void TRtfExporter::Begin(const QString& path, const TExportHeader& header)
{
    m_file.Open(path);
    const QPageSize paper(ReportPaperSize());
    const int usable =
        static_cast<int>(Round(paper.size(QPageSize::Inch).height() * TwipsPerInch)) -
        2 * PageMargin;
    m_rowDefinition.clear();
    int right = 0;
    for (int width : ColumnWidths(header.Columns, usable)) {
        right += width;
        m_rowDefinition += CellBorders() + QStringLiteral("\\cellx%1").arg(right);
    }
    QStringList titles;
    for (const TExportColumn& column : header.Columns)
        titles << column.Title;
    QString text = Prolog(header);
    if (!header.Columns.empty()) text += Row(titles, m_options.CaptionStyle, true);
    m_file.Write(text.toLatin1());
}

void TRtfExporter::WriteRow(const TExportRow& row)
{
    if (row.empty()) return;
    QStringList cells;
    cells.reserve(static_cast<qsizetype>(row.size()));
    for (const TExportCell& cell : row)
        cells << cell.Text;
    m_file.Write(Row(cells, m_options.DataStyle, false).toLatin1());
}

void TRtfExporter::Finish()
{
    m_file.Write(QByteArrayLiteral("\\pard\\par\n}\n"));
    m_file.Commit();
}
