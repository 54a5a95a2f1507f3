#pragma once
// The parameters of one optimizer call and the settings the run takes from the globals.

#include <cstdint>
#include <vector>

namespace kadrel {

// The parameters of one optimizer call, in the order the callers pass them.
struct OptimizerCall {
    uint32_t profile = 0;                   // PAR:PROFILE (PRFT:ID)
    uint32_t orderProfile = 0;              // PAR:ORDERPROFILE (OPRF:ID), 0 = all pieces of the profile
    std::vector<uint32_t> selectedLengths;  // PROFL:IDs the operator tagged; empty = all usable lengths
    uint8_t mode = 0;                       // PAR:MODE, bar-pattern method
    uint8_t status = 0;                     // PAR:STATUS, 2 = simulation of orders not yet approved
    uint32_t extensions = 7;                // PAR:EXTENSIONS, preselection threshold
    uint32_t extend = 0;                    // PAR:EXTEND, shortest leftover used for a joint; 0 = no joints
};

// Method 5 plans with the lower bound of material (column generation) instead of the bar-pattern
// searches of methods 0 to 4.
constexpr uint8_t LowerBoundMethod = 5;
inline bool plansWithLowerBound(uint8_t mode) { return mode == LowerBoundMethod; }

// Settings the run takes from the program's globals when it starts.
struct RunSettings {
    uint32_t sawWidth = 5;          // GLO:Saw_Width
    uint32_t extTolerance = 10;     // GLO:EXT_TOLERANCE
    // Control time in minutes after which the operator is asked whether to stop; 10000 or more
    // means no control. The window starts with 1 minute.
    uint32_t controlTimeLimit = 1;
    // Seconds after which method 5 returns the best plan found with its bound.
    uint32_t timeLimitSeconds = 10;
};

} // namespace kadrel
