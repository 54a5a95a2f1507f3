#pragma once
// The rules by which the stock log explains the stock, checked over a whole database. Every test of a
// scenario that moves stock (acceptance, the length form, closing, reopening, deleting, the log
// rebuild) ends with
//
//     EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
//
// The rules: for every (profile, length), in log order, each final count equals the previous final
// count plus the change (0 before the first line); for every profile, each total in metres equals the
// previous total plus change × length / 1000; and the last line of every length equals that length's
// counts now (0/0/0 when the length no longer exists, and a length without any line must hold
// nothing).

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <map>
#include <utility>

namespace testing_support {

namespace stock_log_detail {

struct Counts {
    int64_t intStock = 0;
    int64_t extStock = 0;
    int64_t incomStock = 0;
    bool operator==(const Counts&) const = default;
};

struct Metres {
    double intStock = 0;
    double extStock = 0;
    double incomStock = 0;
};

inline QString countsText(const Counts& c)
{
    return QStringLiteral("%1/%2/%3").arg(c.intStock).arg(c.extStock).arg(c.incomStock);
}

inline bool near(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b));
}

} // namespace stock_log_detail

inline ::testing::AssertionResult stockLogExplainsStock(global::Database& db)
{
    using namespace stock_log_detail;
    using global::Table;
    QStringList problems;

    Table<global::StockChangeRecord> logTable(db);
    const QList<global::StockChangeRecord> log = logTable.rows(Table<global::StockChangeRecord>::Auto);
    if (logTable.errorCode() != 0)
        return ::testing::AssertionFailure() << "cannot read STOCK_CHANGE: " << logTable.errorText().toStdString();
    Table<global::ProfileLengthRecord> lengthTable(db);
    const QList<global::ProfileLengthRecord> lengths = lengthTable.rows(Table<global::ProfileLengthRecord>::Auto);
    if (lengthTable.errorCode() != 0)
        return ::testing::AssertionFailure() << "cannot read PROFILES_LENGHTS: " << lengthTable.errorText().toStdString();

    std::map<std::pair<uint32_t, uint32_t>, Counts> lastOfLength;
    std::map<uint32_t, Metres> lastOfProfile;
    for (const global::StockChangeRecord& line : log) {
        const std::pair<uint32_t, uint32_t> key{line.profileId, line.lenght};
        const Counts before = lastOfLength[key];
        const Counts expected{before.intStock + line.changeIntStock, before.extStock + line.changeExtStock,
                              before.incomStock + line.changeIncomStock};
        const Counts stated{line.finalIntStock, line.finalExtStock, line.finnalIncStock};
        if (!(stated == expected))
            problems << QStringLiteral("line %1 (profile %2, length %3): final %4, expected %5")
                            .arg(line.id).arg(line.profileId).arg(line.lenght)
                            .arg(countsText(stated), countsText(expected));
        lastOfLength[key] = stated;

        Metres& profile = lastOfProfile[line.profileId];
        const double factor = double(line.lenght) / 1000.0;
        const Metres expectedMetres{profile.intStock + line.changeIntStock * factor,
                                    profile.extStock + line.changeExtStock * factor,
                                    profile.incomStock + line.changeIncomStock * factor};
        if (!near(line.profileIntStock, expectedMetres.intStock) || !near(line.profileExtStock, expectedMetres.extStock)
            || !near(line.profileIncStock, expectedMetres.incomStock))
            problems << QStringLiteral("line %1 (profile %2): profile metres %3/%4/%5, expected %6/%7/%8")
                            .arg(line.id).arg(line.profileId)
                            .arg(line.profileIntStock).arg(line.profileExtStock).arg(line.profileIncStock)
                            .arg(expectedMetres.intStock).arg(expectedMetres.extStock).arg(expectedMetres.incomStock);
        profile = Metres{line.profileIntStock, line.profileExtStock, line.profileIncStock};
    }

    std::map<std::pair<uint32_t, uint32_t>, Counts> stockNow;
    for (const global::ProfileLengthRecord& length : lengths)
        stockNow[{length.profileId, length.lenght}] = Counts{length.intStock, length.extStock, length.incomStock};
    for (const auto& [key, now] : stockNow) {
        const auto line = lastOfLength.find(key);
        const Counts logged = line == lastOfLength.end() ? Counts{} : line->second;
        if (!(logged == now))
            problems << QStringLiteral("profile %1, length %2: stock %3, last log line %4")
                            .arg(key.first).arg(key.second).arg(countsText(now), countsText(logged));
    }
    for (const auto& [key, logged] : lastOfLength)
        if (!stockNow.contains(key) && !(logged == Counts{}))
            problems << QStringLiteral("profile %1, length %2 no longer exists but its last log line holds %3")
                            .arg(key.first).arg(key.second).arg(countsText(logged));

    if (problems.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the stock log does not explain the stock:\n  "
                                         << problems.join(QStringLiteral("\n  ")).toStdString();
}

} // namespace testing_support
