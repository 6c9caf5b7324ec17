// The gig report of a 10,000-gig book in each format, from the open table to the file in
// place. Filling the table is not timed.
#include "app/tabledefs.h"
#include "platform/datasetexport.h"
#include "platform/datetime.h"
#include "platform/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int GigCount = 10000;

const char* const Venues[] = {"The Blue Lantern",      "Riverside Jazz Club, Upstairs",
                              "Caf\u00e9 M\u00fcller", "Harbor Street \"Tavern\"",
                              "St. Cecilia's Hall",    "Grand Ballroom"};
const char* const Names[] = {"Maria Lopez", "Dave Whitaker", "Priya Shah", "Tom O'Neill"};

struct TGigBook
{
    QTemporaryDir Dir;
    std::unique_ptr<TTable> Table;
};

void Set(TTable& table, const char* field, const QVariant& value)
{
    table.FieldByName(QString::fromLatin1(field))->SetAsVariant(value);
}

// One gig a day, every field a gig usually has filled in, some notes on two lines.
TGigBook& GigBook()
{
    static TGigBook book = [] {
        TGigBook b;
        const TTableDefinition def = GigTableDefinition();
        const QString path = QDir(b.Dir.path()).filePath(def.TableName);
        TTable::CreateTable(QString(), path, def.FieldDefs, def.IndexDefs);
        b.Table = std::make_unique<TTable>();
        b.Table->SetTableName(path);
        b.Table->Open();
        for (int i = 0; i < GigCount; ++i) {
            TTable& t = *b.Table;
            t.Append();
            Set(t, "Gig date", EncodeDate(2000, 1, 1) + i);
            Set(t, "Gig time", EncodeTime(18 + i % 5, (i % 4) * 15, 0, 0));
            Set(t, "Gig length", 2.0 + (i % 5) * 0.5);
            Set(t, "Gig venue", QString::fromUtf8(Venues[i % 6]));
            Set(t, "Gig contact name", QString::fromLatin1(Names[i % 4]));
            Set(t, "Gig address", QStringLiteral("%1 Main St").arg(100 + i % 900));
            Set(t, "Gig city", QStringLiteral("Portland"));
            Set(t, "Gig state", QStringLiteral("OR"));
            Set(t, "Gig zip", QStringLiteral("97214"));
            Set(t, "Gig phone", QStringLiteral("(503) 555-%1").arg(1000 + i % 9000));
            Set(t, "Email address", QStringLiteral("booking%1@venue.example").arg(i % 50));
            Set(t, "Notes",
                i % 3 ? QStringLiteral("Two sets, house PA.\nLoad in at 5.")
                      : QStringLiteral("Solo set"));
            t.Post();
        }
        b.Table->First();
        return b;
    }();
    return book;
}

void BM_Export10k(benchmark::State& state, TExportFormat format)
{
    TGigBook& book = GigBook();
    const QString path =
        QDir(book.Dir.path()).filePath(QStringLiteral("report.") + ExportFormatKey(format));
    const TExportOptions options = GigBookExportOptions();
    int records = 0;
    for (auto _ : state)
        records = ExportDataSet(*book.Table, format, options, path);
    state.counters["records"] = records;
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
    state.SetItemsProcessed(state.iterations() * records);
}

} // namespace

BENCHMARK_CAPTURE(BM_Export10k, csv, efCsv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, html, efHtml)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, rtf, efRtf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, pdf, efPdf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, xlsx, efXlsx)->Unit(benchmark::kMillisecond);
