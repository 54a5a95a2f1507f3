#include "global/LayoutConversion.h"

#include "global/DatabaseCopy.h"
#include "global/DatabaseLocation.h"

#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include <atomic>

namespace global {

namespace {

std::atomic<int> nextCopyConnection{1};

bool exec(QSqlDatabase& db, const QString& sql, const QString& what, QString& error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    error = QStringLiteral("%1: %2").arg(what, q.lastError().text());
    return false;
}

const TableSchema* schemaNamed(const QString& table)
{
    for (const TableSchema* s : allTableSchemas())
        if (s->name.compare(table, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

// ---- version 1 -> 2: the field map ------------------------------------------------------------

struct FieldMapEntry {
    qint64 rowId = 0;
    QString type;
    QString internalName;
    QString externalName;
    QString upperType() const { return type.toUpper(); }
    QString shownName() const { return type + QLatin1Char('/') + internalName; }
};

// The column that numbers a table's rows: SQLite's rowid on the file (its alias, the table's row
// identifier, may be missing from an older file), the row identifier on the server.
QString rowNumberColumn(QSqlDatabase& db, const QString& table)
{
    const TableSchema* s = schemaNamed(table);
    return onServer(db) && s ? quoted(s->rowIdColumn) : QStringLiteral("rowid");
}

bool readFieldMap(QSqlDatabase& db, bool withInternalName, QList<FieldMapEntry>& entries, QString& error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString internal = withInternalName ? QStringLiteral("\"INTERNAL_NAME\"") : QStringLiteral("''");
    const QString row = rowNumberColumn(db, QStringLiteral("INTERFACE_MAP"));
    if (!q.exec(QStringLiteral("SELECT %2, \"TYPE\", %1, \"EXTERNAL_NAME\" FROM \"INTERFACE_MAP\" ORDER BY %2")
                    .arg(internal, row))) {
        error = QStringLiteral("odczyt tabeli INTERFACE_MAP: %1").arg(q.lastError().text());
        return false;
    }
    while (q.next())
        entries.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()});
    return true;
}

// Entries of one type (in upper case) that share a filled external name: the first whose type is
// already in upper case keeps the name (else the oldest entry); the others lose it and stay as
// entries computed by their formula. Returns the positions of those that lose it, each with the
// position of the one that keeps it.
QList<std::pair<int, int>> externalNameClashes(const QList<FieldMapEntry>& entries)
{
    QHash<QString, QList<int>> byName;
    QStringList order;
    for (int i = 0; i < entries.size(); ++i) {
        const FieldMapEntry& e = entries.at(i);
        if (e.externalName.isEmpty())
            continue;
        const QString key = e.upperType() + QLatin1Char('\n') + e.externalName;
        if (!byName.contains(key))
            order << key;
        byName[key] << i;
    }
    QList<std::pair<int, int>> clashes;
    for (const QString& key : std::as_const(order)) {
        const QList<int>& group = byName.value(key);
        if (group.size() < 2)
            continue;
        int keeper = group.first();
        for (int i : group)
            if (entries.at(i).type == entries.at(i).upperType()) {
                keeper = i;
                break;
            }
        for (int i : group)
            if (i != keeper)
                clashes.append({i, keeper});
    }
    return clashes;
}

bool runUpdate(QSqlDatabase& db, const QString& sql, const QVariantList& values, QString& error)
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (q.exec())
        return true;
    error = QStringLiteral("zapis w tabeli INTERFACE_MAP: %1").arg(q.lastError().text());
    return false;
}

// The key of type and external name binds only filled-in external names, so that a type may have
// any number of entries computed by their formula alone; types are stored in upper case.
bool fieldMapNamesBindWhenFilled(QSqlDatabase& db, ConversionReport& report, QString& error)
{
    QSet<QString> tables;
    if (!readTableNames(db, tables, error))
        return false;
    if (!tables.contains(QStringLiteral("INTERFACE_MAP")))
        return true;   // made whole, with its keys, by the repair
    if (!exec(db, QStringLiteral("DROP INDEX IF EXISTS \"INTERFACE_MAP_BY_EXT\""), QStringLiteral("usunięcie klucza INTERFACE_MAP_BY_EXT"), error))
        return false;
    QSet<QString> columns;
    if (!readColumnNames(db, QStringLiteral("INTERFACE_MAP"), columns, error))
        return false;
    if (!columns.contains(QStringLiteral("TYPE")) || !columns.contains(QStringLiteral("EXTERNAL_NAME")))
        return true;   // the repair adds the fields and then the key
    QList<FieldMapEntry> entries;
    if (!readFieldMap(db, columns.contains(QStringLiteral("INTERNAL_NAME")), entries, error))
        return false;
    const QString row = rowNumberColumn(db, QStringLiteral("INTERFACE_MAP"));

    for (const auto& [loser, keeper] : externalNameClashes(entries)) {
        FieldMapEntry& e = entries[loser];
        if (!runUpdate(db, QStringLiteral("UPDATE \"INTERFACE_MAP\" SET \"EXTERNAL_NAME\" = '' WHERE %1 = ?").arg(row), {e.rowId},
                       error))
            return false;
        report.notes << QStringLiteral("wpis mapowania %1 miał tę samą nazwę lokalną \"%2\" co wpis %3; jego nazwa "
                                       "lokalna została usunięta (wpis zostaje z formułą)")
                            .arg(e.shownName(), e.externalName, entries.at(keeper).shownName());
        e.externalName.clear();
    }
    const bool withShadow = columns.contains(QStringLiteral("TYPE_UPPER"));
    const QString setType = (withShadow ? QStringLiteral("UPDATE \"INTERFACE_MAP\" SET \"TYPE\" = ?, \"TYPE_UPPER\" = ? WHERE %1 = ?")
                                        : QStringLiteral("UPDATE \"INTERFACE_MAP\" SET \"TYPE\" = ? WHERE %1 = ?"))
                                .arg(row);
    int retyped = 0;
    for (const FieldMapEntry& e : std::as_const(entries)) {
        if (e.type == e.upperType())
            continue;
        const QVariantList values = withShadow ? QVariantList{e.upperType(), e.upperType(), e.rowId}
                                               : QVariantList{e.upperType(), e.rowId};
        if (!runUpdate(db, setType, values, error))
            return false;
        ++retyped;
    }
    if (retyped > 0)
        report.changes << QStringLiteral("typy mapowania pól zapisane wielkimi literami (%1)").arg(retyped);
    return exec(db,
                QStringLiteral("CREATE UNIQUE INDEX \"INTERFACE_MAP_BY_EXT\" ON \"INTERFACE_MAP\" (\"TYPE\", \"EXTERNAL_NAME\") "
                               "WHERE \"EXTERNAL_NAME\" <> ''"),
                QStringLiteral("klucz INTERFACE_MAP_BY_EXT"), error);
}

// ---- the repair --------------------------------------------------------------------------------

bool createTable(QSqlDatabase& db, const TableSchema& s, QString& error)
{
    if (!exec(db, createTableSql(s, onServer(db)), QStringLiteral("utworzenie tabeli %1").arg(s.name), error))
        return false;
    for (const IndexLayout& index : indexLayouts(s))
        if (!exec(db, createIndexSql(s, index), QStringLiteral("klucz %1 tabeli %2").arg(index.name, s.name), error))
            return false;
    return true;
}

// A shadow column takes the upper-case form of its field, as the table layer writes it.
bool fillShadowColumn(QSqlDatabase& db, const TableSchema& s, const ColumnDef& shadow, QString& error)
{
    const QString field = s.columns.at(shadow.upperOf).name;
    const QString row = onServer(db) ? quoted(s.rowIdColumn) : QStringLiteral("rowid");
    QList<std::pair<qint64, QString>> values;
    {
        QSqlQuery read(db);
        read.setForwardOnly(true);
        if (!read.exec(QStringLiteral("SELECT %3, %1 FROM %2").arg(quoted(field), quoted(s.name), row))) {
            error = QStringLiteral("odczyt pola %1 tabeli %2: %3").arg(field, s.name, read.lastError().text());
            return false;
        }
        while (read.next())
            values.append({read.value(0).toLongLong(), read.value(1).toString().toUpper()});
    }
    QSqlQuery write(db);
    write.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(quoted(s.name), quoted(shadow.name), row));
    for (const auto& [rowId, upper] : std::as_const(values)) {
        write.bindValue(0, upper.isNull() ? QStringLiteral("") : upper);
        write.bindValue(1, rowId);
        if (!write.exec()) {
            error = QStringLiteral("wypełnienie pola %1 tabeli %2: %3").arg(shadow.name, s.name, write.lastError().text());
            return false;
        }
    }
    return true;
}

bool addColumns(QSqlDatabase& db, const TableSchema& s, const QStringList& missing, QString& error)
{
    if (missing.contains(s.rowIdColumn)) {
        error = QStringLiteral("w tabeli %1 brak pola %2 (numeru wiersza), którego nie da się dodać do istniejącej tabeli")
                    .arg(s.name, s.rowIdColumn);
        return false;
    }
    for (const QString& name : missing)
        if (!exec(db, addColumnSql(s, s.columns.at(s.columnIndex(name)), onServer(db)),
                  QStringLiteral("dodanie pola %1 do tabeli %2").arg(name, s.name), error))
            return false;
    for (const ColumnDef& c : s.columns) {
        if (c.upperOf < 0 || (!missing.contains(c.name) && !missing.contains(s.columns.at(c.upperOf).name)))
            continue;
        if (!fillShadowColumn(db, s, c, error))
            return false;
    }
    return true;
}

bool remakeKeys(QSqlDatabase& db, const TableSchema& s, const TableLayoutGap& gap, QString& error)
{
    for (const QString& name : gap.differentKeys)
        if (!exec(db, QStringLiteral("DROP INDEX %1").arg(quoted(name)), QStringLiteral("usunięcie klucza %1").arg(name), error))
            return false;
    for (const IndexLayout& index : indexLayouts(s)) {
        if (!gap.missingKeys.contains(index.name) && !gap.differentKeys.contains(index.name))
            continue;
        if (!exec(db, createIndexSql(s, index), QStringLiteral("klucz %1 tabeli %2").arg(index.name, s.name), error))
            return false;
    }
    return true;
}

// Drops from a database file just made the keys that the source database lacks or has in another
// form (for a copy of a database that needs converting).
bool dropKeysTheSourceLacks(QSqlDatabase& source, Database& file, QString& error)
{
    QList<TableLayoutGap> gaps;
    if (!findLayoutGaps(source, gaps, error))
        return false;
    QSqlDatabase db = file.connection();
    for (const TableLayoutGap& gap : std::as_const(gaps))
        for (const QString& key : gap.missingKeys + gap.differentKeys)
            if (!exec(db, QStringLiteral("DROP INDEX %1").arg(quoted(key)), QStringLiteral("klucz kopii %1").arg(key), error))
                return false;
    return true;
}

// Records the layout version in a database file just made (for a copy of an older database).
void markLayoutVersion(Database& file, int version, QString& error)
{
    QSqlDatabase db = file.connection();
    for (const QString& sql : writeLayoutVersionSql(db, version))
        if (!exec(db, sql, QStringLiteral("wersja układu kopii"), error))
            return;
}

} // namespace

