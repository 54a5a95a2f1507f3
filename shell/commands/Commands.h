#pragma once
// The commands of `barmond`: with a command the program opens no window and needs no display.
//
//   barmond [--data-dir DIR] GROUP COMMAND [OPTIONS...]      e.g. barmond database convert --yes
//   barmond help                                             lists the commands
//
// Messages go to standard error as the message boxes would show them; a command prints on success
// one line saying what it did. A question the window would ask is answered by an option (--yes);
// without it the command stops before writing anything and names the option. Exit status: 0 done,
// 1 refused or failed, 2 a bad command line (the usage is printed). Every command lives in a file
// of its own and is listed once in the table of Commands.cpp.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace shell::commands {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Where a command writes: the line of what it did, and its messages.
struct Console {
    QTextStream& out;
    QTextStream& err;
    // A message as a message box shows it, "|" starting a new line.
    void message(const QString& text) const;
};

// Whether the program's arguments (without the program name and Qt's own options) name a command
// rather than starting the desktop program.
bool namesCommand(const QStringList& arguments);

// Runs the command the arguments name; returns the exit status.
int run(const QStringList& arguments, Console console);

// The usage text listing every command.
QString usageText();

// ---- the commands (each: its options after the command's words, the data directory) ----
int databaseConvert(const QStringList& options, const QString& dataDir, Console console);   // DatabaseCommands.cpp
int databaseCopy(const QStringList& options, const QString& dataDir, Console console);      // DatabaseCommands.cpp
int databaseCheck(const QStringList& options, const QString& dataDir, Console console);     // DatabaseCommands.cpp
int stock(const QStringList& options, const QString& dataDir, Console console);             // StockCommands.cpp
int orders(const QStringList& options, const QString& dataDir, Console console);            // OrderCommands.cpp
int profiles(const QStringList& options, const QString& dataDir, Console console);          // OrderCommands.cpp
int transactions(const QStringList& options, const QString& dataDir, Console console);      // TransactionCommands.cpp
int cuts(const QStringList& options, const QString& dataDir, Console console);              // CutCommands.cpp

// Whether the command draws a report (transactions print, orders print) and so needs Qt's graphics.
bool drawsReports(const QStringList& arguments);

} // namespace shell::commands
