// Accepting a solution of 2,000 pieces as a cutting order: every record written, the stock booked
// and logged, in one transaction. Each iteration saves into a fresh copy of the same database.
#include "global/Database.h"
#include "global/DatabaseCopy.h"
#include "global/tests/support/ServerDatabase.h"
#include "global/ScriptedServices.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/bench/LargeOrder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

using namespace kadrel;

namespace {

// On the PostgreSQL test server when BARMOND_TEST_POSTGRES names its socket folder: each run
// saves into a fresh server database holding a copy of the prepared one.
void BM_AcceptLargeSolution(benchmark::State& state)
{
    const bool onServer = testing_support::onTestServer();
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base.db"));
    uint32_t profile = 0;
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
    Statistics statistics;
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    {
        global::Database db = global::Database::atFile(base);
        bench::check(db.open(), db.openErrorText());
        profile = bench::fillLargeOrder(db);
        DatabaseInput input(db);
        OptimizerCall call;
        call.profile = profile;
        OptimizerRun run(input, RunServices{dialogs, clipboard, clock}, call);
        if (!run.run() || !run.createSolutionTables())
            state.SkipWithError("the calculation found no solution");
        bars = run.solutionItems();
        pieces = run.solutionSubitems();
        statistics = run.statistics();
    }
    const global::Services services{dialogs, clipboard, clock, identity};
    int copy = 0;
    std::vector<std::unique_ptr<testing_support::ServerDatabase>> servers;
    for (auto _ : state) {
        state.PauseTiming();
        const QString file = dir.filePath(QStringLiteral("run%1.db").arg(++copy));
        if (onServer)   // dropped after the measurement, not inside it
            servers.push_back(std::make_unique<testing_support::ServerDatabase>(QString()));
        global::Database db = onServer ? global::Database::atFile(servers.back()->address())
                                       : global::Database::atFile(file);
        if (onServer) {
            bench::check(db.open(), db.openErrorText());
            global::Database prepared = global::Database::atFile(base);
            bench::check(prepared.open(), prepared.openErrorText());
            QString error;
            bench::check(global::copyAllTables(prepared, db, error), error);
        } else {
            QFile::copy(base, file);
            bench::check(db.open(), db.openErrorText());
        }
        state.ResumeTiming();
        const AcceptanceResult result = acceptSolution(db, services, profile, bars, pieces, statistics, {});
        if (!result.saved)
            state.SkipWithError(qPrintable(dialogs.messages().join(QLatin1Char('\n'))));
    }
    state.counters["bars"] = double(bars.size());
    state.counters["pieces"] = double(pieces.size());
}
BENCHMARK(BM_AcceptLargeSolution)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
