// The record form on its own, over a small table of the test: the responses 1, 2 and 40, the
// record re-read inside the transaction (89 with the current values shown, a record deleted
// meanwhile), the ditto key, the question before cancelling, a refused save leaving the table as it
// was, the bounded "try again?" question, an unplanned question failing, and the window.

#include "global/tests/support/RawDatabase.h"
#include "global/tests/support/TempDataDir.h"
#include "ui/browse/tests/support/PartTable.h"
#include "ui/form/RecordForm.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using ui::FormRequest;
using ui::FormResponse;

namespace {

const QString RecordWasNotUpdated = QStringLiteral("Record Was Not Updated");

// The form of a part: name and length; a length below 1 is refused on the length field.
class PartEditor : public ui::RecordEditor<PartRecord> {
public:
    PartEditor(global::Database& db, global::Services services, FormRequest request, const PartRecord& record)
        : RecordEditor(db, services, request, record, QStringLiteral("UpdPart"), "PartEditor")
    {
    }
    QString title() const override { return QStringLiteral("Część"); }
    bool answerExisting = false;

protected:
    QList<ui::FormField<PartRecord>> fields() const override
    {
        return {ui::textField("NAME", "Nazwa", 40, &PartRecord::name),
                {{QStringLiteral("LENGTH"), "Długość", 10, false},
                 [](const PartRecord& r) { return QString::number(r.length); },
                 [](PartRecord& r, const QString& text) { r.length = text.toUInt(); }}};
    }
    QString keyDescription(int key) const override
    {
        return key == PartTable::ByName ? QStringLiteral("Part name") : RecordEditor::keyDescription(key);
    }
    bool check(PartRecord& record) override
    {
        if (record.length >= 1)
            return true;
        refuse(QStringLiteral("Długość musi być większa od zera"), {}, 1);
        return false;
    }
    DuplicateAnswer onDuplicate(bool) const override
    {
        return answerExisting ? DuplicateAnswer::AnswerExisting : DuplicateAnswer::StayOpen;
    }
};

} // namespace

class RecordFormQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<global::Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;

    global::Database& db() { return *db_; }
    global::ScriptedDialogs& dialogs() { return scripted_->dialogs; }
    global::Services services() { return scripted_->context.services; }

    std::optional<PartRecord> stored(uint32_t id)
    {
        PartTable table(db());
        PartRecord r = parts::part(id, {});
        if (table.fetch(PartTable::Auto, r) != 0)
            return std::nullopt;
        return r;
    }

    // Every record of the table, as stored.
    QList<QVariantList> everything()
    {
        QList<QVariantList> rows;
        PartTable table(db());
        for (const PartRecord& r : table.rows(PartTable::Auto))
            rows << global::toStoredValues(r);
        return rows;
    }

    void writeAsOtherStation(uint32_t id, const std::function<void(PartRecord&)>& change)
    {
        global::Database other = global::Database::atFile(db().filePath());
        QCOMPARE(other.open(), 0);
        PartTable table(other);
        PartRecord r = parts::part(id, {});
        QCOMPARE(table.fetch(PartTable::Auto, r), 0);
        if (change) {
            change(r);
            QCOMPARE(table.update(r), 0);
        } else {
            QCOMPARE(table.remove(), 0);
        }
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<global::Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        QVERIFY(parts::create(db()));
        QVERIFY(parts::fill(db(), 5));
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(db());
        PartEditor::forgetDitto();
    }

    void cleanup()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        QCOMPARE(dialogs().plannedLeft(), 0);
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    void insertStoresTheRecordWithANewIdentifierAndAnswersDone()
    {
        PartEditor editor(db(), services(), FormRequest::Insert, {});
        QVERIFY(editor.open());
        editor.setFieldText(0, QStringLiteral("Kątownik"));
        editor.setFieldText(1, QStringLiteral("6000"));
        QVERIFY(editor.save());
        QCOMPARE(editor.response(), FormResponse::Done);
        QCOMPARE(editor.values().id, 6u);   // the highest identifier + 1, taken inside the transaction
        QCOMPARE(stored(6)->name, QStringLiteral("Kątownik"));
        QCOMPARE(stored(6)->length, 6000u);
        QVERIFY(dialogs().shown().isEmpty());
    }

    void aDuplicateStaysOpenOrAnswers40WithTheExistingRecord()
    {
        const QList<QVariantList> before = everything();
        PartEditor refused(db(), services(), FormRequest::Insert, {});
        refused.setFieldText(0, parts::nameOf(3).toUpper());   // the key compares without case
        refused.setFieldText(1, QStringLiteral("10"));
        QVERIFY(!refused.save());
        QCOMPARE(refused.response(), FormResponse::Cancelled);
        QCOMPARE(refused.focusField(), 0);
        QCOMPARE(dialogs().shown().size(), 1);
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Duplicate Key Error"));
        QCOMPARE(dialogs().shown()[0].text,
                 QStringLiteral("Adding this record creates a duplicate entry for the key:Part name"));
        QCOMPARE(scripted_->beeper.count(), 1);

        PartEditor answered(db(), services(), FormRequest::Insert, {});
        answered.answerExisting = true;
        answered.setFieldText(0, parts::nameOf(3));
        answered.setFieldText(1, QStringLiteral("10"));
        QVERIFY(answered.save());
        QCOMPARE(answered.response(), FormResponse::Duplicate);
        QCOMPARE(answered.values().id, 3u);   // the caller gets the existing record
        QCOMPARE(answered.values().length, 3u);
        QCOMPARE(everything(), before);
    }

    void aChangeIsCheckedAgainstTheRecordAsTheFormLoadedIt()
    {
        // Unchanged: nothing is written, not even over another station's change.
        PartEditor unchanged(db(), services(), FormRequest::Change, parts::part(2, {}));
        QVERIFY(unchanged.open());
        writeAsOtherStation(2, [](PartRecord& r) { r.length = 222; });
        QVERIFY(unchanged.save());
        QCOMPARE(unchanged.response(), FormResponse::Done);
        QCOMPARE(stored(2)->length, 222u);

        // Changed here and by another station meanwhile: 89, nothing written, the current values
        // shown, the operator's own recalled by the ditto key.
        PartEditor editor(db(), services(), FormRequest::Change, parts::part(4, {}));
        QVERIFY(editor.open());
        editor.setFieldText(1, QStringLiteral("4444"));
        writeAsOtherStation(4, [](PartRecord& r) { r.length = 4000; });
        QVERIFY(!editor.save());
        QCOMPARE(dialogs().shown().size(), 1);
        QCOMPARE(dialogs().shown()[0].caption, RecordWasNotUpdated);
        QCOMPARE(stored(4)->length, 4000u);
        QCOMPARE(editor.fieldText(1), QStringLiteral("4000"));
        QCOMPARE(editor.dittoText(1), QStringLiteral("4444"));
        QVERIFY(!editor.isChanged());

        // Saved again over the values now shown, it is written.
        editor.setFieldText(1, editor.dittoText(1));
        QVERIFY(editor.save());
        QCOMPARE(stored(4)->length, 4444u);
        QCOMPARE(editor.response(), FormResponse::Done);

        // A record deleted by another station cannot be changed.
        PartEditor gone(db(), services(), FormRequest::Change, parts::part(5, {}));
        QVERIFY(gone.open());
        gone.setFieldText(0, QStringLiteral("nowa"));
        writeAsOtherStation(5, {});
        QVERIFY(!gone.save());
        QCOMPARE(dialogs().messages().last(), QStringLiteral("Rekord TEST_PARTS 5 został usunięty na innym stanowisku. Zmiany niemożliwe."));
        QVERIFY(!stored(5).has_value());
    }

    void theFormsOwnCheckRefusesOnItsField()
    {
        const QList<QVariantList> before = everything();
        PartEditor editor(db(), services(), FormRequest::Change, parts::part(1, {}));
        QVERIFY(editor.open());
        editor.setFieldText(1, QStringLiteral("0"));
        QVERIFY(!editor.save());
        QCOMPARE(editor.focusField(), 1);
        QCOMPARE(dialogs().messages(), QStringList{QStringLiteral("Długość musi być większa od zera")});
        QCOMPARE(everything(), before);
    }

    void aRefusedSaveLeavesTheTableAsItWasAndTheQuestionEnds()
    {
        // Every write of the table fails, as a lasting fault of the storage would.
        for (const QString& event : {QStringLiteral("UPDATE"), QStringLiteral("DELETE")})
            testing_support::refuseWrites(db().connection(), QStringLiteral("refuse_") + event.toLower(),
                                          QStringLiteral("TEST_PARTS"), event, {}, QStringLiteral("refused by the test"));
        const QList<QVariantList> before = everything();

        PartEditor editor(db(), services(), FormRequest::Change, parts::part(2, {}));
        QVERIFY(editor.open());
        editor.setFieldText(0, QStringLiteral("Inna nazwa"));
        // "Try to save again?" – yes, every time it is asked.
        dialogs().planAnswers({0, 0});
        QVERIFY(!editor.save());
        QCOMPARE(editor.response(), FormResponse::Cancelled);
        QCOMPARE(everything(), before);
        const QStringList texts = dialogs().messages();
        QCOMPARE(texts.size(), ui::RecordEditorBase::MaxSaveAttempts);
        QCOMPARE(texts[0], QStringLiteral("An error was experienced changing this record.  Do you want to try to save again?"));
        QCOMPARE(dialogs().shown().last().caption, QStringLiteral("Process PUT Error"));
        QVERIFY(texts.last().contains(QStringLiteral("refused by the test")));

        // The delete: confirmed, refused twice, not asked a third time.
        dialogs().clear();
        dialogs().planAnswers({0, 0, 0});
        PartEditor deleting(db(), services(), FormRequest::Delete, parts::part(3, {}));
        QVERIFY(deleting.open());
        QVERIFY(!deleting.remove());
        QCOMPARE(dialogs().shown().size(), 1 + ui::RecordEditorBase::MaxSaveAttempts);
        QCOMPARE(everything(), before);
    }

    void deleteAsksAndRefusesARecordChangedMeanwhile()
    {
        PartEditor cancelled(db(), services(), FormRequest::Delete, parts::part(1, {}));
        QVERIFY(cancelled.open());
        dialogs().planAnswers({1});
        QVERIFY(!cancelled.remove());
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Confirm Delete"));
        QVERIFY(stored(1).has_value());

        PartEditor changed(db(), services(), FormRequest::Delete, parts::part(1, {}));
        QVERIFY(changed.open());
        writeAsOtherStation(1, [](PartRecord& r) { r.length = 11; });
        dialogs().planAnswers({0});
        QVERIFY(!changed.remove());
        QCOMPARE(dialogs().messages().last(),
                 QStringLiteral("Rekord TEST_PARTS 1 został zmieniony na innym stanowisku. Usunięcie niemożliwe."));
        QCOMPARE(stored(1)->length, 11u);

        PartEditor done(db(), services(), FormRequest::Delete, parts::part(1, {}));
        QVERIFY(done.open());
        dialogs().planAnswers({0});
        QVERIFY(done.remove());
        QCOMPARE(done.response(), FormResponse::Done);
        QVERIFY(!stored(1).has_value());
    }

    void cancelAsksOnlyAfterChanges()
    {
        PartEditor editor(db(), services(), FormRequest::Change, parts::part(2, {}));
        QVERIFY(editor.open());
        QVERIFY(editor.cancel());
        QVERIFY(dialogs().shown().isEmpty());
        editor.setFieldText(0, QStringLiteral("x"));
        dialogs().planAnswers({1});
        QVERIFY(!editor.cancel());
        QCOMPARE(dialogs().shown().last().text, QStringLiteral("Are you sure you want to cancel?"));
        dialogs().planAnswers({0});
        QVERIFY(editor.cancel());
        QCOMPARE(editor.response(), FormResponse::Cancelled);
        QCOMPARE(stored(2)->name, parts::nameOf(2));
    }

    void anUnplannedQuestionFailsTheTestAndIsAnsweredNo()
    {
        QStringList reported;
        global::ScriptedDialogs unplanned;
        unplanned.setUnplannedHandler([&reported](const QString& question) { reported << question; });
        global::Services s = services();
        global::Services withUnplanned{unplanned, s.clipboard, s.clock, s.identity};
        PartEditor editor(db(), withUnplanned, FormRequest::Delete, parts::part(2, {}));
        QVERIFY(editor.open());
        QVERIFY(!editor.remove());
        QCOMPARE(reported.size(), 1);
        QVERIFY(reported[0].startsWith(QStringLiteral("You've selected to delete")));
        QCOMPARE(unplanned.shown()[0].answer, 1);   // the last button: Cancel
        QVERIFY(stored(2).has_value());
    }

    void theWindowShowsTheFieldsStoresAndStaysOpenOnARefusal()
    {
        PartRecord record = parts::part(2, {});
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Część"));
            auto* name = qobject_cast<QLineEdit*>(form->fieldWidget(0));
            auto* length = qobject_cast<QLineEdit*>(form->fieldWidget(1));
            QCOMPARE(name->text(), parts::nameOf(2));
            QCOMPARE(name->maxLength(), 40);
            QCOMPARE(form->findChild<QPushButton*>(QStringLiteral("CANCEL"))->text(), QStringLiteral("&Anuluj"));
            length->setText(QStringLiteral("0"));
            form->pressOk();
            QVERIFY(form->isVisible());   // refused: the form stays open on the length
            QCOMPARE(form->editor().focusField(), 1);
            length->setText(QStringLiteral("2500"));
            form->pressOk();
            QVERIFY(!form->isVisible());
            checked = true;
        });
        QCOMPARE(ui::runRecordForm<PartEditor>(scripted_->context, FormRequest::Change, record), FormResponse::Done);
        QVERIFY(checked);
        QCOMPARE(record.length, 2500u);
        QCOMPARE(stored(2)->length, 2500u);
        QCOMPARE(dialogs().messages(), QStringList{QStringLiteral("Długość musi być większa od zera")});

        // Ctrl+' in the next form brings the field of the record saved last.
        PartEditor next(db(), services(), FormRequest::Insert, {});
        ui::RecordForm form(scripted_->context, next);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.fieldWidget(1)->setFocus();
        QTest::keyClick(form.fieldWidget(1), Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(form.fieldText(1), QStringLiteral("2500"));
        QVERIFY(form.fieldText(0).isEmpty());

        // The texts follow the language.
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/ui_en.qm")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("CANCEL"))->text(), QStringLiteral("&Cancel"));
        QCoreApplication::removeTranslator(&english);
        QCoreApplication::processEvents();
        form.fieldWidget(1)->setFocus();
        dialogs().planAnswers({0});   // "Are you sure you want to cancel?"
        form.pressCancel();
    }

    void aButtonOfTheFormsOwnClosesItOnlyWhenItsActionSaysSo()
    {
        PartEditor editor(db(), services(), FormRequest::Change, parts::part(3, {}));
        QVERIFY(editor.open());
        ui::RecordForm form(scripted_->context, editor);
        bool answer = false;
        int pressed = 0;
        QPushButton* own = form.addButton(QStringLiteral("RESET"), "Wyczyść", [&] {
            ++pressed;
            return answer;
        });
        QCOMPARE(form.button(QStringLiteral("RESET")), own);
        QCOMPARE(own->text(), QStringLiteral("Wyczyść"));
        QVERIFY(form.button(QStringLiteral("OK")) && form.button(QStringLiteral("CANCEL")));
        QVERIFY(!form.button(QStringLiteral("NONE")));
        form.show();
        own->click();
        QCOMPARE(pressed, 1);
        QVERIFY(form.isVisible());   // the action said no
        answer = true;
        own->click();
        QCOMPARE(pressed, 2);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void aDeleteRequestOnlyAsksAndAViewOnlyShows()
    {
        PartRecord record = parts::part(3, {});
        dialogs().planAnswers({0});
        QCOMPARE(ui::runRecordForm<PartEditor>(scripted_->context, FormRequest::Delete, record), FormResponse::Done);
        QVERIFY(!stored(3).has_value());

        PartRecord viewed = parts::part(4, {});
        QTimer::singleShot(0, this, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QVERIFY(qobject_cast<QLineEdit*>(form->fieldWidget(0))->isReadOnly());
            QVERIFY(!form->findChild<QPushButton*>(QStringLiteral("CANCEL"))->isVisible());
            form->pressOk();
        });
        QCOMPARE(ui::runRecordForm<PartEditor>(scripted_->context, FormRequest::View, viewed), FormResponse::Cancelled);

        PartRecord missing = parts::part(99, {});
        QCOMPARE(ui::runRecordForm<PartEditor>(scripted_->context, FormRequest::Change, missing), FormResponse::Cancelled);
        QCOMPARE(dialogs().shown().last().caption, QStringLiteral("Record Retrieval Error"));
    }
};

QTEST_MAIN(RecordFormQtTest)
#include "RecordFormQtTest.moc"
