// Whole optimizer runs on small problems whose every number was worked out by hand.
#include "optimizer/tests/support/CalcFixture.h"

#include "optimizer/CalculationDriver.h"
#include "optimizer/ClipboardExports.h"
#include "optimizer/PatternPricing.h"

#include <gtest/gtest.h>

#include <limits>

#include <sys/resource.h>

using namespace kadrel;
using kadrel::fixture::CalcProblem;
using kadrel::fixture::RunHarness;
using kadrel::fixture::callFor;

namespace {

std::vector<ResultRow> rowsOf(const ResultTable& table)
{
    return table.rows();
}

// Saw 5: three pieces of 2500 from 6000 bars. The first bar takes two pieces (5010 used, 990
// left), the second one piece (3495 left, a usable remnant).
CalcProblem threePiecesOf2500(uint32_t remnantLenght = 1000)
{
    CalcProblem problem(remnantLenght);
    problem.stockLength(11, 6000, 10);
    problem.piece(101, 2500, 3);
    return problem;
}

TEST(OptimizerRunTest, CombinationSearchCutsThreePiecesFromTwoBars)
{
    CalcProblem problem = threePiecesOf2500();
    problem.profile().price = 10.0;
    problem.profile().scrapPrice = 2.0;
    problem.profile().weldingPrice = 5.0;
    problem.profile().remnantLoss = 1.0;
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));

    ASSERT_TRUE(run.run()) << h.dialogs.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(h.dialogs.messages().isEmpty());

    const std::vector<ResultRow> expected = {
        {1, 0, 6000, 2500, 2}, {1, 0, 6000, 2500, 1}, {1, 0, 6000, 990, 0},
        {1, 1, 6000, 2500, 1}, {1, 1, 6000, 3495, 0},
    };
    EXPECT_EQ(rowsOf(run.results()), expected);

    ASSERT_EQ(run.ranking().size(), 1u);
    const RankingRow& solution = run.ranking()[0];
    EXPECT_EQ(solution.combNo, 1u);
    EXPECT_EQ(solution.profiles, 2u);
    EXPECT_EQ(solution.totalCuts, 7500);
    EXPECT_EQ(solution.totalUsed, 12000u);
    EXPECT_EQ(solution.totalScrap, 4485u);
    EXPECT_EQ(solution.pureScrap, 990u);
    EXPECT_EQ(solution.maxScrap, 3495u);
    EXPECT_EQ(solution.extensions, 0u);
    EXPECT_EQ(solution.reusedRemnant, 0u);
    // 12000 m·10 − 0.99·2 + 0 + 3.495·1 − 0
    EXPECT_DOUBLE_EQ(solution.totalCost, 120.0 - 1.98 + 3.495);

    ASSERT_EQ(run.display().size(), 2u);
    EXPECT_EQ(run.display()[0].id, 1u);
    EXPECT_EQ(run.display()[0].cuts, QStringLiteral("2500x2"));
    EXPECT_EQ(run.display()[0].leftover, 990u);
    EXPECT_EQ(run.display()[1].cuts, QStringLiteral("2500"));
    EXPECT_EQ(run.display()[1].leftover, 3495u);

    const Statistics& st = run.statistics();
    EXPECT_DOUBLE_EQ(st.totalLengh, 12.0);
    EXPECT_EQ(st.totalPcs, 2u);
    EXPECT_DOUBLE_EQ(st.cutLenght, 7.5);
    EXPECT_EQ(st.totalCuts, 3u);
    EXPECT_DOUBLE_EQ(st.totalScrap, 4.485);
    EXPECT_DOUBLE_EQ(st.totalPurescrap, 0.99);
    EXPECT_DOUBLE_EQ(st.totalRemnant, 3.495);
    EXPECT_EQ(st.totalRemnantPcs, 1u);
    EXPECT_NEAR(st.totalSaw, 0.015, 1e-12);
    EXPECT_DOUBLE_EQ(st.cutLenghtPerc, 62.5);
    EXPECT_NEAR(st.totalSawPerc, 0.125, 1e-9);

    ASSERT_EQ(run.stock().size(), 1u);
    EXPECT_EQ(run.stock()[0].used, 2u);

    // The closing reload shows the whole demand again.
    EXPECT_EQ(run.totalLenght(), 7500);
    EXPECT_EQ(run.totalCuts(), 3u);
    ASSERT_EQ(run.demand().size(), 1u);
    EXPECT_EQ(run.demand()[0].pcs, 3u);

    ASSERT_TRUE(run.createSolutionTables());
    ASSERT_EQ(run.solutionItems().size(), 2u);
    EXPECT_EQ(run.solutionItems()[0].id, 0u);
    EXPECT_EQ(run.solutionItems()[0].lenghtDbId, 11u);
    EXPECT_EQ(run.solutionItems()[0].totalCutsLenght, 5000u);
    EXPECT_EQ(run.solutionItems()[0].scrap, 990u);
    EXPECT_EQ(run.solutionItems()[1].totalCutsLenght, 2500u);
    EXPECT_EQ(run.solutionItems()[1].scrap, 3495u);
    ASSERT_EQ(run.solutionSubitems().size(), 3u);
    for (const SolutionSubitemRow& piece : run.solutionSubitems())
        EXPECT_EQ(piece.cutlenghtId, 101u);
}

