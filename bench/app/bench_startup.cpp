#include "app/mainform.h"
#include "app/tabledefs.h"
#include "platform/aliases.h"
#include "platform/guiapplication.h"
#include "platform/table.h"
#include "platform/tableschema.h"

#include <QApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int GigCount = 10000;

const char* const Venues[] = {"The Blue Lantern",   "Riverside Jazz Club", "Harbor Street Tavern",
                              "Old Mill Brewery",   "St. Cecilia's Hall",  "The Copper Kettle",
                              "Maple Grove Winery", "Union Station Lounge"};

// Bulk-loads the gig table in one transaction: 10,000 gigs, one a day from 1990 on.
void FillGigs(const QString& file)
{
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(file);
        if (!db.open()) qFatal("bench setup: cannot open %s", qPrintable(file));
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(
            QStringLiteral("INSERT INTO gig VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        const TDateTime first = EncodeDate(1990, 1, 1);
        for (int i = 0; i < GigCount; ++i) {
            QVariantList values(21);
            values[0] = ToStoredValue(ftDate, first + i);
            values[1] = ToStoredValue(ftTime, EncodeTime(20, 0, 0, 0));
            values[2] = 2.5;
            values[3] = QString::fromLatin1(Venues[i % 8]);
            values[4] = QStringLiteral("Maria Lopez");
            values[10] = QStringLiteral("Portland");
            values[11] = QStringLiteral("OR");
            values[20] = QStringLiteral("Two sets, house PA.");
            for (int k = 0; k < values.size(); ++k)
                insert.bindValue(k, values[k]);
            if (!insert.exec()) qFatal("bench setup: %s", qPrintable(insert.lastError().text()));
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

// A gig book of 10,000 gigs under the alias "vantor" in a temporary home.
class TBigBook
{
public:
    TBigBook()
    {
        qputenv("XDG_DATA_HOME", QDir(m_home.path()).filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", QDir(m_home.path()).filePath(QStringLiteral("config")).toUtf8());
        QDir().mkpath(AliasDirectory(QStringLiteral("vantor")));
        for (const TTableDefinition& def : GigBookDefinitions())
            TTable::CreateTable(QStringLiteral("vantor"), def.TableName, def.FieldDefs,
                                def.IndexDefs);
        FillGigs(QDir(AliasDirectory(QStringLiteral("vantor"))).filePath(QStringLiteral("gig.db")));
    }

private:
    QTemporaryDir m_home;
};

// Notes the first paint of a window.
class TFirstPaint : public QObject
{
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) Painted = true;
        return false;
    }
};

// Start-up as the user sees it: the main window created (opening the three tables and
// binding every control) and shown, until its first paint is done.
void BM_StartupMainWindow10k(benchmark::State& state)
{
    InstallClassicFontSubstitutes();
    TBigBook book;
    for (auto _ : state) {
        auto form = std::make_unique<TmainForm>();
        TFirstPaint paint;
        form->installEventFilter(&paint);
        form->show();
        while (!paint.Painted)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::processEvents(); // the rest of the first paint: the children
        state.PauseTiming();
        form->removeEventFilter(&paint);
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["gigs"] = GigCount;
}
BENCHMARK(BM_StartupMainWindow10k)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
