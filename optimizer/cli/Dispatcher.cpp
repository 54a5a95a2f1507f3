#include "optimizer/cli/Commands.h"

#include "global/Services.h"

#include <QDir>
#include <QTextStream>

#include <cstdio>

namespace kadrel::cli {

namespace {

QString chosenDataDirectory;

class ConsoleDialogs : public global::Dialogs {
public:
    void message(const QString& text, const QString& caption) override
    {
        QTextStream err(stderr);
        if (!caption.isEmpty())
            err << caption << ": ";
        err << QString(text).replace(QLatin1Char('|'), QLatin1Char('\n')) << Qt::endl;
    }

    int ask(const QString& text, const QStringList& buttons, const QString& caption) override
    {
        // Nobody can answer on the console: the first button, the one a question offers as "yes".
        message(text, caption);
        const int answer = 0;
        if (!buttons.isEmpty())
            QTextStream(stderr) << "-> " << buttons.value(answer) << Qt::endl;
        return answer;
    }
};

} // namespace

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"init", "init", "open or create the database, load the setup parameters, number this station",
         runInit},
        {"demo", "demo [--if-empty]",
         "fill an empty database with sample profiles, stock and orders\n"
         "      (--if-empty: leave a database that holds data as it is, without an error)",
         runDemo},
        {"calc",
         "calc --input PROBLEM.json [--json] [--stop-after MINUTES]\n"
         "  kadrel [--data-dir DIR] calc --profile PRFT_ID [--order-profile OPRF_ID] [--mode N] [--status N]\n"
         "         [--selection-start N] [--extend N] [--lengths ID,ID,...] [--json] [--stop-after MINUTES]",
         "run the cutting optimizer for one profile and print its solutions (--json: one JSON object)",
         runCalc},
    };
    return table;
}

QString usageText()
{
    QString text = QStringLiteral("Usage: kadrel [--data-dir DIR] COMMAND [ARGS...]\n\nCommands:\n");
    for (const Command& command : commands())
        text += QStringLiteral("  kadrel [--data-dir DIR] %1\n      %2\n")
                    .arg(QLatin1String(command.usage), QLatin1String(command.summary));
    text += QStringLiteral(
        "\nThe data directory holds the database folder DB and Barmond.ini: DIR when given,\n"
        "else the folder named by BARMOND_DATA, else the current folder.\n");
    return text;
}

int usageError(const QString& problem)
{
    QTextStream err(stderr);
    if (!problem.isEmpty())
        err << "kadrel: " << problem << "\n\n";
    err << usageText();
    err.flush();
    return ExitUsage;
}

QString dataDirectory()
{
    QString folder = chosenDataDirectory;
    if (folder.isEmpty())
        folder = qEnvironmentVariable("BARMOND_DATA");
    if (folder.isEmpty())
        folder = QStringLiteral(".");
    return QDir(folder).absolutePath();
}

void setDataDirectory(const QString& directory)
{
    chosenDataDirectory = directory;
}

global::Dialogs& consoleDialogs()
{
    static ConsoleDialogs dialogs;
    return dialogs;
}

void printLine(const QString& text)
{
    QTextStream(stdout) << text << Qt::endl;
}

int dispatch(const QStringList& arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--data-dir")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                return usageError(QStringLiteral("--data-dir needs a folder"));
            setDataDirectory(arguments.at(++i));
        } else if (argument.startsWith(QLatin1String("--data-dir="))) {
            const QString folder = argument.mid(int(sizeof("--data-dir=")) - 1);
            if (folder.isEmpty())
                return usageError(QStringLiteral("--data-dir needs a folder"));
            setDataDirectory(folder);
        } else {
            rest << argument;
        }
    }
    if (rest.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString name = rest.takeFirst();
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        QTextStream(stdout) << usageText();
        return ExitOk;
    }
    for (const Command& command : commands())
        if (name == QLatin1String(command.name))
            return command.run(rest);
    return usageError(QStringLiteral("unknown command \"%1\"").arg(name));
}

} // namespace kadrel::cli
