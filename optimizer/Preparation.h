#pragma once
// Preparation of one optimizer run: the demanded pieces of a profile (CREATECUTS) and its usable
// stock lengths (CREATELENGHTS). Both read their records through OptimizerInput, which either
// the database or a problem file provides.

#include "global/Records.h"
#include "optimizer/WorkTables.h"

#include <QString>

#include <optional>
#include <vector>

namespace global { class Dialogs; }

namespace kadrel {

// Where the optimizer reads the shared records from. Every call returns 0 on success or the
// table error code (35 record not found, or the storage engine's code). The list reads empty
// their out vector first and fill it with the whole key range.
// Sources: DatabaseInput (the program's database), ProblemFileInput (a problem file) and
// RecordSetInput (records held in memory).
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
    // What createCuts leaves as the shortest length when it takes no piece.
    static constexpr uint32_t NoPiece = 0xFFFFFFFFu;

    int64_t totalLenght = 0;       // PAR:TOTALLENGHT
    uint32_t minCut = 0;           // PAR:MINCUT; 0 until a demand was read
    uint64_t totalCuts = 0;        // PAR:TOTAL_CUTS
};

// The size of a demand, as the run limits count it.
struct DemandSize {
    uint64_t pieces = 0;        // a piece cut as two sections counts twice
    uint64_t lengths = 0;       // distinct lengths, sections included
    uint64_t totalLength = 0;   // summed length of every piece (saturates at the largest value)
};

// The message refusing a demand larger than the run limits (RunLimits.h), naming the limit it
// exceeds; nothing when the demand fits.
std::optional<QString> demandLimitMessage(const DemandSize& size);

// CREATECUTS: the demand of one order position (orderProfile > 0: its new and approved unblocked
// pieces) or of all orders of the profile (orderProfile 0: unblocked pieces of status 0 when
// status is 2, else of status 1). Clears lengths and refills it longest first; appends one row
// per cut record to pieces (callers empty it first when it must hold this demand only).
// A failing read, and a demand larger than the run limits, are shown through dialogs and answer
// Cancelled with lengths empty and pieces as they were. PAR:MINCUT is NoPiece when nothing was
// taken.
Response createCuts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                    uint32_t orderProfile, SPrtTable& pieces, PrtTable& lengths, CutsDemand& totals,
                    uint8_t status);

// CREATELENGHTS: the usable stock lengths of the profile, shortest first: the picked ones of
// selected (when it has rows) or else the active ones, never those blocked for selection, only
// lengths in lengthFilter (when it has rows), and only lengths with bars to offer. Clears and
// refills stock; remnantLenght is the profile's usable-remnant length (0 when the profile is
// missing). A failing read is shown through dialogs and answers Cancelled.
Response createLenghts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                       const SLenTable& selected, PrlTable& stock, uint32_t& remnantLenght,
                       const LengthTable& lengthFilter);

} // namespace kadrel
