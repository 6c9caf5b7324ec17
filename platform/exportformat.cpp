#include "platform/exportformat.h"

#include "platform/csvexporter.h"
#include "platform/htmlexporter.h"
#include "platform/pdfexporter.h"
#include "platform/rtfexporter.h"
#include "platform/xlsxexporter.h"

#include <algorithm>

namespace {

struct TFormatInfo
{
    const char* Key;
    const char* Title;
    const char* Filter;
};

const TFormatInfo& Info(TExportFormat format)
{
    static const TFormatInfo infos[ExportFormatCount] = {
        {"csv", "CSV (comma-separated values)", "CSV file (*.csv)"},
        {"html", "HTML web page", "HTML page (*.html *.htm)"},
        {"rtf", "RTF document", "RTF document (*.rtf)"},
        {"pdf", "PDF document", "PDF document (*.pdf)"},
        {"xlsx", "Spreadsheet (.xlsx)", "Spreadsheet (*.xlsx)"},
    };
    return infos[std::clamp(static_cast<int>(format), 0, ExportFormatCount - 1)];
}

} // namespace

QString ExportFormatKey(TExportFormat format)
{
    return QString::fromLatin1(Info(format).Key);
}

QString ExportFormatTitle(TExportFormat format)
{
    return QString::fromLatin1(Info(format).Title);
}

QString ExportFormatFilter(TExportFormat format)
{
    return QString::fromLatin1(Info(format).Filter);
}

bool ExportFormatFromKey(const QString& key, TExportFormat& format)
{
    for (int i = 0; i < ExportFormatCount; ++i) {
        if (key.compare(QLatin1String(Info(TExportFormat(i)).Key), Qt::CaseInsensitive) == 0) {
            format = TExportFormat(i);
            return true;
        }
    }
    return false;
}

QStringList ExportFormatKeys()
{
    QStringList keys;
    for (int i = 0; i < ExportFormatCount; ++i)
        keys << ExportFormatKey(TExportFormat(i));
    return keys;
}

std::unique_ptr<TExporter> CreateExporter(TExportFormat format, const TExportOptions& options)
{
    switch (format) {
    case efCsv:
        return std::make_unique<TCsvExporter>(options.Csv);
    case efHtml:
        return std::make_unique<THtmlExporter>(options.Html);
    case efRtf:
        return std::make_unique<TRtfExporter>(options.Rtf);
    case efPdf:
        return std::make_unique<TPdfExporter>(options.Pdf);
    case efXlsx:
        return std::make_unique<TXlsxExporter>(options.Xlsx);
    }
    return nullptr;
}
