#include "shell/frame/DatabaseDeletion.h"

#include "global/Database.h"
#include "global/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace shell {

namespace {
constexpr int LockWaitMs = 3000;
const QString DatabaseFileName = QStringLiteral("barmond.db");
const QString LogoFileName = QStringLiteral("Logo.jpg");
}

DatabaseDeletion::DatabaseDeletion(global::Database& db, const QString& dataDir, global::Dialogs& dialogs)
    : db_(db), dataDir_(dataDir), dialogs_(dialogs)
{
}

QList<DatabaseDeletion::Entry> DatabaseDeletion::contents()
{
    QList<Entry> entries;
    for (const QString& table : tablesToEmpty())
        entries << Entry{table, true, false};
    for (const char* kept : {"INTERFACE_MAP", "LFM_CFile", "LFM_DFile", "SETUP_PAR", "STATIONS"})
        entries << Entry{QString::fromLatin1(kept), false, false};
    entries << Entry{LogoFileName, false, true};
    return entries;
}

QStringList DatabaseDeletion::tablesToEmpty()
{
    // Children before parents, so that the emptying never leaves a piece without its order.
    return {QStringLiteral("STOCK_TRANS_SUBITEMS"), QStringLiteral("STOCK_TRANS_ITEMS"),
            QStringLiteral("STOCK_TRANS"),          QStringLiteral("STOCK_CHANGE"),
            QStringLiteral("CUTS"),                 QStringLiteral("ORDER_PROFILES_BLK_LENGTHS"),
            QStringLiteral("ORDER_PROFILES"),       QStringLiteral("ORDERS"),
            QStringLiteral("PROFILES_LENGHTS"),     QStringLiteral("PROFILES")};
}

QString DatabaseDeletion::backupFolderName(const QDateTime& now)
{
    return QStringLiteral("DB/Backup/") + now.toString(QStringLiteral("yyyyMMddhhmmss"));
}

bool DatabaseDeletion::run(const QDateTime& now)
{
    if (dialogs_.ask(tr("Czy na pewno chcesz usunąć wszystkie dane z bazy?"), {tr(" Tak "), tr(" Nie ")}) != 0)
        return false;
    backupFolder_ = backupFolderName(now);
    backupPath_ = QDir(dataDir_).absoluteFilePath(backupFolder_);
    if (!confirm())
        return false;
    if (!makeBackupFolder() || !copyContents() || !emptyTables())
        return false;
    dialogs_.message(tr("Operacja przebiegła bez błędów. Baza danych jest pusta. Kopia poprzedniej jest w katalogu ")
                     + backupFolder_);
    return true;
}

bool DatabaseDeletion::confirm()
{
    const QString question =
        tr("Pliki bazy danych przed usunięciem zostaną skopiowane do katalogu ") + backupFolder_
        + tr(".|Folder ten nie jest potrzebny do prawidłowej pracy programu. ")
        + tr("Można z niego odzyskać dane kopiując wszystkie pliki do katalogu DB. Można też go skasować. ")
        + tr("|Uwaga, wszystkie okna programu poza głównym muszą być zamknięcte !||")
        + tr("Czy kontynuować usuwanie danych?");
    return dialogs_.ask(question, {tr(" Tak "), tr(" Nie ")}) == 0;
}

// DB/Backup may exist from earlier runs; the dated folder must be new, so that no earlier copy
// is ever overwritten.
bool DatabaseDeletion::makeBackupFolder()
{
    QDir dir;
    if (!QFileInfo::exists(backupPath_) && dir.mkpath(backupPath_))
        return true;
    dialogs_.message(QStringLiteral("Error creating folder ") + backupFolder_
                     + QStringLiteral(".|Process stopped, database is not changed."));
    return false;
}

bool DatabaseDeletion::copyContents()
{
    // The tables live in one database file: one consistent copy holds them all.
    if (const int code = db_.backupTo(QDir(backupPath_).filePath(DatabaseFileName)); code != 0) {
        reportCopyError(DatabaseFileName, code, db_.lastErrorText());
        return false;
    }
    for (const Entry& entry : contents()) {
        if (!entry.isFile)
            continue;
        QFile file(QDir(dataDir_).filePath(QStringLiteral("DB/") + entry.name));
        if (file.exists() && !file.copy(QDir(backupPath_).filePath(entry.name))) {
            reportCopyError(entry.name, int(file.error()), file.errorString());
            return false;
        }
    }
    return true;
}

void DatabaseDeletion::reportCopyError(const QString& name, int code, const QString& text)
{
    dialogs_.message(QStringLiteral("Error coping file ") + name
                     + QStringLiteral(".|Process stopped, database is not changed.|Error code = ")
                     + QString::number(code) + QLatin1Char(' ') + text);
}

bool DatabaseDeletion::emptyTables()
{
    // All ten tables live in the database file and are emptied together: the file is what failed.
    const int code = db_.emptyTables(tablesToEmpty(), LockWaitMs);
    if (code == 0)
        return true;
    dialogs_.message(QStringLiteral("Error removing ") + DatabaseFileName + QStringLiteral(".|Process stopped.|")
                     + QStringLiteral("The right copy of database is in folder |") + backupFolder_ + QStringLiteral("|")
                     + QStringLiteral("Please restore coppied database to \\DB folder. Actual one can be damaged.|Error code = ")
                     + QString::number(code) + QLatin1Char(' ') + db_.lastErrorText());
    return false;
}

} // namespace shell
