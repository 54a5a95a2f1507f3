#pragma once
// The database of the acceptance and cut-list benchmarks: one profile with 2,000 approved pieces
// of four orders (20 piece lengths) and two stock lengths with enough bars.

#include "global/Database.h"
#include "global/Table.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

inline void check(int code, const QString& text)
{
    if (code != 0) {
        std::fprintf(stderr, "%s (error %d)\n", qPrintable(text), code);
        std::abort();
    }
}

// Fills an open, empty database; returns the profile's identifier.
inline uint32_t fillLargeOrder(global::Database& db)
{
    global::Transaction transaction(db, 3000);
    global::Table<global::ProfileRecord> profiles(db);
    global::ProfileRecord profile;
    profile.profileCode = QStringLiteral("BIG 2000");
    profile.descr = QStringLiteral("Profil do dużych zleceń");
    profile.remnantLenght = 500;
    profile.weight = 1.5;
    profile.uom = QStringLiteral("mm");
    check(profiles.addWithNewIdentifier(profile), profiles.errorText());
    global::Table<global::ProfileLengthRecord> lengths(db);
    for (uint32_t l : {6000u, 6500u}) {
        global::ProfileLengthRecord length;
        length.profileId = profile.id;
        length.lenght = l;
        length.intStock = 2000;
        length.typicalLength = 1;
        check(lengths.addWithNewIdentifier(length), lengths.errorText());
    }
    global::Table<global::OrderRecord> orders(db);
    global::Table<global::OrderProfileRecord> positions(db);
    global::Table<global::CutRecord> cuts(db);
    static const uint32_t pieceLengths[] = {2450, 1830, 960, 1200, 700};
    for (int o = 1; o <= 4; ++o) {
        global::OrderRecord order;
        order.number = QStringLiteral("ZL/2026/%1").arg(o);
        order.status = 1;
        order.customer = QStringLiteral("Klient %1").arg(o);
        check(orders.addWithNewIdentifier(order), orders.errorText());
        global::OrderProfileRecord position;
        position.orderId = order.id;
        position.profileId = profile.id;
        position.profileCode = profile.profileCode;
        check(positions.addWithNewIdentifier(position), positions.errorText());
        for (int k = 0; k < 5; ++k) {
            global::CutRecord cut;
            cut.orderId = order.id;
            cut.orderProfileId = position.id;
            cut.profileId = profile.id;
            cut.status = 1;
            cut.code = QStringLiteral("C%1-%2").arg(o).arg(k);
            cut.description1 = QStringLiteral("Element %1").arg(k + 1);
            cut.lenght = pieceLengths[k] + uint32_t(o) * 10;
            cut.pcs = 100;
            check(cuts.addWithNewIdentifier(cut), cuts.errorText());
        }
    }
    check(transaction.commit(), db.lastErrorText());
    return profile.id;
}

} // namespace bench
