// What is shown of a solution: pattern texts, folding of reused leftovers, the cutting plan,
// the duration line and the numbers of the clipboard texts.
#include "optimizer/CalculationDriver.h"
#include "optimizer/ClipboardExports.h"
#include "optimizer/OptimizationTime.h"
#include "optimizer/SolutionView.h"

#include <gtest/gtest.h>

using namespace kadrel;

namespace {

TEST(SolutionViewTest, PatternTextWritesRunsOfEqualLengthsOnce)
{
    EXPECT_EQ(patternText({1200, 1200, 1200, 800}), QStringLiteral("1200x3;800"));
    EXPECT_EQ(patternText({800, 1200, 800}), QStringLiteral("800;1200;800"));
    EXPECT_EQ(patternText({2500}), QStringLiteral("2500"));
    EXPECT_EQ(patternText({}), QString());
}

TEST(SolutionViewTest, SpecificationSortsBarsLongestFirstThenSmallestLeftover)
{
    const ResultTable results = [] {
        ResultTable t;
        for (const ResultRow& r : std::vector<ResultRow>{
                 {1, 0, 6000, 1200, 3}, {1, 0, 6000, 1200, 2}, {1, 0, 6000, 1200, 1}, {1, 0, 6000, 800, 0},
                 {1, 1, 6500, 6000, 4}, {1, 1, 6500, 495, 0},
                 {1, 2, 6000, 5000, 5}, {1, 2, 6000, 799, 0},
                 {2, 0, 6000, 5000, 1}})
            t.append(r);
        return t;
    }();
    DisplayTable display;
    Statistics statistics;
    showCutsSchema(results, 1, 800, display, statistics);
    ASSERT_EQ(display.size(), 3u);
    EXPECT_EQ(display[0].lenght, 6500u);
    EXPECT_EQ(display[1].cuts, QStringLiteral("5000"));
    EXPECT_EQ(display[1].leftover, 799u);
    EXPECT_EQ(display[2].cuts, QStringLiteral("1200x3"));
    EXPECT_EQ(display[2].leftover, 800u);
    EXPECT_EQ(display[2].id, 3u);
    EXPECT_EQ(statistics.totalCuts, 5u);
    EXPECT_EQ(statistics.totalRemnantPcs, 1u);           // 800 is exactly the remnant length
    EXPECT_DOUBLE_EQ(statistics.totalRemnant, 0.8);
    EXPECT_DOUBLE_EQ(statistics.totalPurescrap, 0.495 + 0.799);

    PrlTable stock;
    stock.append(PrlRow{1, 6000, 0, 1, 0, 0, 11, 0, 0, 800});
    stock.append(PrlRow{2, 6500, 0, 1, 0, 0, 12, 0, 0, 800});
    stock.append(PrlRow{3, 7000, 9, 1, 0, 0, 13, 0, 0, 800});
    showUsedProfiles(display, stock);
    EXPECT_EQ(stock[0].used, 2u);
    EXPECT_EQ(stock[1].used, 1u);
    EXPECT_EQ(stock[2].used, 0u);
}

TEST(SolutionViewTest, StatisticsPercentagesAreZeroWithoutCuts)
{
    RankingRow row;
    row.totalUsed = 6000;
    Statistics statistics;
    calculateStatistic(row, statistics);
    EXPECT_DOUBLE_EQ(statistics.totalLengh, 6.0);
    EXPECT_EQ(statistics.cutLenghtPerc, 0.0);
    EXPECT_EQ(statistics.totalSawPerc, 0.0);
}

TEST(SolutionViewTest, SolutionTablesIdentifyEveryPieceOrFail)
{
    ResultTable results;
    results.append(ResultRow{1, 0, 6000, 2500, 2});
    results.append(ResultRow{1, 0, 6000, 2500, 1});
    results.append(ResultRow{1, 0, 6000, 990, 0});
    PrlTable stock;
    stock.append(PrlRow{1, 6000, 0, 1, 0, 0, 11, 0, 0, 0});
    SPrt2Table states;
    states.append(SPrt2Row{1, 101, 2500, 0, 1, 7, 7, 0});
    states.append(SPrt2Row{1, 102, 1000, 2500, 1, 0, 0, 0});
    SolutionItemTable items;
    SolutionSubitemTable subitems;
    EXPECT_EQ(createSolutionTables(results, 1, stock, states, items, subitems), std::nullopt);
    ASSERT_EQ(subitems.size(), 2u);
    EXPECT_EQ(subitems[0].cutlenghtId, 101u);   // used counts start from zero
    EXPECT_EQ(subitems[1].cutlenghtId, 102u);   // the second section of the next record
    EXPECT_EQ(items[0].scrap, 990u);
    EXPECT_EQ(items[0].totalCutsLenght, 5000u);

    results.append(ResultRow{1, 0, 6000, 2500, 3});
    EXPECT_EQ(createSolutionTables(results, 1, stock, states, items, subitems),
              std::optional<QString>(QStringLiteral("Błąd próby identyfikacji odcinka")));

    results.append(ResultRow{1, 1, 5000, 1000, 3});
    EXPECT_EQ(createSolutionTables(results, 1, PrlTable{}, states, items, subitems),
              std::optional<QString>(
                  QStringLiteral("Błąd systemowy szukania długości 6000 w tablicy M_PRL_TABLE. ErrorCode = 30")));
}

TEST(FoldReusedRemnantsTest, BarsCutFromLeftoversMoveOntoTheirSourceBars)
{
    // Bars 2 and 3 are both cut from leftovers of 2995: bar 2 from bar 0's, bar 3 from bar 1's.
    ResultTable results;
    for (const ResultRow& r : std::vector<ResultRow>{
             {1, 0, 6000, 3000, 1}, {1, 0, 6000, 2995, 0},
             {1, 1, 6000, 3000, 2}, {1, 1, 6000, 2995, 0},
             {1, 2, 2995, 2000, 3}, {1, 2, 2995, 990, 0},
             {1, 3, 2995, 2900, 4}, {1, 3, 2995, 90, 0},
             {2, 0, 2995, 2000, 1}, {2, 0, 2995, 990, 0}})
        results.append(r);
    foldReusedRemnants(results);
    const std::vector<ResultRow> expected = {
        {1, 0, 6000, 2000, 3}, {1, 0, 6000, 3000, 1}, {1, 0, 6000, 990, 0},
        {1, 1, 6000, 2900, 4}, {1, 1, 6000, 3000, 2}, {1, 1, 6000, 90, 0},
        {2, 0, 2995, 2000, 1}, {2, 0, 2995, 990, 0},   // another solution: nothing to fold
    };
    EXPECT_EQ(results.rows(), expected);
}

TEST(FoldReusedRemnantsTest, ChainedLeftoversFoldOntoTheFirstBar)
{
    ResultTable results;
    for (const ResultRow& r : std::vector<ResultRow>{
             {1, 0, 6000, 4000, 1}, {1, 0, 6000, 1995, 0},
             {1, 1, 1995, 1000, 2}, {1, 1, 1995, 990, 0},
             {1, 2, 990, 900, 3}, {1, 2, 990, 90, 0}})
        results.append(r);
    foldReusedRemnants(results);
    const std::vector<ResultRow> expected = {
        {1, 0, 6000, 900, 3}, {1, 0, 6000, 1000, 2}, {1, 0, 6000, 4000, 1}, {1, 0, 6000, 90, 0},
    };
    EXPECT_EQ(results.rows(), expected);
}

TEST(OptimizationTimeTest, DurationLineShowsTheDayFieldOnlyWhenNeeded)
{
    EXPECT_EQ(durationText(2, 6500), QStringLiteral(" Metoda 2 Czas obl. = 00:01:05"));
    EXPECT_EQ(durationText(0, 12 * 360000 + 99), QStringLiteral(" Metoda 0 Czas obl. = 12:00:00"));
    EXPECT_EQ(durationText(4, 8640000 + 2 * 360000 + 3 * 6000 + 400),
              QStringLiteral(" Metoda 4 Czas obl. =  1:02:03:04"));
    const QDateTime start(QDate(2026, 1, 5), QTime(23, 59, 0));
    EXPECT_EQ(durationHundredths(start, start.addSecs(90)), 9000u);
}

TEST(ClipboardExportsTest, NumbersAreRightAlignedAndGroupedInThrees)
{
    EXPECT_EQ(formatExportNumber(12000), QStringLiteral("       12 000"));
    EXPECT_EQ(formatExportNumber(0), QStringLiteral("            0"));
    EXPECT_EQ(formatExportNumber(999), QStringLiteral("          999"));
    EXPECT_EQ(formatExportNumber(1234567), QStringLiteral("    1 234 567"));
}

TEST(ClipboardExportsTest, SpecificationNumbersBarsFromOne)
{
    ResultTable results;
    results.append(ResultRow{3, 0, 6000, 3000, 1});
    results.append(ResultRow{3, 0, 6000, 2995, 0});
    results.append(ResultRow{3, 1, 6000, 1000, 2});
    const QString text = selectedCutsExportText(results, 3);
    const QStringList lines = text.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 5);   // title, header, two bars, nothing after the last line end
    EXPECT_EQ(lines[2], QStringLiteral("            1\t        6 000\t        2 995\t        3 000\t"));
    EXPECT_EQ(lines[3], QStringLiteral("            2\t        6 000\t            0\t        1 000\t"));
    EXPECT_EQ(lines[4], QString());
}

