// barmond database convert [--yes]

#include "shell/commands/Commands.h"

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "settings/DatabaseConversion.h"

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

} // namespace shell::commands
