// Loading the setup parameters and identifying the station on a fresh data directory.

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/RawDatabase.h"
#include "global/tests/support/TempDataDir.h"
#include "settings/CheckParameters.h"

#include <gtest/gtest.h>

#include <QtSql/QSqlQuery>

using namespace global;

namespace {

class CheckParametersTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    Database db{dir.path()};
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock;
    FixedIdentity identity{QStringLiteral("jan"), QStringLiteral("STATION1")};
    Services services{dialogs, clipboard, clock, identity};

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        glo() = Globals{};
        glo().language = QStringLiteral("XX");   // shows which globals were reached
        glo().sawWidth = 99;
    }

    void store(const QString& techName, const QString& value)
    {
        Table<SetupParRecord> t(db);
        SetupParRecord r;
        r.techName = techName;
        if (t.fetch(Table<SetupParRecord>::ByTechName, r) == 0) {
            r.value = value;
            ASSERT_EQ(t.update(r), 0);
        } else {
            r.name = techName;
            r.value = value;
            ASSERT_EQ(t.add(r), 0);
        }
    }
};

TEST_F(CheckParametersTest, EmptyTableGetsFiveDefaultsAndGlobalsHoldThem)
{
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(glo().language, QStringLiteral("PL"));
    EXPECT_EQ(glo().sawWidth, 5u);
    EXPECT_EQ(glo().defUom, QStringLiteral("mm"));
    EXPECT_EQ(glo().selectionStart, 7u);
    EXPECT_EQ(glo().printSubcontr, 0);
    EXPECT_EQ(glo().userLp, 1u);

    Table<SetupParRecord> t(db);
    const auto all = t.rows(Table<SetupParRecord>::ByTechName);
    ASSERT_EQ(all.size(), 5);
    SetupParRecord r;
    r.techName = QStringLiteral("GLO:Selection_Start");
    ASSERT_EQ(t.fetch(Table<SetupParRecord>::ByTechName, r), 0);
    EXPECT_EQ(r.name, QStringLiteral("Start procedury selekcji od ilości różnych długości > niż"));
    EXPECT_EQ(r.value, QStringLiteral("7"));
}

TEST_F(CheckParametersTest, StoredValuesAreConverted)
{
    store(QStringLiteral("GLO:LANGUAGE"), QStringLiteral("en"));
    store(QStringLiteral("GLO:Saw_Width"), QStringLiteral("2,5"));
    store(QStringLiteral("GLO:DEF_UOM"), QStringLiteral("cm"));
    store(QStringLiteral("GLO:Selection_Start"), QStringLiteral("1 000"));
    store(QStringLiteral("GLO:PRINTSUBCONTR"), QStringLiteral("1"));
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().language, QStringLiteral("EN"));
    EXPECT_EQ(glo().sawWidth, 2u);
    EXPECT_EQ(glo().defUom, QStringLiteral("cm"));
    EXPECT_EQ(glo().selectionStart, 1000u);
    EXPECT_EQ(glo().printSubcontr, 1);

    store(QStringLiteral("GLO:LANGUAGE"), QStringLiteral("DE"));
    store(QStringLiteral("GLO:Saw_Width"), QStringLiteral("1 000"));
    store(QStringLiteral("GLO:DEF_UOM"), QStringLiteral("CM"));
    store(QStringLiteral("GLO:Selection_Start"), QStringLiteral("12,9"));
    store(QStringLiteral("GLO:PRINTSUBCONTR"), QStringLiteral("tak"));
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().language, QStringLiteral("PL"));
    EXPECT_EQ(glo().sawWidth, 1000u);
    EXPECT_EQ(glo().defUom, QStringLiteral("cm"));
    EXPECT_EQ(glo().selectionStart, 12u);
    EXPECT_EQ(glo().printSubcontr, 0);

    store(QStringLiteral("GLO:DEF_UOM"), QStringLiteral("m"));
    store(QStringLiteral("GLO:LANGUAGE"), QStringLiteral("EN  "));
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().defUom, QStringLiteral("mm"));
    EXPECT_EQ(glo().language, QStringLiteral("EN"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(CheckParametersTest, ConversionRules)
{
    EXPECT_EQ(settings::wholeNumberFromValue(QStringLiteral("-3")), 0u);
    EXPECT_EQ(settings::wholeNumberFromValue(QStringLiteral("7,99")), 7u);
    EXPECT_EQ(settings::integerFromValue(QStringLiteral(" 12")), 12);
    EXPECT_EQ(settings::integerFromValue(QStringLiteral("-2")), -2);
    EXPECT_EQ(settings::integerFromValue(QStringLiteral("")), 0);
    EXPECT_EQ(settings::languageFromValue(QStringLiteral("En")), QStringLiteral("EN"));
    EXPECT_EQ(settings::unitFromValue(QStringLiteral("Cm")), QStringLiteral("cm"));
}

TEST_F(CheckParametersTest, StationsAreNumberedOnceEach)
{
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().userLp, 1u);
    EXPECT_EQ(glo().sysCompName, QStringLiteral("STATION1"));
    EXPECT_EQ(glo().sysUser, QStringLiteral("jan"));
    identity.setComputerName(QStringLiteral("STATION2"));
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().userLp, 2u);
    identity.setComputerName(QStringLiteral("STATION1"));
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().userLp, 1u);
    Table<StationRecord> stations(db);
    EXPECT_EQ(stations.count(Table<StationRecord>::ByLp), 2);
}

