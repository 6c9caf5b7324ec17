#pragma once

#include "platform/component.h"
#include "platform/exportformat.h"
#include "platform/exportoptions.h"

#include <QPointer>
#include <QString>

class TDataSet;

// The report export dialog: the user picks a format and a destination file, and every
// record of the dataset is exported there, all fields in the table's order. Long exports
// show a progress dialog whose Cancel stops the export and removes the partial file.
// Errors are shown in a message box; nothing half-written is left behind.
//
// The dialog remembers the last format and file; the file defaults to the report's title
// in the user's documents folder.
class TQExport3Dialog : public TComponent
{
public:
    explicit TQExport3Dialog(QObject* owner = nullptr);

    TDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet* dataSet);
    TExportOptions& Options() { return m_options; }
    const TExportOptions& Options() const { return m_options; }

    TExportFormat Format() const { return m_format; }
    void SetFormat(TExportFormat format) { m_format = format; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    // Milliseconds an export runs before its progress dialog appears.
    int ProgressDelay() const { return m_progressDelay; }
    void SetProgressDelay(int milliseconds) { m_progressDelay = milliseconds; }

    // Lets the user pick format and file, then exports; true when a file was written.
    bool Execute();

protected:
    void Notification(QObject* component, TOperation operation) override;

private:
    bool Export(TExportFormat format, const QString& path);
    QString DefaultFileName() const;

    QPointer<TDataSet> m_dataSet;
    TExportOptions m_options;
    TExportFormat m_format = efCsv;
    QString m_fileName;
    int m_progressDelay = 500;
};