TEST(ClipboardExportsTest, TextsHoldEveryRowHoweverMany)
{
    // 70,000 result rows make about 4.9 million characters; 80,000 bars of one solution about 4.5
    // million. Every line is there, the last one whole.
    constexpr uint32_t Rows = 70000;
    ResultTable results;
    for (uint32_t i = 0; i < Rows; ++i)
        results.append(ResultRow{1, i / 2, 6000, i % 2 == 0 ? 2500u : 3495u, i % 2 == 0 ? 101u : 0u});
    const QString all = resultsExportText(results);
    const QStringList lines = all.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), qsizetype(Rows) + 1);
    EXPECT_EQ(lines[Rows - 1], QStringLiteral("            1\t       34 999\t        6 000\t        3 495\t            0"));
    EXPECT_EQ(lines[Rows], QString());

    constexpr uint32_t Bars = 80000;
    ResultTable solution;
    for (uint32_t bar = 0; bar < Bars; ++bar) {
        solution.append(ResultRow{2, bar, 6000, 2500, 101});
        solution.append(ResultRow{2, bar, 6000, 3495, 0});
    }
    const QString plan = selectedCutsExportText(solution, 2);
    const QStringList planLines = plan.split(QLatin1Char('\r'));
    ASSERT_EQ(planLines.size(), qsizetype(Bars) + 3);   // title, header, the bars, nothing after the last end
    EXPECT_EQ(planLines[Bars + 1], QStringLiteral("       80 000\t        6 000\t        3 495\t        2 500\t"));
}

} // namespace
