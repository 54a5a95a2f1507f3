#pragma once
// The command line of the desktop program:
//   barmond [--data-dir DIR] [--demo]          (--demo: an empty database gets the sample data first)
//   barmond [--data-dir DIR] --optimize --profile N [--order-profile M] [--mode K] [--status S] [--extend L]
// The data directory (the folder holding DB/ and Barmond.ini) may also come from BARMOND_DATA.
// For documentation pictures: --language PL|EN (this run only) and --screenshot FILE.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace shell {

// One optimizer call started from the command line instead of from a list.
struct OptimizeRequest {
    uint32_t profile = 0;        // PRFT:ID
    uint32_t orderProfile = 0;   // OPRF:ID, 0 = every piece of the profile in the chosen status
    uint32_t mode = 0;           // bar-pattern method (kadrel::isKnownMode)
    uint32_t status = 0;         // piece-status selector (kadrel::isKnownStatus), 2 = simulation
    uint32_t extend = 0;         // minimum leftover usable for a joined piece, 0 = none
};

struct StartupOptions {
    QString dataDir;                          // absolute: --data-dir, BARMOND_DATA or the current directory
    std::optional<OptimizeRequest> optimize;  // set with --optimize
    bool demo = false;                        // --demo: fill an empty database with the sample first
    QString language;                         // --language PL|EN: texts of this run, the setting stays
    QString screenshot;                       // --screenshot FILE: save a picture of the frame and end
};

struct StartupParse {
    StartupOptions options;
    QString error;    // empty when the command line was understood
    bool ok() const { return error.isEmpty(); }
};

// Reads the arguments (without the program name).
StartupParse parseStartup(const QStringList& arguments);

// How to call the program, for the error output.
QString startupUsage();

} // namespace shell
