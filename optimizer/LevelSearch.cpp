#include "optimizer/LevelSearch.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kadrel {
namespace {

// The patterns are tried in a fixed order (by the positions of the chosen pieces, a level's own
// pattern after everything built on it) and only a strictly smaller leftover replaces the one
// kept, so the result is the first pattern with the smallest leftover. Pieces of one length are
// interchangeable, which lets most choices be left out without changing that result:
//
// - A level that is followed by another level: choosing the next piece of the same length
//   instead only tries a tail of what the first choice tried, unless that next piece is exactly
//   the one that ends the following level (it fits only without its saw cut). Then the last
//   piece of the length, after which the following level sees shorter pieces, is tried as well.
// - A level that is followed by the fill: the fill takes as many pieces of the length as fit,
//   so choices that leave more of them than that behind all give the same pattern; only the
//   first of those and the ones that leave fewer are tried.
class GroupedLevelSearch {
public:
    GroupedLevelSearch(const PieceGroups& pieces, uint32_t barLength, uint8_t mode, uint32_t sawWidth)
        : pieces_(pieces), groups_(pieces.groups), bar_(barLength), saw_(sawWidth), mode_(mode),
          minLenght_(pieces.shortest(barLength))
    {
        outcome_.scrap = barLength;
    }

    SearchOutcome run()
    {
        const bool longestStartOnly = mode_ == 4 || mode_ == 5;
        for (uint32_t g = 0; g < groups_.size() && !finished(); ++g) {
            const PieceGroup& group = groups_[g];
            if (group.lenght > bar_)
                continue;
            const uint64_t cost = uint64_t(group.lenght) + saw_;
            const uint64_t total = std::min<uint64_t>(cost, bar_);
            const uint32_t last = group.end() - 1;
            levelOne(g, group.first, total);
            if (longestStartOnly)
                break;
            if (last != group.first && endsNextLevel(group.lenght, total) && !finished())
                levelOne(g, last, total);
        }
        return std::move(outcome_);
    }

private:
    bool finished() const { return outcome_.found && outcome_.scrap == 0; }

    // The next piece of the same length fits only without its saw cut.
    bool endsNextLevel(uint64_t lenght, uint64_t total) const
    {
        const uint64_t rest = bar_ - total;
        return lenght <= rest && rest < lenght + saw_;
    }

    // Position after `position`, with its group.
    std::pair<uint32_t, uint32_t> after(uint32_t group, uint32_t position) const
    {
        if (position + 1 < groups_[group].end())
            return {group, position + 1};
        if (group + 1 < groups_.size())
            return {group + 1, groups_[group + 1].first};
        return {static_cast<uint32_t>(groups_.size()), 0};
    }

    void levelOne(uint32_t group, uint32_t position, uint64_t total1)
    {
        chosen_[0] = position;
        if (bar_ - total1 >= minLenght_) {
            const auto [g, p] = after(group, position);
            levelTwo(g, p, total1);
        }
        keepIfBetter(total1, 1, false);
    }

    void levelTwo(uint32_t startGroup, uint32_t from, uint64_t total1)
    {
        for (uint32_t g = startGroup; g < groups_.size() && !finished(); ++g) {
            const PieceGroup& group = groups_[g];
            const uint32_t begin = g == startGroup ? from : group.first;
            if (begin >= group.end())
                continue;
            if (total1 + group.lenght > bar_)
                continue;
            if (total1 + group.lenght + saw_ > bar_)
                return;
            const uint64_t total2 = total1 + group.lenght + saw_;
            if (mode_ == 3)
                forFillChoices(group, begin, total2, [&](uint32_t position) { levelTwoFilled(g, position, total2); });
            else
                forLevelChoices(group, begin, total2, [&](uint32_t position) { levelTwoThenThree(g, position, total2); });
        }
    }

    void levelTwoThenThree(uint32_t group, uint32_t position, uint64_t total2)
    {
        chosen_[1] = position;
        if (bar_ - total2 >= minLenght_) {
            const auto [g, p] = after(group, position);
            levelThree(g, p, total2);
        }
        keepIfBetter(total2, 2, false);
    }

    void levelTwoFilled(uint32_t group, uint32_t position, uint64_t total2)
    {
        chosen_[1] = position;
        uint64_t total = total2;
        fill_.clear();
        if (bar_ - total2 >= minLenght_) {
            const auto [g, p] = after(group, position);
            total = fill(g, p, total2);
        }
        keepIfBetter(total, 2, true);
    }

