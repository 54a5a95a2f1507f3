#include "shell/commands/Commands.h"

#include "global/DataDirectory.h"
#include "shell/commands/OrderCommands.h"
#include "shell/commands/StockCommands.h"
#include "shell/commands/TransactionCommands.h"

#include <vector>

namespace shell::commands {

namespace {

struct Command {
    QStringList words;     // "database", "convert"
    const char* options;   // after the words in the usage
    const char* summary;
    int (*run)(const QStringList& options, const QString& dataDir, Console console);
};

const std::vector<Command>& table()
{
    static const std::vector<Command> commands{
        {{QStringLiteral("database"), QStringLiteral("convert")}, "[--yes]",
         "bring the database up to the layout of this version (older layouts, missing fields or keys),\n"
         "      after a copy of the whole file into DB/Backup_conv/<yyyymmdd>-<hhmmss>/; --yes answers the\n"
         "      question before converting",
         databaseConvert},
        {{QStringLiteral("database"), QStringLiteral("copy")}, "--from URL | --to URL [--yes]",
         "copy every table of the current database into an empty database of the other engine (URL:\n"
         "      postgresql://user@host:port/name, or the path of a database file), in one transaction",
         databaseCopy},
        {{QStringLiteral("database"), QStringLiteral("check")}, "[--yes]",
         "test the database: a copy of the whole file into DB/Backup/<yyyymmddhhmmss>/, the file's own check,\n"
         "      the keys built again, and the orders, profiles and positions that pieces refer to recreated",
         databaseCheck},
        {{QStringLiteral("stock")}, "opening-balance | set | delete | export ...",
         "the stock lengths of the catalogue (see below)", stock},
        {{QStringLiteral("orders")}, "import | import-pieces | approve | withdraw | close | delete | print ...",
         "orders, their pieces and pasted imports (see below)", orders},
        {{QStringLiteral("profiles")}, "import --file TEXT", "pasted profiles (see below)", profiles},
        {{QStringLiteral("cuts")}, "import --file BOOK.xlsx|BOOK.ods [--answer add|omit|break]",
         "the cut list of a workbook (see below)", cuts},
        {{QStringLiteral("transactions")}, "close | reopen | delete | print ...",
         "the cutting orders: confirm, reopen, delete, print (see below)", transactions},
    };
    return commands;
}

int usageError(const QString& problem, Console console)
{
    console.err << "barmond: " << problem << "\n\n" << usageText();
    console.err.flush();
    return ExitUsage;
}

} // namespace

void Console::message(const QString& text) const
{
    err << QString(text).replace(QLatin1Char('|'), QLatin1Char('\n')) << Qt::endl;
}

bool namesCommand(const QStringList& arguments)
{
    const QStringList rest = global::takeDataDirectory(arguments).rest;
    return !rest.isEmpty() && !rest.first().startsWith(QLatin1Char('-'));
}

QString usageText()
{
    QString text = QStringLiteral("Usage: barmond [--data-dir DIR] COMMAND [OPTIONS...]\n"
                                  "       barmond [--data-dir DIR] [--demo] ...   (no command: the desktop program)\n\n"
                                  "Commands:\n");
    for (const Command& command : table())
        text += QStringLiteral("  barmond [--data-dir DIR] %1 %2\n      %3\n")
                    .arg(command.words.join(QLatin1Char(' ')), QLatin1String(command.options), QLatin1String(command.summary));
    text += QStringLiteral("\n") + shell::stockCommandUsage() + QStringLiteral("\n");
    text += shell::orderCommandUsage() + QStringLiteral("\n");
    text += shell::cutCommandUsage() + QStringLiteral("\n");
    text += shell::transactionCommandUsage() + QStringLiteral("\n");
    text += QStringLiteral("  barmond help\n      list the commands\n\n"
                           "The data directory holds the database folder DB and Barmond.ini: DIR when given,\n"
                           "else the folder named by BARMOND_DATA, else the current folder.\n"
                           "Exit status: 0 done, 1 refused or failed (nothing written), 2 a bad command line.\n");
    return text;
}

int run(const QStringList& arguments, Console console)
{
    const global::DataDirectoryChoice choice = global::takeDataDirectory(arguments);
    if (!choice.ok())
        return usageError(choice.error, console);
    const QString dataDir = choice.folder;
    const QStringList& rest = choice.rest;
    if (rest.isEmpty())
        return usageError(QStringLiteral("no command given"), console);
    if (rest.first() == QLatin1String("help")) {
        console.out << usageText();
        console.out.flush();
        return ExitOk;
    }
    for (const Command& command : table()) {
        if (rest.mid(0, command.words.size()) == command.words)
            return command.run(rest.mid(command.words.size()), dataDir, console);
    }
    return usageError(QStringLiteral("unknown command \"%1\"").arg(rest.mid(0, 2).join(QLatin1Char(' '))), console);
}

} // namespace shell::commands
