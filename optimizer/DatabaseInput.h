#pragma once
// The optimizer's records read from the program's database, through the keys the preparation names.

#include "optimizer/Preparation.h"

namespace global { class Database; }

namespace kadrel {

class DatabaseInput : public OptimizerInput {
public:
    explicit DatabaseInput(global::Database& db) : db_(db) {}

    int fetchOrder(uint32_t orderId, global::OrderRecord& out) override;
    int fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out) override;
    int fetchProfile(uint32_t profileId, global::ProfileRecord& out) override;
    int fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out) override;
    int cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId,
                           std::vector<global::CutRecord>& out) override;
    int cutsOfProfileStatus(uint32_t profileId, uint16_t status,
                            std::vector<global::CutRecord>& out) override;
    int activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) override;
    int lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) override;

private:
    global::Database& db_;
};

} // namespace kadrel
