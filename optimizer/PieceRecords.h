#pragma once
// The cut records and orders behind the pieces of a solution, read once each. The duplicate
// check, the cut lists and the extensions export look up a piece's code, descriptions and order
// through it; a record that does not exist reads as missing, which those procedures accept.

#include "global/Records.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace global { class Database; }

namespace kadrel {

class PieceRecords {
public:
    explicit PieceRecords(global::Database& db) : db_(db) {}

    // The cut record, or nullptr when there is none (or it cannot be read: see errorCode()). The
    // pointers stay valid as long as this object lives.
    const global::CutRecord* cut(uint32_t cutId);
    // The order, or nullptr.
    const global::OrderRecord* order(uint32_t orderId);
    // The order of a cut record, or nullptr.
    const global::OrderRecord* orderOfCut(uint32_t cutId);

    // The last read error other than "not found" (0 when none).
    int errorCode() const { return errorCode_; }

private:
    global::Database& db_;
    // Node-based maps: the records handed out stay where they are while others are added.
    std::unordered_map<uint32_t, global::CutRecord> cuts_;
    std::unordered_map<uint32_t, global::OrderRecord> orders_;
    std::unordered_set<uint32_t> missingCuts_;
    std::unordered_set<uint32_t> missingOrders_;
    int errorCode_ = 0;
};

} // namespace kadrel