TEST(OptimizerRunTest, RemnantExactlyAtRemnantLengthIsNotPureScrap)
{
    for (const auto& [remnantLenght, pure] : {std::pair{990u, 0u}, std::pair{991u, 990u}}) {
        CalcProblem problem = threePiecesOf2500(remnantLenght);
        RunHarness h;
        OptimizerRun& run = h.start(problem, callFor(2));
        ASSERT_TRUE(run.run());
        EXPECT_EQ(run.ranking()[0].pureScrap, pure) << remnantLenght;
        EXPECT_EQ(run.statistics().totalRemnantPcs, pure == 0 ? 2u : 1u) << remnantLenght;
        EXPECT_DOUBLE_EQ(run.statistics().totalPurescrap, pure / 1000.0) << remnantLenght;
    }
}

TEST(OptimizerRunTest, PreselectionAlwaysRunsWithThresholdZero)
{
    CalcProblem problem = threePiecesOf2500();
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2, 0));
    ASSERT_TRUE(run.run());

    // The bar-by-bar choice is solution 1: bars numbered from 1, pieces named by their cut record.
    const std::vector<ResultRow> expected = {
        {1, 1, 6000, 2500, 101}, {1, 1, 6000, 2500, 101}, {1, 1, 6000, 990, 0},
        {1, 2, 6000, 2500, 101}, {1, 2, 6000, 3495, 0},
    };
    EXPECT_EQ(rowsOf(run.results()), expected);
    ASSERT_EQ(run.ranking().size(), 1u);
    EXPECT_EQ(run.ranking()[0].totalScrap, 4485u);
    ASSERT_TRUE(run.createSolutionTables());
    EXPECT_EQ(run.solutionItems()[0].id, 1u);
}

TEST(OptimizerRunTest, PreselectionRestrictsTheCombinationSearchToTheLengthsItUsed)
{
    CalcProblem problem;
    problem.stockLength(21, 2000, 10);
    problem.stockLength(22, 5000, 10);
    problem.stockLength(23, 7000, 10);
    problem.piece(201, 4990, 1);
    problem.piece(202, 1990, 1);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2, 3));
    ASSERT_TRUE(run.run());

    // 1990 goes on a 2000 bar, 4990 on a 5000 bar: two lengths, fewer than the threshold 3, so
    // only 2000 and 5000 are combined (combinations 1..3); the preselection is solution 4.
    for (const ResultRow& row : run.results()) {
        EXPECT_NE(row.profileLengt, 7000u);
        EXPECT_GE(row.combNo, 1u);
        EXPECT_LE(row.combNo, 4u);
    }
    ASSERT_EQ(run.stock().size(), 2u);
    EXPECT_EQ(run.stock()[0].lenght, 2000u);
    EXPECT_EQ(run.stock()[1].lenght, 5000u);

    std::vector<ResultRow> preselection;
    for (const ResultRow& row : run.results())
        if (row.combNo == 4)
            preselection.push_back(row);
    const std::vector<ResultRow> expected = {
        {4, 1, 2000, 1990, 202}, {4, 1, 2000, 5, 0}, {4, 2, 5000, 4990, 201}, {4, 2, 5000, 5, 0},
    };
    EXPECT_EQ(preselection, expected);
}

