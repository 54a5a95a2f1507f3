#pragma once
// An optimizer input over records held in memory (a problem file, a test's fixture). It serves them
// through the same keys and in the same orders as the database does, sorting on every read.

#include "optimizer/Preparation.h"

#include <vector>

namespace kadrel {

class RecordSetInput : public OptimizerInput {
public:
    std::vector<global::OrderRecord> orders;
    std::vector<global::OrderProfileRecord> orderProfiles;
    std::vector<global::ProfileRecord> profiles;
    std::vector<global::ProfileLengthRecord> lengths;
    std::vector<global::CutRecord> cuts;

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
};

} // namespace kadrel
