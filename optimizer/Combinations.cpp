#include "optimizer/Combinations.h"

#include "global/Services.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace kadrel {
namespace {

// A combination number is an unsigned 32-bit value: with more usable lengths 2^k - 1 would not fit.
constexpr std::size_t maxUsableLengths = 31;

struct Column {
    uint32_t lenght = 0;
    uint32_t quantity = 0;
};

// Bars of a length that can be used: internal, external and incoming stock together. A negative
// stock count offers no bars.
uint32_t availableBars(const PrlRow& row)
{
    const int64_t bars = int64_t(row.stockQuantity) + row.externalQuantity + row.processQuantity;
    return static_cast<uint32_t>(std::clamp<int64_t>(bars, 0, std::numeric_limits<uint32_t>::max()));
}

} // namespace

std::string decToBin(uint32_t decimal)
{
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + decimal % 2));
        decimal /= 2;
    } while (decimal != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

Response createLenghtsCombination(PrlTable& stock, PrcTable& combinations, uint32_t minCutLenght,
                                  int64_t totalLenght, global::Dialogs& dialogs)
{
    combinations.clear();

    std::vector<Column> columns;
    for (PrlRow& row : stock) {
        if (row.lenght < minCutLenght) {
            row.useless = 1;
            continue;
        }
        if (columns.size() == maxUsableLengths) {
            dialogs.message(QStringLiteral("Too big table descriptor. Limit = 31"));
            return Response::Cancelled;
        }
        columns.push_back({row.lenght, availableBars(row)});
    }

    // The binary digits of a combination number, padded to k digits, say from the left which
    // columns belong to it: the leftmost digit is the first (shortest) usable length, so
    // combination 1 is the longest length alone and 2^k - 1 is all of them.
    const std::size_t k = columns.size();
    const uint64_t count = (uint64_t(1) << k) - 1;
    std::vector<PrcRow> members;
    members.reserve(k);
    for (uint64_t number = 1; number <= count; ++number) {
        members.clear();
        unsigned __int128 available = 0;
        for (std::size_t d = 0; d < k; ++d) {
            if (((number >> (k - 1 - d)) & 1u) == 0)
                continue;
            members.push_back({static_cast<uint32_t>(number), columns[d].lenght, columns[d].quantity});
            available += static_cast<unsigned __int128>(columns[d].lenght) * columns[d].quantity;
        }
        // Bars that cannot together hold the whole demand: the combination is dropped whole.
        if (totalLenght > 0 && available < static_cast<unsigned __int128>(totalLenght))
            continue;
        for (const PrcRow& member : members)
            combinations.append(member);
    }

    if (combinations.empty()) {
        dialogs.message(QStringLiteral("Brak możliwości wycięcia z długości dostępnych"));
        return Response::Cancelled;
    }
    return Response::Completed;
}

} // namespace kadrel
