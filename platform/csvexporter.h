#pragma once

#include "platform/exporter.h"
#include "platform/exportfile.h"
#include "platform/exportoptions.h"

// Comma-separated values as spreadsheets and csv readers expect them: UTF-8 with a byte
// order mark (so that spreadsheet programs do not guess a legacy code page), a title
// row, records ended by CR LF, and a field quoted when it holds the separator, a quote,
// a line break or leading or trailing spaces, its quotes doubled.
class TCsvExporter : public TExporter
{
public:
    explicit TCsvExporter(const TCsvExportOptions& options);

    void Begin(const QString& path, const TExportHeader& header) override;
    void WriteRow(const TExportRow& row) override;
    void Finish() override;
    void Abort() override { m_file.Discard(); }

    // One field, quoted when needed.
    static QString Quote(const QString& text, QChar separator);

private:
    void WriteLine(const QStringList& fields);

    TCsvExportOptions m_options;
    TExportFile m_file;
};
