#pragma once
// A small cutting problem held in memory for calculation tests: one profile with its stock lengths,
// order positions and pieces, served through the same keys as the database.

#include "global/ScriptedServices.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/RecordSetInput.h"

#include <memory>

namespace kadrel::fixture {

struct CalcProblem : RecordSetInput {
    static constexpr uint32_t ProfileId = 1;

    explicit CalcProblem(uint32_t remnantLenght = 1000);

    global::ProfileRecord& profile() { return profiles.front(); }
    // A stock length of the profile; typical = 1 for a catalogue bar length, 0 for a stock remnant.
    global::ProfileLengthRecord& stockLength(uint32_t id, uint32_t lenght, int32_t intStock,
                                             uint32_t typical = 1);
    // An approved piece of the profile (order 1, position 5 unless given).
    global::CutRecord& piece(uint32_t id, uint32_t lenght, uint32_t pcs, uint32_t orderProfileId = 5);
    global::OrderRecord& order(uint32_t id, uint16_t status);
    global::OrderProfileRecord& position(uint32_t id, uint32_t orderId);
};

// A run over a problem with scripted dialogs, a memory clipboard and a fixed clock.
struct RunHarness {
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    std::unique_ptr<OptimizerRun> run;

    OptimizerRun& start(CalcProblem& problem, const OptimizerCall& call, RunSettings settings = {});
};

OptimizerCall callFor(uint8_t mode, uint32_t extensions = 7, uint32_t extend = 0);

} // namespace kadrel::fixture
