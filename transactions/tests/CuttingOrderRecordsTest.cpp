// The description form, the print lists with their print numbers, and the rebuild of the stock log
// from the cutting orders.

#include "transactions/CuttingOrderSettlement.h"
#include "transactions/DescriptionForm.h"
#include "transactions/PrintTables.h"
#include "transactions/TransItemsTree.h"
#include "transactions/TransactionLogRebuild.h"

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

using namespace transactions;
using global::ProfileLengthRecord;
using global::StockChangeRecord;
using global::StockTransItemRecord;
using global::StockTransRecord;

namespace {

class CuttingOrderRecordsTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    testing_support::StockScenario scenario{db};
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock{QDateTime(QDate(2026, 4, 1), QTime(8, 0))};
    global::FixedIdentity identity{QStringLiteral("planista"), QStringLiteral("BIURO")};
    global::Services services{dialogs, clipboard, clock, identity};

    uint32_t profile = 0, l6000 = 0, l3000 = 0, order = 0;

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        profile = scenario.profile(QStringLiteral("RURA 30"), 500);
        l6000 = scenario.length(profile, 6000, 20, 1, 4);
        l3000 = scenario.length(profile, 3000, 5);
        order = scenario.order(QStringLiteral("ZL/9"), 1);
    }

    // A cutting order of three bars: 6000 leaving 1000 (remnant), 3000 leaving 0, 6000 leaving 3000
    // (a remnant onto the 3000 length).
    uint32_t acceptThreeBars()
    {
        const uint32_t c = scenario.cut(order, profile, 1000, 100);
        testing_support::SolutionBuilder s;
        s.bar(1, l6000, 6000, 1000, {{c, 1000}, {c, 1000}, {c, 1000}, {c, 1000}, {c, 1000}})
            .bar(2, l3000, 3000, 0, {{c, 1000}, {c, 1000}, {c, 1000}})
            .bar(3, l6000, 6000, 3000, {{c, 1000}, {c, 1000}, {c, 1000}});
        const kadrel::AcceptanceResult r =
            kadrel::acceptSolution(db, services, profile, s.bars, s.pieces, kadrel::Statistics{}, {});
        EXPECT_TRUE(r.saved) << dialogs.messages().join("\n").toStdString();
        clock.advance(3600 * 1000);
        return r.transaction;
    }
};

