// barmond database convert [--yes]
// barmond database copy --from URL | --to URL [--yes]
// barmond database check [--yes]

#include "shell/commands/Commands.h"

#include "global/ConsoleDialogs.h"
#include "global/Database.h"
#include "global/DatabaseCopy.h"
#include "global/DatabaseLocation.h"
#include "global/ScriptedServices.h"
#include "settings/DatabaseConversion.h"
#include "settings/DatabaseTest.h"

namespace shell::commands {

int databaseConvert(const QStringList& options, const QString& dataDir, Console console)
{
    bool yes = false;
    for (const QString& option : options) {
        if (option != QLatin1String("--yes")) {
            console.err << "barmond: database convert: unknown option " << option << "\n\n" << usageText();
            return ExitUsage;
        }
        yes = true;
    }
    global::Database db(dataDir);
    global::SystemClock clock;
    settings::DatabaseConversion conversion(db, clock);
    switch (conversion.check()) {
    case settings::DatabaseConversion::State::Current:
        console.out << conversion.message() << Qt::endl;
        return ExitOk;
    case settings::DatabaseConversion::State::Refused:
        console.message(conversion.message());
        return ExitFailed;
    case settings::DatabaseConversion::State::Convertible:
        break;
    }
    if (!yes) {
        console.message(conversion.question());
        console.message(QStringLiteral("Pytanie bez odpowiedzi: podaj --yes, aby przekonwertować bazę danych. Nic nie zapisano."));
        return ExitFailed;
    }
    const settings::DatabaseConversion::Outcome outcome = conversion.convert();
    if (outcome == settings::DatabaseConversion::Outcome::Failed) {
        console.message(conversion.message());
        return ExitFailed;
    }
    console.out << conversion.message() << Qt::endl;
    return ExitOk;
}

namespace {

// A postgresql:// address, or else the path of an SQLite database file.
global::DatabaseLocation locationOf(const QString& address)
{
    if (address.startsWith(QLatin1String("postgresql://")) || address.startsWith(QLatin1String("postgres://")))
        return global::parsePostgresAddress(address);
    global::DatabaseLocation file;
    file.filePath = address.startsWith(QLatin1String("sqlite:")) ? address.mid(7) : address;
    return file;
}

} // namespace

int databaseCopy(const QStringList& options, const QString& dataDir, Console console)
{
    QString from;
    QString to;
    for (int i = 0; i < options.size(); ++i) {
        const QString& option = options.at(i);
        if (option == QLatin1String("--yes"))
            continue;
        if ((option == QLatin1String("--from") || option == QLatin1String("--to")) && i + 1 < options.size()
            && !options.at(i + 1).isEmpty()) {
            (option == QLatin1String("--from") ? from : to) = options.at(++i);
            continue;
        }
        console.err << "barmond: database copy: unknown option or missing address " << option << "\n\n" << usageText();
        return ExitUsage;
    }
    if (from.isEmpty() == to.isEmpty()) {
        console.err << "barmond: database copy: give either --from URL or --to URL\n\n" << usageText();
        return ExitUsage;
    }
    const global::DatabaseLocation other = locationOf(from.isEmpty() ? to : from);
    if (!other.ok()) {
        console.message(other.error);
        return ExitFailed;
    }
    global::Database current(dataDir);
    global::Database named = global::databaseAt(other);
    global::Database& source = from.isEmpty() ? current : named;
    global::Database& target = from.isEmpty() ? named : current;
    if (source.open() != 0) {
        console.message(source.openErrorText());
        return ExitFailed;
    }
    if (target.open() != 0) {
        console.message(target.openErrorText());
        return ExitFailed;
    }
    if (global::databaseName(source) == global::databaseName(target)) {
        console.message(QStringLiteral("Baza źródłowa i docelowa to ta sama baza %1. Nic nie skopiowano.").arg(global::databaseName(target)));
        return ExitFailed;
    }
    QString error;
    qint64 present = 0;
    if (const int code = global::countAllRecords(target, present, error); code != 0) {
        console.message(QStringLiteral("Nie można odczytać bazy docelowej %1: %2").arg(global::databaseName(target), error));
        return ExitFailed;
    }
    if (present != 0) {
        console.message(QStringLiteral("Baza docelowa %1 nie jest pusta (rekordów: %2); kopiuje się tylko do pustej bazy. "
                                       "Nic nie skopiowano.")
                            .arg(global::databaseName(target), QString::number(present)));
        return ExitFailed;
    }
    if (const int code = global::copyAllTables(source, target, error); code != 0) {
        console.message(QStringLiteral("Nie można skopiować bazy danych %1 do %2: %3|Nic nie skopiowano. ErrorCode = %4")
                            .arg(global::databaseName(source), global::databaseName(target), error, QString::number(code)));
        return ExitFailed;
    }
    qint64 copied = 0;
    if (global::countAllRecords(target, copied, error) != 0) {
        console.message(QStringLiteral("Nie można odczytać bazy docelowej %1: %2").arg(global::databaseName(target), error));
        return ExitFailed;
    }
    console.out << QStringLiteral("Database %1 copied to %2: %3 records in %4 tables")
                       .arg(global::databaseName(source), global::databaseName(target), QString::number(copied),
                            QString::number(global::Database::tableNames().size()))
                << Qt::endl;
    return ExitOk;
}

int databaseCheck(const QStringList& options, const QString& dataDir, Console console)
{
    for (const QString& option : options) {
        // It asks nothing; --yes is accepted as by every command that writes.
        if (option != QLatin1String("--yes")) {
            console.err << "barmond: database check: unknown option " << option << "\n\n" << usageText();
            return ExitUsage;
        }
    }
    global::Database db(dataDir);
    global::SystemClock clock;
    global::SystemIdentity identity;
    global::MemoryClipboard clipboard;
    global::ConsoleDialogs dialogs(console.err);
    const global::Services services{dialogs, clipboard, clock, identity};
    settings::DatabaseTest test(db, services);
    settings::DatabaseTestReport report;
    switch (test.run(report)) {
    case settings::DatabaseTest::Outcome::Failed:
        console.message(test.errorText());
        return ExitFailed;
    case settings::DatabaseTest::Outcome::Cancelled:   // nobody cancels on the command line
        console.message(QStringLiteral("Test bazy danych przerwany."));
        return ExitFailed;
    case settings::DatabaseTest::Outcome::Done:
        break;
    }
    console.out << "Kopia bazy danych: " << report.backupFile << "\n";
    console.out << QString(report.message()).replace(QLatin1Char('|'), QLatin1Char('\n')) << Qt::endl;
    return ExitOk;
}

} // namespace shell::commands
