#include "app/tabledefs.h"
#include "platform/datetime.h"
#include "platform/table.h"
#include "platform/tableschema.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

constexpr int GigCount = 100000;

const char* const Venues[] = {
    "The Blue Lantern",   "Riverside Jazz Club", "Harbor Street Tavern", "Old Mill Brewery",
    "St. Cecilia's Hall", "The Copper Kettle",   "Maple Grove Winery",   "Union Station Lounge",
    "Grand Ballroom",     "Lakeview Pavilion",   "Cellar Door",          "The Velvet Room",
};
const char* const Cities[] = {"Portland", "Madison", "Asheville", "Savannah", "Boise", "Tulsa"};
const char* const States[] = {"OR", "WI", "NC", "GA", "ID", "OK"};
const char* const Names[] = {"Maria Lopez", "Dave Whitaker", "Priya Shah",
                             "Tom O'Neill", "Grace Kim",     "Sam Rivera"};

// Writes a realistic gig book of 100,000 gigs, one per day from 1800 on, inserted in
// random order as years of bookings would be; bulk-loaded in one transaction.
QString CreateGigTable(const QString& directory)
{
    const TTableDefinition def = GigTableDefinition();
    TTable::CreateTable(QString(), QDir(directory).filePath(def.TableName), def.FieldDefs,
                        def.IndexDefs);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(QDir(directory).filePath(def.TableName));
    db.open();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(
        QStringLiteral("INSERT INTO gig VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    std::vector<int> order(GigCount);
    for (int i = 0; i < GigCount; ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    const TDateTime first = EncodeDate(1800, 1, 1);
    for (int i : order) {
        const int v = i % 12, c = i % 6;
        const QString name = QString::fromLatin1(Names[(i / 7) % 6]);
        const QVariantList values{
            ToStoredValue(ftDate, first + i),
            ToStoredValue(ftTime, EncodeTime(19 + i % 4, (i % 2) * 30, 0, 0)),
            1.5 + (i % 3) * 0.5,
            QString::fromLatin1(Venues[v]),
            name,
            QVariant(),
            QVariant(),
            QVariant(),
            QStringLiteral("%1 Main Street").arg(100 + i % 900),
            QVariant(),
            QString::fromLatin1(Cities[c]),
            QString::fromLatin1(States[c]),
            QStringLiteral("%1").arg(10000 + i % 89999),
            QStringLiteral("(555) 01%1-%2").arg(i % 10).arg(1000 + i % 9000),
            QVariant(),
            QVariant(),
            QStringLiteral("%1@example.com").arg(name.section(' ', 0, 0).toLower()),
            QVariant(),
            QVariant(),
            QVariant(),
            QStringLiteral("Load in at 6, two sets, PA provided by the venue."),
        };
        for (int k = 0; k < values.size(); ++k)
            insert.bindValue(k, values[k]);
        if (!insert.exec()) qFatal("bench setup: %s", qPrintable(insert.lastError().text()));
    }
    db.commit();
    insert.finish();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return QDir(directory).filePath(def.TableName);
}

const QString& GigTablePath()
{
    static QTemporaryDir directory;
    static const QString path = CreateGigTable(directory.path());
    return path;
}

// Opens the table and walks every record in "Gig date" order, reading the date and venue;
// returns the number of records walked. Kept out of line so that a profiler can count the
// walk alone (valgrind --tool=callgrind --toggle-collect='WalkGigTable*').
[[gnu::noinline]] int WalkGigTable(const QString& path)
{
    TTable table;
    table.SetTableName(path);
    table.Open();
    TField* date = table.FieldByName(QStringLiteral("Gig date"));
    TField* venue = table.FieldByName(QStringLiteral("Gig venue"));
    int records = 0;
    double days = 0;
    qsizetype characters = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        days += date->AsDateTime();
        characters += venue->AsString().size();
        ++records;
    }
    benchmark::DoNotOptimize(days);
    benchmark::DoNotOptimize(characters);
    return records;
}

} // namespace

static void BM_WalkGigTable100k(benchmark::State& state)
{
    const QString path = GigTablePath();
    for (auto _ : state) {
        if (WalkGigTable(path) != GigCount) state.SkipWithError("the walk missed records");
    }
    state.SetItemsProcessed(state.iterations() * GigCount);
}
BENCHMARK(BM_WalkGigTable100k)->Unit(benchmark::kMillisecond);
