#pragma once
// What the tests of the cutting-order windows share: a fresh database with scripted services, a
// small workshop (three profiles, each with a 6000 stock length and an order of pieces), cutting
// orders accepted as the optimizer's save stores them, and the checks every scenario ends with.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/Globals.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/tests/support/StockScenario.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QTest>

#include <memory>

namespace cutting_order_tests {

class CuttingOrderFixture {
public:
    void start()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<global::Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(*db_);
        scripted_->clock.set(QDateTime(QDate(2026, 5, 6), QTime(9, 30, 15)));
        scenario_ = std::make_unique<testing_support::StockScenario>(*db_);
        global::glo().language = QStringLiteral("PL");
        global::glo().sawWidth = 5;
    }

    // Every question was planned and answered.
    void finish()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        QCOMPARE(dialogs().plannedLeft(), 0);
        scenario_.reset();
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    global::Database& db() { return *db_; }
    QString dataDir() const { return dir_->path(); }
    QString file(const QString& name) const { return dir_->filePath(name); }
    ui::WindowContext& context() { return scripted_->context; }
    global::Services services() { return scripted_->context.services; }
    global::ScriptedDialogs& dialogs() { return scripted_->dialogs; }
    global::FixedClock& clock() { return scripted_->clock; }
    testing_support::StockScenario& scenario() { return *scenario_; }

    struct Profile {
        uint32_t id = 0;
        uint32_t length6000 = 0;
        uint32_t order = 0;
    };

    // A profile with 20 bars of 6000 in stock and an approved order of pieces.
    Profile profile(const QString& code, const QString& orderNumber, uint32_t remnantLenght = 500)
    {
        Profile p;
        p.id = scenario().profile(code, remnantLenght);
        p.length6000 = scenario().length(p.id, 6000, 20);
        p.order = scenario().order(orderNumber, 1);
        return p;
    }

    // A cutting order of `bars` bars of 6000, each cut into `perBar` pieces of `piece` mm (with the
    // saw's 5 mm), as the save window stores it; the first print goes to printCutList when given.
    uint32_t accept(const Profile& p, int bars, int perBar, uint32_t piece, const QString& description = {},
                    const kadrel::CutListPrinter& printCutList = {})
    {
        const uint32_t cut = scenario().cut(p.order, p.id, piece, uint32_t(bars * perBar), QStringLiteral("K-%1").arg(piece),
                                            QStringLiteral("Słupek %1").arg(piece));
        kadrel::SolutionItemTable barRows;
        kadrel::SolutionSubitemTable pieceRows;
        for (int b = 1; b <= bars; ++b) {
            kadrel::SolutionItemRow bar;
            bar.id = uint32_t(b);
            bar.lenghtDbId = p.length6000;
            bar.lenght = 6000;
            bar.totalCutsLenght = uint32_t(perBar) * piece;
            bar.scrap = 6000 - uint32_t(perBar) * (piece + 5);
            barRows.append(bar);
            for (int k = 0; k < perBar; ++k) {
                kadrel::SolutionSubitemRow row;
                row.itemId = bar.id;
                row.cutlenghtId = cut;
                row.cutlenght = piece;
                pieceRows.append(row);
            }
        }
        const kadrel::AcceptanceResult r =
            kadrel::saveCuts(db(), services(), p.id, barRows, pieceRows, kadrel::Statistics{},
                             kadrel::AcceptanceEntry{description, QDate(2026, 5, 12)}, printCutList);
        if (!r.saved)
            qFatal("cannot accept a cutting order: %s", qPrintable(dialogs().messages().join(QLatin1Char('\n'))));
        return r.transaction;
    }

    global::StockTransRecord order(uint32_t id) { return scenario().fetch<global::StockTransRecord>(id); }
    bool exists(uint32_t id)
    {
        global::Table<global::StockTransRecord> orders(db());
        global::StockTransRecord r;
        r.id = id;
        return orders.fetch(global::Table<global::StockTransRecord>::Auto, r) == 0;
    }
    QList<global::StockTransItemRecord> bars(uint32_t transaction)
    {
        QList<global::StockTransItemRecord> out;
        for (const global::StockTransItemRecord& bar : scenario().all<global::StockTransItemRecord>())
            if (bar.idTrans == transaction)
                out << bar;
        return out;
    }

    std::string snapshot() { return testing_support::databaseSnapshot(db()); }

    bool logExplainsStock(QByteArray& why)
    {
        const ::testing::AssertionResult result = testing_support::stockLogExplainsStock(db());
        why = QByteArray(result.message());
        return bool(result);
    }

private:
    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<global::Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;
    std::unique_ptr<testing_support::StockScenario> scenario_;
};

} // namespace cutting_order_tests

// Fails the test when the stock log does not explain the stock.
#define VERIFY_LOG_EXPLAINS_STOCK(fixture)                                                                              \
    do {                                                                                                               \
        QByteArray why_;                                                                                               \
        QVERIFY2((fixture).logExplainsStock(why_), why_.constData());                                                  \
    } while (false)
