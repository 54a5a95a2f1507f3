// Reading problem files: defaults, and refusal of files the optimizer could not trust.
#include "optimizer/ProblemFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kadrel;

namespace {

const char* minimal = R"({
  "profile": { "id": 1, "code": "AL 40x40", "remnant_length": 1000 },
  "lengths": [ { "id": 11, "length": 6000 } ],
  "cuts": [ { "id": 101, "order_id": 1, "order_profile_id": 5, "status": 1, "length": 2500, "pcs": 3 } ]
})";

QJsonObject minimalObject()
{
    return QJsonDocument::fromJson(minimal).object();
}

// Replaces the value at a dotted path such as "cuts.0.pcs" (arrays by index); an undefined value removes it.
QJsonValue replaced(const QJsonValue& node, QStringList path, const QJsonValue& value)
{
    const QString key = path.takeFirst();
    if (node.isArray()) {
        QJsonArray array = node.toArray();
        const int index = key.toInt();
        array[index] = path.isEmpty() ? value : replaced(array[index], path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    if (path.isEmpty()) {
        if (value.isUndefined())
            object.remove(key);
        else
            object[key] = value;
    } else {
        object[key] = replaced(object[key], path, value);
    }
    return object;
}

QString refusal(const QString& path, const QJsonValue& value)
{
    const QJsonObject root = replaced(minimalObject(), path.split('.'), value).toObject();
    ProblemFile problem;
    QString error;
    EXPECT_FALSE(parseProblem(QJsonDocument(root).toJson(), "p.json", problem, error)) << path.toStdString();
    return error;
}

TEST(ProblemFile, MissingOptionalFieldsTakeTheirDefaults)
{
    ProblemFile problem;
    QString error;
    ASSERT_TRUE(parseProblem(minimal, "p.json", problem, error)) << error.toStdString();
    EXPECT_EQ(problem.settings.sawWidth, 5u);
    EXPECT_EQ(problem.settings.extTolerance, 10u);
    EXPECT_EQ(problem.profile.price, 0.0);
    EXPECT_EQ(problem.profile.remnantLenght, 1000u);
    ASSERT_EQ(problem.lengths.size(), 1u);
    const auto& length = problem.lengths[0];
    EXPECT_EQ(length.profileId, 1u);
    EXPECT_EQ(length.intStock, 0);
    EXPECT_EQ(length.unlimitedStock, 0);
    EXPECT_EQ(length.status, 0u);
    EXPECT_TRUE(problem.orderProfiles.empty());
    ASSERT_EQ(problem.cuts.size(), 1u);
    EXPECT_EQ(problem.cuts[0].profileId, 1u);
    EXPECT_EQ(problem.cuts[0].lenght1, 0u);
    EXPECT_EQ(problem.cuts[0].block, 0);
    EXPECT_EQ(problem.call.orderProfile, 0u);
    EXPECT_EQ(problem.call.mode, 0u);
    EXPECT_EQ(problem.call.status, 0);
    EXPECT_EQ(problem.call.extensions, 7u);
    EXPECT_EQ(problem.call.extend, 0u);
    EXPECT_TRUE(problem.call.selectedLengths.empty());
}

TEST(ProblemFile, GivenFieldsAreRead)
{
    QJsonObject root = minimalObject();
    root["settings"] = QJsonObject{{"saw_width", 3}, {"ext_tolerance", 25}};
    root["call"] = QJsonObject{{"order_profile", 5}, {"selected_lengths", QJsonArray{11, 12}}, {"mode", 4},
                               {"status", 2}, {"extensions", 3}, {"extend", 1}};
    root = replaced(root, {"lengths", "0"}, QJsonObject{{"id", 11}, {"length", 6000}, {"int_stock", -2},
                                                       {"ext_stock", 4}, {"incom_stock", -1}, {"unlimited", 1},
                                                       {"block_selection", 1}, {"status", 1}, {"typical", 1}})
               .toObject();
    root = replaced(root, {"profile", "welding_price"}, 2.5).toObject();
    ProblemFile problem;
    QString error;
    ASSERT_TRUE(parseProblem(QJsonDocument(root).toJson(), "p.json", problem, error)) << error.toStdString();
    EXPECT_EQ(problem.settings.sawWidth, 3u);
    EXPECT_EQ(problem.settings.extTolerance, 25u);
    EXPECT_EQ(problem.call.orderProfile, 5u);
    EXPECT_EQ(problem.call.selectedLengths, (std::vector<uint32_t>{11, 12}));
    EXPECT_EQ(problem.call.mode, 4u);
    EXPECT_EQ(problem.call.status, 2);
    EXPECT_EQ(problem.call.extensions, 3u);
    EXPECT_EQ(problem.call.extend, 1u);
    EXPECT_EQ(problem.profile.weldingPrice, 2.5);
    const auto& l = problem.lengths[0];
    EXPECT_EQ(l.intStock, -2);   // own stock may run below zero
    EXPECT_EQ(l.extStock, 4u);
    EXPECT_EQ(l.incomStock, -1); // so may the count in production
    EXPECT_EQ(l.unlimitedStock, 1);
    EXPECT_EQ(l.blockSelection, 1);
    EXPECT_EQ(l.status, 1u);
    EXPECT_EQ(l.typicalLength, 1u);
    EXPECT_EQ(problem.selectedLengthTable().size(), 2u);
}

TEST(ProblemFile, RefusesTextThatIsNotJsonNamingTheFile)
{
    ProblemFile problem;
    QString error;
    EXPECT_FALSE(parseProblem("{ \"profile\": ", "broken.json", problem, error));
    EXPECT_TRUE(error.startsWith("Problem file broken.json: not valid JSON")) << error.toStdString();
    EXPECT_FALSE(parseProblem("[1, 2]", "list.json", problem, error));
    EXPECT_TRUE(error.contains("list.json")) << error.toStdString();
}

TEST(ProblemFile, RefusesMissingRequiredFields)
{
    EXPECT_EQ(refusal("profile", QJsonValue::Undefined),
              "Problem file p.json: the required field profile is missing");
    EXPECT_EQ(refusal("lengths", QJsonValue::Undefined),
              "Problem file p.json: the required field lengths is missing");
    EXPECT_EQ(refusal("cuts", QJsonValue::Undefined), "Problem file p.json: the required field cuts is missing");
    EXPECT_EQ(refusal("cuts.0.pcs", QJsonValue::Undefined),
              "Problem file p.json: the required field cuts[0].pcs is missing");
    EXPECT_EQ(refusal("lengths.0.length", QJsonValue::Undefined),
              "Problem file p.json: the required field lengths[0].length is missing");
    EXPECT_EQ(refusal("profile.remnant_length", QJsonValue::Undefined),
              "Problem file p.json: the required field profile.remnant_length is missing");
}

TEST(ProblemFile, RefusesNegativeOrFractionalLengthsAndCounts)
{
    EXPECT_EQ(refusal("cuts.0.length", -2500), "Problem file p.json: cuts[0].length must not be negative (-2500)");
    EXPECT_EQ(refusal("cuts.0.pcs", 2.5), "Problem file p.json: cuts[0].pcs must be a whole number, not 2.5");
    EXPECT_EQ(refusal("cuts.0.pcs", "3"), "Problem file p.json: cuts[0].pcs must be a whole number");
    EXPECT_EQ(refusal("lengths.0.ext_stock", -1),
              "Problem file p.json: lengths[0].ext_stock must not be negative (-1)");
    EXPECT_EQ(refusal("lengths.0.length", 6000.5),
              "Problem file p.json: lengths[0].length must be a whole number, not 6000.5");
    EXPECT_EQ(refusal("cuts.0.length1", -1), "Problem file p.json: cuts[0].length1 must not be negative (-1)");
    EXPECT_EQ(refusal("cuts.0.length", 5e9),
              "Problem file p.json: cuts[0].length is too large (5000000000, at most 2147483647)");
    EXPECT_EQ(refusal("settings", QJsonObject{{"saw_width", -5}}),
              "Problem file p.json: settings.saw_width must not be negative (-5)");
    EXPECT_EQ(refusal("call", QJsonObject{{"selected_lengths", QJsonArray{11, -3}}}),
              "Problem file p.json: call.selected_lengths[1].id must not be negative (-3)");
}

TEST(ProblemFile, RefusesNumbersOutsideTheRangesTheCalculationWorksIn)
{
    // Counts that would wrap round in the demand's sums, lengths the forms refuse.
    EXPECT_EQ(refusal("cuts.0.pcs", 4294967295.0),
              "Problem file p.json: cuts[0].pcs is too large (4294967295, at most 20000)");
    EXPECT_EQ(refusal("cuts.0.length", 0), "Problem file p.json: cuts[0].length is too small (0, at least 1)");
    EXPECT_EQ(refusal("lengths.0.length", 0), "Problem file p.json: lengths[0].length is too small (0, at least 1)");
    EXPECT_EQ(refusal("cuts.0.length2", 2147483648.0),
              "Problem file p.json: cuts[0].length2 is too large (2147483648, at most 2147483647)");

    // Only the methods and status selectors that exist: 256 would run as method 0, 258 as 2.
    for (const int mode : {6, 256, 258})
        EXPECT_EQ(refusal("call", QJsonObject{{"mode", mode}}),
                  QStringLiteral("Problem file p.json: call.mode %1 is no optimizer method (0 to 5)").arg(mode));
    for (const int status : {4, 258})
        EXPECT_EQ(refusal("call", QJsonObject{{"status", status}}),
                  QStringLiteral("Problem file p.json: call.status %1 is no piece-status selector (0 to 3)")
                      .arg(status));

    QJsonObject root = minimalObject();
    root["call"] = QJsonObject{{"mode", 5}, {"status", 3}};
    root["cuts"] = replaced(root["cuts"], {"0", "pcs"}, 20000);
    ProblemFile problem;
    QString error;
    ASSERT_TRUE(parseProblem(QJsonDocument(root).toJson(), "p.json", problem, error)) << error.toStdString();
    EXPECT_EQ(problem.call.mode, 5);
    EXPECT_EQ(problem.call.status, 3);
    EXPECT_EQ(problem.cuts[0].pcs, 20000u);
}

TEST(ProblemFile, RefusesTextOutsideTheLetterOfTheJsonGrammar)
{
    const auto error = [](const QByteArray& json) {
        ProblemFile problem;
        QString text;
        EXPECT_FALSE(parseProblem(json, "g.json", problem, text)) << json.toStdString();
        return text;
    };
    const QByteArray head = R"({"profile": {"id": 1, "code": "A", "remnant_length": )";
    const QByteArray tail = R"(}, "lengths": [{"id": 11, "length": 6000}], "cuts": []})";
    EXPECT_EQ(error(head + "1." + tail),
              "Problem file g.json: not valid JSON at offset 55: a digit expected after the decimal point");
    EXPECT_EQ(error(head + "01" + tail), "Problem file g.json: not valid JSON at offset 54: a number must not start with 0");
    EXPECT_TRUE(error(head + ".5" + tail).contains("offset 53: a value expected"));
    EXPECT_TRUE(error(head + "1e" + tail).contains("a digit expected in the exponent"));
    EXPECT_TRUE(error(head + "-" + tail).contains("a digit expected in a number"));
    EXPECT_TRUE(error(head + "+1" + tail).contains("a value expected"));
    EXPECT_TRUE(error(head + "1 2" + tail).contains("'}' expected"));
    EXPECT_TRUE(error(head + "1" + tail + " x").contains("text after the end of the JSON value"));

    // A raw control character inside a string (here a tab and a line end) must be written as an escape.
    const QByteArray good = R"({"profile": {"id": 1, "code": "A\tB\u00f3\"", "remnant_length": 0},
                                "lengths": [{"id": 11, "length": 6000}], "cuts": []})";
    QByteArray tab = good;
    tab.replace("A\\tB", "A\tB");
    EXPECT_EQ(error(tab), "Problem file g.json: not valid JSON at offset 32: "
                          "a control character (code 9) inside a string; write it as an escape");
    QByteArray lineEnd = good;
    lineEnd.replace("A\\tB", "A\nB");
    EXPECT_TRUE(error(lineEnd).contains("a control character (code 10)"));
    QByteArray unknownEscape = good;
    unknownEscape.replace("A\\tB", "A\\xB");
    EXPECT_TRUE(error(unknownEscape).contains("an escape that JSON does not know"));

    ProblemFile problem;
    QString text;
    ASSERT_TRUE(parseProblem(good, "g.json", problem, text)) << text.toStdString();
    EXPECT_EQ(problem.profile.profileCode, QStringLiteral("A\tB\u00f3\""));
}

