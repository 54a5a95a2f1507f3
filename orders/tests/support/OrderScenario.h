#pragma once
// A database with orders, positions, pieces, profiles and cutting orders added in a line each, the
// scripted services the order procedures talk through, and the check that a procedure writes all
// or nothing whichever of its writes fails.

#include "global/Records.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace testing_support {

class OrderScenario : public DatabaseFixture {
protected:
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    global::Services services{dialogs, clipboard, clock, identity};

    template <class R>
    uint32_t add(R record)
    {
        global::Table<R> table(db);
        EXPECT_EQ(table.addWithNewIdentifier(record), 0) << table.errorText().toStdString();
        return global::toStoredValues(record).value(global::TableDef<R>::schema().identifierColumn).toUInt();
    }

    template <class R>
    R fetch(uint32_t id)
    {
        global::Table<R> table(db);
        R record;
        global::setIdentifier(record, id);
        EXPECT_EQ(table.fetch(typename global::Table<R>::Key(0), record), 0) << "no record " << id;
        return record;
    }

    template <class R>
    QList<R> all()
    {
        return global::Table<R>(db).rows(typename global::Table<R>::Key(0));
    }

    uint32_t profile(const QString& code, const QString& descr = {})
    {
        global::ProfileRecord p;
        p.profileCode = code;
        p.descr = descr;
        p.uom = QStringLiteral("mm");
        return add(p);
    }

    uint32_t order(const QString& number, uint16_t status = 0)
    {
        global::OrderRecord o;
        o.number = number;
        o.status = status;
        return add(o);
    }

    uint32_t position(uint32_t order, uint32_t profile, uint16_t block = 0)
    {
        global::OrderProfileRecord p;
        p.orderId = order;
        p.profileId = profile;
        p.profileCode = fetch<global::ProfileRecord>(profile).profileCode;
        p.block = block;
        return add(p);
    }

    uint32_t piece(uint32_t position, uint32_t lenght, uint32_t pcs, uint16_t status = 0)
    {
        const auto p = fetch<global::OrderProfileRecord>(position);
        global::CutRecord c;
        c.orderId = p.orderId;
        c.orderProfileId = position;
        c.profileId = p.profileId;
        c.lenght = lenght;
        c.pcs = pcs;
        c.status = status;
        return add(c);
    }

    void exclude(uint32_t order, uint32_t profile, uint32_t lengthId)
    {
        global::Table<global::OrderProfileBlockedLengthRecord> table(db);
        ASSERT_EQ(table.add(global::OrderProfileBlockedLengthRecord{order, profile, lengthId}), 0);
    }

    // A cutting order holding the given pieces (each on one bar of 6000).
    uint32_t cuttingOrder(const QString& profileCode, const QList<uint32_t>& pieces, uint16_t status = 0)
    {
        global::StockTransRecord t;
        t.profileCode = profileCode;
        t.status = status;
        const uint32_t id = add(t);
        for (const uint32_t pieceId : pieces) {
            const auto cut = fetch<global::CutRecord>(pieceId);
            global::StockTransItemRecord bar;
            bar.idTrans = id;
            bar.profileLenght = 6000;
            const uint32_t barId = add(bar);
            global::StockTransSubitemRecord s;
            s.idTransitem = barId;
            s.idTrans = id;
            s.cutlenght = cut.lenght;
            s.cutlenghtId = pieceId;
            s.orderId = cut.orderId;
            add(s);
        }
        return id;
    }

    QList<uint16_t> pieceStatuses()
    {
        QList<uint16_t> out;
        for (const global::CutRecord& c : all<global::CutRecord>())
            out << c.status;
        return out;
    }

    // Runs the procedure with its n-th table write failing, for n = 1, 2, ... until it writes
    // everything; every failing run must leave every table as it was and say that nothing was
    // saved. The number of writes of the successful run.
    int failEachWriteInTurn(const std::function<bool()>& run)
    {
        const std::string before = databaseSnapshot(db);
        int failing = 1;
        for (;; ++failing) {
            dialogs.clear();
            global::write_faults::failNthWrite(failing);
            const bool done = run();
            global::write_faults::failNthWrite(0);
            if (done)
                break;
            EXPECT_FALSE(dialogs.shown().isEmpty()) << "write " << failing << " failed silently";
            if (!dialogs.shown().isEmpty()) {
                EXPECT_TRUE(dialogs.shown().last().text.contains(QStringLiteral("Nic nie zostało zapisane")))
                    << dialogs.shown().last().text.toStdString();
            }
            EXPECT_EQ(databaseSnapshot(db), before) << "write " << failing << " left a trace";
            if (failing > 500 || ::testing::Test::HasFailure())
                return -1;
        }
        return failing - 1;
    }
};

} // namespace testing_support
