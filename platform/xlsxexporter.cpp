#include "platform/xlsxexporter.h"

#include "platform/datetime.h"
#include "platform/exportfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int MaxCellLength = 32767; // characters a spreadsheet cell holds
constexpr int MaxLinkLength = 2079;
constexpr double FirstSafeSerial = 61; // before 1 March 1900 spreadsheets count a false leap day
constexpr uint8_t PaperLetter = 1;
constexpr uint8_t PaperA4 = 9;

lxw_color_t ToLxwColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return (static_cast<lxw_color_t>(GetRValue(rgb)) << 16) |
           (static_cast<lxw_color_t>(GetGValue(rgb)) << 8) |
           static_cast<lxw_color_t>(GetBValue(rgb));
}

uint8_t ToLxwAlignment(TExportAlignment alignment)
{
    switch (alignment) {
    case eaCenter:
        return LXW_ALIGN_CENTER;
    case eaRight:
        return LXW_ALIGN_RIGHT;
    case eaLeft:
        break;
    }
    return LXW_ALIGN_LEFT;
}

// Spreadsheets hold at most MaxCellLength characters in a cell; never cut a pair.
QString CellText(const QString& text)
{
    if (text.size() <= MaxCellLength) return text;
    qsizetype length = MaxCellLength;
    if (text[length - 1].isHighSurrogate()) --length;
    return text.left(length);
}

bool IsDateKind(TFieldType type)
{
    return type == ftDate || type == ftTime || type == ftDateTime;
}

} // namespace

TXlsxExporter::TXlsxExporter(const TXlsxExportOptions& options) : m_options(options) {}

TXlsxExporter::~TXlsxExporter()
{
    Discard();
}

QString TXlsxExporter::NumberFormat(const QString& format, QChar dateSeparator, QChar timeSeparator)
{
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += QLatin1String("AM/PM");
            i += 4;
        } else if (c == QLatin1Char('/')) {
            out += QLatin1Char('\\') + dateSeparator;
        } else if (c == QLatin1Char(':')) {
            // A bare colon keeps "m" after "h" read as minutes everywhere.
            if (timeSeparator == QLatin1Char(':'))
                out += timeSeparator;
            else
                out += QLatin1Char('\\') + timeSeparator;
        } else if (c == QLatin1Char(' ')) {
            out += c;
        } else if (c == QLatin1Char('n') || c == QLatin1Char('N')) {
            out += QLatin1Char('m'); // minutes are "m" after an hour in spreadsheet formats
        } else if (QStringLiteral("dmyhsDMYHS").contains(c)) {
            out += c.toLower();
        } else {
            out += QLatin1Char('\\') + c;
        }
    }
    return out;
}

QString TXlsxExporter::FooterCode(const QString& footer)
{
    static const QRegularExpression section(QStringLiteral("&[LCR]"));
    if (footer.isEmpty() || footer.contains(section)) return footer;
    return QStringLiteral("&C") + footer;
}

QString TXlsxExporter::LinkFor(const QString& text)
{
    static const QRegularExpression email(QStringLiteral("^[^@\\s:/]+@[^@\\s/]+\\.[^@\\s/]+$"));
    static const QRegularExpression web(QStringLiteral("^(https?|ftp)://\\S+$"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString link;
    if (email.match(text).hasMatch())
        link = QStringLiteral("mailto:") + text;
    else if (web.match(text).hasMatch())
        link = text;
    return link.toUtf8().size() <= MaxLinkLength ? link : QString();
}

lxw_format* TXlsxExporter::AddFormat(const TXlsxCellFormat& format)
{
    lxw_format* f = workbook_add_format(m_workbook);
    if (!format.FontName.isEmpty()) format_set_font_name(f, format.FontName.toUtf8().constData());
    if (format.FontSize > 0) format_set_font_size(f, format.FontSize);
    if (format.Bold) format_set_bold(f);
    if (format.Underline) format_set_underline(f, LXW_UNDERLINE_SINGLE);
    if (format.FontColor != clNone) format_set_font_color(f, ToLxwColor(format.FontColor));
    if (format.Alignment != eaLeft) format_set_align(f, ToLxwAlignment(format.Alignment));
    if (format.TopAligned) format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
    return f;
}

void TXlsxExporter::Check(int error, const char* what)
{
    if (error == LXW_NO_ERROR) return;
    const QString reason = QStringLiteral("%1 (%2)").arg(
        QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(error))), QLatin1String(what));
    Discard();
    throw Exception(TExportFile::FailureMessage(m_path, reason));
}