TEST(ProblemFile, RefusesTwoStockRecordsOfOneLengthAndTwinIdentifiers)
{
    QJsonObject root = minimalObject();
    root["lengths"] = QJsonArray{QJsonObject{{"id", 11}, {"length", 6000}}, QJsonObject{{"id", 12}, {"length", 6500}},
                                 QJsonObject{{"id", 13}, {"length", 6000}}};
    ProblemFile problem;
    QString error;
    EXPECT_FALSE(parseProblem(QJsonDocument(root).toJson(), "p.json", problem, error));
    EXPECT_EQ(error, "Problem file p.json: lengths[0] and lengths[2] have the same length (6000): "
                     "a profile keeps one stock record per length");

    root["lengths"] = QJsonArray{QJsonObject{{"id", 11}, {"length", 6000}}, QJsonObject{{"id", 11}, {"length", 6500}}};
    EXPECT_FALSE(parseProblem(QJsonDocument(root).toJson(), "p.json", problem, error));
    EXPECT_EQ(error, "Problem file p.json: lengths[0] and lengths[1] have the same id (11)");
}

TEST(ProblemFile, ReadsAFileAndNamesAMissingOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("problem.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(minimal);
    file.close();

    ProblemFile problem;
    QString error;
    EXPECT_TRUE(readProblemFile(path, problem, error)) << error.toStdString();
    EXPECT_EQ(problem.profile.profileCode, "AL 40x40");

    EXPECT_FALSE(readProblemFile(dir.filePath("absent.json"), problem, error));
    EXPECT_TRUE(error.startsWith("Problem file " + dir.filePath("absent.json") + ": cannot be read"))
        << error.toStdString();
}

TEST(ProblemFile, ServesCutsInKeyOrder)
{
    QJsonObject root = minimalObject();
    root["cuts"] = QJsonArray{
        QJsonObject{{"id", 3}, {"order_id", 1}, {"order_profile_id", 5}, {"status", 1}, {"length", 1000}, {"pcs", 1}},
        QJsonObject{{"id", 2}, {"order_id", 1}, {"order_profile_id", 5}, {"status", 1}, {"length", 2000}, {"pcs", 1}},
        QJsonObject{{"id", 1}, {"order_id", 1}, {"order_profile_id", 5}, {"status", 1}, {"length", 1000}, {"pcs", 1}},
        QJsonObject{{"id", 4}, {"order_id", 1}, {"order_profile_id", 5}, {"status", 0}, {"length", 3000}, {"pcs", 1}}};
    ProblemFile problem;
    QString error;
    ASSERT_TRUE(parseProblem(QJsonDocument(root).toJson(), "p.json", problem, error));
    ProblemFileInput input(problem);
    std::vector<global::CutRecord> cuts;
    ASSERT_EQ(input.cutsOfProfileStatus(1, 1, cuts), 0);
    ASSERT_EQ(cuts.size(), 3u);
    EXPECT_EQ(cuts[0].id, 2u);
    EXPECT_EQ(cuts[1].id, 1u);
    EXPECT_EQ(cuts[2].id, 3u);
    global::ProfileRecord profile;
    EXPECT_EQ(input.fetchProfile(1, profile), 0);
    EXPECT_EQ(input.fetchProfile(2, profile), 35);
}

} // namespace
