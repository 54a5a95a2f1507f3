// The heat-number form of a bar: only a change is served, an unchanged number closes without a
// write, a changed one is stored, a failed write asks whether to try again, another station's
// number is shown with one's own back on Ctrl+', and closing after a change asks whether to save.

#include "stock/gui/HeatNumberForm.h"
#include "stock/gui/tests/support/StockWindowFixture.h"

#include "ui/form/RecordForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTranslator>

using namespace global;
using stock::gui::HeatNumberEditor;
using ui::FormRequest;
using ui::FormResponse;

namespace {
const QString TryAgain = QStringLiteral("An error was experienced changing this record.  Do you want to try to save again?");
const QString SaveChanges = QStringLiteral("Do you want to save the changes to this record?");
} // namespace

class HeatNumberFormQtTest : public QObject, public stock_window_tests::StockWindowFixture {
    Q_OBJECT

    StockTransItemRecord addBar(const QString& heatNumber)
    {
        Table<StockTransItemRecord> bars(db());
        StockTransItemRecord bar;
        bar.idTrans = 3;
        bar.profileLenght = 6000;
        bar.profileLenghtId = 8;
        bar.heatNumber = heatNumber;
        if (bars.addWithNewIdentifier(bar) != 0)
            qFatal("cannot store a bar");
        return bar;
    }
    QString storedNumber(uint32_t id)
    {
        Table<StockTransItemRecord> bars(db());
        StockTransItemRecord bar;
        bar.id = id;
        bars.fetch(Table<StockTransItemRecord>::Auto, bar);
        return bar.heatNumber;
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void insertAndDeleteAreNotServed()
    {
        StockTransItemRecord bar = addBar(QStringLiteral("W-1"));
        QCOMPARE(stock::gui::runHeatNumberForm(context(), FormRequest::Insert, bar), FormResponse::Cancelled);
        QCOMPARE(stock::gui::runHeatNumberForm(context(), FormRequest::Delete, bar), FormResponse::Cancelled);
        QCOMPARE(dialogs().shown().size(), 2);
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Invalid Request"));
        QVERIFY(dialogs().shown()[0].text.startsWith(QStringLiteral("This procedure was called to insert a record")));
        QVERIFY(dialogs().shown()[1].text.startsWith(QStringLiteral("This procedure was called to delete a record")));
        QCOMPARE(storedNumber(bar.id), QStringLiteral("W-1"));
    }

    void anUnchangedNumberClosesWithoutAWriteAndAChangedOneIsStored()
    {
        StockTransItemRecord bar = addBar(QStringLiteral("W-1"));
        HeatNumberEditor unchanged(db(), services(), FormRequest::Change, bar);
        QVERIFY(unchanged.open());
        ui::RecordForm form(context(), unchanged);
        QCOMPARE(form.windowTitle(), QStringLiteral("Edycja numeru wytopu"));
        QCOMPARE(unchanged.note(), QStringLiteral("Record will be Changed"));
        QVERIFY(qobject_cast<QLineEdit*>(form.fieldWidget(HeatNumberEditor::BarLength))->isReadOnly());
        QCOMPARE(form.fieldText(HeatNumberEditor::BarLength), QStringLiteral("6000"));
        const std::string before = snapshot();
        form.pressOk();
        QCOMPARE(unchanged.response(), FormResponse::Cancelled);
        QCOMPARE(snapshot(), before);

        HeatNumberEditor changed(db(), services(), FormRequest::Change, bar);
        QVERIFY(changed.open());
        ui::RecordForm second(context(), changed);
        second.setFieldText(HeatNumberEditor::HeatNumber, QStringLiteral("W-2231"));
        second.pressOk();
        QCOMPARE(changed.response(), FormResponse::Done);
        QCOMPARE(storedNumber(bar.id), QStringLiteral("W-2231"));
        QVERIFY(dialogs().shown().isEmpty());
    }

    void aFailedWriteAsksWhetherToTryAgain()
    {
        const StockTransItemRecord bar = addBar(QString());
        {
            HeatNumberEditor editor(db(), services(), FormRequest::Change, bar);
            QVERIFY(editor.open());
            editor.setFieldText(HeatNumberEditor::HeatNumber, QStringLiteral("W-5"));
            dialogs().planAnswers({0});   // yes: the second attempt succeeds
            write_faults::failNthWrite(1);
            QVERIFY(editor.save());
            write_faults::failNthWrite(0);
            QCOMPARE(editor.response(), FormResponse::Done);
            QCOMPARE(dialogs().shown().last().text, TryAgain);
            QCOMPARE(storedNumber(bar.id), QStringLiteral("W-5"));
        }
        HeatNumberEditor editor(db(), services(), FormRequest::Change, bar);
        QVERIFY(editor.open());
        editor.setFieldText(HeatNumberEditor::HeatNumber, QStringLiteral("W-6"));
        dialogs().planAnswers({1});   // no: closes without saving
        write_faults::failNthWrite(1);
        QVERIFY(editor.save());
        write_faults::failNthWrite(0);
        QCOMPARE(editor.response(), FormResponse::Cancelled);
        QCOMPARE(storedNumber(bar.id), QStringLiteral("W-5"));
    }

    void anotherStationsNumberIsShownAndOnesOwnComesBackWithDitto()
    {
        const StockTransItemRecord bar = addBar(QStringLiteral("W-1"));
        HeatNumberEditor editor(db(), services(), FormRequest::Change, bar);
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        {
            Database other = Database::atFile(db().filePath());
            QCOMPARE(other.open(), 0);
            Table<StockTransItemRecord> bars(other);
            StockTransItemRecord theirs = bar;
            QCOMPARE(bars.fetch(Table<StockTransItemRecord>::Auto, theirs), 0);
            theirs.heatNumber = QStringLiteral("W-9");
            QCOMPARE(bars.update(theirs), 0);
        }
        form.setFieldText(HeatNumberEditor::HeatNumber, QStringLiteral("W-5"));
        form.pressOk();
        QCOMPARE(storedNumber(bar.id), QStringLiteral("W-9"));
        QCOMPARE(form.fieldText(HeatNumberEditor::HeatNumber), QStringLiteral("W-9"));
        QCOMPARE(editor.dittoText(HeatNumberEditor::HeatNumber), QStringLiteral("W-5"));
        form.setFieldText(HeatNumberEditor::HeatNumber, editor.dittoText(HeatNumberEditor::HeatNumber));
        form.pressOk();
        QCOMPARE(editor.response(), FormResponse::Done);
        QCOMPARE(storedNumber(bar.id), QStringLiteral("W-5"));
    }

    void closingAfterAChangeAsksWhetherToSave()
    {
        const StockTransItemRecord bar = addBar(QStringLiteral("W-1"));
        for (const int answer : {2, 1, 0}) {   // cancel: back to the field; no: dropped; yes: saved
            HeatNumberEditor editor(db(), services(), FormRequest::Change, bar);
            QVERIFY(editor.open());
            editor.setFieldText(HeatNumberEditor::HeatNumber, QStringLiteral("W-%1").arg(answer + 10));
            dialogs().planAnswers({answer});
            const bool closes = editor.cancel();
            QCOMPARE(dialogs().shown().last().text, SaveChanges);
            QCOMPARE(closes, answer != 2);
            QCOMPARE(editor.response(), answer == 0 ? FormResponse::Done : FormResponse::Cancelled);
            QCOMPARE(storedNumber(bar.id), answer == 0 ? QStringLiteral("W-10") : QStringLiteral("W-1"));
        }
    }

    void theEntryPointShowsTheNoteAndHandsBackTheStoredBar()
    {
        StockTransItemRecord bar = addBar(QStringLiteral("W-1"));
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            auto* note = form->findChild<QLabel*>(QStringLiteral("NOTE"));
            QVERIFY(note);
            QCOMPARE(note->text(), QStringLiteral("Record will be Changed"));
            form->setFieldText(HeatNumberEditor::HeatNumber, QStringLiteral("W-77"));
            form->pressOk();
        });
        QCOMPARE(stock::gui::runHeatNumberForm(context(), FormRequest::Change, bar), FormResponse::Done);
        QCOMPARE(bar.heatNumber, QStringLiteral("W-77"));
    }

    void theTextsAreEnglishWithTheEnglishTranslation()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/stock_lengths_en.qm")));
        QCoreApplication::installTranslator(&english);
        HeatNumberEditor editor(db(), services(), FormRequest::Change, addBar(QString()));
        const QString title = editor.title();
        const QString prompt = QCoreApplication::translate("HeatNumberForm", "Numer wytopu:");
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(title, QStringLiteral("Heat number"));
        QCOMPARE(prompt, QStringLiteral("Heat number:"));
    }
};

QTEST_MAIN(HeatNumberFormQtTest)
#include "HeatNumberFormQtTest.moc"
