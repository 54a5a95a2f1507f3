#include "global/Database.h"

#include "global/DataDirectory.h"
#include "global/DatabaseCopy.h"
#include "global/DatabaseLocation.h"
#include "global/DatabaseLayout.h"
#include "global/ServerPassword.h"
#include "global/Services.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <QThreadStorage>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

namespace global {

struct Database::ThreadState {
    QString connection;
    int depth = 0;
};

namespace {

std::atomic<int> nextInstance{1};
std::atomic<quint64> nextThreadConnections{1};

// The connections one thread opened, one per database object. Qt deletes a thread's set when the
// thread ends, alike for threads it started (before wait() returns to whoever waits for them) and
// for threads it did not start (a std::thread), while it still knows the thread; the main thread's
// goes with the application object. So every connection is closed on the thread that opened it.
struct ThreadConnections {
    const quint64 number = nextThreadConnections++;
    QHash<int, Database::ThreadState*> states;

    void close(int instance)
    {
        Database::ThreadState* s = states.take(instance);
        if (!s)
            return;
        const QString name = s->connection;
        delete s;
        if (!name.isEmpty()) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
    ~ThreadConnections()
    {
        const QList<int> instances = states.keys();
        for (int instance : instances)
            close(instance);
    }
};

// Never destroyed: database objects of static duration may still close connections at exit.
QThreadStorage<ThreadConnections*>& threadStorage()
{
    static auto* storage = new QThreadStorage<ThreadConnections*>;
    return *storage;
}

ThreadConnections& threadConnections()
{
    QThreadStorage<ThreadConnections*>& storage = threadStorage();
    if (!storage.hasLocalData())
        storage.setLocalData(new ThreadConnections);
    return *storage.localData();
}

bool exec(QSqlDatabase& db, const QString& sql, QString* error = nullptr)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

// A single value read from the file, or false when the file cannot be read as a database.
bool readValue(QSqlDatabase& db, const QString& sql, QVariant& value, QString& error)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) {
        error = q.lastError().text();
        return false;
    }
    value = q.value(0);
    return true;
}

// The write bits of a file or folder count even where the system would let this user write anyway
// (root).
bool permitsWriting(const QFileInfo& info)
{
    return info.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther);
}

// A folder takes the database's files when its permissions allow writing and a file can really be
// made in it: trying catches read-only mounts and folders of other users.
bool folderAcceptsWrites(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir() || !permitsWriting(info))
        return false;
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".barmond-write-test-XXXXXX")));
    return probe.open();   // removed again with the probe
}

// The database file likewise: its permissions allow writing and it really opens for writing (it is
// only opened, nothing is written).
bool fileAcceptsWrites(const QFileInfo& info)
{
    if (!info.isReadable() || !permitsWriting(info))
        return false;
    QFile file(info.absoluteFilePath());
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

QString nearestExistingFolder(QString path)
{
    while (!QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

} // namespace

Database Database::atFile(const QString& filePath)
{
    Database db;
    // A server's address is kept as it is (DatabaseLocation.h); a file's path is made absolute.
    db.filePath_ = isServerAddress(filePath) ? filePath : QFileInfo(filePath).absoluteFilePath();
    db.instance_ = nextInstance++;
    return db;
}

Database::Database(const QString& dataDir) : filePath_(chosenDatabaseAddress(dataDir)), instance_(nextInstance++) {}

Database::Database(Database&& other) noexcept
    : filePath_(std::move(other.filePath_)), instance_(other.instance_), lockWaitMs_(other.lockWaitMs_), open_(other.open_),
      needsConversion_(other.needsConversion_), openError_(std::move(other.openError_)), lastError_(std::move(other.lastError_))
{
    other.instance_ = 0;
    other.open_ = false;
}

Database::~Database()
{
    if (instance_ != 0 && threadStorage().hasLocalData())
        threadStorage().localData()->close(instance_);
}

QString Database::connectionName() const
{
    return QStringLiteral("barmond-%1-%2").arg(instance_).arg(threadConnections().number);
}

Database::ThreadState& Database::state()
{
    auto*& s = threadConnections().states[instance_];
    if (!s)
        s = new ThreadState;
    return *s;
}

QSqlDatabase Database::connection()
{
    ThreadState& s = state();
    const bool made = !s.connection.isEmpty();
    if (!made)
        s.connection = connectionName();
    if (isServerAddress(filePath_)) {
        const DatabaseLocation server = locationFromAddress(filePath_);
        QSqlDatabase db = made ? QSqlDatabase::database(s.connection, false)
                               : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), s.connection);
        if (db.isOpen())
            return db;
        db.setHostName(server.host);
        db.setPort(server.port);
        db.setDatabaseName(server.name);
        if (!server.user.isEmpty())
            db.setUserName(server.user);
        // A password the operator typed during this run (also after a first attempt without it);
        // otherwise the client library finds its own.
        QString password;
        db.setPassword(typedServerPassword(server.displayName(), password) ? password : QString());
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=barmond"));
        // A single write outside a transaction waits this long for another station's lock.
        if (db.open())
            exec(db, QStringLiteral("SET lock_timeout = %1").arg(qMax(1, lockWaitMs_)));
        return db;
    }
    if (made)
        return QSqlDatabase::database(s.connection, false);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), s.connection);
    db.setDatabaseName(filePath_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs_));
    db.open();
    return db;
}

