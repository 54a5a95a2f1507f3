#include "shell/commands/OrderCommands.h"
#include "shell/commands/Commands.h"

#include "global/WholeNumber.h"
#include "orders/OrderImports.h"
#include "orders/OrderPrint.h"
#include "orders/OrderUpdate.h"
#include "ui/report/PdfOutput.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

using namespace global;

namespace shell {

namespace {

const QStringList CommonOptions{QStringLiteral("yes"), QStringLiteral("json")};

QStringList withCommon(QStringList names)
{
    return names << CommonOptions;
}

void printResult(CommandContext& context, const QString& line, const QJsonObject& json)
{
    if (context.line.has(QStringLiteral("json")))
        context.print(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)));
    else
        context.print(line);
}

// The pasted text of --file; false when it cannot be read (reported).
bool readPastedFile(CommandContext& context, QString& text)
{
    const QString name = context.line.text(QStringLiteral("file"));
    if (name.isEmpty())
        throw UsageError{QStringLiteral("the option --file is required")};
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        context.dialogs.message(QStringLiteral("Nie można odczytać pliku %1: %2. Nic nie zapisano")
                                    .arg(name, file.errorString()));
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

// The order identifiers after the command's words.
QList<uint32_t> orderIds(const CommandContext& context, bool single)
{
    const QStringList ids = context.line.words().mid(2);
    if (ids.isEmpty() || (single && ids.size() > 1))
        throw UsageError{single ? QStringLiteral("give one order identifier")
                                : QStringLiteral("give the identifiers of the orders")};
    QList<uint32_t> out;
    for (const QString& id : ids) {
        const std::optional<uint64_t> value = readWholeNumber(id, std::numeric_limits<uint32_t>::max());
        if (!value || *value == 0)
            throw UsageError{QStringLiteral("an order identifier is a whole number above 0, not \"%1\"").arg(id)};
        out << uint32_t(*value);
    }
    return out;
}

int importOrders(CommandContext& context)
{
    context.line.allowOnly(withCommon({"file"}));
    QString text;
    if (!readPastedFile(context, text) || !context.openDatabase())
        return ExitRefused;
    const orders::ImportSummary s = orders::importOrders(context.database, context.services, text);
    if (!s.written)
        return ExitRefused;
    printResult(context,
                QStringLiteral("Imported %1 orders, %2 positions, %3 piece records; %4 rows left out")
                    .arg(s.orders).arg(s.positions).arg(s.pieces).arg(s.leftOut),
                QJsonObject{{QStringLiteral("orders"), s.orders},
                            {QStringLiteral("positions"), s.positions},
                            {QStringLiteral("pieces"), s.pieces},
                            {QStringLiteral("leftOut"), s.leftOut}});
    return ExitDone;
}

int importPieces(CommandContext& context)
{
    context.line.allowOnly(withCommon({"file", "order", "position"}));
    const uint32_t orderId = context.line.unsignedNumber(QStringLiteral("order"));
    const uint32_t positionId = context.line.unsignedNumber(QStringLiteral("position"));
    QString text;
    if (!readPastedFile(context, text) || !context.openDatabase())
        return ExitRefused;
    const orders::ImportSummary s = orders::importPieces(context.database, context.services, orderId, positionId, text);
    if (!s.written)
        return ExitRefused;
    printResult(context,
                QStringLiteral("Imported %1 piece records into position %2 of order %3; %4 rows left out")
                    .arg(s.pieces).arg(positionId).arg(orderId).arg(s.leftOut),
                QJsonObject{{QStringLiteral("pieces"), s.pieces}, {QStringLiteral("leftOut"), s.leftOut}});
    return ExitDone;
}

int changeStatus(CommandContext& context, OrderStatus status)
{
    context.line.allowOnly(CommonOptions);
    const QList<uint32_t> ids = orderIds(context, false);
    if (!context.openDatabase())
        return ExitRefused;
    orders::OrderUpdate update(context.database, context.services);
    QJsonArray done;
    QStringList doneText;
    bool refused = false;
    for (const uint32_t id : ids) {
        if (update.setStatus(id, status) == orders::OrderResponse::Done) {
            done.append(qint64(id));
            doneText << QString::number(id);
        } else {
            refused = true;
        }
    }
    if (!done.isEmpty())
        printResult(context,
                    (status == OrderStatus::Approved ? QStringLiteral("Approved orders: ")
                                                     : QStringLiteral("Withdrawn to new orders: "))
                        + doneText.join(QStringLiteral(", ")),
                    QJsonObject{{QStringLiteral("orders"), done}});
    return refused ? ExitRefused : ExitDone;
}

int closeOrder(CommandContext& context)
{
    context.line.allowOnly(CommonOptions);
    const uint32_t id = orderIds(context, true).first();
    if (!context.openDatabase())
        return ExitRefused;
    if (orders::closeOrder(context.database, context.services, id) != orders::OrderResponse::Done)
        return ExitRefused;   // refused, or a question without --yes (the message names it)
    printResult(context, QStringLiteral("Order %1 closed").arg(id), QJsonObject{{QStringLiteral("order"), qint64(id)}});
    return ExitDone;
}

int deleteOrder(CommandContext& context)
{
    context.line.allowOnly(CommonOptions);
    const uint32_t id = orderIds(context, true).first();
    if (!context.openDatabase())
        return ExitRefused;
    orders::OrderUpdate update(context.database, context.services);
    if (update.remove(id) != orders::OrderResponse::Done)
        return ExitRefused;   // refused, or a question without --yes (the message names it)
    printResult(context, QStringLiteral("Order %1 deleted with its positions and pieces").arg(id),
                QJsonObject{{QStringLiteral("order"), qint64(id)}});
    return ExitDone;
}

int printOrder(CommandContext& context)
{
    context.line.allowOnly(withCommon({"pdf"}));
    const uint32_t id = orderIds(context, true).first();
    const QString file = context.line.text(QStringLiteral("pdf"));
    if (file.isEmpty())
        throw UsageError{QStringLiteral("orders print: give the file to write with --pdf")};
    if (!context.openDatabase())
        return ExitRefused;
    ui::report::PdfOutput pdf(file);
    if (!orders::printOrder(context.database, context.services, id, pdf))
        return ExitRefused;
    printResult(context,
                QStringLiteral("Print of order %1 written to %2 (%3 pages)")
                    .arg(QString::number(id), QDir::toNativeSeparators(file), QString::number(pdf.pages())),
                QJsonObject{{QStringLiteral("order"), qint64(id)}, {QStringLiteral("pages"), pdf.pages()}});
    return ExitDone;
}

} // namespace

