#include "settings/DatabaseTest.h"

#include "global/DatabaseLocation.h"
#include "global/ErrorCodes.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <map>

namespace settings {

using global::err::RecordNotFound;

QString DatabaseTestReport::message() const
{
    if (!foundAny())
        return QStringLiteral("Błędów nie znaleziono");
    QStringList lines;
    if (recreatedAny())
        lines << QStringLiteral("Odtworzone rekordy:|") << QStringLiteral("Zamówienia = %1").arg(orders)
              << QStringLiteral("Profile = %1").arg(profiles) << QStringLiteral("Zamówienia-Profile = %1").arg(positions);
    if (renamedOrders > 0)
        lines << QStringLiteral("Zamówienia bez numeru, które otrzymały numer = %1").arg(renamedOrders);
    if (repointedPieces > 0)
        lines << QStringLiteral("Elementy przypisane do rekordów o nowym identyfikatorze = %1").arg(repointedPieces);
    if (shadowValues > 0)
        lines << QStringLiteral("Odświeżone wartości kluczy = %1").arg(shadowValues);
    if (!integrity.isEmpty())
        lines << QStringLiteral("Kontrola pliku bazy danych:") << integrity;
    if (!unrepaired.isEmpty())
        lines << QStringLiteral("Do sprawdzenia (nie naprawiono):") << unrepaired;
    return lines.join(QLatin1Char('|'));
}

DatabaseTest::DatabaseTest(global::Database& db, const global::Services& services) : db_(db), services_(services) {}

QString DatabaseTest::backupFolderName(const QDateTime& now)
{
    return QStringLiteral("DB/Backup/") + now.toString(QStringLiteral("yyyyMMddHHmmss"));
}

int DatabaseTest::fail(int code, const QString& text)
{
    error_ = text;
    return code;
}

DatabaseTest::Outcome DatabaseTest::run(DatabaseTestReport& report)
{
    report = DatabaseTestReport{};
    error_.clear();
    if (db_.open() != 0) {
        error_ = db_.openErrorText();
        return Outcome::Failed;
    }
    if (backUp(report) != 0 || checkIntegrity(report) != 0)
        return Outcome::Failed;

    global::Transaction transaction(db_, 3000);
    if (!transaction.ok()) {
        fail(transaction.result(), db_.lastErrorText());
        return Outcome::Failed;
    }
    bool cancelled = false;
    if (rebuildKeys(report) != 0 || repairPieces(report, cancelled) != 0) {
        transaction.rollback();
        error_ += QStringLiteral("|Nic nie zostało zmienione; kopia bazy danych: %1").arg(report.backupFile);
        return Outcome::Failed;
    }
    if (cancelled) {
        transaction.rollback();
        return Outcome::Cancelled;
    }
    const int committed = transaction.commit();
    if (committed != 0) {
        fail(committed, QStringLiteral("Nie można zapisać naprawy bazy danych: %1|Nic nie zostało zmienione; kopia bazy danych: %2")
                            .arg(db_.lastErrorText(), report.backupFile));
        return Outcome::Failed;
    }
    if (findUnrepaired(report) != 0)
        return Outcome::Failed;
    return Outcome::Done;
}

// A consistent copy of the whole file into a folder of its own; a second test within the same
// second takes the folder with "-2", "-3", ...
int DatabaseTest::backUp(DatabaseTestReport& report)
{
    const QDir dataDir = QFileInfo(global::databaseFolderOf(db_)).dir();
    const QString base = dataDir.absoluteFilePath(backupFolderName(services_.clock.now()));
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + QStringLiteral("-%1").arg(n);
    if (!QDir().mkpath(folder))
        return fail(global::err::AccessDenied,
                    QStringLiteral("Nie można utworzyć folderu kopii %1. Nic nie zostało zmienione.")
                        .arg(QDir::toNativeSeparators(folder)));
    // A server database is copied into a database file of the usual name.
    const QString copy = folder + QLatin1Char('/')
        + (global::isOnServer(db_) ? QStringLiteral("barmond.db") : QFileInfo(db_.filePath()).fileName());
    const int code = db_.backupTo(copy);
    if (code != 0)
        return fail(code, db_.lastErrorText() + QStringLiteral(" Nic nie zostało zmienione."));
    report.backupFile = QDir::toNativeSeparators(copy);
    return 0;
}

int DatabaseTest::checkIntegrity(DatabaseTestReport& report)
{
    if (global::isOnServer(db_)) {
        // The server keeps its own files consistent; what it offers here is reading every record of
        // every table, which finds damaged pages.
        QStringList found;
        for (const global::TableSchema* schema : global::allTableSchemas()) {
            QSqlQuery read(db_.connection());
            if (!read.exec(QStringLiteral("SELECT count(*) FROM %1").arg(global::quoted(schema->name))))
                found << QStringLiteral("%1: %2").arg(schema->name, read.lastError().text());
        }
        report.integrity = found;
        return 0;
    }
    QSqlQuery q(db_.connection());
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
        return fail(global::errorCodeOf(q.lastError()),
                    QStringLiteral("Nie można sprawdzić pliku bazy danych: %1").arg(q.lastError().text()));
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    if (!(found.size() == 1 && found.first() == QLatin1String("ok")))
        report.integrity = found;
    return 0;
}

// The keys built again, and every upper-case shadow value recomputed from its field where it no
// longer matches (a file changed by another tool, or a different upper-casing before).
int DatabaseTest::rebuildKeys(DatabaseTestReport& report)
{
    QSqlDatabase connection = db_.connection();
    const bool server = global::isOnServer(db_);
    // The file rebuilds all its keys at once; the server table by table.
    QStringList reindexes{QStringLiteral("REINDEX")};
    if (server) {
        reindexes.clear();
        for (const global::TableSchema* schema : global::allTableSchemas())
            reindexes << QStringLiteral("REINDEX TABLE %1").arg(global::quoted(schema->name));
    }
    for (const QString& sql : std::as_const(reindexes)) {
        QSqlQuery reindex(connection);
        if (!reindex.exec(sql))
            return fail(global::errorCodeOf(reindex.lastError()),
                        QStringLiteral("Nie można odbudować kluczy: %1").arg(reindex.lastError().text()));
    }
    const QString row = QStringLiteral("rowid");
    for (const global::TableSchema* schema : global::allTableSchemas()) {
        for (const global::ColumnDef& shadow : schema->columns) {
            if (shadow.upperOf < 0)
                continue;
            const QString field = schema->columns.at(shadow.upperOf).name;
            QSqlQuery read(connection);
            read.setForwardOnly(true);
            const QString rowColumn = server ? global::quoted(schema->rowIdColumn) : row;
            if (!read.exec(QStringLiteral("SELECT %4, %1, %2 FROM %3")
                               .arg(global::quoted(field), global::quoted(shadow.name), global::quoted(schema->name), rowColumn)))
                return fail(global::errorCodeOf(read.lastError()),
                            QStringLiteral("Nie można odczytać tabeli %1: %2").arg(schema->name, read.lastError().text()));
            std::map<qint64, QString> stale;
            while (read.next()) {
                const QString upper = read.value(1).toString().toUpper();
                if (read.value(2).isNull() || read.value(2).toString() != upper)
                    stale[read.value(0).toLongLong()] = upper;
            }
            for (const auto& [rowId, upper] : stale) {
                QSqlQuery write(connection);
                write.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                                  .arg(global::quoted(schema->name), global::quoted(shadow.name), rowColumn));
                write.addBindValue(upper);
                write.addBindValue(rowId);
                if (!write.exec())
                    return fail(global::errorCodeOf(write.lastError()),
                                QStringLiteral("Nie można zapisać klucza w tabeli %1: %2")
                                    .arg(schema->name, write.lastError().text()));
                ++report.shadowValues;
            }
        }
    }
    return 0;
}

