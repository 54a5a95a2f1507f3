// How long a browse takes to show the first rows of a table of 100,000 records: the model reading
// its first page (on the open connection and on a fresh one), the whole window (model, list
// formats, columns) painted offscreen, and locating a record in the middle by typing.
//
//   QT_QPA_PLATFORM=offscreen build/ui/BrowseBench

#include "ui/browse/TableBrowse.h"
#include "ui/browse/tests/support/PartTable.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include "global/tests/support/ServerDatabase.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Records = 100000;

// On the PostgreSQL test server when BARMOND_TEST_POSTGRES names its socket folder, else on a file.
struct Fixture {
    QTemporaryDir dir;
    testing_support::ServerDatabase server{dir.path()};
    global::Database db{dir.path()};

    Fixture()
    {
        if (db.open() != 0 || !parts::create(db) || !parts::fill(db, Records))
            qFatal("the benchmark's table could not be made");
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

QList<ui::BrowseColumn<PartRecord>> columns()
{
    return {{"PART:NAME", "Nazwa", 20, [](const PartRecord& r) { return QVariant(r.name); }},
            {"PART:LENGTH", "Długość", 8, [](const PartRecord& r) { return QVariant(qlonglong(r.length)); }},
            {"PART:ID", "Id", 6, [](const PartRecord& r) { return QVariant(qlonglong(r.id)); }}};
}

void FirstPageOfTheModel(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        ui::BrowseModel<PartRecord> model(f.db, columns(), {PartTable::ByName, {}, 0}, "PartBrowse");
        model.reload();
        benchmark::DoNotOptimize(model.data(model.index(0, 0), Qt::DisplayRole));
        if (model.rowCount() != ui::BrowseModelBase::DefaultPageSize)
            state.SkipWithError("the first page is incomplete");
    }
}
BENCHMARK(FirstPageOfTheModel)->Unit(benchmark::kMillisecond);

// The same from a connection opened for the purpose, as a window opened on another thread would.
void FirstPageOnAFreshConnection(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        global::Database db = global::Database::atFile(f.db.filePath());
        if (db.open() != 0)
            state.SkipWithError("the database could not be opened");
        ui::BrowseModel<PartRecord> model(db, columns(), {PartTable::ByName, {}, 0}, "PartBrowse");
        model.reload();
        benchmark::DoNotOptimize(model.data(model.index(0, 0), Qt::DisplayRole));
    }
}
BENCHMARK(FirstPageOnAFreshConnection)->Unit(benchmark::kMillisecond);

void WindowShowsItsFirstRows(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::ScriptedWindowContext scripted(f.db);
    ui::BrowseDefinition definition;
    definition.name = QStringLiteral("PartBrowse");
    definition.context = "PartBrowse";
    definition.title = "Lista części";
    for (auto _ : state) {
        ui::TableBrowse<PartRecord> window(scripted.context, definition, columns(), {{PartTable::ByName, {}, 0}},
                                           {});
        window.resize(800, 600);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.list().grab());   // painted with its rows
        window.close();
    }
}
BENCHMARK(WindowShowsItsFirstRows)->Unit(benchmark::kMillisecond);

void LocateInTheMiddle(benchmark::State& state)
{
    Fixture& f = fixture();
    ui::BrowseModel<PartRecord> model(f.db, columns(), {PartTable::ByName, {}, 0}, "PartBrowse");
    model.reload();
    for (auto _ : state)
        benchmark::DoNotOptimize(model.locateText(QStringLiteral("part-0500")));
}
BENCHMARK(LocateInTheMiddle)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
