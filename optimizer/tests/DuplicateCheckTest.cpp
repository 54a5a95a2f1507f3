// Identical bars of a solution, grouped for the summarised cut list.

#include "optimizer/DuplicateCheck.h"

#include "global/ScriptedServices.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/PieceRecords.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

using namespace kadrel;

namespace {

class DuplicateCheckTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    testing_support::StockScenario scenario{db};
    global::ScriptedDialogs dialogs;
    uint32_t profile = 0, orderA = 0, orderB = 0;
    uint32_t post = 0, rail = 0, postOfB = 0, joined = 0;

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0);
        profile = scenario.profile(QStringLiteral("P"), 500);
        orderA = scenario.order(QStringLiteral("A/1"));
        orderB = scenario.order(QStringLiteral("B/2"));
        post = scenario.cut(orderA, profile, 2400, 10, QStringLiteral("SL"), QStringLiteral("Słupek"));
        rail = scenario.cut(orderA, profile, 1200, 10, QStringLiteral("RG"), QStringLiteral("Rygiel"));
        postOfB = scenario.cut(orderB, profile, 2400, 10, QStringLiteral("SL"), QStringLiteral("Słupek"));
        joined = scenario.cut(orderA, profile, 5000, 4, QStringLiteral("OB"), QStringLiteral("Łączony"), 2500);
    }

    std::vector<DuplicateGroup> groups(const testing_support::SolutionBuilder& s)
    {
        PieceRecords records(db);
        std::vector<DuplicateGroup> out;
        EXPECT_TRUE(checkDuplicates(s.bars, s.pieces, records, dialogs, out));
        uint32_t total = 0;
        for (const DuplicateGroup& g : out)
            total += g.count;
        EXPECT_EQ(total, s.bars.size()) << "every bar belongs to exactly one group";
        return out;
    }
};

TEST_F(DuplicateCheckTest, IdenticalBarsFormOneGroupAndAnyDifferenceStartsAnother)
{
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 1180, {{post, 2400}, {rail, 1200}, {rail, 1200}})
        .bar(2, 1, 6000, 1180, {{post, 2400}, {rail, 1200}, {rail, 1200}})   // the same as bar 1
        .bar(3, 1, 6000, 1180, {{rail, 1200}, {post, 2400}, {rail, 1200}})   // the same pieces in another order
        .bar(4, 1, 6000, 1175, {{post, 2400}, {rail, 1200}, {rail, 1200}})   // another leftover
        .bar(5, 1, 6000, 1180, {{post, 2400}, {rail, 1200}, {rail, 1200}});  // the same as bar 1 again
    const std::vector<DuplicateGroup> g = groups(s);
    ASSERT_EQ(g.size(), 3u);
    // Each group is named by its first bar in the order of length, signature and leftover.
    std::map<uint32_t, uint32_t> count;
    for (const DuplicateGroup& d : g)
        count[d.barId] = d.count;
    EXPECT_EQ(count[1], 3u);
    EXPECT_EQ(count[3], 1u);
    EXPECT_EQ(count[4], 1u);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(DuplicateCheckTest, PiecesOfAnotherOrderOrASectionKeepBarsApart)
{
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 1190, {{post, 2400}, {post, 2400}})
        .bar(2, 1, 6000, 1190, {{postOfB, 2400}, {postOfB, 2400}})   // differs only in the order number
        .bar(3, 1, 6000, 490, {{joined, 2500}, {joined, 2500}})      // halves of joined pieces
        .bar(4, 1, 6000, 490, {{joined, 2500}, {joined, 2500}});
    const std::vector<DuplicateGroup> g = groups(s);
    ASSERT_EQ(g.size(), 4u);
    for (const DuplicateGroup& d : g)
        EXPECT_EQ(d.count, 1u) << d.barId;
}

TEST_F(DuplicateCheckTest, BarsWithoutPiecesAndASingleBarStandAlone)
{
    testing_support::SolutionBuilder empty;
    empty.bar(1, 1, 6000, 5995, {}).bar(2, 1, 6000, 5995, {}).bar(3, 1, 6000, 5995, {});
    const std::vector<DuplicateGroup> e = groups(empty);
    ASSERT_EQ(e.size(), 3u);
    for (const DuplicateGroup& d : e)
        EXPECT_EQ(d.count, 1u);

    testing_support::SolutionBuilder single;
    single.bar(7, 1, 6500, 100, {{post, 2400}});
    const std::vector<DuplicateGroup> one = groups(single);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].barId, 7u);
    EXPECT_EQ(one[0].count, 1u);
}

TEST_F(DuplicateCheckTest, GroupsStartAtTheFirstBarInLengthOrder)
{
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6500, 1700, {{post, 2400}, {post, 2400}})
        .bar(2, 1, 3000, 595, {{post, 2400}})
        .bar(3, 1, 6500, 1700, {{post, 2400}, {post, 2400}})
        .bar(4, 1, 3000, 595, {{post, 2400}});
    const std::vector<DuplicateGroup> g = groups(s);
    ASSERT_EQ(g.size(), 2u);
    // The 3000 group (bar 2) comes first in sorted order; position 2 lies beyond the empty result,
    // so it goes to the end; the 6500 group (bar 1) then goes to position 1, before it.
    EXPECT_EQ(g[0].barId, 1u);
    EXPECT_EQ(g[0].count, 2u);
    EXPECT_EQ(g[1].barId, 2u);
    EXPECT_EQ(g[1].count, 2u);
}

TEST_F(DuplicateCheckTest, APieceWithoutItsBarEndsTheCheckWithAMessage)
{
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 1190, {{post, 2400}});
    s.pieces[0].itemId = 8;
    PieceRecords records(db);
    std::vector<DuplicateGroup> out{{1, 1}};
    EXPECT_FALSE(checkDuplicates(s.bars, s.pieces, records, dialogs, out));
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text,
              QStringLiteral("System error selecting item no from Q_Print_Control_Dupl. ErrorCode = 30 Missing item_id = 8"));
}

} // namespace
