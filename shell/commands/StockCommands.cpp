#include "shell/commands/StockCommands.h"
#include "shell/commands/Commands.h"

#include "global/Table.h"
#include "stock/StockExport.h"
#include "stock/StockLengths.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cstdio>

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

bool profileExists(Database& db, uint32_t profileId)
{
    Table<ProfileRecord> profiles(db);
    ProfileRecord profile;
    profile.id = profileId;
    return profiles.fetch(Table<ProfileRecord>::Auto, profile) == 0;
}

// The stored length of the profile with this value; false when there is none.
bool storedLength(Database& db, uint32_t profileId, uint32_t lenght, ProfileLengthRecord& out)
{
    Table<ProfileLengthRecord> lengths(db);
    out = ProfileLengthRecord{};
    out.profileId = profileId;
    out.lenght = lenght;
    return lengths.fetch(Table<ProfileLengthRecord>::ByProfile, out) == 0;
}

// For tests of two stations saving at once: the time a person would spend at the form between
// reading the length and saving it.
void waitAsAtTheForm()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("BARMOND_FORM_DELAY_MS", &ok);
    if (ok && ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

QString countsLine(const ProfileLengthRecord& length)
{
    return QStringLiteral("own %1, external %2, in production %3")
        .arg(length.intStock)
        .arg(length.extStock)
        .arg(length.incomStock);
}

int openingBalance(CommandContext& context)
{
    context.line.allowOnly(CommonOptions);
    if (!context.openDatabase())
        return ExitRefused;
    switch (stock::createStockLog(context.database, context.services)) {
    case stock::OpeningBalance::Written: {
        const qint64 lines = Table<StockChangeRecord>(context.database).count(Table<StockChangeRecord>::Auto);
        printResult(context, QStringLiteral("Opening balance written: %1 lines").arg(lines),
                    QJsonObject{{QStringLiteral("lines"), lines}});
        return ExitDone;
    }
    case stock::OpeningBalance::LogNotEmpty:
        context.dialogs.message(QStringLiteral("Dziennik zmian stanów magazynowych nie jest pusty: bilans otwarcia "
                                               "został już zapisany. Nic nie zapisano"));
        return ExitRefused;
    case stock::OpeningBalance::Failed:
        break;
    }
    return ExitRefused;
}

int setLength(CommandContext& context)
{
    const CommandLine& line = context.line;
    line.allowOnly(withCommon({"profile", "length", "int", "ext", "incom", "unlimited", "block", "hidden", "typical"}));
    const uint32_t profileId = line.unsignedNumber(QStringLiteral("profile"));
    const uint32_t lenght = line.unsignedNumber(QStringLiteral("length"));
    const std::optional<int32_t> intStock = line.signedNumber(QStringLiteral("int"));
    const std::optional<int32_t> extStock = line.signedNumber(QStringLiteral("ext"));
    const std::optional<int32_t> incomStock = line.signedNumber(QStringLiteral("incom"));
    const std::optional<bool> unlimited = line.flag01(QStringLiteral("unlimited"));
    const std::optional<bool> block = line.flag01(QStringLiteral("block"));
    const std::optional<bool> hidden = line.flag01(QStringLiteral("hidden"));
    const std::optional<uint32_t> typical = line.optionalUnsigned(QStringLiteral("typical"));
    if (!context.openDatabase())
        return ExitRefused;
    if (!profileExists(context.database, profileId)) {
        context.dialogs.message(QStringLiteral("Profil o identyfikatorze %1 nie istnieje. Nic nie zapisano").arg(profileId));
        return ExitRefused;
    }

    ProfileLengthRecord loaded;
    const bool exists = storedLength(context.database, profileId, lenght, loaded);
    ProfileLengthRecord buffer = exists ? loaded : ProfileLengthRecord{};
    buffer.lenght = lenght;
    if (intStock)
        buffer.intStock = *intStock;
    if (extStock)
        buffer.extStock = static_cast<uint32_t>(*extStock);   // a negative count is refused by the form
    if (incomStock)
        buffer.incomStock = *incomStock;
    if (unlimited)
        buffer.unlimitedStock = *unlimited ? 1 : 0;
    if (block)
        buffer.blockSelection = *block ? 1 : 0;
    if (hidden)
        buffer.status = *hidden ? 1 : 0;
    if (typical)
        buffer.typicalLength = *typical;
    waitAsAtTheForm();

    stock::LengthForm form(context.database, context.services);
    const stock::LengthResponse response = exists ? form.change(loaded, buffer) : form.insert(profileId, buffer);
    if (response != stock::LengthResponse::Done)
        return ExitRefused;
    printResult(context,
                QStringLiteral("Length %1 mm of profile %2 %3 (id %4): %5")
                    .arg(buffer.lenght)
                    .arg(profileId)
                    .arg(exists ? QStringLiteral("changed") : QStringLiteral("added"))
                    .arg(buffer.id)
                    .arg(countsLine(buffer)),
                QJsonObject{{QStringLiteral("length"), qint64(buffer.id)}});
    return ExitDone;
}

int deleteLength(CommandContext& context)
{
    const CommandLine& line = context.line;
    line.allowOnly(withCommon({"profile", "length"}));
    const uint32_t profileId = line.unsignedNumber(QStringLiteral("profile"));
    const uint32_t lenght = line.unsignedNumber(QStringLiteral("length"));
    if (!context.openDatabase())
        return ExitRefused;
    ProfileLengthRecord buffer;
    if (!storedLength(context.database, profileId, lenght, buffer)) {
        context.dialogs.message(
            QStringLiteral("Profil %1 nie ma długości %2 mm. Nic nie usunięto").arg(profileId).arg(lenght));
        return ExitRefused;
    }
    stock::LengthForm form(context.database, context.services);
    if (form.remove(buffer) != stock::LengthResponse::Done)
        return ExitRefused;
    printResult(context, QStringLiteral("Length %1 mm of profile %2 deleted (id %3)").arg(lenght).arg(profileId).arg(buffer.id),
                QJsonObject{{QStringLiteral("length"), qint64(buffer.id)}});
    return ExitDone;
}

int exportStock(CommandContext& context)
{
    context.line.allowOnly(withCommon({"all"}));
    if (!context.openDatabase())
        return ExitRefused;
    const stock::LengthsShown shown =
        context.line.has(QStringLiteral("all")) ? stock::LengthsShown::All : stock::LengthsShown::Active;
    QString text;
    QString error;
    if (stock::stockExportText(context.database, context.clock.now(), shown, text, error) != 0) {
        context.dialogs.message(error);
        return ExitRefused;
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    return ExitDone;
}

} // namespace

QString stockCommandUsage()
{
    return QStringLiteral(
        "barmond stock opening-balance\n"
        "barmond stock set --profile ID --length MM [--int N] [--ext N] [--incom N] [--unlimited 0|1]\n"
        "                  [--block 0|1] [--hidden 0|1] [--typical MM]\n"
        "barmond stock delete --profile ID --length MM [--yes]\n"
        "barmond stock export [--all]                            the catalogue's stock text on standard output\n");
}

int runStockCommand(CommandContext& context)
{
    const QStringList& words = context.line.words();
    if (words.size() != 2)
        throw UsageError{QStringLiteral("stock takes one of opening-balance, set, delete, export")};
    const QString& action = words[1];
    if (action == QLatin1String("opening-balance"))
        return openingBalance(context);
    if (action == QLatin1String("set"))
        return setLength(context);
    if (action == QLatin1String("delete"))
        return deleteLength(context);
    if (action == QLatin1String("export"))
        return exportStock(context);
    throw UsageError{QStringLiteral("unknown stock command \"%1\"").arg(action)};
}

} // namespace shell

namespace shell::commands {

int stock(const QStringList& options, const QString& dataDir, Console console)
{
    // Options that never take a value.
    static const QStringList flags{QStringLiteral("yes"), QStringLiteral("json"), QStringLiteral("all")};
    try {
        const CommandLine line(QStringList{QStringLiteral("stock")} + options, flags);
        CommandContext context(line, dataDir);
        return runStockCommand(context);
    } catch (const UsageError& error) {
        console.err << "barmond: " << error.text << "\n\n" << usageText();
        console.err.flush();
        return ExitUsage;
    }
}

} // namespace shell::commands
