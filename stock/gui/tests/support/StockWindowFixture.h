#pragma once
// What the tests of the stock windows share: a fresh database with scripted services, records
// stored directly (as data the program found), and the checks every scenario ends with.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QTest>

#include <memory>

namespace stock_window_tests {

class StockWindowFixture {
public:
    void start()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<global::Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(*db_);
        scripted_->clock.set(QDateTime(QDate(2026, 5, 6), QTime(9, 30, 15)));
    }

    // Every question was planned and answered.
    void finish()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        QCOMPARE(dialogs().plannedLeft(), 0);
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    global::Database& db() { return *db_; }
    QString dataDir() const { return dir_->path(); }
    ui::WindowContext& context() { return scripted_->context; }
    global::Services services() { return scripted_->context.services; }
    global::ScriptedDialogs& dialogs() { return scripted_->dialogs; }
    global::FixedIdentity& identity() { return scripted_->identity; }

    void addProfile(uint32_t id, const QString& code)
    {
        global::Table<global::ProfileRecord> profiles(db());
        global::ProfileRecord p;
        p.id = id;
        p.profileCode = code;
        QCOMPARE(profiles.add(p), 0);
    }

    uint32_t addLength(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0, int32_t incom = 0)
    {
        global::Table<global::ProfileLengthRecord> lengths(db());
        global::ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.incomStock = incom;
        l.typicalLength = 1;
        if (lengths.addWithNewIdentifier(l) != 0)
            qFatal("cannot store a length: %s", qPrintable(lengths.errorText()));
        return l.id;
    }

    std::optional<global::ProfileLengthRecord> length(uint32_t id)
    {
        global::Table<global::ProfileLengthRecord> lengths(db());
        global::ProfileLengthRecord l;
        l.id = id;
        if (lengths.fetch(global::Table<global::ProfileLengthRecord>::Auto, l) != 0)
            return std::nullopt;
        return l;
    }

    QList<global::StockChangeRecord> log()
    {
        return global::Table<global::StockChangeRecord>(db()).rows(global::Table<global::StockChangeRecord>::Auto);
    }

    std::string snapshot() { return testing_support::databaseSnapshot(db()); }

    // The stock log explains the stock (the rules of global/tests/support/StockLogRules.h).
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
};

} // namespace stock_window_tests

// Fails the test when the stock log does not explain the stock.
#define VERIFY_LOG_EXPLAINS_STOCK(fixture)                                                                              \
    do {                                                                                                               \
        QByteArray why_;                                                                                               \
        QVERIFY2((fixture).logExplainsStock(why_), why_.constData());                                                  \
    } while (false)
