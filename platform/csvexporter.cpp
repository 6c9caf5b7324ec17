#include "platform/csvexporter.h"

#include <QStringList>

TCsvExporter::TCsvExporter(const TCsvExportOptions& options) : m_options(options) {}

QString TCsvExporter::Quote(const QString& text, QChar separator)
{
    const bool needsQuotes = text.contains(separator) || text.contains(QLatin1Char('"')) ||
                             text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                             text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    if (!needsQuotes) return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void TCsvExporter::Begin(const QString& path, const TExportHeader& header)
{
    m_file.Open(path);
    m_file.Write(QByteArrayLiteral("\xEF\xBB\xBF"));
    QStringList titles;
    for (const TExportColumn& column : header.Columns)
        titles << column.Title;
    WriteLine(titles);
}

void TCsvExporter::WriteRow(const TExportRow& row)
{
    QStringList fields;
    fields.reserve(static_cast<qsizetype>(row.size()));
    for (const TExportCell& cell : row)
        fields << cell.Text;
    WriteLine(fields);
}

void TCsvExporter::Finish()
{
    m_file.Commit();
}

void TCsvExporter::WriteLine(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) line += m_options.Separator;
        line += Quote(fields[i], m_options.Separator);
    }
    line += QLatin1String("\r\n");
    m_file.Write(line.toUtf8());
}
