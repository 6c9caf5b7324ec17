#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs the test in a fresh current directory.
class ShellTest : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;
    QString m_previous;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override { QDir::setCurrent(m_previous); }
};

} // namespace

TEST_F(ShellTest, AddressesGoAsTheyAre)
{
    EXPECT_EQ(ShellTarget(QStringLiteral("https://example.org/a?b=1")),
              QUrl(QStringLiteral("https://example.org/a?b=1")));
    EXPECT_EQ(ShellTarget(QStringLiteral("mailto:band@example.org")),
              QUrl(QStringLiteral("mailto:band@example.org")));
}

TEST_F(ShellTest, DocumentsAreFoundInTheCurrentDirectoryOrNotOpened)
{
    EXPECT_FALSE(ShellTarget(QStringLiteral("Vantor.chm")).has_value());
    EXPECT_FALSE(ShellTarget(QString()).has_value());
    QFile file(QDir(m_dir.path()).filePath(QStringLiteral("Vantor.chm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const std::optional<QUrl> target = ShellTarget(QStringLiteral("Vantor.chm"));
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->toLocalFile(), QFileInfo(file).absoluteFilePath());
}

TEST_F(ShellTest, ACaptureSeesRequestsAndRestoresTheHandler)
{
    QStringList outer;
    SetShellHandler([&outer](const QString& document) { outer << document; });
    {
        TShellCapture capture;
        ShellOpen(QStringLiteral("Vantor.chm"));
        ShellOpen(QStringLiteral("https://example.org"));
        EXPECT_EQ(capture.Requests(), (QStringList{"Vantor.chm", "https://example.org"}));
    }
    ShellOpen(QStringLiteral("after"));
    EXPECT_EQ(outer, QStringList{QStringLiteral("after")});
    SetShellHandler(nullptr);
}
