// Importing a workbook of 20,000 rows of pieces (200 orders announced by group rows, 50 profiles,
// lengths typed as text) into an empty database: reading the workbook, planning every row through
// the field map's formulas, and writing in one transaction. big.xlsx is written once by
// make_cut_workbooks.py (XlsxWriter).

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "orders/CutImport.h"
#include "orders/tests/support/CutWorkbooks.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int Rows = 20000;

void ImportWorkbookOf20000Rows(benchmark::State& state)
{
    QTemporaryDir books;
    testing_support::makeCutWorkbooks(books.path(), Rows);
    const QString workbook = books.filePath(QStringLiteral("big.xlsx"));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        global::Database db(dir.path());
        if (db.open() != 0) {
            state.SkipWithError("the database cannot be opened");
            return;
        }
        testing_support::addCutsMap(db);
        global::ScriptedDialogs dialogs;
        global::MemoryClipboard clipboard;
        global::FixedClock clock;
        global::FixedIdentity identity;
        const global::Services services{dialogs, clipboard, clock, identity};
        state.ResumeTiming();
        const orders::CutImportSummary summary = orders::importCutsFromFile(db, services, workbook);
        if (!summary.written || summary.cuts != Rows)
            state.SkipWithError(summary.message.toUtf8().constData());
        state.counters["pieces"] = summary.cuts;
    }
}
BENCHMARK(ImportWorkbookOf20000Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
