#pragma once
// "Konwersja struktur bazy danych": brings the database file of an older layout, or one of the
// current layout that lacks columns or keys, up to the layout of this version, after a copy of
// the whole file into DB/Backup_conv/<yyyymmdd>-<hhmmss>/ (global/LayoutConversion.h).
//
// The desktop program offers it when the file it opens needs it (openOfferingConversion); the
// command line runs it with `barmond database convert`.

#include "global/Database.h"
#include "global/LayoutConversion.h"
#include "global/Services.h"

#include <QString>

#include <functional>

namespace settings {

class DatabaseConversion {
public:
    enum class State {
        Current,       // the database is open and of the current layout: nothing to do
        Convertible,   // refused as it is, but the conversion brings it up to date
        Refused,       // refused, and no conversion would change that (message())
    };
    enum class Outcome { Current, Converted, Failed };

    DatabaseConversion(global::Database& db, global::Clock& clock);

    // Opens the database (which writes nothing to a file that needs converting) and tells what
    // the file needs; need() says it in words.
    State check();
    QString need() const { return need_; }

    // Converts and opens the converted file. Current when another station converted it meanwhile.
    Outcome convert();

    // Between the stages of the conversion (the operator's Cancel); false stops it unchanged.
    void setStageCheck(std::function<bool(const QString& stage)> check) { stageCheck_ = std::move(check); }

    // The question the program asks before converting, "|" between its lines.
    QString question() const;
    // One line saying what happened: "Struktura danych aktualna", "Konwersja przebiegła
    // pomyślnie ..." with the copy's file and what had to give way, or the failure.
    QString message() const { return message_; }
    const global::ConversionReport& report() const { return report_; }

private:
    QString convertedMessage() const;

    global::Database& db_;
    global::Clock& clock_;
    std::function<bool(const QString&)> stageCheck_;
    QString need_;
    QString message_;
    global::ConversionReport report_;
};

// The database opened as the program opens it at start. A file the conversion can bring up to
// date is offered it: "Tak" converts it (after its copy) and opens it, "Nie" refuses the file as
// any other, with the message naming the command that converts it. False when the database
// cannot be used; every refusal or failure has been shown.
bool openOfferingConversion(global::Database& db, global::Services& services);

} // namespace settings
