#pragma once

#include "platform/exporter.h"
#include "platform/exportfile.h"
#include "platform/exportoptions.h"

#include <QStringList>

// A rich-text document that word processors open: the title in the header style, the
// records as one table whose title row (caption style) repeats on every page, and a
// page footer "Page N of M" in the footer style. The file is 7-bit ASCII: characters
// beyond it are written as \uN? (N the signed UTF-16 unit, "?" for readers without
// Unicode), line breaks in memos as \line.
class TRtfExporter : public TExporter
{
public:
    explicit TRtfExporter(const TRtfExportOptions& options);

    void Begin(const QString& path, const TExportHeader& header) override;
    void WriteRow(const TExportRow& row) override;
    void Finish() override;
    void Abort() override { m_file.Discard(); }

    static QString Escape(const QString& text);
    // Font size in half points, as \fs wants it.
    static int HalfPoints(const TFont& font);

private:
    QString Prolog(const TExportHeader& header);
    QString StyleCodes(const TRtfStyle& style) const;
    QString Row(const QStringList& cells, const TRtfStyle& style, bool header) const;

    TRtfExportOptions m_options;
    TExportFile m_file;
    QStringList m_fontNames;
    QList<TColor> m_colors;
    QString m_rowDefinition; // cell borders and right edges, the same for every row
};
