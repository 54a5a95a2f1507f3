// The filter of the cutting-order list: its wildcards, its conditions and its form.

#include "transactions/TransactionFilter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace transactions;

namespace {

TEST(TransactionFilterTest, OnlyStarAndQuestionMarkAreWildcardsAndCaseDoesNotCount)
{
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"AL*", "al 40x40", true},
        {"AL*", "XAL 40", false},
        {"*40", "AL 40x40", true},
        {"*40", "AL 40x41", false},
        {"A?", "AL", true},
        {"A?", "A", false},
        {"A?", "ALU", false},
        {"*x*x*", "40x40x2", true},
        {"*x*x*", "40x402", false},
        {"*", "", true},
        {"?", "", false},
        {"a*b*c", "abXbYc", true},
        {"a*b*c", "abXbYcZ", false},
        {"[AL]*", "AL 40", false},   // brackets are ordinary characters
        {"[AL]*", "[al] 40", true},
        {"K.40", "KX40", false},      // so is a dot
        {"K.40", "k.40", true},
        {"ŻÓŁĆ*", "żółć 20", true},    // Polish letters without regard to case
        {"*ęś?", "Kęśl", true},
        {"**a", "ba", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wildcardMatch(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text)), c.matches)
            << c.pattern << " ~ " << c.text;
}

TEST(TransactionFilterTest, EveryConditionSetMustHoldAndAnOffFilterPassesEverything)
{
    global::StockTransRecord order;
    order.profileCode = QStringLiteral("AL 40x40");
    order.documentDescr = QStringLiteral("Fasada - etap I");
    order.operatorCreated = QStringLiteral("planista");
    order.computerCreated = QStringLiteral("BIURO-1");
    order.operatorConfirmed = QStringLiteral("brygadzista");
    order.computerConfirmed = QStringLiteral("PILA-2");
    order.dateCreated = QDate(2026, 3, 12);
    order.productionDate = QDate(2026, 3, 17);
    order.dateConfirmed = QDate(2026, 3, 18);

    TransactionFilter filter;
    filter.profileCode = QStringLiteral("ST*");
    EXPECT_TRUE(filter.accepts(order));   // off
    filter.on = true;
    EXPECT_FALSE(filter.accepts(order));
    filter.profileCode = QStringLiteral("al*   ");   // trailing blanks carry no meaning
    EXPECT_TRUE(filter.accepts(order));

    const std::vector<std::function<void(TransactionFilter&)>> failing = {
        [](TransactionFilter& f) { f.documentDescr = QStringLiteral("*etap II*"); },
        [](TransactionFilter& f) { f.operatorCreated = QStringLiteral("brygadzista"); },
        [](TransactionFilter& f) { f.computerCreated = QStringLiteral("PILA*"); },
        [](TransactionFilter& f) { f.operatorConfirmed = QStringLiteral("plan*"); },
        [](TransactionFilter& f) { f.computerConfirmed = QStringLiteral("PILA-?1"); },
        [](TransactionFilter& f) { f.dateCreated = QDate(2026, 3, 13); },
        [](TransactionFilter& f) { f.productionDate = QDate(2026, 3, 18); },
        [](TransactionFilter& f) { f.dateConfirmed = QDate(2026, 3, 17); },
    };
    for (std::size_t i = 0; i < failing.size(); ++i) {
        TransactionFilter f = filter;
        failing[i](f);
        EXPECT_FALSE(f.accepts(order)) << i;
    }
    filter.documentDescr = QStringLiteral("*ETAP I");
    filter.operatorCreated = QStringLiteral("PLANISTA");
    filter.computerConfirmed = QStringLiteral("pila-?");
    filter.dateCreated = QDate(2026, 3, 12);
    filter.productionDate = QDate(2026, 3, 17);
    filter.dateConfirmed = QDate(2026, 3, 18);
    EXPECT_TRUE(filter.accepts(order));

    // An open order has no confirmation: a confirmation condition excludes it.
    global::StockTransRecord open = order;
    open.dateConfirmed = QDate();
    EXPECT_FALSE(filter.accepts(open));
}

TEST(TransactionFilterTest, TheFormTurnsTheFilterOnOnlyWithAConditionAndCopiesBackOnlyOnSaveOrClear)
{
    TransactionFilter callers;
    {
        FilterForm form(callers);
        form.edited().profileCode = QStringLiteral("AL*");
        // closed without saving: the caller's filter as it was
    }
    EXPECT_FALSE(callers.on);
    EXPECT_TRUE(callers.profileCode.isEmpty());

    FilterForm form(callers);
    form.edited().profileCode = QStringLiteral("AL*");
    EXPECT_EQ(form.save(), 1);
    EXPECT_TRUE(callers.on);
    EXPECT_EQ(callers.profileCode, QStringLiteral("AL*"));

    FilterForm blanks(callers);
    blanks.edited().profileCode = QStringLiteral("   ");
    EXPECT_EQ(blanks.save(), 1);
    EXPECT_FALSE(callers.on);   // blanks are no condition

    FilterForm dated(callers);
    dated.edited().productionDate = QDate(2026, 3, 17);
    dated.save();
    EXPECT_TRUE(callers.on);

    FilterForm cleared(callers);
    EXPECT_EQ(cleared.clear(), 1);
    EXPECT_FALSE(callers.on);
    EXPECT_FALSE(callers.productionDate.isValid());
    EXPECT_TRUE(callers.profileCode.isEmpty());
}

} // namespace
