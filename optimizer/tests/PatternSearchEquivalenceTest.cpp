// The product's pattern search against the piece-by-piece search on many generated demands:
// the same pieces (running numbers and lengths, in the same order) and the same leftover,
// including the leftover left untouched when the level search finds nothing.

#include "optimizer/PatternSearch.h"
#include "optimizer/tests/support/LiteralPatternSearch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

using namespace kadrel;

namespace {

constexpr uint32_t untouched = 0xDEADBEEF;
const uint8_t allModes[] = {0, 1, 2, 3, 4, 5, 6, 7, 255};

struct Instance {
    PrsTable demand;
    uint32_t bar = 0;
    uint32_t saw = 0;
};

std::string describe(const Instance& instance, uint8_t mode)
{
    std::ostringstream text;
    text << "bar " << instance.bar << " saw " << instance.saw << " mode " << int(mode) << " demand";
    for (const PrsRow& row : instance.demand)
        text << ' ' << row.lenght << 'x' << row.pcs;
    return text.str();
}

// Lengths that sit on the edges the rules care about: the bar, the bar less a saw cut, halves
// and thirds with and without cuts, and a few plain random ones.
class InstanceMaker {
public:
    explicit InstanceMaker(uint32_t seed) : random_(seed) {}

    // spread: plain lengths between a twentieth and a half of the bar instead of edge lengths.
    Instance make(int maxRows, int maxCount, int maxDistinct, bool spread = false)
    {
        Instance instance;
        const uint32_t bars[] = {1000, 6000, 6500, pick(50, 3000)};
        instance.bar = bars[pick(0, 3)];
        const uint32_t saws[] = {0, 0, 1, 3, 5, 10};
        instance.saw = saws[pick(0, 5)];
        std::vector<uint32_t> pool;
        const int distinct = pick(1, maxDistinct);
        for (int d = 0; d < distinct; ++d)
            pool.push_back(spread ? pick(instance.bar / 20, instance.bar / 2) : lengthNear(instance.bar, instance.saw));
        const int rows = pick(1, maxRows);
        uint32_t id = 1;
        for (int r = 0; r < rows; ++r)
            instance.demand.append({id++, pool[pick(0, distinct - 1)], static_cast<uint32_t>(pick(0, maxCount))});
        return instance;
    }

    uint32_t pick(uint32_t low, uint32_t high)
    {
        return std::uniform_int_distribution<uint32_t>(low, high)(random_);
    }

private:
    uint32_t lengthNear(uint32_t bar, uint32_t saw)
    {
        const int64_t b = bar, w = saw;
        const int64_t jitter = int64_t(pick(0, 4)) - 2;
        int64_t lenght = 0;
        switch (pick(0, 11)) {
        case 0: lenght = b - w + jitter; break;
        case 1: lenght = b + jitter; break;
        case 2: lenght = (b - w) / 2 + jitter; break;
        case 3: lenght = b / 2 - w + jitter; break;
        case 4: lenght = b / 3 - w + jitter; break;
        case 5: lenght = (b - 2 * w) / 3 + jitter; break;
        case 6: lenght = b / 4 + jitter; break;
        case 7: lenght = pick(1, 30); break;
        case 8: lenght = b + pick(1, 500); break;
        case 9: lenght = pick(0, 3) == 0 ? 0 : pick(1, 5); break;
        default: lenght = pick(1, bar > 1 ? bar : 1); break;
        }
        return static_cast<uint32_t>(std::max<int64_t>(lenght, 0));
    }

