#include "global/ScriptedServices.h"
#include "optimizer/Combinations.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace kadrel;

namespace {

PrlRow stockLength(uint32_t lenght, int32_t internal, int32_t external = 0, int32_t incoming = 0)
{
    PrlRow row;
    row.lenght = lenght;
    row.stockQuantity = internal;
    row.externalQuantity = external;
    row.processQuantity = incoming;
    return row;
}

using Rows = std::vector<std::tuple<uint32_t, uint32_t, uint32_t>>;

Rows rowsOf(const PrcTable& combinations)
{
    Rows rows;
    for (const PrcRow& row : combinations)
        rows.emplace_back(row.step, row.lenght, row.quantity);
    return rows;
}

} // namespace

TEST(DecToBin, WritesBinaryDigitsMostSignificantFirst)
{
    EXPECT_EQ(decToBin(0), "0");
    EXPECT_EQ(decToBin(1), "1");
    EXPECT_EQ(decToBin(5), "101");
    EXPECT_EQ(decToBin(6), "110");
    EXPECT_EQ(decToBin(0xFFFFFFFFu), std::string(32, '1'));
}

TEST(CreateLenghtsCombination, DropsSetsThatCannotHoldTheDemand)
{
    PrlTable stock;
    stock.append(stockLength(3000, 4));
    stock.append(stockLength(6000, 6, 2, 2));
    stock.append(stockLength(6500, 0, 999999));
    PrcTable combinations;
    combinations.append({42, 1, 1});
    global::ScriptedDialogs dialogs;

    EXPECT_EQ(createLenghtsCombination(stock, combinations, 1000, 70000, dialogs), Response::Completed);
    EXPECT_EQ(rowsOf(combinations), (Rows{{1, 6500, 999999},
                                          {3, 6000, 10}, {3, 6500, 999999},
                                          {5, 3000, 4}, {5, 6500, 999999},
                                          {6, 3000, 4}, {6, 6000, 10},
                                          {7, 3000, 4}, {7, 6000, 10}, {7, 6500, 999999}}));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST(CreateLenghtsCombination, LengthShorterThanEveryPieceIsUselessAndTakesNoColumn)
{
    PrlTable stock;
    stock.append(stockLength(500, 100));
    stock.append(stockLength(6000, 3));
    PrcTable combinations;
    global::ScriptedDialogs dialogs;

    EXPECT_EQ(createLenghtsCombination(stock, combinations, 800, 18000, dialogs), Response::Completed);
    EXPECT_EQ(stock[0].useless, 1);
    EXPECT_EQ(stock[1].useless, 0);
    EXPECT_EQ(rowsOf(combinations), (Rows{{1, 6000, 3}})) << "exactly the demand is enough";
}

TEST(CreateLenghtsCombination, NothingLeftIsReportedAndCancelled)
{
    PrlTable stock;
    stock.append(stockLength(6000, 3));
    stock.append(stockLength(700, 50));
    PrcTable combinations;
    global::ScriptedDialogs dialogs;

    EXPECT_EQ(createLenghtsCombination(stock, combinations, 800, 18001, dialogs), Response::Cancelled);
    EXPECT_TRUE(combinations.empty());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Brak możliwości wycięcia z długości dostępnych")});

    PrlTable none;
    dialogs.clear();
    EXPECT_EQ(createLenghtsCombination(none, combinations, 800, 1, dialogs), Response::Cancelled);
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST(CreateLenghtsCombination, NegativeStockOffersNoBars)
{
    PrlTable stock;
    stock.append(stockLength(6000, -5, 2));
    PrcTable combinations;
    global::ScriptedDialogs dialogs;

    EXPECT_EQ(createLenghtsCombination(stock, combinations, 100, 1, dialogs), Response::Cancelled);
    EXPECT_EQ(createLenghtsCombination(stock, combinations, 100, 0, dialogs), Response::Completed);
    EXPECT_EQ(rowsOf(combinations), (Rows{{1, 6000, 0}}));
}

TEST(CreateLenghtsCombination, MoreThanThirtyOneUsableLengthsAreRefused)
{
    PrlTable stock;
    for (uint32_t i = 0; i < 32; ++i)
        stock.append(stockLength(1000 + i, 1));
    PrcTable combinations;
    combinations.append({1, 1, 1});
    global::ScriptedDialogs dialogs;

    EXPECT_EQ(createLenghtsCombination(stock, combinations, 100, 1, dialogs), Response::Cancelled);
    EXPECT_TRUE(combinations.empty());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Too big table descriptor. Limit = 31")});
}
