// Demand and stock preparation, each case run against every source of records.
#include "optimizer/tests/support/PreparationScenario.h"

#include "global/ScriptedServices.h"

#include <gtest/gtest.h>

using namespace kadrel;
using kadrel::fixture::Scenario;
using kadrel::fixture::Source;

namespace {

constexpr uint32_t Profile = 7;
constexpr uint32_t OtherProfile = 8;

class PreparationTest : public ::testing::TestWithParam<Source> {
protected:
    Scenario s;
    global::ScriptedDialogs dialogs;
    std::unique_ptr<OptimizerInput> input;

    SPrtTable pieces;
    PrtTable lengths;
    CutsDemand totals;
    PrlTable stock;
    uint32_t remnant = 12345;

    void SetUp() override
    {
        s.profile(Profile, 800);
        s.profile(OtherProfile, 500);
        s.position(50, 1, Profile);
        s.position(51, 1, OtherProfile);
        s.position(60, 2, Profile);
    }

    Response cutsFor(uint32_t orderProfile, uint8_t status = 0)
    {
        input = fixture::makeInput(GetParam(), s, Profile);
        return createCuts(*input, dialogs, Profile, orderProfile, pieces, lengths, totals, status);
    }

    Response lenghtsFor(std::vector<uint32_t> picked = {}, std::vector<uint32_t> filter = {})
    {
        input = fixture::makeInput(GetParam(), s, Profile);
        SLenTable selected;
        for (auto id : picked)
            selected.append(SLenRow{id});
        LengthTable lengthFilter;
        for (auto l : filter)
            lengthFilter.append(LengthRow{l});
        return createLenghts(*input, dialogs, Profile, selected, stock, remnant, lengthFilter);
    }

    std::vector<std::pair<uint32_t, uint32_t>> demandRows() const
    {
        std::vector<std::pair<uint32_t, uint32_t>> rows;
        for (const auto& r : lengths)
            rows.emplace_back(r.lenght, r.pcs);
        return rows;
    }

    std::vector<uint32_t> pieceIds() const
    {
        std::vector<uint32_t> ids;
        for (const auto& p : pieces)
            ids.push_back(p.dbId);
        return ids;
    }

    std::vector<uint32_t> stockIds() const
    {
        std::vector<uint32_t> ids;
        for (const auto& r : stock)
            ids.push_back(r.dbId);
        return ids;
    }
};

using Rows = std::vector<std::pair<uint32_t, uint32_t>>;
using Ids = std::vector<uint32_t>;

// ---- demand ------------------------------------------------------------------------------------

TEST_P(PreparationTest, NoDemandLeavesEmptyTablesAndTheLargestShortestPiece)
{
    s.cut(1, 50, 1, 2000, 4).block = 1;   // blocked
    s.cut(2, 50, 0, 2000, 4);             // new, but approved ones are asked for
    lengths.append(PrtRow{1, 999, 9, 0, 0});

    EXPECT_EQ(cutsFor(0, 0), Response::Completed);
    EXPECT_TRUE(lengths.empty());
    EXPECT_TRUE(pieces.empty());
    EXPECT_EQ(totals.totalLenght, 0);
    EXPECT_EQ(totals.totalCuts, 0u);
    EXPECT_EQ(totals.minCut, 0xFFFFFFFFu);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_P(PreparationTest, EqualLengthsShareOneDemandRowButKeepTheirPieceRows)
{
    s.cut(3, 50, 1, 3000, 2);
    s.cut(1, 60, 1, 3000, 5);
    s.cut(2, 50, 1, 1200, 1);

    ASSERT_EQ(cutsFor(0, 1), Response::Completed);
    EXPECT_EQ(demandRows(), (Rows{{3000, 7}, {1200, 1}}));
    EXPECT_EQ(lengths[0].id, 1u);
    EXPECT_EQ(lengths[1].id, 2u);
    EXPECT_EQ(pieceIds(), (Ids{1, 3, 2}));   // longest first, then by identifier
    EXPECT_EQ(totals.totalLenght, 7 * 3000 + 1200);
    EXPECT_EQ(totals.totalCuts, 8u);
    EXPECT_EQ(totals.minCut, 1200u);
}

TEST_P(PreparationTest, SectionedPieceDemandsBothSections)
{
    auto& c = s.cut(1, 50, 1, 4000, 3);
    c.lenght1 = 2500;
    c.lenght2 = 1500;
    s.cut(2, 50, 1, 1500, 2);

    ASSERT_EQ(cutsFor(0, 1), Response::Completed);
    EXPECT_EQ(demandRows(), (Rows{{2500, 3}, {1500, 5}}));
    EXPECT_EQ(totals.totalLenght, 3 * 2500 + 3 * 1500 + 2 * 1500);
    EXPECT_EQ(totals.totalCuts, 8u);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].lenght1, 2500u);
    EXPECT_EQ(pieces[0].lenght2, 1500u);
    EXPECT_EQ(pieces[0].pcs, 3u);
    EXPECT_EQ(pieces[1].lenght2, 0u);
}