TEST(OptimizerRunTest, PreselectionJoinsAPieceOntoALeftover)
{
    // 5000 leaves 995 on the first bar; 1430 is at least 1.43 × 995, so it is made of a first
    // section 985 from that leftover and a second section 445 cut from the next bar.
    CalcProblem problem;
    problem.stockLength(11, 6000, 10);
    problem.piece(201, 5000, 1);
    problem.piece(202, 1430, 1);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2, 0, 500));
    ASSERT_TRUE(run.run());

    const std::vector<ResultRow> expected = {
        {1, 1, 6000, 985, 202}, {1, 1, 6000, 5000, 201}, {1, 2, 6000, 445, 202}, {1, 2, 6000, 5550, 0},
    };
    EXPECT_EQ(rowsOf(run.results()), expected);
    ASSERT_EQ(run.ranking().size(), 1u);
    EXPECT_EQ(run.ranking()[0].extensions, 1u);
    EXPECT_EQ(run.ranking()[0].totalCuts, 6430);
    EXPECT_EQ(run.statistics().extensions, 1u);

    ASSERT_TRUE(run.createSolutionTables());
    ASSERT_EQ(run.solutionSubitems().size(), 3u);
    EXPECT_EQ(run.solutionSubitems()[0].cutlenghtId, 202u);
    EXPECT_EQ(run.solutionSubitems()[1].cutlenghtId, 201u);
    EXPECT_EQ(run.solutionSubitems()[2].cutlenghtId, 202u);
}

TEST(OptimizerRunTest, PreselectionJoinCandidates)
{
    // Leftover 1000, minimum joint 500: 1300 is below 1430 and leaves a second section of 300.
    EXPECT_FALSE(isPreselectionJoinCandidate(1300, 1000, 500));
    EXPECT_TRUE(isPreselectionJoinCandidate(1430, 1000, 500));
    EXPECT_TRUE(isPreselectionJoinCandidate(1500, 1000, 500));
    EXPECT_FALSE(isPreselectionJoinCandidate(900, 1000, 500));
    EXPECT_FALSE(isPreselectionJoinCandidate(1429, 1000, 500));
}

TEST(OptimizerRunTest, IncompleteSolutionsAreNeverListedAndTheMessageDependsOnTheMethod)
{
    // 7000 fits no 6000 bar, so no combination cuts the whole demand.
    const std::vector<std::pair<uint8_t, QString>> cases = {
        {0, QString()},
        {1, QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.")},
        {2, QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 4")},
        {3, QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 4")},
        {4, QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 1")},
        {5, QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 4")},
        {6, QString()},
    };
    for (const auto& [mode, message] : cases) {
        CalcProblem problem;
        problem.stockLength(11, 6000, 10);
        problem.piece(201, 7000, 1);
        problem.piece(202, 1000, 1);
        RunHarness h;
        OptimizerRun& run = h.start(problem, callFor(mode));
        EXPECT_FALSE(run.run()) << int(mode);
        EXPECT_FALSE(run.completed());
        EXPECT_TRUE(run.ranking().empty()) << int(mode);
        const QStringList expected = message.isEmpty() ? QStringList() : QStringList{message};
        EXPECT_EQ(h.dialogs.messages(), expected) << int(mode);
    }
}

TEST(OptimizerRunTest, EqualSolutionsAreListedOnce)
{
    // Combination 3 {6000, 6500} starts with 6500 like combination 1 {6500} and ends the same.
    CalcProblem problem;
    problem.stockLength(11, 6000, 10);
    problem.stockLength(12, 6500, 10);
    problem.piece(201, 3000, 2);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));
    ASSERT_TRUE(run.run());
    ASSERT_EQ(run.ranking().size(), 2u);
    EXPECT_EQ(run.ranking()[0].combNo, 1u);
    EXPECT_EQ(run.ranking()[0].totalScrap, 490u);
    EXPECT_EQ(run.ranking()[1].combNo, 2u);
    EXPECT_EQ(run.ranking()[1].totalScrap, 5990u);
    // Combination 3 was calculated and is in the results, but not listed.
    EXPECT_NE(std::find_if(run.results().begin(), run.results().end(),
                           [](const ResultRow& r) { return r.combNo == 3; }),
              run.results().end());
}

TEST(OptimizerRunTest, ResortingByPureScrapAndCost)
{
    CalcProblem problem;
    problem.stockLength(11, 6000, 10);
    problem.stockLength(12, 6500, 10);
    problem.piece(201, 3000, 2);
    problem.profile().price = 1.0;
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));
    ASSERT_TRUE(run.run());
    // Combination 1: one 6500 bar, 490 pure scrap; combination 2: two 6000 bars, two remnants.
    run.resort(RankingSort::PureScrap);
    EXPECT_EQ(run.ranking()[0].combNo, 2u);
    EXPECT_EQ(run.selectedRow(), 0);
    EXPECT_EQ(run.selectedSolution()->combNo, 2u);
    EXPECT_EQ(run.display().size(), 2u);
    run.resort(RankingSort::Cost);
    EXPECT_EQ(run.ranking()[0].combNo, 1u);
    EXPECT_EQ(run.display().size(), 1u);
    run.selectSolution(1);
    EXPECT_EQ(run.selectedSolution()->combNo, 2u);
    EXPECT_EQ(run.stock()[0].used, 2u);
    EXPECT_EQ(run.stock()[1].used, 0u);
}

TEST(OptimizerRunTest, BarsOfStockRemnantsAreCountedOncePerBar)
{
    // A stock remnant of 2600 (not a catalogue length) takes the piece of 2500.
    CalcProblem problem;
    problem.stockLength(31, 2600, 1, 0);
    problem.piece(201, 2500, 1);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));
    ASSERT_TRUE(run.run());
    ASSERT_EQ(run.ranking().size(), 1u);
    EXPECT_EQ(run.ranking()[0].reusedRemnant, 2600u);
}

