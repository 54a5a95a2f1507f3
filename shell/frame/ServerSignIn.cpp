#include "shell/frame/ServerSignIn.h"

#include "global/Database.h"
#include "global/DatabaseLocation.h"

namespace shell {

ServerSignIn::ServerSignIn(const global::Database& db, global::PasswordPrompt& prompt) : db_(db), prompt_(prompt) {}

ServerSignIn::Outcome ServerSignIn::run()
{
    if (!global::isOnServer(db_))
        return Outcome::NotNeeded;
    const global::DatabaseLocation location = global::locationOf(db_);
    const QString address = db_.filePath();
    bool typed = false;
    for (int attempt = 0;; ++attempt) {
        const global::SignInResult tried = global::trySignIn(location);
        const bool wantsPassword = tried.outcome == global::SignIn::PasswordMissing
                                   || tried.outcome == global::SignIn::PasswordRefused;
        if (!wantsPassword)
            return typed && tried.outcome == global::SignIn::Accepted ? Outcome::SignedIn : Outcome::NotNeeded;
        if (attempt == MaxAttempts)
            return Outcome::Refused;   // the last password stays: opening reports the server's refusal
        QString password;
        if (!prompt_.askPassword(question(location, tried), password, caption())) {
            global::forgetServerPassword(address);
            return Outcome::Cancelled;
        }
        global::rememberServerPassword(address, password);
        typed = true;
    }
}

QString ServerSignIn::question(const global::DatabaseLocation& location, const global::SignInResult& last)
{
    const QString user = location.user.isEmpty() ? qEnvironmentVariable("USER") : location.user;
    QString text;
    if (last.outcome == global::SignIn::PasswordRefused)
        text = tr("Serwer nie przyjął hasła: %1|").arg(last.serverMessage);
    text += tr("Baza danych %1 wymaga hasła użytkownika %2.").arg(location.displayName(), user)
            + tr("|Hasło nie zostanie nigdzie zapisane: program pamięta je do końca pracy.");
    return text;
}

QString ServerSignIn::caption()
{
    return tr("Hasło do bazy danych");
}

} // namespace shell
