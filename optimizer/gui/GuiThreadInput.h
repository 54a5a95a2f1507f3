#pragma once
// The optimizer window computes on a worker thread; the records the calculation reads are read on
// the window's thread, which owns the database connection. The worker waits for each read.

#include "optimizer/Preparation.h"
#include "ui/threads/GuiThreadBridge.h"

namespace kadrel {

class GuiThreadInput : public OptimizerInput {
public:
    explicit GuiThreadInput(OptimizerInput& target) : target_(target) {}

    int fetchOrder(uint32_t orderId, global::OrderRecord& out) override;
    int fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out) override;
    int fetchProfile(uint32_t profileId, global::ProfileRecord& out) override;
    int fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out) override;
    int cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId, std::vector<global::CutRecord>& out) override;
    int cutsOfProfileStatus(uint32_t profileId, uint16_t status, std::vector<global::CutRecord>& out) override;
    int activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) override;
    int lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) override;

private:
    OptimizerInput& target_;
    ui::GuiThreadBridge bridge_;
};

} // namespace kadrel
