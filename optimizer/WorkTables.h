#pragma once
// The optimizer's in-memory working tables: ordered rows addressed by position, with the few
// operations the calculation relies on. Inserting "in the order of a field" keeps equal values
// in arrival order (a new row goes after every row with an equal value), and every sort is stable.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kadrel {

// The response code every calculation procedure leaves behind: only Completed lets a caller go on.
enum class Response : uint8_t { None = 0, Completed = 1, Cancelled = 2 };

template <class Row>
class MemTable {
public:
    using RowType = Row;

    void clear() { rows_.clear(); }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // Zero-based access; the algorithms' 1-based positions are index + 1.
    Row& operator[](std::size_t i) { return rows_[i]; }
    const Row& operator[](std::size_t i) const { return rows_[i]; }
    Row& front() { return rows_.front(); }
    Row& back() { return rows_.back(); }
    const Row& front() const { return rows_.front(); }
    const Row& back() const { return rows_.back(); }

    auto begin() { return rows_.begin(); }
    auto end() { return rows_.end(); }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }

    void append(const Row& row) { rows_.push_back(row); }
    void removeAt(std::size_t i) { rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i)); }
    void insertAt(std::size_t i, const Row& row)
    {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i), row);
    }

    // Inserts the row at its place in ascending (or descending) order of key(row), after every
    // row with an equal key. Returns the index it was put at.
    template <class Key>
    std::size_t insertOrdered(const Row& row, Key key, bool descending = false)
    {
        const auto value = key(row);
        auto it = descending
            ? std::upper_bound(rows_.begin(), rows_.end(), value,
                               [&](const auto& v, const Row& r) { return key(r) < v; })
            : std::upper_bound(rows_.begin(), rows_.end(), value,
                               [&](const auto& v, const Row& r) { return v < key(r); });
        const auto index = static_cast<std::size_t>(it - rows_.begin());
        rows_.insert(it, row);
        return index;
    }

    // Index of the first row matching pred, or npos.
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    template <class Pred>
    std::size_t findFirst(Pred pred, std::size_t from = 0) const
    {
        for (std::size_t i = from; i < rows_.size(); ++i)
            if (pred(rows_[i]))
                return i;
        return npos;
    }

    // Stable sort by a "less" relation.
    template <class Less>
    void sort(Less less)
    {
        std::stable_sort(rows_.begin(), rows_.end(), less);
    }

    std::vector<Row>& rows() { return rows_; }
    const std::vector<Row>& rows() const { return rows_; }

private:
    std::vector<Row> rows_;
};

// ---- Demand ---------------------------------------------------------------------------------

// M_PRT: demanded pieces grouped by length, longest first.
struct PrtRow {
    uint32_t id = 0;
    uint32_t lenght = 0;
    uint32_t pcs = 0;
    uint32_t used = 0;
    uint8_t sectionOff = 0;
};

// S_PRT: demanded pieces per cut record, keeping the section split.
struct SPrtRow {
    uint32_t dbId = 0;
    uint32_t lenght1 = 0;
    uint32_t lenght2 = 0;
    uint32_t pcs = 0;
    uint32_t usedPcs1 = 0;
    uint32_t usedPcs2 = 0;
    uint8_t sectionOff = 0;
};

// S_PRT2: the piece table of one combination.
struct SPrt2Row {
    uint32_t combNo = 0;
    uint32_t dbId = 0;
    uint32_t lenght1 = 0;
    uint32_t lenght2 = 0;
    uint32_t pcs = 0;
    uint32_t usedPcs1 = 0;
    uint32_t usedPcs2 = 0;
    uint8_t sectionOff = 0;
};

// M_PRS, M_PRS2, M_PRSS: a demand list handed to the pattern search.
struct PrsRow {
    uint32_t id = 0;
    uint32_t lenght = 0;
    uint32_t pcs = 0;
};

// ---- Stock ----------------------------------------------------------------------------------