TEST(OptimizerRunTest, SaveRuleAndTitleSuffixes)
{
    struct Case {
        uint32_t orderProfile;
        uint8_t status;
        uint16_t orderStatus;
        bool canSave;
        QString suffix;
    };
    const std::vector<Case> cases = {
        {0, 0, 1, true, QString()},
        {5, 0, 0, false, OptimizerRun::CalculatorTitleSuffix},
        {5, 0, 1, true, OptimizerRun::CalculatorTitleSuffix},
        {0, 2, 1, false, OptimizerRun::SimulationTitleSuffix},
        {5, 2, 1, false, OptimizerRun::CalculatorTitleSuffix + OptimizerRun::SimulationTitleSuffix},
        {9, 0, 1, false, OptimizerRun::CalculatorTitleSuffix},   // position not found
    };
    for (const Case& c : cases) {
        CalcProblem problem;
        problem.order(1, c.orderStatus);
        problem.position(5, 1);
        OptimizerCall call = callFor(2);
        call.orderProfile = c.orderProfile;
        call.status = c.status;
        RunHarness h;
        OptimizerRun& run = h.start(problem, call);
        run.determineSaveRule();
        EXPECT_EQ(run.canSave(), c.canSave) << c.orderProfile << " " << int(c.status);
        EXPECT_EQ(run.titleSuffix(), c.suffix);
    }
    EXPECT_EQ(OptimizerRun::CalculatorTitleSuffix,
              QStringLiteral("      K A L K U L A T O R   D L A  W Y B R A N E J   P O Z Y C J I"));
}

TEST(OptimizerRunTest, PreparationMessagesEndTheRun)
{
    CalcProblem noStock;
    noStock.piece(201, 1000, 1);
    RunHarness h1;
    EXPECT_FALSE(h1.start(noStock, callFor(2)).run());
    EXPECT_EQ(h1.dialogs.messages(), QStringList{CalcMessages::NoStock});

    CalcProblem noPieces;
    noPieces.stockLength(11, 6000, 1);
    RunHarness h2;
    EXPECT_FALSE(h2.start(noPieces, callFor(2)).run());
    EXPECT_EQ(h2.dialogs.messages(), QStringList{QStringLiteral("Brak elementów do wycięcia")});
}