int Database::open()
{
    open_ = false;
    needsConversion_ = false;
    openError_.clear();
    if (isServerAddress(filePath_)) {
        const DatabaseLocation server = locationFromAddress(filePath_);
        if (!server.ok()) {
            openError_ = server.error;
            return err::InvalidFile;
        }
        QSqlDatabase db = connection();
        if (!db.isOpen()) {
            openError_ = QStringLiteral("Nie można połączyć się z bazą danych %1: %2")
                             .arg(filePath_, db.lastError().text().trimmed());
            // A password the server asks for and nobody gave: say where it is kept.
            if (trySignIn(server).outcome == SignIn::PasswordMissing)
                openError_ = passwordMissingText(server);
            return err::StorageError;
        }
        const int result = checkLayout(db);
        open_ = result == 0;
        return result;
    }
    const QFileInfo file(filePath_);
    const QString name = QDir::toNativeSeparators(filePath_);
    const QString folder = file.absolutePath();
    if (!QFileInfo::exists(folder)) {
        const QString existing = nearestExistingFolder(folder);
        if (!folderAcceptsWrites(existing)) {
            openError_ = QStringLiteral("Nie można utworzyć folderu bazy danych %1: folder %2 nie pozwala na zapis.")
                             .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(existing));
            return err::AccessDenied;
        }
        if (!QDir().mkpath(folder)) {
            openError_ = QStringLiteral("Nie można utworzyć folderu bazy danych %1.").arg(QDir::toNativeSeparators(folder));
            return err::FileNotFound;
        }
    }
    if (file.exists()) {
        if (!file.isFile()) {
            openError_ = QStringLiteral("Plik bazy danych %1 nie jest zwykłym plikiem.").arg(name);
            return err::InvalidFile;
        }
        if (!fileAcceptsWrites(file)) {
            openError_ = QStringLiteral("Plik bazy danych %1 jest tylko do odczytu; program potrzebuje prawa zapisu.").arg(name);
            return err::AccessDenied;
        }
    }
    if (!folderAcceptsWrites(folder)) {
        openError_ = QStringLiteral("Folder bazy danych %1 jest tylko do odczytu; program potrzebuje prawa zapisu.")
                         .arg(QDir::toNativeSeparators(folder));
        return err::AccessDenied;
    }
    QSqlDatabase db = connection();
    if (!db.isOpen()) {
        openError_ = QStringLiteral("Nie można otworzyć pliku bazy danych %1: %2").arg(name, db.lastError().text());
        return err::StorageError;
    }
    const int result = checkLayout(db);
    open_ = result == 0;
    return result;
}

