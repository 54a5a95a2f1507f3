// The combination optimizer: bar choice, leftovers as bars, joints, the control time.
#include "global/ScriptedServices.h"
#include "optimizer/CombinationOptimizer.h"
#include "optimizer/ControlTime.h"
#include "optimizer/PatternSearch.h"

#include <gtest/gtest.h>

using namespace kadrel;

namespace {

constexpr uint32_t Saw = 5;

struct CombinationFixture : ::testing::Test {
    global::FixedClock clock;
    global::ScriptedDialogs dialogs;
    ControlTime controlTime{clock, dialogs};
    BarPatternSearch search = [](const PrsTable& demand, uint32_t bar, CsTable& selection,
                                 uint32_t& scrap, uint8_t mode) {
        return optimize(demand, bar, selection, scrap, mode, Saw);
    };
    CombinationContext context{search, controlTime, 10};

    CombinationTable bars;
    PrsTable demand;
    ResultTable results;
    SPrtTable pieces;
    SPrt2Table states;

    void SetUp() override { controlTime.start(ControlTime::NoControl); }

    void bar(uint32_t length, uint32_t quantity) { bars.append(CombinationRow{length, quantity, 0, 0}); }
    void demanded(uint32_t id, uint32_t length, uint32_t pcs) { demand.append(PrsRow{id, length, pcs}); }
    void record(uint32_t dbId, uint32_t length, uint32_t pcs)
    {
        pieces.append(SPrtRow{dbId, length, 0, pcs, 0, 0, 0});
    }
};

TEST_F(CombinationFixture, StartJointSplitsTheLongestPieceWhoseSecondSectionIsLongEnough)
{
    // The first bar (6000) left 1500; 1800 − 1500 < 500 is passed over, 2600 is split into a
    // first section of 1490 on that leftover and a second section of 1110.
    results.append(ResultRow{1, 0, 6000, 1500, 0});
    bar(6000, 4);
    bar(1500, 1);
    demanded(1, 2600, 1);
    demanded(2, 1800, 1);
    record(101, 2600, 1);
    record(102, 1800, 1);

    ASSERT_EQ(optimizeCombination(1, bars, demand, results, pieces, states, 2, 500, context),
              Response::Completed);

    const std::vector<ResultRow> expected = {
        {1, 0, 6000, 1490, 1},   // the leftover row rewritten as the first section
        {1, 0, 6000, 10, 0},     // what the joint leaves of the leftover
        {1, 1, 6000, 1800, 2},   // 1800 and the second section 1110 share the next bar
        {1, 1, 6000, 1110, 1},
        {1, 1, 6000, 3080, 0},
    };
    EXPECT_EQ(results.rows(), expected);

    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].dbId, 101u);
    EXPECT_EQ(states[0].pcs, 0u);            // the whole piece is now the joined one
    EXPECT_EQ(states[2].dbId, 101u);
    EXPECT_EQ(states[2].lenght1, 1490u);
    EXPECT_EQ(states[2].lenght2, 1110u);
    EXPECT_EQ(states[2].pcs, 1u);
    EXPECT_EQ(states[2].usedPcs1, 0u);
    // The caller's tables are not changed.
    EXPECT_EQ(pieces[0].pcs, 1u);
    EXPECT_EQ(demand.size(), 2u);
}

TEST_F(CombinationFixture, NoJointWhenTheSecondSectionWouldBeTooShortOrExtendIsOff)
{
    for (uint32_t extend : {500u, 0u}) {
        results.clear();
        states.clear();
        bars.clear();
        demand.clear();
        pieces.clear();
        results.append(ResultRow{1, 0, 6000, 1500, 0});
        bar(6000, 4);
        bar(1500, 1);
        demanded(1, 1800, 1);
        record(102, 1800, 1);
        if (extend == 0) {
            demanded(2, 2600, 1);
            record(101, 2600, 1);
        }
        ASSERT_EQ(optimizeCombination(1, bars, demand, results, pieces, states, 2, extend, context),
                  Response::Completed);
        EXPECT_EQ(results[0], (ResultRow{1, 0, 6000, 1500, 0})) << extend;
        for (const SPrt2Row& state : states)
            EXPECT_EQ(state.lenght2, 0u) << extend;
    }
}