TEST(OptimizerRunTest, ClipboardExportsPutTheirTextsAndConfirm)
{
    CalcProblem problem = threePiecesOf2500();
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));
    ASSERT_TRUE(run.run());

    run.exportResults();
    const QString n1 = QStringLiteral("            1");
    const QString n0 = QStringLiteral("            0");
    const QString n6000 = QStringLiteral("        6 000");
    const QString n2500 = QStringLiteral("        2 500");
    const QString t = QStringLiteral("\t");
    const QString r = QStringLiteral("\r");
    QString expected = n1 + t + n0 + t + n6000 + t + n2500 + t + QStringLiteral("            2") + r
        + n1 + t + n0 + t + n6000 + t + n2500 + t + n1 + r
        + n1 + t + n0 + t + n6000 + t + QStringLiteral("          990") + t + n0 + r
        + n1 + t + n1 + t + n6000 + t + n2500 + t + n1 + r
        + n1 + t + n1 + t + n6000 + t + QStringLiteral("        3 495") + t + n0 + r;
    EXPECT_EQ(h.clipboard.text(), expected);
    EXPECT_EQ(h.dialogs.messages().last(), QStringLiteral("Dane w schowku"));

    run.exportSelectedCuts();
    expected = QStringLiteral("Wyniki optymalizacji cięcia\r")
        + QStringLiteral("Numer profila\tDługość profila\tOdpad\tKolejne odcinki\r")
        + n1 + t + n6000 + t + QStringLiteral("          990") + t + n2500 + t + n2500 + t + r
        + QStringLiteral("            2") + t + n6000 + t + QStringLiteral("        3 495") + t + n2500 + t + r;
    EXPECT_EQ(h.clipboard.text(), expected);
    EXPECT_EQ(h.dialogs.messages().last(),
              QStringLiteral("Dane w schowku. Proszę otworzyć dowolny arkusz kalkulacyjny i wkleić dane (Ctrl-V)"));
}

TEST(OptimizerRunTest, DurationTextComesFromTheInjectedClock)
{
    CalcProblem problem = threePiecesOf2500();
    RunHarness h;
    // Every reading of the clock moves it on by 13 seconds.
    struct SteppingClock : global::Clock {
        mutable QDateTime now_ = QDateTime(QDate(2026, 1, 5), QTime(8, 0));
        QDateTime now() const override
        {
            const QDateTime current = now_;
            now_ = now_.addSecs(13);
            return current;
        }
    } clock;
    OptimizerRun run(problem, RunServices{h.dialogs, h.clipboard, clock}, callFor(2));
    ASSERT_TRUE(run.run());
    EXPECT_GT(run.durationHundredths(), 0u);
    EXPECT_EQ(run.durationHundredths() % 1300, 0u);
    EXPECT_TRUE(run.durationText().startsWith(QStringLiteral(" Metoda 2 Czas obl. = 00:0")));
}

TEST(OptimizerRunTest, ProgressIsReportedPerCombinationAndCancelStopsTheRun)
{
    CalcProblem problem;
    problem.stockLength(11, 6000, 10);
    problem.stockLength(12, 6500, 10);
    problem.piece(201, 3000, 2);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));
    std::vector<uint32_t> seen;
    run.setProgressCallback([&](uint32_t p) { seen.push_back(p); });
    ASSERT_TRUE(run.run());
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(run.progress(), 0u);

    RunHarness h2;
    OptimizerRun& cancelled = h2.start(problem, callFor(2));
    cancelled.setProgressCallback([&](uint32_t) { cancelled.requestCancel(); });
    EXPECT_FALSE(cancelled.run());
    EXPECT_TRUE(h2.dialogs.messages().isEmpty());
}

} // namespace

namespace {

TEST(OptimizerRunTest, PreselectionThatCannotPlaceEveryPieceEndsTheRun)
{
    // One 6000 and one 3000 bar cannot hold 5000 + 2 × 2995, neither when the bar leaving the
    // smallest leftover is taken first nor when the longest bar is.
    CalcProblem problem;
    problem.stockLength(11, 3000, 1);
    problem.stockLength(12, 6000, 1);
    problem.piece(201, 5000, 1);
    problem.piece(202, 2995, 2);
    RunHarness h;
    EXPECT_FALSE(h.start(problem, callFor(2, 0)).run());
    EXPECT_EQ(h.dialogs.messages(), QStringList{CalcMessages::CannotCutPieces});
    EXPECT_EQ(CalcMessages::CannotCutPieces, QStringLiteral("Brak możliwości wycięcia zdefiniowanych odcinków"));
}

} // namespace

