// barmond transactions close|reopen|delete ID [--yes] [--json]
// barmond transactions print ID [--summary] [--language PL|EN] --pdf FILE
// barmond transactions export ID... --file BOOK.xlsx [--answer skip|add|skip-all|add-all|abort]

#include "shell/commands/CommandContext.h"
#include "shell/commands/Commands.h"

#include "global/DataDirectory.h"
#include "global/Globals.h"
#include "global/Table.h"
#include "global/WholeNumber.h"
#include "optimizer/cutlist/CutListReport.h"
#include "settings/CheckParameters.h"
#include "transactions/CuttingOrderSettlement.h"
#include "transactions/DetailExport.h"
#include "transactions/PrintTables.h"
#include "ui/report/PdfOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace global;

namespace shell {

namespace {

const QString CloseQuestion =
    QStringLiteral("Produkcja zakończona, odpad użytkowy zwrócony do magazynu. Zamknąć transakcję ?");
const QString DeleteQuestion = QStringLiteral("Usunąć dokument z systemu ?");
const QString ReopenQuestion = QStringLiteral(
    "Uwaga|Kontynuacja spowoduje wycofanie zamkniętego polecenia cięcia.|Jeśli dokumenty trafiły na produkcję, może "
    "powstać problem.|Proszę dobrze przemyśleć kontyunuowanie operacji.||Czy na pewno otworzyć zamknięte polecenie "
    "cięcia?");

enum class Action { Close, Reopen, Delete };

uint32_t transactionNumber(const CommandContext& context)
{
    const QStringList& words = context.line.words();
    if (words.size() != 3)
        throw UsageError{QStringLiteral("transactions %1 takes one cutting-order number").arg(words.value(1))};
    const std::optional<uint64_t> id = global::readWholeNumber(words[2], 0xFFFFFFFFu);
    if (!id)
        throw UsageError{QStringLiteral("a cutting-order number is a whole number, not \"%1\"").arg(words[2])};
    return static_cast<uint32_t>(*id);
}

// The cutting order as the list would show it; false after a message when the action does not fit.
bool offeredFor(CommandContext& context, uint32_t id, Action action)
{
    Table<StockTransRecord> orders(context.database);
    StockTransRecord order;
    order.id = id;
    if (const int code = orders.fetch(Table<StockTransRecord>::Auto, order); code != 0) {
        context.dialogs.message(QStringLiteral("Brak polecenia cięcia nr %1. Numer błędu = %2").arg(id).arg(code));
        return false;
    }
    const bool open = order.status == TransactionStatus::Open;
    if (action == Action::Close && !open)
        context.dialogs.message(QStringLiteral("Produkcja już potwierdzona"));
    else if (action == Action::Delete && !open)
        context.dialogs.message(QStringLiteral("Produkcji potwierdzonej raczej nie powinno się usuwać"));
    else if (action == Action::Reopen && open)
        context.dialogs.message(QStringLiteral("Polecenie cięcia nr %1 nie jest potwierdzone - nie ma czego otwierać").arg(id));
    else
        return true;
    return false;
}

bool confirmed(CommandContext& context, Action action)
{
    switch (action) {
    case Action::Close: return context.dialogs.ask(CloseQuestion, {QStringLiteral("Tak"), QStringLiteral("Nie")}) == 0;
    case Action::Delete: return context.dialogs.ask(DeleteQuestion, {QStringLiteral("Tak"), QStringLiteral("Nie")}) == 0;
    case Action::Reopen: break;
    }
    return context.dialogs.ask(ReopenQuestion, {QStringLiteral("Kontynuacja"), QStringLiteral("Rezygnacja")}) == 0;
}

int settle(CommandContext& context, Action action)
{
    context.line.allowOnly({QStringLiteral("yes"), QStringLiteral("json")});
    const uint32_t id = transactionNumber(context);
    if (!context.openDatabase() || !offeredFor(context, id, action))
        return ExitRefused;
    if (!confirmed(context, action)) {
        context.dialogs.message(QStringLiteral("Nic nie zostało zapisane."));
        return ExitRefused;
    }
    transactions::SettlementResult result;
    QString done;
    switch (action) {
    case Action::Close:
        result = transactions::closeTransaction(context.database, context.services, id, transactions::CloseMode::Close);
        done = QStringLiteral("closed");
        break;
    case Action::Reopen:
        result = transactions::closeTransaction(context.database, context.services, id, transactions::CloseMode::Reopen);
        done = QStringLiteral("reopened");
        break;
    case Action::Delete:
        result = transactions::deleteTransaction(context.database, context.services, id);
        done = QStringLiteral("deleted");
        break;
    }
    if (!result.done)
        return ExitRefused;
    if (context.line.has(QStringLiteral("json")))
        context.print(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("transaction"), qint64(id)},
                                                                  {QStringLiteral("bars"), qint64(result.bars)},
                                                                  {QStringLiteral("pieces"), qint64(result.pieces)}})
                                            .toJson(QJsonDocument::Compact)));
    else
        context.print(QStringLiteral("Cutting order %1 %2: %3 bars, %4 pieces").arg(id).arg(done).arg(result.bars).arg(result.pieces));
    return ExitDone;
}