const QList<LayoutStep>& layoutSteps()
{
    static const QList<LayoutStep> steps{
        {1, QStringLiteral("mapowanie pól: nazwy lokalne niepowtarzalne tylko wśród wypełnionych, typy wielkimi literami"),
         fieldMapNamesBindWhenFilled},
    };
    return steps;
}

bool repairLayout(QSqlDatabase& db, ConversionReport& report, QString& error)
{
    QList<TableLayoutGap> gaps;
    if (!findLayoutGaps(db, gaps, error))
        return false;
    for (const TableLayoutGap& gap : std::as_const(gaps)) {
        const TableSchema* s = schemaNamed(gap.table);
        if (gap.tableMissing) {
            if (!createTable(db, *s, error))
                return false;
            report.changes << QStringLiteral("utworzono tabelę %1").arg(s->name);
            continue;
        }
        if (!addColumns(db, *s, gap.missingColumns, error) || !remakeKeys(db, *s, gap, error))
            return false;
        if (!gap.missingColumns.isEmpty())
            report.changes << QStringLiteral("w tabeli %1 dodano pola: %2").arg(s->name, gap.missingColumns.join(QStringLiteral(", ")));
        if (!gap.missingKeys.isEmpty())
            report.changes << QStringLiteral("w tabeli %1 dodano klucze: %2").arg(s->name, gap.missingKeys.join(QStringLiteral(", ")));
        if (!gap.differentKeys.isEmpty())
            report.changes << QStringLiteral("w tabeli %1 odtworzono klucze: %2").arg(s->name, gap.differentKeys.join(QStringLiteral(", ")));
    }
    return true;
}

