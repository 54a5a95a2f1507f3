#pragma once
// The `kadrel` command line: a dispatcher that picks the command named by the first argument and hands
// it the rest. Every command lives in a file of its own (InitCommand.cpp, DemoCommand.cpp, ...), is
// declared here and is listed once in the command table of Dispatcher.cpp.
//
//   kadrel [--data-dir DIR] COMMAND [ARGS...]
//
// `--data-dir DIR` may stand anywhere on the line; the dispatcher takes it out before the command
// sees its arguments, and dataDirectory() tells every command where the data is.

#include <QString>
#include <QStringList>

#include <vector>

namespace global { class Database; class Dialogs; }

namespace kadrel::cli {

// Exit status of every command: done, ended with a message, or a bad command line / unreadable input.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

using CommandFunction = int (*)(const QStringList& args);

struct Command {
    const char* name;
    const char* usage;      // the line shown in the usage text, after "kadrel [--data-dir DIR] "
    const char* summary;    // one line saying what it does
    CommandFunction run;
};

// The commands the dispatcher knows, in the order the usage lists them.
const std::vector<Command>& commands();

// Runs the command line (the arguments after the program name); returns the exit status.
int dispatch(const QStringList& arguments);

// The usage text listing every command.
QString usageText();
// Prints the usage to standard error and returns ExitUsage; for commands refusing their arguments.
int usageError(const QString& problem = {});

// The data directory: the folder given with --data-dir, else $BARMOND_DATA, else the current folder.
QString dataDirectory();
void setDataDirectory(const QString& directory);

// Messages and questions of the procedures on the console (global/ConsoleDialogs.h): texts go to
// standard error ("|" starts a new line); a question that no option answers stops the command.
global::Dialogs& consoleDialogs();

// Opens (or creates) the data directory's database and loads the setup parameters into the globals,
// as the desktop program does when it starts; false after a message on the console.
bool openWithParameters(global::Database& db);

// Output for the user on standard output.
void printLine(const QString& text);

// ---- the commands ----
int runInit(const QStringList& args);   // InitCommand.cpp
int runDemo(const QStringList& args);   // DemoCommand.cpp
int runCalc(const QStringList& args);   // CalcCommand.cpp
int runAccept(const QStringList& args); // AcceptCommand.cpp
int runPrint(const QStringList& args);  // PrintCommand.cpp
int runExtensions(const QStringList& args);   // ExtensionsCommand.cpp
int runFormula(const QStringList& args);   // FormulaCommand.cpp

} // namespace kadrel::cli
