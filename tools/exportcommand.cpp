#include "tools/exportcommand.h"

#include "platform/datasetexport.h"
#include "platform/table.h"
#include "tools/dbtool.h"

#include <QDir>

namespace {

const QStringList ReportTables{QStringLiteral("gig.db"), QStringLiteral("contacts.db")};

const QCommandLineOption TableOption(QStringLiteral("table"),
                                     QStringLiteral("The table to export: gig.db or contacts.db."),
                                     QStringLiteral("TABLE"));
const QCommandLineOption FormatOption(QStringLiteral("format"),
                                      QStringLiteral("csv, html, rtf, pdf or xlsx."),
                                      QStringLiteral("FORMAT"));
const QCommandLineOption OutOption(QStringLiteral("out"), QStringLiteral("The file to write."),
                                   QStringLiteral("FILE"));

int Usage(QTextStream& err, const QString& problem)
{
    err << QStringLiteral("vantor-db export: %1; see vantor-db --help\n").arg(problem);
    return dbUsage;
}

} // namespace

void AddExportOptions(QCommandLineParser& parser)
{
    parser.addOption(TableOption);
    parser.addOption(FormatOption);
    parser.addOption(OutOption);
}

int RunExport(const QCommandLineParser& parser, QTextStream& out, QTextStream& err)
{
    for (const QCommandLineOption* option : {&TableOption, &FormatOption, &OutOption}) {
        if (!parser.isSet(*option) || parser.value(*option).trimmed().isEmpty())
            return Usage(err, QStringLiteral("--%1 is required").arg(option->names().first()));
    }
    const QString tableName = parser.value(TableOption).trimmed().toLower();
    if (!ReportTables.contains(tableName))
        return Usage(err, QStringLiteral("--table must be gig.db or contacts.db, not '%1'")
                              .arg(parser.value(TableOption)));
    TExportFormat format;
    if (!ExportFormatFromKey(parser.value(FormatOption).trimmed(), format))
        return Usage(err, QStringLiteral("--format must be one of %1, not '%2'")
                              .arg(ExportFormatKeys().join(QStringLiteral(", ")),
                                   parser.value(FormatOption)));
    const QString path = QDir::current().absoluteFilePath(parser.value(OutOption));

    TTable table;
    table.SetDatabaseName(parser.value(QStringLiteral("alias")));
    table.SetTableName(tableName);
    table.SetReadOnly(true); // a report never changes the book
    table.Open();
    const int records = ExportDataSet(table, format, GigBookExportOptions(), path);
    out << QStringLiteral("Exported %1 %2 of %3 to %4\n")
               .arg(records)
               .arg(records == 1 ? QStringLiteral("record") : QStringLiteral("records"), tableName,
                    QDir::toNativeSeparators(path));
    return dbOk;
}
