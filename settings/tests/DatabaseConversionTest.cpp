// The program opening a database that needs converting: the question, and what each answer does.

#include "settings/DatabaseConversion.h"

#include "global/DataDirectory.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/RawDatabase.h"
#include "global/tests/support/TempDataDir.h"
#include "global/tests/support/Version1Database.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace global;
using testing_support::RawDatabase;

namespace {

class DatabaseConversionTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock{QDateTime(QDate(2026, 1, 5), QTime(8, 0, 0))};
    FixedIdentity identity;
    Services services{dialogs, clipboard, clock, identity};

    QString file() const { return databaseFile(dir.path()); }
    QString backupFolder() const { return dir.filePath(QStringLiteral("DB/Backup_conv")); }

    void useVersion1File() { testing_support::useVersion1Database(dir.path(), QStringLiteral(LAYOUT_V1_DATABASE)); }
    void runSql(const QString& sql) { RawDatabase(dir.path()).exec({sql}); }
    const ScriptedDialogs::Shown& question() const { return dialogs.shown().first(); }
};

TEST_F(DatabaseConversionTest, DecliningTheOfferRefusesTheFileAsBeforeAndWritesNothing)
{
    useVersion1File();
    const QByteArray before = RawDatabase::fingerprint(dir.path());
    dialogs.planAnswers({1});
    {
        Database db(dir.path());
        EXPECT_FALSE(settings::openOfferingConversion(db, services));
        EXPECT_FALSE(db.isOpen());
    }
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(question().buttons, (QStringList{QStringLiteral("Tak"), QStringLiteral("Nie")}));
    EXPECT_TRUE(question().text.contains(QStringLiteral("w wersji 1"))) << question().text.toStdString();
    EXPECT_TRUE(question().text.contains(QStringLiteral("DB/Backup_conv"))) << question().text.toStdString();
    EXPECT_TRUE(dialogs.shown().at(1).text.contains(QStringLiteral("barmond database convert")));
    EXPECT_EQ(RawDatabase::fingerprint(dir.path()), before);
    EXPECT_FALSE(QFileInfo::exists(backupFolder()));
}

TEST_F(DatabaseConversionTest, AcceptingTheOfferConvertsAfterTheCopyAndOpens)
{
    useVersion1File();
    dialogs.planAnswers({0});
    Database db(dir.path());
    ASSERT_TRUE(settings::openOfferingConversion(db, services)) << dialogs.messages().join('\n').toStdString();
    EXPECT_TRUE(db.isOpen());
    ASSERT_EQ(dialogs.shown().size(), 2);
    const QString report = dialogs.shown().at(1).text;
    EXPECT_TRUE(report.startsWith(QStringLiteral("Konwersja przebiegła pomyślnie: układ tabel w wersji 1 zmieniony na wersję 2")))
        << report.toStdString();
    const QString copy = QDir(backupFolder()).filePath(QStringLiteral("20260105-080000/barmond.db"));
    EXPECT_TRUE(report.contains(QDir::toNativeSeparators(copy))) << report.toStdString();
    EXPECT_TRUE(QFileInfo::exists(copy));
    Table<InterfaceMapRecord> map(db);
    EXPECT_EQ(map.count(Table<InterfaceMapRecord>::Auto), 7);

    // Opened again, the file is current: no question, no copy.
    dialogs.clear();
    Database again(dir.path());
    EXPECT_TRUE(settings::openOfferingConversion(again, services));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(QDir(backupFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
}

TEST_F(DatabaseConversionTest, AConversionThatFailsIsReportedAndTheFileStaysRefused)
{
    useVersion1File();
    runSql(QStringLiteral("DROP INDEX \"PROFILES_By_Code\""));
    runSql(QStringLiteral("INSERT INTO \"PROFILES\" (\"ID\", \"PROFILE_CODE\", \"PROFILE_CODE_UPPER\") "
                          "VALUES (901, 'P', 'P'), (902, 'p', 'P')"));
    dialogs.planAnswers({0});
    Database db(dir.path());
    EXPECT_FALSE(settings::openOfferingConversion(db, services));
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_TRUE(dialogs.shown().at(1).text.contains(QStringLiteral("PROFILES_By_Code"))) << dialogs.shown().at(1).text.toStdString();
    EXPECT_EQ(dialogs.shown().at(1).caption, QStringLiteral("Błąd bazy danych"));
    EXPECT_EQ(db.open(), err::InvalidFile);
    EXPECT_TRUE(db.needsConversion());
}

TEST_F(DatabaseConversionTest, FilesNoConversionCanMendAreRefusedWithoutAQuestion)
{
    if (testing_support::onTestServer())
        GTEST_SKIP() << "a file that is not a database is a matter of the database file";
    ASSERT_TRUE(QDir().mkpath(databaseFolder(dir.path())));
    QFile garbage(file());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("not a database\n").repeated(300));
    garbage.close();
    Database db(dir.path());
    EXPECT_FALSE(settings::openOfferingConversion(db, services));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().buttons.isEmpty());
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("nie jest bazą danych")));
}

} // namespace
