// The desktop services: message boxes answer with the index of the pressed button, show "|" as a
// line break, and the clipboard keeps the text set.

#include "ui/qtservices/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using global::QtDialogs;

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
        global::QtClipboard clipboard;
        clipboard.setText(QStringLiteral("1200\t3\tPROFIL-A"));
        QCOMPARE(clipboard.text(), QStringLiteral("1200\t3\tPROFIL-A"));
    }
};

QTEST_MAIN(QtServicesQtTest)
#include "QtServicesQtTest.moc"
