#pragma once
// Records for preparation tests, built once and served by every optimizer input the program has: held
// in memory, written to a problem file and read back, stored in a database. A test states its
// records and expectations once and runs against each source.

#include "optimizer/Preparation.h"
#include "optimizer/RecordSetInput.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace kadrel::fixture {

struct Scenario {
    std::vector<global::OrderRecord> orders;
    std::vector<global::OrderProfileRecord> orderProfiles;
    std::vector<global::ProfileRecord> profiles;
    std::vector<global::ProfileLengthRecord> lengths;
    std::vector<global::CutRecord> cuts;

    global::ProfileRecord& profile(uint32_t id, uint32_t remnantLenght = 0);
    global::OrderProfileRecord& position(uint32_t id, uint32_t orderId, uint32_t profileId);
    global::CutRecord& cut(uint32_t id, uint32_t orderProfileId, uint16_t status, uint32_t lenght, uint32_t pcs);
    global::ProfileLengthRecord& length(uint32_t id, uint32_t profileId, uint32_t lenght, int32_t intStock,
                                        uint32_t extStock = 0, int32_t incomStock = 0);
};

enum class Source { Memory, ProblemFile, Database };
const char* sourceName(Source source);

// The scenario's records of one profile as a problem file.
QByteArray problemJson(const Scenario& scenario, uint32_t profileId);

// An input serving the scenario through the given source. A problem file holds one profile, so that
// source serves only the records of profileId (the others could never be read for it anyway).
// Holds what the source needs (a temporary database folder) until destroyed.
std::unique_ptr<OptimizerInput> makeInput(Source source, const Scenario& scenario, uint32_t profileId);

// The sources this build has.
std::vector<Source> allSources();

} // namespace kadrel::fixture