int print(CommandContext& context)
{
    const CommandLine& line = context.line;
    line.allowOnly({QStringLiteral("summary"), QStringLiteral("language"), QStringLiteral("pdf"), QStringLiteral("yes"),
                    QStringLiteral("json")});
    const uint32_t id = transactionNumber(context);
    const QString file = line.text(QStringLiteral("pdf"));
    if (file.isEmpty())
        throw UsageError{QStringLiteral("transactions print: give the file to write with --pdf")};
    QString language = line.text(QStringLiteral("language")).toUpper();
    if (line.has(QStringLiteral("language")) && language != QLatin1String("PL") && language != QLatin1String("EN"))
        throw UsageError{QStringLiteral("--language is PL or EN, not \"%1\"").arg(line.text(QStringLiteral("language")))};
    if (!context.openDatabase())
        return ExitRefused;
    glo().sysUser = context.identity.userName();
    glo().sysCompName = context.identity.computerName();
    if (!settings::checkParameters(context.database, context.services))
        return ExitRefused;
    if (language.isEmpty())
        language = glo().english() ? QStringLiteral("EN") : QStringLiteral("PL");

    transactions::PrintTables tables;
    QString error;
    if (!transactions::createPrintTables(context.database, id, tables, error)) {
        context.dialogs.message(error);
        return ExitRefused;
    }
    ui::report::PdfOutput pdf(file);
    const kadrel::CutListPrinting printing{context.database, context.services, pdf};
    if (!kadrel::printCuts(printing, language, tables.profile, tables.bars, tables.pieces, id,
                           line.has(QStringLiteral("summary"))))
        return ExitRefused;
    if (line.has(QStringLiteral("json")))
        context.print(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("transaction"), qint64(id)},
                                                                  {QStringLiteral("pages"), pdf.pages()}})
                                            .toJson(QJsonDocument::Compact)));
    else
        context.print(QStringLiteral("Cut list of cutting order %1 written to %2 (%3 pages)%4")
                          .arg(QString::number(id), QDir::toNativeSeparators(file), QString::number(pdf.pages()),
                               tables.renumbered ? QStringLiteral("; its bars have been given print numbers") : QString()));
    return ExitDone;
}

// The question about a cutting order already in the workbook, answered by --answer (or by --yes
// with its first button); without either the export stops before writing and names the option.
class ExportQuestions : public Dialogs {
public:
    ExportQuestions(Dialogs& messages, std::optional<int> answer) : messages_(messages), answer_(answer) {}
    void message(const QString& text, const QString& caption = {}) override { messages_.message(text, caption); }
    int ask(const QString& text, const QStringList& buttons, const QString& caption) override
    {
        if (answer_)
            return *answer_;
        messages_.message(text, caption);
        unanswered_ = true;
        return int(buttons.size()) - 1;  // "Przerwij"
    }
    bool leftUnanswered() const { return unanswered_; }

private:
    Dialogs& messages_;
    std::optional<int> answer_;
    bool unanswered_ = false;
};