namespace {

// ---- numbers near the ends of their ranges -------------------------------------------------------

TEST(OptimizerRunTest, TotalsOfLongBarsAreKeptInSixtyFourBits)
{
    // Three pieces of 2,000,000,000 from bars of 2,100,000,000: one piece a bar, 99,999,995 left
    // each. The bars used add up past 2^32.
    CalcProblem problem(0);
    problem.stockLength(11, 2100000000, 10);
    problem.piece(101, 2000000000, 3);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(0));
    ASSERT_TRUE(run.run()) << h.dialogs.messages().join(QLatin1Char('\n')).toStdString();

    ASSERT_EQ(run.ranking().size(), 1u);
    const RankingRow& solution = run.ranking()[0];
    EXPECT_EQ(solution.profiles, 3u);
    EXPECT_EQ(solution.totalCuts, int64_t{6000000000});
    EXPECT_EQ(solution.totalUsed, int64_t{6300000000});
    EXPECT_EQ(solution.totalScrap, int64_t{3} * 99999995);
    EXPECT_EQ(solution.pureScrap, 0);
    EXPECT_EQ(run.totalLenght(), int64_t{6000000000});
    EXPECT_DOUBLE_EQ(run.statistics().totalLengh, 6300000.0);
    EXPECT_DOUBLE_EQ(run.statistics().cutLenght, 6000000.0);
}

TEST(OptimizerRunTest, BarsOfKilometresNeedNoTableAsLongAsTheBar)
{
    // Pricing patterns for the lower bound keeps a table entry per unit of the longest bar: for
    // bars of 2,100,000,000 that would be 16 GB. The bound stays unknown instead, and method 5
    // plans without it.
    for (const uint8_t mode : {uint8_t(0), LowerBoundMethod}) {
        CalcProblem problem(0);
        problem.stockLength(11, 2100000000, 60);
        problem.piece(101, 2000000000, 50);
        RunHarness h;
        OptimizerRun& run = h.start(problem, callFor(mode));
        ASSERT_TRUE(run.run()) << h.dialogs.messages().join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(run.lowerBound().known);
        EXPECT_EQ(run.ranking()[0].profiles, 50u) << int(mode);
        EXPECT_EQ(run.ranking()[0].totalUsed, int64_t{105000000000});
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 512L * 1024) << "peak kilobytes";   // the whole test program

    CuttingProblem usual;
    usual.sawWidth = 5;
    usual.pieces = {PieceDemand{2500, 300}, PieceDemand{1200, 500}};
    usual.stock = {StockSupply{6000, 1000}, StockSupply{12000, 1000}};
    EXPECT_TRUE(PatternPricing::affordable(usual));
    usual.stock.push_back(StockSupply{2100000000, 1});
    EXPECT_FALSE(PatternPricing::affordable(usual));
}

TEST(OptimizerRunTest, StockCountsNearTheirLargestAreSummedWide)
{
    PrlRow row;
    row.stockQuantity = std::numeric_limits<int32_t>::max();
    row.externalQuantity = std::numeric_limits<int32_t>::max();
    row.processQuantity = 100;
    EXPECT_EQ(row.available(), int64_t{2} * std::numeric_limits<int32_t>::max() + 100);
    row.stockQuantity = std::numeric_limits<int32_t>::min();
    row.externalQuantity = 0;
    row.processQuantity = -1;
    EXPECT_EQ(row.available(), int64_t{std::numeric_limits<int32_t>::min()} - 1);

    // A length whose in-production count is at its largest still offers its bars.
    CalcProblem problem = threePiecesOf2500();
    problem.lengths.front().intStock = 100;
    problem.lengths.front().incomStock = std::numeric_limits<int32_t>::max();
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(2));
    ASSERT_TRUE(run.run()) << h.dialogs.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(run.ranking()[0].profiles, 2u);
}

TEST(OptimizerRunTest, ARunEndingBeforeItsDemandShowsNoShortestPiece)
{
    // No stock: the run ends before the demand is read, and nothing of the demand is set.
    CalcProblem problem;
    problem.piece(101, 2500, 3);
    RunHarness h;
    OptimizerRun& run = h.start(problem, callFor(0));
    EXPECT_FALSE(run.run());
    EXPECT_EQ(h.dialogs.messages(), QStringList{CalcMessages::NoStock});
    EXPECT_EQ(run.minCutLenght(), 0u);
    EXPECT_EQ(run.totalCuts(), 0u);
    EXPECT_EQ(run.totalLenght(), 0);
}

} // namespace
