#pragma once
// "Usuwanie całej bazy danych": after two questions, copies the whole database into a new dated
// folder DB/Backup/<yyyymmdd><hhmmss>/ and then empties the tables of orders, the profile
// catalogue and stock, and cutting orders. The settings (SETUP_PAR, INTERFACE_MAP, STATIONS) and
// the saved layouts (LFM_CFile, LFM_DFile) stay. Nothing is emptied unless the copy is complete,
// and the tables are emptied all together or not at all.

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace global {
class Database;
class Dialogs;
}

namespace shell {

class DatabaseDeletion {
    Q_DECLARE_TR_FUNCTIONS(DatabaseDeletion)
public:
    // One entry of the list of database contents the action works through.
    struct Entry {
        QString name;        // table name, or a file in DB/ (the logo)
        bool toClean = false;
        bool isFile = false;
    };

    DatabaseDeletion(global::Database& db, const QString& dataDir, global::Dialogs& dialogs);

    // The whole action. True when the database was copied and emptied.
    bool run(const QDateTime& now);

    // The list of contents in the order they are copied: the tables to empty, then what stays.
    static QList<Entry> contents();
    static QStringList tablesToEmpty();
    // "DB/Backup/20261207094512" (relative to the data directory).
    static QString backupFolderName(const QDateTime& now);

    QString backupFolder() const { return backupFolder_; }

private:
    bool confirm();
    bool makeBackupFolder();
    bool copyContents();
    bool emptyTables();
    void reportCopyError(const QString& name, int code, const QString& text);

    global::Database& db_;
    QString dataDir_;
    global::Dialogs& dialogs_;
    QString backupFolder_;      // as shown to the operator
    QString backupPath_;        // absolute
};

} // namespace shell
