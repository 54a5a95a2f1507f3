#pragma once
// The password of a server database. It is never written anywhere: the PostgreSQL client library
// reads it from the user's password file (~/.pgpass, or the file PGPASSFILE names) or service file;
// when the server asks for one the library does not have, the desktop program asks the operator,
// and the password typed is kept in this process's memory only, for every connection the process
// opens to that database on any thread (Database::connection() takes it from here). Commands on
// the command line never ask: they refuse with a message naming the password file.

#include "global/DatabaseLocation.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace global {

// ---- the passwords typed during this run ------------------------------------------------------
// Keyed by the database's address (DatabaseLocation::displayName(): user, server, port, name).
void rememberServerPassword(const QString& address, const QString& password);
void forgetServerPassword(const QString& address);
// The password typed for the database; false when none was typed during this run.
bool typedServerPassword(const QString& address, QString& password);

// ---- signing in to the server ------------------------------------------------------------------
enum class SignIn {
    Accepted,          // the server let the user in
    PasswordMissing,   // the server asks for a password and the client library has none
    PasswordRefused,   // a password was given and the server refused the sign-in
    Failed,            // any other failure (server not reachable, no such database or user, ...)
};

struct SignInResult {
    SignIn outcome = SignIn::Failed;
    QString serverMessage;   // the client library's message when not accepted
};

// Tries to sign in to the server database at location with the password typed during this run, if
// any, else with what the client library finds itself (password file, service file, environment).
// Opens one connection and closes it again.
SignInResult trySignIn(const DatabaseLocation& location);

// The refusal when a server asks for a password the client library does not have, naming where the
// library looks for it.
QString passwordMissingText(const DatabaseLocation& location);

// Dialogs-like service of the desktop program: a field whose text is not shown. Tests plan answers.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    // Shows text with a password field; true and the password when the operator confirmed, false
    // when he cancelled.
    virtual bool askPassword(const QString& text, QString& password, const QString& caption = {}) = 0;
};

// The prompt of the command line: nobody to ask, every question counts as cancelled.
PasswordPrompt& noPasswordPrompt();

// Planned answers for tests: each a password, or std::nullopt for Cancel; when the plan is used up
// every further question is cancelled. Records every text asked.
class ScriptedPasswordPrompt : public PasswordPrompt {
public:
    void planPasswords(std::vector<std::optional<QString>> answers) { planned_ = std::move(answers); }
    bool askPassword(const QString& text, QString& password, const QString& caption = {}) override;
    QStringList asked() const { return asked_; }

private:
    std::vector<std::optional<QString>> planned_;
    QStringList asked_;
};

} // namespace global
