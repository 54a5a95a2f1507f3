#pragma once
// The command mode of the desktop program: `barmond COMMAND ...` runs one procedure without a window
// and ends. Messages go to standard error, the result line (or one JSON object with --json) to
// standard output. Exit status: 0 done, 1 refused or failed (nothing written), 2 a bad command line.

#include <QString>
#include <QStringList>

namespace shell {

// Whether the arguments (without the program name) name a command rather than starting the program.
bool isCommand(const QStringList& arguments);

// Runs the command; a QCoreApplication must exist. Returns the exit status.
int runCommand(const QStringList& arguments);

// The commands with their options, as `barmond help` prints them.
QString commandUsage();

} // namespace shell
