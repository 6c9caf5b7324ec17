#include "platform/aliases.h"
#include "platform/exceptions.h"
#include "platform/table.h"
#include "tablefixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a temporary directory for one test.
class AliasTest : public ::testing::Test
{
protected:
    QTemporaryDir m_home;
    QByteArray m_config, m_data;

    void SetUp() override
    {
        m_config = qgetenv("XDG_CONFIG_HOME");
        m_data = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", QDir(m_home.path()).filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", QDir(m_home.path()).filePath("data").toUtf8());
    }
    void TearDown() override
    {
        Restore("XDG_CONFIG_HOME", m_config);
        Restore("XDG_DATA_HOME", m_data);
    }
    static void Restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    void WriteConfig(const QByteArray& text)
    {
        QDir().mkpath(QDir(m_home.path()).filePath("config/vantor"));
        QFile file(AliasConfigFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString Under(const char* relative) const { return QDir(m_home.path()).filePath(relative); }
    // The message of opening gig.db in the alias.
    static QString OpenFailure(const QString& alias)
    {
        TTable table;
        table.SetDatabaseName(alias);
        table.SetTableName(QStringLiteral("gig.db"));
        return ErrorOf([&] { table.Open(); });
    }
};

} // namespace

TEST_F(AliasTest, DefaultAliasLivesUnderTheDataHomeOrTheHomeDirectory)
{
    EXPECT_EQ(AliasConfigFile(), Under("config/vantor/aliases.ini"));
    EXPECT_EQ(AliasDirectory(QStringLiteral("vantor")), Under("data/vantor"));
    EXPECT_EQ(AliasDirectory(QStringLiteral("Vantor")), Under("data/vantor"));
    // Unset or relative variables fall back to the home directory.
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(AliasDirectory(QStringLiteral("vantor")),
              QDir::homePath() + QStringLiteral("/.local/share/vantor"));
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(AliasConfigFile(), QDir::homePath() + QStringLiteral("/.config/vantor/aliases.ini"));
}

TEST_F(AliasTest, ConfiguredAliasesOverrideAndAddDirectories)
{
    WriteConfig("[vantor]\npath=" + Under("book").toUtf8() + "\n\n[Backup]\npath=" +
                Under("backup").toUtf8() + "\n[relative]\npath=books/band\n");
    EXPECT_EQ(AliasDirectory(QStringLiteral("vantor")), Under("book"));
    EXPECT_EQ(AliasDirectory(QStringLiteral("backup")), Under("backup"));
    EXPECT_EQ(AliasDirectory(QStringLiteral("relative")), Under("config/vantor/books/band"));
}

TEST_F(AliasTest, UnknownAliasesAndMissingDirectoriesAreNamedInTheError)
{
    const QString alias = ErrorOf([] { AliasDirectory(QStringLiteral("studio")); });
    EXPECT_TRUE(alias.contains(QStringLiteral("'studio'"))) << qPrintable(alias);
    EXPECT_TRUE(alias.contains(AliasConfigFile()));
    const QString unknown = OpenFailure(QStringLiteral("studio"));
    EXPECT_TRUE(unknown.contains(QStringLiteral("'gig.db'"))) << qPrintable(unknown);
    EXPECT_TRUE(unknown.contains(QStringLiteral("'studio'")));

    // A known alias whose directory is missing names the directory, and does not create it.
    const QString missing = OpenFailure(QStringLiteral("vantor"));
    EXPECT_TRUE(missing.contains(QStringLiteral("'gig.db'"))) << qPrintable(missing);
    EXPECT_TRUE(missing.contains(Under("data/vantor")));
    EXPECT_FALSE(QFileInfo::exists(Under("data/vantor")));
}

TEST_F(AliasTest, TablesOpenByNameInTheAliasDirectory)
{
    WriteConfig("[band]\npath=" + Under("band book").toUtf8() + "\n");
    QDir().mkpath(Under("band book"));
    TFieldDefs fields;
    fields.Add(QStringLiteral("Name"), ftString, 20);
    TTable::CreateTable(QStringLiteral("band"), QStringLiteral("members.db"), fields, TIndexDefs());
    EXPECT_TRUE(QFile::exists(Under("band book/members.db")));

    TTable table;
    table.SetDatabaseName(QStringLiteral("band"));
    table.SetTableName(QStringLiteral("members.db"));
    EXPECT_EQ(table.FilePath(), Under("band book/members.db"));
    table.Open();
    EXPECT_EQ(table.FieldDefs().Items(0).Name, QStringLiteral("Name"));
}
