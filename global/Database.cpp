#include "global/Database.h"

#include "global/DataDirectory.h"
#include "global/Services.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QDir>
#include <QThread>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

namespace global {

struct Database::ThreadState {
    QString connection;
    int depth = 0;
};

namespace {

std::atomic<int> nextInstance{1};

// The connections this thread opened. They are closed when a Qt thread finishes (while Qt still
// knows the thread) or, for other threads, when the thread ends.
struct ThreadConnections {
    QHash<int, Database::ThreadState*> states;
    bool watchingThreadEnd = false;

    void closeAll()
    {
        const auto all = states;
        states.clear();
        for (auto* s : all) {
            const QString name = s->connection;
            delete s;
            if (!name.isEmpty()) {
                QSqlDatabase::database(name, false).close();
                QSqlDatabase::removeDatabase(name);
            }
        }
    }
    ~ThreadConnections() { closeAll(); }
};

thread_local ThreadConnections threadConnections;

bool exec(QSqlDatabase& db, const QString& sql, QString* error = nullptr)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

QString columnSqlType(const ColumnDef& c)
{
    switch (c.type) {
    case ColumnType::Integer: return QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    case ColumnType::Real: return QStringLiteral("REAL NOT NULL DEFAULT 0");
    case ColumnType::Text: return QStringLiteral("TEXT NOT NULL DEFAULT ''");
    case ColumnType::Date:
    case ColumnType::Time: return QStringLiteral("TEXT");
    }
    return {};
}

QString createTableSql(const TableSchema& s)
{
    QStringList cols;
    for (const ColumnDef& c : s.columns) {
        if (c.name == s.rowIdColumn)
            cols << quoted(c.name) + QStringLiteral(" INTEGER PRIMARY KEY");
        else
            cols << quoted(c.name) + QLatin1Char(' ') + columnSqlType(c);
    }
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(quoted(s.name), cols.join(QStringLiteral(", ")));
}

QStringList createIndexSql(const TableSchema& s)
{
    QStringList out;
    for (const KeyDef& k : s.keys) {
        if (k.parts.size() == 1 && k.parts.first().column == s.rowIdColumn)
            continue;   // the row identifier itself
        QStringList parts;
        bool hasRowId = false;
        for (const KeyPart& p : k.parts) {
            const QString col = s.columns.at(s.keyColumnIndex(p)).name;
            hasRowId = hasRowId || col == s.rowIdColumn;
            parts << quoted(col) + (p.descending ? QStringLiteral(" DESC") : QString());
        }
        if (!k.unique && !hasRowId)
            parts << quoted(s.rowIdColumn);
        out << QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
                   .arg(k.unique ? QStringLiteral("UNIQUE ") : QString(), quoted(s.name + QLatin1Char('_') + k.name),
                        quoted(s.name), parts.join(QStringLiteral(", ")));
    }
    return out;
}

} // namespace

Database Database::atFile(const QString& filePath)
{
    Database db;
    db.filePath_ = QFileInfo(filePath).absoluteFilePath();
    db.instance_ = nextInstance++;
    return db;
}

Database::Database(const QString& dataDir) : filePath_(databaseFile(dataDir)), instance_(nextInstance++) {}


Database::Database(Database&& other) noexcept
    : filePath_(std::move(other.filePath_)), instance_(other.instance_), open_(other.open_),
      openError_(std::move(other.openError_)), lastError_(std::move(other.lastError_))
{
    other.instance_ = 0;
    other.open_ = false;
}

Database::~Database()
{
    if (instance_ == 0)
        return;
    auto it = threadConnections.states.find(instance_);
    if (it == threadConnections.states.end())
        return;
    const QString name = it.value()->connection;
    delete it.value();
    threadConnections.states.erase(it);
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

QString Database::connectionName() const
{
    return QStringLiteral("barmond-%1-%2").arg(instance_).arg(reinterpret_cast<quintptr>(&threadConnections));
}

Database::ThreadState& Database::state()
{
    auto*& s = threadConnections.states[instance_];
    if (!s)
        s = new ThreadState;
    return *s;
}

QSqlDatabase Database::connection()
{
    ThreadState& s = state();
    if (!s.connection.isEmpty())
        return QSqlDatabase::database(s.connection, false);
    s.connection = connectionName();
    if (!threadConnections.watchingThreadEnd) {
        threadConnections.watchingThreadEnd = true;
        QThread* thread = QThread::currentThread();
        if (thread)
            QObject::connect(thread, &QThread::finished, thread, [] { threadConnections.closeAll(); },
                             Qt::DirectConnection);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), s.connection);
    db.setDatabaseName(filePath_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs_));
    db.open();
    return db;
}

