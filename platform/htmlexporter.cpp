#include "platform/htmlexporter.h"

namespace {

QString CssColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(rgb), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(rgb), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(rgb), 2, 16, QLatin1Char('0'));
}

bool IsLight(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    // Relative luminance weights of the sRGB primaries, on 0..255.
    const double luminance =
        0.2126 * GetRValue(rgb) + 0.7152 * GetGValue(rgb) + 0.0722 * GetBValue(rgb);
    return luminance > 140;
}

bool IsNumeric(TFieldType type)
{
    return type == ftFloat || type == ftInteger || type == ftAutoInc;
}

QString CssFontFamily(const QString& name)
{
    QString quoted = name;
    quoted.remove(QLatin1Char('"'));
    return QStringLiteral("\"%1\", sans-serif").arg(quoted);
}

} // namespace

THtmlExporter::THtmlExporter(const THtmlExportOptions& options) : m_options(options) {}

QString THtmlExporter::Escape(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    // Control characters are not allowed in XHTML at all.
    escaped.removeIf([](QChar c) {
        return c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t') &&
               c != QLatin1Char('\r');
    });
    escaped.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br/>"));
    return escaped;
}

QString THtmlExporter::StyleSheet(const TFont& font)
{
    const bool light = IsLight(font.Color());
    const QString background = light ? QStringLiteral("#1f3550") : QStringLiteral("#ffffff");
    const QString rule = light ? QStringLiteral("#6f86a3") : QStringLiteral("#b0b0b0");
    const QString heading = light ? QStringLiteral("#2d4a6d") : QStringLiteral("#e8e8e8");
    return QStringLiteral(
               "body { font-family: %1; font-size: %2pt; font-weight: %3; font-style: %4; "
               "color: %5; background-color: %6; }\n"
               "table { border-collapse: collapse; font-size: inherit; }\n"
               "th, td { border: 1px solid %7; padding: 2px 4px; text-align: left; "
               "vertical-align: top; }\n"
               "th { font-weight: bold; background-color: %8; }\n"
               "td.number { text-align: right; }\n")
        .arg(CssFontFamily(font.Name()), QString::number(font.Size()),
             font.HasStyle(fsBold) ? QStringLiteral("bold") : QStringLiteral("normal"),
             font.HasStyle(fsItalic) ? QStringLiteral("italic") : QStringLiteral("normal"),
             CssColor(font.Color()), background, rule, heading);
}

void THtmlExporter::Begin(const QString& path, const TExportHeader& header)
{
    m_file.Open(path);
    QString head = QStringLiteral("<!DOCTYPE html>\n"
                                  "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
                                  "<head>\n"
                                  "<meta charset=\"utf-8\"/>\n"
                                  "<title>%1</title>\n"
                                  "<style>\n%2</style>\n"
                                  "</head>\n"
                                  "<body>\n"
                                  "<h1>%1</h1>\n"
                                  "<table>\n<thead>\n<tr>")
                       .arg(Escape(header.Title), StyleSheet(m_options.TextFont));
    m_numeric.clear();
    for (const TExportColumn& column : header.Columns) {
        head += QStringLiteral("<th>%1</th>").arg(Escape(column.Title));
        m_numeric.push_back(IsNumeric(column.DataType));
    }
    head += QLatin1String("</tr>\n</thead>\n<tbody>\n");
    m_file.Write(head.toUtf8());
}

void THtmlExporter::WriteRow(const TExportRow& row)
{
    QString line = QStringLiteral("<tr>");
    for (size_t i = 0; i < row.size(); ++i) {
        const bool numeric = i < m_numeric.size() && m_numeric[i];
        line += numeric ? QLatin1String("<td class=\"number\">") : QLatin1String("<td>");
        line += Escape(row[i].Text);
        line += QLatin1String("</td>");
    }
    line += QLatin1String("</tr>\n");
    m_file.Write(line.toUtf8());
}

void THtmlExporter::Finish()
{
    m_file.Write(QByteArrayLiteral("</tbody>\n</table>\n</body>\n</html>\n"));
    m_file.Commit();
}
