// The frame's two maintenance actions on a real database in a fresh data directory: restoring
// the default screen layouts, and copying then emptying the database. On a server database the copy
// is a database file of the program in the dated folder.

#include "shell/frame/DatabaseDeletion.h"
#include "shell/frame/RestoreLayouts.h"
#include "shell/frame/tests/support/SampleTables.h"

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseLocation.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace global;
using shell::DatabaseDeletion;
using shell::RestoreLayouts;
using testing_support::fillEveryTable;
using testing_support::tableCounts;

namespace {

class MaintenanceTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    Database db{dir.path()};
    ScriptedDialogs dialogs;
    const QDateTime now{QDate(2026, 3, 9), QTime(7, 5, 4)};

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        glo() = Globals{};
    }

    QString dbPath(const QString& relative) const { return QDir(dir.path()).filePath(relative); }

    void writeIni(const QString& path)
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("Main/XPosit"), 10);
        ini.sync();
        ASSERT_TRUE(QFile::exists(path));
    }
    void writeIni() { writeIni(iniFile(dir.path())); }
};

// ---- restoring the default screen layouts ---------------------------------------------------

TEST_F(MaintenanceTest, RestoreRemovesSavedLayoutsAfterYes)
{
    ASSERT_TRUE(fillEveryTable(db));
    writeIni();
    dialogs.planAnswers({0});
    EXPECT_TRUE(RestoreLayouts(db, iniFile(dir.path()), dialogs).run());

    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown()[0].text, "Czy chcesz przywrócić wszystkie domyślne formaty ekranów ?");
    EXPECT_EQ(dialogs.shown()[0].buttons, QStringList({"Tak", "Nie"}));
    EXPECT_EQ(dialogs.shown()[1].text, "Przywrócono ustawienia domyślne ekranów");
    const auto counts = tableCounts(db);
    EXPECT_EQ(counts["LFM_CFile"], 0);
    EXPECT_EQ(counts["LFM_DFile"], 0);
    if (testing_support::onTestServer())   // the file keeps nothing but the choice of the database
        EXPECT_EQ(QSettings(iniFile(dir.path()), QSettings::IniFormat).childGroups(), QStringList{"Database"});
    else
        EXPECT_FALSE(QFile::exists(iniFile(dir.path())));
    // Nothing else is touched.
    EXPECT_EQ(counts["SETUP_PAR"], 1);
    EXPECT_EQ(counts["ORDERS"], 2);
}

// Barmond.ini also names the database the station works on: restoring the window positions keeps
// that section, else the next start would silently work on another database.
TEST_F(MaintenanceTest, RestoreKeepsTheChoiceOfTheDatabaseInTheIniFile)
{
    const QString station = dir.filePath(QStringLiteral("station/Barmond.ini"));
    writeIni(station);
    {
        QSettings ini(station, QSettings::IniFormat);
        ini.setValue(QStringLiteral("Database/Driver"), QStringLiteral("QPSQL"));
        ini.setValue(QStringLiteral("Database/Host"), QStringLiteral("serwer.warsztat"));
        ini.setValue(QStringLiteral("Database/Name"), QStringLiteral("barmond"));
        ini.setValue(QStringLiteral("SETUP_PAR/Width"), 430);
    }
    dialogs.planAnswers({0});
    EXPECT_TRUE(RestoreLayouts(db, station, dialogs).run());
    EXPECT_EQ(dialogs.messages().last(), "Przywrócono ustawienia domyślne ekranów");
    QSettings ini(station, QSettings::IniFormat);
    EXPECT_EQ(ini.childGroups(), QStringList{"Database"});
    EXPECT_EQ(ini.value(QStringLiteral("Database/Driver")).toString(), QStringLiteral("QPSQL"));
    EXPECT_EQ(ini.value(QStringLiteral("Database/Host")).toString(), QStringLiteral("serwer.warsztat"));
    EXPECT_EQ(ini.value(QStringLiteral("Database/Name")).toString(), QStringLiteral("barmond"));
    EXPECT_FALSE(ini.contains(QStringLiteral("Main/XPosit")));
}

TEST_F(MaintenanceTest, RestoreWithNothingSavedReportsSuccess)
{
    dialogs.planAnswers({0});
    EXPECT_TRUE(RestoreLayouts(db, iniFile(dir.path()), dialogs).run());
    EXPECT_EQ(dialogs.messages().last(), "Przywrócono ustawienia domyślne ekranów");
}