LayoutConversion::LayoutConversion(Database& db) : db_(db) {}

QString LayoutConversion::backupFolderName(const QDateTime& now)
{
    return QStringLiteral("DB/Backup_conv/") + now.toString(QStringLiteral("yyyyMMdd-hhmmss"));
}

int LayoutConversion::fail(int code, const QString& text)
{
    error_ = text;
    return code;
}

bool LayoutConversion::proceed(const QString& stage)
{
    return !stageCheck_ || stageCheck_(stage);
}

int LayoutConversion::run(const QDateTime& now, ConversionReport& report)
{
    report = ConversionReport{};
    error_.clear();
    const QString name = QDir::toNativeSeparators(db_.filePath());
    QSqlDatabase db = db_.connection();
    if (!db.isOpen())
        return fail(err::StorageError, QStringLiteral("Nie można otworzyć pliku bazy danych %1: %2").arg(name, db.lastError().text()));
    // The write lock first: the copy and the conversion then see the same file, and no other
    // station writes between them.
    Transaction tx(db_, LockWaitMs);
    if (!tx.ok())
        return fail(tx.result(), db_.lastErrorText());
    int version = 0;
    if (const int code = readVersion(db, version); code != 0)
        return code;
    QString need;
    if (const int code = describeNeed(db, version, need); code != 0)
        return code;
    report.fromVersion = version;
    report.toVersion = version;
    if (need.isEmpty())
        return 0;
    if (!proceed(QStringLiteral("kopia")))
        return fail(err::StorageError, QStringLiteral("Konwersja bazy danych %1 przerwana przed kopią; plik pozostał bez zmian.").arg(name));
    if (const int code = backUp(now, version, report); code != 0)
        return code;
    if (const int code = convert(db, version, report); code != 0)
        return code;
    if (!proceed(QStringLiteral("zapis")))
        return fail(err::StorageError, QStringLiteral("Konwersja bazy danych %1 przerwana przed zapisem; plik pozostał bez zmian.").arg(name));
    if (const int code = tx.commit(); code != 0)
        return fail(code, QStringLiteral("Konwersja bazy danych %1 nie została zapisana; plik pozostał bez zmian. %2")
                              .arg(name, db_.lastErrorText()));
    report.converted = true;
    report.toVersion = Database::SchemaVersion;
    return 0;
}

