#pragma once
// What every command works with: its words and options, the database of the data directory, and
// services that need no person (messages to standard error, questions answered by --yes).

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Services.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace shell {

enum ExitStatus { ExitDone = 0, ExitRefused = 1, ExitUsage = 2 };

// A bad command line: the message, then the usage, exit 2.
struct UsageError {
    QString text;
};

// The words and options of one command line ("--name value", "--name=value", flags without value).
class CommandLine {
public:
    // flags: the options that take no value.
    CommandLine(const QStringList& arguments, const QStringList& flags);

    const QStringList& words() const { return words_; }
    bool has(const QString& name) const { return options_.contains(name); }
    QString text(const QString& name) const { return options_.value(name); }
    // Throws UsageError when the option is missing (required) or not a whole number in range.
    uint32_t unsignedNumber(const QString& name) const;
    std::optional<int32_t> signedNumber(const QString& name) const;
    std::optional<uint32_t> optionalUnsigned(const QString& name) const;
    std::optional<bool> flag01(const QString& name) const;
    // Throws UsageError naming the first option that is not among the allowed ones.
    void allowOnly(const QStringList& names) const;

private:
    QStringList words_;
    QMap<QString, QString> options_;
};

// Messages to standard error ("|" starts a new line); a question is answered with its first button
// when --yes was given, else with its last one, and the command then names the option.
class CommandDialogs : public global::Dialogs {
public:
    explicit CommandDialogs(bool yes) : yes_(yes) {}
    void message(const QString& text, const QString& caption = {}) override;
    int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) override;
    bool leftUnanswered() const { return unanswered_; }

private:
    bool yes_;
    bool unanswered_ = false;
};

struct CommandContext {
    CommandContext(const CommandLine& line, const QString& dataDir);

    // Opens the database; on failure shows why and returns false.
    bool openDatabase();
    // Writes one line (or the JSON object) to standard output.
    void print(const QString& line);

    const CommandLine& line;
    CommandDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::SystemClock clock;
    global::SystemIdentity identity;
    global::Services services;
    global::Database database;
};

} // namespace shell
