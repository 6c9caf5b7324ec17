#pragma once

#include <QCommandLineParser>
#include <QTextStream>

// vantor-db export: a gig or contact report written from the command line with the same
// writers and options as the program's export dialog.
void AddExportOptions(QCommandLineParser& parser);
int RunExport(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
