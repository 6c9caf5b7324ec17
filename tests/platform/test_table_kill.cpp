#include "tablefixture.h"

#include <QProcess>

#include <csignal>

// A writer killed with SIGKILL while it posts loses nothing it had posted: every post
// it reported is in the table afterwards, and the table still opens and walks.
TEST_F(TableFixture, KillDuringPostingKeepsEveryEarlierPost)
{
    QProcess writer;
    writer.start(QStringLiteral(KILL_WRITER), {TablePath()});
    ASSERT_TRUE(writer.waitForStarted(10000));
    int reported = -1;
    QByteArray pending;
    while (reported < 40 && writer.state() == QProcess::Running) {
        if (!writer.waitForReadyRead(10000)) break; // silent for ten seconds: hung
        pending += writer.readAllStandardOutput();
        int newline = 0;
        while ((newline = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(newline);
            pending.remove(0, newline + 1);
            if (line.startsWith("posted ")) reported = line.mid(7).toInt();
        }
    }
    ASSERT_EQ(writer.state(), QProcess::Running) << "the writer stopped by itself";
    ASSERT_GE(reported, 40) << "the writer stopped reporting its posts";
    ::kill(static_cast<pid_t>(writer.processId()), SIGKILL); // mid-way through a later post
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);

    auto table = OpenTable();
    EXPECT_GE(table->RecordCount(), reported + 1);
    for (int i = 0; i <= reported; ++i) {
        ASSERT_TRUE(table->Locate(QStringLiteral("Gig date"), EncodeDate(2030, 1, 1) + i)) << i;
        ASSERT_EQ(Venue(*table), QStringLiteral("Kill %1").arg(i));
    }
    int walked = 0;
    for (table->First(); !table->Eof(); table->Next())
        ++walked;
    EXPECT_EQ(walked, table->RecordCount());
    AddGig(*table, EncodeDate(2029, 12, 31), QStringLiteral("After"));
}
