// The join form of a cut piece: the fields following each other on leaving one (with the beeps of
// values beyond the piece), splitting 2 of 5 pieces at 50 %, at 33.3 % and at 100 %, the refusal of
// a piece in production, a failing write at any point, and the window's texts.

#include "stock/gui/PieceSectionsForm.h"
#include "stock/gui/tests/support/StockWindowFixture.h"

#include "ui/form/RecordForm.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

using namespace global;
using stock::gui::PieceSectionsEditor;
using ui::FormResponse;

class PieceSectionsFormQtTest : public QObject, public stock_window_tests::StockWindowFixture {
    Q_OBJECT

    global::CountingBeeper& beeper() { return static_cast<global::CountingBeeper&>(services().beeper); }

    CutRecord addPiece(uint32_t lenght, uint32_t pcs, uint16_t status = 1, uint32_t first = 0)
    {
        Table<CutRecord> cuts(db());
        CutRecord c;
        c.orderId = 2;
        c.orderProfileId = 4;
        c.profileId = 4;
        c.status = status;
        c.code = QStringLiteral("P-7");
        c.lenght = lenght;
        c.pcs = pcs;
        if (first > 0) {
            c.lenght1 = first;
            c.lenght2 = lenght - first;
            c.sectionPerc = 100.0 * first / lenght;
        }
        if (cuts.addWithNewIdentifier(c) != 0)
            qFatal("cannot store a piece");
        return c;
    }
    CutRecord piece(uint32_t id)
    {
        Table<CutRecord> cuts(db());
        CutRecord c;
        c.id = id;
        cuts.fetch(Table<CutRecord>::Auto, c);
        return c;
    }
    qint64 pieceRecords() { return Table<CutRecord>(db()).count(Table<CutRecord>::Auto); }

    // Types into a field of the window and leaves it.
    static void type(ui::RecordForm& form, int field, const QString& text)
    {
        form.setFieldText(field, text);
        form.leaveField(field);
    }