int LayoutConversion::inspect(QString& need)
{
    need.clear();
    error_.clear();
    QSqlDatabase db = db_.connection();
    if (!db.isOpen())
        return fail(err::StorageError, QStringLiteral("Nie można otworzyć pliku bazy danych %1: %2")
                                           .arg(QDir::toNativeSeparators(db_.filePath()), db.lastError().text()));
    int version = 0;
    if (const int code = readVersion(db, version); code != 0)
        return code;
    return describeNeed(db, version, need);
}

// Only files the program wrote, of a version it knows, are converted.
int LayoutConversion::readVersion(QSqlDatabase& db, int& version)
{
    const QString name = QDir::toNativeSeparators(db_.filePath());
    bool empty = true;
    QString error;
    if (!readLayoutVersion(db, version, empty, error))
        return fail(err::InvalidFile, QStringLiteral("Plik %1 nie jest bazą danych programu (%2).").arg(name, error));
    if (version < 1)
        return fail(err::InvalidFile, QStringLiteral("Plik %1 nie jest bazą danych tego programu (brak wersji układu tabel); "
                                                     "konwersja go nie zmieni.")
                                          .arg(name));
    if (version > Database::SchemaVersion)
        return fail(err::InvalidFile, QStringLiteral("Baza danych %1 ma układ w wersji %2, której ta wersja programu nie zna "
                                                     "(zna wersje do %3); konwersja jej nie zmieni.")
                                          .arg(name, QString::number(version), QString::number(Database::SchemaVersion)));
    return 0;
}

int LayoutConversion::describeNeed(QSqlDatabase& db, int version, QString& need)
{
    if (version < Database::SchemaVersion) {
        need = QStringLiteral("układ tabel w wersji %1, a ta wersja programu pracuje na wersji %2")
                   .arg(version).arg(Database::SchemaVersion);
        return 0;
    }
    QList<TableLayoutGap> gaps;
    QString error;
    if (!findLayoutGaps(db, gaps, error))
        return fail(err::InvalidFile, QStringLiteral("Nie można odczytać układu tabel pliku %1 (%2).")
                                          .arg(QDir::toNativeSeparators(db_.filePath()), error));
    need = describeLayoutGaps(gaps);
    return 0;
}

