#pragma once
// A profile with 2,000 approved pieces of four orders and enough stock of two lengths: the size
// of a large cutting order, for the process tests and the benchmarks of acceptance and cut lists.

#include "optimizer/tests/support/StockScenario.h"

namespace testing_support {

struct LargeSolutionProfile {
    uint32_t profile = 0;
    uint32_t pieces = 0;
};

inline LargeSolutionProfile addLargeSolutionProfile(global::Database& db, const QString& code = QStringLiteral("BIG 2000"))
{
    StockScenario scenario(db);
    LargeSolutionProfile large;
    large.profile = scenario.profile(code, 500, 1.5, QStringLiteral("mm"), QStringLiteral("Profil do dużych zleceń"));
    scenario.length(large.profile, 6000, 2000);
    scenario.length(large.profile, 6500, 2000);
    static const uint32_t lengths[] = {2450, 1830, 960, 1200, 700};
    for (int o = 1; o <= 4; ++o) {
        const uint32_t order = scenario.order(QStringLiteral("%1/ZL/%2").arg(code, QString::number(o)), 1,
                                              QStringLiteral("Klient %1").arg(o));
        for (int k = 0; k < 5; ++k) {
            scenario.cut(order, large.profile, lengths[k] + uint32_t(o) * 10, 100, QStringLiteral("C%1-%2").arg(o).arg(k),
                         QStringLiteral("Element %1").arg(k + 1));
            large.pieces += 100;
        }
    }
    return large;
}

} // namespace testing_support
