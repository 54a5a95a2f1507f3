// kadrel print: the cut list of a stored cutting order, or of a solution not stored (a cutting
// specification), written as a PDF file.
#include "optimizer/cli/PrintCommand.h"

#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Services.h"
#include "global/Table.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/cli/SolutionOptions.h"
#include "optimizer/cutlist/CutListReport.h"
#include "ui/report/PdfOutput.h"

#include <QDir>

namespace kadrel::cli {

namespace {

const QString PrintName = QStringLiteral("print");

struct PrintRequest {
    std::optional<uint32_t> transaction;
    SolutionRequest solution;
    bool summary = false;
    QString language;   // empty: the setup parameter
    QString pdf;
};

QString readPrintRequest(const ParsedOptions& options, PrintRequest& request)
{
    request.summary = options.flags.contains(QStringLiteral("--summary"));
    request.pdf = options.values.value(QStringLiteral("--pdf"));
    if (request.pdf.isEmpty())
        return QStringLiteral("print: give the file to write with --pdf");
    if (options.values.contains(QStringLiteral("--language"))) {
        request.language = options.values.value(QStringLiteral("--language")).toUpper();
        if (request.language != QLatin1String("PL") && request.language != QLatin1String("EN"))
            return QStringLiteral("print: --language is PL or EN, not \"%1\"")
                .arg(options.values.value(QStringLiteral("--language")));
    }
    if (options.values.contains(QStringLiteral("--transaction"))) {
        for (const QString& option : solutionValuedOptions())
            if (options.values.contains(option))
                return QStringLiteral("print: --transaction cannot be combined with %1").arg(option);
        uint64_t id = 0;
        if (!readWholeNumber(options.values.value(QStringLiteral("--transaction")), 0xFFFFFFFFu, id))
            return QStringLiteral("print: --transaction needs a cutting-order number, not \"%1\"")
                .arg(options.values.value(QStringLiteral("--transaction")));
        request.transaction = static_cast<uint32_t>(id);
        return {};
    }
    if (!options.values.contains(QStringLiteral("--profile")))
        return QStringLiteral("print: give a cutting order with --transaction or a profile with --profile");
    return readSolutionRequest(PrintName, options, request.solution);
}

// The profile and the print lists of a stored cutting order; false after a message.
bool storedOrder(global::Database& db, uint32_t transaction, uint32_t& profile, SolutionItemTable& bars,
                 SolutionSubitemTable& pieces)
{
    global::Table<global::StockTransRecord> orders(db);
    global::StockTransRecord order;
    order.id = transaction;
    if (const int code = orders.fetch(global::Table<global::StockTransRecord>::Auto, order); code != 0) {
        consoleDialogs().message(
            QStringLiteral("Brak polecenia cięcia nr %1. Numer błędu = %2").arg(transaction).arg(code));
        return false;
    }
    profile = order.profileId;
    QString error;
    if (!storedCuttingOrderLists(db, transaction, bars, pieces, error)) {
        consoleDialogs().message(error);
        return false;
    }
    return true;
}

} // namespace

bool writeCutListPdf(global::Database& db, const QString& file, const QString& language, uint32_t profile,
                     const SolutionItemTable& bars, const SolutionSubitemTable& pieces, uint32_t transaction,
                     bool summary, int& pages)
{
    const QString chosen = language.trimmed().toUpper();
    if (chosen != QLatin1String("PL") && chosen != QLatin1String("EN")) {
        consoleDialogs().message(
            QStringLiteral("The language setting \"%1\" has no cut list (PL or EN); nothing written.").arg(language));
        return false;
    }
    global::SystemClock clock;
    global::SystemIdentity identity;
    global::MemoryClipboard clipboard;
    ui::report::PdfOutput pdf(file);
    const CutListPrinting printing{db, global::Services{consoleDialogs(), clipboard, clock, identity}, pdf};
    if (!printCuts(printing, chosen, profile, bars, pieces, transaction, summary))
        return false;
    pages = pdf.pages();
    return true;
}

int runPrint(const QStringList& args)
{
    ParsedOptions options;
    QStringList valued = solutionValuedOptions();
    valued << QStringLiteral("--transaction") << QStringLiteral("--language") << QStringLiteral("--pdf");
    if (const QString problem = splitOptions(PrintName, args, {QStringLiteral("--summary")}, valued, options);
        !problem.isEmpty())
        return usageError(problem);
    PrintRequest request;
    if (const QString problem = readPrintRequest(options, request); !problem.isEmpty())
        return usageError(problem);

    global::Database db(dataDirectory());
    if (!openWithParameters(db))
        return ExitFailed;
    uint32_t profile = 0;
    uint32_t transaction = 0;
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
    if (request.transaction) {
        transaction = *request.transaction;
        if (!storedOrder(db, transaction, profile, bars, pieces))
            return ExitFailed;
    } else {
        ChosenSolution chosen;
        if (!computeSolution(db, consoleDialogs(), request.solution, chosen))
            return ExitFailed;
        profile = request.solution.call.profile;
        bars = chosen.bars;
        pieces = chosen.pieces;
    }
    const QString language = request.language.isEmpty() ? global::glo().language : request.language;
    int pages = 0;
    if (!writeCutListPdf(db, request.pdf, language, profile, bars, pieces, transaction, request.summary, pages))
        return ExitFailed;
    const QString what = transaction != 0 ? QStringLiteral("cutting order %1").arg(transaction)
                                          : QStringLiteral("the solution of profile %1").arg(profile);
    printLine(QStringLiteral("Cut list of %1 written to %2 (%3 pages).")
                  .arg(what, QDir::toNativeSeparators(request.pdf), QString::number(pages)));
    return ExitOk;
}

bool drawsReports(const QStringList& arguments)
{
    QString command;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--data-dir")) {
            ++i;
            continue;
        }
        if (arguments.at(i).startsWith(QLatin1String("--data-dir=")))
            continue;
        command = arguments.at(i);
        break;
    }
    return command == QLatin1String("print")
        || (command == QLatin1String("accept") && arguments.contains(QStringLiteral("--pdf")));
}

} // namespace kadrel::cli