TEST_F(CombinationFixture, LeftoverEqualToTheMinimumJointIsNotJoined)
{
    results.append(ResultRow{1, 0, 6000, 500, 0});
    bar(6000, 4);
    bar(500, 1);
    demanded(1, 1200, 1);
    record(101, 1200, 1);
    ASSERT_EQ(optimizeCombination(1, bars, demand, results, pieces, states, 2, 500, context),
              Response::Completed);
    EXPECT_EQ(results[0], (ResultRow{1, 0, 6000, 500, 0}));
}

TEST_F(CombinationFixture, StartJointLooksOnlyAtItsOwnCombination)
{
    results.append(ResultRow{1, 0, 6000, 1500, 0});   // an earlier combination
    results.append(ResultRow{2, 0, 6000, 200, 0});
    bar(6000, 4);
    bar(200, 1);
    demanded(1, 2600, 1);
    record(101, 2600, 1);
    ASSERT_EQ(optimizeCombination(2, bars, demand, results, pieces, states, 2, 500, context),
              Response::Completed);
    EXPECT_EQ(results[0], (ResultRow{1, 0, 6000, 1500, 0}));
}

TEST_F(CombinationFixture, EqualLeftoversChooseTheShorterStockLength)
{
    // One 1000 consumes a 1005 bar whole; two fill a 2010 bar exactly: both leave 0.
    bar(2010, 1);
    bar(1005, 1);
    demanded(1, 1000, 2);
    ASSERT_EQ(optimizeCombination(1, bars, demand, results, pieces, states, 2, 0, context),
              Response::Completed);
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(results[0].profileLengt, 1005u);
    EXPECT_EQ(results[1], (ResultRow{1, 1, 1005, 0, 0}));
    EXPECT_EQ(results.back(), (ResultRow{1, 2, 2010, 1005, 0}));
}

TEST_F(CombinationFixture, DemandThatNoBarCanTakeEndsNormally)
{
    bar(4000, 1);
    demanded(1, 3000, 1);
    demanded(2, 900, 1);
    demanded(3, 800, 1);
    // 4000 takes 3000 and 900 (3910, leaving 90); 800 then finds no bar: the demand stays
    // partly uncut and the procedure still ends normally.
    ASSERT_EQ(optimizeCombination(1, bars, demand, results, pieces, states, 2, 0, context),
              Response::Completed);
    const std::vector<ResultRow> expected = {
        {1, 1, 4000, 3000, 3}, {1, 1, 4000, 900, 2}, {1, 1, 4000, 90, 0},
    };
    EXPECT_EQ(results.rows(), expected);
}

TEST_F(CombinationFixture, ControlTimeQuestionAnswers)
{
    const auto runWithAnswer = [&](int answer) {
        results.clear();
        bars.clear();
        demand.clear();
        states.clear();
        dialogs.clear();
        bar(6000, 10);
        demanded(1, 3000, 4);
        record(101, 3000, 4);
        controlTime.start(1);
        clock.advance(61 * 1000);
        dialogs.planAnswers({answer});
        return optimizeCombination(1, bars, demand, results, pieces, states, 2, 0, context);
    };

    EXPECT_EQ(runWithAnswer(0), Response::Cancelled);
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(states.size(), 1u);   // the piece state is appended on every exit
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].text, ControlTime::Question);
    EXPECT_EQ(dialogs.shown()[0].buttons,
              (QStringList{QStringLiteral(" Przerwij "), QStringLiteral(" Nast. 5 min. "),
                           QStringLiteral(" Licz do skutku ")}));

    EXPECT_EQ(runWithAnswer(1), Response::Completed);
    EXPECT_EQ(controlTime.limit(), 5u);
    EXPECT_EQ(dialogs.shown().size(), 1);   // the next five minutes have not passed

    EXPECT_EQ(runWithAnswer(2), Response::Completed);
    EXPECT_GE(controlTime.limit(), ControlTime::NoControl);
    EXPECT_EQ(dialogs.shown().size(), 1);
}

TEST(ControlTimeTest, ElapsedIsCountedOverMidnightAndOnlyBeyondTheLimit)
{
    global::FixedClock clock(QDateTime(QDate(2026, 1, 5), QTime(23, 59, 30)));
    global::ScriptedDialogs dialogs;
    ControlTime control(clock, dialogs);
    control.start(1);
    clock.advance(60 * 1000);   // exactly one minute, past midnight
    EXPECT_DOUBLE_EQ(control.elapsedMinutes(), 1.0);
    EXPECT_TRUE(control.check());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    clock.advance(10);
    dialogs.planAnswer(0);   // "Przerwij"
    EXPECT_FALSE(control.check());
}

} // namespace