TEST_F(CuttingOrderRecordsTest, TheDescriptionIsWrittenOntoTheRecordAsItIsNowAndRefusedWhenItsStatusChanged)
{
    const uint32_t t = acceptThreeBars();
    const StockTransRecord loaded = scenario.fetch<StockTransRecord>(t);
    // Another station changes the record meanwhile (a field the form does not edit).
    scenario.change<StockTransRecord>(t, [](StockTransRecord& r) { r.totalScrap = 7.5; });

    StockTransRecord stored;
    const DescriptionEntry entry{QStringLiteral("Pilne: ") + QString(100, QLatin1Char('x')), QDate(2026, 4, 7)};
    ASSERT_EQ(saveDescription(db, services, loaded, entry, stored), 1) << dialogs.messages().join("\n").toStdString();
    const StockTransRecord now = scenario.fetch<StockTransRecord>(t);
    EXPECT_EQ(now.documentDescr, entry.documentDescr.left(80));
    EXPECT_EQ(stored.documentDescr, now.documentDescr);
    EXPECT_EQ(now.productionDate, QDate(2026, 4, 7));
    EXPECT_DOUBLE_EQ(now.totalScrap, 7.5);   // not overwritten by the form's old copy

    // Closed meanwhile: nothing written.
    const StockTransRecord beforeClose = scenario.fetch<StockTransRecord>(t);
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Close).done);
    std::string before = testing_support::databaseSnapshot(db);
    EXPECT_EQ(saveDescription(db, services, beforeClose, DescriptionEntry{QStringLiteral("inny"), {}}, stored), 2);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("w międzyczasie potwierdzone")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    // The confirmed order's own copy may be saved; a deleted one may not.
    EXPECT_EQ(saveDescription(db, services, scenario.fetch<StockTransRecord>(t), DescriptionEntry{QStringLiteral("ok"), {}},
                              stored),
              1);
    EXPECT_EQ(scenario.fetch<StockTransRecord>(t).documentDescr, QStringLiteral("ok"));
    EXPECT_FALSE(scenario.fetch<StockTransRecord>(t).productionDate.isValid());
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Reopen).done);
    const StockTransRecord open = scenario.fetch<StockTransRecord>(t);
    ASSERT_TRUE(deleteTransaction(db, services, t).done);
    before = testing_support::databaseSnapshot(db);
    dialogs.clear();
    EXPECT_EQ(saveDescription(db, services, open, DescriptionEntry{QStringLiteral("x"), {}}, stored), 2);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("Nr błędu = 35")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(CuttingOrderRecordsTest, PrintListsKeepStoredNumbersAndNumberAnOldOrderByLengthThenIdentifier)
{
    const uint32_t t = acceptThreeBars();
    PrintTables tables;
    QString error;
    ASSERT_TRUE(createPrintTables(db, t, tables, error)) << error.toStdString();
    EXPECT_FALSE(tables.renumbered);
    EXPECT_EQ(tables.profile, profile);
    ASSERT_EQ(tables.bars.size(), 3u);
    EXPECT_EQ(tables.pieces.size(), 11u);
    for (const kadrel::SolutionItemRow& bar : tables.bars)
        EXPECT_EQ(bar.printId, bar.id) << bar.id;   // stored at acceptance: 3000, 6000, 6000

    // Stored numbers are used as they are, in whatever order they stand.
    const QList<StockTransItemRecord> items = scenario.all<StockTransItemRecord>();
    const uint32_t shuffled[] = {3, 1, 2};
    for (int i = 0; i < 3; ++i)
        scenario.change<StockTransItemRecord>(items[i].id, [&](StockTransItemRecord& r) { r.printId = shuffled[i]; });
    ASSERT_TRUE(createPrintTables(db, t, tables, error));
    EXPECT_FALSE(tables.renumbered);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(scenario.fetch<StockTransItemRecord>(items[i].id).printId, shuffled[i]);

    // An order of an older version: one bar without a number renumbers them all, equal lengths by
    // their identifier.
    scenario.change<StockTransItemRecord>(items[2].id, [](StockTransItemRecord& r) { r.printId = 0; });
    ASSERT_TRUE(createPrintTables(db, t, tables, error)) << error.toStdString();
    EXPECT_TRUE(tables.renumbered);
    ASSERT_EQ(tables.bars.size(), 3u);
    EXPECT_EQ(tables.bars[0].lenght, 3000u);
    EXPECT_EQ(tables.bars[1].id, items[1].id);
    std::map<uint32_t, uint32_t> numbers;
    for (const kadrel::SolutionItemRow& bar : tables.bars)
        numbers[bar.id] = bar.printId;
    for (const StockTransItemRecord& item : scenario.all<StockTransItemRecord>())
        EXPECT_EQ(item.printId, numbers[item.id]) << item.id;
    EXPECT_EQ(numbers[items[0].id], 1u);   // the 3000 bar
    EXPECT_EQ(numbers[items[1].id], 2u);   // the 6000 bars by identifier
    EXPECT_EQ(numbers[items[2].id], 3u);

    dialogs.clear();
    EXPECT_FALSE(createPrintTables(db, 77, tables, error));
    EXPECT_TRUE(error.contains(QStringLiteral("Brak polecenia cięcia nr 77")));
}

