// `kadrel calc` run as the built program on problem files and on the sample database; its JSON
// result is parsed and checked.
#include "global/tests/support/TempDataDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Outcome kadrel(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("BARMOND_DATA");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KADREL_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

class CalcCommandTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    std::unique_ptr<testing_support::ServerDatabase> dataServer;

    // A data directory beside the problem files, not yet made; on the test server it is made, with
    // the Barmond.ini that names its database there.
    QString dataDirectory()
    {
        const QString path = dir.filePath(QStringLiteral("data"));
        if (testing_support::onTestServer()) {
            QDir().mkpath(path);
            dataServer = std::make_unique<testing_support::ServerDatabase>(path);
        }
        return path;
    }

    QString write(const QByteArray& json, const QString& name = QStringLiteral("problem.json"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(json);
        return path;
    }

    QJsonObject calc(const QString& path, int expectedExit)
    {
        const Outcome run = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), path,
                                    QStringLiteral("--json")});
        EXPECT_EQ(run.exitCode, expectedExit) << run.err.toStdString();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
        EXPECT_TRUE(document.isObject());
        return document.object();
    }
};

// One 6000 length; the first bar takes 4495 and leaves 1500, on which 2600 gets a first section
// of 1490 (10 left); its second section 1110 and 1800 share the next bar (3080 left).
const QByteArray JoinedProblem = R"({
  "settings": { "saw_width": 5, "ext_tolerance": 10 },
  "profile": { "id": 1, "code": "AL 40x40", "remnant_length": 1000,
               "price": 10.0, "scrap_price": 2.0, "welding_price": 5.0, "remnant_loss": 1.0 },
  "lengths": [ { "id": 11, "length": 6000, "int_stock": 20, "typical": 1 } ],
  "order_profiles": [ { "id": 5, "order_id": 1 } ],
  "cuts": [
    { "id": 201, "order_id": 1, "order_profile_id": 5, "status": 1, "length": 4495, "pcs": 1 },
    { "id": 202, "order_id": 1, "order_profile_id": 5, "status": 1, "length": 2600, "pcs": 1 },
    { "id": 203, "order_id": 1, "order_profile_id": 5, "status": 1, "length": 1800, "pcs": 1 }
  ],
  "call": { "mode": 2, "extend": 500 }
})";