void TXlsxExporter::Begin(const QString& path, const TExportHeader& header)
{
    m_path = path;
    m_columns = header.Columns;
    m_row = 0;
    const QFileInfo target(path);
    if (target.isDir())
        throw Exception(TExportFile::FailureMessage(path, QStringLiteral("it is a folder")));
    if (!QFileInfo(target.absolutePath()).isDir())
        throw Exception(
            TExportFile::FailureMessage(path, QStringLiteral("the folder does not exist")));
    // The temporary name is taken (and the folder's writability proved) before any work.
    m_temporary = std::make_unique<QTemporaryFile>(
        QDir(target.absolutePath()).filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!m_temporary->open()) {
        const QString reason = m_temporary->errorString();
        m_temporary.reset();
        throw Exception(TExportFile::FailureMessage(path, reason));
    }
    m_temporary->close();

    m_workbook = workbook_new(QFile::encodeName(m_temporary->fileName()).constData());
    if (!m_workbook) Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "workbook");
    m_sheet = workbook_add_worksheet(m_workbook, m_options.SheetTitle.toUtf8().constData());
    if (!m_sheet) {
        // An unusable sheet title (too long, or with characters sheets cannot be named
        // with) should not lose the export.
        m_sheet = workbook_add_worksheet(m_workbook, nullptr);
        if (!m_sheet) Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "worksheet");
    }

    const TFormatSettings& settings = FormatSettings();
    const QString date =
        NumberFormat(settings.ShortDateFormat, settings.DateSeparator, settings.TimeSeparator);
    const QString time =
        NumberFormat(settings.ShortTimeFormat, settings.DateSeparator, settings.TimeSeparator);
    m_dateFormat = workbook_add_format(m_workbook);
    format_set_num_format(m_dateFormat, date.toUtf8().constData());
    m_timeFormat = workbook_add_format(m_workbook);
    format_set_num_format(m_timeFormat, time.toUtf8().constData());
    m_dateTimeFormat = workbook_add_format(m_workbook);
    format_set_num_format(m_dateTimeFormat, (date + QLatin1Char(' ') + time).toUtf8().constData());
    m_wrapFormat = workbook_add_format(m_workbook);
    format_set_text_wrap(m_wrapFormat);
    format_set_align(m_wrapFormat, LXW_ALIGN_VERTICAL_TOP);
    m_linkFormat = AddFormat(m_options.HyperlinkFormat);
    lxw_format* caption = AddFormat(m_options.CaptionFormat);

    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column) {
        const TExportColumn& c = m_columns[static_cast<size_t>(column)];
        const double width = std::clamp(c.Width, 8, 30) + 2;
        Check(worksheet_set_column(m_sheet, column, column, width, nullptr), "column");
        Check(worksheet_write_string(m_sheet, 0, column, CellText(c.Title).toUtf8().constData(),
                                     caption),
              "title row");
    }
    worksheet_freeze_panes(m_sheet, 1, 0);
    Check(worksheet_repeat_rows(m_sheet, 0, 0), "printed titles");
    worksheet_set_landscape(m_sheet);
    worksheet_set_paper(m_sheet, ReportPaperSize() == QPageSize::Letter ? PaperLetter : PaperA4);
    const QString footer = FooterCode(m_options.PageFooter);
    if (!footer.isEmpty())
        Check(worksheet_set_footer(m_sheet, footer.toUtf8().constData()), "footer");
    m_row = 1;
}

void TXlsxExporter::WriteCell(int column, const TExportCell& cell)
{
    if (cell.IsEmpty() || cell.Text.isEmpty()) return;
    const TFieldType type = static_cast<size_t>(column) < m_columns.size()
                                ? m_columns[static_cast<size_t>(column)].DataType
                                : ftString;
    bool isNumber = false;
    const double number = cell.Value.toDouble(&isNumber);
    if (IsDateKind(type) && isNumber && (type == ftTime || number >= FirstSafeSerial)) {
        lxw_format* format = type == ftDate   ? m_dateFormat
                             : type == ftTime ? m_timeFormat
                                              : m_dateTimeFormat;
        Check(worksheet_write_number(m_sheet, m_row, column, number, format), "date cell");
        return;
    }
    if ((type == ftFloat || type == ftInteger || type == ftAutoInc) && isNumber) {
        Check(worksheet_write_number(m_sheet, m_row, column, number, nullptr), "number cell");
        return;
    }
    const QByteArray text = CellText(cell.Text).toUtf8();
    const QString link = LinkFor(cell.Text);
    if (!link.isEmpty() &&
        worksheet_write_url_opt(m_sheet, m_row, column, link.toUtf8().constData(), m_linkFormat,
                                text.constData(), nullptr) == LXW_NO_ERROR)
        return;
    // Past the sheet's limit of links a cell simply keeps its text.
    lxw_format* format = cell.Text.contains(QLatin1Char('\n')) ? m_wrapFormat : nullptr;
    Check(worksheet_write_string(m_sheet, m_row, column, text.constData(), format), "text cell");
}

void TXlsxExporter::WriteRow(const TExportRow& row)
{
    for (int column = 0; column < static_cast<int>(row.size()); ++column)
        WriteCell(column, row[static_cast<size_t>(column)]);
    ++m_row;
}

void TXlsxExporter::Finish()
{
    const lxw_error error = workbook_close(m_workbook);
    m_workbook = nullptr;
    Check(error, "saving the workbook");
    const QString temporary = m_temporary->fileName();
    const QFileInfo existing(m_path);
    const QFileDevice::Permissions permissions =
        existing.exists() ? QFile::permissions(m_path)
                          : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temporary, permissions);
    // rename() replaces the target in one step, unlike QFile::rename.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(m_path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        Discard();
        throw Exception(TExportFile::FailureMessage(m_path, reason));
    }
    m_temporary->setAutoRemove(false);
    m_temporary.reset();
}

void TXlsxExporter::Discard()
{
    if (m_workbook) {
        lxw_workbook_free(m_workbook);
        m_workbook = nullptr;
    }
    m_temporary.reset();
}