int Database::open()
{
    open_ = false;
    openError_.clear();
    const QFileInfo file(filePath_);
    const QString name = QDir::toNativeSeparators(filePath_);
    if (!QDir().mkpath(file.absolutePath())) {
        openError_ = QStringLiteral("Nie można utworzyć folderu bazy danych %1.").arg(QDir::toNativeSeparators(file.absolutePath()));
        return err::FileNotFound;
    }
    if (file.exists()) {
        if (!file.isFile()) {
            openError_ = QStringLiteral("Plik bazy danych %1 nie jest zwykłym plikiem.").arg(name);
            return err::InvalidFile;
        }
        // The write bits count even where the system would let this user write anyway (root).
        const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!file.isReadable() || !file.isWritable() || !(file.permissions() & writeBits)) {
            openError_ = QStringLiteral("Plik bazy danych %1 jest tylko do odczytu; program potrzebuje prawa zapisu.").arg(name);
            return err::AccessDenied;
        }
    }
    if (!QFileInfo(file.absolutePath()).isWritable()) {
        openError_ = QStringLiteral("Folder bazy danych %1 jest tylko do odczytu; program potrzebuje prawa zapisu.")
                         .arg(QDir::toNativeSeparators(file.absolutePath()));
        return err::AccessDenied;
    }
    QSqlDatabase db = connection();
    if (!db.isOpen()) {
        openError_ = QStringLiteral("Nie można otworzyć pliku bazy danych %1: %2").arg(name, db.lastError().text());
        return err::StorageError;
    }
    const int result = checkAndPrepareSchema(db);
    open_ = result == 0;
    return result;
}

int Database::checkAndPrepareSchema(QSqlDatabase& db)
{
    const QString name = QDir::toNativeSeparators(filePath_);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        openError_ = QStringLiteral("Plik %1 nie jest bazą danych programu (%2).").arg(name, q.lastError().text());
        return err::InvalidFile;
    }
    const int version = q.value(0).toInt();
    q.finish();
    if (version > SchemaVersion) {
        openError_ = QStringLiteral("Baza danych %1 ma układ w wersji %2, której ta wersja programu nie zna (zna wersję %3).")
                         .arg(name).arg(version).arg(SchemaVersion);
        return err::InvalidFile;
    }
    QSet<QString> existing;
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        openError_ = QStringLiteral("Plik %1 nie jest bazą danych programu (%2).").arg(name, q.lastError().text());
        return err::InvalidFile;
    }
    while (q.next())
        existing.insert(q.value(0).toString());
    q.finish();
    if (version == 0 && !existing.isEmpty()) {
        openError_ = QStringLiteral("Plik %1 jest bazą danych innego programu (brak wersji układu tabel).").arg(name);
        return err::InvalidFile;
    }
    // Existing tables must have every column this version reads and writes.
    for (const TableSchema* s : allTableSchemas()) {
        if (!existing.contains(s->name))
            continue;
        QStringList cols;
        for (const ColumnDef& c : s->columns)
            cols << quoted(c.name);
        if (!q.exec(QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(cols.join(QStringLiteral(", ")), quoted(s->name)))) {
            openError_ = QStringLiteral("Tabela %1 w pliku %2 ma inny układ pól niż oczekiwany (%3).")
                             .arg(s->name, name, q.lastError().text());
            return err::InvalidFile;
        }
        q.finish();
    }
    QString error;
    if (version == 0 && !exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), &error)) {
        openError_ = QStringLiteral("Nie można przygotować pliku bazy danych %1: %2").arg(name, error);
        return err::StorageError;
    }
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE"), &error)) {
        openError_ = QStringLiteral("Nie można przygotować pliku bazy danych %1: %2").arg(name, error);
        return err::FileLocked;
    }
    for (const TableSchema* s : allTableSchemas()) {
        QStringList statements{createTableSql(*s)};
        statements << createIndexSql(*s);
        for (const QString& sql : std::as_const(statements)) {
            if (!exec(db, sql, &error)) {
                exec(db, QStringLiteral("ROLLBACK"));
                openError_ = QStringLiteral("Tabela %1 w pliku %2 jest nieprawidłowa: %3").arg(s->name, name, error);
                return err::InvalidFile;
            }
        }
    }
    if (version != SchemaVersion)
        exec(db, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    if (!exec(db, QStringLiteral("COMMIT"), &error)) {
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

int Database::begin(int waitMs)
{
    ThreadState& s = state();
    if (s.depth > 0) {
        ++s.depth;
        return 0;
    }
    QSqlDatabase db = connection();
    exec(db, QStringLiteral("PRAGMA busy_timeout = %1").arg(qMax(0, waitMs)));
    QSqlQuery q(db);
    const bool ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    const QSqlError error = q.lastError();
    q.finish();
    exec(db, QStringLiteral("PRAGMA busy_timeout = %1").arg(lockWaitMs_));
    if (!ok) {
        const int code = errorCodeOf(error);
        if (code == err::FileLocked)
            lastError_ = QStringLiteral("Baza danych %1 jest zablokowana przez inną stację; transakcja nie rozpoczęła się "
                                        "po %2 s oczekiwania.")
                             .arg(QDir::toNativeSeparators(filePath_))
                             .arg(waitMs / 1000.0, 0, 'g', 3);
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
    if (q.exec(QStringLiteral("COMMIT")))
        return 0;
    const QSqlError error = q.lastError();
    q.finish();
    exec(db, QStringLiteral("ROLLBACK"));
    lastError_ = QStringLiteral("Nie można zatwierdzić transakcji w bazie %1: %2")
                     .arg(QDir::toNativeSeparators(filePath_), error.text());
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
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(QFileInfo(copyFilePath).absoluteFilePath());
    if (!q.exec()) {
        lastError_ = QStringLiteral("Nie można skopiować bazy danych %1 do pliku %2: %3")
                         .arg(QDir::toNativeSeparators(filePath_), copy, q.lastError().text());
        return errorCodeOf(q.lastError());
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
