#include "optimizer/PatternSearch.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace kadrel;

namespace {

using Pattern = std::vector<std::pair<uint32_t, uint32_t>>;   // (running number, length)

PrsTable demandOf(const std::vector<std::pair<uint32_t, uint32_t>>& lengthsAndCounts)
{
    PrsTable demand;
    uint32_t id = 1;
    for (const auto& [lenght, pcs] : lengthsAndCounts)
        demand.append({id++, lenght, pcs});
    return demand;
}

Pattern patternOf(const CsTable& selection)
{
    Pattern pattern;
    for (const CsRow& row : selection)
        pattern.emplace_back(row.id, row.lenght);
    return pattern;
}

struct Outcome {
    Pattern pattern;
    uint32_t scrap;
};

constexpr uint32_t untouched = 987654;

Outcome search(const PrsTable& demand, uint32_t bar, uint8_t mode, uint32_t saw)
{
    CsTable selection;
    selection.append({99, 99});   // must be cleared
    uint32_t scrap = untouched;
    EXPECT_EQ(optimize(demand, bar, selection, scrap, mode, saw), Response::Completed);
    return {patternOf(selection), scrap};
}

} // namespace

TEST(PatternSearch, PieceAsLongAsTheBarTakesTheWholeBarInEveryMode)
{
    const PrsTable demand = demandOf({{6000, 1}});
    for (uint8_t mode : {0, 1, 2, 3, 4, 5, 6}) {
        const Outcome result = search(demand, 6000, mode, 5);
        EXPECT_EQ(result.pattern, (Pattern{{1, 6000}})) << int(mode);
        EXPECT_EQ(result.scrap, 0u) << int(mode);
    }
}

TEST(PatternSearch, PieceThatFitsOnlyWithoutItsSawCutEndsTheLevel)
{
    // 3000 first (3005 used): 2995 fits only without its cut, so 1000 is never tried after it.
    const Outcome result = search(demandOf({{3000, 1}, {2995, 1}, {1000, 1}}), 6000, 2, 5);
    EXPECT_EQ(result.pattern, (Pattern{{2, 2995}, {3, 1000}}));
    EXPECT_EQ(result.scrap, 1995u);
}

TEST(PatternSearch, SubSearchLooksOnlyAfterTheFirstSkippedPiece)
{
    const Outcome result = search(demandOf({{2000, 2}, {1990, 1}}), 6000, 0, 5);
    EXPECT_EQ(result.pattern, (Pattern{{1, 2000}, {2, 2000}}));
    EXPECT_EQ(result.scrap, 1990u);
}

TEST(PatternSearch, SubSearchReplacesTheLastPieceWhenItLeavesLess)
{
    // 500 + 300 leave 200; the space of 300 is better filled with 240 + 240.
    const Outcome result = search(demandOf({{500, 1}, {300, 1}, {260, 1}, {240, 2}}), 1000, 0, 0);
    EXPECT_EQ(result.pattern, (Pattern{{1, 500}, {4, 240}, {5, 240}}));
    EXPECT_EQ(result.scrap, 20u);
}

TEST(PatternSearch, PiecesLongerThanTheBarAreNeverPlaced)
{
    const PrsTable tooLong = demandOf({{7000, 2}, {6001, 1}});
    for (uint8_t mode : {0, 1, 6, 255}) {
        const Outcome result = search(tooLong, 6000, mode, 5);
        EXPECT_TRUE(result.pattern.empty());
        EXPECT_EQ(result.scrap, 6000u);
    }
    for (uint8_t mode : {2, 3, 4, 5}) {
        const Outcome result = search(tooLong, 6000, mode, 5);
        EXPECT_TRUE(result.pattern.empty());
        EXPECT_EQ(result.scrap, untouched) << "the level search writes no leftover";
    }
    const Outcome mixed = search(demandOf({{7000, 1}, {2500, 2}}), 6000, 2, 5);
    EXPECT_EQ(mixed.pattern, (Pattern{{2, 2500}, {3, 2500}}));
    EXPECT_EQ(mixed.scrap, 990u);
}

TEST(PatternSearch, ModesFourAndFiveStartOnlyWithTheLongestFittingPiece)
{
    const PrsTable demand = demandOf({{1200, 1}, {600, 1}, {500, 2}});
    const Outcome full = search(demand, 1000, 2, 0);
    EXPECT_EQ(full.pattern, (Pattern{{3, 500}, {4, 500}}));
    EXPECT_EQ(full.scrap, 0u);
    for (uint8_t mode : {4, 5}) {
        const Outcome result = search(demand, 1000, mode, 0);
        EXPECT_EQ(result.pattern, (Pattern{{2, 600}})) << int(mode);
        EXPECT_EQ(result.scrap, 400u);
    }
}

