#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

// Exit codes of vantor-db.
enum TDbToolExit { dbOk = 0, dbFailed = 1, dbUsage = 2 };

// One command of vantor-db: its name, a line of synopsis and summary for the help, the
// options it takes and what it does. A new command (an export, say) is one more entry in
// DbToolCommands().
struct TDbToolCommand
{
    QString Name;
    QString Synopsis;
    QString Summary;
    std::function<void(QCommandLineParser& parser)> AddOptions;
    std::function<int(const QCommandLineParser& parser, QTextStream& out, QTextStream& err)> Run;
};

const QList<TDbToolCommand>& DbToolCommands();
QString DbToolHelp();
// Runs vantor-db with its arguments (without the program name); returns the exit code.
int RunDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err);
