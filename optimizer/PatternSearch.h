#pragma once
// The bar-pattern search: which of the demanded pieces to cut from one bar so that the leftover
// is smallest. Every cut costs the saw width.

#include "optimizer/WorkTables.h"

#include <unordered_map>
#include <vector>

namespace kadrel {

// OPTIMIZE. demand: lengths with piece counts (not changed). Fills selection with the best
// pattern (running piece numbers of the expanded demand and lengths, in placing order) and
// writes its leftover to scrap. Modes 2 to 5 run the level search (which leaves scrap untouched
// when no piece fits); every other mode runs first-fit passes (mode 0 a single one).
Response optimize(const PrsTable& demand, uint32_t barLength, CsTable& selection, uint32_t& scrap,
                  uint8_t mode, uint32_t sawWidth);

// SUBOPTIMIZE: first-fit passes over single candidate pieces in a free length.
Response subOptimize(const PrsTable& candidates, uint32_t freeLength, CsTable& selection,
                     uint32_t& scrap, uint32_t sawWidth);

// OPTIMIZE with a memory: the pattern of a bar length is searched once for every remaining
// demand, mode and saw width and then answered from memory. One instance serves one calculation.
class PatternSearch {
public:
    Response optimize(const PrsTable& demand, uint32_t barLength, CsTable& selection,
                      uint32_t& scrap, uint8_t mode, uint32_t sawWidth);

    std::size_t searches() const { return searches_; }
    std::size_t answeredFromMemory() const { return hits_; }
    void forget() { memory_.clear(); }

private:
    // Answers kept at most; the memory starts afresh beyond (a few hundred bytes per answer).
    static constexpr std::size_t MemoryLimit = 1u << 18;

    struct Question {
        std::vector<uint32_t> demand;   // length and piece count of every row, in order
        uint32_t barLength = 0;
        uint8_t mode = 0;
        uint32_t sawWidth = 0;
        bool operator==(const Question&) const = default;
    };
    struct QuestionHash {
        std::size_t operator()(const Question& question) const;
    };
    struct Answer {
        std::vector<CsRow> selection;
        uint32_t scrap = 0;
        bool scrapWritten = false;
    };

    std::unordered_map<Question, Answer, QuestionHash> memory_;
    std::size_t searches_ = 0;
    std::size_t hits_ = 0;
};

} // namespace kadrel