TEST(PatternSearch, ModeThreeChoosesTwoPiecesAndFillsTheRest)
{
    // Mode 2 chooses 400, 300 and 150 and fills with the other 150; mode 3 fills after 400 + 300
    // first-fit, takes 200 and has no room left for a 150.
    const PrsTable demand = demandOf({{400, 1}, {300, 1}, {200, 1}, {150, 2}});
    const Outcome two = search(demand, 1000, 2, 0);
    EXPECT_EQ(two.pattern, (Pattern{{1, 400}, {2, 300}, {4, 150}, {5, 150}}));
    EXPECT_EQ(two.scrap, 0u);
    const Outcome three = search(demand, 1000, 3, 0);
    EXPECT_EQ(three.pattern, (Pattern{{1, 400}, {2, 300}, {3, 200}}));
    EXPECT_EQ(three.scrap, 100u);
}

TEST(PatternSearch, ModeZeroRunsOnePassAndModeOneMovesTheStart)
{
    const PrsTable demand = demandOf({{600, 1}, {500, 2}});
    const Outcome single = search(demand, 1000, 0, 0);
    EXPECT_EQ(single.pattern, (Pattern{{1, 600}}));
    EXPECT_EQ(single.scrap, 400u);
    for (uint8_t mode : {1, 6, 7, 255}) {
        const Outcome repeated = search(demand, 1000, mode, 0);
        EXPECT_EQ(repeated.pattern, (Pattern{{2, 500}, {3, 500}})) << int(mode);
        EXPECT_EQ(repeated.scrap, 0u);
    }
}

TEST(PatternSearch, EqualLeftoversKeepThePatternFoundFirst)
{
    // Running numbers follow the input rows: the 400 is piece 2 though it is tried last.
    const Outcome level = search(demandOf({{600, 1}, {400, 1}, {500, 2}}), 1000, 2, 0);
    EXPECT_EQ(level.pattern, (Pattern{{1, 600}, {2, 400}}));
    EXPECT_EQ(level.scrap, 0u);

    // The pass from offset 1 (700 + 200) leaves as much as the first one and does not replace it.
    const Outcome passes = search(demandOf({{700, 1}, {200, 1}, {700, 1}, {200, 1}}), 1000, 1, 0);
    EXPECT_EQ(passes.pattern, (Pattern{{1, 700}, {2, 200}}));
    EXPECT_EQ(passes.scrap, 100u);
}

TEST(PatternSearch, EmptyDemandLeavesTheWholeBar)
{
    EXPECT_EQ(search(PrsTable{}, 6000, 0, 5).scrap, 6000u);
    EXPECT_EQ(search(PrsTable{}, 6000, 2, 5).scrap, untouched);
}

TEST(SubOptimize, FirstPiecePaysItsSawCut)
{
    PrsTable candidates;
    candidates.append({7, 495, 1});
    candidates.append({4, 500, 1});
    CsTable selection;
    uint32_t scrap = 0;
    ASSERT_EQ(subOptimize(candidates, 1000, selection, scrap, 5), Response::Completed);
    // 505 for the first piece leaves 495, too little for 495 and its cut.
    EXPECT_EQ(patternOf(selection), (Pattern{{4, 500}}));
    EXPECT_EQ(scrap, 495u);

    PrsTable whole;
    whole.append({3, 998, 1});
    ASSERT_EQ(subOptimize(whole, 1000, selection, scrap, 5), Response::Completed);
    EXPECT_EQ(patternOf(selection), (Pattern{{3, 998}}));
    EXPECT_EQ(scrap, 0u) << "a piece whose cut does not fit takes the whole free length";
}

TEST(PatternSearch, ALaterPieceOfTheSameLengthCanLeaveMoreRoomForTheFill)
{
    // After 350 + the first 300 the fill takes the other 300 and has no room for 200 + 150;
    // choosing the second 300 leaves the fill 200 and 150, which use the bar up.
    const Outcome result = search(demandOf({{350, 1}, {300, 2}, {200, 1}, {150, 1}}), 1000, 3, 0);
    EXPECT_EQ(result.pattern, (Pattern{{1, 350}, {3, 300}, {4, 200}, {5, 150}}));
    EXPECT_EQ(result.scrap, 0u);
}

TEST(PatternSearch, TheLastPieceOfALengthLetsTheNextLevelReachShorterPieces)
{
    // 500 + 240 use 760 of 1000 (saw 10); another 240 fits only without its cut and ends the
    // third level, unless the 240 chosen was the last one: then the 100s follow.
    const Outcome result = search(demandOf({{500, 1}, {240, 3}, {100, 2}}), 1000, 2, 10);
    EXPECT_EQ(result.pattern, (Pattern{{1, 500}, {4, 240}, {5, 100}, {6, 100}}));
    EXPECT_EQ(result.scrap, 20u);
}