TEST_F(CuttingOrderRecordsTest, TheLogRebuildExplainsTheStockFromTheCuttingOrders)
{
    const uint32_t open = acceptThreeBars();
    const uint32_t confirmed = acceptThreeBars();
    const uint32_t reopened = acceptThreeBars();
    const uint32_t oldClosed = acceptThreeBars();
    ASSERT_TRUE(closeTransaction(db, services, confirmed, CloseMode::Close).done);
    clock.advance(3600 * 1000);
    ASSERT_TRUE(closeTransaction(db, services, reopened, CloseMode::Close).done);
    clock.advance(3600 * 1000);
    ASSERT_TRUE(closeTransaction(db, services, reopened, CloseMode::Reopen).done);
    ASSERT_TRUE(closeTransaction(db, services, oldClosed, CloseMode::Close).done);
    // A confirmed order of an older version carries no confirmation date.
    scenario.change<StockTransRecord>(oldClosed, [](StockTransRecord& r) {
        r.dateConfirmed = QDate();
        r.timeConfirmed = QTime();
    });
    const QList<ProfileLengthRecord> stock = scenario.all<ProfileLengthRecord>();
    ASSERT_EQ(db.emptyTables({QStringLiteral("STOCK_CHANGE")}), 0);

    dialogs.clear();
    ASSERT_EQ(createTransactionLog(db, services), LogRebuild::Written) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Tabela zbudowana")});
    EXPECT_EQ(scenario.all<ProfileLengthRecord>().size(), stock.size());
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    const QList<StockChangeRecord> log = scenario.all<StockChangeRecord>();
    // Opening balance of the four lengths (6000, 3000, 1000 and the remnant 3000 share one), then
    // per order its creation lines and, when confirmed, its confirmation lines.
    std::map<std::pair<uint32_t, uint16_t>, int> linesOf;   // (order, type) -> lines
    int opening = 0;
    QDateTime previous;
    for (const StockChangeRecord& line : log) {
        const QDateTime at(line.date, line.time);
        EXPECT_TRUE(!previous.isValid() || previous <= at) << "line " << line.id << " out of time order";
        previous = at;
        if (line.operationType == 0)
            ++opening;
        else
            ++linesOf[{line.docId, line.operationType}];
    }
    EXPECT_EQ(opening, 3);   // 1000, 3000, 6000
    const auto linesOfOrder = [&linesOf](uint32_t order, uint16_t type) {
        const auto found = linesOf.find(std::make_pair(order, type));
        return found == linesOf.end() ? 0 : found->second;
    };
    for (uint32_t t : {open, confirmed, reopened, oldClosed})
        EXPECT_EQ(linesOfOrder(t, 11), 3) << t;
    EXPECT_EQ(linesOfOrder(confirmed, 12), 3);
    EXPECT_EQ(linesOfOrder(oldClosed, 12), 3);
    EXPECT_EQ(linesOfOrder(open, 12), 0);
    EXPECT_EQ(linesOfOrder(reopened, 12), 0);   // reopened: it only reserves
    for (const StockChangeRecord& line : log) {
        if (line.docId == oldClosed && line.operationType == 12) {
            EXPECT_EQ(line.date, scenario.fetch<StockTransRecord>(oldClosed).dateCreated);
        }
    }
    // The first creation line carries the creating station.
    for (const StockChangeRecord& line : log) {
        if (line.operationType == 11) {
            EXPECT_EQ(line.station, QStringLiteral("BIURO"));
        }
    }

    // A log that holds lines is left alone.
    const std::string before = testing_support::databaseSnapshot(db);
    dialogs.clear();
    EXPECT_EQ(createTransactionLog(db, services), LogRebuild::LogNotEmpty);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Lista została już wygenerowana")});
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(CuttingOrderRecordsTest, AFailingWriteOfTheLogRebuildLeavesTheLogEmpty)
{
    const uint32_t t = acceptThreeBars();
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Close).done);
    ASSERT_EQ(db.emptyTables({QStringLiteral("STOCK_CHANGE")}), 0);
    const std::string before = testing_support::databaseSnapshot(db);
    int failing = 1;
    for (;; ++failing) {
        SCOPED_TRACE(failing);
        dialogs.clear();
        global::write_faults::failNthWrite(failing);
        const LogRebuild result = createTransactionLog(db, services);
        global::write_faults::failNthWrite(0);
        if (result == LogRebuild::Written)
            break;
        ASSERT_EQ(result, LogRebuild::Failed);
        ASSERT_EQ(testing_support::databaseSnapshot(db), before);
        ASSERT_LT(failing, 100);
    }
    EXPECT_EQ(failing - 1, 3 + 3 + 3);   // opening balance, creation and confirmation lines
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(CuttingOrderRecordsTest, TheItemTreeListsBarsInPrintOrderWithTheirPiecesAndCarriesHeatNumbers)
{
    const uint32_t t = acceptThreeBars();
    const QList<StockTransItemRecord> items = scenario.all<StockTransItemRecord>();
    // Print numbers other than the identifiers' order: the tree follows the print numbers.
    const uint32_t numbers[] = {2, 3, 1};
    for (int i = 0; i < 3; ++i)
        scenario.change<StockTransItemRecord>(items[i].id, [&](StockTransItemRecord& r) { r.printId = numbers[i]; });
    scenario.change<global::StockTransSubitemRecord>(1, [](global::StockTransSubitemRecord& r) {
        r.order = QStringLiteral("ZL/9");
        r.code = QStringLiteral("K-1");
        r.descr1 = QStringLiteral("Słupek  ");
        r.descr2 = QStringLiteral("lewy");
    });

    TransItemsTree tree;
    QString error;
    ASSERT_EQ(loadTransItems(db, t, tree, error), TreeLoad::Loaded) << error.toStdString();
    EXPECT_EQ(tree.rootLine, QStringLiteral("    Nr  Długość Odpad   Numer wytopu"));
    ASSERT_EQ(tree.bars.size(), 3);
    EXPECT_EQ(tree.bars[0].item.id, items[2].id);
    EXPECT_EQ(tree.bars[0].line, QStringLiteral("    1  6000  3000     "));
    EXPECT_EQ(tree.bars[1].item.id, items[0].id);   // the 3000 bar, cut without a leftover
    EXPECT_EQ(tree.bars[1].line, QStringLiteral("    2  3000     0     "));
    EXPECT_EQ(tree.bars[1].pieceLines.size(), 3);
    EXPECT_EQ(tree.bars[2].pieceLines.size(), 5);
    // The first piece of the 3000 bar (pieces are stored bar by bar in print order at acceptance).
    EXPECT_EQ(tree.bars[1].pieceLines[0], QString(13, QLatin1Char(' ')) + QStringLiteral("    1000     ")
                                              + QStringLiteral("ZL/9").leftJustified(20) + QStringLiteral("     ")
                                              + QStringLiteral("K-1").leftJustified(20)
                                              + QStringLiteral("     Słupek lewy"));

    // Copy the heat number of one bar and paste it into another.
    scenario.change<StockTransItemRecord>(items[2].id, [](StockTransItemRecord& r) { r.heatNumber = QStringLiteral("W-2231"); });
    ASSERT_EQ(loadTransItems(db, t, tree, error), TreeLoad::Loaded);
    EXPECT_EQ(tree.bars[0].line, QStringLiteral("    1  6000  3000     W-2231"));
    HeatNumberCopy copy;
    copy.copyFrom(tree.bars[0].item);
    StockTransItemRecord stored;
    EXPECT_EQ(copy.pasteInto(db, dialogs, tree.bars[1].item, stored), global::HeatNumberSave::Stored);
    EXPECT_EQ(scenario.fetch<StockTransItemRecord>(items[0].id).heatNumber, QStringLiteral("W-2231"));
    // A bar changed meanwhile on another station keeps that station's number.
    scenario.change<StockTransItemRecord>(items[1].id, [](StockTransItemRecord& r) { r.heatNumber = QStringLiteral("X-1"); });
    dialogs.clear();
    EXPECT_NE(copy.pasteInto(db, dialogs, tree.bars[2].item, stored), global::HeatNumberSave::Stored);
    EXPECT_EQ(scenario.fetch<StockTransItemRecord>(items[1].id).heatNumber, QStringLiteral("X-1"));

    // An order of an older version: the bars must be numbered by a print first.
    scenario.change<StockTransItemRecord>(items[0].id, [](StockTransItemRecord& r) { r.printId = 0; });
    EXPECT_EQ(loadTransItems(db, t, tree, error), TreeLoad::NeedsPrintNumbers);
    EXPECT_TRUE(PrintNumbersMissingText.startsWith(QStringLiteral("Polecenie rozkroju wykonane było starszą wersją")));
}

} // namespace