TEST_F(CalcCommandTest, JsonResultOfAHandCheckedRunWithAJoint)
{
    const QJsonObject result = calc(write(JoinedProblem), 0);
    EXPECT_TRUE(result.value("completed").toBool());
    EXPECT_TRUE(result.value("messages").toArray().isEmpty());

    const QJsonObject demand = result.value("demand").toObject();
    EXPECT_EQ(demand.value("total_length").toInteger(), 8895);
    EXPECT_EQ(demand.value("total_cuts").toInteger(), 3);
    EXPECT_EQ(demand.value("min_cut").toInteger(), 1800);

    const QJsonArray stock = result.value("stock").toArray();
    ASSERT_EQ(stock.size(), 1);
    EXPECT_EQ(stock[0].toObject().value("db_id").toInteger(), 11);
    EXPECT_EQ(stock[0].toObject().value("stock").toInteger(), 20);

    const QJsonArray ranking = result.value("ranking").toArray();
    ASSERT_EQ(ranking.size(), 1);
    const QJsonObject solution = ranking[0].toObject();
    EXPECT_EQ(solution.value("comb_no").toInteger(), 1);
    EXPECT_EQ(solution.value("profiles").toInteger(), 2);
    EXPECT_EQ(solution.value("total_cuts").toInteger(), 8895);
    EXPECT_EQ(solution.value("total_used").toInteger(), 12000);
    EXPECT_EQ(solution.value("total_scrap").toInteger(), 3090);
    EXPECT_EQ(solution.value("pure_scrap").toInteger(), 10);
    EXPECT_EQ(solution.value("max_scrap").toInteger(), 3080);
    EXPECT_EQ(solution.value("extensions").toInteger(), 1);
    EXPECT_EQ(solution.value("reused_remnant").toInteger(), 0);
    // 12 m × 10 − 0.01 m × 2 + 1 joint × 5 + 3.08 m × 1
    EXPECT_NEAR(solution.value("total_cost").toDouble(), 120.0 - 0.02 + 5.0 + 3.08, 1e-9);

    const QJsonArray expectedResults = {
        QJsonArray{1, 0, 6000, 1490, 2}, QJsonArray{1, 0, 6000, 4495, 1}, QJsonArray{1, 0, 6000, 10, 0},
        QJsonArray{1, 1, 6000, 1800, 2}, QJsonArray{1, 1, 6000, 1110, 1}, QJsonArray{1, 1, 6000, 3080, 0},
    };
    EXPECT_EQ(result.value("results").toArray(), expectedResults);

    const QJsonArray solutions = result.value("solutions").toArray();
    ASSERT_EQ(solutions.size(), 1);
    const QJsonObject first = solutions[0].toObject();
    const QJsonArray cuttingPlan = first.value("specification").toArray();
    ASSERT_EQ(cuttingPlan.size(), 2);
    EXPECT_EQ(cuttingPlan[0].toObject().value("pattern").toString(), QStringLiteral("1490;4495"));
    EXPECT_EQ(cuttingPlan[0].toObject().value("leftover").toInteger(), 10);
    EXPECT_EQ(cuttingPlan[1].toObject().value("pattern").toString(), QStringLiteral("1800;1110"));

    const QJsonObject statistics = first.value("statistics").toObject();
    EXPECT_DOUBLE_EQ(statistics.value("total_length").toDouble(), 12.0);
    EXPECT_DOUBLE_EQ(statistics.value("cut_length").toDouble(), 8.895);
    EXPECT_EQ(statistics.value("total_cuts").toInteger(), 4);
    EXPECT_DOUBLE_EQ(statistics.value("pure_scrap").toDouble(), 0.01);
    EXPECT_DOUBLE_EQ(statistics.value("remnant").toDouble(), 3.08);
    EXPECT_EQ(statistics.value("remnant_pcs").toInteger(), 1);
    EXPECT_NEAR(statistics.value("saw").toDouble(), 0.015, 1e-12);
    EXPECT_EQ(statistics.value("extensions").toInteger(), 1);

    const QJsonArray subitems = first.value("subitems").toArray();
    ASSERT_EQ(subitems.size(), 4);
    const std::vector<std::pair<qint64, qint64>> pieces = {{0, 202}, {0, 201}, {1, 203}, {1, 202}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(subitems[i].toObject().value("item_id").toInteger(), pieces[std::size_t(i)].first);
        EXPECT_EQ(subitems[i].toObject().value("cutlength_id").toInteger(), pieces[std::size_t(i)].second);
    }
    const QJsonArray items = first.value("items").toArray();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].toObject().value("total_cuts_lenght").toInteger(), 5985);
    EXPECT_EQ(items[1].toObject().value("scrap").toInteger(), 3080);
}

