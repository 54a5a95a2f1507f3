#include "optimizer/OptimizerRun.h"

#include "global/Services.h"
#include "global/Statuses.h"
#include "optimizer/BoundedPlanner.h"
#include "optimizer/ClipboardExports.h"
#include "optimizer/ControlTime.h"
#include "optimizer/OptimizationTime.h"
#include "optimizer/PatternSearch.h"

namespace kadrel {

const QString OptimizerRun::CalculatorTitleSuffix =
    QStringLiteral("      K A L K U L A T O R   D L A  W Y B R A N E J   P O Z Y C J I");
const QString OptimizerRun::SimulationTitleSuffix = QStringLiteral(
    "      S Y M U L A C J A   Z A M Ó W I E Ń   O T W A R T Y C H   D L A   W Y B R A N E G O    "
    "P R O F I L A");

namespace {

constexpr uint8_t SimulationStatus = 2;
// The bound of a run of methods 0 to 4 is given at most this long; cut short it stays valid,
// only less tight.
constexpr std::chrono::milliseconds BoundBudget{2000};

} // namespace

OptimizerRun::OptimizerRun(OptimizerInput& input, RunServices services, OptimizerCall call,
                           RunSettings settings)
    : input_(input), services_(services), call_(std::move(call)), settings_(settings)
{
}

OptimizerRun::~OptimizerRun() = default;

void OptimizerRun::setProgressCallback(std::function<void(uint32_t)> callback)
{
    progress_ = std::move(callback);
}

void OptimizerRun::determineSaveRule()
{
    canSave_ = true;
    titleSuffix_.clear();
    if (call_.orderProfile > 0) {
        canSave_ = false;
        global::OrderProfileRecord position;
        global::OrderRecord order;
        if (input_.fetchOrderProfile(call_.orderProfile, position) == 0
            && input_.fetchOrder(position.orderId, order) == 0 && order.status == global::OrderStatus::Approved)
            canSave_ = true;
        titleSuffix_ += CalculatorTitleSuffix;
    }
    if (call_.status == SimulationStatus) {
        canSave_ = false;
        titleSuffix_ += SimulationTitleSuffix;
    }
}

bool OptimizerRun::run()
{
    completed_ = false;
    selectedRow_ = -1;
    tables_ = RunTables{};
    bound_ = MaterialBound{};
    display_.clear();
    statistics_ = Statistics{};
    items_.clear();
    subitems_.clear();
    determineSaveRule();

    startedAt_ = services_.clock.now();
    ControlTime controlTime(services_.clock, services_.dialogs);
    controlTime.start(settings_.controlTimeLimit);

    // One memory of bar patterns serves the whole calculation.
    PatternSearch patterns;
    const uint32_t sawWidth = settings_.sawWidth;
    const BarPatternSearch search = [&patterns, sawWidth](const PrsTable& demand, uint32_t barLength,
                                                          CsTable& selection, uint32_t& scrap,
                                                          uint8_t mode) {
        return patterns.optimize(demand, barLength, selection, scrap, mode, sawWidth);
    };
    CalculationDriver driver(input_, services_.dialogs, call_, settings_, tables_, search, controlTime);
    driver.setProgress([this](uint32_t progress) {
        if (progress_)
            progress_(progress);
        return !cancelRequested_.load();
    });

    // Preparation: the whole usable stock and the demand.
    if (!driver.loadStock(LengthTable{}) || !driver.loadDemand())
        return false;
    BoundedPlanner planner(cuttingProblemOf(tables_, settings_.sawWidth));
    if (plansWithLowerBound(call_.mode)) {
        const Deadline deadline{std::chrono::seconds(settings_.timeLimitSeconds)};
        bound_ = planner.bound(deadline);
        if (!driver.runBoundedMethod(planner, deadline))
            return false;
    } else {
        bound_ = planner.bound(Deadline{BoundBudget});
        if (!driver.run())
            return false;
    }

    selectSolution(0);

    // Closing: the demand list shows the whole demand again.
    if (!driver.loadDemand())
        return false;
    tables_.progress = 0;
    durationHundredths_ = kadrel::durationHundredths(startedAt_, services_.clock.now());
    durationText_ = kadrel::durationText(call_.mode, durationHundredths_);
    completed_ = true;
    return true;
}

const RankingRow* OptimizerRun::selectedSolution() const
{
    if (selectedRow_ < 0 || selectedRow_ >= static_cast<int>(tables_.ranking.size()))
        return nullptr;
    return &tables_.ranking[static_cast<std::size_t>(selectedRow_)];
}

void OptimizerRun::selectSolution(int row)
{
    if (row < 0 || row >= static_cast<int>(tables_.ranking.size()))
        return;
    selectedRow_ = row;
    const RankingRow& solution = tables_.ranking[static_cast<std::size_t>(row)];
    showCutsSchema(tables_.results, solution.combNo, tables_.remnantLenght, display_, statistics_);
    calculateStatistic(solution, statistics_);
    statistics_.lowerBoundKnown = bound_.known;
    statistics_.lowerBound = bound_.known ? bound_.material / 1000.0 : 0.0;
    statistics_.excessOverBoundPerc = excessOverBound(solution).value_or(0.0);
    showUsedProfiles(display_, tables_.prl);
}

std::optional<double> OptimizerRun::excessOverBound(const RankingRow& solution) const
{
    if (!bound_.known || bound_.material == 0)
        return std::nullopt;
    return (double(solution.totalUsed) - double(bound_.material)) / double(bound_.material) * 100.0;
}

void OptimizerRun::resort(RankingSort sort)
{
    tables_.ranking.sort([sort](const RankingRow& a, const RankingRow& b) {
        switch (sort) {
        case RankingSort::PureScrap:
            if (a.pureScrap != b.pureScrap)
                return a.pureScrap < b.pureScrap;
            if (a.totalScrap != b.totalScrap)
                return a.totalScrap < b.totalScrap;
            return a.maxScrap > b.maxScrap;
        case RankingSort::Cost:
            if (a.totalCost != b.totalCost)
                return a.totalCost < b.totalCost;
            if (a.totalScrap != b.totalScrap)
                return a.totalScrap < b.totalScrap;
            if (a.pureScrap != b.pureScrap)
                return a.pureScrap < b.pureScrap;
            return a.maxScrap > b.maxScrap;
        case RankingSort::TotalScrap:
        default:
            if (a.totalScrap != b.totalScrap)
                return a.totalScrap < b.totalScrap;
            if (a.pureScrap != b.pureScrap)
                return a.pureScrap < b.pureScrap;
            return a.maxScrap > b.maxScrap;
        }
    });
    selectedRow_ = -1;
    display_.clear();
    statistics_ = Statistics{};
    selectSolution(0);
}

std::optional<QString> OptimizerRun::solutionTablesOf(int row, SolutionItemTable& items,
                                                      SolutionSubitemTable& subitems) const
{
    if (row < 0 || row >= static_cast<int>(tables_.ranking.size()))
        return QString();
    SPrt2Table pieceStates = tables_.sPrt2;
    return kadrel::createSolutionTables(tables_.results, tables_.ranking[static_cast<std::size_t>(row)].combNo,
                                tables_.prl, pieceStates, items, subitems);
}

bool OptimizerRun::createSolutionTables()
{
    const RankingRow* solution = selectedSolution();
    if (solution == nullptr)
        return false;
    const std::optional<QString> error = kadrel::createSolutionTables(
        tables_.results, solution->combNo, tables_.prl, tables_.sPrt2, items_, subitems_);
    if (error) {
        services_.dialogs.message(*error);
        completed_ = false;
        return false;
    }
    return true;
}

QString OptimizerRun::resultsExportText() const
{
    return kadrel::resultsExportText(tables_.results);
}

QString OptimizerRun::selectedCutsExportText() const
{
    const RankingRow* solution = selectedSolution();
    return solution == nullptr ? QString() : kadrel::selectedCutsExportText(tables_.results, solution->combNo);
}

void OptimizerRun::exportResults()
{
    services_.clipboard.setText(resultsExportText());
    services_.dialogs.message(ClipboardTexts::ResultsCopied);
}

void OptimizerRun::exportSelectedCuts()
{
    services_.clipboard.setText(selectedCutsExportText());
    services_.dialogs.message(ClipboardTexts::SpecificationCopied);
}

} // namespace kadrel
