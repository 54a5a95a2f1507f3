#pragma once
// Which database a station works on: the SQLite file DB/barmond.db of the data directory (the
// default), or a database on a PostgreSQL server that several stations share.
//
// The choice, first found wins:
//   1. the option "--database postgresql://user@host:port/name" of either program (takeDataDirectory()
//      takes it off the command line and hands it on as BARMOND_DATABASE, so that every database
//      the process and the programs it starts open follow it);
//   2. the environment variable BARMOND_DATABASE (a postgresql:// address, or "sqlite" for the file);
//   3. the section [Database] of the data directory's Barmond.ini: Driver=QSQLITE or QPSQL, and for
//      QPSQL Host, Port, Name and User;
//   4. the SQLite file.
// A password is never kept in Barmond.ini nor taken from the address: the PostgreSQL client library
// reads it from the user's password file (~/.pgpass) or service file.
//
// A Database object is named by its address (Database::filePath()): the file's path, or for a
// server database "postgresql://user@host:port/name". The functions below tell them apart.

#include "global/Database.h"

#include <QString>

namespace global {

struct DatabaseLocation {
    enum class Engine { Sqlite, Postgres };
    Engine engine = Engine::Sqlite;
    QString filePath;   // SQLite: the database file
    QString host;       // PostgreSQL: a host name, or the folder of the server's Unix socket
    int port = 5432;
    QString name;       // the database's name on the server
    QString user;       // empty: the login name
    QString error;      // a choice that cannot be used (an address that cannot be read), in words

    bool isPostgres() const { return engine == Engine::Postgres; }
    bool ok() const { return error.isEmpty(); }
    // "postgresql://user@host:port/name", or the file's path.
    QString displayName() const;
};

// Reads "postgresql://[user@]host[:port]/name" (also "postgres://"); a host starting with "/" or
// written as "%2F..." names the folder of a Unix socket. Anything else is refused with error set.
DatabaseLocation parsePostgresAddress(const QString& address);

// The database of a data directory, chosen as described above.
DatabaseLocation chooseDatabase(const QString& dataDir);

// The environment variable that carries the choice to every database the process opens.
inline const char* databaseVariable() { return "BARMOND_DATABASE"; }

// ---- addresses --------------------------------------------------------------------------------
// True for an address that names a server database (or a server choice that cannot be used).
bool isServerAddress(const QString& address);
// The address of a location (the file's path, or the server's address); the location back from it.
QString addressOf(const DatabaseLocation& location);
DatabaseLocation locationFromAddress(const QString& address);
// The address of the database a data directory chooses (chooseDatabase()); for a server database
// it also remembers the data directory, whose DB folder then takes the backups.
QString chosenDatabaseAddress(const QString& dataDir);

// ---- a database's location --------------------------------------------------------------------
DatabaseLocation locationOf(const Database& db);
bool isOnServer(const Database& db);
// The database in words for messages and the status bar: the file (native separators), or
// postgresql://user@host:port/name.
QString databaseName(const Database& db);
// A database object at a location (not yet opened).
Database databaseAt(const DatabaseLocation& location);
// The folder beside which backups and the logo are kept: the file's folder, or for a server
// database the DB folder of the data directory that chose it (else of the current directory).
QString databaseFolderOf(const Database& db);

} // namespace global
