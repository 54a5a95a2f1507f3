// kadrel demo: fills an empty database with sample profiles, stock and orders.
#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Services.h"
#include "optimizer/DemoData.h"

namespace kadrel::cli {

int runDemo(const QStringList& args)
{
    bool onlyIfEmpty = false;
    for (const QString& argument : args) {
        if (argument == QLatin1String("--if-empty"))
            onlyIfEmpty = true;
        else
            return usageError(QStringLiteral("demo does not know \"%1\"").arg(argument));
    }

    global::Database db(dataDirectory());
    if (!db.openOrReport(consoleDialogs()))
        return ExitFailed;

    QString error;
    if (onlyIfEmpty) {
        bool empty = false;
        if (!databaseIsEmpty(db, empty, error)) {
            consoleDialogs().message(error);
            return ExitFailed;
        }
        if (!empty) {
            printLine(QStringLiteral("The database %1 already holds data; no sample added.").arg(db.filePath()));
            return ExitOk;
        }
    }

    DemoSummary summary;
    if (!fillDemoData(db, summary, error)) {
        consoleDialogs().message(error);
        return ExitFailed;
    }
    // All values in one arg(): an address such as postgresql://user@%2Ftmp/name holds "%2", which a
    // further arg() would take for its place marker.
    printLine(QStringLiteral("Sample data written to %1: %2 profiles with %3 stock lengths, "
                             "%4 orders with %5 positions and %6 pieces.")
                  .arg(db.filePath(), QString::number(summary.profiles), QString::number(summary.lengths),
                       QString::number(summary.orders), QString::number(summary.positions),
                       QString::number(summary.cuts)));
    return ExitOk;
}

} // namespace kadrel::cli
