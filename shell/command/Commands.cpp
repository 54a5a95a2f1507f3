#include "shell/command/Commands.h"

#include "global/DataDirectory.h"
#include "shell/command/CommandContext.h"
#include "shell/command/StockCommands.h"

#include <cstdio>

namespace shell {

namespace {

// Options that never take a value.
const QStringList Flags{QStringLiteral("yes"), QStringLiteral("json"), QStringLiteral("all")};

int usageError(const QString& text)
{
    std::fprintf(stderr, "barmond: %s\n%s", text.toUtf8().constData(), commandUsage().toUtf8().constData());
    return ExitUsage;
}

} // namespace

bool isCommand(const QStringList& arguments)
{
    const QStringList rest = global::withoutDataDirectoryOption(arguments);
    return !rest.isEmpty() && !rest.first().startsWith(QLatin1Char('-'));
}

QString commandUsage()
{
    return QStringLiteral("Usage: barmond [--data-dir DIR] COMMAND ... [--json]\n"
                          "       barmond help\n")
        + stockCommandUsage();
}

int runCommand(const QStringList& arguments)
{
    try {
        const CommandLine line(global::withoutDataDirectoryOption(arguments), Flags);
        const QString command = line.words().value(0);
        if (command == QLatin1String("help")) {
            std::fprintf(stdout, "%s", commandUsage().toUtf8().constData());
            return ExitDone;
        }
        CommandContext context(line, global::dataDirectory(arguments));
        if (command == QLatin1String("stock"))
            return runStockCommand(context);
        return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    } catch (const UsageError& error) {
        return usageError(error.text);
    }
}

} // namespace shell
