#include "optimizer/cli/SolutionOptions.h"

#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/WholeNumber.h"
#include "optimizer/ControlTime.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/OptimizerCall.h"
#include "optimizer/OptimizerRun.h"

#include <limits>

namespace kadrel::cli {

namespace {

constexpr uint64_t MaxU32 = std::numeric_limits<uint32_t>::max();

} // namespace

bool readWholeNumber(const QString& text, uint64_t max, uint64_t& value)
{
    const std::optional<uint64_t> number = global::readWholeNumber(text, max);
    if (!number)
        return false;
    value = *number;
    return true;
}

QString splitOptions(const QString& command, const QStringList& args, const QStringList& flags,
                     const QStringList& valued, ParsedOptions& out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args.at(i);
        if (flags.contains(option)) {
            out.flags.insert(option);
            continue;
        }
        if (!valued.contains(option))
            return QStringLiteral("%1: unknown option \"%2\"").arg(command, option);
        if (i + 1 >= args.size())
            return QStringLiteral("%1: %2 needs a value").arg(command, option);
        if (out.values.contains(option))
            return QStringLiteral("%1: %2 is given twice").arg(command, option);
        out.values.insert(option, args.at(++i));
    }
    return {};
}

QStringList solutionValuedOptions()
{
    return {QStringLiteral("--profile"),         QStringLiteral("--order-profile"), QStringLiteral("--mode"),
            QStringLiteral("--status"),          QStringLiteral("--selection-start"), QStringLiteral("--extend"),
            QStringLiteral("--lengths"),         QStringLiteral("--stop-after"),    QStringLiteral("--time-limit"),
            QStringLiteral("--solution")};
}

QString readSolutionRequest(const QString& command, const ParsedOptions& options, SolutionRequest& request)
{
    const auto number = [&](const QString& option, uint64_t max, uint64_t& value) -> QString {
        if (readWholeNumber(options.values.value(option), max, value))
            return {};
        return QStringLiteral("%1: %2 needs a whole number from 0 to %3, not \"%4\"")
            .arg(command, option)
            .arg(max)
            .arg(options.values.value(option));
    };
    if (!options.values.contains(QStringLiteral("--profile")))
        return QStringLiteral("%1: give the profile with --profile").arg(command);
    uint64_t value = 0;
    for (const QString& option : solutionValuedOptions()) {
        if (!options.values.contains(option) || option == QLatin1String("--lengths"))
            continue;
        if (const QString problem = number(option, MaxU32, value); !problem.isEmpty())
            return problem;
        if (option == QLatin1String("--mode") && !isKnownMode(static_cast<int64_t>(value)))
            return QStringLiteral("%1: --mode needs an optimizer method from 0 to %2, not \"%3\"")
                .arg(command).arg(int(OptimizerMode::Last)).arg(options.values.value(option));
        if (option == QLatin1String("--status") && !isKnownStatus(static_cast<int64_t>(value)))
            return QStringLiteral("%1: --status needs a piece-status selector from 0 to %2, not \"%3\"")
                .arg(command).arg(int(PieceStatusSelector::Last)).arg(options.values.value(option));
        const auto n = static_cast<uint32_t>(value);
        if (option == QLatin1String("--profile"))
            request.call.profile = n;
        else if (option == QLatin1String("--order-profile"))
            request.call.orderProfile = n;
        else if (option == QLatin1String("--mode"))
            request.call.mode = static_cast<uint8_t>(n);
        else if (option == QLatin1String("--status"))
            request.call.status = static_cast<uint8_t>(n);
        else if (option == QLatin1String("--selection-start"))
            request.selectionStart = n;
        else if (option == QLatin1String("--extend"))
            request.call.extend = n;
        else if (option == QLatin1String("--stop-after"))
            request.stopAfter = n;
        else if (option == QLatin1String("--time-limit"))
            request.timeLimit = n;
        else if (option == QLatin1String("--solution"))
            request.solution = n;
    }
    if (options.values.contains(QStringLiteral("--lengths"))) {
        const QString list = options.values.value(QStringLiteral("--lengths"));
        for (const QString& part : list.split(QLatin1Char(','))) {
            if (!readWholeNumber(part, MaxU32, value))
                return QStringLiteral("%1: --lengths needs stock-length ids separated by commas, not \"%2\"")
                    .arg(command, list);
            request.call.selectedLengths.push_back(static_cast<uint32_t>(value));
        }
    }
    return {};
}

bool computeSolution(global::Database& db, global::Dialogs& dialogs, const SolutionRequest& request,
                     ChosenSolution& chosen)
{
    const global::Globals& g = global::glo();
    OptimizerCall call = request.call;
    call.extensions = request.selectionStart ? *request.selectionStart : g.selectionStart;
    RunSettings settings;
    settings.sawWidth = g.sawWidth;
    settings.extTolerance = g.extTolerance;
    settings.controlTimeLimit = request.stopAfter ? *request.stopAfter : ControlTime::NoControl;
    if (request.timeLimit)
        settings.timeLimitSeconds = *request.timeLimit;

    DatabaseInput input(db);
    global::MemoryClipboard clipboard;
    global::SystemClock clock;
    OptimizerRun run(input, RunServices{dialogs, clipboard, clock}, call, settings);
    if (!run.run()) {
        dialogs.message(QStringLiteral("The calculation ended without solutions."));
        return false;
    }
    int row = 0;
    if (request.solution) {
        row = -1;
        for (std::size_t i = 0; i < run.ranking().size(); ++i)
            if (run.ranking()[i].combNo == *request.solution)
                row = static_cast<int>(i);
        if (row < 0) {
            dialogs.message(QStringLiteral("The calculation lists no solution number %1.").arg(*request.solution));
            return false;
        }
    }
    run.selectSolution(row);
    if (!run.createSolutionTables())
        return false;
    chosen.combNo = run.ranking()[static_cast<std::size_t>(row)].combNo;
    chosen.canSave = run.canSave();
    chosen.bars = run.solutionItems();
    chosen.pieces = run.solutionSubitems();
    chosen.statistics = run.statistics();
    return true;
}

} // namespace kadrel::cli
