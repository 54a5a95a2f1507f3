// Converting database files: a file of layout version 1 written by the earlier program, a file of
// the current version lacking columns or keys, and conversions that fail or are stopped midway.

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseLayout.h"
#include "global/LayoutConversion.h"
#include "global/Table.h"
#include "global/tests/support/RawDatabase.h"
#include "global/tests/support/TempDataDir.h"
#include "global/tests/support/Version1Database.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>

using namespace global;

namespace {

const QDateTime ConversionTime(QDate(2026, 1, 5), QTime(8, 0, 0));

using testing_support::RawDatabase;

QMap<QString, int> rowCounts(RawDatabase raw)
{
    QMap<QString, int> counts;
    for (const QString& table : Database::tableNames())
        counts[table] = raw.value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table));
    return counts;
}

// The field map's entries with their row numbers, in the order of them.
const QString FieldMapRows = QStringLiteral("SELECT \"ROW_ID\", \"TYPE\", \"INTERNAL_NAME\", \"EXTERNAL_NAME\", \"FORMULA\", "
                                            "\"DESCRIPTION\" FROM \"INTERFACE_MAP\" ORDER BY \"ROW_ID\"");

class LayoutConversionTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    RawDatabase raw() const { return RawDatabase(dir.path()); }
    QString backupFolder() const { return dir.filePath(QStringLiteral("DB/Backup_conv/20260105-080000")); }

    // The database of layout version 1 that the earlier program wrote, as this data directory's.
    void useVersion1File() { testing_support::useVersion1Database(dir.path(), QStringLiteral(LAYOUT_V1_DATABASE)); }
    void useNewFile()
    {
        Database db(dir.path());
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    }

    int convert(ConversionReport& report, QString* error = nullptr,
                std::function<bool(const QString&)> stageCheck = {})
    {
        Database db(dir.path());
        LayoutConversion conversion(db);
        conversion.setStageCheck(std::move(stageCheck));
        const int code = conversion.run(ConversionTime, report);
        if (error)
            *error = conversion.errorText();
        return code;
    }

    // The conversion fails with a message holding `problem`, and the database is as it was.
    void expectFailureChangesNothing(const QString& problem, std::function<bool(const QString&)> stageCheck = {})
    {
        const QStringList before = raw().everything();
        ConversionReport report;
        QString error;
        EXPECT_NE(convert(report, &error, std::move(stageCheck)), 0);
        EXPECT_TRUE(error.contains(problem)) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("bez zmian"))) << error.toStdString();
        EXPECT_EQ(raw().everything(), before);
        Database db(dir.path());
        EXPECT_EQ(db.open(), err::InvalidFile);
        EXPECT_TRUE(db.needsConversion());
    }
};

TEST_F(LayoutConversionTest, Version1FileIsRefusedNamingTheCommandAndNothingIsWritten)
{
    useVersion1File();
    const QByteArray before = RawDatabase::fingerprint(dir.path());
    {
        Database db(dir.path());
        EXPECT_EQ(db.open(), err::InvalidFile);
        EXPECT_TRUE(db.needsConversion());
        EXPECT_TRUE(db.openErrorText().contains(QStringLiteral("w wersji 1"))) << db.openErrorText().toStdString();
        EXPECT_TRUE(db.openErrorText().contains(QStringLiteral("barmond database convert"))) << db.openErrorText().toStdString();

        QString need;
        LayoutConversion conversion(db);
        EXPECT_EQ(conversion.inspect(need), 0);
        EXPECT_TRUE(need.contains(QStringLiteral("w wersji 1"))) << need.toStdString();
    }
    EXPECT_EQ(RawDatabase::fingerprint(dir.path()), before);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB/Backup_conv"))));
}

