#pragma once
// The program's database: the file DB/barmond.db of a data directory, with the fifteen tables.
//
// One Database object stands for one station's access to the file. Each thread that works with
// it gets its own connection, opened on first use and closed when the thread ends, so the
// browses running on their own threads never share a connection. Every table is always open:
// a procedure simply makes Table<Record> objects (Table.h) over the database and drops them.
//
// Opening checks the file: a file that is not a database, a file or folder that cannot be written,
// or a database whose layout this version does not know, or that lacks tables, columns or keys
// (DatabaseLayout.h), is refused with one message naming the file and the problem
// (openErrorText()); nothing is written to such a file. A file of an older layout, and one of this
// layout lacking columns or keys, can be converted (LayoutConversion.h): needsConversion() tells
// so, and the message names the command that does it. Only a new, empty file gets the tables;
// opening a database of the current layout only reads it, so it never waits for another station.

#include "global/ErrorCodes.h"

#include <QString>
#include <QtSql/QSqlDatabase>
#include <atomic>

namespace global {

class Dialogs;

class Database {
public:
    // The layout version this program writes (kept in the file's user_version). Version 2: the
    // field map's external name binds only when filled in, types in upper case.
    static constexpr int SchemaVersion = 2;
    // The command line that converts an older file.
    static QString conversionCommand() { return QStringLiteral("barmond database convert"); }
    // Wait of a write outside an explicit transaction when another station holds the file.
    static constexpr int DefaultLockWaitMs = 5000;

    // A database at an explicit file path (tests, conversions).
    static Database atFile(const QString& filePath);
    // The database of a data directory (DataDirectory.h): <dataDir>/DB/barmond.db.
    explicit Database(const QString& dataDir);
    Database(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Opens the file for this thread, creating the DB folder, and the file with its tables and
    // indexes when it is new. Returns 0 or an error number (2, 5, 32, 47, 90); openErrorText() then
    // holds the message.
    int open();
    // open(), showing the message through the dialogs on failure. True when the database is usable.
    bool openOrReport(Dialogs& dialogs);
    bool isOpen() const { return open_; }
    QString openErrorText() const { return openError_; }
    // After a refused open(): the file is of an older layout, or of this one with columns or keys
    // missing, and the conversion would bring it up to date.
    bool needsConversion() const { return needsConversion_; }

    QString filePath() const { return filePath_; }

    // How long a single write outside a transaction waits for another station's lock
    // (DefaultLockWaitMs unless set; for connections opened after the call).
    void setLockWaitMs(int ms) { lockWaitMs_ = ms; }
    int lockWaitMs() const { return lockWaitMs_; }

    // This thread's connection (opened on demand after open() succeeded on any thread).
    QSqlDatabase connection();

    // ---- transactions (per thread) --------------------------------------------------------
    // Begins a transaction that holds the write lock, waiting up to waitMs for another station's
    // lock. Returns 0, or 32 with lastErrorText() naming the file and the wait. Nested begins join
    // the open transaction.
    int begin(int waitMs = 3000);
    // Commits the outermost transaction. Returns 0 or an error number (the work is rolled back).
    int commit();
    // Rolls back the whole open transaction of this thread, if any.
    void rollback();
    bool inTransaction();
    QString lastErrorText() const { return lastError_; }

    // ---- maintenance ------------------------------------------------------------------------
    // The names of the fifteen tables, in the order they are created.
    static QStringList tableNames();
    // Writes a consistent copy of the whole database to a new file (the file must not exist).
    // Returns 0, or an error number with lastErrorText() naming the file.
    int backupTo(const QString& copyFilePath);
    // Deletes every record of the named tables in one transaction (waiting up to waitMs for the
    // lock); nothing is deleted when any table fails. Returns 0 or an error number.
    int emptyTables(const QStringList& names, int waitMs = 3000);

    struct ThreadState;   // this thread's connection and transaction depth

private:
    Database() = default;
    ThreadState& state();
    QString connectionName() const;
    int checkLayout(QSqlDatabase& db);
    int createLayout(QSqlDatabase& db);
    int useWriteAheadLog(QSqlDatabase& db);

    QString filePath_;
    int instance_ = 0;
    int lockWaitMs_ = DefaultLockWaitMs;
    bool open_ = false;
    bool needsConversion_ = false;
    QString openError_;
    QString lastError_;
};

// Begins a transaction on construction and rolls it back on destruction unless committed.
class Transaction {
public:
    Transaction(Database& db, int waitMs);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int result() const { return begun_; }   // 0 when the transaction began
    bool ok() const { return begun_ == 0; }
    int commit();
    void rollback();

private:
    Database& db_;
    int begun_ = 0;
    bool finished_ = false;
};

} // namespace global
