// `kadrel calc` run as the built program on problem files; its JSON result is parsed and checked.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    QTemporaryDir dir;

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
    const QString data = dir.filePath(QStringLiteral("data"));
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

} // namespace