    void levelThree(uint32_t startGroup, uint32_t from, uint64_t total2)
    {
        for (uint32_t g = startGroup; g < groups_.size() && !finished(); ++g) {
            const PieceGroup& group = groups_[g];
            const uint32_t begin = g == startGroup ? from : group.first;
            if (begin >= group.end())
                continue;
            if (total2 + group.lenght > bar_)
                continue;
            if (total2 + group.lenght + saw_ > bar_)
                return;
            const uint64_t total3 = total2 + group.lenght + saw_;
            forFillChoices(group, begin, total3, [&](uint32_t position) { levelThreeFilled(g, position, total3); });
        }
    }

    void levelThreeFilled(uint32_t group, uint32_t position, uint64_t total3)
    {
        chosen_[2] = position;
        uint64_t total = total3;
        fill_.clear();
        if (bar_ - total3 >= minLenght_) {
            const auto [g, p] = after(group, position);
            total = fill(g, p, total3);
        }
        keepIfBetter(total, 3, true);
    }

    // Choices among the pieces of one length (from `begin` to the group's end) at a level
    // followed by another level.
    template <class Try>
    void forLevelChoices(const PieceGroup& group, uint32_t begin, uint64_t total, Try tryChoice)
    {
        tryChoice(begin);
        const uint32_t last = group.end() - 1;
        if (last != begin && endsNextLevel(group.lenght, total) && !finished())
            tryChoice(last);
    }

    // Choices among the pieces of one length at a level followed by the fill.
    template <class Try>
    void forFillChoices(const PieceGroup& group, uint32_t begin, uint64_t total, Try tryChoice)
    {
        tryChoice(begin);
        const uint64_t cost = uint64_t(group.lenght) + saw_;
        const uint64_t fitting = cost == 0 ? std::numeric_limits<uint32_t>::max() : (bar_ - total) / cost;
        const uint32_t last = group.end() - 1;
        // A choice at position p leaves last - p pieces of the length for the fill.
        uint32_t p = begin + 1;
        if (last - begin > fitting)
            p = std::max<uint64_t>(p, last - fitting);
        for (; p <= last && !finished(); ++p)
            tryChoice(p);
    }

    // First-fit fill from `from` on: pieces too long are passed over, a piece that fits only
    // without its saw cut ends the fill. Returns the new total; the pieces go to fill_.
    uint64_t fill(uint32_t startGroup, uint32_t from, uint64_t total)
    {
        for (uint32_t g = startGroup; g < groups_.size(); ++g) {
            const PieceGroup& group = groups_[g];
            const uint32_t begin = g == startGroup ? from : group.first;
            if (begin >= group.end())
                continue;
            const uint32_t available = group.end() - begin;
            const uint64_t rest = bar_ - total;
            if (group.lenght > rest)
                continue;
            const uint64_t cost = uint64_t(group.lenght) + saw_;
            if (cost > rest)
                break;
            const uint64_t fitting = cost == 0 ? available : rest / cost;
            const uint32_t taken = static_cast<uint32_t>(std::min<uint64_t>(available, fitting));
            fill_.push_back({begin, taken});
            total += taken * cost;
            if (bar_ - total < minLenght_)
                break;
            if (taken < available && group.lenght <= bar_ - total)
                break;   // the next piece of this length fits only without its saw cut
        }
        return total;
    }

    void keepIfBetter(uint64_t total, int levels, bool withFill)
    {
        const uint64_t leftover = bar_ - total;
        if (leftover >= outcome_.scrap)
            return;
        outcome_.scrap = leftover;
        outcome_.found = true;
        outcome_.positions.assign(chosen_.begin(), chosen_.begin() + levels);
        if (withFill)
            for (const FillRun& run : fill_)
                for (uint32_t c = 0; c < run.count; ++c)
                    outcome_.positions.push_back(run.from + c);
    }

    struct FillRun {
        uint32_t from;
        uint32_t count;
    };

    const PieceGroups& pieces_;
    const std::vector<PieceGroup>& groups_;
    const uint64_t bar_;
    const uint64_t saw_;
    const uint8_t mode_;
    const uint64_t minLenght_;
    std::array<uint32_t, 3> chosen_{};
    std::vector<FillRun> fill_;
    SearchOutcome outcome_;
};

} // namespace

SearchOutcome levelSearch(const PieceGroups& pieces, uint32_t barLength, uint8_t mode, uint32_t sawWidth)
{
    return GroupedLevelSearch(pieces, barLength, mode, sawWidth).run();
}

} // namespace kadrel
