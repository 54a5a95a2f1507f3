// The stock-length form on a real database: its fields (the profile and, on a change, the length
// read-only; the flags as check boxes), insert with its log line and the existing length answered
// with 40, values outside their ranges keeping the form open, flags alone writing no log line, two
// stations saving one length (the second shown the current values, its own back with Ctrl+'),
// delete refused for a remnant of a cutting order, a failing write at any point closing the form
// with nothing stored, the modal entry point and the English texts.

#include "stock/gui/LengthForm.h"
#include "stock/gui/tests/support/StockWindowFixture.h"

#include "global/StockBooking.h"
#include "ui/form/RecordForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QTranslator>

using namespace global;
using stock::gui::LengthEditor;
using stock::gui::runLengthForm;
using ui::FormRequest;
using ui::FormResponse;

class LengthFormQtTest : public QObject, public stock_window_tests::StockWindowFixture {
    Q_OBJECT

    ProfileLengthRecord byId(uint32_t id)
    {
        ProfileLengthRecord r;
        r.id = id;
        return r;
    }

    // Another station books bars of the length into production.
    void otherStationBooks(uint32_t lengthId, int32_t pieces)
    {
        Database other = Database::atFile(db().filePath());
        QCOMPARE(other.open(), 0);
        Transaction tx(other, 2000);
        FixedIdentity elsewhere(QStringLiteral("jan"), QStringLiteral("HALA1"));
        StockBooking booking(other, StockOperation::CuttingOrderCreated, LogStamp::of(FixedClock(), elsewhere), 5);
        QCOMPARE(booking.begin(), 0);
        QCOMPARE(booking.move(lengthId, StockMove::inProduction(pieces)), 0);
        QCOMPARE(booking.finish(), 0);
        QCOMPARE(tx.commit(), 0);
    }

private slots:
    void init()
    {
        start();
        LengthEditor::forgetDitto();
        addProfile(4, QStringLiteral("KW-40"));
    }
    void cleanup() { finish(); }

    void theFormShowsTheProfileReadOnlyAndTheFlagsAsCheckBoxes()
    {
        const uint32_t id = addLength(4, 6000, 5, 2, -1);
        LengthEditor editor(db(), services(), FormRequest::Change, 0, byId(id));
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        QCOMPARE(form.windowTitle(), QStringLiteral("Edycja długości dostępnej dla profila"));
        auto* profile = qobject_cast<QLineEdit*>(form.fieldWidget(LengthEditor::ProfileCode));
        QVERIFY(profile && profile->isReadOnly());
        QCOMPARE(profile->text(), QStringLiteral("KW-40"));
        auto* lenght = qobject_cast<QLineEdit*>(form.fieldWidget(LengthEditor::Lenght));
        QVERIFY(lenght && lenght->isReadOnly());   // a change never moves the length
        QCOMPARE(lenght->text(), QStringLiteral("6000"));
        QCOMPARE(form.fieldText(LengthEditor::IncomStock), QStringLiteral("-1"));
        for (int flag : {LengthEditor::Hidden, LengthEditor::Unlimited, LengthEditor::BlockSelection, LengthEditor::Typical})
            QVERIFY(qobject_cast<QCheckBox*>(form.fieldWidget(flag)));
        QVERIFY(qobject_cast<QCheckBox*>(form.fieldWidget(LengthEditor::Typical))->isChecked());

        LengthEditor insert(db(), services(), FormRequest::Insert, 4, {});
        QVERIFY(insert.open());
        ui::RecordForm empty(context(), insert);
        QVERIFY(!qobject_cast<QLineEdit*>(empty.fieldWidget(LengthEditor::Lenght))->isReadOnly());
        QCOMPARE(empty.fieldText(LengthEditor::Lenght), QString());
        QCOMPARE(empty.fieldText(LengthEditor::IntStock), QStringLiteral("0"));
        QCOMPARE(empty.fieldText(LengthEditor::Typical), QStringLiteral("0"));
        empty.pressCancel();   // nothing typed: no question
        QCOMPARE(insert.response(), FormResponse::Cancelled);
    }

