// A whole calculation gives the same plans and the same ranking whether its bar patterns come
// from the product's search (with or without its memory) or from the piece-by-piece reference.

#include "global/ScriptedServices.h"
#include "optimizer/CalculationDriver.h"
#include "optimizer/ControlTime.h"
#include "optimizer/PatternSearch.h"
#include "optimizer/RecordSetInput.h"
#include "optimizer/tests/support/LiteralPatternSearch.h"

#include <gtest/gtest.h>

#include <random>

using namespace kadrel;

namespace {

constexpr uint32_t Profile = 3;

RecordSetInput makeInput(std::mt19937& random)
{
    RecordSetInput input;
    global::ProfileRecord profile;
    profile.id = Profile;
    profile.remnantLenght = 700;
    profile.price = 12;
    profile.scrapPrice = 2;
    profile.weldingPrice = 3;
    input.profiles.push_back(profile);

    auto pick = [&](uint32_t low, uint32_t high) {
        return std::uniform_int_distribution<uint32_t>(low, high)(random);
    };
    const uint32_t distinct = pick(1, 6);
    uint64_t demand = 0;
    for (uint32_t d = 1; d <= distinct; ++d) {
        global::CutRecord cut;
        cut.id = d;
        cut.orderId = 1;
        cut.orderProfileId = 1;
        cut.profileId = Profile;
        cut.status = 1;
        cut.lenght = pick(0, 2) == 0 ? 2995 - pick(0, 10) : pick(400, 3200);
        cut.pcs = pick(1, 6);
        demand += uint64_t(cut.lenght) * cut.pcs;
        input.cuts.push_back(cut);
    }
    const uint32_t stock[] = {6000, 3000, 6500, 4200};
    const uint32_t lengths = pick(1, 4);
    for (uint32_t s = 0; s < lengths; ++s) {
        global::ProfileLengthRecord length;
        length.id = s + 1;
        length.profileId = Profile;
        length.lenght = stock[s];
        length.intStock = static_cast<int32_t>(demand / stock[s] + pick(0, 3));
        input.lengths.push_back(length);
    }
    return input;
}

struct Outcome {
    bool completed = false;
    std::vector<ResultRow> results;
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t>> ranking;
    bool operator==(const Outcome&) const = default;
};

Outcome calculate(RecordSetInput& input, const OptimizerCall& call, const BarPatternSearch& search)
{
    global::ScriptedDialogs dialogs;
    global::FixedClock clock;
    RunSettings settings;
    settings.controlTimeLimit = 10000;
    RunTables tables;
    ControlTime controlTime(clock, dialogs);
    controlTime.start(settings.controlTimeLimit);
    CalculationDriver driver(input, dialogs, call, settings, tables, search, controlTime);
    Outcome outcome;
    outcome.completed = driver.loadStock(LengthTable{}) && driver.loadDemand() && driver.run();
    outcome.results = tables.results.rows();
    for (const RankingRow& row : tables.ranking)
        outcome.ranking.emplace_back(row.combNo, row.profiles, row.totalScrap, row.pureScrap, row.extensions);
    return outcome;
}

} // namespace

TEST(CalculationSearchEquivalence, PlansAndRankingDoNotDependOnHowPatternsAreFound)
{
    std::mt19937 random(11);
    const uint32_t saw = RunSettings{}.sawWidth;
    int completedRuns = 0;
    for (int instance = 0; instance < 80; ++instance) {
        RecordSetInput input = makeInput(random);
        for (uint8_t mode : {0, 1, 2, 3, 4, 5}) {
            for (uint32_t extend : {0u, 500u}) {
                OptimizerCall call;
                call.profile = Profile;
                call.mode = mode;
                call.status = 1;
                call.extend = extend;
                const Outcome reference = calculate(input, call, [&](const PrsTable& d, uint32_t bar, CsTable& s,
                                                                     uint32_t& scrap, uint8_t m) {
                    return oracle::literalOptimize(d, bar, s, scrap, m, saw);
                });
                const Outcome grouped = calculate(input, call, [&](const PrsTable& d, uint32_t bar, CsTable& s,
                                                                   uint32_t& scrap, uint8_t m) {
                    return optimize(d, bar, s, scrap, m, saw);
                });
                PatternSearch memory;
                const Outcome remembered = calculate(input, call, [&](const PrsTable& d, uint32_t bar, CsTable& s,
                                                                      uint32_t& scrap, uint8_t m) {
                    return memory.optimize(d, bar, s, scrap, m, saw);
                });
                ASSERT_TRUE(grouped == reference) << "instance " << instance << " mode " << int(mode);
                ASSERT_TRUE(remembered == reference) << "instance " << instance << " mode " << int(mode);
                completedRuns += reference.completed ? 1 : 0;
            }
        }
    }
    EXPECT_GT(completedRuns, 500) << "most generated orders can be cut";
}
