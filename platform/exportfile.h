#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// The file an export writes, replaced in one step: everything goes to a temporary file in
// the target's folder that is renamed over the target only by Commit. Destroying it
// uncommitted removes the temporary file. Failures raise Exception naming the file.
class TExportFile
{
public:
    TExportFile() = default;
    TExportFile(const TExportFile&) = delete;
    TExportFile& operator=(const TExportFile&) = delete;

    void Open(const QString& path);
    void Write(const QByteArray& bytes);
    // For writers that draw onto a device (the PDF writer).
    QIODevice* Device() { return &m_file; }
    void Commit();
    void Discard();
    bool IsOpen() const { return m_file.isOpen(); }

    // "Cannot write the file 'path': reason"
    static QString FailureMessage(const QString& path, const QString& reason);

private:
    [[noreturn]] void Fail();

    QString m_path;
    QSaveFile m_file;
};
