// Loading the setup parameters and identifying the station on a fresh data directory.

#include "CheckParameters.h"
#include "Database.h"
#include "Globals.h"
#include "ScriptedServices.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace global;

namespace {

class CheckParametersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
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

} // namespace