TEST_F(CheckParametersTest, DeletedParameterIsRecreatedWithItsDefault)
{
    store(QStringLiteral("GLO:Saw_Width"), QStringLiteral("3"));
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().sawWidth, 3u);
    Table<SetupParRecord> t(db);
    SetupParRecord r;
    r.techName = QStringLiteral("GLO:Saw_Width");
    ASSERT_EQ(t.fetch(Table<SetupParRecord>::ByTechName, r), 0);
    ASSERT_EQ(t.remove(), 0);
    ASSERT_TRUE(settings::checkParameters(db, services));
    EXPECT_EQ(glo().sawWidth, 5u);
    ASSERT_EQ(t.fetch(Table<SetupParRecord>::ByTechName, r), 0);
    EXPECT_EQ(r.value, QStringLiteral("5"));
    EXPECT_EQ(r.name, QStringLiteral("Szerokość piły"));
    EXPECT_EQ(t.count(Table<SetupParRecord>::ByTechName), 5);
}

TEST_F(CheckParametersTest, UnreadableTableStopsAtTheFirstParameterWithItsMessage)
{
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("ALTER TABLE \"SETUP_PAR\" RENAME TO \"SETUP_PAR_GONE\"")));
    EXPECT_FALSE(settings::checkParameters(db, services));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().startsWith(
        QStringLiteral("System Error reading language code for SETUP_PAR. ErrorCode = 90 ")))
        << dialogs.messages().first().toStdString();
    EXPECT_EQ(glo().language, QStringLiteral("XX"));   // untouched
    EXPECT_EQ(glo().userLp, 0u);
}

TEST_F(CheckParametersTest, FailedAddStopsBeforeTheLaterParametersAndTheStation)
{
    store(QStringLiteral("GLO:LANGUAGE"), QStringLiteral("EN"));
    testing_support::refuseWrites(db.connection(), QStringLiteral("refuse"), QStringLiteral("SETUP_PAR"), QStringLiteral("INSERT"),
                                  QStringLiteral("NEW.\"TECH_NAME\" = 'GLO:DEF_UOM'"));
    glo().defUom = QStringLiteral("??");
    glo().selectionStart = 99;
    EXPECT_FALSE(settings::checkParameters(db, services));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().startsWith(
        QStringLiteral("System Error adding default unit of measure for SETUP_PAR. ErrorCode = 90 ")))
        << dialogs.messages().first().toStdString();
    EXPECT_EQ(glo().language, QStringLiteral("EN"));
    EXPECT_EQ(glo().sawWidth, 5u);
    EXPECT_EQ(glo().selectionStart, 99u);   // not reached
    EXPECT_EQ(glo().userLp, 0u);
    Table<StationRecord> stations(db);
    EXPECT_EQ(stations.count(Table<StationRecord>::ByLp), 0);
}

TEST_F(CheckParametersTest, StationFailuresShowTheirMessages)
{
    testing_support::refuseWrites(db.connection(), QStringLiteral("refuse"), QStringLiteral("STATIONS"), QStringLiteral("INSERT"));
    EXPECT_FALSE(settings::checkParameters(db, services));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Error adding new recoerd for STATIONS table. ErrorCode = 90")});
    EXPECT_EQ(glo().userLp, 0u);

    dialogs.clear();
    testing_support::stopRefusing(db.connection(), QStringLiteral("refuse"), QStringLiteral("STATIONS"));
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("ALTER TABLE \"STATIONS\" RENAME TO \"STATIONS_GONE\"")));
    EXPECT_FALSE(settings::checkParameters(db, services));
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("System Error searching PC name in the database. ErrorCode = 90")});
}

} // namespace