// Only reads, except on a new, empty file (which gets the tables) and on a file of the current
// layout outside write-ahead logging (switched to it once): a file in use is never written here,
// so opening never waits for another station's write.
int Database::checkLayout(QSqlDatabase& db)
{
    const QString name = databaseName(*this);
    int version = 0;
    bool empty = true;
    QString error;
    if (!readLayoutVersion(db, version, empty, error)) {
        openError_ = QStringLiteral("Plik %1 nie jest bazą danych programu (%2).").arg(name, error);
        return err::InvalidFile;
    }
    if (version > SchemaVersion) {
        openError_ = QStringLiteral("Baza danych %1 ma układ w wersji %2, której ta wersja programu nie zna (zna wersję %3).")
                         .arg(name, QString::number(version), QString::number(SchemaVersion));
        return err::InvalidFile;
    }
    if (version == 0 && empty)
        return createLayout(db);
    if (version == 0) {
        openError_ = QStringLiteral("Plik %1 jest bazą danych innego programu (brak wersji układu tabel).").arg(name);
        return err::InvalidFile;
    }
    if (version < SchemaVersion) {
        needsConversion_ = true;
        openError_ = QStringLiteral("Baza danych %1 ma starszy układ w wersji %2; ta wersja programu pracuje na wersji %3 "
                                    "i nie zapisała w pliku nic. Konwersję (z kopią pliku w DB/Backup_conv) wykonuje "
                                    "polecenie: %4")
                         .arg(name, QString::number(version), QString::number(SchemaVersion), conversionCommand());
        return err::InvalidFile;
    }
    QList<TableLayoutGap> gaps;
    if (!findLayoutGaps(db, gaps, error)) {
        openError_ = QStringLiteral("Nie można odczytać układu tabel pliku %1 (%2).").arg(name, error);
        return err::InvalidFile;
    }
    if (!gaps.isEmpty()) {
        needsConversion_ = true;
        openError_ = QStringLiteral("Baza danych %1 jest uszkodzona lub ma inny układ tabel: %2. Nic nie zapisano w pliku. "
                                    "Układ tabel uzupełnia (z kopią pliku w DB/Backup_conv) polecenie: %3")
                         .arg(name, describeLayoutGaps(gaps), conversionCommand());
        return err::InvalidFile;
    }
    return onServer(db) ? 0 : useWriteAheadLog(db);
}

