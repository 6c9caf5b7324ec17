#include "platform/qexport3dialog.h"

#include "platform/dataset.h"
#include "platform/datasetexport.h"
#include "platform/exportdialogform.h"
#include "platform/messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QWidget>

namespace {

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

} // namespace

TQExport3Dialog::TQExport3Dialog(QObject* owner) : TComponent(owner) {}

void TQExport3Dialog::SetDataSet(TDataSet* dataSet)
{
    if (m_dataSet == dataSet) return;
    if (m_dataSet) RemoveFreeNotification(m_dataSet);
    m_dataSet = dataSet;
    if (dataSet) FreeNotification(dataSet);
}

void TQExport3Dialog::Notification(QObject* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_dataSet.data()) m_dataSet = nullptr;
}

QString TQExport3Dialog::DefaultFileName() const
{
    const QString title =
        m_options.Title.isEmpty() && m_dataSet ? DefaultExportTitle(*m_dataSet) : m_options.Title;
    return QDir(DocumentsFolder()).filePath(title + QLatin1Char('.') + ExportFormatKey(m_format));
}

bool TQExport3Dialog::Execute()
{
    if (!m_dataSet) {
        MessageDlg(QStringLiteral("There is no table to export."), mtError, mbOK);
        return false;
    }
    if (!m_dataSet->Active()) {
        MessageDlg(QStringLiteral("Cannot export '%1': the table is not open.")
                       .arg(DefaultExportTitle(*m_dataSet)),
                   mtError, mbOK);
        return false;
    }
    QWidget* parent = qobject_cast<QWidget*>(Owner());
    if (!parent) parent = QApplication::activeWindow();
    TExportDialogForm form(parent, DocumentsFolder());
    form.SetFormat(m_format);
    form.SetFileText(
        QDir::toNativeSeparators(m_fileName.isEmpty() ? DefaultFileName() : m_fileName));
    if (form.exec() != QDialog::Accepted) return false;
    m_format = form.Format();
    m_fileName = form.FilePath();
    return Export(m_format, m_fileName);
}

bool TQExport3Dialog::Export(TExportFormat format, const QString& path)
{
    QWidget* parent = qobject_cast<QWidget*>(Owner());
    if (!parent) parent = QApplication::activeWindow();
    QProgressDialog progress(QStringLiteral("Exporting to %1...").arg(QFileInfo(path).fileName()),
                             QStringLiteral("Cancel"), 0, 1, parent);
    progress.setObjectName(QStringLiteral("exportProgress"));
    progress.setWindowTitle(QStringLiteral("Export"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(m_progressDelay);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    const TExportProgress report = [&progress](int done, int total) {
        if (progress.maximum() != total) progress.setMaximum(std::max(1, total));
        progress.setValue(std::min(done, progress.maximum()));
        return !progress.wasCanceled();
    };
    try {
        ExportDataSet(*m_dataSet, format, m_options, path, report);
        return true;
    } catch (const EExportCancelled&) {
        return false;
    } catch (const Exception& error) {
        progress.close();
        MessageDlg(error.Message(), mtError, mbOK);
        return false;
    }
}
