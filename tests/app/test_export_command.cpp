// vantor-db export: in process for its exit codes and messages, and once as a real
// program so that the whole road from the command line to the file is covered.
#include "exportfixture.h"
#include "tools/dbtool.h"

#include <QProcessEnvironment>

namespace {

class ExportCommandTest : public ExportTest
{
protected:
    QString m_out, m_err;

    int Run(const QStringList& arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out), err(&m_err);
        return RunDbTool(arguments, out, err);
    }
    QStringList Args(const char* table, const char* format, const QString& out) const
    {
        return {QStringLiteral("export"),
                QStringLiteral("--table"),
                QString::fromLatin1(table),
                QStringLiteral("--format"),
                QString::fromLatin1(format),
                QStringLiteral("--out"),
                out};
    }
};

} // namespace

TEST_F(ExportCommandTest, ExportsEveryFormatOfBothTables)
{
    QDir().mkpath(Under(QStringLiteral("out")));
    for (const QString& format : ExportFormatKeys()) {
        const QString path = OutPath(QStringLiteral("gigs.") + format);
        ASSERT_EQ(Run(Args("gig.db", qPrintable(format), path)), 0) << qPrintable(m_err);
        EXPECT_EQ(m_out, QStringLiteral("Exported 3 records of gig.db to %1\n").arg(path));
        EXPECT_GT(QFileInfo(path).size(), 0);
    }
    const QString contacts = OutPath(QStringLiteral("contacts.CSV"));
    EXPECT_EQ(Run(Args("contacts.db", "CSV", contacts)), 0) << qPrintable(m_err);
    EXPECT_TRUE(ReadAll(contacts).startsWith("\xEF\xBB\xBFVenue,"));
}

TEST_F(ExportCommandTest, BadCommandLinesAreUsageErrorsAndFailuresExitWithOne)
{
    const QString out = OutPath(QStringLiteral("x.csv"));
    EXPECT_EQ(Run(Args("blackout.db", "csv", out)), 2);
    EXPECT_TRUE(m_err.contains(QStringLiteral("--table must be gig.db or contacts.db")));
    EXPECT_EQ(Run(Args("gig.db", "doc", out)), 2);
    EXPECT_TRUE(
        m_err.contains(QStringLiteral("--format must be one of csv, html, rtf, pdf, xlsx")));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("--table"), QStringLiteral("gig.db"),
                   QStringLiteral("--format"), QStringLiteral("csv")}),
              2);
    EXPECT_TRUE(m_err.contains(QStringLiteral("--out is required")));
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(Run({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(m_out.contains(QStringLiteral("export [--alias NAME] --table gig.db|contacts.db")));

    // Failures of the export itself end with exit code one.
    const QString missing = Under(QStringLiteral("nowhere/gigs.pdf"));
    EXPECT_EQ(Run(Args("gig.db", "pdf", missing)), 1);
    EXPECT_EQ(m_err, QStringLiteral("vantor-db export: Cannot write the file '%1': the folder "
                                    "does not exist\n")
                         .arg(missing));
    QStringList unknownAlias = Args("gig.db", "csv", OutPath(QStringLiteral("x.csv")));
    unknownAlias << QStringLiteral("--alias") << QStringLiteral("elsewhere");
    EXPECT_EQ(Run(unknownAlias), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("Unknown database alias 'elsewhere'")));
}

TEST_F(ExportCommandTest, TheProgramWritesAReportFromTheCommandLine)
{
    QDir().mkpath(Under(QStringLiteral("out")));
    const QString path = OutPath(QStringLiteral("cli.pdf"));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Under(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), Under(QStringLiteral("data")));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VANTOR_DB), Args("gig.db", "pdf", path).mid(0));
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    const QString text =
        QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    EXPECT_TRUE(text.contains(QStringLiteral("Plain Hall")));

    process.start(QStringLiteral(VANTOR_DB),
                  Args("gig.db", "pdf", Under(QStringLiteral("nowhere/x.pdf"))));
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("the folder does not exist"));
}