int Database::useWriteAheadLog(QSqlDatabase& db)
{
    QVariant mode;
    QString error;
    if (!readValue(db, QStringLiteral("PRAGMA journal_mode"), mode, error)) {
        openError_ = QStringLiteral("Nie można odczytać trybu dziennika pliku %1: %2").arg(QDir::toNativeSeparators(filePath_), error);
        return err::StorageError;
    }
    if (mode.toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
        return 0;
    if (!readValue(db, QStringLiteral("PRAGMA journal_mode = WAL"), mode, error)
        || mode.toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        openError_ = QStringLiteral("Nie można przełączyć pliku bazy danych %1 w tryb dziennika zapisu z wyprzedzeniem "
                                    "(WAL): %2")
                         .arg(QDir::toNativeSeparators(filePath_), error.isEmpty() ? mode.toString() : error);
        return err::FileLocked;
    }
    return 0;
}

// Creates every table and key on a new, empty file in one transaction. Another station may have
// created them meanwhile (it then held the lock first): the file is checked again under the lock.
int Database::createLayout(QSqlDatabase& db)
{
    const QString name = databaseName(*this);
    const bool server = onServer(db);
    QString error;
    if (!server) {
        if (const int result = useWriteAheadLog(db); result != 0)
            return result;
    }
    const bool begun = server ? exec(db, QStringLiteral("BEGIN"), &error)
                                    && exec(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(WriterLockKey), &error)
                              : exec(db, QStringLiteral("BEGIN IMMEDIATE"), &error);
    if (!begun) {
        exec(db, QStringLiteral("ROLLBACK"));
        openError_ = QStringLiteral("Nie można przygotować pliku bazy danych %1: %2").arg(name, error);
        return err::FileLocked;
    }
    int version = 0;
    bool empty = true;
    if (!readLayoutVersion(db, version, empty, error)) {
        exec(db, QStringLiteral("ROLLBACK"));
        openError_ = QStringLiteral("Plik %1 nie jest bazą danych programu (%2).").arg(name, error);
        return err::InvalidFile;
    }
    if (!empty) {
        exec(db, QStringLiteral("ROLLBACK"));
        return checkLayout(db);
    }
    for (const TableSchema* s : allTableSchemas()) {
        QStringList statements{createTableSql(*s, server)};
        for (const IndexLayout& index : indexLayouts(*s))
            statements << createIndexSql(*s, index);
        for (const QString& sql : std::as_const(statements)) {
            if (!exec(db, sql, &error)) {
                exec(db, QStringLiteral("ROLLBACK"));
                openError_ = QStringLiteral("Nie można utworzyć tabeli %1 w pliku %2: %3").arg(s->name, name, error);
                return err::StorageError;
            }
        }
    }
    bool recorded = true;
    for (const QString& sql : writeLayoutVersionSql(db, SchemaVersion))
        recorded = recorded && exec(db, sql, &error);
    if (!recorded || !exec(db, QStringLiteral("COMMIT"), &error)) {
        exec(db, QStringLiteral("ROLLBACK"));
        openError_ = QStringLiteral("Nie można zapisać układu tabel w pliku %1: %2").arg(name, error);
        return err::StorageError;
    }
    return 0;
}

bool Database::openOrReport(Dialogs& dialogs)
{
    if (open() == 0)
        return true;
    dialogs.message(openError_, QStringLiteral("Błąd bazy danych"));
    return false;
}

namespace {

QString lockedText(const QString& name, int waitMs)
{
    return QStringLiteral("Baza danych %1 jest zablokowana przez inną stację; transakcja nie rozpoczęła się "
                          "po %2 s oczekiwania.")
        .arg(name, QString::number(waitMs / 1000.0, 'g', 3));
}

// On the server a transaction takes the writers' lock first, waiting at most waitMs (the
// transaction's lock_timeout), so that it sees every earlier writer's work and no later writer
// starts before it ends: identifiers and counts read inside it stay valid until its commit.
int beginOnServer(QSqlDatabase& db, const QString& name, int waitMs, QString& lastError)
{
    if (!db.isOpen()) {   // connection() tried to open it
        lastError = QStringLiteral("Nie można połączyć się z bazą danych %1: %2").arg(name, db.lastError().text());
        return err::StorageError;
    }
    QSqlQuery q(db);
    QSqlError error;
    bool ok = q.exec(QStringLiteral("BEGIN"));
    if (ok)
        ok = q.exec(QStringLiteral("SET LOCAL lock_timeout = %1").arg(qMax(1, waitMs)));
    if (ok)
        ok = q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(WriterLockKey));
    if (ok)
        return 0;
    error = q.lastError();
    q.finish();
    exec(db, QStringLiteral("ROLLBACK"));
    const int code = errorCodeOf(error);
    lastError = code == err::FileLocked ? lockedText(name, waitMs)
                                        : QStringLiteral("Nie można rozpocząć transakcji w bazie %1: %2").arg(name, error.text());
    return code;
}

} // namespace

int Database::begin(int waitMs)
{
    ThreadState& s = state();
    if (s.depth > 0) {
        ++s.depth;
        return 0;
    }
    QSqlDatabase db = connection();
    if (isOnServer(*this)) {
        if (const int code = beginOnServer(db, databaseName(*this), waitMs, lastError_); code != 0)
            return code;
        s.depth = 1;
        return 0;
    }
    exec(db, QStringLiteral("PRAGMA busy_timeout = %1").arg(qMax(0, waitMs)));
    QSqlQuery q(db);
    const bool ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    const QSqlError error = q.lastError();
    q.finish();
    exec(db, QStringLiteral("PRAGMA busy_timeout = %1").arg(lockWaitMs_));
    if (!ok) {
        const int code = errorCodeOf(error);
        if (code == err::FileLocked)
            lastError_ = lockedText(databaseName(*this), waitMs);
        else
            lastError_ = QStringLiteral("Nie można rozpocząć transakcji w bazie %1: %2")
                             .arg(QDir::toNativeSeparators(filePath_), error.text());
        return code;
    }
    s.depth = 1;
    return 0;
}


