#pragma once
// Records for the scenarios of acceptance, cut lists and joints: profiles, stock lengths, orders and
// pieces added in a line each, and the bars and pieces of a solution as the optimizer window hands
// them over.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"
#include "optimizer/WorkTables.h"

#include <gtest/gtest.h>

#include <functional>

namespace testing_support {

class StockScenario {
public:
    explicit StockScenario(global::Database& db) : db_(db) {}

    uint32_t profile(const QString& code, uint32_t remnantLenght, double weight = 1.0,
                     const QString& uom = QStringLiteral("mm"), const QString& descr = {})
    {
        global::ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnantLenght;
        p.weight = weight;
        p.uom = uom;
        p.descr = descr;
        return add(p);
    }

    uint32_t length(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t typical = 1, uint32_t extStock = 0)
    {
        global::ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.typicalLength = typical;
        return add(l);
    }

    uint32_t order(const QString& number, uint16_t status = 1, const QString& customer = {},
                   const QString& project = {}, const QString& etap = {})
    {
        global::OrderRecord o;
        o.number = number;
        o.status = status;
        o.customer = customer;
        o.project = project;
        o.etap = etap;
        return add(o);
    }

    // A piece record of an order; lenght1 > 0 makes it a piece joined from two sections.
    uint32_t cut(uint32_t order, uint32_t profile, uint32_t lenght, uint32_t pcs, const QString& code = {},
                 const QString& description1 = {}, uint32_t lenght1 = 0, uint16_t status = 1)
    {
        const uint32_t position = positionOf(order, profile);
        global::CutRecord c;
        c.orderId = order;
        c.orderProfileId = position;
        c.profileId = profile;
        c.status = status;
        c.code = code;
        c.description1 = description1;
        c.lenght = lenght;
        c.pcs = pcs;
        if (lenght1 > 0) {
            c.lenght1 = lenght1;
            c.lenght2 = lenght - lenght1;
            c.sectionPerc = 100.0 * lenght1 / lenght;
        }
        return add(c);
    }

    template <class R>
    R fetch(uint32_t id)
    {
        global::Table<R> table(db_);
        R r;
        r.id = id;
        EXPECT_EQ(table.fetch(global::Table<R>::Auto, r), 0) << table.tableName().toStdString() << " " << id;
        return r;
    }

    template <class R>
    QList<R> all()
    {
        return global::Table<R>(db_).rows(global::Table<R>::Auto);
    }

    template <class R>
    void change(uint32_t id, const std::function<void(R&)>& edit)
    {
        global::Table<R> table(db_);
        R r;
        r.id = id;
        ASSERT_EQ(table.fetch(global::Table<R>::Auto, r), 0);
        edit(r);
        ASSERT_EQ(table.update(r), 0);
    }

private:
    template <class R>
    uint32_t add(R& record)
    {
        global::Table<R> table(db_);
        EXPECT_EQ(table.addWithNewIdentifier(record), 0) << table.errorText().toStdString();
        return record.id;
    }

    uint32_t positionOf(uint32_t order, uint32_t profile)
    {
        global::Table<global::OrderProfileRecord> positions(db_);
        global::OrderProfileRecord p;
        p.orderId = order;
        p.profileId = profile;
        if (positions.fetch(global::Table<global::OrderProfileRecord>::ByOrder, p) == 0)
            return p.id;
        p = global::OrderProfileRecord{};
        p.orderId = order;
        p.profileId = profile;
        return add(p);
    }

    global::Database& db_;
};

// The bars and pieces of a solution, in the order the optimizer lists them.
struct SolutionBuilder {
    kadrel::SolutionItemTable bars;
    kadrel::SolutionSubitemTable pieces;

    // A bar numbered id of the stock length lengthId; pieces are (cut record, length cut).
    SolutionBuilder& bar(uint32_t id, uint32_t lengthId, uint32_t lenght, uint32_t scrap,
                         std::initializer_list<std::pair<uint32_t, uint32_t>> cuts)
    {
        kadrel::SolutionItemRow row;
        row.id = id;
        row.lenghtDbId = lengthId;
        row.lenght = lenght;
        row.scrap = scrap;
        for (const auto& [cutId, cutLenght] : cuts) {
            kadrel::SolutionSubitemRow piece;
            piece.itemId = id;
            piece.cutlenghtId = cutId;
            piece.cutlenght = cutLenght;
            pieces.append(piece);
            row.totalCutsLenght += cutLenght;
        }
        bars.append(row);
        return *this;
    }
};

} // namespace testing_support