TEST_F(CalcCommandTest, RunWithoutSolutionExitsOneWithItsMessage)
{
    QByteArray problem = JoinedProblem;
    problem.replace("\"length\": 4495", "\"length\": 7000");
    const QJsonObject result = calc(write(problem), 1);
    EXPECT_FALSE(result.value("completed").toBool());
    EXPECT_EQ(result.value("messages").toArray(),
              QJsonArray{QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 4")});
    EXPECT_TRUE(result.value("ranking").toArray().isEmpty());
    EXPECT_TRUE(result.value("results").toArray().isEmpty());
    EXPECT_TRUE(result.value("solutions").toArray().isEmpty());
    EXPECT_EQ(result.value("demand").toObject().value("total_length").toInteger(), 11400);
}

TEST_F(CalcCommandTest, UnreadableProblemFilesAndBadCommandLinesExitTwo)
{
    QByteArray negative = JoinedProblem;
    negative.replace("\"length\": 1800", "\"length\": -1800");
    QByteArray fractional = JoinedProblem;
    fractional.replace("\"length\": 1800, \"pcs\": 1", "\"length\": 1800, \"pcs\": 1.5");
    QByteArray noProfile = JoinedProblem;
    noProfile.replace("\"profile\"", "\"profil\"");
    const QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("broken.json"), QByteArray("{ \"settings\": ")},
        {QStringLiteral("negative.json"), negative},
        {QStringLiteral("fractional.json"), fractional},
        {QStringLiteral("noprofile.json"), noProfile},
    };
    for (const auto& [name, content] : files) {
        const QString path = write(content, name);
        const Outcome run = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), path, QStringLiteral("--json")});
        EXPECT_EQ(run.exitCode, 2) << name.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << name.toStdString();
        EXPECT_TRUE(run.err.contains(name)) << run.err.toStdString();
    }

    const Outcome missing = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), dir.filePath("none.json")});
    EXPECT_EQ(missing.exitCode, 2);

    const QString good = write(JoinedProblem);
    const QList<QStringList> wrong = {
        {QStringLiteral("calc")},
        {QStringLiteral("calc"), QStringLiteral("--input"), good, QStringLiteral("--profile"), QStringLiteral("1")},
        {QStringLiteral("calc"), QStringLiteral("--input"), good, QStringLiteral("--frobnicate")},
        {QStringLiteral("calc"), QStringLiteral("--profile"), QStringLiteral("x")},
        {QStringLiteral("calc"), QStringLiteral("--profile"), QStringLiteral("1"), QStringLiteral("--mode"), QStringLiteral("256")},
        {QStringLiteral("calc"), QStringLiteral("--input")},
        {QStringLiteral("calc"), QStringLiteral("--input"), good, QStringLiteral("--solutions"), QStringLiteral("1")},
    };
    for (const QStringList& arguments : wrong) {
        const Outcome run = kadrel(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(CalcCommandTest, ReadableOutputListsTheSolutions)
{
    const Outcome run = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), write(JoinedProblem)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.contains(QStringLiteral("1490;4495"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Solutions (1)")));
}

TEST_F(CalcCommandTest, DatabaseRunOnTheSampleData)
{
    const QString data = dataDirectory();
    ASSERT_EQ(kadrel({QStringLiteral("--data-dir"), data, QStringLiteral("demo")}).exitCode, 0);
    for (const QString& mode : {QStringLiteral("2"), QStringLiteral("5")}) {
        const Outcome run = kadrel({QStringLiteral("--data-dir"), data, QStringLiteral("calc"), QStringLiteral("--profile"),
                                    QStringLiteral("1"), QStringLiteral("--mode"), mode, QStringLiteral("--json"),
                                    QStringLiteral("--time-limit"), QStringLiteral("3")});
        EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.err.toStdString();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError);
        EXPECT_EQ(document.object().value("completed").toBool(), run.exitCode == 0);
        EXPECT_TRUE(document.object().contains("lower_bound"));
    }
}

// Method 5 in a problem file: the bound of the run and each solution's excess over it.
TEST_F(CalcCommandTest, MethodFiveReportsTheBoundAndTheExcess)
{
    QByteArray problem = JoinedProblem;
    problem.replace(R"("call": { "mode": 2, "extend": 500 })", R"("call": { "mode": 5, "extend": 500 })");
    const QString path = write(problem, QStringLiteral("method5.json"));
    const Outcome run = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), path, QStringLiteral("--json"),
                                QStringLiteral("--time-limit"), QStringLiteral("5")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    // 4495, 2600 and 1800 need two bars of 6000 (4495 + 2600 and 4495 + 1800 are over a bar).
    EXPECT_DOUBLE_EQ(result.value("lower_bound").toDouble(), 12.0);
    const QJsonArray solutions = result.value("solutions").toArray();
    ASSERT_FALSE(solutions.isEmpty());
    for (const QJsonValue& solution : solutions) {
        EXPECT_EQ(solution.toObject().value("statistics").toObject().value("extensions").toInt(), 0);
        EXPECT_TRUE(solution.toObject().value("excess_perc").isDouble());
    }
    EXPECT_DOUBLE_EQ(solutions.first().toObject().value("excess_perc").toDouble(), 0.0);

    // The joined run of method 2 has the same bound; its two bars are at it too.
    const QJsonObject joined = calc(write(JoinedProblem), 0);
    EXPECT_DOUBLE_EQ(joined.value("lower_bound").toDouble(), 12.0);

    EXPECT_EQ(kadrel({QStringLiteral("calc"), QStringLiteral("--input"), path, QStringLiteral("--time-limit"),
                      QStringLiteral("soon")})
                  .exitCode,
              2);
}

// Two stock lengths: three pieces of 2500 on 6000 or 7600 bars give several listed solutions.
const QByteArray TwoLengthsProblem = R"({
  "profile": { "id": 1, "code": "AL 40x40", "remnant_length": 1000 },
  "lengths": [ { "id": 11, "length": 6000, "int_stock": 20 }, { "id": 12, "length": 7600, "int_stock": 20 } ],
  "cuts": [ { "id": 201, "order_id": 1, "order_profile_id": 5, "status": 1, "length": 2500, "pcs": 3 } ],
  "call": { "mode": 2 }
})";

