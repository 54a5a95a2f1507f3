// The cut import window IMPORTDB_CUTS: the workbook chosen through the file chooser and kept as the
// last one, the import run with the window as its progress, "Przerwij" and Esc stopping the work,
// and the bar that counts rows when their number is not known.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "orders/gui/CutImportWindow.h"
#include "orders/tests/support/CutWorkbooks.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace global;
using namespace orders;

class CutImportWindowQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<QTemporaryDir> books_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;

    template <class R>
    QList<R> all()
    {
        return Table<R>(*db_).rows(typename Table<R>::Key(0));
    }

private slots:
    void init()
    {
        glo() = Globals{};
        dir_ = std::make_unique<testing_support::TestDataDir>();
        books_ = std::make_unique<QTemporaryDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        testing_support::makeCutWorkbooks(books_->path());
        testing_support::addCutsMap(*db_);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(*db_);
    }

    void cleanup()
    {
        scripted_.reset();
        db_.reset();
        dir_.reset();
        books_.reset();
    }

    void theChosenWorkbookIsImportedAndKeptAsTheLastOne()
    {
        const QString book = books_->filePath(QStringLiteral("cuts.xlsx"));
        scripted_->userValues.setValue(QStringLiteral("LastInterfaceFile"), QStringLiteral("/dane/poprzedni.xlsx"));
        scripted_->files.planFiles({book});
        const CutImportSummary summary = runCutImport(scripted_->context);
        QVERIFY2(summary.written, qPrintable(summary.message));
        QCOMPARE(summary.cuts, 3);
        QCOMPARE(all<CutRecord>().size(), 3);
        QCOMPARE(scripted_->files.asked(), QStringList{"Wybierz plik Ms Excel"});
        QCOMPARE(scripted_->files.startPaths(), QStringList{"/dane/poprzedni.xlsx"});
        QCOMPARE(scripted_->userValues.value(QStringLiteral("LastInterfaceFile")), book);
        QCOMPARE(scripted_->dialogs.messages(), QStringList{summary.message});
        QCOMPARE(scripted_->progress.texts(), QStringList{});   // the window was the progress

        // Cancelling the choice does nothing at all.
        scripted_->dialogs.clear();
        scripted_->files.planFiles({QString()});
        QVERIFY(!runCutImport(scripted_->context).written);
        QVERIFY(scripted_->dialogs.messages().isEmpty());
        QCOMPARE(scripted_->userValues.value(QStringLiteral("LastInterfaceFile")), book);
    }

    void przerwijAndEscStopTheWork()
    {
        CutImportWindow window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Import listy odcinków"));
        QCOMPARE(window.cancelButton()->text(), QStringLiteral("Przerwij"));
        window.start(QStringLiteral("Import listy odcinków"), 40);
        QCOMPARE(window.stepLabel()->text(), QStringLiteral("Import listy odcinków"));
        QVERIFY(window.advance(10));
        QCOMPARE(window.bar()->value(), 10);
        QCOMPARE(window.bar()->maximum(), 40);
        QVERIFY(window.advance(55));   // rows beyond the last used one fill the bar
        QCOMPARE(window.bar()->value(), 40);
        QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
        QVERIFY(!window.advance(56));
        window.finish();

        // Once cancelled the window stays so: the next part of the work stops at once too.
        window.start(QStringLiteral("Zapis odcinków do bazy danych"), 10);
        QVERIFY(!window.advance(1));
        window.finish();

        // Esc while working cancels and keeps the window open; the bar counts 1 to 100 and starts
        // again when the number of steps is not known.
        CutImportWindow counting;
        counting.show();
        counting.start(QStringLiteral("Odczyt arkusza"), 0);
        QVERIFY(counting.advance(1));
        QCOMPARE(counting.bar()->value(), 2);
        QVERIFY(counting.advance(199));
        QCOMPARE(counting.bar()->value(), 100);
        QVERIFY(counting.advance(200));
        QCOMPARE(counting.bar()->value(), 1);
        QTest::keyClick(&counting, Qt::Key_Escape);
        QVERIFY(counting.isVisible());
        QVERIFY(!counting.advance(201));
        counting.finish();
        QTest::keyClick(&counting, Qt::Key_Escape);
        QVERIFY(!counting.isVisible());
    }

    void cancellingInTheWindowWritesNothing()
    {
        // The first step cancels: the window's own Cancel is pressed as soon as it shows.
        scripted_->files.planFiles({books_->filePath(QStringLiteral("cuts.ods"))});
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<CutImportWindow*>(w))
                    window->cancelButton()->click();
        });
        const CutImportSummary summary = runCutImport(scripted_->context);
        QVERIFY(!summary.written);
        QCOMPARE(scripted_->dialogs.messages(),
                 QStringList{"Import listy odcinków przerwany.|Nic nie zostało zapisane."});
        QVERIFY(all<CutRecord>().isEmpty());
        QVERIFY(all<OrderRecord>().isEmpty());
    }
};

QTEST_MAIN(CutImportWindowQtTest)
#include "CutImportWindowQtTest.moc"
