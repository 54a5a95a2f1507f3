#pragma once
// Bringing a database file up to the layout this version reads and writes.
//
// The layout version is the file's PRAGMA user_version. Every change of the layout adds one step
// to the chain (layoutSteps()): the step from version N turns a file of version N into one of
// version N + 1, so a file of any version the program has ever written passes through the steps
// from its own version on. After the steps the file is compared with the current layout and what
// is still missing is added back from it: tables, columns (the upper-case shadow columns filled
// from their fields) and keys, and keys of another form are made again. This also repairs a file
// of the current version that lacks columns or keys.
//
// A conversion first takes the write lock, copies the whole file consistently into a new folder
// DB/Backup_conv/<yyyymmdd>-<hhmmss>/ beside it (never into a folder that exists), and then
// changes the file in one transaction: either every step and repair is stored, or, on any
// failure, nothing is.

#include "global/Database.h"
#include "global/DatabaseLayout.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace global {

// What a conversion did, in words for the operator.
struct ConversionReport {
    bool converted = false;   // false: the file was already current, nothing was done or copied
    int fromVersion = 0;
    int toVersion = 0;
    QString backupFile;       // the copy taken before the change
    QStringList changes;      // what was changed, one phrase each
    QStringList notes;        // what the operator has to know (values that had to give way)
};

// One step of the chain: from layout version `from` to from + 1.
struct LayoutStep {
    int from = 0;
    QString description;
    bool (*apply)(QSqlDatabase& db, ConversionReport& report, QString& error) = nullptr;
};

// The steps from version 1 up to Database::SchemaVersion, in order.
const QList<LayoutStep>& layoutSteps();

// Adds to the file what it lacks against the current layout (tables, columns, keys) and makes
// keys of another form again. Part of a conversion; runs inside its transaction.
bool repairLayout(QSqlDatabase& db, ConversionReport& report, QString& error);

class LayoutConversion {
public:
    static constexpr int LockWaitMs = 3000;

    explicit LayoutConversion(Database& db);

    // Asked before each stage ("kopia", "wersja 1", "uzupełnienie", "zapis") with its name; an
    // answer false (the operator's Cancel) stops the conversion, which then changes nothing.
    void setStageCheck(std::function<bool(const QString& stage)> check) { stageCheck_ = std::move(check); }

    // What the file needs, read without writing: 0 with `need` empty when the file is current, or
    // in words ("układ tabel w wersji 1", "w tabeli CUTS brak pól: PCS"); an error number with
    // errorText() when the file is not one the conversion can change.
    int inspect(QString& need);

    // Converts the file of the database (open() may have refused it). Returns 0 when the file is
    // current afterwards (report.converted tells whether anything was done), or an error number
    // with errorText() saying what failed; the file is then as it was.
    int run(const QDateTime& now, ConversionReport& report);
    QString errorText() const { return error_; }

    // "DB/Backup_conv/20260105-080000": the backup folder of a conversion started at `now`,
    // relative to the data directory.
    static QString backupFolderName(const QDateTime& now);

private:
    int fail(int code, const QString& text);
    bool proceed(const QString& stage);
    int readVersion(QSqlDatabase& db, int& version);
    int describeNeed(QSqlDatabase& db, int version, QString& need);
    int backUp(const QDateTime& now, int version, ConversionReport& report);
    int convert(QSqlDatabase& db, int version, ConversionReport& report);

    Database& db_;
    std::function<bool(const QString&)> stageCheck_;
    QString error_;
};

} // namespace global
