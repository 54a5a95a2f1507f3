#include "shell/frame/StartupOptions.h"

#include "global/DataDirectory.h"

#include "global/WholeNumber.h"
#include "optimizer/OptimizerCall.h"

#include <QCoreApplication>

namespace shell {

namespace {

// Reads the value following option `name` as a whole number >= 0.
bool takeNumber(const QStringList& arguments, int& i, uint32_t& target, QString& error)
{
    const QString name = arguments.at(i);
    if (i + 1 >= arguments.size()) {
        error = QStringLiteral("%1 needs a number").arg(name);
        return false;
    }
    const std::optional<uint64_t> value = global::readWholeNumber(arguments.at(++i), 0xFFFFFFFFull);
    if (!value) {
        error = QStringLiteral("%1: '%2' is not a whole number >= 0").arg(name, arguments.at(i));
        return false;
    }
    target = uint32_t(*value);
    return true;
}

} // namespace

StartupParse parseStartup(const QStringList& commandLine)
{
    StartupParse parse;
    const global::DataDirectoryChoice data = global::takeDataDirectory(commandLine);
    parse.options.dataDir = data.folder;
    parse.error = data.error;
    const QStringList& arguments = data.rest;
    OptimizeRequest request;
    bool optimize = false;
    bool profileGiven = false;
    bool optimizerOption = false;
    QString& error = parse.error;

    for (int i = 0; i < arguments.size() && error.isEmpty(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--language")) {
            const QString code = i + 1 < arguments.size() ? arguments.at(++i).trimmed().toUpper() : QString();
            if (code != QLatin1String("PL") && code != QLatin1String("EN"))
                error = QStringLiteral("--language takes PL or EN");
            parse.options.language = code;
        } else if (arg == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                error = QStringLiteral("--screenshot needs a file name");
            else
                parse.options.screenshot = arguments.at(++i);
        } else if (arg == QLatin1String("--demo")) {
            parse.options.demo = true;
        } else if (arg == QLatin1String("--optimize")) {
            optimize = true;
        } else if (arg == QLatin1String("--profile")) {
            profileGiven = takeNumber(arguments, i, request.profile, error);
        } else if (arg == QLatin1String("--order-profile")) {
            optimizerOption = takeNumber(arguments, i, request.orderProfile, error);
        } else if (arg == QLatin1String("--mode")) {
            optimizerOption = takeNumber(arguments, i, request.mode, error);
            if (error.isEmpty() && !kadrel::isKnownMode(request.mode))
                error = QStringLiteral("--mode must be an optimizer method 0 … %1").arg(int(kadrel::OptimizerMode::Last));
        } else if (arg == QLatin1String("--status")) {
            optimizerOption = takeNumber(arguments, i, request.status, error);
            if (error.isEmpty() && !kadrel::isKnownStatus(request.status))
                error = QStringLiteral("--status must be a piece-status selector 0 … %1")
                            .arg(int(kadrel::PieceStatusSelector::Last));
        } else if (arg == QLatin1String("--extend")) {
            optimizerOption = takeNumber(arguments, i, request.extend, error);
        } else if (arg.startsWith(QLatin1Char('-'))) {
            // Options Qt itself reads (-platform, -style …) pass through QApplication first;
            // anything left here is unknown.
            error = QStringLiteral("unknown option %1").arg(arg);
        } else {
            error = QStringLiteral("unexpected argument %1").arg(arg);
        }
    }
    if (!error.isEmpty())
        return parse;
    if (optimize && !profileGiven)
        error = QStringLiteral("--optimize needs --profile N");
    else if (!optimize && (profileGiven || optimizerOption))
        error = QStringLiteral("--profile, --order-profile, --mode, --status and --extend belong to --optimize");
    else if (optimize && request.profile == 0)
        error = QStringLiteral("--profile must name a profile number (1 or more)");
    if (error.isEmpty() && optimize)
        parse.options.optimize = request;
    return parse;
}

QString startupUsage()
{
    return QStringLiteral(
        "usage: barmond [--data-dir DIR] [--demo]\n"
        "       barmond [--data-dir DIR] --optimize --profile N [--order-profile M] [--mode K]"
        " [--status S] [--extend L]\n"
        "       barmond [--data-dir DIR] [--language PL|EN] [--screenshot FILE]\n"
        "The data directory holds DB/ and Barmond.ini (default: $BARMOND_DATA or the current directory).\n"
        "--database postgresql://user@host:port/name works on a PostgreSQL database (else $BARMOND_DATABASE,\n"
        "else [Database] of Barmond.ini, else DB/barmond.db).\n");
}

} // namespace shell