TEST_F(LayoutConversionTest, Version1FileConvertedToVersion2AfterItsCopyWithEveryRowKept)
{
    useVersion1File();
    const QMap<QString, int> before = rowCounts(raw());
    const QStringList originalMap = raw().rows(FieldMapRows);
    ASSERT_EQ(before.value(QStringLiteral("INTERFACE_MAP")), 7);
    ASSERT_GT(before.value(QStringLiteral("CUTS")), 0);

    ConversionReport report;
    QString error;
    ASSERT_EQ(convert(report, &error), 0) << error.toStdString();
    EXPECT_TRUE(report.converted);
    EXPECT_EQ(report.fromVersion, 1);
    EXPECT_EQ(report.toVersion, 2);
    EXPECT_TRUE(report.notes.isEmpty());
    // The step of version 1 and nothing else: the file and the server database were whole.
    EXPECT_EQ(report.changes, (QStringList{layoutSteps().first().description,
                                           QStringLiteral("typy mapowania pól zapisane wielkimi literami (1)")}));
    EXPECT_EQ(report.backupFile, QDir::toNativeSeparators(QDir(backupFolder()).filePath(QStringLiteral("barmond.db"))));

    // The copy, a database file also from a server, is the database as it was: version 1, the
    // same rows (which the program, opening it, would offer to convert again).
    {
        RawDatabase copy = RawDatabase::at(QDir::fromNativeSeparators(report.backupFile));
        EXPECT_FALSE(copy.onServer());
        EXPECT_EQ(copy.layoutVersion(), 1);
        EXPECT_EQ(copy.rows(FieldMapRows), originalMap);
        EXPECT_GT(copy.value(QStringLiteral("SELECT count(*) FROM \"INTERFACE_MAP\" WHERE \"TYPE\" <> upper(\"TYPE\")")), 0);
    }
    EXPECT_EQ(rowCounts(RawDatabase::at(QDir::fromNativeSeparators(report.backupFile))), before);
    {
        Database copy = Database::atFile(QDir::fromNativeSeparators(report.backupFile));
        EXPECT_EQ(copy.open(), err::InvalidFile);
        EXPECT_TRUE(copy.needsConversion());
    }

    // The converted database opens, holds every row, and stores types in upper case.
    EXPECT_EQ(rowCounts(raw()), before);
    Database db(dir.path());
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    {
        RawDatabase raw = this->raw();
        EXPECT_EQ(raw.layoutVersion(), 2);
        EXPECT_EQ(raw.rows(QStringLiteral("SELECT \"TYPE\", \"TYPE_UPPER\", \"INTERNAL_NAME\", \"EXTERNAL_NAME\" "
                                          "FROM \"INTERFACE_MAP\" WHERE \"INTERNAL_NAME\" = 'WEIGHT_UOM'")),
                  QStringList{QStringLiteral("CUTS|CUTS|WEIGHT_UOM|")});
        EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM \"INTERFACE_MAP\" WHERE \"TYPE\" <> upper(\"TYPE\")")), 0);
    }

    // Version 2 takes any number of formula-only entries of one type, and still refuses a filled
    // external name twice.
    Table<InterfaceMapRecord> map(db);
    const InterfaceMapRecord thirdFormulaOnly{QStringLiteral("CUTS"), QStringLiteral("PROF_DESCR"), QString(),
                                              QStringLiteral("PROFIL & ' opis'"), QString()};
    EXPECT_EQ(map.duplicateKey(thirdFormulaOnly), -1);
    EXPECT_EQ(map.add(thirdFormulaOnly), 0) << map.errorText().toStdString();
    const InterfaceMapRecord sameColumn{QStringLiteral("CUTS"), QStringLiteral("CODE"), QStringLiteral("Profil"), {}, {}};
    EXPECT_EQ(map.duplicateKey(sameColumn), int(Table<InterfaceMapRecord>::ByExt));
    EXPECT_EQ(map.add(sameColumn), err::DuplicateKey);

    // Converted once, the file is current: converting again (at the same second) copies nothing.
    ASSERT_EQ(convert(report, &error), 0) << error.toStdString();
    EXPECT_FALSE(report.converted);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("DB/Backup_conv"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
}

