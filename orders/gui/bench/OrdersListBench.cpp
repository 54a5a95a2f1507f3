// How long the orders browse takes to show its first rows on 100,000 orders with 200,000 positions
// and 1,000,000 pieces: the orders list's first page with the progress icon of every row on screen
// (each reads all pieces of its order), the whole window opened and painted offscreen with its four
// lists, and a move to another order (positions, pieces and lengths read again).
//
//   QT_QPA_PLATFORM=offscreen build/orders/gui/OrdersListBench

#include "global/Table.h"
#include "orders/gui/OrdersListWindow.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr uint32_t Orders = 100000;
constexpr uint32_t Profiles = 500;
constexpr uint32_t PositionsPerOrder = 2;
constexpr uint32_t PiecesPerPosition = 5;

struct Fixture {
    QTemporaryDir dir;
    global::Database db{dir.path()};

    Fixture()
    {
        if (db.open() != 0 || !fill())
            qFatal("the benchmark's orders could not be made");
    }

    bool fill()
    {
        global::Transaction tx(db, 10000);
        global::Table<global::ProfileRecord> profiles(db);
        global::Table<global::ProfileLengthRecord> lengths(db);
        global::Table<global::OrderRecord> orders(db);
        global::Table<global::OrderProfileRecord> positions(db);
        global::Table<global::CutRecord> cuts(db);
        uint32_t lengthId = 0;
        for (uint32_t p = 1; p <= Profiles; ++p) {
            global::ProfileRecord profile;
            profile.id = p;
            profile.profileCode = QStringLiteral("PR-%1").arg(p, 4, 10, QLatin1Char('0'));
            profile.remnantLenght = 500;
            if (profiles.add(profile) != 0)
                return false;
            for (uint32_t l = 0; l < 6; ++l) {
                global::ProfileLengthRecord length;
                length.id = ++lengthId;
                length.profileId = p;
                length.lenght = 3000 + 1000 * l;
                length.intStock = int32_t((l + p) % 5);
                if (lengths.add(length) != 0)
                    return false;
            }
        }
        uint32_t positionId = 0;
        uint32_t cutId = 0;
        for (uint32_t o = 1; o <= Orders; ++o) {
            global::OrderRecord order;
            order.id = o;
            order.number = QStringLiteral("Z/%1").arg(o, 6, 10, QLatin1Char('0'));
            order.customer = QStringLiteral("Klient %1").arg(o % 997);
            order.status = uint16_t(o % 3 == 0 ? 1 : 0);
            if (orders.add(order) != 0)
                return false;
            for (uint32_t k = 0; k < PositionsPerOrder; ++k) {
                global::OrderProfileRecord position;
                position.id = ++positionId;
                position.orderId = o;
                position.profileId = (o * 7 + k * 13) % Profiles + 1;
                position.profileCode = QStringLiteral("PR-%1").arg(position.profileId, 4, 10, QLatin1Char('0'));
                if (positions.add(position) != 0)
                    return false;
                for (uint32_t c = 0; c < PiecesPerPosition; ++c) {
                    global::CutRecord cut;
                    cut.id = ++cutId;
                    cut.orderId = o;
                    cut.orderProfileId = position.id;
                    cut.profileId = position.profileId;
                    cut.status = order.status;
                    cut.lenght = 500 + 250 * c;
                    cut.pcs = 1 + c;
                    if (cuts.add(cut) != 0)
                        return false;
                }
            }
        }
        return tx.commit() == 0;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Reads what a list shows on screen: every column (and icon) of the first rows.
void readRows(QAbstractItemModel& model, int rows)
{
    for (int row = 0; row < qMin(rows, model.rowCount()); ++row)
        for (int column = 0; column < model.columnCount(); ++column) {
            benchmark::DoNotOptimize(model.data(model.index(row, column), Qt::DisplayRole));
            benchmark::DoNotOptimize(model.data(model.index(row, column), Qt::DecorationRole));
        }
}

void OrderListFirstPageWithIcons(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    for (auto _ : state) {
        orders::gui::OrdersListWindow window(scripted.context, {});
        readRows(window.orders().model(), 40);
        if (window.orders().model().rowCount() != ui::BrowseModelBase::DefaultPageSize)
            state.SkipWithError("the first page is incomplete");
    }
}
BENCHMARK(OrderListFirstPageWithIcons)->Unit(benchmark::kMillisecond);

void OrdersBrowseShowsItsFirstRows(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    for (auto _ : state) {
        orders::gui::OrdersListWindow window(scripted.context, {});
        window.resize(1000, 780);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        if (window.orders().model().rowCount() == 0 || window.pieces().model().rowCount() == 0)
            state.SkipWithError("the browse shows nothing");
    }
}
BENCHMARK(OrdersBrowseShowsItsFirstRows)->Unit(benchmark::kMillisecond);

void MovingToAnotherOrder(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    orders::gui::OrdersListWindow window(scripted.context, {});
    window.resize(1000, 780);
    window.show();
    int row = 0;
    for (auto _ : state) {
        row = (row + 7) % window.orders().model().rowCount();
        window.orders().setCurrentRow(row);
        readRows(window.positions().model(), 10);
        readRows(window.pieces().model(), 20);
        readRows(window.lengths().model(), 10);
    }
}
BENCHMARK(MovingToAnotherOrder)->Unit(benchmark::kMillisecond);

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