    void insertStoresTheLengthWithItsLineAndAnExistingOneComesBackWith40()
    {
        addLength(4, 3000, 3);
        LengthEditor editor(db(), services(), FormRequest::Insert, 4, {});
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        form.setFieldText(LengthEditor::Lenght, QStringLiteral("4500"));
        form.setFieldText(LengthEditor::IntStock, QStringLiteral("4"));
        form.setFieldText(LengthEditor::ExtStock, QStringLiteral("1"));
        qobject_cast<QCheckBox*>(form.fieldWidget(LengthEditor::Typical))->setChecked(true);
        form.pressOk();
        QCOMPARE(editor.response(), FormResponse::Done);
        QVERIFY(dialogs().shown().isEmpty());
        const ProfileLengthRecord added = editor.values();
        QCOMPARE(added.id, 2u);
        QCOMPARE(length(2)->intStock, 4);
        QCOMPARE(length(2)->extStock, 1u);
        QCOMPARE(length(2)->typicalLength, 1u);
        // The opening balance of the length found, then the insert, naming the new length.
        const QList<StockChangeRecord> lines = log();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].operationType, uint16_t(1));
        QCOMPARE(lines[1].changeIntStock, 4);
        QCOMPARE(lines[1].finalExtStock, 1);
        QCOMPARE(lines[1].profileIntStock, 9 + 18.0);
        QCOMPARE(lines[1].docId, 2u);
        QCOMPARE(lines[1].station, identity().computerName());

        LengthEditor again(db(), services(), FormRequest::Insert, 4, {});
        QVERIFY(again.open());
        again.setFieldText(LengthEditor::Lenght, QStringLiteral("3000"));
        again.setFieldText(LengthEditor::IntStock, QStringLiteral("77"));
        QVERIFY(again.save());
        QCOMPARE(again.response(), FormResponse::Duplicate);
        QCOMPARE(again.values().id, 1u);
        QCOMPARE(again.values().intStock, 3);
        QVERIFY(dialogs().messages().last().startsWith(QStringLiteral("Podana długość już istnieje")));
        QCOMPARE(log().size(), 2);
    }

    void valuesOutsideTheirRangesKeepTheFormOpenOnTheField()
    {
        const std::string before = snapshot();
        struct Typed {
            int field;
            const char* text;
        };
        const QList<Typed> wrong{{LengthEditor::Lenght, "0"},       {LengthEditor::Lenght, ""},
                                 {LengthEditor::ExtStock, "-1"},    {LengthEditor::IntStock, "abc"},
                                 {LengthEditor::IncomStock, "1,5"}, {LengthEditor::IntStock, "3000000000"}};
        for (const Typed& typed : wrong) {
            LengthEditor editor(db(), services(), FormRequest::Insert, 4, {});
            QVERIFY(editor.open());
            editor.setFieldText(LengthEditor::Lenght, QStringLiteral("2000"));
            editor.setFieldText(typed.field, QString::fromUtf8(typed.text));
            QVERIFY2(!editor.save(), typed.text);
            QCOMPARE(editor.focusField(), typed.field);
            QCOMPARE(editor.refusal(), stock::LengthRefusal::Input);
        }
        QCOMPARE(dialogs().shown().size(), wrong.size());
        QCOMPARE(snapshot(), before);

        // Own and in-production stock may be negative; thousands may be grouped.
        LengthEditor editor(db(), services(), FormRequest::Insert, 4, {});
        QVERIFY(editor.open());
        editor.setFieldText(LengthEditor::Lenght, QStringLiteral("12 000"));
        editor.setFieldText(LengthEditor::IntStock, QStringLiteral("-2"));
        editor.setFieldText(LengthEditor::IncomStock, QStringLiteral("-1"));
        QVERIFY(editor.save());
        QCOMPARE(editor.values().lenght, 12000u);
        QCOMPARE(editor.values().intStock, -2);
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void flagsAloneWriteNoLogLineAndACountChangeWritesOne()
    {
        const uint32_t id = addLength(4, 6000, 5);
        {
            LengthEditor editor(db(), services(), FormRequest::Change, 0, byId(id));
            QVERIFY(editor.open());
            editor.setFieldText(LengthEditor::Hidden, QStringLiteral("1"));
            editor.setFieldText(LengthEditor::BlockSelection, QStringLiteral("1"));
            editor.setFieldText(LengthEditor::Typical, QStringLiteral("0"));
            editor.setFieldText(LengthEditor::Lenght, QStringLiteral("1"));   // read-only: ignored
            QVERIFY(editor.save());
            QCOMPARE(editor.response(), FormResponse::Done);
        }
        QCOMPARE(length(id)->status, 1u);
        QCOMPARE(length(id)->blockSelection, uint16_t(1));
        QCOMPARE(length(id)->typicalLength, 0u);
        QCOMPARE(length(id)->lenght, 6000u);
        QVERIFY(log().isEmpty());

        LengthEditor editor(db(), services(), FormRequest::Change, 0, byId(id));
        QVERIFY(editor.open());
        editor.setFieldText(LengthEditor::IntStock, QStringLiteral("8"));
        QVERIFY(editor.save());
        QCOMPARE(log().size(), 2);   // the opening balance first
        QCOMPARE(log()[1].operationType, uint16_t(2));
        QCOMPARE(log()[1].changeIntStock, 3);
        QCOMPARE(log()[1].docId, id);
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void theSecondOfTwoStationsIsShownTheCurrentValuesAndGetsItsOwnBackWithDitto()
    {
        const uint32_t id = addLength(4, 6000, 5, 1);
        LengthEditor first(db(), services(), FormRequest::Change, 0, byId(id));
        QVERIFY(first.open());
        ui::RecordForm form(context(), first);

        otherStationBooks(id, -2);
        const std::string before = snapshot();
        form.setFieldText(LengthEditor::IntStock, QStringLiteral("9"));
        form.pressOk();
        QCOMPARE(first.refusal(), stock::LengthRefusal::ChangedElsewhere);
        QCOMPARE(snapshot(), before);
        QVERIFY(dialogs().messages().last().contains(QStringLiteral("w produkcji -2")));
        // The form now shows what is stored: nothing of the other station's booking is lost.
        QCOMPARE(form.fieldText(LengthEditor::IncomStock), QStringLiteral("-2"));
        QCOMPARE(form.fieldText(LengthEditor::IntStock), QStringLiteral("5"));
        form.fieldWidget(LengthEditor::IntStock)->setFocus();
        QCOMPARE(first.dittoText(LengthEditor::IntStock), QStringLiteral("9"));

        // Saving again from the current values writes the operator's count over them.
        form.setFieldText(LengthEditor::IntStock, first.dittoText(LengthEditor::IntStock));
        form.pressOk();
        QCOMPARE(first.response(), FormResponse::Done);
        QCOMPARE(length(id)->intStock, 9);
        QCOMPARE(length(id)->incomStock, -2);
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void aLengthChangedOnlyInItsFlagsElsewhereIsNotWrittenOver()
    {
        const uint32_t id = addLength(4, 6000, 5);
        LengthEditor mine(db(), services(), FormRequest::Change, 0, byId(id));
        QVERIFY(mine.open());
        LengthEditor theirs(db(), services(), FormRequest::Change, 0, byId(id));
        QVERIFY(theirs.open());
        theirs.setFieldText(LengthEditor::Hidden, QStringLiteral("1"));
        QVERIFY(theirs.save());
        mine.setFieldText(LengthEditor::BlockSelection, QStringLiteral("1"));
        QVERIFY(!mine.save());
        QCOMPARE(mine.refusal(), stock::LengthRefusal::ChangedElsewhere);
        QCOMPARE(length(id)->status, 1u);
        QCOMPARE(length(id)->blockSelection, uint16_t(0));
        QCOMPARE(mine.fieldText(LengthEditor::Hidden), QStringLiteral("1"));
    }

    void deleteIsRefusedForARemnantAndOtherwiseAskedAndDone()
    {
        const uint32_t bar = addLength(4, 6000, 5);
        const uint32_t remnant = addLength(4, 1200, 0, 0, 1);
        const uint32_t free = addLength(4, 3000, 2);
        Table<StockTransItemRecord> items(db());
        StockTransItemRecord item;
        item.idTrans = 1;
        item.profileLenghtId = bar;
        item.profileLenght = 6000;
        item.remnantId = remnant;
        QCOMPARE(items.addWithNewIdentifier(item), 0);

        const std::string before = snapshot();
        ProfileLengthRecord r = byId(remnant);
        QCOMPARE(runLengthForm(context(), FormRequest::Delete, 4, r), FormResponse::Cancelled);
        QVERIFY(dialogs().messages().last().startsWith(QStringLiteral("Ta długość profila występuje")));
        QCOMPARE(snapshot(), before);

        dialogs().planAnswers({1});   // "Nie"
        ProfileLengthRecord f = byId(free);
        QCOMPARE(runLengthForm(context(), FormRequest::Delete, 4, f), FormResponse::Cancelled);
        QCOMPARE(snapshot(), before);

        dialogs().planAnswers({0});
        QCOMPARE(runLengthForm(context(), FormRequest::Delete, 4, f), FormResponse::Done);
        QVERIFY(!length(free));
        QCOMPARE(log().last().operationType, uint16_t(3));
        QCOMPARE(log().last().changeIntStock, -2);
        QCOMPARE(log().last().docId, free);
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void aViewRequestIsNotServed()
    {
        const uint32_t id = addLength(4, 6000, 5);
        ProfileLengthRecord r = byId(id);
        QCOMPARE(runLengthForm(context(), FormRequest::View, 4, r), FormResponse::Cancelled);
        QCOMPARE(dialogs().messages(), QStringList{QStringLiteral("Action 4 not allowed in this procedure")});
    }

    // Every write of an insert and of a change fails once in turn: the form reports it, closes
    // without claiming success, and every table is as before.
    void aFailingWriteAtAnyPointClosesTheFormWithNothingStored()
    {
        const uint32_t id = addLength(4, 6000, 5, 2);
        for (const FormRequest request : {FormRequest::Insert, FormRequest::Change}) {
            const std::string before = snapshot();
            for (int n = 1;; ++n) {
                QVERIFY(n < 40);
                LengthEditor editor(db(), services(), request, 4, byId(id));
                QVERIFY(editor.open());
                editor.setFieldText(LengthEditor::Lenght, QStringLiteral("4000"));
                editor.setFieldText(LengthEditor::IntStock, QStringLiteral("3"));
                write_faults::failNthWrite(n);
                const bool closes = editor.save();
                write_faults::failNthWrite(0);
                QVERIFY(closes);
                if (editor.response() == FormResponse::Done)
                    break;
                QCOMPARE(editor.response(), FormResponse::Cancelled);
                QCOMPARE(editor.refusal(), stock::LengthRefusal::Storage);
                QVERIFY(!dialogs().messages().isEmpty());
                QVERIFY(snapshot() == before);
            }
            VERIFY_LOG_EXPLAINS_STOCK(*this);
        }
    }

    void theEntryPointShowsTheFormModallyAndAnswersWhetherItStored()
    {
        const uint32_t id = addLength(4, 6000, 5);
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QVERIFY(form->fieldWidget(LengthEditor::IntStock)->toolTip().startsWith(QStringLiteral("Internal stock")));
            form->setFieldText(LengthEditor::ExtStock, QStringLiteral("7"));
            form->pressOk();
        });
        QVERIFY(stock::gui::editStockLength(context(), FormRequest::Change, 4, id));
        QCOMPARE(length(id)->extStock, 7u);

        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            form->setFieldText(LengthEditor::ExtStock, QStringLiteral("8"));
            form->done(QDialog::Rejected);   // closed without saving
        });
        QVERIFY(!stock::gui::editStockLength(context(), FormRequest::Change, 4, id));
        QCOMPARE(length(id)->extStock, 7u);
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void theTextsAreEnglishWithTheEnglishTranslation()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/stock_lengths_en.qm")));
        QCoreApplication::installTranslator(&english);
        LengthEditor editor(db(), services(), FormRequest::Insert, 4, {});
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        const QString title = form.windowTitle();
        const QString prompt = QCoreApplication::translate("LengthForm", "Ilość w mag. zewn. [szt]");
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(title, QStringLiteral("Stock length of the profile"));
        QCOMPARE(prompt, QStringLiteral("External stock [pcs]"));
    }
};

QTEST_MAIN(LengthFormQtTest)
#include "LengthFormQtTest.moc"
