// Exports that cannot finish: a folder the user may not write to, a full disk, a cancel,
// a missing folder. None may leave a file, a half-written one or a temporary one, and an
// older report of the same name must survive untouched.
#include "exportfixture.h"
#include "platform/datalink.h"
#include "platform/datasource.h"

#include <QDirIterator>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class ExportFailureTest : public ExportTest
{
protected:
    QString m_outDir;

    void SetUp() override
    {
        ExportTest::SetUp();
        m_outDir = Under(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(m_outDir));
    }
    QStringList FilesInOut() const
    {
        return QDir(m_outDir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QString Failure(TExportFormat format, const QString& path)
    {
        try {
            ExportDataSet(*m_table, format, GigBookExportOptions(), path);
        } catch (const Exception& error) {
            return error.Message();
        }
        return QStringLiteral("(no error)");
    }
};

constexpr TExportFormat AllFormats[] = {efCsv, efHtml, efRtf, efPdf, efXlsx};

// Runs a block with the file size limit of this process lowered, as a full disk would
// refuse further writes; the limit's signal is ignored so that writes fail instead.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

// Acts as an unprivileged user for a while, when the tests run as root (which may write
// anywhere).
class TUnprivileged
{
public:
    TUnprivileged() : m_wasRoot(geteuid() == 0)
    {
        if (m_wasRoot) m_ok = seteuid(65534) == 0;
    }
    ~TUnprivileged()
    {
        if (m_wasRoot && m_ok && seteuid(0) != 0) std::abort();
    }
    bool Ok() const { return !m_wasRoot || m_ok; }

private:
    bool m_wasRoot;
    bool m_ok = true;
};

class TScrollCounter : public TDataLink
{
public:
    int Events = 0;

protected:
    void DataSetChanged() override { ++Events; }
    void DataSetScrolled(int) override { ++Events; }
};

} // namespace

TEST_F(ExportFailureTest, AFolderThatIsNotWritableFailsClearlyAndLeavesNothing)
{
    const QString locked = Under(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    // The unprivileged user (still in the root group) must reach the folder to be refused
    // by it.
    const QFileDevice::Permissions reach = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(m_home.path(), reach | QFileDevice::WriteOwner);
    QFile::setPermissions(locked, reach);
    for (TExportFormat format : AllFormats) {
        const QString path =
            QDir(locked).filePath(QStringLiteral("gigs.") + ExportFormatKey(format));
        QString message;
        {
            TUnprivileged user;
            if (!user.Ok()) GTEST_SKIP() << "cannot drop privileges";
            message = Failure(format, path);
        }
        EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot write the file '%1': ").arg(path)))
            << qPrintable(message);
        EXPECT_TRUE(message.contains(QStringLiteral("ermission denied"))) << qPrintable(message);
        EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << qPrintable(ExportFormatKey(format));
    }
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ExportFailureTest, AFullDiskFailsClearlyLeavesNothingAndKeepsTheOldReport)
{
    AddManyGigs(150);
    for (TExportFormat format : AllFormats) {
        const QString path =
            QDir(m_outDir).filePath(QStringLiteral("gigs.") + ExportFormatKey(format));
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("the report of last week");
        }
        QString message;
        {
            TFileSizeLimit full(4096);
            message = Failure(format, path);
        }
        EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot write the file '%1': ").arg(path)))
            << qPrintable(message);
        EXPECT_EQ(ReadAll(path), QByteArray("the report of last week")) << qPrintable(message);
        EXPECT_EQ(FilesInOut(), QStringList{QFileInfo(path).fileName()});
        QFile::remove(path);
    }
}

TEST_F(ExportFailureTest, CancellingStopsTheWalkAndLeavesNothing)
{
    AddManyGigs(100);
    for (TExportFormat format : AllFormats) {
        int calls = 0;
        int whole = 0;
        const QString path =
            QDir(m_outDir).filePath(QStringLiteral("gigs.") + ExportFormatKey(format));
        EXPECT_THROW(ExportDataSet(*m_table, format, GigBookExportOptions(), path,
                                   [&](int done, int total) {
                                       if (calls == 0) whole = total;
                                       EXPECT_EQ(total, whole) << "the whole stays put";
                                       EXPECT_LE(done, 103) << "still walking";
                                       return ++calls < 3;
                                   }),
                     EExportCancelled);
        EXPECT_EQ(calls, 3);
        // Each record counts once for the walk, and once more for every band of columns
        // that the paged report draws afterwards.
        EXPECT_EQ(whole % 103, 0);
        EXPECT_EQ(whole > 103, format == efPdf) << qPrintable(ExportFormatKey(format));
        EXPECT_TRUE(FilesInOut().isEmpty()) << qPrintable(FilesInOut().join(QLatin1Char(' ')));
    }
}

TEST_F(ExportFailureTest, CancellingWhileThePdfPagesAreDrawnLeavesTheOldReport)
{
    AddManyGigs(100);
    const QString path = QDir(m_outDir).filePath(QStringLiteral("gigs.pdf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the report of last week");
    }
    int pagesDrawn = 0;
    int last = 0;
    int whole = 0;
    EXPECT_THROW(ExportDataSet(*m_table, efPdf, GigBookExportOptions(), path,
                               [&](int done, int total) {
                                   EXPECT_GE(done, last);
                                   last = done;
                                   whole = total;
                                   if (done <= 103) return true; // the walk
                                   return ++pagesDrawn < 2;
                               }),
                 EExportCancelled);
    EXPECT_EQ(pagesDrawn, 2) << "the drawing reports each page and stops at the second";
    EXPECT_LT(last, whole);
    EXPECT_EQ(ReadAll(path), QByteArray("the report of last week"));
    EXPECT_EQ(FilesInOut(), QStringList{QStringLiteral("gigs.pdf")});
}

TEST_F(ExportFailureTest, MissingFoldersAndFolderNamesAreRefusedByName)
{
    for (TExportFormat format : AllFormats) {
        const QString missing = Under(QStringLiteral("nowhere/gigs.csv"));
        EXPECT_EQ(
            Failure(format, missing),
            QStringLiteral("Cannot write the file '%1': the folder does not exist").arg(missing));
        EXPECT_EQ(Failure(format, m_outDir),
                  QStringLiteral("Cannot write the file '%1': it is a folder").arg(m_outDir));
    }
    EXPECT_FALSE(QFileInfo::exists(Under(QStringLiteral("nowhere"))));
}

TEST_F(ExportFailureTest, TheCursorComesBackAndBoundControlsStayQuiet)
{
    TDataSource source;
    source.SetDataSet(m_table.get());
    TScrollCounter link;
    link.SetDataSource(&source);
    m_table->First();
    m_table->Next();
    const TDateTime current = m_table->FieldByName(QStringLiteral("Gig date"))->AsDateTime();
    link.Events = 0;
    EXPECT_EQ(ExportDataSet(*m_table, efCsv, GigBookExportOptions(),
                            QDir(m_outDir).filePath(QStringLiteral("gigs.csv"))),
              3);
    EXPECT_EQ(m_table->FieldByName(QStringLiteral("Gig date"))->AsDateTime(), current);
    EXPECT_FALSE(m_table->ControlsDisabled());
    EXPECT_EQ(link.Events, 1) << "one refresh when the controls come back, no scrolling";

    // The same after a failure half-way.
    link.Events = 0;
    EXPECT_THROW(ExportDataSet(*m_table, efCsv, GigBookExportOptions(),
                               Under(QStringLiteral("nowhere/gigs.csv"))),
                 Exception);
    EXPECT_EQ(m_table->FieldByName(QStringLiteral("Gig date"))->AsDateTime(), current);
    EXPECT_FALSE(m_table->ControlsDisabled());
}

TEST_F(ExportFailureTest, AnEditedRecordIsPostedBeforeTheWalkAndAClosedTableIsRefused)
{
    m_table->Last();
    m_table->Edit();
    Set("Gig venue", QStringLiteral("Renamed Hall"));
    const QString path = QDir(m_outDir).filePath(QStringLiteral("gigs.csv"));
    ExportDataSet(*m_table, efCsv, GigBookExportOptions(), path);
    EXPECT_EQ(m_table->State(), dsBrowse);
    EXPECT_TRUE(QString::fromUtf8(ReadAll(path)).contains(QStringLiteral("Renamed Hall")));

    m_table->Close();
    QFile::remove(path);
    EXPECT_EQ(Failure(efCsv, path), QStringLiteral("Cannot export 'gig': the table is not open"));
    EXPECT_FALSE(QFile::exists(path));
}
