#pragma once
// A cutting problem stored as a JSON file: the settings, the profile with its stock lengths, the order
// positions and pieces, and the parameters of the optimizer call. Lets the optimizer run, and other
// programs drive it, without a database.

#include "optimizer/RecordSetInput.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace kadrel {

struct ProblemSettings {
    uint32_t sawWidth = 5;        // GLO:Saw_Width
    uint32_t extTolerance = 10;   // GLO:EXT_TOLERANCE
};

// The parameters of the optimizer call after the profile.
struct ProblemCall {
    uint32_t orderProfile = 0;              // PAR:ORDERPROFILE, 0 = all orders of the profile
    std::vector<uint32_t> selectedLengths;  // PROFL:IDs the operator picked
    uint8_t mode = 0;                       // PAR:MODE, a known method (isKnownMode)
    uint8_t status = 0;                     // PAR:STATUS, a known selector (isKnownStatus)
    uint32_t extensions = 7;                // PAR:EXTENSIONS
    uint32_t extend = 0;                    // PAR:EXTEND
};

struct ProblemFile {
    ProblemSettings settings;
    global::ProfileRecord profile;
    std::vector<global::ProfileLengthRecord> lengths;       // profileId set to the profile's id
    std::vector<global::OrderProfileRecord> orderProfiles;
    std::vector<global::CutRecord> cuts;                    // profileId set to the profile's id
    ProblemCall call;

    // The selected lengths as the preparation takes them.
    SLenTable selectedLengthTable() const;
};

// Reads and checks a problem file. On failure returns false and error names the file and what is
// wrong with it (not JSON by the letter of its grammar, a required field missing, a negative or
// fractional number, a length below 1 or above RunLimits::MaxLength, a piece count above
// RunLimits::MaxPieces, an unknown method or status selector, two stock records of one length, ...).
bool readProblemFile(const QString& path, ProblemFile& problem, QString& error);
// The same for text already read; source names it in the error.
bool parseProblem(const QByteArray& json, const QString& source, ProblemFile& problem, QString& error);

// The problem's records served to the preparation through the database's keys and orders.
class ProblemFileInput : public RecordSetInput {
public:
    explicit ProblemFileInput(const ProblemFile& problem);
};

} // namespace kadrel
