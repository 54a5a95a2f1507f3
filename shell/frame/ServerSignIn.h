#pragma once
// Signing in to a server database at start-up. When the server asks for a password the PostgreSQL
// client library does not have (nothing in ~/.pgpass or the service file), the operator is asked
// for it; a password the server refuses is asked for again, a few times at most. The password
// typed is kept in this process's memory only (ServerPassword.h) and every connection the program
// opens to that database, on any thread, uses it. Cancel forgets what was typed: opening the
// database then refuses with its usual message and the program does not start.

#include "global/ServerPassword.h"

#include <QCoreApplication>
#include <QString>

namespace global {
class Database;
}

namespace shell {

class ServerSignIn {
    Q_DECLARE_TR_FUNCTIONS(ServerSignIn)
public:
    static constexpr int MaxAttempts = 3;

    enum class Outcome {
        NotNeeded,   // a database file, or a server that needs no password typed
        SignedIn,    // the server accepted a password the operator typed
        Cancelled,   // the operator cancelled the question
        Refused,     // the server refused every password typed
    };

    ServerSignIn(const global::Database& db, global::PasswordPrompt& prompt);

    // Asks while the server wants a password it does not accept. Any other failure of the server is
    // left to the opening of the database, which reports it.
    Outcome run();

    // The question for the database at location after the last attempt, and its caption.
    static QString question(const global::DatabaseLocation& location, const global::SignInResult& last);
    static QString caption();

private:

    const global::Database& db_;
    global::PasswordPrompt& prompt_;
};

} // namespace shell