// "Odzysk " and the time of day in hundredths of a second.
QString DatabaseTest::recoveryName() const
{
    return QStringLiteral("Odzysk %1").arg(services_.clock.now().time().msecsSinceStartOfDay() / 10);
}

namespace {

// The first of name, name-2, name-3, ... that `taken` does not hold.
template <class IsTaken>
QString freeName(const QString& name, IsTaken taken)
{
    QString candidate = name;
    for (int n = 2; taken(candidate); ++n)
        candidate = QStringLiteral("%1-%2").arg(name, QString::number(n));
    return candidate;
}

} // namespace

int DatabaseTest::repairPieces(DatabaseTestReport& report, bool& cancelled)
{
    using global::Table;
    Table<global::CutRecord> cuts(db_);
    Table<global::OrderRecord> orders(db_);
    Table<global::ProfileRecord> profiles(db_);
    Table<global::OrderProfileRecord> positions(db_);
    // Records recreated under a new identifier for pieces naming identifier 0.
    uint32_t orderForZero = 0;
    uint32_t profileForZero = 0;

    const auto orderNameTaken = [&](const QString& name) {
        global::OrderRecord probe;
        probe.number = name;
        return orders.duplicateKey(probe) == Table<global::OrderRecord>::ByNo;
    };
    const auto profileCodeTaken = [&](const QString& code) {
        global::ProfileRecord probe;
        probe.profileCode = code;
        return profiles.duplicateKey(probe) == Table<global::ProfileRecord>::ByCode;
    };

    const qint64 pieces = cuts.count(Table<global::CutRecord>::Auto);
    services_.progress.start(QStringLiteral("Progress..."), pieces);
    struct FinishProgress {
        global::Progress& progress;
        ~FinishProgress() { progress.finish(); }
    } finishing{services_.progress};
    cuts.set(Table<global::CutRecord>::Auto);
    qint64 done = 0;
    global::CutRecord cut;
    while (true) {
        int code = cuts.next(cut);
        if (code == global::err::NoMoreRecords)
            break;
        if (code != 0)
            return fail(code, QStringLiteral("System Error after NEXT for CUTS table. ErrorCode = %1").arg(code));
        bool pieceChanged = false;

        // The order of the piece.
        global::OrderRecord order;
        order.id = cut.orderId;
        if (cut.orderId == 0)
            order.id = orderForZero;
        code = order.id == 0 ? RecordNotFound : orders.fetch(Table<global::OrderRecord>::Auto, order);
        if (code == 0) {
            if (order.number.trimmed().isEmpty()) {
                order.number = freeName(recoveryName(), orderNameTaken);
                code = orders.update(order);
                if (code != 0)
                    return fail(code, QStringLiteral("System Error changing order no. ErrorCode = %1").arg(code));
                ++report.renamedOrders;
            }
        } else if (code == RecordNotFound) {
            global::OrderRecord recreated;
            recreated.status = 0;
            recreated.number = freeName(recoveryName(), orderNameTaken);
            if (cut.orderId == 0) {
                code = orders.addWithNewIdentifier(recreated);
                orderForZero = recreated.id;
            } else {
                recreated.id = cut.orderId;
                code = orders.add(recreated);
            }
            if (code != 0)
                return fail(code, QStringLiteral("System Error after add for ORDERS. ErrorCode = %1").arg(code));
            ++report.orders;
            order = recreated;
        } else {
            return fail(code, QStringLiteral("ErrorCode after GET from CUTS to ORDERS. ErrorCode = %1").arg(code));
        }
        if (cut.orderId != order.id) {
            cut.orderId = order.id;
            pieceChanged = true;
        }

        // The profile of the piece.
        global::ProfileRecord profile;
        profile.id = cut.profileId == 0 ? profileForZero : cut.profileId;
        code = profile.id == 0 ? RecordNotFound : profiles.fetch(Table<global::ProfileRecord>::Auto, profile);
        if (code == RecordNotFound) {
            global::ProfileRecord recreated;
            recreated.profileCode = freeName(recoveryName(), profileCodeTaken);
            recreated.remnantLenght = 1000;
            if (cut.profileId == 0) {
                code = profiles.addWithNewIdentifier(recreated);
                profileForZero = recreated.id;
            } else {
                recreated.id = cut.profileId;
                code = profiles.add(recreated);
            }
            if (code != 0)
                return fail(code, QStringLiteral("Error after adding PROFILE. ErrorCode = %1").arg(code));
            ++report.profiles;
            profile = recreated;
        } else if (code != 0) {
            return fail(code, QStringLiteral("ErrorCode after GET from CUTS to PROFILES. ErrorCode = %1").arg(code));
        }
        if (cut.profileId != profile.id) {
            cut.profileId = profile.id;
            pieceChanged = true;
        }

        // The position of the piece: under its identifier when that is the position of its order
        // and profile, else the order's position of the profile, else a new one.
        global::OrderProfileRecord position;
        position.id = cut.orderProfileId;
        code = position.id == 0 ? RecordNotFound : positions.fetch(Table<global::OrderProfileRecord>::Auto, position);
        if (code != 0 && code != RecordNotFound)
            return fail(code, QStringLiteral("ErrorCode after GET from CUTS to ORDER_PROFILES. ErrorCode = %1").arg(code));
        const bool identifierFree = code == RecordNotFound && cut.orderProfileId != 0;
        if (code != 0 || position.orderId != cut.orderId || position.profileId != cut.profileId) {
            global::OrderProfileRecord byOrder;
            byOrder.orderId = cut.orderId;
            byOrder.profileId = cut.profileId;
            code = positions.fetch(Table<global::OrderProfileRecord>::ByOrder, byOrder);
            if (code == 0) {
                position = byOrder;
            } else if (code == RecordNotFound) {
                global::OrderProfileRecord recreated;
                recreated.orderId = cut.orderId;
                recreated.profileId = cut.profileId;
                recreated.profileCode = profile.profileCode;
                if (identifierFree) {
                    recreated.id = cut.orderProfileId;
                    code = positions.add(recreated);
                } else {
                    code = positions.addWithNewIdentifier(recreated);
                }
                if (code != 0)
                    return fail(code, QStringLiteral("System Error adding ORDER_PROFILE. ErrorCode = %1").arg(code));
                ++report.positions;
                position = recreated;
            } else {
                return fail(code, QStringLiteral("ErrorCode after GET from CUTS to ORDER_PROFILES. ErrorCode = %1").arg(code));
            }
        }
        if (cut.orderProfileId != position.id) {
            cut.orderProfileId = position.id;
            pieceChanged = true;
        }

        if (pieceChanged) {
            code = cuts.update(cut);
            if (code != 0)
                return fail(code, QStringLiteral("System Error after PUT for CUTS table. ErrorCode = %1").arg(code));
            ++report.repointedPieces;
        }
        if (!services_.progress.advance(++done)) {
            cancelled = true;
            break;
        }
    }
    return 0;
}

