// The optimizer window the way the program opens it: records read from a database file while the
// calculation runs on its worker thread, and the user's layout kept in the database's layout tables.

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/ServerDatabase.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/gui/MakeOptimalCut.h"
#include "optimizer/gui/OptimizerWindow.h"
#include "ui/layout/DatabaseLayoutStore.h"
#include "ui/window/WindowContext.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace kadrel;

namespace {

constexpr uint32_t ProfileId = 3;
constexpr uint32_t PositionId = 30;

bool writeWorkshop(global::Database& db)
{
    global::ProfileRecord profile;
    profile.id = ProfileId;
    profile.profileCode = QStringLiteral("ST 30x20");
    profile.remnantLenght = 800;
    profile.uom = QStringLiteral("mm");
    global::ProfileLengthRecord bar;
    bar.id = 31;
    bar.profileId = ProfileId;
    bar.lenght = 6000;
    bar.intStock = 10;
    bar.typicalLength = 1;
    global::ProfileLengthRecord shortBar = bar;
    shortBar.id = 32;
    shortBar.lenght = 3000;
    global::OrderRecord order;
    order.id = 7;
    order.status = 1;
    order.number = QStringLiteral("Z/7");
    global::OrderProfileRecord position;
    position.id = PositionId;
    position.orderId = order.id;
    position.profileId = ProfileId;
    position.profileCode = profile.profileCode;
    global::CutRecord pieces;
    pieces.id = 300;
    pieces.orderId = order.id;
    pieces.orderProfileId = PositionId;
    pieces.profileId = ProfileId;
    pieces.status = 1;
    pieces.lenght = 1400;
    pieces.pcs = 5;
    return global::Table<global::ProfileRecord>(db).add(profile) == 0
        && global::Table<global::ProfileLengthRecord>(db).add(bar) == 0
        && global::Table<global::ProfileLengthRecord>(db).add(shortBar) == 0
        && global::Table<global::OrderRecord>(db).add(order) == 0
        && global::Table<global::OrderProfileRecord>(db).add(position) == 0
        && global::Table<global::CutRecord>(db).add(pieces) == 0;
}

struct Services {
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    global::Services all() { return {dialogs, clipboard, clock, identity}; }
};

} // namespace

class OptimizerWindowDatabaseQtTest : public QObject {
    Q_OBJECT
private slots:
    void windowComputesFromTheDatabaseAndKeepsTheLayoutThere()
    {
        QTemporaryDir dir;
        testing_support::ServerDatabase server(dir.path());   // on the test server, when one is named
        global::Database db(dir.path());
        QCOMPARE(db.open(), 0);
        QVERIFY(writeWorkshop(db));
        DatabaseInput input(db);
        layout::DatabaseLayoutStore layoutStore(db);
        OptimizerCall call;
        call.profile = ProfileId;
        call.orderProfile = PositionId;
        call.mode = 2;
        SolutionHandOver handOver;
        handOver.save = [](uint32_t, const SolutionItemTable&, const SolutionSubitemTable&, const Statistics&) {};

        Services services;
        ui::WindowContext context{db, services.all(), &layoutStore, &layoutStore, dir.filePath(QStringLiteral("Barmond.ini")),
                                  services.identity.userName(), services.identity.computerName(), 1, nullptr};
        int splitterAt = 0;
        {
            OptimizerWindowCall windowCall(context, input, call, handOver);
            OptimizerWindow& window = windowCall.window();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QSignalSpy finished(&window, &OptimizerWindow::calculationFinished);
            window.startCalculation();
            QVERIFY(finished.wait(30000));
            QVERIFY(finished.first().first().toBool());
            QCOMPARE(window.list(1)->model()->rowCount(), 1);
            QCOMPARE(window.list(2)->model()->rowCount(), 2);
            QVERIFY(window.list(3)->model()->rowCount() >= 1);
            QVERIFY(window.button(QStringLiteral("?SAVE"))->isEnabled());   // the order is approved

            auto* region2 = window.findChild<QSplitter*>(QStringLiteral("?REGION2"));
            QVERIFY(region2);
            region2->setSizes({250, 900});
            splitterAt = region2->sizes().first();
            window.list(1)->horizontalHeader()->resizeSection(1, 150);
            window.button(QStringLiteral("?CLOSE"))->click();
        }
        QVERIFY(services.dialogs.shown().isEmpty());

        QList<global::ControlPositionRecord> positions;
        QVERIFY(layoutStore.positionsOf(QStringLiteral("Barmond"), QStringLiteral("MakeOptimalCut"), 1, positions).ok());
        QCOMPARE(positions.size(), 8);   // four splitters and four lists

        OptimizerWindowCall reopened(context, input, call, handOver);
        OptimizerWindow& window = reopened.window();
        QCOMPARE(window.list(1)->horizontalHeader()->sectionSize(1), 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.findChild<QSplitter*>(QStringLiteral("?REGION2"))->sizes().first(), splitterAt);
    }
};

QTEST_MAIN(OptimizerWindowDatabaseQtTest)
#include "OptimizerWindowDatabaseQtTest.moc"