// A consistent copy of the whole file, read through a connection of its own while this one holds
// the write lock.
int LayoutConversion::backUp(const QDateTime& now, int version, ConversionReport& report)
{
    const QString folder = QDir(databaseFolderOf(db_))
                               .filePath(backupFolderName(now).mid(QStringLiteral("DB/").size()));
    const QString shownFolder = QDir::toNativeSeparators(folder);
    if (QFileInfo::exists(folder))
        return fail(err::DuplicateKey, QStringLiteral("Folder kopii %1 już istnieje; konwersja nie zapisuje kopii do "
                                                      "istniejącego folderu. Plik bazy danych pozostał bez zmian.")
                                           .arg(shownFolder));
    if (!QDir().mkpath(folder))
        return fail(err::AccessDenied, QStringLiteral("Nie można utworzyć folderu kopii %1. Plik bazy danych pozostał bez zmian.")
                                           .arg(shownFolder));
    const QString copy = QDir(folder).filePath(isOnServer(db_) ? QStringLiteral("barmond.db") : QFileInfo(db_.filePath()).fileName());
    const QString connection = QStringLiteral("barmond-conversion-copy-%1").arg(nextCopyConnection++);
    QString error;
    if (isOnServer(db_)) {
        // From the server the copy is a database file, read through a connection of its own.
        // The file is made in the current layout without the keys the database lacks or has in
        // another form, so that it takes the records as they are, also those such a key would
        // refuse; it keeps the database's own layout version, so that the program opening it
        // offers the same conversion.
        Database reader = Database::atFile(db_.filePath());
        Database file = Database::atFile(copy);
        QSqlDatabase source = db_.connection();
        if (file.open() != 0)
            error = file.openErrorText();
        else if (!dropKeysTheSourceLacks(source, file, error))
            ;
        else if (copyAllTables(reader, file, error) != 0 && error.isEmpty())
            error = QStringLiteral("kopia niepełna");
        else if (error.isEmpty())
            markLayoutVersion(file, version, error);
    } else {
        QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        reader.setDatabaseName(db_.filePath());
        reader.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockWaitMs));
        if (!reader.open()) {
            error = reader.lastError().text();
        } else {
            QSqlQuery q(reader);
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(copy);
            if (!q.exec())
                error = q.lastError().text();
        }
        reader.close();
    }
    if (!isOnServer(db_))
        QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty())
        return fail(err::StorageError, QStringLiteral("Nie można skopiować bazy danych do pliku %1: %2. Plik bazy danych "
                                                      "pozostał bez zmian.")
                                           .arg(QDir::toNativeSeparators(copy), error));
    report.backupFile = QDir::toNativeSeparators(copy);
    return 0;
}

int LayoutConversion::convert(QSqlDatabase& db, int version, ConversionReport& report)
{
    const QString name = QDir::toNativeSeparators(db_.filePath());
    QString error;
    for (const LayoutStep& step : layoutSteps()) {
        if (step.from < version)
            continue;
        if (!proceed(QStringLiteral("wersja %1").arg(step.from)))
            return fail(err::StorageError, QStringLiteral("Konwersja bazy danych %1 przerwana; plik pozostał bez zmian.").arg(name));
        report.changes << step.description;
        if (!step.apply(db, report, error))
            return fail(err::StorageError, QStringLiteral("Konwersja bazy danych %1 z wersji %2 nie powiodła się (%3); plik "
                                                          "pozostał bez zmian.")
                                               .arg(name, QString::number(step.from), error));
    }
    if (!proceed(QStringLiteral("uzupełnienie")))
        return fail(err::StorageError, QStringLiteral("Konwersja bazy danych %1 przerwana; plik pozostał bez zmian.").arg(name));
    if (!repairLayout(db, report, error))
        return fail(err::StorageError, QStringLiteral("Nie można uzupełnić układu tabel bazy danych %1 (%2); plik pozostał bez "
                                                      "zmian.")
                                           .arg(name, error));
    QList<TableLayoutGap> gaps;
    if (!findLayoutGaps(db, gaps, error))
        return fail(err::StorageError, QStringLiteral("Nie można odczytać układu tabel pliku %1 (%2); plik pozostał bez zmian.")
                                           .arg(name, error));
    if (!gaps.isEmpty())
        return fail(err::StorageError, QStringLiteral("Po konwersji bazie danych %1 wciąż brakuje: %2; plik pozostał bez zmian.")
                                           .arg(name, describeLayoutGaps(gaps)));
    bool recorded = true;
    for (const QString& sql : writeLayoutVersionSql(db, Database::SchemaVersion))
        recorded = recorded && exec(db, sql, QStringLiteral("wersja układu"), error);
    if (!recorded)
        return fail(err::StorageError, QStringLiteral("Nie można zapisać wersji układu w pliku %1 (%2); plik pozostał bez zmian.")
                                           .arg(name, error));
    return 0;
}

} // namespace global
