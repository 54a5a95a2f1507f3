// How long the profile catalogue takes to show its first rows on a catalogue of 10,000 profiles with
// 100,000 stock lengths and 30,000 pieces: the profile list's first page with the totals of the rows
// on screen, the whole window opened and painted offscreen, a move to another profile (the length and
// piece lists read again), and the tab "Za&tw." that shows only profiles having approved pieces.
// The catalogue's stock log is kept already (a database without one gets its opening balance once,
// the first time a stock window opens).
//
//   QT_QPA_PLATFORM=offscreen build/stock/gui/CatalogueBench

#include "global/StockBooking.h"
#include "global/Table.h"
#include "stock/gui/ProfileCatalogueWindow.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Profiles = 10000;
constexpr int LengthsPerProfile = 10;
constexpr int PiecesPerProfile = 3;

struct Fixture {
    QTemporaryDir dir;
    global::Database db{dir.path()};

    Fixture()
    {
        if (db.open() != 0 || !fill())
            qFatal("the benchmark's catalogue could not be made");
    }

    bool fill()
    {
        global::Transaction tx(db, 10000);
        global::Table<global::ProfileRecord> profiles(db);
        global::Table<global::ProfileLengthRecord> lengths(db);
        global::Table<global::CutRecord> cuts(db);
        uint32_t lengthId = 0;
        uint32_t cutId = 0;
        for (uint32_t p = 1; p <= Profiles; ++p) {
            global::ProfileRecord profile;
            profile.id = p;
            profile.profileCode = QStringLiteral("PR-%1").arg(p, 5, 10, QLatin1Char('0'));
            profile.remnantLenght = 500;
            profile.status = p % 7 == 0 ? 1 : 0;
            if (profiles.add(profile) != 0)
                return false;
            for (int l = 0; l < LengthsPerProfile; ++l) {
                global::ProfileLengthRecord length;
                length.id = ++lengthId;
                length.profileId = p;
                length.lenght = 1500 + 500 * l;
                length.intStock = (l * 3 + int(p)) % 9;
                length.typicalLength = l % 2 == 0 ? length.lenght : 0;
                if (lengths.add(length) != 0)
                    return false;
            }
            for (int c = 0; c < PiecesPerProfile; ++c) {
                global::CutRecord cut;
                cut.id = ++cutId;
                cut.profileId = p;
                cut.orderId = 1;
                cut.status = uint16_t((p + c) % 3);
                cut.lenght = 800 + 100 * c;
                cut.pcs = 2 + c;
                if (cuts.add(cut) != 0)
                    return false;
            }
        }
        // A database in use keeps its stock log: the catalogue opens without an opening balance.
        global::Table<global::StockChangeRecord> log(db);
        global::StockChangeRecord line;
        line.profileId = 1;
        line.lenght = 1500;
        line.operationType = 0;
        if (log.addWithNewIdentifier(line) != 0)
            return false;
        return tx.commit() == 0;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Reads what the list shows on screen: every column of the first rows.
void readRows(QAbstractItemModel& model, int rows)
{
    for (int row = 0; row < qMin(rows, model.rowCount()); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            benchmark::DoNotOptimize(model.data(model.index(row, column), Qt::DisplayRole));
}

void ProfileListFirstPageWithTotals(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        stock::ProfileTotalsCache totals(f.db);
        totals.setStatuses(stock::piecesSummedOn(stock::ProfileTab::Active));
        ui::BrowseModel<global::ProfileRecord> model(f.db, stock::profileColumns(totals, true),
                                                     stock::catalogueProfileRanges(totals).first(), "ProfileCatalogue");
        model.reload();
        readRows(model, 40);
        if (model.rowCount() != ui::BrowseModelBase::DefaultPageSize)
            state.SkipWithError("the first page is incomplete");
    }
}
BENCHMARK(ProfileListFirstPageWithTotals)->Unit(benchmark::kMillisecond);

void CatalogueWindowShowsItsFirstRows(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    for (auto _ : state) {
        stock::ProfileCatalogueWindow window(scripted.context, {});
        window.resize(1000, 740);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        if (window.profiles().model().rowCount() == 0 || window.lengths().model().rowCount() == 0)
            state.SkipWithError("the catalogue shows nothing");
    }
}
BENCHMARK(CatalogueWindowShowsItsFirstRows)->Unit(benchmark::kMillisecond);

void MovingToAnotherProfile(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    stock::ProfileCatalogueWindow window(scripted.context, {});
    window.resize(1000, 740);
    window.show();
    int row = 0;
    for (auto _ : state) {
        row = (row + 7) % window.profiles().model().rowCount();
        window.profiles().setCurrentRow(row);
        readRows(window.lengths().model(), 20);
        readRows(window.pieces().model(), 20);
    }
}
BENCHMARK(MovingToAnotherProfile)->Unit(benchmark::kMillisecond);

void TabOfProfilesWithApprovedPieces(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    stock::ProfileCatalogueWindow window(scripted.context, {});
    for (auto _ : state) {
        window.profiles().chooseTab(0);
        window.profiles().chooseTab(1);
        readRows(window.profiles().model(), 40);
    }
}
BENCHMARK(TabOfProfilesWithApprovedPieces)->Unit(benchmark::kMillisecond);

// The opening balance a database without a stock log gets once: one line per stock length of the
// catalogue, 100,000 of them, in one transaction (rolled back here, so that every run starts again
// from an empty log).
void OpeningBalanceOfTheWholeCatalogue(benchmark::State& state)
{
    Fixture& f = fixture();
    const global::LogStamp stamp{QDateTime(QDate(2026, 3, 4), QTime(8, 0)), QStringLiteral("HALA1"),
                                 QStringLiteral("ewa")};
    for (auto _ : state) {
        global::Transaction tx(f.db, 10000);
        global::Table<global::StockChangeRecord> log(f.db);
        global::StockChangeRecord line;
        line.id = 1;
        QString error;
        if (log.fetch(global::Table<global::StockChangeRecord>::Auto, line) != 0 || log.remove() != 0
            || global::writeOpeningBalance(f.db, stamp, true, error) != 0) {
            state.SkipWithError("the opening balance could not be written");
            break;
        }
        tx.rollback();
    }
}
BENCHMARK(OpeningBalanceOfTheWholeCatalogue)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
