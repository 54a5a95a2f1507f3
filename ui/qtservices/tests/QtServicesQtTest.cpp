// The desktop services: message boxes answer with the index of the pressed button, show "|" as a
// line break; the clipboard keeps the text set; the file dialog returns the chosen file; the
// operator's values are kept in the user's settings of Tervox/Barmond; the progress window's
// Cancel reaches work on this thread and on a worker thread.

#include "ui/qtservices/QtPasswordPrompt.h"
#include "ui/qtservices/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

using ui::QtDialogs;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QStringList buttons;
};

// Once the next modal box is open, note what it shows and press the button with the given label
// (or Esc when the label is empty).
void answerNextBox(SeenBox* seen, const QString& press)
{
    QTimer::singleShot(0, [seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(seen, press);
            return;
        }
        seen->title = box->windowTitle();
        seen->text = box->text();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << b->text();
        if (press.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press)
                b->click();
    });
}

} // namespace

class QtServicesQtTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The user's own settings are left alone: values go to the test location.
        QStandardPaths::setTestModeEnabled(true);
    }

    void questionReturnsIndexOfPressedButton()
    {
        QtDialogs dialogs;
        SeenBox seen;
        answerNextBox(&seen, QStringLiteral("Nie"));
        const int answer = dialogs.ask(QStringLiteral("Czy kontynuować?|Druga linia"),
                                       {QStringLiteral(" Tak "), QStringLiteral(" Nie ")});
        QCOMPARE(answer, 1);
        QCOMPARE(seen.text, QStringLiteral("Czy kontynuować?\nDruga linia"));
        QCOMPARE(seen.title, QStringLiteral("Barmond"));
        QCOMPARE(seen.buttons.size(), 2);

        SeenBox first;
        answerNextBox(&first, QStringLiteral("Tak"));
        QCOMPARE(dialogs.ask(QStringLiteral("?"), {QStringLiteral("Tak"), QStringLiteral("Nie")}), 0);
    }

    void escapeAnswersWithTheLastButton()
    {
        QtDialogs dialogs;
        SeenBox seen;
        answerNextBox(&seen, QString());
        const int answer = dialogs.ask(QStringLiteral("Usunąć?"),
                                       {QStringLiteral("Tak"), QStringLiteral("Nie"), QStringLiteral("Anuluj")},
                                       QStringLiteral("Pytanie"));
        QCOMPARE(answer, 2);
        QCOMPARE(seen.title, QStringLiteral("Pytanie"));
    }

    void messageShowsOneButton()
    {
        QtDialogs dialogs;
        dialogs.setDefaultCaption(QStringLiteral("Optymalizacja"));
        SeenBox seen;
        answerNextBox(&seen, QStringLiteral("OK"));
        dialogs.message(QStringLiteral("Błąd|Numer błędu = 5"));
        QCOMPARE(seen.buttons.size(), 1);
        QCOMPARE(seen.text, QStringLiteral("Błąd\nNumer błędu = 5"));
        QCOMPARE(seen.title, QStringLiteral("Optymalizacja"));
    }

    void clipboardKeepsText()
    {
        ui::QtClipboard clipboard;
        clipboard.setText(QStringLiteral("1200\t3\tPROFIL-A"));
        QCOMPARE(clipboard.text(), QStringLiteral("1200\t3\tPROFIL-A"));
    }

    void fileDialogReturnsTheChosenFileOrNothing()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("zamowienie.xlsx"));
        QFile file(book);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ui::QtFileChooser files;
        QTimer::singleShot(0, [book] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Import odcinków"));
            dialog->selectFile(book);
            static_cast<QDialog*>(dialog)->accept();
        });
        QCOMPARE(files.openFile(QStringLiteral("Import odcinków"), dir.path(), QStringLiteral("Arkusze (*.xlsx)")), book);
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            static_cast<QDialog*>(QApplication::activeModalWidget())->reject();
        });
        QVERIFY(files.saveFile(QStringLiteral("Eksport"), dir.path(), {}).isEmpty());
    }

    void userValuesAreKeptForTheUserOfTervoxBarmond()
    {
        ui::QtUserValues values;
        QVERIFY(values.setValue(QStringLiteral("LastInterfaceFile"), QStringLiteral("/dane/cięcia.xlsx")));
        QCOMPARE(ui::QtUserValues().value(QStringLiteral("LastInterfaceFile")), QStringLiteral("/dane/cięcia.xlsx"));
        const QSettings settings(QSettings::UserScope, QStringLiteral("Tervox"), QStringLiteral("Barmond"));
        QCOMPARE(settings.value(QStringLiteral("LastInterfaceFile")).toString(), QStringLiteral("/dane/cięcia.xlsx"));
        QVERIFY(values.value(QStringLiteral("NeverStored")).isEmpty());
    }

    void progressCancelReachesTheWork()
    {
        ui::QtProgress progress;
        progress.start(QStringLiteral("Import"), 100);
        QVERIFY(progress.window());
        QCOMPARE(progress.window()->labelText(), QStringLiteral("Import"));
        QVERIFY(progress.advance(10));
        QCOMPARE(progress.window()->value(), 100);   // a tenth of the bar
        auto pressCancel = [&progress] { progress.window()->findChild<QPushButton*>()->click(); };
        QCOMPARE(progress.window()->findChild<QPushButton*>()->text(), QStringLiteral("Przerwij"));
        pressCancel();
        QVERIFY(!progress.advance(11));
        progress.finish();
        QVERIFY(!progress.window()->isVisible());

        // Work on a worker thread learns of the cancel without waiting for the window.
        progress.start(QStringLiteral("Eksport"), 0);
        QCoreApplication::processEvents();
        std::atomic<int> steps{0};
        std::atomic<bool> stopped{false};
        QThread* worker = QThread::create([&] {
            for (int i = 1; i <= 100000 && !stopped; ++i) {
                if (!progress.advance(i))
                    stopped = true;
                ++steps;
                QThread::usleep(100);
            }
        });
        worker->start();
        QTRY_VERIFY(steps > 10);
        pressCancel();
        QTRY_VERIFY(stopped.load());
        QVERIFY(worker->wait(5000));
        delete worker;
        QVERIFY(steps < 100000);
        progress.finish();
    }

    // The password field shows no letters; OK hands over what was typed, Esc cancels.
    void passwordPromptHidesTheTextAndReturnsItOnOk()
    {
        ui::QtPasswordPrompt prompt;
        QString seenText;
        QLineEdit::EchoMode seenMode = QLineEdit::Normal;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QInputDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            seenText = dialog->labelText();
            auto* field = dialog->findChild<QLineEdit*>();
            QVERIFY(field);
            seenMode = field->echoMode();
            QTest::keyClicks(field, QStringLiteral("tajne haslo 7"));
            QTest::keyClick(field, Qt::Key_Return);
        });
        QString password;
        QVERIFY(prompt.askPassword(QStringLiteral("Baza danych wymaga hasła.|Drugi wiersz"), password,
                                   QStringLiteral("Hasło do bazy danych")));
        QCOMPARE(password, QStringLiteral("tajne haslo 7"));
        QCOMPARE(seenText, QStringLiteral("Baza danych wymaga hasła.\nDrugi wiersz"));
        QCOMPARE(seenMode, QLineEdit::Password);

        QTimer::singleShot(0, [] {
            QTRY_VERIFY(qobject_cast<QInputDialog*>(QApplication::activeModalWidget()));
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        QString untouched = QStringLiteral("bez zmian");
        QVERIFY(!prompt.askPassword(QStringLiteral("Baza danych wymaga hasła."), untouched));
        QCOMPARE(untouched, QStringLiteral("bez zmian"));
    }
};

QTEST_MAIN(QtServicesQtTest)
#include "QtServicesQtTest.moc"