TEST_P(PreparationTest, SwitchedOffSectionsAreCutWholeAndFlaggedForThePosition)
{
    auto& c = s.cut(1, 50, 1, 4000, 2);
    c.lenght1 = 2500;
    c.lenght2 = 1500;
    c.switchOffSection = 256;   // switched off, though its low byte is 0

    ASSERT_EQ(cutsFor(50), Response::Completed);
    EXPECT_EQ(demandRows(), (Rows{{4000, 2}}));
    EXPECT_EQ(pieces[0].lenght1, 4000u);
    EXPECT_EQ(pieces[0].lenght2, 0u);
    EXPECT_EQ(pieces[0].sectionOff, 1);
    EXPECT_EQ(lengths[0].sectionOff, 1);

    // Over all orders the flag is not kept.
    pieces.clear();
    ASSERT_EQ(cutsFor(0, 1), Response::Completed);
    EXPECT_EQ(demandRows(), (Rows{{4000, 2}}));
    EXPECT_EQ(pieces[0].sectionOff, 0);
    EXPECT_EQ(lengths[0].sectionOff, 0);
}

TEST_P(PreparationTest, ALengthFoundAgainKeepsTheFlagOfItsFirstPiece)
{
    auto& sectioned = s.cut(1, 50, 1, 2600, 1);   // read first (longest): 2000 + 600, flag 0
    sectioned.lenght1 = 2000;
    sectioned.lenght2 = 600;
    s.cut(2, 50, 1, 2000, 1).switchOffSection = 1;   // whole 2000, flag 1, joins the 2000 row

    ASSERT_EQ(cutsFor(50), Response::Completed);
    EXPECT_EQ(demandRows(), (Rows{{2000, 2}, {600, 1}}));
    EXPECT_EQ(lengths[0].sectionOff, 0);
    EXPECT_EQ(pieces[1].sectionOff, 1);
}

TEST_P(PreparationTest, OnePositionTakesItsNewAndApprovedUnblockedPiecesOnly)
{
    s.cut(1, 50, 0, 1000, 1);
    s.cut(2, 50, 1, 1100, 1);
    s.cut(3, 50, 2, 1200, 1);
    s.cut(4, 50, 3, 1300, 1);
    s.cut(5, 50, 4, 1400, 1);
    s.cut(6, 50, 1, 1500, 1).block = 1;
    s.cut(7, 60, 1, 1600, 1);   // the same profile in another order

    ASSERT_EQ(cutsFor(50), Response::Completed);
    EXPECT_EQ(pieceIds(), (Ids{2, 1}));
    EXPECT_EQ(totals.totalLenght, 2100);
}

TEST_P(PreparationTest, PositionOfAnotherProfileGivesNoDemand)
{
    if (GetParam() == Source::ProblemFile)
        GTEST_SKIP() << "a problem file holds the pieces of its own profile only";
    s.cut(1, 51, 1, 1000, 1);   // position 51 is of the other profile
    ASSERT_EQ(cutsFor(51), Response::Completed);
    EXPECT_TRUE(pieces.empty());
    EXPECT_TRUE(lengths.empty());
}

TEST_P(PreparationTest, AllOrdersTakeNewPiecesForStatusTwoAndApprovedOnesOtherwise)
{
    s.cut(1, 50, 0, 1000, 1);
    s.cut(2, 60, 0, 1100, 1);
    s.cut(3, 50, 1, 1200, 1);
    s.cut(4, 60, 2, 1300, 1);
    s.cut(5, 51, 1, 1400, 1);   // another profile

    ASSERT_EQ(cutsFor(0, 2), Response::Completed);
    EXPECT_EQ(pieceIds(), (Ids{2, 1}));
    for (uint8_t status : {0, 1, 3, 255}) {
        pieces.clear();
        ASSERT_EQ(cutsFor(0, status), Response::Completed);
        EXPECT_EQ(pieceIds(), (Ids{3})) << "status " << int(status);
    }
}

