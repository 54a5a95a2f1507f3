#include "settings/DatabaseConversion.h"

#include <QDir>

namespace settings {

namespace {
const QString Caption = QStringLiteral("Konwersja bazy danych");
const QString ErrorCaption = QStringLiteral("Błąd bazy danych");
} // namespace

DatabaseConversion::DatabaseConversion(global::Database& db, global::Clock& clock) : db_(db), clock_(clock) {}

DatabaseConversion::State DatabaseConversion::check()
{
    need_.clear();
    if (db_.open() == 0) {
        message_ = QStringLiteral("Struktura danych aktualna");
        return State::Current;
    }
    message_ = db_.openErrorText();
    if (!db_.needsConversion())
        return State::Refused;
    global::LayoutConversion conversion(db_);
    if (conversion.inspect(need_) != 0) {
        message_ = conversion.errorText();
        return State::Refused;
    }
    return State::Convertible;
}

DatabaseConversion::Outcome DatabaseConversion::convert()
{
    global::LayoutConversion conversion(db_);
    conversion.setStageCheck(stageCheck_);
    if (conversion.run(clock_.now(), report_) != 0) {
        message_ = conversion.errorText();
        return Outcome::Failed;
    }
    if (db_.open() != 0) {
        message_ = db_.openErrorText();
        return Outcome::Failed;
    }
    if (!report_.converted) {
        message_ = QStringLiteral("Struktura danych aktualna");
        return Outcome::Current;
    }
    message_ = convertedMessage();
    return Outcome::Converted;
}

QString DatabaseConversion::convertedMessage() const
{
    const QString what = report_.fromVersion < report_.toVersion
                             ? QStringLiteral("układ tabel w wersji %1 zmieniony na wersję %2").arg(report_.fromVersion).arg(report_.toVersion)
                             : QStringLiteral("uzupełniono układ tabel w wersji %1").arg(report_.toVersion);
    QString text = QStringLiteral("Konwersja przebiegła pomyślnie: %1 (%2). Kopia poprzedniego pliku: %3.")
                       .arg(what, report_.changes.join(QStringLiteral("; ")), report_.backupFile);
    if (!report_.notes.isEmpty())
        text += QStringLiteral(" Uwaga: %1.").arg(report_.notes.join(QStringLiteral("; ")));
    return text;
}

QString DatabaseConversion::question() const
{
    return QStringLiteral("Baza danych %1 wymaga konwersji: %2.|Przed konwersją cały plik zostanie skopiowany do nowego "
                          "folderu w %3 (data i godzina w nazwie). Na czas konwersji inne stanowiska nie mogą zapisywać "
                          "w bazie.||Czy przekonwertować bazę danych teraz?")
        .arg(QDir::toNativeSeparators(db_.filePath()), need_, QDir::toNativeSeparators(QStringLiteral("DB/Backup_conv")));
}

bool openOfferingConversion(global::Database& db, global::Services& services)
{
    DatabaseConversion conversion(db, services.clock);
    switch (conversion.check()) {
    case DatabaseConversion::State::Current:
        return true;
    case DatabaseConversion::State::Refused:
        services.dialogs.message(conversion.message(), ErrorCaption);
        return false;
    case DatabaseConversion::State::Convertible:
        break;
    }
    if (services.dialogs.ask(conversion.question(), {QStringLiteral("Tak"), QStringLiteral("Nie")}, Caption) != 0) {
        services.dialogs.message(conversion.message(), ErrorCaption);
        return false;
    }
    const DatabaseConversion::Outcome outcome = conversion.convert();
    if (outcome == DatabaseConversion::Outcome::Failed) {
        services.dialogs.message(conversion.message(), ErrorCaption);
        return false;
    }
    services.dialogs.message(conversion.message(), Caption);
    return true;
}

} // namespace settings
