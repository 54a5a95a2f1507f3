// Texts reformatted through the import field map.

#include "global/CheckFormat.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <QtSql/QSqlQuery>
#include <gtest/gtest.h>

using namespace global;

namespace {

class CheckFormatTest : public testing_support::DatabaseFixture {
protected:
    void addEntry(const QString& type, const QString& name, const QString& formula)
    {
        Table<InterfaceMapRecord> map(db);
        InterfaceMapRecord rec;
        rec.type = type;
        rec.internalName = name;
        rec.externalName = name + QStringLiteral(" column");
        rec.formula = formula;
        ASSERT_EQ(map.add(rec), 0) << map.errorText().toStdString();
    }
};

TEST_F(CheckFormatTest, TheEntrysFormulaComputesTheValueFromVar)
{
    addEntry("DETR", "DETR:Descr_1", "UPPER(CLIP(VAR)) & ' (' & LEN(CLIP(VAR)) & ')'");
    addEntry("DETR", "DETR:Descr_2", "SUB(VAR, 1, 3)");
    addEntry("CUTS", "DETR:Descr_1", "'other type'");
    CheckFormat checkFormat(db);

    EXPECT_EQ(checkFormat(QStringLiteral(" rama lewa "), "DETR:Descr_1", "DETR"), QStringLiteral("RAMA LEWA (9)"));
    EXPECT_EQ(checkFormat(QStringLiteral("słupek"), "DETR:Descr_2", "DETR"), QStringLiteral("słu"));
    EXPECT_EQ(checkFormat(QStringLiteral("x"), "DETR:Descr_1", "CUTS"), QStringLiteral("other type"));
    // The key ignores letter case of type and name.
    EXPECT_EQ(checkFormat(QStringLiteral("abcdef"), "detr:DESCR_2", "detr"), QStringLiteral("abc"));
    EXPECT_FALSE(checkFormat.hasProblems());
    EXPECT_TRUE(checkFormat.problemMessage().isEmpty());
}

TEST_F(CheckFormatTest, NoEntryOrABlankFormulaKeepsTheValue)
{
    addEntry("DETR", "DETR:Descr_1", "   ");
    CheckFormat checkFormat(db);
    EXPECT_EQ(checkFormat(QStringLiteral(" as it was "), "DETR:Descr_1", "DETR"), QStringLiteral(" as it was "));
    EXPECT_EQ(checkFormat(QStringLiteral("kept"), "DETR:Descr_3", "DETR"), QStringLiteral("kept"));
    EXPECT_FALSE(checkFormat.hasProblems());
}

TEST_F(CheckFormatTest, AFailingFormulaKeepsTheValueAndIsReportedOnce)
{
    addEntry("DETR", "DETR:Descr_1", "VAR & ' ' & CODE");      // CODE is not bound here
    addEntry("DETR", "DETR:Descr_2", "LEFT(VAR, 2) / 0");
    addEntry("DETR", "DETR:Descr_3", "VAR & '/'");
    CheckFormat checkFormat(db);

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(checkFormat(QStringLiteral("piece %1").arg(i), "DETR:Descr_1", "DETR"), QStringLiteral("piece %1").arg(i));
    EXPECT_EQ(checkFormat(QStringLiteral("12"), "DETR:Descr_2", "DETR"), QStringLiteral("12"));
    EXPECT_EQ(checkFormat(QStringLiteral("ok"), "DETR:Descr_3", "DETR"), QStringLiteral("ok/"));

    ASSERT_EQ(checkFormat.problems().size(), 2);
    const CheckFormat::Problem& first = checkFormat.problems().at(0);
    EXPECT_EQ(first.name, QStringLiteral("DETR:Descr_1"));
    EXPECT_EQ(first.formula, QStringLiteral("VAR & ' ' & CODE"));
    EXPECT_EQ(first.errorCode, 1101);
    EXPECT_EQ(first.values, 3);
    EXPECT_EQ(checkFormat.problems().at(1).errorCode, 1103);
    EXPECT_EQ(checkFormat.problems().at(1).values, 1);

    const QStringList lines = checkFormat.problemMessage().split(QLatin1Char('|'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0), QStringLiteral("The field map entry DETR / DETR:Descr_1 (formula VAR & ' ' & CODE) failed; "
                                          "3 values left unchanged. Error 1101: unknown name CODE at character 13"));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("1 value left unchanged. Error 1103: division by zero")));
}

TEST_F(CheckFormatTest, AFormulaWithASyntaxErrorKeepsTheValue)
{
    addEntry("DETR", "DETR:Descr_4", "SUB(VAR, 1");
    CheckFormat checkFormat(db);
    EXPECT_EQ(checkFormat(QStringLiteral("abc"), "DETR:Descr_4", "DETR"), QStringLiteral("abc"));
    ASSERT_TRUE(checkFormat.hasProblems());
    EXPECT_EQ(checkFormat.problems().at(0).errorCode, 1100);
}

TEST_F(CheckFormatTest, EntriesAreReadOncePerRun)
{
    addEntry("DETR", "DETR:Descr_1", "'first ' & VAR");
    CheckFormat checkFormat(db);
    EXPECT_EQ(checkFormat(QStringLiteral("a"), "DETR:Descr_1", "DETR"), QStringLiteral("first a"));

    // A change of the map during the run does not change the run's formatting half way.
    Table<InterfaceMapRecord> map(db);
    InterfaceMapRecord rec;
    rec.type = "DETR";
    rec.internalName = "DETR:Descr_1";
    ASSERT_EQ(map.fetch(Table<InterfaceMapRecord>::Auto, rec), 0);
    rec.formula = "'second ' & VAR";
    ASSERT_EQ(map.update(rec), 0);
    EXPECT_EQ(checkFormat(QStringLiteral("b"), "DETR:Descr_1", "DETR"), QStringLiteral("first b"));
    EXPECT_EQ(CheckFormat(db)(QStringLiteral("b"), "DETR:Descr_1", "DETR"), QStringLiteral("second b"));
}

TEST_F(CheckFormatTest, AMapThatCannotBeReadKeepsTheValueAndSaysSo)
{
    QSqlQuery drop(db.connection());
    ASSERT_TRUE(drop.exec(QStringLiteral("DROP TABLE \"INTERFACE_MAP\"")));
    CheckFormat checkFormat(db);
    EXPECT_EQ(checkFormat(QStringLiteral("abc"), "DETR:Descr_1", "DETR"), QStringLiteral("abc"));
    EXPECT_EQ(checkFormat(QStringLiteral("def"), "DETR:Descr_1", "DETR"), QStringLiteral("def"));
    ASSERT_EQ(checkFormat.problems().size(), 1);
    EXPECT_EQ(checkFormat.problems().at(0).values, 2);
    EXPECT_NE(checkFormat.problems().at(0).errorCode, 0);
    EXPECT_TRUE(checkFormat.problemMessage().contains(QStringLiteral("INTERFACE_MAP cannot be read")));
}

} // namespace
