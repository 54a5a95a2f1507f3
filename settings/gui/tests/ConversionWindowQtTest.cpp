// The conversion window over a current file (nothing to do, no copy), the kept file of layout
// version 1 and a current file missing a column and a key (converted after their copy), and the
// database test started from the menu with its report in a message.

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseLayout.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"
#include "global/tests/support/Version1Database.h"
#include "settings/gui/ConversionWindow.h"
#include "settings/gui/DatabaseTestRun.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace global;
using testing_support::TestDataDir;

class ConversionWindowQtTest : public QObject {
    Q_OBJECT

    static QStringList copies(const TestDataDir& dir)
    {
        return QDir(dir.filePath(QStringLiteral("DB/Backup_conv"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    static void convertAndCheck(const TestDataDir& dir, Database& db)
    {
        ui::ScriptedWindowContext scripted(db);
        settings::ConversionWindow window(scripted.context);
        QVERIFY(window.canConvert());
        auto* button = window.findChild<QPushButton*>(QStringLiteral("convertButton"));
        QVERIFY(button && button->isEnabled());
        QVERIFY2(window.stateText().contains(QStringLiteral("wymaga konwersji")), qPrintable(window.stateText()));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(window.stateText().startsWith(QStringLiteral("Konwersja przebiegła pomyślnie")), qPrintable(window.stateText()));
        QCOMPARE(scripted.dialogs.messages().size(), 1);
        QVERIFY(scripted.dialogs.messages().first().startsWith(QStringLiteral("Konwersja przebiegła pomyślnie")));
        QVERIFY(!button->isEnabled());
        QCOMPARE(copies(dir).size(), 1);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("DB/Backup_conv/%1/barmond.db").arg(copies(dir).first()))));
        QCOMPARE(db.open(), 0);
        // Opened again, the window has nothing left to do.
        settings::ConversionWindow again(scripted.context);
        QCOMPARE(again.stateText(), QStringLiteral("Struktura danych aktualna"));
        QCOMPARE(copies(dir).size(), 1);
    }

private slots:
    void aCurrentFileNeedsNothingAndGetsNoCopy()
    {
        TestDataDir dir;
        Database db(dir.path());
        QCOMPARE(db.open(), 0);
        ui::ScriptedWindowContext scripted(db);
        settings::ConversionWindow window(scripted.context);
        QCOMPARE(window.windowTitle(), QStringLiteral("Konwersja struktur bazy danych"));
        QCOMPARE(window.stateText(), QStringLiteral("Struktura danych aktualna"));
        QVERIFY(!window.canConvert());
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("convertButton"))->isEnabled());
        window.convert();
        QVERIFY(scripted.dialogs.messages().isEmpty());
        QVERIFY(copies(dir).isEmpty());
    }

    void theKeptVersion1FileIsConverted()
    {
        TestDataDir dir;
        testing_support::useVersion1Database(dir.path(), QStringLiteral(LAYOUT_V1_DATABASE));
        Database db(dir.path());
        QVERIFY(db.open() != 0);
        QVERIFY(db.needsConversion());
        convertAndCheck(dir, db);
    }

    void aFileMissingAColumnAndAKeyIsConverted()
    {
        TestDataDir dir;
        {
            Database db(dir.path());
            QCOMPARE(db.open(), 0);
            StockTransItemRecord bar;
            bar.idTrans = 4;
            bar.heatNumber = QStringLiteral("W-17");
            QCOMPARE(Table<StockTransItemRecord>(db).addWithNewIdentifier(bar), 0);
            QSqlQuery q(db.connection());
            QVERIFY(q.exec(QStringLiteral("DROP INDEX \"STOCK_TRANS_ITEMS_By_Print\"")));
            QVERIFY2(q.exec(QStringLiteral("ALTER TABLE \"STOCK_TRANS_ITEMS\" DROP COLUMN \"PRINT_ID\"")),
                     qPrintable(q.lastError().text()));
            const QString index = indexLayouts(TableDef<CutRecord>::schema()).first().name;
            QVERIFY2(q.exec(QStringLiteral("DROP INDEX \"%1\"").arg(index)), qPrintable(q.lastError().text()));
        }
        Database db(dir.path());
        QVERIFY(db.open() != 0);
        QVERIFY(db.needsConversion());
        convertAndCheck(dir, db);
        const QList<StockTransItemRecord> bars = Table<StockTransItemRecord>(db).rows(Table<StockTransItemRecord>::Auto);
        QCOMPARE(bars.size(), 1);
        QCOMPARE(bars.first().heatNumber, QStringLiteral("W-17"));
        QCOMPARE(bars.first().printId, 0u);
    }

    void theDatabaseTestReportsInAMessage()
    {
        TestDataDir dir;
        Database db(dir.path());
        QCOMPARE(db.open(), 0);
        ui::ScriptedWindowContext scripted(db);
        QVERIFY(settings::testDatabase(scripted.context, nullptr));
        QCOMPARE(scripted.dialogs.messages(), QStringList{QStringLiteral("Błędów nie znaleziono")});
        QCOMPARE(scripted.dialogs.shown().first().caption, QStringLiteral("Test bazy danych"));

        CutRecord orphan;
        orphan.orderId = 8;
        orphan.orderProfileId = 3;
        orphan.profileId = 5;
        orphan.lenght = 900;
        orphan.pcs = 1;
        QCOMPARE(Table<CutRecord>(db).addWithNewIdentifier(orphan), 0);
        scripted.dialogs.clear();
        QVERIFY(settings::testDatabase(scripted.context, nullptr));
        QCOMPARE(scripted.dialogs.messages().first(),
                 QStringLiteral("Odtworzone rekordy:||Zamówienia = 1|Profile = 1|Zamówienia-Profile = 1"));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("DB/Backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
    }
};

QTEST_MAIN(ConversionWindowQtTest)
#include "ConversionWindowQtTest.moc"