TEST_F(MaintenanceTest, RestoreAnsweredNoOrInAnotherLanguageKeepsEverything)
{
    ASSERT_TRUE(fillEveryTable(db));
    writeIni();
    dialogs.planAnswers({1});
    EXPECT_FALSE(RestoreLayouts(db, iniFile(dir.path()), dialogs).run());
    EXPECT_EQ(dialogs.shown().size(), 1);

    glo().language = QStringLiteral("DE");
    dialogs.clear();
    EXPECT_FALSE(RestoreLayouts(db, iniFile(dir.path()), dialogs).run());
    EXPECT_TRUE(dialogs.shown().isEmpty());

    EXPECT_EQ(tableCounts(db)["LFM_CFile"], 1);
    EXPECT_EQ(tableCounts(db)["LFM_DFile"], 1);
    EXPECT_TRUE(QFile::exists(iniFile(dir.path())));
}

TEST_F(MaintenanceTest, RestoreStopsWithItsMessageWhenTheIniFileCannotBeRemoved)
{
    // A folder, not a file (in a folder of its own: on the server the data directory's file names
    // the database).
    const QString station = dir.filePath(QStringLiteral("station/Barmond.ini"));
    ASSERT_TRUE(QDir().mkpath(station + QStringLiteral("/locked")));
    dialogs.planAnswers({0});
    EXPECT_FALSE(RestoreLayouts(db, station, dialogs).run());
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_TRUE(dialogs.shown()[1].text.startsWith("Wystąpił błąd podczas usuwania Barmond.ini. Numer błędu = "))
        << dialogs.shown()[1].text.toStdString();
    EXPECT_NE(dialogs.shown()[1].text, "Przywrócono ustawienia domyślne ekranów");
}

// ---- copying and emptying the database --------------------------------------------------------