TEST_P(PreparationTest, PiecesAreAppendedToWhatTheCallerHolds)
{
    s.cut(1, 50, 1, 1000, 1);
    pieces.append(SPrtRow{99, 1, 0, 1, 0, 0, 0});
    ASSERT_EQ(cutsFor(0, 1), Response::Completed);
    EXPECT_EQ(pieceIds(), (Ids{99, 1}));
}

TEST_P(PreparationTest, MissingPositionIsReportedAndCancels)
{
    s.cut(1, 50, 1, 1000, 1);
    lengths.append(PrtRow{1, 999, 9, 0, 0});
    EXPECT_EQ(cutsFor(77), Response::Cancelled);
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Błąd odwołania do rekordu profila w zamówieniu. Error = 35. Profil numer 77")});
    EXPECT_TRUE(lengths.empty());
    EXPECT_TRUE(pieces.empty());
}

// ---- stock -------------------------------------------------------------------------------------

TEST_P(PreparationTest, StockOffersActiveUnblockedLengthsWithBarsShortestFirst)
{
    s.length(11, Profile, 6000, 5);
    s.length(12, Profile, 12000, 0, 2);
    s.length(13, Profile, 6500, 0, 0, 3);
    s.length(14, Profile, 3000, 0);                      // nothing in stock
    s.length(15, Profile, 4000, -4, 2, 1);               // sum below zero
    s.length(16, Profile, 5000, 2).status = 1;           // hidden
    s.length(17, Profile, 5500, 2).blockSelection = 1;   // excluded from optimization
    s.length(18, OtherProfile, 6200, 9);
    auto& unlimited = s.length(19, Profile, 2000, 0, 7);
    unlimited.unlimitedStock = 1;

    ASSERT_EQ(lenghtsFor(), Response::Completed);
    EXPECT_EQ(stockIds(), (Ids{19, 11, 13, 12}));
    EXPECT_EQ(remnant, 800u);
    for (std::size_t i = 0; i < stock.size(); ++i) {
        EXPECT_EQ(stock[i].id, i + 1);
        EXPECT_EQ(stock[i].remanant, 800u);
    }
    EXPECT_EQ(stock[0].externalQuantity, 999999);
    EXPECT_EQ(stock[2].processQuantity, 3);
    EXPECT_EQ(stock[3].externalQuantity, 2);
}

TEST_P(PreparationTest, UnlimitedLengthIsOfferedWhateverItsCounts)
{
    auto& l = s.length(11, Profile, 6000, -3, 0, -2);
    l.unlimitedStock = 1;
    ASSERT_EQ(lenghtsFor(), Response::Completed);
    ASSERT_EQ(stock.size(), 1u);
    EXPECT_EQ(stock[0].externalQuantity, 999999);
    EXPECT_EQ(stock[0].stockQuantity, -3);
}

