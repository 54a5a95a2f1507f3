// kadrel calc: the optimizer's whole calculation for one profile, from a problem file or from the
// database, printed as a readable table or as one JSON object.
#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/WholeNumber.h"
#include "optimizer/ControlTime.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/ProblemFile.h"
#include "optimizer/ResultJson.h"

#include <QTextStream>

#include <algorithm>
#include <limits>
#include <optional>

namespace kadrel::cli {

namespace {

// What the command line asked for.
struct CalcOptions {
    QString input;
    bool json = false;
    std::optional<uint32_t> stopAfter;
    std::optional<uint32_t> timeLimit;   // seconds of method 5
    std::optional<uint32_t> profile;
    uint32_t orderProfile = 0;
    uint8_t mode = 0;
    uint8_t status = 0;
    std::optional<uint32_t> selectionStart;
    uint32_t extend = 0;
    std::vector<uint32_t> lengths;
    std::optional<uint32_t> solutions;   // solutions written in full with --json; all when not given
    bool databaseOptionGiven = false;
};

bool readWhole(const QString& text, uint64_t max, uint64_t& value)
{
    const std::optional<uint64_t> number = global::readWholeNumber(text, max);
    if (!number)
        return false;
    value = *number;
    return true;
}

// Parses the options; returns an error text for a bad command line.
QString parseOptions(const QStringList& args, CalcOptions& options)
{
    constexpr uint64_t MaxU32 = std::numeric_limits<uint32_t>::max();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args.at(i);
        if (option == QLatin1String("--json")) {
            options.json = true;
            continue;
        }
        static const QStringList withValue = {
            QStringLiteral("--input"), QStringLiteral("--stop-after"), QStringLiteral("--time-limit"),
            QStringLiteral("--profile"),
            QStringLiteral("--order-profile"), QStringLiteral("--mode"), QStringLiteral("--status"),
            QStringLiteral("--selection-start"), QStringLiteral("--extend"), QStringLiteral("--lengths"),
            QStringLiteral("--solutions")};
        if (!withValue.contains(option))
            return QStringLiteral("calc: unknown option \"%1\"").arg(option);
        if (i + 1 >= args.size())
            return QStringLiteral("calc: %1 needs a value").arg(option);
        const QString value = args.at(++i);
        const auto whole = [&](uint64_t max, uint64_t& out) {
            return readWhole(value, max, out);
        };
        uint64_t number = 0;
        const QString notANumber =
            QStringLiteral("calc: %1 needs a whole number, not \"%2\"").arg(option, value);
        if (option == QLatin1String("--input")) {
            options.input = value;
        } else if (option == QLatin1String("--lengths")) {
            options.databaseOptionGiven = true;
            for (const QString& part : value.split(QLatin1Char(','))) {
                if (!readWhole(part, MaxU32, number))
                    return QStringLiteral("calc: --lengths needs stock-length ids separated by commas, not \"%1\"")
                        .arg(value);
                options.lengths.push_back(static_cast<uint32_t>(number));
            }
        } else if (option == QLatin1String("--mode")) {
            if (!whole(MaxU32, number) || !isKnownMode(static_cast<int64_t>(number)))
                return QStringLiteral("calc: --mode needs an optimizer method from 0 to %1, not \"%2\"")
                    .arg(int(OptimizerMode::Last)).arg(value);
            options.mode = static_cast<uint8_t>(number);
            options.databaseOptionGiven = true;
        } else if (option == QLatin1String("--status")) {
            if (!whole(MaxU32, number) || !isKnownStatus(static_cast<int64_t>(number)))
                return QStringLiteral("calc: --status needs a piece-status selector from 0 to %1, not \"%2\"")
                    .arg(int(PieceStatusSelector::Last)).arg(value);
            options.status = static_cast<uint8_t>(number);
            options.databaseOptionGiven = true;
        } else {
            if (!whole(MaxU32, number))
                return notANumber;
            const auto n = static_cast<uint32_t>(number);
            if (option == QLatin1String("--stop-after")) {
                options.stopAfter = n;
                continue;
            }
            if (option == QLatin1String("--solutions")) {
                options.solutions = n;
                continue;
            }
            if (option == QLatin1String("--time-limit")) {
                options.timeLimit = n;
                continue;
            }
            options.databaseOptionGiven = true;
            if (option == QLatin1String("--profile"))
                options.profile = n;
            else if (option == QLatin1String("--order-profile"))
                options.orderProfile = n;
            else if (option == QLatin1String("--selection-start"))
                options.selectionStart = n;
            else
                options.extend = n;
        }
    }
    if (!options.input.isEmpty() && options.databaseOptionGiven)
        return QStringLiteral("calc: --input cannot be combined with the database options");
    if (options.input.isEmpty() && !options.profile)
        return QStringLiteral("calc: give a problem file with --input or a profile with --profile");
    if (options.solutions && !options.json)
        return QStringLiteral("calc: --solutions limits the solutions of --json");
    return {};
}

// Messages of the run: kept for the result and, for a reader, shown on standard error. The
// control-time question is answered by the --stop-after option: stop.
class CalcDialogs : public global::Dialogs {
public:
    explicit CalcDialogs(bool echo) : echo_(echo) {}

