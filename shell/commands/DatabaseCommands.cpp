// barmond database convert [--yes]
// barmond database check [--yes]

#include "shell/commands/Commands.h"

#include "global/ConsoleDialogs.h"
#include "global/Database.h"
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
