#include "app/tabledefs.h"

TTableDefinition GigTableDefinition()
{
    TTableDefinition table;
    table.TableName = QStringLiteral("gig.db");
    TFieldDefs& f = table.FieldDefs;
    f.Add(QStringLiteral("Gig date"), ftDate, 0, true);
    f.Add(QStringLiteral("Gig time"), ftTime);
    f.Add(QStringLiteral("Gig length"), ftFloat);
    f.Add(QStringLiteral("Gig venue"), ftString, 40);
    f.Add(QStringLiteral("Gig contact name"), ftString, 40);
    f.Add(QStringLiteral("Business name"), ftString, 20);
    f.Add(QStringLiteral("Gig contact 2 name"), ftString, 40);
    f.Add(QStringLiteral("Gig contact 3 name"), ftString, 40);
    f.Add(QStringLiteral("Gig address"), ftString, 40);
    f.Add(QStringLiteral("Gig address 2"), ftString, 40);
    f.Add(QStringLiteral("Gig city"), ftString, 20);
    f.Add(QStringLiteral("Gig state"), ftString, 2);
    f.Add(QStringLiteral("Gig zip"), ftString, 5);
    f.Add(QStringLiteral("Gig phone"), ftString, 20);
    f.Add(QStringLiteral("Gig phone 2"), ftString, 20);
    f.Add(QStringLiteral("Gig phone 3"), ftString, 30);
    f.Add(QStringLiteral("Email address"), ftString, 40);
    f.Add(QStringLiteral("Email address 2"), ftString, 40);
    f.Add(QStringLiteral("Email address 3"), ftString, 40);
    f.Add(QStringLiteral("Venue"), ftMemo, 240);
    f.Add(QStringLiteral("Notes"), ftMemo, 240);
    table.IndexDefs.Add(QString(), QStringLiteral("Gig date"), ixPrimary | ixUnique);
    return table;
}

TTableDefinition ContactTableDefinition()
{
    TTableDefinition table;
    table.TableName = QStringLiteral("contacts.db");
    TFieldDefs& f = table.FieldDefs;
    // Widths follow the gig table's so that a contact copies into a gig without cutting;
    // phones take the widest gig phone, and the zip code has room for ZIP+4.
    f.Add(QStringLiteral("Venue"), ftString, 40);
    for (int row = 1; row <= 3; ++row) {
        f.Add(QStringLiteral("Contact name %1").arg(row), ftString, 40);
        f.Add(QStringLiteral("Contact phone %1").arg(row), ftString, 30);
        f.Add(QStringLiteral("Contact email %1").arg(row), ftString, 40);
    }
    f.Add(QStringLiteral("Contact address line 1"), ftString, 40);
    f.Add(QStringLiteral("Contact address line 2"), ftString, 40);
    f.Add(QStringLiteral("Contact city"), ftString, 20);
    f.Add(QStringLiteral("Contact state"), ftString, 2);
    f.Add(QStringLiteral("Contact zip"), ftString, 10);
    f.Add(QStringLiteral("Contact comments"), ftMemo, 240);
    return table;
}

TTableDefinition BlackoutTableDefinition()
{
    TTableDefinition table;
    table.TableName = QStringLiteral("blackout.db");
    TFieldDefs& f = table.FieldDefs;
    f.Add(QStringLiteral("Blackout start"), ftDate, 0, true);
    f.Add(QStringLiteral("Blackout end"), ftDate);
    f.Add(QStringLiteral("Reason"), ftString, 60);
    table.IndexDefs.Add(QString(), QStringLiteral("Blackout start"), ixPrimary | ixUnique);
    return table;
}

QList<TTableDefinition> GigBookDefinitions()
{
    return {GigTableDefinition(), BlackoutTableDefinition(), ContactTableDefinition()};
}
