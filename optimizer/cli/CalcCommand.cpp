// kadrel calc: the optimizer's whole calculation for one profile, from a problem file or from the
// database, printed as a readable table or as one JSON object.
#include "optimizer/cli/Commands.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "optimizer/ControlTime.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/ProblemFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

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
    bool databaseOptionGiven = false;
};

bool readWhole(const QString& text, uint64_t max, uint64_t& value)
{
    bool ok = false;
    const qulonglong parsed = text.toULongLong(&ok, 10);
    if (!ok || text.isEmpty() || !text.at(0).isDigit() || parsed > max)
        return false;
    value = parsed;
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
            QStringLiteral("--selection-start"), QStringLiteral("--extend"), QStringLiteral("--lengths")};
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
            for (const QString& part : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (!readWhole(part.trimmed(), MaxU32, number))
                    return QStringLiteral("calc: --lengths needs stock-length ids separated by commas, not \"%1\"")
                        .arg(value);
                options.lengths.push_back(static_cast<uint32_t>(number));
            }
        } else if (option == QLatin1String("--mode") || option == QLatin1String("--status")) {
            if (!whole(255, number))
                return QStringLiteral("calc: %1 needs a whole number from 0 to 255, not \"%2\"").arg(option, value);
            (option == QLatin1String("--mode") ? options.mode : options.status) = static_cast<uint8_t>(number);
            options.databaseOptionGiven = true;
        } else {
            if (!whole(MaxU32, number))
                return notANumber;
            const auto n = static_cast<uint32_t>(number);
            if (option == QLatin1String("--stop-after")) {
                options.stopAfter = n;
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

QJsonObject rankingJson(const RankingRow& r)
{
    return QJsonObject{
        {QStringLiteral("comb_no"), qint64(r.combNo)},
        {QStringLiteral("profiles"), qint64(r.profiles)},
        {QStringLiteral("total_cuts"), qint64(r.totalCuts)},
        {QStringLiteral("total_used"), qint64(r.totalUsed)},
        {QStringLiteral("total_scrap"), qint64(r.totalScrap)},
        {QStringLiteral("pure_scrap"), qint64(r.pureScrap)},
        {QStringLiteral("total_cost"), r.totalCost},
        {QStringLiteral("max_scrap"), qint64(r.maxScrap)},
        {QStringLiteral("extensions"), qint64(r.extensions)},
        {QStringLiteral("reused_remnant"), qint64(r.reusedRemnant)},
    };
}

QJsonObject statisticsJson(const Statistics& s)
{
    return QJsonObject{
        {QStringLiteral("total_length"), s.totalLengh},
        {QStringLiteral("total_pcs"), qint64(s.totalPcs)},
        {QStringLiteral("cut_length"), s.cutLenght},
        {QStringLiteral("cut_length_perc"), s.cutLenghtPerc},
        {QStringLiteral("total_cuts"), qint64(s.totalCuts)},
        {QStringLiteral("total_scrap"), s.totalScrap},
        {QStringLiteral("total_scrap_perc"), s.totalScrapPerc},
        {QStringLiteral("pure_scrap"), s.totalPurescrap},
        {QStringLiteral("pure_scrap_perc"), s.totalPurescrapPerc},
        {QStringLiteral("remnant"), s.totalRemnant},
        {QStringLiteral("remnant_perc"), s.totalRemnantPerc},
        {QStringLiteral("remnant_pcs"), qint64(s.totalRemnantPcs)},
        {QStringLiteral("saw"), s.totalSaw},
        {QStringLiteral("saw_perc"), s.totalSawPerc},
        {QStringLiteral("extensions"), qint64(s.extensions)},
    };
}

// A number, or null when it is not known.
QJsonValue numberOrNull(bool known, double value)
{
    return known ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonObject solutionJson(OptimizerRun& run, int row)
{
    run.selectSolution(row);
    const std::optional<double> excess = run.excessOverBound(run.ranking()[std::size_t(row)]);
    QJsonArray cuttingPlan;
    for (const DisplayRow& bar : run.display())
        cuttingPlan.append(QJsonObject{{QStringLiteral("id"), qint64(bar.id)},
                                         {QStringLiteral("length"), qint64(bar.lenght)},
                                         {QStringLiteral("pattern"), bar.cuts},
                                         {QStringLiteral("leftover"), qint64(bar.leftover)}});
    QJsonObject solution{{QStringLiteral("comb_no"), qint64(run.ranking()[std::size_t(row)].combNo)},
                         {QStringLiteral("specification"), cuttingPlan},
                         {QStringLiteral("statistics"), statisticsJson(run.statistics())},
                         {QStringLiteral("excess_perc"), numberOrNull(excess.has_value(), excess.value_or(0))}};

    SolutionItemTable items;
    SolutionSubitemTable subitems;
    if (const std::optional<QString> error = run.solutionTablesOf(row, items, subitems)) {
        solution.insert(QStringLiteral("error"), *error);
        return solution;
    }
    QJsonArray itemArray;
    for (const SolutionItemRow& item : items)
        itemArray.append(QJsonObject{{QStringLiteral("id"), qint64(item.id)},
                                     {QStringLiteral("length_db_id"), qint64(item.lenghtDbId)},
                                     {QStringLiteral("length"), qint64(item.lenght)},
                                     {QStringLiteral("total_cuts_lenght"), qint64(item.totalCutsLenght)},
                                     {QStringLiteral("scrap"), qint64(item.scrap)}});
    QJsonArray subitemArray;
    for (const SolutionSubitemRow& piece : subitems)
        subitemArray.append(QJsonObject{{QStringLiteral("item_id"), qint64(piece.itemId)},
                                        {QStringLiteral("cutlength_id"), qint64(piece.cutlenghtId)},
                                        {QStringLiteral("cutlength"), qint64(piece.cutlenght)}});
    solution.insert(QStringLiteral("items"), itemArray);
    solution.insert(QStringLiteral("subitems"), subitemArray);
    return solution;
}

QJsonObject resultJson(OptimizerRun& run, bool completed, const QStringList& messages)
{
    QJsonObject result;
    result.insert(QStringLiteral("completed"), completed);
    result.insert(QStringLiteral("messages"), QJsonArray::fromStringList(messages));
    result.insert(QStringLiteral("demand"),
                  QJsonObject{{QStringLiteral("total_length"), qint64(run.totalLenght())},
                              {QStringLiteral("total_cuts"), qint64(run.totalCuts())},
                              {QStringLiteral("min_cut"), qint64(run.minCutLenght())}});
    QJsonArray stock;
    for (const PrlRow& length : run.stock())
        stock.append(QJsonObject{{QStringLiteral("id"), qint64(length.id)},
                                 {QStringLiteral("length"), qint64(length.lenght)},
                                 {QStringLiteral("db_id"), qint64(length.dbId)},
                                 {QStringLiteral("stock"), qint64(length.stockQuantity)},
                                 {QStringLiteral("external"), qint64(length.externalQuantity)},
                                 {QStringLiteral("process"), qint64(length.processQuantity)}});
    result.insert(QStringLiteral("stock"), stock);
    const MaterialBound& bound = run.lowerBound();
    result.insert(QStringLiteral("lower_bound"), numberOrNull(bound.known, bound.material / 1000.0));

    QJsonArray ranking;
    QJsonArray results;
    QJsonArray solutions;
    if (completed) {
        for (const RankingRow& row : run.ranking())
            ranking.append(rankingJson(row));
        for (const ResultRow& row : run.results())
            results.append(QJsonArray{qint64(row.combNo), qint64(row.profileNo), qint64(row.profileLengt),
                                      qint64(row.cut), qint64(row.cutId)});
        for (int i = 0; i < static_cast<int>(run.ranking().size()); ++i)
            solutions.append(solutionJson(run, i));
        run.selectSolution(0);
    }
    result.insert(QStringLiteral("ranking"), ranking);
    result.insert(QStringLiteral("results"), results);
    result.insert(QStringLiteral("solutions"), solutions);
    return result;
}

QString column(qint64 value, int width)
{
    return QString::number(value).rightJustified(width);
}

void printReadable(OptimizerRun& run)
{
    printLine(QStringLiteral("Solutions (%1):").arg(run.ranking().size()));
    printLine(QStringLiteral("      No. Profiles  Cut length   Used   Remn.+scrap   Scrap        Cost  Longest  Extens.  Consum. remn."));
    for (const RankingRow& r : run.ranking())
        printLine(column(r.combNo, 9) + column(r.profiles, 9) + column(r.totalCuts, 12) + column(r.totalUsed, 7)
                  + column(r.totalScrap, 14) + column(r.pureScrap, 8)
                  + QString::number(r.totalCost, 'f', 2).rightJustified(12) + column(r.maxScrap, 9)
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
        const QJsonObject result = resultJson(run, completed, dialogs.messages());
        QTextStream(stdout) << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Indented));
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
    call.mode = static_cast<uint8_t>(problem.call.mode);
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
