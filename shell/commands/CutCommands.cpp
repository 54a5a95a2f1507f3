// barmond cuts import --file BOOK.xlsx|BOOK.ods [--answer add|omit|break] [--json]: the cut import
// of the menu "Interface" without its window. The question about an order already in the database
// is answered by --answer for every row that asks it; without the option such a row stops the
// import before anything is written.

#include "shell/commands/CommandContext.h"
#include "shell/commands/OrderCommands.h"
#include "shell/commands/Commands.h"

#include "orders/CutImport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace shell {

namespace {

// Messages go where the command's messages go; the question about an existing order gets the
// answer of --answer, or none.
class AnsweringDialogs : public global::Dialogs {
public:
    AnsweringDialogs(global::Dialogs& messages, int answer) : messages_(messages), answer_(answer) {}
    void message(const QString& text, const QString& caption = {}) override { messages_.message(text, caption); }
    int ask(const QString& text, const QStringList&, const QString& = {}) override
    {
        if (answer_ >= 0)
            return answer_;
        unanswered_ = true;
        messages_.message(text + QStringLiteral("|(answer with --answer add, omit or break)"));
        return -1;
    }
    bool leftUnanswered() const { return unanswered_; }

private:
    global::Dialogs& messages_;
    int answer_;
    bool unanswered_ = false;
};

int answerOf(const CommandLine& line)
{
    if (!line.has(QStringLiteral("answer")))
        return -1;
    const QString answer = line.text(QStringLiteral("answer"));
    if (answer == QLatin1String("add"))
        return int(orders::ExistingOrderAnswer::Add);
    if (answer == QLatin1String("omit"))
        return int(orders::ExistingOrderAnswer::Omit);
    if (answer == QLatin1String("break"))
        return int(orders::ExistingOrderAnswer::Break);
    throw UsageError{QStringLiteral("--answer takes add, omit or break, not \"%1\"").arg(answer)};
}

int importCuts(CommandContext& context)
{
    const CommandLine& line = context.line;
    if (line.words().size() != 2 || line.words()[1] != QLatin1String("import"))
        throw UsageError{QStringLiteral("cuts takes import")};
    line.allowOnly({QStringLiteral("file"), QStringLiteral("answer"), QStringLiteral("yes"), QStringLiteral("json")});
    const QString file = line.text(QStringLiteral("file"));
    if (file.isEmpty())
        throw UsageError{QStringLiteral("the option --file is required")};
    AnsweringDialogs dialogs(context.dialogs, answerOf(line));
    if (!context.openDatabase())
        return ExitRefused;
    const global::Services services{dialogs, context.clipboard, context.clock, context.identity};
    const orders::CutImportSummary s =
        orders::importCutsFromFile(context.database, services, QFileInfo(file).absoluteFilePath());
    if (!s.written)
        return ExitRefused;
    if (line.has(QStringLiteral("json"))) {
        QJsonArray refused;
        for (const QString& row : s.refused)
            refused.append(row);
        const QJsonObject json{{QStringLiteral("orders"), s.orders},     {QStringLiteral("profiles"), s.profiles},
                               {QStringLiteral("positions"), s.positions}, {QStringLiteral("cuts"), s.cuts},
                               {QStringLiteral("weights"), s.weights},   {QStringLiteral("omitted"), s.omitted},
                               {QStringLiteral("refused"), refused}};
        context.print(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)));
    } else {
        context.print(QStringLiteral("Imported %1 piece records: %2 new orders, %3 new profiles, %4 new positions; "
                                     "%5 rows refused, %6 omitted")
                          .arg(s.cuts).arg(s.orders).arg(s.profiles).arg(s.positions)
                          .arg(s.refused.size()).arg(s.omitted));
    }
    return ExitDone;
}

} // namespace

QString cutCommandUsage()
{
    return QStringLiteral(
        "  barmond cuts import --file BOOK.xlsx|BOOK.ods [--answer add|omit|break] [--json]\n"
        "      the cut list of a workbook's active sheet, read through the field map's CUTS entries:\n"
        "      orders, profiles, positions and pieces in one transaction; --answer answers the question\n"
        "      for every row of an order already in the database (without it such a row stops the import)\n");
}

} // namespace shell

namespace shell::commands {

int cuts(const QStringList& options, const QString& dataDir, Console console)
{
    static const QStringList flags{QStringLiteral("yes"), QStringLiteral("json")};
    try {
        const CommandLine line(QStringList{QStringLiteral("cuts")} + options, flags);
        CommandContext context(line, dataDir);
        return importCuts(context);
    } catch (const UsageError& error) {
        console.err << "barmond: " << error.text << "\n\n" << usageText();
        console.err.flush();
        return ExitUsage;
    }
}

} // namespace shell::commands
