#include "tools/dbtool.h"

#include "app/tabledefs.h"
#include "platform/aliases.h"
#include "platform/clock.h"
#include "platform/exceptions.h"
#include "platform/table.h"
#include "tools/demobook.h"
#include "tools/exportcommand.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QCommandLineOption AliasOption(QStringLiteral("alias"),
                                     QStringLiteral("The database alias (default: vantor)."),
                                     QStringLiteral("NAME"), QString::fromLatin1(DefaultAliasName));
const QCommandLineOption DemoOption(QStringLiteral("demo"),
                                    QStringLiteral("Fill the new tables with a sample book."));

void AddAliasOption(QCommandLineParser& parser)
{
    parser.addOption(AliasOption);
}

int RunPath(const QCommandLineParser& parser, QTextStream& out, QTextStream&)
{
    out << QDir::toNativeSeparators(AliasDirectory(parser.value(AliasOption))) << '\n';
    return dbOk;
}

int RunInit(const QCommandLineParser& parser, QTextStream& out, QTextStream& err)
{
    const QString alias = parser.value(AliasOption);
    const QString directory = AliasDirectory(alias);
    // All or nothing: a book is three tables, and an existing one is never touched.
    QStringList existing;
    for (const TTableDefinition& def : GigBookDefinitions()) {
        if (QFileInfo::exists(QDir(directory).filePath(def.TableName))) existing << def.TableName;
    }
    if (!existing.isEmpty()) {
        err << QStringLiteral("vantor-db: %1 already %2 in '%3'; nothing was changed (an "
                              "existing table is never overwritten)\n")
                   .arg(existing.join(QStringLiteral(", ")),
                        existing.size() == 1 ? QStringLiteral("exists") : QStringLiteral("exist"),
                        directory);
        return dbFailed;
    }
    if (!QDir().mkpath(directory)) {
        err << QStringLiteral("vantor-db: cannot create the directory '%1'\n").arg(directory);
        return dbFailed;
    }
    for (const TTableDefinition& def : GigBookDefinitions()) {
        TTable::CreateTable(alias, def.TableName, def.FieldDefs, def.IndexDefs);
        out << QStringLiteral("Created %1\n").arg(QDir(directory).filePath(def.TableName));
    }
    if (parser.isSet(DemoOption)) {
        const TDemoBookSummary demo = FillDemoBook(alias, Date());
        out << QStringLiteral("Filled the sample book: %1 gigs, %2 contacts\n")
                   .arg(demo.Gigs)
                   .arg(demo.Contacts);
    }
    return dbOk;
}

const TDbToolCommand* FindCommand(const QString& name)
{
    for (const TDbToolCommand& command : DbToolCommands()) {
        if (command.Name == name) return &command;
    }
    return nullptr;
}

} // namespace

const QList<TDbToolCommand>& DbToolCommands()
{
    static const QList<TDbToolCommand> commands{
        {QStringLiteral("init"), QStringLiteral("init [--alias NAME] [--demo]"),
         QStringLiteral("Create gig.db, blackout.db and contacts.db in the alias's directory\n"
                        "(made when missing). Refuses, changing nothing, when any of them\n"
                        "exists. With --demo, fills a sample book: gigs over the current month\n"
                        "and the months around it, and a handful of contacts."),
         [](QCommandLineParser& parser) {
             AddAliasOption(parser);
             parser.addOption(DemoOption);
         },
         RunInit},
        {QStringLiteral("path"), QStringLiteral("path [--alias NAME]"),
         QStringLiteral("Print the directory of the alias, whether or not it exists."),
         AddAliasOption, RunPath},
        {QStringLiteral("export"),
         QStringLiteral("export [--alias NAME] --table gig.db|contacts.db\n"
                        "         --format csv|html|rtf|pdf|xlsx --out FILE"),
         QStringLiteral("Write every record of the table, all fields in the table's order, to\n"
                        "FILE as the program's Gig Report and Contact Report do. The file is\n"
                        "replaced only once it is complete; on failure nothing is left."),
         [](QCommandLineParser& parser) {
             AddAliasOption(parser);
             AddExportOptions(parser);
         },
         RunExport},
    };
    return commands;
}

QString DbToolHelp()
{
    QString help = QStringLiteral(
        "Usage: vantor-db COMMAND [OPTIONS]\n"
        "\n"
        "Creates the tables of Vantor's gig book (Vantor itself never creates a table)\n"
        "and exports their reports.\n"
        "\n"
        "Commands:\n");
    for (const TDbToolCommand& command : DbToolCommands()) {
        help += QStringLiteral("  %1\n").arg(command.Synopsis);
        for (const QString& line : command.Summary.split(QLatin1Char('\n')))
            help += QStringLiteral("      %1\n").arg(line);
    }
    help += QStringLiteral(
        "\n"
        "Options:\n"
        "  --alias NAME  The database alias whose directory holds the tables (default:\n"
        "                vantor). Aliases are sections of\n"
        "                $XDG_CONFIG_HOME/vantor/aliases.ini (~/.config/vantor/aliases.ini)\n"
        "                with a path= key, for example:\n"
        "                    [vantor]\n"
        "                    path=/home/me/Music/gigbook\n"
        "                The alias vantor needs no entry: it defaults to\n"
        "                $XDG_DATA_HOME/vantor (~/.local/share/vantor).\n"
        "  --demo        With init: fill the new tables with a sample book.\n"
        "  --table TABLE With export: gig.db or contacts.db.\n"
        "  --format F    With export: csv, html, rtf, pdf or xlsx.\n"
        "  --out FILE    With export: the file to write (replaced when it exists).\n"
        "  -h, --help    Show this help.\n"
        "\n"
        "Exit status: 0 on success, 1 when a table exists or anything fails (a table\n"
        "that cannot be opened, a file that cannot be written), 2 for a command line\n"
        "that cannot be understood.\n");
    return help;
}

int RunDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty()) {
        err << DbToolHelp();
        return dbUsage;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        out << DbToolHelp();
        return dbOk;
    }
    const TDbToolCommand* command = FindCommand(name);
    if (!command) {
        err << QStringLiteral("vantor-db: unknown command '%1'; see vantor-db --help\n").arg(name);
        return dbUsage;
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (command->AddOptions) command->AddOptions(parser);
    // QCommandLineParser skips the first entry as the program's name.
    if (!parser.parse(QStringList{QStringLiteral("vantor-db")} + arguments.mid(1))) {
        err << QStringLiteral("vantor-db %1: %2\n").arg(name, parser.errorText());
        return dbUsage;
    }
    if (parser.isSet(help)) {
        out << DbToolHelp();
        return dbOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("vantor-db %1: unexpected argument '%2'\n")
                   .arg(name, parser.positionalArguments().first());
        return dbUsage;
    }
    try {
        return command->Run(parser, out, err);
    } catch (const Exception& error) {
        err << QStringLiteral("vantor-db %1: %2\n").arg(name, error.Message());
        return dbFailed;
    }
}
