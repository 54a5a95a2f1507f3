#pragma once
// The parameters of one optimizer call and the settings the run takes from the globals.

#include <cstdint>
#include <vector>

namespace kadrel {

// The methods a call may ask for. A new method is added here, with its number, and every place
// that accepts a method (problem files, both command lines) takes it.
enum class OptimizerMode : uint8_t {
    SinglePass = 0,       // one first-fit pass per bar, its last piece refilled
    EveryStart = 1,       // first-fit passes from every start piece, each refilled
    Levels = 2,           // level search over three pieces and a fill
    LevelsWithFill = 3,   // level search over two pieces and a fill
    LongestFirst = 4,     // level search starting every bar with its longest piece
    LowerBound = 5,       // plans with the lower bound of material (column generation)
    Last = LowerBound
};

// Whether a number names one of the methods above.
constexpr bool isKnownMode(int64_t mode)
{
    return mode >= 0 && mode <= static_cast<int64_t>(OptimizerMode::Last);
}

// Which pieces a call for all orders of a profile takes. The callers pass 0 (the orders list) or
// the number of the piece tab chosen in the catalogue; only Simulation changes what is taken.
enum class PieceStatusSelector : uint8_t {
    Approved = 0,      // approved pieces (the orders list)
    ApprovedTab = 1,   // approved pieces (tab "Zatwierdzone")
    Simulation = 2,    // new pieces of orders not yet approved (tab "Nowe"); nothing can be saved
    InProductionTab = 3,   // tab "W produkcji": approved pieces, as for every value but 2
    Last = InProductionTab
};

// Whether a number names one of the selectors above.
constexpr bool isKnownStatus(int64_t status)
{
    return status >= 0 && status <= static_cast<int64_t>(PieceStatusSelector::Last);
}

// The parameters of one optimizer call, in the order the callers pass them.
struct OptimizerCall {
    uint32_t profile = 0;                   // PAR:PROFILE (PRFT:ID)
    uint32_t orderProfile = 0;              // PAR:ORDERPROFILE (OPRF:ID), 0 = all pieces of the profile
    std::vector<uint32_t> selectedLengths;  // PROFL:IDs the operator tagged; empty = all usable lengths
    uint8_t mode = 0;                       // PAR:MODE, bar-pattern method (isKnownMode)
    uint8_t status = 0;                     // PAR:STATUS, piece-status selector (isKnownStatus)
    uint32_t extensions = 7;                // PAR:EXTENSIONS, preselection threshold
    uint32_t extend = 0;                    // PAR:EXTEND, shortest leftover used for a joint; 0 = no joints
};

// Method 5 plans with the lower bound of material (column generation) instead of the bar-pattern
// searches of methods 0 to 4.
constexpr uint8_t LowerBoundMethod = static_cast<uint8_t>(OptimizerMode::LowerBound);
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