TEST_F(LayoutConversionTest, CurrentFileIsLeftAloneWithoutACopy)
{
    useNewFile();
    const QStringList before = raw().everything();
    ConversionReport report;
    ASSERT_EQ(convert(report), 0);
    EXPECT_FALSE(report.converted);
    EXPECT_EQ(report.fromVersion, Database::SchemaVersion);
    EXPECT_TRUE(report.backupFile.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB/Backup_conv"))));
    EXPECT_EQ(raw().everything(), before);
}

TEST_F(LayoutConversionTest, MissingColumnsAndKeysAreNamedThenAddedBackFromTheLayout)
{
    useNewFile();
    raw().exec({QStringLiteral("INSERT INTO \"CUTS\" (\"ID\", \"PCS\", \"LENGHT\") VALUES (1, 4, 1200)"),
                QStringLiteral("INSERT INTO \"ORDERS\" (\"ID\", \"NUMBER\", \"NUMBER_UPPER\") VALUES (7, 'zamówienie łąk', "
                               "'ZAMÓWIENIE ŁĄK')"),
                QStringLiteral("ALTER TABLE \"CUTS\" DROP COLUMN \"PCS\""),
                QStringLiteral("DROP INDEX \"ORDERS_BY_No\""),
                QStringLiteral("DROP INDEX \"ORDERS_Active_Orders\""),
                QStringLiteral("ALTER TABLE \"ORDERS\" DROP COLUMN \"NUMBER_UPPER\""),
                QStringLiteral("DROP INDEX \"INTERFACE_MAP_BY_EXT\""),
                QStringLiteral("CREATE UNIQUE INDEX \"INTERFACE_MAP_BY_EXT\" ON \"INTERFACE_MAP\" (\"TYPE\", \"EXTERNAL_NAME\")")});
    {
        Database db(dir.path());
        EXPECT_EQ(db.open(), err::InvalidFile);
        EXPECT_TRUE(db.needsConversion());
        const QString text = db.openErrorText();
        EXPECT_TRUE(text.contains(QStringLiteral("w tabeli CUTS brak pól: PCS"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("w tabeli ORDERS brak pól: NUMBER_UPPER"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("w tabeli INTERFACE_MAP klucze innego układu: INTERFACE_MAP_BY_EXT")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("barmond database convert"))) << text.toStdString();
    }

    ConversionReport report;
    QString error;
    ASSERT_EQ(convert(report, &error), 0) << error.toStdString();
    EXPECT_TRUE(report.converted);
    EXPECT_EQ(report.fromVersion, 2);
    EXPECT_TRUE(report.changes.contains(QStringLiteral("w tabeli CUTS dodano pola: PCS"))) << report.changes.join('\n').toStdString();
    EXPECT_TRUE(report.changes.contains(QStringLiteral("w tabeli INTERFACE_MAP odtworzono klucze: INTERFACE_MAP_BY_EXT")));
    EXPECT_TRUE(QFileInfo::exists(QDir(backupFolder()).filePath(QStringLiteral("barmond.db"))));

    Database db(dir.path());
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    RawDatabase raw = this->raw();
    // The piece is kept, its count back at the field's default; the shadow column holds the
    // number in upper case with its Polish letters, so the key compared without case finds the order.
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT \"ID\", \"LENGHT\", \"PCS\" FROM \"CUTS\"")), QStringList{QStringLiteral("1|1200|0")});
    Table<OrderRecord> orders(db);
    OrderRecord byNumber;
    byNumber.number = QStringLiteral("Zamówienie ŁąK");
    const QList<OrderRecord> found = orders.rows(Table<OrderRecord>::ActiveOrders, byNumber, 2);
    ASSERT_EQ(found.size(), 1) << orders.errorText().toStdString();
    EXPECT_EQ(found.first().id, 7u);
}

TEST_F(LayoutConversionTest, MissingTablesAreMadeWithTheirKeys)
{
    useVersion1File();
    raw().exec({QStringLiteral("DROP TABLE \"STATIONS\"")});
    ConversionReport report;
    QString error;
    ASSERT_EQ(convert(report, &error), 0) << error.toStdString();
    EXPECT_TRUE(report.changes.contains(QStringLiteral("utworzono tabelę STATIONS")));
    Database db(dir.path());
    EXPECT_EQ(db.open(), 0) << db.openErrorText().toStdString();
}

TEST_F(LayoutConversionTest, ExternalNamesThatUpperCasedTypesMakeEqualKeepOneEntryNamed)
{
    useVersion1File();
    // The key of version 1 compares types with their letter case: these pairs could coexist.
    const QString insert = QStringLiteral("INSERT INTO \"INTERFACE_MAP\" (\"ROW_ID\", \"TYPE\", \"TYPE_UPPER\", \"INTERNAL_NAME\", "
                                          "\"INTERNAL_NAME_UPPER\", \"EXTERNAL_NAME\", \"FORMULA\") VALUES ");
    raw().exec({insert + QStringLiteral("(101, 'cuts', 'CUTS', 'WEIGHT', 'WEIGHT', 'Ilość szt.', 'PCS * 2')"),
                insert + QStringLiteral("(102, 'Cuts', 'CUTS', 'CODE', 'CODE', 'Kod', '')"),
                insert + QStringLiteral("(103, 'CUTS', 'CUTS', 'EXT_ID', 'EXT_ID', 'Kod', '')")});
    const int entries = raw().value(QStringLiteral("SELECT count(*) FROM \"INTERFACE_MAP\""));

    ConversionReport report;
    QString error;
    ASSERT_EQ(convert(report, &error), 0) << error.toStdString();
    // The entry whose type was already in upper case keeps the name, though written later;
    // the other keeps its formula and is named in the report.
    EXPECT_EQ(raw().rows(QStringLiteral("SELECT \"INTERNAL_NAME\", \"EXTERNAL_NAME\", \"FORMULA\" FROM \"INTERFACE_MAP\" "
                                        "WHERE \"INTERNAL_NAME\" IN ('PCS', 'WEIGHT', 'CODE', 'EXT_ID') ORDER BY \"ROW_ID\"")),
              (QStringList{QStringLiteral("PCS|Ilość szt.|"), QStringLiteral("WEIGHT||PCS * 2"), QStringLiteral("CODE||"),
                           QStringLiteral("EXT_ID|Kod|")}));
    EXPECT_EQ(raw().value(QStringLiteral("SELECT count(*) FROM \"INTERFACE_MAP\"")), entries);
    ASSERT_EQ(report.notes.size(), 2);
    EXPECT_TRUE(report.notes.at(0).contains(QStringLiteral("cuts/WEIGHT"))) << report.notes.at(0).toStdString();
    EXPECT_TRUE(report.notes.at(0).contains(QStringLiteral("CUTS/PCS"))) << report.notes.at(0).toStdString();
    EXPECT_TRUE(report.notes.at(1).contains(QStringLiteral("Cuts/CODE"))) << report.notes.at(1).toStdString();
    EXPECT_TRUE(report.notes.at(1).contains(QStringLiteral("CUTS/EXT_ID"))) << report.notes.at(1).toStdString();
    EXPECT_TRUE(report.notes.at(1).contains(QStringLiteral("\"Kod\""))) << report.notes.at(1).toStdString();
}

