#pragma once

#include "platform/exportformat.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;

// The export dialog's window: the format as a column of radio buttons, the destination
// file with a Browse button, OK and Cancel. OK is accepted only with a usable file name:
// a name without a suffix gets the format's, a relative one is taken in the default
// folder, and an existing file is replaced only when the user agrees.
//
// Object names for tests and accessibility: "formatCsv", "formatHtml", "formatRtf",
// "formatPdf", "formatXlsx", "fileEdit", "browseButton", "buttonBox".
class TExportDialogForm : public QDialog
{
public:
    TExportDialogForm(QWidget* parent, const QString& defaultFolder);

    TExportFormat Format() const;
    void SetFormat(TExportFormat format);
    // The file as typed; FilePath() is the file that OK settled on.
    QString FileText() const;
    void SetFileText(const QString& text);
    QString FilePath() const { return m_filePath; }

    // Completes a typed name: the default folder for a relative one, the format's
    // suffix when it has none.
    static QString ResolvePath(const QString& text, const QString& defaultFolder,
                               TExportFormat format);

    void accept() override;

private:
    void FormatChanged();
    void Browse();

    QString m_defaultFolder;
    QButtonGroup* m_formats = nullptr;
    QLineEdit* m_fileEdit = nullptr;
    QString m_filePath;
};
