// Posts gigs one by one into the table named on the command line, reporting each post
// once it has returned, until it is killed.
#include "platform/datetime.h"
#include "platform/table.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    TTable table;
    table.SetTableName(QString::fromLocal8Bit(argv[1]));
    table.Open();
    const TDateTime first = EncodeDate(2030, 1, 1);
    for (int i = 0; i < 1000000; ++i) {
        table.Append();
        table.FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(first + i);
        table.FieldByName(QStringLiteral("Gig venue"))
            ->SetAsString(QStringLiteral("Kill %1").arg(i));
        table.FieldByName(QStringLiteral("Notes"))->SetAsString(QStringLiteral("x").repeated(200));
        table.Post();
        std::printf("posted %d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
