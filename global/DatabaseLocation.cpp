#include "global/DatabaseLocation.h"

#include "global/DataDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSettings>
#include <QUrl>

namespace global {

QString DatabaseLocation::displayName() const
{
    if (!isPostgres())
        return QDir::toNativeSeparators(filePath);
    const QString who = user.isEmpty() ? QString() : user + QLatin1Char('@');
    // The folder of a Unix socket is written percent-encoded, as the PostgreSQL client writes it.
    const QString server = host.contains(QLatin1Char('/')) ? QString::fromLatin1(QUrl::toPercentEncoding(host)) : host;
    // Joined piece by piece: an encoded folder holds "%2F", which arg() would take for a place marker.
    return QStringLiteral("postgresql://") + who + server + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + name;
}

DatabaseLocation parsePostgresAddress(const QString& address)
{
    DatabaseLocation location;
    location.engine = DatabaseLocation::Engine::Postgres;
    const QString text = address.trimmed();
    const bool known = text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
    if (!known) {
        location.error = QStringLiteral("Nieznany adres bazy danych \"%1\" (oczekiwano postgresql://użytkownik@serwer:port/baza).")
                             .arg(address);
        return location;
    }
    QString rest = text.mid(text.indexOf(QLatin1String("://")) + 3);
    const int slash = rest.indexOf(QLatin1Char('/'));
    QString authority = slash < 0 ? rest : rest.left(slash);
    location.name = slash < 0 ? QString() : QUrl::fromPercentEncoding(rest.mid(slash + 1).toUtf8());
    if (const int at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        location.user = QUrl::fromPercentEncoding(authority.left(at).toUtf8());
        authority = authority.mid(at + 1);
    }
    if (location.user.contains(QLatin1Char(':'))) {
        location.error = QStringLiteral("Adres bazy danych nie może zawierać hasła; hasło odczytuje się z pliku haseł "
                                        "PostgreSQL (~/.pgpass).");
        return location;
    }
    if (const int colon = authority.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        bool valid = false;
        location.port = authority.mid(colon + 1).toInt(&valid);
        if (!valid || location.port <= 0 || location.port > 65535) {
            location.error = QStringLiteral("Błędny numer portu w adresie bazy danych \"%1\".").arg(address);
            return location;
        }
        authority = authority.left(colon);
    }
    location.host = QUrl::fromPercentEncoding(authority.toUtf8());
    if (location.host.isEmpty())
        location.host = QStringLiteral("localhost");
    if (location.name.isEmpty())
        location.error = QStringLiteral("Adres bazy danych \"%1\" nie podaje nazwy bazy.").arg(address);
    return location;
}

DatabaseLocation chooseDatabase(const QString& dataDir)
{
    DatabaseLocation file;
    file.filePath = databaseFile(dataDir);
    const QString variable = qEnvironmentVariable(databaseVariable()).trimmed();
    if (variable.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
        return file;
    if (!variable.isEmpty()) {
        DatabaseLocation chosen = parsePostgresAddress(variable);
        chosen.filePath = file.filePath;
        return chosen;
    }
    QSettings ini(iniFile(dataDir), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Database"));
    const QString driver = ini.value(QStringLiteral("Driver")).toString().trimmed().toUpper();
    if (driver.isEmpty() || driver == QLatin1String("QSQLITE"))
        return file;
    DatabaseLocation chosen = file;
    chosen.engine = DatabaseLocation::Engine::Postgres;
    if (driver != QLatin1String("QPSQL")) {
        chosen.error = QStringLiteral("Nieznany sterownik bazy danych \"%1\" w pliku %2 (znane: QSQLITE, QPSQL).")
                           .arg(driver, QDir::toNativeSeparators(iniFile(dataDir)));
        return chosen;
    }
    chosen.host = ini.value(QStringLiteral("Host"), QStringLiteral("localhost")).toString();
    chosen.port = ini.value(QStringLiteral("Port"), 5432).toInt();
    chosen.name = ini.value(QStringLiteral("Name")).toString();
    chosen.user = ini.value(QStringLiteral("User")).toString();
    if (chosen.name.isEmpty()) {
        chosen.error = QStringLiteral("Plik %1 nie podaje nazwy bazy danych (Name w sekcji [Database]).")
                           .arg(QDir::toNativeSeparators(iniFile(dataDir)));
    }
    return chosen;
}

namespace {

const QLatin1String UnusableChoice("postgresql-unusable:");

// The DB folders of the data directories that chose each server database.
QMutex foldersLock;
QHash<QString, QString>& folderOfServerDatabase()
{
    static QHash<QString, QString> folders;
    return folders;
}

} // namespace

bool isServerAddress(const QString& address)
{
    return address.startsWith(QLatin1String("postgresql://")) || address.startsWith(QLatin1String("postgres://"))
        || address.startsWith(UnusableChoice);
}

// A choice that cannot be used keeps its message in its address, so that opening it refuses with it.
QString addressOf(const DatabaseLocation& location)
{
    if (!location.isPostgres())
        return location.filePath;
    if (!location.ok())
        return UnusableChoice + location.error;
    return location.displayName();
}

DatabaseLocation locationFromAddress(const QString& address)
{
    if (address.startsWith(UnusableChoice)) {
        DatabaseLocation unusable;
        unusable.engine = DatabaseLocation::Engine::Postgres;
        unusable.error = address.mid(UnusableChoice.size());
        return unusable;
    }
    if (isServerAddress(address))
        return parsePostgresAddress(address);
    DatabaseLocation file;
    file.filePath = address;
    return file;
}

QString chosenDatabaseAddress(const QString& dataDir)
{
    const DatabaseLocation chosen = chooseDatabase(dataDir);
    const QString address = addressOf(chosen);
    if (chosen.isPostgres() && chosen.ok()) {
        QMutexLocker lock(&foldersLock);
        folderOfServerDatabase().insert(address, databaseFolder(dataDir));
    }
    return address;
}

DatabaseLocation locationOf(const Database& db)
{
    return locationFromAddress(db.filePath());
}

bool isOnServer(const Database& db)
{
    return isServerAddress(db.filePath());
}

QString databaseName(const Database& db)
{
    if (!isOnServer(db))
        return QDir::toNativeSeparators(db.filePath());
    const DatabaseLocation location = locationOf(db);
    return location.ok() ? location.displayName() : location.error;
}

Database databaseAt(const DatabaseLocation& location)
{
    return Database::atFile(addressOf(location));
}

QString databaseFolderOf(const Database& db)
{
    if (!isOnServer(db))
        return QFileInfo(db.filePath()).absolutePath();
    QMutexLocker lock(&foldersLock);
    return folderOfServerDatabase().value(db.filePath(), databaseFolder(QDir::currentPath()));
}

} // namespace global
