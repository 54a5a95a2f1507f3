// kadrel accept: computes the solutions of a profile as `calc --profile` does and stores the chosen
// one as a cutting order, with every check of the save window.
#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/cli/PrintCommand.h"
#include "optimizer/cli/SolutionOptions.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace kadrel::cli {

namespace {

const QString CommandName = QStringLiteral("accept");

QString readEntry(const ParsedOptions& options, AcceptanceEntry& entry, const QDate& today)
{
    entry.description = options.values.value(QStringLiteral("--description"));
    entry.productionDate = presetProductionDate(today);
    if (options.values.contains(QStringLiteral("--production-date"))) {
        const QString text = options.values.value(QStringLiteral("--production-date"));
        entry.productionDate = QDate::fromString(text, Qt::ISODate);
        if (!entry.productionDate.isValid() || text.size() != 10)
            return QStringLiteral("accept: --production-date needs a date YYYY-MM-DD, not \"%1\"").arg(text);
    }
    return {};
}

void report(const AcceptanceResult& result, bool json)
{
    if (json) {
        const QJsonObject object{{QStringLiteral("transaction"), qint64(result.transaction)},
                                 {QStringLiteral("bars"), qint64(result.bars)},
                                 {QStringLiteral("pieces"), qint64(result.pieces)},
                                 {QStringLiteral("remnants"), qint64(result.remnants)}};
        QTextStream(stdout) << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << Qt::endl;
        return;
    }
    printLine(QStringLiteral("Cutting order %1 saved: %2 bars, %3 pieces, %4 remnants back to stock.")
                  .arg(result.transaction)
                  .arg(result.bars)
                  .arg(result.pieces)
                  .arg(result.remnants));
}

} // namespace

int runAccept(const QStringList& args)
{
    ParsedOptions options;
    QStringList valued = solutionValuedOptions();
    valued << QStringLiteral("--description") << QStringLiteral("--production-date") << QStringLiteral("--pdf");
    if (const QString problem = splitOptions(CommandName, args, {QStringLiteral("--json"), QStringLiteral("--yes")}, valued,
                                             options);
        !problem.isEmpty())
        return usageError(problem);
    SolutionRequest request;
    if (const QString problem = readSolutionRequest(CommandName, options, request); !problem.isEmpty())
        return usageError(problem);
    global::SystemClock clock;
    AcceptanceEntry entry;
    if (const QString problem = readEntry(options, entry, clock.now().date()); !problem.isEmpty())
        return usageError(problem);

    global::Database db(dataDirectory());
    if (!openWithParameters(db))
        return ExitFailed;
    ChosenSolution chosen;
    if (!computeSolution(db, consoleDialogs(), request, chosen))
        return ExitFailed;
    if (!chosen.canSave) {
        consoleDialogs().message(
            QStringLiteral("Zapis niemożliwy: rozwiązanie dla pozycji zamówienia, które nie jest zatwierdzone, "
                           "albo symulacja zamówień otwartych."));
        return ExitFailed;
    }

    global::MemoryClipboard clipboard;
    global::SystemIdentity identity;
    const global::Services services{consoleDialogs(), clipboard, clock, identity};
    // The summary cut list of the new cutting order, as the save window prints it.
    const QString pdf = options.values.value(QStringLiteral("--pdf"));
    bool printed = true;
    CutListPrinter printer;
    if (!pdf.isEmpty())
        printer = [&](uint32_t profile, const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                      uint32_t transaction, bool summary) {
            int pages = 0;
            printed = writeCutListPdf(db, pdf, global::glo().language, profile, bars, pieces, transaction, summary, pages);
        };
    const AcceptanceResult result = saveCuts(db, services, request.call.profile, chosen.bars, chosen.pieces,
                                             chosen.statistics, entry, printer);
    if (!result.saved)
        return ExitFailed;
    report(result, options.flags.contains(QStringLiteral("--json")));
    if (!printed) {
        consoleDialogs().message(QStringLiteral("Polecenie cięcia %1 zapisano, ale listy cięcia %2 nie zapisano.")
                                     .arg(result.transaction)
                                     .arg(pdf));
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace kadrel::cli