int exportDetails(CommandContext& context)
{
    const CommandLine& line = context.line;
    line.allowOnly({QStringLiteral("file"), QStringLiteral("answer"), QStringLiteral("yes"), QStringLiteral("json")});
    const QStringList& words = line.words();
    if (words.size() < 3)
        throw UsageError{QStringLiteral("transactions export takes the numbers of the cutting orders to export")};
    QList<uint32_t> ids;
    for (const QString& word : words.mid(2)) {
        const std::optional<uint64_t> id = global::readWholeNumber(word, 0xFFFFFFFFu);
        if (!id)
            throw UsageError{QStringLiteral("a cutting-order number is a whole number, not \"%1\"").arg(word)};
        ids << uint32_t(*id);
    }
    const QString file = line.text(QStringLiteral("file"));
    if (file.isEmpty())
        throw UsageError{QStringLiteral("transactions export: give the workbook with --file")};
    static const QStringList answers{QStringLiteral("skip"), QStringLiteral("add"), QStringLiteral("skip-all"),
                                     QStringLiteral("add-all"), QStringLiteral("abort")};
    std::optional<int> answer;
    if (line.has(QStringLiteral("answer"))) {
        const int index = int(answers.indexOf(line.text(QStringLiteral("answer"))));
        if (index < 0)
            throw UsageError{QStringLiteral("--answer is one of skip, add, skip-all, add-all, abort, not \"%1\"")
                                 .arg(line.text(QStringLiteral("answer")))};
        answer = index;
    } else if (line.has(QStringLiteral("yes"))) {
        answer = 0;
    }
    if (!context.openDatabase())
        return ExitRefused;

    ExportQuestions questions(context.dialogs, answer);
    Services services{questions, context.clipboard, context.clock, context.identity};
    const transactions::DetailExportResult result =
        transactions::exportCuttingOrderDetails(context.database, services, ids, QFileInfo(file).absoluteFilePath());
    if (questions.leftUnanswered()) {
        context.dialogs.message(QStringLiteral("A cutting order is in the workbook already: say what to do with "
                                               "--answer skip|add|skip-all|add-all|abort. Nothing was written."));
        return ExitRefused;
    }
    if (!result.done)
        return ExitRefused;
    if (line.has(QStringLiteral("json"))) {
        QJsonArray exported;
        for (const uint32_t id : result.cuttingOrders)
            exported.append(qint64(id));
        context.print(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("file"), result.file},
                                                                  {QStringLiteral("transactions"), exported},
                                                                  {QStringLiteral("bars"), result.bars},
                                                                  {QStringLiteral("pieces"), result.pieces}})
                                            .toJson(QJsonDocument::Compact)));
    } else {
        context.print(QStringLiteral("%1 cutting orders exported to %2: %3 bars, %4 pieces")
                          .arg(QString::number(result.cuttingOrders.size()), QDir::toNativeSeparators(result.file),
                               QString::number(result.bars), QString::number(result.pieces)));
    }
    return ExitDone;
}

int runTransactionCommand(CommandContext& context)
{
    const QStringList& words = context.line.words();
    const QString action = words.value(1);
    if (action == QLatin1String("close"))
        return settle(context, Action::Close);
    if (action == QLatin1String("reopen"))
        return settle(context, Action::Reopen);
    if (action == QLatin1String("delete"))
        return settle(context, Action::Delete);
    if (action == QLatin1String("print"))
        return print(context);
    if (action == QLatin1String("export"))
        return exportDetails(context);
    throw UsageError{QStringLiteral("transactions takes one of close, reopen, delete, print, export")};
}

} // namespace

QString transactionCommandUsage()
{
    return QStringLiteral(
        "barmond transactions close|reopen|delete ID [--yes] [--json]\n"
        "                                         confirm, reopen or delete a cutting order (--yes answers the question)\n"
        "barmond transactions print ID [--summary] [--language PL|EN] --pdf FILE\n"
        "                                         the cut list of a cutting order as a PDF file\n"
        "barmond transactions export ID... --file BOOK.xlsx [--answer skip|add|skip-all|add-all|abort]\n"
        "                                         cutting orders, their bars and pieces into a workbook\n");
}

} // namespace shell

namespace shell::commands {

int transactions(const QStringList& options, const QString& dataDir, Console console)
{
    static const QStringList flags{QStringLiteral("yes"), QStringLiteral("json"), QStringLiteral("summary")};
    try {
        const CommandLine line(QStringList{QStringLiteral("transactions")} + options, flags);
        CommandContext context(line, dataDir);
        return runTransactionCommand(context);
    } catch (const UsageError& error) {
        console.err << "barmond: " << error.text << "\n\n" << usageText();
        console.err.flush();
        return ExitUsage;
    }
}

bool drawsReports(const QStringList& arguments)
{
    const QStringList rest = global::takeDataDirectory(arguments).rest;
    return rest.size() >= 2 && (rest[0] == QLatin1String("transactions") || rest[0] == QLatin1String("orders"))
           && rest[1] == QLatin1String("print");
}

} // namespace shell::commands