    std::mt19937 random_;
};

struct Result {
    std::vector<std::pair<uint32_t, uint32_t>> pieces;
    uint32_t scrap = untouched;
    bool operator==(const Result&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Result& result)
{
    out << "scrap " << result.scrap << " pieces";
    for (const auto& [id, lenght] : result.pieces)
        out << ' ' << id << ':' << lenght;
    return out;
}

Result resultOf(const CsTable& selection, uint32_t scrap)
{
    Result result;
    for (const CsRow& row : selection)
        result.pieces.emplace_back(row.id, row.lenght);
    result.scrap = scrap;
    return result;
}

Result literal(const Instance& instance, uint8_t mode)
{
    CsTable selection;
    uint32_t scrap = untouched;
    EXPECT_EQ(oracle::literalOptimize(instance.demand, instance.bar, selection, scrap, mode, instance.saw),
              Response::Completed);
    return resultOf(selection, scrap);
}

Result product(const Instance& instance, uint8_t mode)
{
    CsTable selection;
    selection.append({1, 1});
    uint32_t scrap = untouched;
    EXPECT_EQ(optimize(instance.demand, instance.bar, selection, scrap, mode, instance.saw),
              Response::Completed);
    return resultOf(selection, scrap);
}

// KADREL_EQUIVALENCE_SCALE=n runs n times as many instances (with other seeds) for a longer check.
int scale()
{
    const char* text = std::getenv("KADREL_EQUIVALENCE_SCALE");
    return text ? std::max(1, std::atoi(text)) : 1;
}

void compareMany(uint32_t seed, int instances, int maxRows, int maxCount, int maxDistinct,
                 const std::vector<uint8_t>& modes = {std::begin(allModes), std::end(allModes)},
                 bool spread = false)
{
    instances *= scale();
    InstanceMaker maker(seed * 7919u + static_cast<uint32_t>(scale()));
    int mismatches = 0;
    for (int n = 0; n < instances && mismatches < 5; ++n) {
        const Instance instance = maker.make(maxRows, maxCount, maxDistinct, spread);
        for (uint8_t mode : modes) {
            const Result expected = literal(instance, mode);
            const Result actual = product(instance, mode);
            if (!(expected == actual)) {
                ++mismatches;
                ADD_FAILURE() << describe(instance, mode) << "\n expected " << expected << "\n actual   " << actual;
                break;
            }
        }
    }
}

} // namespace

TEST(PatternSearchEquivalence, SmallDemands)
{
    compareMany(1, 4000, 4, 4, 4);
}

TEST(PatternSearchEquivalence, ManyEqualLengths)
{
    compareMany(2, 1500, 6, 12, 3);
}

TEST(PatternSearchEquivalence, MediumDemands)
{
    compareMany(3, 300, 10, 6, 8);
}

TEST(PatternSearchEquivalence, LargerDemandsWithFewLengths)
{
    compareMany(4, 60, 8, 20, 5);
}

TEST(PatternSearchEquivalence, FortyPiecesOfManyLengths)
{
    compareMany(7, 40, 20, 3, 20);
}

TEST(PatternSearchEquivalence, HundredsOfPiecesInFirstFitPasses)
{
    compareMany(8, 150, 12, 40, 8, {0, 1, 6, 200});
    compareMany(10, 100, 12, 40, 8, {0, 1, 6, 200}, true);
}

TEST(PatternSearchEquivalence, PlainLengthsOfATwentiethToAHalfBar)
{
    compareMany(9, 300, 6, 8, 6, {0, 1, 2, 3, 4, 5, 7}, true);
    compareMany(11, 10, 6, 20, 4, {2, 3, 4}, true);
}

TEST(PatternSearchEquivalence, SubOptimizeKeepsTheGivenNumbers)
{
    InstanceMaker maker(5);
    for (int n = 0; n < 3000; ++n) {
        Instance instance = maker.make(10, 1, 5);
        PrsTable candidates;
        for (const PrsRow& row : instance.demand)
            candidates.append({maker.pick(1, 500), row.lenght, row.pcs});
        CsTable expectedSelection, actualSelection;
        uint32_t expectedScrap = untouched, actualScrap = untouched;
        oracle::literalSubOptimize(candidates, instance.bar, expectedSelection, expectedScrap, instance.saw);
        subOptimize(candidates, instance.bar, actualSelection, actualScrap, instance.saw);
        const Result expected = resultOf(expectedSelection, expectedScrap);
        const Result actual = resultOf(actualSelection, actualScrap);
        ASSERT_EQ(expected, actual) << describe(instance, 0);
    }
}

TEST(PatternSearchEquivalence, RememberedAnswersEqualFreshOnes)
{
    InstanceMaker maker(6);
    std::vector<Instance> instances;
    for (int n = 0; n < 40; ++n)
        instances.push_back(maker.make(5, 5, 4));
    PatternSearch search;
    for (int round = 0; round < 3; ++round) {
        for (const Instance& instance : instances) {
            for (uint8_t mode : allModes) {
                CsTable selection;
                uint32_t scrap = untouched;
                search.optimize(instance.demand, instance.bar, selection, scrap, mode, instance.saw);
                ASSERT_EQ(resultOf(selection, scrap), literal(instance, mode)) << describe(instance, mode);
            }
        }
    }
    EXPECT_EQ(search.searches() + search.answeredFromMemory(), 3u * 40u * std::size(allModes));
    EXPECT_GE(search.answeredFromMemory(), 2u * 40u * std::size(allModes));
}