// What the test finds but leaves for the operator: lengths whose counts the last line of the
// stock log does not give, and bars of cutting orders that are gone.
int DatabaseTest::findUnrepaired(DatabaseTestReport& report)
{
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT l.\"PROFILE_ID\", l.\"LENGHT\", l.\"INT_STOCK\", l.\"EXT_STOCK\", l.\"INCOM_STOCK\", "
            "COALESCE(c.\"FINAL_INT_STOCK\", 0), COALESCE(c.\"FINAL_EXT_STOCK\", 0), COALESCE(c.\"FINNAL_INC_STOCK\", 0) "
            "FROM \"PROFILES_LENGHTS\" l LEFT JOIN \"STOCK_CHANGE\" c ON c.\"ID\" = (SELECT MAX(s.\"ID\") FROM "
            "\"STOCK_CHANGE\" s WHERE s.\"PROFILE_ID\" = l.\"PROFILE_ID\" AND s.\"LENGHT\" = l.\"LENGHT\") "
            "ORDER BY l.\"PROFILE_ID\", l.\"LENGHT\" DESC")))
        return fail(global::errorCodeOf(q.lastError()),
                    QStringLiteral("Nie można porównać stanów z historią zmian: %1").arg(q.lastError().text()));
    while (q.next()) {
        const QString now = QStringLiteral("%1/%2/%3").arg(q.value(2).toLongLong()).arg(q.value(3).toLongLong()).arg(q.value(4).toLongLong());
        const QString logged = QStringLiteral("%1/%2/%3").arg(q.value(5).toLongLong()).arg(q.value(6).toLongLong()).arg(q.value(7).toLongLong());
        if (now != logged)
            report.unrepaired << QStringLiteral("Profil %1, długość %2: stan %3, historia zmian %4")
                                     .arg(q.value(0).toLongLong()).arg(q.value(1).toLongLong()).arg(now, logged);
    }
    QSqlQuery bars(db_.connection());
    if (!bars.exec(QStringLiteral("SELECT COUNT(*) FROM \"STOCK_TRANS_ITEMS\" i WHERE NOT EXISTS "
                                  "(SELECT 1 FROM \"STOCK_TRANS\" t WHERE t.\"ID\" = i.\"ID_TRANS\")"))
        || !bars.next())
        return fail(global::errorCodeOf(bars.lastError()),
                    QStringLiteral("Nie można sprawdzić sztang poleceń cięcia: %1").arg(bars.lastError().text()));
    if (const qint64 orphans = bars.value(0).toLongLong(); orphans > 0)
        report.unrepaired << QStringLiteral("Sztangi nieistniejących poleceń cięcia = %1").arg(orphans);
    return 0;
}

} // namespace settings