    void message(const QString& text, const QString& /*caption*/) override
    {
        messages_ << text;
        if (echo_)
            QTextStream(stderr) << QString(text).replace(QLatin1Char('|'), QLatin1Char('\n')) << Qt::endl;
    }

    int ask(const QString& text, const QStringList& /*buttons*/, const QString& caption) override
    {
        message(text, caption);
        return 0;
    }

    const QStringList& messages() const { return messages_; }

private:
    bool echo_;
    QStringList messages_;
};

// A number right-aligned in a column of the given width; at least one space always parts it from
// the column before, however long the number.
QString column(int64_t value, int width)
{
    return QLatin1Char(' ') + QString::number(value).rightJustified(width - 1);
}

QString column(double value, int decimals, int width)
{
    return QLatin1Char(' ') + QString::number(value, 'f', decimals).rightJustified(width - 1);
}

void printReadable(OptimizerRun& run)
{
    printLine(QStringLiteral("Solutions (%1):").arg(run.ranking().size()));
    printLine(QStringLiteral("      No. Profiles  Cut length   Used   Remn.+scrap   Scrap        Cost  Longest  Extens.  Consum. remn."));
    for (const RankingRow& r : run.ranking())
        printLine(column(r.combNo, 9) + column(r.profiles, 9) + column(r.totalCuts, 12) + column(r.totalUsed, 7)
                  + column(r.totalScrap, 14) + column(r.pureScrap, 8)
                  + column(r.totalCost, 2, 12) + column(r.maxScrap, 9)
                  + column(r.extensions, 9) + column(r.reusedRemnant, 15));
    if (run.ranking().empty())
        return;
    run.selectSolution(0);
    printLine(QString());
    printLine(QStringLiteral("Cutting plan of solution %1:").arg(run.ranking()[0].combNo));
    for (const DisplayRow& bar : run.display())
        printLine(column(bar.id, 5) + column(bar.lenght, 8) + QStringLiteral("  ") + bar.cuts.leftJustified(40)
                  + QStringLiteral(" leftover ") + QString::number(bar.leftover));
    const Statistics& s = run.statistics();
    const auto metres = [](double v) { return QString::number(v, 'f', 3); };
    const auto percent = [](double v) { return QString::number(v, 'f', 2) + QLatin1Char('%'); };
    printLine(QString());
    printLine(QStringLiteral("Bars used: %1 (%2 m); pieces cut: %3 (%4 m, %5)")
                  .arg(s.totalPcs).arg(metres(s.totalLengh)).arg(s.totalCuts).arg(metres(s.cutLenght),
                                                                                    percent(s.cutLenghtPerc)));
    printLine(QStringLiteral("Leftover: %1 m (%2), scrap %3 m (%4), remnants %5 m (%6) in %7 pieces")
                  .arg(metres(s.totalScrap), percent(s.totalScrapPerc), metres(s.totalPurescrap),
                       percent(s.totalPurescrapPerc), metres(s.totalRemnant), percent(s.totalRemnantPerc))
                  .arg(s.totalRemnantPcs));
    printLine(QStringLiteral("Saw: %1 m (%2); joints: %3").arg(metres(s.totalSaw), percent(s.totalSawPerc)).arg(s.extensions));
    if (s.lowerBoundKnown)
        printLine(QStringLiteral("Lower bound: %1 m; excess over bound: %2")
                      .arg(metres(s.lowerBound), percent(s.excessOverBoundPerc)));
    printLine(run.durationText());
}

int runAndReport(OptimizerInput& input, const OptimizerCall& call, RunSettings settings,
                 const CalcOptions& options)
{
    settings.controlTimeLimit = options.stopAfter ? *options.stopAfter : ControlTime::NoControl;
    if (options.timeLimit)
        settings.timeLimitSeconds = *options.timeLimit;
    CalcDialogs dialogs(!options.json);
    global::MemoryClipboard clipboard;
    global::SystemClock clock;
    OptimizerRun run(input, RunServices{dialogs, clipboard, clock}, call, settings);
    const bool completed = run.run();

    if (options.json) {
        const std::size_t solutions = options.solutions ? *options.solutions : std::numeric_limits<std::size_t>::max();
        if (!writeResultJson(stdout, run, completed, dialogs.messages(), solutions)) {
            QTextStream(stderr) << "kadrel calc: the result could not be written to standard output" << Qt::endl;
            return ExitFailed;
        }
    } else if (completed) {
        printReadable(run);
    } else {
        QTextStream(stderr) << "kadrel calc: the run ended without solutions" << Qt::endl;
    }
    return completed ? ExitOk : ExitFailed;
}

int calcFromProblemFile(const CalcOptions& options)
{
    ProblemFile problem;
    QString error;
    if (!readProblemFile(options.input, problem, error)) {
        QTextStream(stderr) << "kadrel calc: " << error << Qt::endl;
        return ExitUsage;
    }
    OptimizerCall call;
    call.profile = problem.profile.id;
    call.orderProfile = problem.call.orderProfile;
    call.selectedLengths = problem.call.selectedLengths;
    call.mode = problem.call.mode;
    call.status = problem.call.status;
    call.extensions = problem.call.extensions;
    call.extend = problem.call.extend;
    RunSettings settings;
    settings.sawWidth = problem.settings.sawWidth;
    settings.extTolerance = problem.settings.extTolerance;
    ProblemFileInput input(problem);
    return runAndReport(input, call, settings, options);
}

int calcFromDatabase(const CalcOptions& options)
{
    global::Database db(dataDirectory());
    if (!openWithParameters(db))
        return ExitFailed;

    const global::Globals& g = global::glo();
    OptimizerCall call;
    call.profile = *options.profile;
    call.orderProfile = options.orderProfile;
    call.selectedLengths = options.lengths;
    call.mode = options.mode;
    call.status = options.status;
    call.extensions = options.selectionStart ? *options.selectionStart : g.selectionStart;
    call.extend = options.extend;
    RunSettings settings;
    settings.sawWidth = g.sawWidth;
    settings.extTolerance = g.extTolerance;
    DatabaseInput input(db);
    return runAndReport(input, call, settings, options);
}

} // namespace

int runCalc(const QStringList& args)
{
    CalcOptions options;
    if (const QString error = parseOptions(args, options); !error.isEmpty())
        return usageError(error);
    return options.input.isEmpty() ? calcFromDatabase(options) : calcFromProblemFile(options);
}

} // namespace kadrel::cli