TEST_P(PreparationTest, SelectionTakesPickedLengthsOfTheProfileEvenWhenHidden)
{
    s.length(11, Profile, 6000, 5);
    s.length(12, Profile, 12000, 5).status = 1;          // hidden, but picked
    s.length(13, Profile, 6500, 5).blockSelection = 1;   // picked, but excluded
    s.length(14, OtherProfile, 7000, 5);                 // picked, but another profile
    s.length(15, Profile, 4000, 5);                      // not picked

    ASSERT_EQ(lenghtsFor({12, 13, 14, 999, 11}), Response::Completed);
    EXPECT_EQ(stockIds(), (Ids{11, 12}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_P(PreparationTest, LengthPickedTwiceIsOfferedOnce)
{
    s.length(11, Profile, 6000, 5);
    ASSERT_EQ(lenghtsFor({11, 11}), Response::Completed);
    EXPECT_EQ(stockIds(), (Ids{11}));
}

TEST_P(PreparationTest, LengthFilterOverridesSelection)
{
    s.length(11, Profile, 6000, 5);
    s.length(12, Profile, 12000, 5);
    s.length(13, Profile, 6500, 5);

    ASSERT_EQ(lenghtsFor({11, 12}, {12000, 6500}), Response::Completed);
    EXPECT_EQ(stockIds(), (Ids{12}));
    ASSERT_EQ(lenghtsFor({}, {6500, 6000, 1}), Response::Completed);
    EXPECT_EQ(stockIds(), (Ids{11, 13}));
}

TEST_P(PreparationTest, MissingProfileGivesNoRemnantLengthAndNoMessage)
{
    if (GetParam() == Source::ProblemFile)
        GTEST_SKIP() << "a problem file always holds its profile";
    s.length(11, 99, 6000, 5);
    input = fixture::makeInput(GetParam(), s, 99);
    const SLenTable none;
    const LengthTable noFilter;
    stock.append(PrlRow{});
    ASSERT_EQ(createLenghts(*input, dialogs, 99, none, stock, remnant, noFilter), Response::Completed);
    EXPECT_EQ(remnant, 0u);
    EXPECT_EQ(stockIds(), (Ids{11}));
    EXPECT_EQ(stock[0].remanant, 0u);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// ---- run limits --------------------------------------------------------------------------------

TEST_P(PreparationTest, DemandsBeyondTheRunLimitsAreRefusedNamingTheLimit)
{
    // At the limit: taken.
    s.cut(1, 50, 1, 3000, 19999);
    s.cut(2, 50, 1, 2000, 1);
    ASSERT_EQ(cutsFor(0, 1), Response::Completed);
    EXPECT_EQ(totals.totalCuts, 20000u);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    const auto refusedWith = [&](const QString& message) {
        pieces.clear();
        pieces.append(SPrtRow{77, 1, 0, 1, 0, 0, 0});
        dialogs.clear();
        EXPECT_EQ(cutsFor(0, 1), Response::Cancelled);
        EXPECT_EQ(dialogs.messages(), QStringList{message});
        EXPECT_TRUE(lengths.empty());
        EXPECT_EQ(pieces.size(), 1u);   // what the caller held stays
        EXPECT_EQ(totals.totalCuts, 0u);
        EXPECT_EQ(totals.minCut, 0u);
    };

    // One piece more.
    s.cut(3, 50, 1, 1000, 1);
    refusedWith(QStringLiteral("Zbyt wiele elementów do optymalizacji: 20001 szt. Limit jednego obliczenia to 20000 szt."));

    // A piece of two sections counts twice.
    s.cuts.clear();
    auto& joined = s.cut(4, 50, 1, 4000, 10001);
    joined.lenght1 = 2500;
    joined.lenght2 = 1500;
    refusedWith(QStringLiteral("Zbyt wiele elementów do optymalizacji: 20002 szt. Limit jednego obliczenia to 20000 szt."));

    // 201 distinct lengths.
    s.cuts.clear();
    for (uint32_t i = 0; i < 201; ++i)
        s.cut(100 + i, 50, 1, 1000 + i, 1);
    refusedWith(QStringLiteral("Zbyt wiele różnych długości elementów: 201. Limit jednego obliczenia to 200 długości."));

    // 10,000 pieces of 200 lengths are taken; one piece more is too many for so many lengths.
    s.cuts.clear();
    for (uint32_t i = 0; i < 200; ++i)
        s.cut(100 + i, 50, 1, 1000 + i, 50);
    dialogs.clear();
    ASSERT_EQ(cutsFor(0, 1), Response::Completed);
    EXPECT_EQ(totals.totalCuts, 10000u);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    s.cuts.back().pcs = 51;
    refusedWith(QStringLiteral("Zbyt duże zadanie: 10001 szt. elementów o 200 różnych długościach. Limit jednego "
                               "obliczenia to 2000000 dla liczby elementów razy liczba długości (np. 20000 szt. o 100 "
                               "długościach)."));

    // 466 pieces of the longest length sum up past 10^12.
    s.cuts.clear();
    s.cut(5, 50, 1, 2147483647, 466);
    refusedWith(QStringLiteral("Zbyt duża łączna długość elementów: 1000727379502. Limit jednego obliczenia to "
                               "1000000000000."));
}

TEST_P(PreparationTest, CountsThatWouldWrapRoundAreRefusedNotSummed)
{
    if (GetParam() == Source::ProblemFile)
        GTEST_SKIP() << "a problem file refuses such a count itself";
    // 4294967295 + 2 pieces made a demand of 1 piece in 32 bits.
    s.cut(1, 50, 1, 3000, 4294967295u);
    s.cut(2, 50, 1, 3000, 2);
    EXPECT_EQ(cutsFor(0, 1), Response::Cancelled);
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Zbyt wiele elementów do optymalizacji: 4294967297 szt. Limit jednego "
                                         "obliczenia to 20000 szt.")});
    EXPECT_TRUE(lengths.empty());
}

INSTANTIATE_TEST_SUITE_P(EverySource, PreparationTest, ::testing::ValuesIn(fixture::allSources()),
                         [](const auto& info) { return std::string(fixture::sourceName(info.param)); });

// ---- what only an in-memory record set can hold ------------------------------------------------

TEST(PreparationOrder, EqualStockLengthsKeepTheirArrivalOrder)
{
    RecordSetInput input;
    global::ScriptedDialogs dialogs;
    for (uint32_t id : {21, 22, 23}) {
        global::ProfileLengthRecord l;
        l.id = id;
        l.profileId = 1;
        l.lenght = id == 22 ? 5000 : 6000;
        l.intStock = 1;
        input.lengths.push_back(l);
    }
    SLenTable picked;
    for (uint32_t id : {23, 22, 21})
        picked.append(SLenRow{id});
    PrlTable stock;
    uint32_t remnant = 0;
    ASSERT_EQ(createLenghts(input, dialogs, 1, picked, stock, remnant, LengthTable{}), Response::Completed);
    ASSERT_EQ(stock.size(), 3u);
    EXPECT_EQ(stock[0].dbId, 22u);
    EXPECT_EQ(stock[1].dbId, 23u);
    EXPECT_EQ(stock[2].dbId, 21u);
}

// ---- failing reads -----------------------------------------------------------------------------

class FailingInput : public RecordSetInput {
public:
    int failWith = 5;
    bool failFetch = false;
    int cutsOfProfileStatus(uint32_t, uint16_t, std::vector<global::CutRecord>&) override { return failWith; }
    int cutsOfOrderProfile(uint32_t, uint32_t, std::vector<global::CutRecord>&) override { return failWith; }
    int activeLengths(uint32_t, std::vector<global::ProfileLengthRecord>&) override { return failWith; }
    int fetchOrderProfile(uint32_t id, global::OrderProfileRecord& out) override
    {
        return failFetch ? failWith : RecordSetInput::fetchOrderProfile(id, out);
    }
    int fetchLength(uint32_t, global::ProfileLengthRecord&) override { return failWith; }
};

TEST(PreparationFailure, FailingReadsAreShownAndCancel)
{
    FailingInput input;
    input.orderProfiles.push_back(global::OrderProfileRecord{50, 1, 0, 7, {}, 0});
    global::ScriptedDialogs dialogs;
    SPrtTable pieces;
    PrtTable lengths;
    CutsDemand totals;

    EXPECT_EQ(createCuts(input, dialogs, 7, 0, pieces, lengths, totals, 1), Response::Cancelled);
    EXPECT_EQ(createCuts(input, dialogs, 7, 50, pieces, lengths, totals, 1), Response::Cancelled);
    input.failFetch = true;
    EXPECT_EQ(createCuts(input, dialogs, 7, 50, pieces, lengths, totals, 1), Response::Cancelled);

    PrlTable stock;
    uint32_t remnant = 0;
    EXPECT_EQ(createLenghts(input, dialogs, 7, SLenTable{}, stock, remnant, LengthTable{}), Response::Cancelled);
    SLenTable picked;
    picked.append(SLenRow{3});
    EXPECT_EQ(createLenghts(input, dialogs, 7, picked, stock, remnant, LengthTable{}), Response::Cancelled);

    EXPECT_EQ(dialogs.messages(),
              (QStringList{"System Error after NEXT for CUTS table. ErrorCode = 5",
                           "System Error after NEXT for CUTS table. ErrorCode = 5",
                           "System Error after get for Orders_Profiles table. Error = 5",
                           "System Error selecting profile lenghts. After Next error = 5",
                           "System Error selecting profile lenghts. After Next error = 5"}));
}

} // namespace