    // The join typed into the form for `pieces` of the record, saved.
    FormResponse splitThroughTheWindow(const CutRecord& record, int field, const QString& text, uint32_t pieces,
                                       CutRecord& stored)
    {
        PieceSectionsEditor editor(db(), services(), record);
        if (!editor.open())
            return FormResponse::Cancelled;
        ui::RecordForm form(context(), editor);
        type(form, field, text);
        type(form, PieceSectionsEditor::Pieces, QString::number(pieces));
        form.pressOk();
        stored = editor.stored();
        return editor.response();
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void eachFieldGivesTheOtherTwoOnLeavingItAndValuesBeyondThePieceClearThemWithABeep()
    {
        const CutRecord record = addPiece(1001, 5);
        PieceSectionsEditor editor(db(), services(), record);
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        QCOMPARE(form.windowTitle(), QStringLiteral("Podaj preferowany podział odcinka"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Percentage), QStringLiteral("0.00 %"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Pieces), QStringLiteral("5"));

        type(form, PieceSectionsEditor::Percentage, QStringLiteral("50"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::First), QStringLiteral("500"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Second), QStringLiteral("501"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Percentage), QStringLiteral("50.00 %"));
        type(form, PieceSectionsEditor::Second, QStringLiteral("1"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::First), QStringLiteral("1000"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Percentage), QStringLiteral("99.90 %"));
        QCOMPARE(beeper().count(), 0);

        type(form, PieceSectionsEditor::Percentage, QStringLiteral("120"));
        QCOMPARE(editor.sections(), stock::Sections{});
        QCOMPARE(beeper().count(), 1);
        type(form, PieceSectionsEditor::First, QStringLiteral("300"));
        type(form, PieceSectionsEditor::First, QStringLiteral("1002"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Second), QStringLiteral("0"));
        QCOMPARE(beeper().count(), 2);
        type(form, PieceSectionsEditor::Percentage, QStringLiteral("100"));   // a second section of 0: no split
        QCOMPARE(editor.sections(), stock::Sections{});
        QCOMPARE(beeper().count(), 2);

        type(form, PieceSectionsEditor::Pieces, QStringLiteral("9"));
        QCOMPARE(form.fieldText(PieceSectionsEditor::Pieces), QStringLiteral("5"));
        type(form, PieceSectionsEditor::Pieces, QStringLiteral("0"));
        QCOMPARE(editor.pieces(), 5u);
        QCOMPARE(beeper().count(), 4);
        type(form, PieceSectionsEditor::Pieces, QStringLiteral("2"));
        QCOMPARE(editor.pieces(), 2u);
    }

    void splittingTwoOfFivePiecesAtFiftyAtAThirdAndAtAHundredPercent()
    {
        const CutRecord five = addPiece(6000, 5);
        CutRecord stored;
        QCOMPARE(splitThroughTheWindow(five, PieceSectionsEditor::Percentage, QStringLiteral("50"), 2, stored),
                 FormResponse::Done);
        QCOMPARE(piece(five.id).pcs, 3u);
        QCOMPARE(piece(five.id).lenght1, 0u);
        QVERIFY(stored.id != five.id);
        QCOMPARE(piece(stored.id).pcs, 2u);
        QCOMPARE(piece(stored.id).lenght1, 3000u);
        QCOMPARE(piece(stored.id).lenght2, 3000u);
        QCOMPARE(piece(stored.id).code, QStringLiteral("P-7"));

        const CutRecord other = addPiece(6000, 5);
        QCOMPARE(splitThroughTheWindow(other, PieceSectionsEditor::Percentage, QStringLiteral("33,3"), 2, stored),
                 FormResponse::Done);
        QCOMPARE(piece(other.id).pcs, 3u);
        QCOMPARE(piece(stored.id).pcs, 2u);
        QCOMPARE(piece(stored.id).lenght1, 1997u);
        QCOMPARE(piece(stored.id).lenght2, 4003u);
        QCOMPARE(piece(stored.id).sectionPerc, 33.3);

        // 100 % leaves no second section: the two pieces lose the join, the other three keep it.
        const CutRecord joined = addPiece(6000, 5, 1, 2000);
        QCOMPARE(splitThroughTheWindow(joined, PieceSectionsEditor::Percentage, QStringLiteral("100"), 2, stored),
                 FormResponse::Done);
        QCOMPARE(piece(joined.id).pcs, 3u);
        QCOMPARE(piece(joined.id).lenght1, 2000u);
        QCOMPARE(piece(stored.id).pcs, 2u);
        QCOMPARE(piece(stored.id).lenght1, 0u);
        QCOMPARE(piece(stored.id).lenght2, 0u);
        QCOMPARE(piece(stored.id).sectionPerc, 0.0);
        QCOMPARE(pieceRecords(), 6);
        QVERIFY(dialogs().shown().isEmpty());
    }

    void theFieldTypedLastCountsWhenOkIsPressedWithoutLeavingIt()
    {
        const CutRecord record = addPiece(6000, 4);
        PieceSectionsEditor editor(db(), services(), record);
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        form.setFieldText(PieceSectionsEditor::First, QStringLiteral("2500"));
        form.pressOk();
        QCOMPARE(editor.response(), FormResponse::Done);
        QCOMPARE(piece(record.id).lenght2, 3500u);
        QCOMPARE(piece(record.id).pcs, 4u);
        QCOMPARE(pieceRecords(), 1);
    }

    void aPieceInProductionIsRefusedAndTheFormClosesWithNothingWritten()
    {
        const CutRecord record = addPiece(6000, 5, 2);
        const std::string before = snapshot();
        CutRecord stored;
        QCOMPARE(splitThroughTheWindow(record, PieceSectionsEditor::Percentage, QStringLiteral("50"), 2, stored),
                 FormResponse::Cancelled);
        QCOMPARE(snapshot(), before);
        QCOMPARE(dialogs().shown().size(), 1);
        QVERIFY(dialogs().messages()[0].contains(QStringLiteral("w produkcji")));

        // Fewer pieces stored now than the form read.
        const CutRecord open = addPiece(6000, 5);
        PieceSectionsEditor editor(db(), services(), open);
        QVERIFY(editor.open());
        editor.setFieldText(PieceSectionsEditor::Percentage, QStringLiteral("50"));
        QVERIFY(editor.leaveField(PieceSectionsEditor::Percentage));
        editor.setFieldText(PieceSectionsEditor::Pieces, QStringLiteral("4"));
        QVERIFY(editor.leaveField(PieceSectionsEditor::Pieces));
        {
            Table<CutRecord> cuts(db());
            CutRecord c = piece(open.id);
            QCOMPARE(cuts.fetch(Table<CutRecord>::Auto, c), 0);
            c.pcs = 3;
            QCOMPARE(cuts.update(c), 0);
        }
        const std::string now = snapshot();
        QVERIFY(editor.save());
        QCOMPARE(editor.response(), FormResponse::Cancelled);
        QCOMPARE(snapshot(), now);
    }

    void aFailingWriteAtAnyPointLeavesThePiecesAsTheyWere()
    {
        const CutRecord record = addPiece(6000, 5);
        const std::string before = snapshot();
        for (int n = 1;; ++n) {
            QVERIFY(n < 10);
            PieceSectionsEditor editor(db(), services(), record);
            QVERIFY(editor.open());
            editor.setFieldText(PieceSectionsEditor::Percentage, QStringLiteral("50"));
            editor.leaveField(PieceSectionsEditor::Percentage);
            editor.setFieldText(PieceSectionsEditor::Pieces, QStringLiteral("2"));
            editor.leaveField(PieceSectionsEditor::Pieces);
            write_faults::failNthWrite(n);
            QVERIFY(editor.save());
            write_faults::failNthWrite(0);
            if (editor.response() == FormResponse::Done) {
                QCOMPARE(n, 3);   // the lowered count and the new record
                break;
            }
            QCOMPARE(snapshot(), before);
        }
        QCOMPARE(pieceRecords(), 2);
        QCOMPARE(piece(record.id).pcs, 3u);
    }

    void theEntryPointShowsTheFormAndHandsBackTheRecordWithTheJoin()
    {
        CutRecord record = addPiece(6000, 5);
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            type(*form, PieceSectionsEditor::First, QStringLiteral("1000"));
            type(*form, PieceSectionsEditor::Pieces, QStringLiteral("1"));
            form->pressOk();
        });
        QCOMPARE(stock::gui::runPieceSectionsForm(context(), record), FormResponse::Done);
        QCOMPARE(record.pcs, 1u);
        QCOMPARE(record.lenght1, 1000u);
        QCOMPARE(piece(record.id).lenght2, 5000u);
    }

    void theTextsAreEnglishWithTheEnglishTranslation()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/stock_lengths_en.qm")));
        QCoreApplication::installTranslator(&english);
        PieceSectionsEditor editor(db(), services(), addPiece(6000, 5));
        QVERIFY(editor.open());
        const QString title = editor.title();
        const QString prompt = QCoreApplication::translate("PieceSectionsForm", "Ilość sztuk:");
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(title, QStringLiteral("Preferred split of the piece"));
        QCOMPARE(prompt, QStringLiteral("Number of pieces:"));
    }
};

QTEST_MAIN(PieceSectionsFormQtTest)
#include "PieceSectionsFormQtTest.moc"
