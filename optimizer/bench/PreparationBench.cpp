// Preparation of one profile's run over a large database: 100,000 pieces spread over many profiles.
#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/Preparation.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace kadrel;

namespace {

constexpr uint32_t Profiles = 100;
constexpr uint32_t OrdersPerProfile = 20;
constexpr uint32_t CutsPerPosition = 50;   // 100 × 20 × 50 = 100,000 pieces
constexpr uint32_t MeasuredProfile = 42;

struct BigDatabase {
    QTemporaryDir dir;
    global::Database db{dir.path()};
    uint32_t firstPositionOfMeasured = 0;

    BigDatabase()
    {
        if (db.open() != 0) {
            std::fprintf(stderr, "%s\n", qPrintable(db.openErrorText()));
            std::abort();
        }
        global::Transaction transaction(db, 3000);
        global::Table<global::ProfileRecord> profiles(db);
        global::Table<global::ProfileLengthRecord> lengths(db);
        global::Table<global::OrderProfileRecord> positions(db);
        global::Table<global::CutRecord> cuts(db);
        uint32_t positionId = 0, cutId = 0, lengthId = 0;
        for (uint32_t p = 1; p <= Profiles; ++p) {
            global::ProfileRecord profile;
            profile.id = p;
            profile.profileCode = QStringLiteral("PRF %1").arg(p);
            profile.remnantLenght = 800;
            check(profiles.add(profile), profiles.errorText());
            for (uint32_t l : {6000u, 6500u, 12000u, 2350u}) {
                global::ProfileLengthRecord length;
                length.id = ++lengthId;
                length.profileId = p;
                length.lenght = l;
                length.intStock = int32_t(l % 7);
                length.extStock = 5;
                check(lengths.add(length), lengths.errorText());
            }
            for (uint32_t o = 1; o <= OrdersPerProfile; ++o) {
                global::OrderProfileRecord position;
                position.id = ++positionId;
                position.orderId = o;
                position.profileId = p;
                check(positions.add(position), positions.errorText());
                if (p == MeasuredProfile && o == 1)
                    firstPositionOfMeasured = position.id;
                for (uint32_t c = 0; c < CutsPerPosition; ++c) {
                    global::CutRecord cut;
                    cut.id = ++cutId;
                    cut.orderId = o;
                    cut.orderProfileId = position.id;
                    cut.profileId = p;
                    cut.status = uint16_t(cutId % 5 == 0 ? 2 : cutId % 3 == 0 ? 0 : 1);
                    cut.lenght = 300 + (cutId * 7919) % 5000;
                    cut.pcs = 1 + cutId % 9;
                    if (cutId % 11 == 0) {
                        cut.lenght1 = cut.lenght / 2;
                        cut.lenght2 = cut.lenght - cut.lenght1;
                    }
                    check(cuts.add(cut), cuts.errorText());
                }
            }
        }
        check(transaction.commit(), db.lastErrorText());
    }

    static void check(int code, const QString& text)
    {
        if (code != 0) {
            std::fprintf(stderr, "building the benchmark database failed: %d %s\n", code, qPrintable(text));
            std::abort();
        }
    }
};

// Built on first use and closed by main before the program's statics go.
std::unique_ptr<BigDatabase> database;

BigDatabase& bigDatabase()
{
    if (!database)
        database = std::make_unique<BigDatabase>();
    return *database;
}

void prepare(benchmark::State& state, bool onePosition)
{
    BigDatabase& big = bigDatabase();
    DatabaseInput input(big.db);
    global::ScriptedDialogs dialogs;
    std::size_t pieces = 0;
    for (auto _ : state) {
        SPrtTable sPrt;
        PrtTable mPrt;
        CutsDemand totals;
        PrlTable stock;
        uint32_t remnant = 0;
        const uint32_t orderProfile = onePosition ? big.firstPositionOfMeasured : 0;
        if (createCuts(input, dialogs, MeasuredProfile, orderProfile, sPrt, mPrt, totals, 1) != Response::Completed
            || createLenghts(input, dialogs, MeasuredProfile, SLenTable{}, stock, remnant, LengthTable{})
                   != Response::Completed)
            state.SkipWithError("preparation did not complete");
        pieces = sPrt.size();
        benchmark::DoNotOptimize(stock);
    }
    state.counters["cut_records_taken"] = double(pieces);
}

void BM_PrepareAllOrdersOfOneProfile(benchmark::State& state) { prepare(state, false); }
void BM_PrepareOneOrderPosition(benchmark::State& state) { prepare(state, true); }

} // namespace

BENCHMARK(BM_PrepareAllOrdersOfOneProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareOneOrderPosition)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    database.reset();
    return 0;
}