TEST_F(CalcCommandTest, SolutionsOptionWritesTheFirstSolutionsInFullAndTheWholeRanking)
{
    const QString path = write(TwoLengthsProblem);
    const QJsonObject all = calc(path, 0);
    const QJsonArray ranking = all.value("ranking").toArray();
    ASSERT_GE(ranking.size(), 2) << QJsonDocument(all).toJson().toStdString();
    ASSERT_EQ(all.value("solutions").toArray().size(), ranking.size());

    const auto limited = [&](const char* count) {
        const Outcome run = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), path, QStringLiteral("--json"),
                                    QStringLiteral("--solutions"), QString::fromLatin1(count)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out).object();
    };
    const QJsonObject first = limited("1");
    EXPECT_EQ(first.value("ranking").toArray(), ranking);
    const QJsonArray solutions = first.value("solutions").toArray();
    ASSERT_EQ(solutions.size(), 1);
    EXPECT_EQ(solutions[0], all.value("solutions").toArray()[0]);
    // Only the result rows of the solution written.
    const qint64 best = ranking[0].toObject().value("comb_no").toInteger();
    QJsonArray rowsOfBest;
    for (const QJsonValue& row : all.value("results").toArray())
        if (row.toArray()[0].toInteger() == best)
            rowsOfBest.append(row);
    ASSERT_FALSE(rowsOfBest.isEmpty());
    EXPECT_EQ(first.value("results").toArray(), rowsOfBest);

    const QJsonObject none = limited("0");
    EXPECT_EQ(none.value("ranking").toArray(), ranking);
    EXPECT_TRUE(none.value("solutions").toArray().isEmpty());
    EXPECT_TRUE(none.value("results").toArray().isEmpty());
    // As many as there are or more: everything, as without the option.
    EXPECT_EQ(limited("1000"), all);
}

