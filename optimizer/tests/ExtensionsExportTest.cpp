// The joint list of a solution: pairing of sections, link codes and the exact clipboard text.

#include "optimizer/ExtensionsExport.h"

#include "global/ScriptedServices.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/Joints.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

using namespace kadrel;

namespace {

const QString Header = QStringLiteral("Lista łączeń technologicznych\r"
                                      "Numer łączenia\tKod profila\tDługość profila\tOdc 1\tOdc 2\r");

class ExtensionsExportTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    testing_support::StockScenario scenario{db};
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    global::Services services{dialogs, clipboard, clock, identity};
    uint32_t profile = 0, order = 0;

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0);
        profile = scenario.profile(QStringLiteral("AL L 30x30x3"), 600);
        order = scenario.order(QStringLiteral("ZL/3"));
    }

    QString exported(const testing_support::SolutionBuilder& s, uint32_t transaction = 0)
    {
        clipboard.setText(QStringLiteral("before"));
        dialogs.clear();
        EXPECT_TRUE(extensionsExport(db, services, profile, s.bars, s.pieces, transaction));
        EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Dane w schowku. Proszę wkleić do arkusza")});
        return clipboard.text();
    }
};

TEST_F(ExtensionsExportTest, ASolutionWithoutSectionsGivesTheTwoHeaderLinesOnly)
{
    const uint32_t whole = scenario.cut(order, profile, 2400, 2, QStringLiteral("KT-04"));
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 1190, {{whole, 2400}, {whole, 2400}});
    EXPECT_EQ(exported(s), Header);
}

TEST_F(ExtensionsExportTest, TwoPiecesOfTwoSectionsPairInTheOrderTheSectionsAreMet)
{
    const uint32_t piece = scenario.cut(order, profile, 2600, 2, QStringLiteral("KT-05"), {}, 1490);
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 0, {{piece, 1490}, {piece, 1490}, {piece, 1110}})
        .bar(2, 1, 6000, 0, {{piece, 1110}});
    EXPECT_EQ(exported(s), Header + QStringLiteral("#01\tKT-05               \t2600\t1490\t1110\r"
                                                   "#02\tKT-05               \t2600\t1490\t1110\r"));
}

TEST_F(ExtensionsExportTest, HalvesOfOnePiecePairWithEachOtherAndAMissingPartnerLeavesTheJointOpen)
{
    const uint32_t halves = scenario.cut(order, profile, 3000, 1, QStringLiteral("H"), {}, 1500);
    const uint32_t lonely = scenario.cut(order, profile, 4000, 1, QStringLiteral("L-7"), {}, 2500);
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 0, {{halves, 1500}, {lonely, 2500}, {halves, 1500}});
    EXPECT_EQ(exported(s), Header + QStringLiteral("#01\tH                   \t3000\t1500\t1500\r"
                                                   "#02\tL-7                 \t4000\t2500\t0\r"));
}

TEST_F(ExtensionsExportTest, AStoredCuttingOrderCarriesItsOwnSectionMarks)
{
    const uint32_t piece = scenario.cut(order, profile, 2600, 1, QStringLiteral("KT-05"), {}, 1490);
    testing_support::SolutionBuilder s;
    s.bar(1, 1, 6000, 0, {{piece, 1490}, {piece, 1110}});
    EXPECT_EQ(exported(s, 4), Header) << "no marks stored, no sections";
    s.pieces[0].cutlenghtString = "#";
    s.pieces[1].cutlenghtString = "#";
    EXPECT_EQ(exported(s, 4), Header + QStringLiteral("#01\tKT-05               \t2600\t1490\t1110\r"));
}

TEST_F(ExtensionsExportTest, AMissingProfileIsReportedAndTheClipboardKept)
{
    profile = 99;
    clipboard.setText(QStringLiteral("kept"));
    EXPECT_FALSE(extensionsExport(db, services, profile, {}, {}, 0));
    EXPECT_EQ(clipboard.text(), QStringLiteral("kept"));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Brak profila na liście wszystkich profili. Error = 35")});
}

TEST(JointPairingTest, LinkCodesHaveTwoDigitsUpToNinetyNineAndAllDigitsBeyond)
{
    EXPECT_EQ(jointLinkCode(1), QStringLiteral("#01"));
    EXPECT_EQ(jointLinkCode(99), QStringLiteral("#99"));
    EXPECT_EQ(jointLinkCode(100), QStringLiteral("#100"));
    JointPairing pairing;
    for (uint32_t i = 0; i < 101; ++i)
        pairing.pair(i + 1, 3000, QStringLiteral("X"), 1000);   // 101 pieces, one section each
    ASSERT_EQ(pairing.joints().size(), 101u);
    EXPECT_EQ(pairing.joints().back().linkCode(), QStringLiteral("#101"));
    EXPECT_EQ(pairing.pair(101, 3000, QStringLiteral("X"), 2000), QStringLiteral("#101"));
    EXPECT_EQ(pairing.joints().back().l2, 2000u);
}

} // namespace
