#pragma once

#include "platform/exporter.h"
#include "platform/exportfile.h"
#include "platform/exportoptions.h"

// An HTML page in UTF-8 holding the report as one table, written as well-formed XHTML so
// that browsers and XML readers both take it. The text font of the options styles the
// page; the page background is dark when that text is light (the gig book's reports use
// white text) and white otherwise, so that the text is always readable. Memo line breaks
// become <br/>.
class THtmlExporter : public TExporter
{
public:
    explicit THtmlExporter(const THtmlExportOptions& options);

    void Begin(const QString& path, const TExportHeader& header) override;
    void WriteRow(const TExportRow& row) override;
    void Finish() override;
    void Abort() override { m_file.Discard(); }

    // Text with markup characters escaped and line breaks as <br/>.
    static QString Escape(const QString& text);
    // The page's style sheet for a text font.
    static QString StyleSheet(const TFont& font);

private:
    THtmlExportOptions m_options;
    TExportFile m_file;
    std::vector<bool> m_numeric;
};