// M_PRL: usable stock lengths, shortest first.
struct PrlRow {
    uint32_t id = 0;
    uint32_t lenght = 0;
    uint32_t used = 0;
    int32_t stockQuantity = 0;
    int32_t externalQuantity = 0;
    int32_t processQuantity = 0;
    uint32_t dbId = 0;
    uint32_t scrap = 0;
    uint8_t useless = 0;
    uint32_t remanant = 0;

    // Bars of this length that may be taken: the three counts summed wide, as each may be near its
    // largest value.
    int64_t available() const { return int64_t(stockQuantity) + externalQuantity + processQuantity; }
};

// S_LEN: a stock length (PROFL:ID) the operator picked.
struct SLenRow {
    uint32_t id = 0;
};

// TBS2 / TB_SEPL: a length filter.
struct LengthRow {
    uint32_t length = 0;
};

// ---- Combinations -----------------------------------------------------------------------------

// M_PRC: one member length of a combination of stock lengths.
struct PrcRow {
    uint32_t step = 0;
    uint32_t lenght = 0;
    uint32_t quantity = 0;
};

// M_COMBINATION: bars available while one combination is worked.
struct CombinationRow {
    uint32_t lenght = 0;
    uint32_t quantity = 0;
    uint32_t scrap = 0;
    uint32_t useless = 0;
};

// ---- Bar patterns -----------------------------------------------------------------------------

// M_CS: the pieces of one bar pattern, in placing order.
struct CsRow {
    uint32_t id = 0;
    uint32_t lenght = 0;
};

// M_SS: the patterns of all candidate bars of one pass.
struct SsRow {
    uint32_t profileLenght = 0;
    uint32_t cutId = 0;     // 0 on a leftover row
    uint32_t cutLenght = 0;
};

// ---- Results ----------------------------------------------------------------------------------

// M_RESULTS, S_RESULTS, M_RESULTS_RECORD: the cutting plan of every combination tried.
struct ResultRow {
    uint32_t combNo = 0;
    uint32_t profileNo = 0;
    uint32_t profileLengt = 0;
    uint32_t cut = 0;
    uint32_t cutId = 0;     // 0 on a leftover row

    bool operator==(const ResultRow&) const = default;
};

// M_RANKING, G_RANKING: one costed row per solution. Lengths summed over a solution's bars are
// kept in 64 bits.
struct RankingRow {
    uint32_t combNo = 0;
    uint32_t profiles = 0;
    int64_t totalCuts = 0;
    int64_t totalUsed = 0;
    int64_t totalScrap = 0;
    int64_t pureScrap = 0;
    double totalCost = 0;
    uint32_t maxScrap = 0;
    uint32_t extensions = 0;
    int64_t reusedRemnant = 0;
};

// T_SEL_SOLUTION_ITEMS: the bars of the selected solution.
struct SolutionItemRow {
    uint32_t id = 0;
    uint32_t lenghtDbId = 0;
    uint32_t lenght = 0;
    uint32_t totalCutsLenght = 0;
    uint32_t scrap = 0;
    uint32_t printId = 0;
    std::string heatNo;
};

// T_SEL_SOLUTION_SUBITEMS: the pieces of the selected solution.
struct SolutionSubitemRow {
    uint32_t itemId = 0;
    uint32_t cutlenghtId = 0;
    uint32_t cutlenght = 0;
    std::string cutlenghtString;
    std::string order;
    std::string code;
    std::string descr1;
    std::string descr2;
};

using PrtTable = MemTable<PrtRow>;
using SPrtTable = MemTable<SPrtRow>;
using SPrt2Table = MemTable<SPrt2Row>;
using PrsTable = MemTable<PrsRow>;
using PrlTable = MemTable<PrlRow>;
using SLenTable = MemTable<SLenRow>;
using LengthTable = MemTable<LengthRow>;
using PrcTable = MemTable<PrcRow>;
using CombinationTable = MemTable<CombinationRow>;
using CsTable = MemTable<CsRow>;
using SsTable = MemTable<SsRow>;
using ResultTable = MemTable<ResultRow>;
using RankingTable = MemTable<RankingRow>;
using SolutionItemTable = MemTable<SolutionItemRow>;
using SolutionSubitemTable = MemTable<SolutionSubitemRow>;

} // namespace kadrel