TEST_F(MaintenanceTest, DeletionCopiesFirstThenEmptiesTheTenTablesAndKeepsTheSettings)
{
    ASSERT_TRUE(fillEveryTable(db));
    const auto before = tableCounts(db);
    ASSERT_TRUE(QDir().mkpath(dbPath("DB")));   // a server database has made no DB folder
    QFile logo(dbPath("DB/Logo.jpg"));
    ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
    logo.write("logo");
    logo.close();

    dialogs.planAnswers({0, 0});
    DatabaseDeletion deletion(db, dir.path(), dialogs);
    EXPECT_TRUE(deletion.run(now));

    const QString folder = QStringLiteral("DB/Backup/20260309070504");
    EXPECT_EQ(deletion.backupFolder(), folder);
    ASSERT_EQ(dialogs.shown().size(), 3);
    EXPECT_EQ(dialogs.shown()[0].text, "Czy na pewno chcesz usunąć wszystkie dane z bazy?");
    EXPECT_EQ(dialogs.shown()[0].buttons, QStringList({" Tak ", " Nie "}));
    EXPECT_EQ(dialogs.shown()[1].text,
              "Pliki bazy danych przed usunięciem zostaną skopiowane do katalogu " + folder
                  + ".|Folder ten nie jest potrzebny do prawidłowej pracy programu. "
                    "Można z niego odzyskać dane kopiując wszystkie pliki do katalogu DB. Można też go skasować. "
                    "|Uwaga, wszystkie okna programu poza głównym muszą być zamknięcte !||"
                    "Czy kontynuować usuwanie danych?");
    EXPECT_EQ(dialogs.shown()[1].buttons, QStringList({" Tak ", " Nie "}));
    EXPECT_EQ(dialogs.shown()[2].text,
              "Operacja przebiegła bez błędów. Baza danych jest pusta. Kopia poprzedniej jest w katalogu " + folder);

    const auto after = tableCounts(db);
    for (const QString& table : DatabaseDeletion::tablesToEmpty())
        EXPECT_EQ(after[table], 0) << table.toStdString();
    for (const char* kept : {"SETUP_PAR", "INTERFACE_MAP", "STATIONS", "LFM_CFile", "LFM_DFile"})
        EXPECT_EQ(after[kept], before[kept]) << kept;

    // The copy is a complete database holding everything as it was.
    Database copy = Database::atFile(dbPath(folder + "/barmond.db"));
    ASSERT_EQ(copy.open(), 0) << copy.openErrorText().toStdString();
    EXPECT_EQ(tableCounts(copy), before);
    EXPECT_TRUE(QFile::exists(dbPath(folder + "/Logo.jpg")));
    EXPECT_TRUE(QFile::exists(dbPath("DB/Logo.jpg")));
    // Also of a server database the copy is a database file the program opens itself.
    QFile copyFile(dbPath(folder + "/barmond.db"));
    ASSERT_TRUE(copyFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(copyFile.read(16), QByteArray("SQLite format 3", 16));
    EXPECT_EQ(isOnServer(db), testing_support::onTestServer());

    // The emptied tables take new records from the first identifier on.
    Table<OrderRecord> orders(db);
    OrderRecord order;
    order.number = QStringLiteral("ZAM/1/2027");
    ASSERT_EQ(orders.addWithNewIdentifier(order), 0) << orders.errorText().toStdString();
    EXPECT_EQ(order.id, 1u);
    EXPECT_EQ(tableCounts(copy)["ORDERS"], before["ORDERS"]);
}

TEST_F(MaintenanceTest, TheTenTablesAreTheOrdersCatalogueStockAndCuttingOrders)
{
    EXPECT_EQ(DatabaseDeletion::tablesToEmpty().size(), 10);
    QStringList all;
    for (const auto& entry : DatabaseDeletion::contents())
        if (!entry.isFile)
            all << entry.name;
    EXPECT_EQ(all.size(), 15);
    EXPECT_TRUE(DatabaseDeletion::tablesToEmpty().contains("ORDER_PROFILES_BLK_LENGTHS"));
    EXPECT_FALSE(DatabaseDeletion::tablesToEmpty().contains("SETUP_PAR"));
}

TEST_F(MaintenanceTest, DeletionWorksWhenEarlierBackupsExist)
{
    ASSERT_TRUE(fillEveryTable(db));
    ASSERT_TRUE(QDir(dir.path()).mkpath("DB/Backup/20250101000000"));
    dialogs.planAnswers({0, 0});
    EXPECT_TRUE(DatabaseDeletion(db, dir.path(), dialogs).run(now));
    EXPECT_EQ(tableCounts(db)["CUTS"], 0);
    EXPECT_TRUE(QDir(dbPath("DB/Backup/20250101000000")).exists());
}

TEST_F(MaintenanceTest, DeletionRemovesNothingWhenACopyFails)
{
    ASSERT_TRUE(fillEveryTable(db));
    const auto before = tableCounts(db);
    ASSERT_TRUE(QDir(dir.path()).mkpath("DB/Logo.jpg"));   // a folder in place of the logo cannot be copied
    dialogs.planAnswers({0, 0});
    EXPECT_FALSE(DatabaseDeletion(db, dir.path(), dialogs).run(now));
    ASSERT_EQ(dialogs.shown().size(), 3);
    EXPECT_TRUE(dialogs.shown()[2].text.startsWith(
        "Error coping file Logo.jpg.|Process stopped, database is not changed.|Error code = "))
        << dialogs.shown()[2].text.toStdString();
    EXPECT_EQ(tableCounts(db), before);
}

TEST_F(MaintenanceTest, DeletionNeverWritesIntoAnExistingBackupFolder)
{
    ASSERT_TRUE(fillEveryTable(db));
    const auto before = tableCounts(db);
    ASSERT_TRUE(QDir(dir.path()).mkpath("DB/Backup/20260309070504"));   // same second as now
    dialogs.planAnswers({0, 0});
    EXPECT_FALSE(DatabaseDeletion(db, dir.path(), dialogs).run(now));
    EXPECT_EQ(dialogs.shown().last().text,
              "Error creating folder DB/Backup/20260309070504.|Process stopped, database is not changed.");
    EXPECT_EQ(tableCounts(db), before);
}

TEST_F(MaintenanceTest, DeletionAnsweredNoChangesNothing)
{
    ASSERT_TRUE(fillEveryTable(db));
    const auto before = tableCounts(db);
    dialogs.planAnswers({1});
    EXPECT_FALSE(DatabaseDeletion(db, dir.path(), dialogs).run(now));
    EXPECT_EQ(dialogs.shown().size(), 1);
    dialogs.clear();
    dialogs.planAnswers({0, 1});
    EXPECT_FALSE(DatabaseDeletion(db, dir.path(), dialogs).run(now));
    EXPECT_EQ(dialogs.shown().size(), 2);
    EXPECT_FALSE(QDir(dbPath("DB/Backup")).exists());
    EXPECT_EQ(tableCounts(db), before);
}

TEST_F(MaintenanceTest, DeletionRollsBackWhenATableCannotBeEmptied)
{
    ASSERT_TRUE(fillEveryTable(db));
    const auto before = tableCounts(db);
    // Another station holds the database locked for writing past the wait.
    Database other = Database::atFile(db.filePath());
    ASSERT_EQ(other.open(), 0);
    ASSERT_EQ(other.begin(100), 0);
    dialogs.planAnswers({0, 0});
    EXPECT_FALSE(DatabaseDeletion(db, dir.path(), dialogs).run(now));
    other.rollback();
    ASSERT_EQ(dialogs.shown().size(), 3);
    EXPECT_TRUE(dialogs.shown()[2].text.startsWith("Error removing barmond.db.|Process stopped.|"));
    EXPECT_TRUE(dialogs.shown()[2].text.contains("The right copy of database is in folder |DB/Backup/20260309070504|"));
    EXPECT_EQ(tableCounts(db), before);
    EXPECT_TRUE(QFile::exists(dbPath("DB/Backup/20260309070504/barmond.db")));
}

} // namespace
