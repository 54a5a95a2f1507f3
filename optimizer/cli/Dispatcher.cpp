#include "optimizer/cli/Commands.h"

#include "global/ConsoleDialogs.h"
#include "global/DataDirectory.h"
#include "global/Services.h"
#include "optimizer/OptimizerCall.h"
#include "optimizer/RunLimits.h"

#include <QTextStream>

#include <cstdio>

namespace kadrel::cli {

namespace {

QString chosenDataDirectory;

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
         "calc --input PROBLEM.json [--json [--solutions N]] [--stop-after MINUTES] [--time-limit SECONDS]\n"
         "  kadrel [--data-dir DIR] calc --profile PRFT_ID [--order-profile OPRF_ID] [--mode N] [--status N]\n"
         "         [--selection-start N] [--extend N] [--lengths ID,ID,...] [--json [--solutions N]]\n"
         "         [--stop-after MINUTES] [--time-limit SECONDS]",
         "run the cutting optimizer for one profile and print its solutions (--json: one JSON object;\n"
         "      --solutions N: only the first N solutions of the ranking in full, the ranking whole);\n"
         "      method 5 plans with the lower bound and stops after --time-limit seconds (default 10)",
         runCalc},
        {"accept",
         "accept --profile PRFT_ID [calc options] [--solution COMB_NO] [--description TEXT]\n"
         "         [--production-date YYYY-MM-DD] [--pdf FILE] [--json]",
         "compute the solutions of a profile and save the chosen one (default: the first) as a cutting order;\n"
         "      --pdf writes the summary cut list of the new cutting order",
         runAccept},
        {"print",
         "print --transaction STOT_ID [--summary] [--language PL|EN] --pdf FILE\n"
         "  kadrel [--data-dir DIR] print --profile PRFT_ID [calc options] [--solution COMB_NO] [--summary]\n"
         "         [--language PL|EN] --pdf FILE",
         "write the cut list of a cutting order, or of a solution not stored, as a PDF file", runPrint},
        {"extensions", "extensions --profile PRFT_ID [calc options] [--solution COMB_NO]",
         "print the joint list of a solution (pieces made of two sections), as the clipboard export has it",
         runExtensions},
        {"formula", "formula EXPRESSION [NAME=VALUE ...]",
         "evaluate a formula of the import field map with the names bound to the values (texts;\n"
         "      numbers are read with a decimal comma or point) and print the result",
         runFormula},
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
        "else the folder named by BARMOND_DATA, else the current folder. --database\n"
        "postgresql://user@host:port/name works on a PostgreSQL database instead (else BARMOND_DATABASE,\n"
        "else the section [Database] of Barmond.ini, else the file DB/barmond.db).\n");
    text += QStringLiteral(
        "\nLimits of one calculation: at most %1 pieces (a piece of two sections counts twice),\n"
        "%2 distinct piece lengths, %7 for the pieces times the distinct lengths (%1 pieces of up to\n"
        "%8 lengths, %9 pieces of up to %2) and %3 of summed piece length; larger problems are\n"
        "refused before the calculation starts. Lengths are whole numbers from 1 to %4.\n"
        "Methods (--mode, \"mode\" of a problem file): 0 to %5. Piece-status selectors (--status,\n"
        "\"status\"): 0 to %6; 2 takes the new pieces (a simulation), the others the approved ones.\n")
                .arg(RunLimits::MaxPieces).arg(RunLimits::MaxLengths).arg(RunLimits::MaxTotalLength)
                .arg(RunLimits::MaxLength).arg(int(OptimizerMode::Last)).arg(int(PieceStatusSelector::Last))
                .arg(RunLimits::MaxPiecesTimesLengths).arg(RunLimits::MaxPiecesTimesLengths / RunLimits::MaxPieces)
                .arg(RunLimits::MaxPiecesTimesLengths / RunLimits::MaxLengths);
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
    return chosenDataDirectory.isEmpty() ? global::takeDataDirectory({}).folder : chosenDataDirectory;
}

void setDataDirectory(const QString& directory)
{
    chosenDataDirectory = directory;
}

global::Dialogs& consoleDialogs()
{
    static global::ConsoleDialogs dialogs;
    return dialogs;
}

void printLine(const QString& text)
{
    QTextStream(stdout) << text << Qt::endl;
}

int dispatch(const QStringList& arguments)
{
    const global::DataDirectoryChoice data = global::takeDataDirectory(arguments);
    if (!data.ok())
        return usageError(data.error);
    setDataDirectory(data.folder);
    QStringList rest = data.rest;
    if (rest.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString name = rest.takeFirst();
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        QTextStream(stdout) << usageText();
        return ExitOk;
    }
    for (const Command& command : commands()) {
        if (name != QLatin1String(command.name))
            continue;
        try {
            return command.run(rest);
        } catch (const global::UnansweredQuestion& question) {
            // Nobody could answer: the command stopped before the write the question guards.
            QTextStream(stderr) << "kadrel: " << question.explanation() << Qt::endl;
            return ExitFailed;
        }
    }
    return usageError(QStringLiteral("unknown command \"%1\"").arg(name));
}

} // namespace kadrel::cli