TEST_F(CalcCommandTest, OnlyKnownMethodsAndStatusSelectorsAndStrictNumbers)
{
    const auto exitOf = [&](const QStringList& arguments) {
        const Outcome run = kadrel(arguments);
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
        return run.exitCode;
    };
    const QString data = dataDirectory();
    const QStringList fromDatabase{QStringLiteral("--data-dir"), data, QStringLiteral("calc"), QStringLiteral("--profile"),
                                   QStringLiteral("1")};
    for (const char* mode : {"6", "255", "256"})
        EXPECT_EQ(exitOf(fromDatabase + QStringList{QStringLiteral("--mode"), QString::fromLatin1(mode)}), 2) << mode;
    for (const char* status : {"4", "258"})
        EXPECT_EQ(exitOf(fromDatabase + QStringList{QStringLiteral("--status"), QString::fromLatin1(status)}), 2)
            << status;
    for (const char* number : {"1 ", " 1", "+1", "1x", ""}) {
        EXPECT_EQ(exitOf({QStringLiteral("--data-dir"), data, QStringLiteral("calc"), QStringLiteral("--profile"),
                          QString::fromLatin1(number)}), 2) << '"' << number << '"';
    }
    for (const char* lengths : {"1, 2", "1,,2", "1,", " 1"})
        EXPECT_EQ(exitOf(fromDatabase + QStringList{QStringLiteral("--lengths"), QString::fromLatin1(lengths)}), 2)
            << lengths;
    // Nothing was opened for a refused command line.
    EXPECT_FALSE(QFileInfo::exists(testing_support::onTestServer() ? data + QStringLiteral("/DB") : data));

    QByteArray mode256 = JoinedProblem;
    mode256.replace("\"mode\": 2", "\"mode\": 256");
    QByteArray status258 = JoinedProblem;
    status258.replace("\"mode\": 2", "\"mode\": 2, \"status\": 258");
    for (const QByteArray& problem : {mode256, status258})
        EXPECT_EQ(exitOf({QStringLiteral("calc"), QStringLiteral("--input"), write(problem), QStringLiteral("--json")}), 2);

    // The sample data with the highest method and selector that exist.
    ASSERT_EQ(kadrel({QStringLiteral("--data-dir"), data, QStringLiteral("demo")}).exitCode, 0);
    const Outcome highest = kadrel(fromDatabase + QStringList{QStringLiteral("--mode"), QStringLiteral("5"),
                                                              QStringLiteral("--status"), QStringLiteral("3"),
                                                              QStringLiteral("--json")});
    EXPECT_TRUE(highest.exitCode == 0 || highest.exitCode == 1) << highest.err.toStdString();
}

TEST_F(CalcCommandTest, ARunEndingBeforeTheDemandShowsNoShortestPiece)
{
    QByteArray noStock = JoinedProblem;
    noStock.replace("\"int_stock\": 20", "\"int_stock\": 0");
    const QJsonObject result = calc(write(noStock), 1);
    EXPECT_FALSE(result.value("completed").toBool());
    const QJsonObject demand = result.value("demand").toObject();
    EXPECT_EQ(demand.value("min_cut").toInteger(), 0);
    EXPECT_EQ(demand.value("total_cuts").toInteger(), 0);
    EXPECT_EQ(demand.value("total_length").toInteger(), 0);
    EXPECT_TRUE(result.value("stock").toArray().isEmpty());
}

TEST_F(CalcCommandTest, ReadableOutputKeepsLargeNumbersApart)
{
    // 50 pieces of 2,000,000,000 from bars of 2,100,000,000: every total has twelve digits.
    const QByteArray problem = R"({
      "profile": { "id": 1, "code": "LONG", "remnant_length": 0 },
      "lengths": [ { "id": 11, "length": 2100000000, "int_stock": 60 } ],
      "cuts": [ { "id": 1, "order_id": 1, "order_profile_id": 5, "status": 1, "length": 2000000000, "pcs": 50 } ]
    })";
    const Outcome run = kadrel({QStringLiteral("calc"), QStringLiteral("--input"), write(problem)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    const QStringList fields = lines[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(fields.size(), 10) << lines[2].toStdString();
    EXPECT_EQ(fields[1], QStringLiteral("50"));              // bars
    EXPECT_EQ(fields[2], QStringLiteral("100000000000"));    // cut length
    EXPECT_EQ(fields[3], QStringLiteral("105000000000"));    // used
    EXPECT_EQ(fields[4], QStringLiteral("4999999750"));      // leftover
}

} // namespace
