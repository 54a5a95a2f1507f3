#include "global/ServerPassword.h"

#include <QHash>
#include <QMutex>

#include <libpq-fe.h>

#include <memory>

namespace global {

namespace {

QMutex passwordsLock;

QHash<QString, QString>& typedPasswords()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

class NoPasswordPrompt : public PasswordPrompt {
public:
    bool askPassword(const QString&, QString&, const QString&) override { return false; }
};

struct ConnectionCloser {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};

} // namespace

void rememberServerPassword(const QString& address, const QString& password)
{
    QMutexLocker lock(&passwordsLock);
    typedPasswords().insert(address, password);
}

void forgetServerPassword(const QString& address)
{
    QMutexLocker lock(&passwordsLock);
    typedPasswords().remove(address);
}

bool typedServerPassword(const QString& address, QString& password)
{
    QMutexLocker lock(&passwordsLock);
    const auto found = typedPasswords().constFind(address);
    if (found == typedPasswords().constEnd())
        return false;
    password = *found;
    return true;
}

SignInResult trySignIn(const DatabaseLocation& location)
{
    SignInResult result;
    if (!location.isPostgres() || !location.ok()) {
        result.serverMessage = location.error;
        return result;
    }
    // The same parts the program's connections are made of; what is not given here the client
    // library takes from its environment, password file and service file as always.
    const QByteArray host = location.host.toUtf8();
    const QByteArray port = QByteArray::number(location.port);
    const QByteArray name = location.name.toUtf8();
    const QByteArray user = location.user.toUtf8();
    QString typed;
    const bool hasTyped = typedServerPassword(location.displayName(), typed);
    const QByteArray password = typed.toUtf8();
    std::vector<const char*> keys{"host", "port", "dbname", "connect_timeout", "application_name"};
    std::vector<const char*> values{host.constData(), port.constData(), name.constData(), "10", "barmond"};
    if (!location.user.isEmpty()) {
        keys.push_back("user");
        values.push_back(user.constData());
    }
    if (hasTyped) {
        keys.push_back("password");
        values.push_back(password.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    std::unique_ptr<PGconn, ConnectionCloser> connection(PQconnectdbParams(keys.data(), values.data(), 0));
    if (!connection) {
        result.serverMessage = QStringLiteral("brak pamięci na połączenie");
        return result;
    }
    if (PQstatus(connection.get()) == CONNECTION_OK) {
        result.outcome = SignIn::Accepted;
        return result;
    }
    result.serverMessage = QString::fromUtf8(PQerrorMessage(connection.get())).trimmed();
    if (PQconnectionNeedsPassword(connection.get()))
        result.outcome = SignIn::PasswordMissing;
    else if (PQconnectionUsedPassword(connection.get()))
        result.outcome = SignIn::PasswordRefused;
    return result;
}

QString passwordMissingText(const DatabaseLocation& location)
{
    const QString user = location.user.isEmpty() ? qEnvironmentVariable("USER") : location.user;
    return QStringLiteral("Serwer bazy danych %1 wymaga hasła użytkownika %2, którego biblioteka PostgreSQL nie zna. "
                          "Hasło zapisuje się w pliku haseł ~/.pgpass (albo w pliku wskazanym zmienną PGPASSFILE) "
                          "lub w pliku usług (~/.pg_service.conf albo PGSERVICEFILE); polecenia wiersza poleceń "
                          "nie pytają o hasło.")
        .arg(location.displayName(), user);
}

PasswordPrompt& noPasswordPrompt()
{
    static NoPasswordPrompt prompt;
    return prompt;
}

bool ScriptedPasswordPrompt::askPassword(const QString& text, QString& password, const QString&)
{
    asked_ << text;
    if (planned_.empty())
        return false;
    const std::optional<QString> answer = planned_.front();
    planned_.erase(planned_.begin());
    if (!answer)
        return false;
    password = *answer;
    return true;
}

} // namespace global
