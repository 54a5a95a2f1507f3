// How the list of cutting orders behaves over a long history: 20,000 cutting orders (the open ones
// last), the window opened on "Otwarte" and on "Zrealizowane", the same under a filter that lets one
// order in a hundred through (the list reads past the others to fill its page), and tagging every
// order of a tab whatever the filter.
//
//   QT_QPA_PLATFORM=offscreen build/transactions/gui/CuttingOrdersBench

#include "global/Database.h"
#include "global/Table.h"
#include "transactions/gui/CuttingOrdersWindow.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Orders = 20000;
constexpr int OpenOrders = 2000;

struct Fixture {
    QTemporaryDir dir;
    global::Database db{dir.path()};

    Fixture()
    {
        if (db.open() != 0)
            qFatal("the benchmark's database could not be made");
        global::Transaction transaction(db, 3000);
        global::Table<global::StockTransRecord> orders(db);
        for (int i = 1; i <= Orders; ++i) {
            global::StockTransRecord r;
            r.id = uint32_t(i);
            r.profileCode = i % 100 == 0 ? QStringLiteral("RP 60x40") : QStringLiteral("AL %1").arg(i % 37);
            r.status = i > Orders - OpenOrders ? 0 : 1;
            r.dateCreated = QDate(2020, 1, 1).addDays(i / 10);
            r.timeCreated = QTime(8, 0);
            r.documentDescr = QStringLiteral("Zlecenie %1").arg(i);
            r.totalProfilesPcs = uint32_t(i % 9 + 1);
            r.operatorCreated = QStringLiteral("planista");
            r.computerCreated = QStringLiteral("BIURO");
            if (orders.add(r) != 0)
                qFatal("the benchmark's cutting orders could not be stored");
        }
        if (transaction.commit() != 0)
            qFatal("the benchmark's cutting orders could not be committed");
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

transactions::TransactionFilter everyHundredth()
{
    transactions::TransactionFilter filter;
    filter.on = true;
    filter.profileCode = QStringLiteral("rp*");
    return filter;
}

void OpenTheList(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    const int tab = int(state.range(0));
    for (auto _ : state) {
        transactions::gui::CuttingOrdersWindow window(scripted.context, {});
        window.chooseTab(tab);
        benchmark::DoNotOptimize(window.current());
        if (window.model().rowCount() == 0)
            state.SkipWithError("the list is empty");
    }
}
BENCHMARK(OpenTheList)->Arg(0)->Arg(1)->ArgName("tab")->Unit(benchmark::kMillisecond);

void FilterTheList(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    transactions::gui::CuttingOrdersWindow window(scripted.context, {});
    window.chooseTab(int(state.range(0)));
    for (auto _ : state) {
        window.setFilter(everyHundredth());
        if (window.model().rowCount() == 0)
            state.SkipWithError("the filter lets nothing through");
        window.setFilter({});
    }
}
BENCHMARK(FilterTheList)->Arg(0)->Arg(1)->ArgName("tab")->Unit(benchmark::kMillisecond);

void TagTheWholeTab(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    transactions::gui::CuttingOrdersWindow window(scripted.context, {});
    window.chooseTab(transactions::gui::CuttingOrdersWindow::ConfirmedTab);
    window.setFilter(everyHundredth());
    for (auto _ : state) {
        window.tagWholeTab();
        if (window.model().taggedCount() != Orders - OpenOrders)
            state.SkipWithError("not every confirmed order was tagged");
        window.untagAll();
    }
}
BENCHMARK(TagTheWholeTab)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
