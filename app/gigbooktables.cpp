#include "app/gigbooktables.h"

#include "platform/datasource.h"
#include "platform/table.h"

namespace {

TTable* MakeTable(QObject* owner, const QString& name, const QString& alias,
                  const QString& tableName)
{
    auto* table = new TTable(owner);
    table->SetName(name);
    table->SetDatabaseName(alias);
    table->SetTableName(tableName);
    return table;
}

TDataSource* MakeSource(QObject* owner, const QString& name, TTable* table)
{
    auto* source = new TDataSource(owner);
    source->SetName(name);
    source->SetDataSet(table);
    return source;
}

} // namespace

TGigBookTables CreateGigBookTables(QObject* owner, const QString& alias)
{
    TGigBookTables t;
    t.Table1 = MakeTable(owner, QStringLiteral("Table1"), alias, QStringLiteral("gig.db"));
    t.DataSource1 = MakeSource(owner, QStringLiteral("DataSource1"), t.Table1);
    t.blackout = MakeTable(owner, QStringLiteral("blackout"), alias, QStringLiteral("blackout.db"));
    t.DataSource2 = MakeSource(owner, QStringLiteral("DataSource2"), t.blackout);
    t.contactData =
        MakeTable(owner, QStringLiteral("contactData"), alias, QStringLiteral("contacts.db"));
    t.DataSource3 = MakeSource(owner, QStringLiteral("DataSource3"), t.contactData);
    return t;
}

void OpenGigBookTables(const TGigBookTables& tables)
{
    tables.Table1->Open();
    tables.blackout->Open();
    tables.contactData->Open();
}