int runOrdersCommand(CommandContext& context)
{
    const QStringList& words = context.line.words();
    if (words.size() < 2)
        throw UsageError{
            QStringLiteral("orders takes one of import, import-pieces, approve, withdraw, close, delete, print")};
    const QString& action = words[1];
    if (action == QLatin1String("import") || action == QLatin1String("import-pieces")) {
        if (words.size() != 2)
            throw UsageError{QStringLiteral("orders %1 takes only options").arg(action)};
        return action == QLatin1String("import") ? importOrders(context) : importPieces(context);
    }
    if (action == QLatin1String("approve"))
        return changeStatus(context, OrderStatus::Approved);
    if (action == QLatin1String("withdraw"))
        return changeStatus(context, OrderStatus::New);
    if (action == QLatin1String("close"))
        return closeOrder(context);
    if (action == QLatin1String("delete"))
        return deleteOrder(context);
    if (action == QLatin1String("print"))
        return printOrder(context);
    throw UsageError{QStringLiteral("unknown orders command \"%1\"").arg(action)};
}

int runProfilesCommand(CommandContext& context)
{
    const QStringList& words = context.line.words();
    if (words.size() != 2 || words[1] != QLatin1String("import"))
        throw UsageError{QStringLiteral("profiles takes import")};
    context.line.allowOnly(withCommon({"file"}));
    QString text;
    if (!readPastedFile(context, text) || !context.openDatabase())
        return ExitRefused;
    const orders::ImportSummary s = orders::importProfiles(context.database, context.services, text);
    if (!s.written)
        return ExitRefused;
    printResult(context,
                QStringLiteral("Imported %1 profiles; %2 already in the catalogue; %3 rows left out")
                    .arg(s.profiles).arg(s.existing).arg(s.leftOut),
                QJsonObject{{QStringLiteral("profiles"), s.profiles},
                            {QStringLiteral("existing"), s.existing},
                            {QStringLiteral("leftOut"), s.leftOut}});
    return ExitDone;
}

QString orderCommandUsage()
{
    return QStringLiteral(
        "  barmond orders import --file TEXT [--json]\n"
        "      pasted orders (order, description, profile code, length, pieces; tab-separated, any line ends):\n"
        "      new orders with their positions and pieces, all or nothing\n"
        "  barmond orders import-pieces --order ID --position ID --file TEXT [--json]\n"
        "      pasted pieces (length, pieces, code, description 1, description 2) of one position\n"
        "  barmond profiles import --file TEXT [--json]\n"
        "      pasted profiles (code, description, usable remnant length): codes not in the catalogue\n"
        "      are added, the catalogue's profiles stay as they are\n"
        "  barmond orders approve|withdraw ID... [--yes] [--json]\n"
        "      the orders with all their pieces to approved / back to new (refused once a piece is in\n"
        "      production); each order on its own\n"
        "  barmond orders close ID [--yes] [--json]\n"
        "      close the order; its pieces never cut are abandoned (--yes answers the question)\n"
        "  barmond orders delete ID [--yes] [--json]\n"
        "      delete the order with its positions, pieces and exclusions of stock lengths\n"
        "  barmond orders print ID --pdf FILE [--json]\n"
        "      the order's print (its pieces by position, subtotals, the total and the part already cut)\n"
        "      as a PDF file\n");
}

} // namespace shell

namespace shell::commands {

namespace {

int runGroup(const QString& group, const QStringList& options, const QString& dataDir, Console console,
             int (*command)(CommandContext&))
{
    static const QStringList flags{QStringLiteral("yes"), QStringLiteral("json")};
    try {
        const CommandLine line(QStringList{group} + options, flags);
        CommandContext context(line, dataDir);
        return command(context);
    } catch (const UsageError& error) {
        console.err << "barmond: " << error.text << "\n\n" << usageText();
        console.err.flush();
        return ExitUsage;
    }
}

} // namespace

int orders(const QStringList& options, const QString& dataDir, Console console)
{
    return runGroup(QStringLiteral("orders"), options, dataDir, console, runOrdersCommand);
}

int profiles(const QStringList& options, const QString& dataDir, Console console)
{
    return runGroup(QStringLiteral("profiles"), options, dataDir, console, runProfilesCommand);
}

} // namespace shell::commands
