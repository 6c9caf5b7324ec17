#pragma once

#include <QObject>
#include <QString>

class TTable;
class TDataSource;

// The gig book's tables and their data sources, named as the main window knows them.
// All are components owned by the given owner.
struct TGigBookTables
{
    TTable* Table1 = nullptr; // gig.db
    TDataSource* DataSource1 = nullptr;
    TTable* blackout = nullptr; // blackout.db
    TDataSource* DataSource2 = nullptr;
    TTable* contactData = nullptr; // contacts.db
    TDataSource* DataSource3 = nullptr;
};

TGigBookTables CreateGigBookTables(QObject* owner, const QString& alias = QStringLiteral("vantor"));
// Opens gig, blackout and contact tables in that order; the first failure raises
// EDatabaseError and the tables after it stay closed.
void OpenGigBookTables(const TGigBookTables& tables);
