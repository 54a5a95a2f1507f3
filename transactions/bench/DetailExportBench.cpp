// Exporting 500 cutting orders (3,000 bars, 12,000 pieces) into a new workbook, and the same 500
// once more into the workbook that holds them already (read whole, every row a duplicate answered
// at once with "Dodaj wszystkie", written whole again).

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "transactions/DetailExport.h"
#include "transactions/tests/support/ExportScenario.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int CuttingOrders = 500;
constexpr int BarsEach = 6;

struct Fixture {
    QTemporaryDir dir;
    global::Database db{dir.path()};
    QList<uint32_t> ids;

    bool make()
    {
        if (db.open() != 0)
            return false;
        db.begin();
        try {
            testing_support::addProfile(db, 1, QStringLiteral("KW 60x60"), 1.2);
            for (uint32_t id = 1; id <= CuttingOrders; ++id) {
                testing_support::addPlainCuttingOrder(db, id, 1, BarsEach);
                ids << id;
            }
        } catch (const std::exception&) {
            db.rollback();
            return false;
        }
        return db.commit() == 0;
    }
    QString book() const { return dir.filePath(QStringLiteral("eksport.xlsx")); }
};

void ExportInto(benchmark::State& state, bool again)
{
    Fixture fixture;
    if (!fixture.make()) {
        state.SkipWithError("the cutting orders cannot be made");
        return;
    }
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    global::Services services{dialogs, clipboard, clock, identity};
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(fixture.book());
        if (again && !transactions::exportCuttingOrderDetails(fixture.db, services, fixture.ids, fixture.book()).done) {
            state.SkipWithError("the first export failed");
            return;
        }
        dialogs.planAnswers({3});
        state.ResumeTiming();
        const transactions::DetailExportResult result =
            transactions::exportCuttingOrderDetails(fixture.db, services, fixture.ids, fixture.book());
        if (!result.done) {
            state.SkipWithError(dialogs.messages().join(QStringLiteral("\n")).toUtf8().constData());
            return;
        }
        state.counters["rows"] = double(result.cuttingOrders.size() + result.bars + result.pieces);
    }
}

void ExportIntoNewWorkbook(benchmark::State& state) { ExportInto(state, false); }
void ExportAgainIntoTheSameWorkbook(benchmark::State& state) { ExportInto(state, true); }

BENCHMARK(ExportIntoNewWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExportAgainIntoTheSameWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
