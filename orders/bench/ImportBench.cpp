// Importing a pasted order table of 10,000 lines (100 orders, 20 profiles, mostly distinct lengths)
// into an empty database with its catalogue: reading, checking and writing in one transaction.

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "orders/OrderImports.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

QString pastedOrders(int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("Z/%1\tOpis %2\tPR-%3\t%4\t%5\r\n")
                    .arg(i % 100).arg(i).arg((i / 100) % 20).arg(500 + (i * 37) % 5500).arg(1 + i % 7);
    return text;
}

void ImportOrderOf10000Lines(benchmark::State& state)
{
    const QString text = pastedOrders(10000);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        global::Database db(dir.path());
        if (db.open() != 0) {
            state.SkipWithError("the database cannot be opened");
            return;
        }
        global::Table<global::ProfileRecord> profiles(db);
        for (int p = 0; p < 20; ++p) {
            global::ProfileRecord profile;
            profile.profileCode = QStringLiteral("PR-%1").arg(p);
            profiles.addWithNewIdentifier(profile);
        }
        global::ScriptedDialogs dialogs;
        global::MemoryClipboard clipboard;
        global::FixedClock clock;
        global::FixedIdentity identity;
        const global::Services services{dialogs, clipboard, clock, identity};
        state.ResumeTiming();
        const orders::ImportSummary summary = orders::importOrders(db, services, text);
        if (!summary.written)
            state.SkipWithError(summary.message.toUtf8().constData());
        state.counters["pieces"] = summary.pieces;
    }
}
BENCHMARK(ImportOrderOf10000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
