#pragma once

#include "platform/exportoptions.h"

#include <QString>
#include <QStringList>

#include <memory>

class TExporter;

// Stored order matters: the dialog's last choice is kept by number.
enum TExportFormat { efCsv, efHtml, efRtf, efPdf, efXlsx };

constexpr int ExportFormatCount = 5;

// "csv", "html", ... as typed on a command line and used as the file suffix.
QString ExportFormatKey(TExportFormat format);
// What the dialog shows: "CSV (comma-separated values)", ...
QString ExportFormatTitle(TExportFormat format);
// A file dialog filter: "PDF document (*.pdf)".
QString ExportFormatFilter(TExportFormat format);
// Accepts a key without regard to case; false when the text names no format.
bool ExportFormatFromKey(const QString& key, TExportFormat& format);
QStringList ExportFormatKeys();

// The writer for a format, configured with its group of the options.
std::unique_ptr<TExporter> CreateExporter(TExportFormat format, const TExportOptions& options);
