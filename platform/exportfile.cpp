#include "platform/exportfile.h"

#include "platform/exceptions.h"

#include <QDir>
#include <QFileInfo>

namespace {

// QSaveFile reports a missing or unwritable folder with a terse error; say which it is.
QString FolderProblem(const QString& path)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists()) return QStringLiteral("the folder does not exist");
    if (!folder.isDir()) return QStringLiteral("'%1' is not a folder").arg(folder.filePath());
    return {};
}

} // namespace

QString TExportFile::FailureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write the file '%1': %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

void TExportFile::Open(const QString& path)
{
    m_path = path;
    if (QFileInfo(path).isDir())
        throw Exception(FailureMessage(path, QStringLiteral("it is a folder")));
    const QString problem = FolderProblem(path);
    if (!problem.isEmpty()) throw Exception(FailureMessage(path, problem));
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly)) Fail();
}

void TExportFile::Write(const QByteArray& bytes)
{
    if (m_file.write(bytes) != bytes.size()) Fail();
}

void TExportFile::Commit()
{
    // Writes are buffered: a full disk may show only when the buffer goes out, and the
    // commit would not notice.
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError) Fail();
    if (!m_file.commit()) Fail();
}

void TExportFile::Discard()
{
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // removes the temporary file and closes
    }
}

void TExportFile::Fail()
{
    const QString reason = m_file.errorString();
    Discard();
    throw Exception(
        FailureMessage(m_path, reason.isEmpty() ? QStringLiteral("unknown error") : reason));
}