TEST_F(LayoutConversionTest, AFailureMidwayLeavesTheFileAsItWas)
{
    useVersion1File();
    // Stopped after the field map was already rewritten inside the transaction.
    QStringList stages;
    expectFailureChangesNothing(QStringLiteral("przerwana"), [&stages](const QString& stage) {
        stages << stage;
        return stage != QStringLiteral("uzupełnienie");
    });
    EXPECT_EQ(stages, (QStringList{QStringLiteral("kopia"), QStringLiteral("wersja 1"), QStringLiteral("uzupełnienie")}));

    // A key that cannot be made again: two profiles of one code where the unique key was dropped.
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("DB/Backup_conv"))).removeRecursively());
    raw().exec({QStringLiteral("DROP INDEX \"PROFILES_By_Code\""),
                QStringLiteral("INSERT INTO \"PROFILES\" (\"ID\", \"PROFILE_CODE\", \"PROFILE_CODE_UPPER\") VALUES (901, 'x1', 'X1')"),
                QStringLiteral("INSERT INTO \"PROFILES\" (\"ID\", \"PROFILE_CODE\", \"PROFILE_CODE_UPPER\") VALUES (902, 'X1', 'X1')")});
    expectFailureChangesNothing(QStringLiteral("PROFILES_By_Code"));
    // The copy taken first holds the database as it was, both profiles of one code included.
    RawDatabase copy = RawDatabase::at(QDir(backupFolder()).filePath(QStringLiteral("barmond.db")));
    EXPECT_FALSE(copy.onServer());
    EXPECT_EQ(copy.value(QStringLiteral("SELECT count(*) FROM \"PROFILES\" WHERE \"ID\" IN (901, 902)")), 2);
}

TEST_F(LayoutConversionTest, NeverCopiesIntoAnExistingFolder)
{
    useVersion1File();
    ASSERT_TRUE(QDir().mkpath(backupFolder()));
    expectFailureChangesNothing(QStringLiteral("już istnieje"));
    EXPECT_TRUE(QDir(backupFolder()).isEmpty());
}

TEST_F(LayoutConversionTest, FilesOfOtherProgramsOrLaterVersionsAreNotConverted)
{
    QDir().mkpath(databaseFolder(dir.path()));
    raw().exec({QStringLiteral("CREATE TABLE \"SOMETHING\" (\"A\" INTEGER)")});
    ConversionReport report;
    QString error;
    EXPECT_EQ(convert(report, &error), err::InvalidFile);
    EXPECT_TRUE(error.contains(QStringLiteral("brak wersji"))) << error.toStdString();

    raw().setLayoutVersion(99);
    EXPECT_EQ(convert(report, &error), err::InvalidFile);
    EXPECT_TRUE(error.contains(QStringLiteral("wersji 99"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB/Backup_conv"))));
    Database db(dir.path());
    EXPECT_NE(db.open(), 0);
    EXPECT_FALSE(db.needsConversion());
}

TEST(LayoutOfVersion2, FieldMapKeyBindsOnlyFilledExternalNames)
{
    const TableSchema& map = TableDef<InterfaceMapRecord>::schema();
    const QList<IndexLayout> indexes = indexLayouts(map);
    ASSERT_EQ(indexes.size(), 2);
    EXPECT_EQ(indexes.at(1).name, QStringLiteral("INTERFACE_MAP_BY_EXT"));
    EXPECT_EQ(createIndexSql(map, indexes.at(1)),
              QStringLiteral("CREATE UNIQUE INDEX \"INTERFACE_MAP_BY_EXT\" ON \"INTERFACE_MAP\" (\"TYPE\", \"EXTERNAL_NAME\") "
                             "WHERE \"EXTERNAL_NAME\" <> ''"));
    EXPECT_TRUE(indexes.at(0).where.isEmpty());
}

} // namespace
