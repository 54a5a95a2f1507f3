#pragma once
// Preparation of one optimizer run: the demanded pieces of a profile (CREATECUTS) and its usable
// stock lengths (CREATELENGHTS). Both read their records through OptimizerInput, which either
// the database or a problem file provides.

#include "Records.h"
#include "WorkTables.h"

#include <vector>

namespace global { class Dialogs; }

namespace kadrel {

// Where the optimizer reads the shared records from. Every call returns 0 on success or the
// table error code (35 record not found, or the storage engine's code).
class OptimizerInput {
public:
    virtual ~OptimizerInput() = default;

    virtual int fetchOrder(uint32_t orderId, global::OrderRecord& out) = 0;
    virtual int fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out) = 0;
    virtual int fetchProfile(uint32_t profileId, global::ProfileRecord& out) = 0;
    virtual int fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out) = 0;

    // CUTS of one order position in the order of CUT:By_Order_Profile (longest first, then id).
    virtual int cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId,
                                   std::vector<global::CutRecord>& out) = 0;
    // CUTS of a profile with one status in the order of CUT:By_Profile_Status.
    virtual int cutsOfProfileStatus(uint32_t profileId, uint16_t status,
                                    std::vector<global::CutRecord>& out) = 0;
    // Active (status 0) stock lengths of a profile in the order of PROFL:Profile_Active.
    virtual int activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) = 0;
    // All stock lengths of a profile in the order of PROFL:By_Profile (longest first, then id).
    virtual int lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) = 0;
};

struct CutsDemand {
    int64_t totalLenght = 0;       // PAR:TOTALLENGHT
    uint32_t minCut = 0xFFFFFFFFu; // PAR:MINCUT
    uint32_t totalCuts = 0;        // PAR:TOTAL_CUTS
};

// CREATECUTS: clears lengths, appends to pieces.
Response createCuts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                    uint32_t orderProfile, SPrtTable& pieces, PrtTable& lengths, CutsDemand& totals,
                    uint8_t status);

// CREATELENGHTS: clears and refills stock; remnantLenght is the profile's usable-remnant length.
Response createLenghts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                       const SLenTable& selected, PrlTable& stock, uint32_t& remnantLenght,
                       const LengthTable& lengthFilter);

} // namespace kadrel