int Database::commit()
{
    ThreadState& s = state();
    if (s.depth == 0) {
        lastError_ = QStringLiteral("Transakcja została wycofana.");
        return err::StorageError;
    }
    if (--s.depth > 0)
        return 0;
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    // The server answers COMMIT of a transaction that a failed statement spoilt by rolling it back
    // without an error: such a transaction is found first and reported as not stored.
    const bool usable = !isOnServer(*this) || q.exec(QStringLiteral("SELECT 1"));
    if (usable && q.exec(QStringLiteral("COMMIT")))
        return 0;
    const QSqlError error = q.lastError();
    q.finish();
    exec(db, QStringLiteral("ROLLBACK"));
    lastError_ = QStringLiteral("Nie można zatwierdzić transakcji w bazie %1: %2").arg(databaseName(*this), error.text());
    return errorCodeOf(error);
}

void Database::rollback()
{
    ThreadState& s = state();
    if (s.depth == 0)
        return;
    s.depth = 0;
    QSqlDatabase db = connection();
    exec(db, QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction()
{
    return state().depth > 0;
}

QStringList Database::tableNames()
{
    QStringList names;
    for (const TableSchema* s : allTableSchemas())
        names << s->name;
    return names;
}

int Database::backupTo(const QString& copyFilePath)
{
    const QString copy = QDir::toNativeSeparators(QFileInfo(copyFilePath).absoluteFilePath());
    if (QFileInfo::exists(copyFilePath)) {
        lastError_ = QStringLiteral("Plik kopii %1 już istnieje.").arg(copy);
        return err::DuplicateKey;
    }
    if (isOnServer(*this)) {
        int code = 0;
        QString error;
        {
            Database target = Database::atFile(copyFilePath);
            code = target.open();
            if (code != 0)
                error = target.openErrorText();
            else
                code = copyAllTables(*this, target, error);
        }   // the copy's connection is closed here
        if (code != 0) {
            for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(copyFilePath + suffix);
            lastError_ = QStringLiteral("Nie można skopiować bazy danych %1 do pliku %2: %3").arg(databaseName(*this), copy, error);
        }
        return code;
    }
    // The copy is read through a connection of its own: a list still reading through this thread's
    // connection would otherwise make SQLite refuse the copy.
    const QString reader = connectionName() + QStringLiteral("-copy");
    QSqlError failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), reader);
        db.setDatabaseName(filePath_);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs_));
        if (!db.open()) {
            failure = db.lastError();
        } else {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(QFileInfo(copyFilePath).absoluteFilePath());
            if (!q.exec())
                failure = q.lastError();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(reader);
    if (failure.isValid()) {
        lastError_ = QStringLiteral("Nie można skopiować bazy danych %1 do pliku %2: %3")
                         .arg(QDir::toNativeSeparators(filePath_), copy, failure.text());
        return errorCodeOf(failure);
    }
    return 0;
}

int Database::emptyTables(const QStringList& names, int waitMs)
{
    const QStringList known = tableNames();
    for (const QString& name : names)
        if (!known.contains(name)) {
            lastError_ = QStringLiteral("Nieznana tabela %1.").arg(name);
            return err::FileNotFound;
        }
    Transaction tx(*this, waitMs);
    if (!tx.ok())
        return tx.result();
    QSqlDatabase db = connection();
    for (const QString& name : names) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("DELETE FROM %1").arg(quoted(name)))) {
            lastError_ = QStringLiteral("Nie można usunąć danych z tabeli %1: %2").arg(name, q.lastError().text());
            return errorCodeOf(q.lastError());
        }
    }
    return tx.commit();
}

Transaction::Transaction(Database& db, int waitMs) : db_(db), begun_(db.begin(waitMs)) {}

Transaction::~Transaction()
{
    if (begun_ == 0 && !finished_)
        db_.rollback();
}

int Transaction::commit()
{
    if (begun_ != 0)
        return begun_;
    finished_ = true;
    return db_.commit();
}

void Transaction::rollback()
{
    if (begun_ == 0 && !finished_) {
        finished_ = true;
        db_.rollback();
    }
}

} // namespace global
