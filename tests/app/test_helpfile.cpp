#include <QFile>

#include <gtest/gtest.h>

TEST(HelpFileTest, VantorChmIsBuiltBesideTheProgramAsACompiledHelpFile)
{
    QFile help(QStringLiteral(VANTOR_CHM));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly)) << VANTOR_CHM;
    const QByteArray header = help.read(8);
    EXPECT_EQ(header.left(4), QByteArray("ITSF"));
    EXPECT_GT(help.size(), 1024);
}
