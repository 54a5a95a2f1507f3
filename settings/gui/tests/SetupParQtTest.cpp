// The parameter list SETUP_PAR and its form SETUP_PAR_UPD on a real database, with scripted
// answers: the list order and columns, insert with the duplicate refusal, change (unchanged,
// changed, changed meanwhile by another station), a lasting write error that cannot hold the form
// in its "try again?" question, delete, cancel after changes, the ditto key, and the parameters
// checked again when the list closes.

#include "global/Database.h"
#include "global/tests/support/RawDatabase.h"
#include "global/tests/support/TempDataDir.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "settings/CheckParameters.h"
#include "settings/gui/SetupParEditor.h"
#include "settings/gui/SetupParWindow.h"
#include "ui/form/RecordForm.h"
#include "ui/layout/LayoutStore.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace global;
using namespace settings;
using ui::FormRequest;
using ui::FormResponse;
using SetupParTable = Table<SetupParRecord>;

namespace {

const QString DuplicateText = QStringLiteral("Adding this record creates a duplicate entry for the key:Sort by name");
const QString NotUpdatedText = QStringLiteral(
    "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or "
    "Ctrl+' to recall your changes.");
const QString ConfirmDeleteText =
    QStringLiteral("You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.");
const QString TryAgainText =
    QStringLiteral("An error was experienced changing this record.  Do you want to try to save again?");

SetupParRecord parameter(const QString& techName, const QString& name, const QString& value)
{
    return SetupParRecord{techName, name, value};
}

QLineEdit* edit(ui::RecordForm& form, SetupParField field)
{
    return qobject_cast<QLineEdit*>(form.fieldWidget(int(field)));
}

int rowOf(SetupParWindow& window, const QString& techName)
{
    for (int row = 0; row < window.model().rowCount(); ++row)
        if (window.model().record(row).techName == techName)
            return row;
    return -1;
}

} // namespace

class SetupParQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;

    Database& db() { return *db_; }
    ScriptedDialogs& dialogs() { return scripted_->dialogs; }
    Services services() { return scripted_->context.services; }
    ui::WindowContext& context() { return scripted_->context; }

    std::optional<SetupParRecord> stored(const QString& techName)
    {
        SetupParTable table(db());
        SetupParRecord r;
        r.techName = techName;
        if (table.fetch(SetupParTable::ByTechName, r) != 0)
            return std::nullopt;
        return r;
    }

    void writeAsOtherStation(const SetupParRecord& record)
    {
        Database other = Database::atFile(db().filePath());
        QCOMPARE(other.open(), 0);
        SetupParTable table(other);
        SetupParRecord r = record;
        QCOMPARE(table.fetch(SetupParTable::ByTechName, r), 0);
        QCOMPARE(table.update(record), 0);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(db());
        glo() = Globals{};
        glo().sysCompName = scripted_->identity.computerName();
        SetupParEditor::forgetDitto();
    }

    void cleanup()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        QCOMPARE(dialogs().plannedLeft(), 0);
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    void listShowsEveryParameterInNameOrderWithThreeColumns()
    {
        QVERIFY(checkParameters(db(), context().services));
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("ZZ:LAST", "ABC", "1")), 0);   // names compare in upper case
        QCOMPARE(table.add(parameter("AA:FIRST", "abc", "2")), 0);  // then the technical name decides
        SetupParWindow window(context());
        auto& model = window.model();
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nazwa parametru"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Wartość"));
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nazwa techn."));
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names << model.data(model.index(row, 0), Qt::DisplayRole).toString();
        QCOMPARE(names, (QStringList{"abc", "ABC", "Drukuj informacje o kooperacji", "Jednostka miary", "Język programu",
                                     "Start procedury selekcji od ilości różnych długości > niż", "Szerokość piły"}));
        const int saw = rowOf(window, QStringLiteral("GLO:Saw_Width"));
        QCOMPARE(model.data(model.index(saw, 1), Qt::DisplayRole).toString(), QStringLiteral("5"));
        QCOMPARE(model.data(model.index(saw, 2), Qt::DisplayRole).toString(), QStringLiteral("GLO:Saw_Width"));

        // Typing positions the list by the name, without regard to case.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.list().setFocus();
        for (const QChar letter : QStringLiteral("jęz")) {   // typed as a keyboard would, Polish letters too
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
            QApplication::sendEvent(&window.list(), &press);
        }
        QCOMPARE(window.highlighted(), QStringLiteral("GLO:LANGUAGE"));
    }

    void insertAddsTheParameterAndRefusesADuplicate()
    {
        SetupParEditor editor(db(), services(), FormRequest::Insert, {});
        QVERIFY(editor.open());
        QCOMPARE(editor.title(), QStringLiteral("Dodawanie parametru  (New)"));
        editor.setField(SetupParField::TechName, "GLO:Extra");
        editor.setField(SetupParField::Name, "Dodatkowy");
        editor.setField(SetupParField::Value, "12");
        QVERIFY(editor.save());
        QCOMPARE(editor.response(), FormResponse::Done);
        QCOMPARE(stored("GLO:Extra")->value, QStringLiteral("12"));
        QVERIFY(dialogs().shown().isEmpty());

        SetupParEditor again(db(), services(), FormRequest::Insert, {});
        again.setField(SetupParField::TechName, "GLO:Extra");
        again.setField(SetupParField::Name, "Inna nazwa");
        QVERIFY(!again.save());   // the form stays open
        QCOMPARE(dialogs().shown().size(), 1);
        QCOMPARE(dialogs().shown()[0].text, DuplicateText);
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Duplicate Key Error"));
        QCOMPARE(stored("GLO:Extra")->name, QStringLiteral("Dodatkowy"));
        QCOMPARE(again.response(), FormResponse::Cancelled);
    }

    void changeWritesOnlyAChangedRecord()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:Saw_Width", "Szerokość piły", "5")), 0);
        SetupParEditor unchanged(db(), services(), FormRequest::Change, parameter("GLO:Saw_Width", "", ""));
        QVERIFY(unchanged.open());
        QCOMPARE(unchanged.title(), QStringLiteral("Zmiana parametru  (Szerokość piły)"));
        QCOMPARE(unchanged.field(SetupParField::Value), QStringLiteral("5"));
        QVERIFY(unchanged.save());
        QCOMPARE(unchanged.response(), FormResponse::Done);

        SetupParEditor changed(db(), services(), FormRequest::Change, parameter("GLO:Saw_Width", "", ""));
        QVERIFY(changed.open());
        changed.setField(SetupParField::Value, "3,5");
        QVERIFY(changed.save());
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("3,5"));
        QVERIFY(dialogs().shown().isEmpty());
    }

    void changeToAnExistingTechnicalNameIsRefused()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("A", "Pierwszy", "1")), 0);
        QCOMPARE(table.add(parameter("B", "Drugi", "2")), 0);
        SetupParEditor editor(db(), services(), FormRequest::Change, parameter("B", "", ""));
        QVERIFY(editor.open());
        editor.setField(SetupParField::TechName, "A");
        QVERIFY(!editor.save());
        QCOMPARE(dialogs().messages(), QStringList{DuplicateText});
        QCOMPARE(stored("B")->value, QStringLiteral("2"));
    }

    void changeByAnotherStationShowsItsValuesAndTheDittoKeyRecallsOwn()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:Saw_Width", "Szerokość piły", "5")), 0);

        SetupParEditor editor(db(), services(), FormRequest::Change, parameter("GLO:Saw_Width", "", ""));
        QVERIFY(editor.open());
        ui::RecordForm form(context(), editor);
        QCOMPARE(form.objectName(), QStringLiteral("SETUP_PAR_UPD"));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* value = edit(form, SetupParField::Value);
        QCOMPARE(value->maxLength(), 128);
        value->setText("4");
        writeAsOtherStation(parameter("GLO:Saw_Width", "Szerokość piły", "6"));

        form.pressOk();
        QVERIFY(form.isVisible());   // the form stays open
        QCOMPARE(dialogs().shown().size(), 1);
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Record Was Not Updated"));
        QCOMPARE(dialogs().shown()[0].text, NotUpdatedText);
        QCOMPARE(value->text(), QStringLiteral("6"));
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("6"));

        // Ctrl+' recalls the operator's own value; saving over the other station's record works.
        value->setFocus();
        QTest::keyClick(value, Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(value->text(), QStringLiteral("4"));
        value->setText("7");
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(editor.response(), FormResponse::Done);
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("7"));

        // Ctrl+' in a new form copies the field from the parameter saved last.
        SetupParEditor nextEditor(db(), services(), FormRequest::Insert, {});
        ui::RecordForm next(context(), nextEditor);
        next.show();
        QVERIFY(QTest::qWaitForWindowActive(&next));
        QLineEdit* nextValue = edit(next, SetupParField::Value);
        nextValue->setFocus();
        QTest::keyClick(nextValue, Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(nextValue->text(), QStringLiteral("7"));
        QVERIFY(edit(next, SetupParField::TechName)->text().isEmpty());
    }

    void aLastingWriteErrorEndsTheTryAgainQuestion()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:DEF_UOM", "Jednostka miary", "mm")), 0);
        testing_support::refuseWrites(db().connection(), QStringLiteral("refuse"), QStringLiteral("SETUP_PAR"),
                                      QStringLiteral("UPDATE"), {}, QStringLiteral("the disk is full"));
        SetupParEditor editor(db(), services(), FormRequest::Change, parameter("GLO:DEF_UOM", "", ""));
        QVERIFY(editor.open());
        editor.setField(SetupParField::Value, "cm");
        dialogs().planAnswers({0, 0});   // yes, and yes again: the third failure is not asked about
        QVERIFY(!editor.save());
        QCOMPARE(dialogs().messages().count(TryAgainText), 2);
        QVERIFY(dialogs().messages().last().contains(QStringLiteral("the disk is full")));
        QCOMPARE(stored("GLO:DEF_UOM")->value, QStringLiteral("mm"));
    }

    void deleteAsksFirst()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:Saw_Width", "Szerokość piły", "5")), 0);
        SetupParRecord record = parameter("GLO:Saw_Width", "Szerokość piły", "5");

        dialogs().planAnswers({1});
        QCOMPARE(runSetupParForm(context(), FormRequest::Delete, record), FormResponse::Cancelled);
        QVERIFY(stored("GLO:Saw_Width").has_value());
        QCOMPARE(dialogs().shown()[0].text, ConfirmDeleteText);
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Confirm Delete"));

        dialogs().planAnswers({0});
        QCOMPARE(runSetupParForm(context(), FormRequest::Delete, record), FormResponse::Done);
        QVERIFY(!stored("GLO:Saw_Width").has_value());
    }

    void cancelAsksOnlyAfterChanges()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:DEF_UOM", "Jednostka miary", "mm")), 0);
        SetupParEditor editor(db(), services(), FormRequest::Change, parameter("GLO:DEF_UOM", "", ""));
        QVERIFY(editor.open());
        QVERIFY(editor.cancel());
        QVERIFY(dialogs().shown().isEmpty());

        editor.setField(SetupParField::Value, "cm");
        dialogs().planAnswers({1});
        QVERIFY(!editor.cancel());
        QCOMPARE(dialogs().shown().last().text, QStringLiteral("Are you sure you want to cancel?"));
        dialogs().planAnswers({0});
        QVERIFY(editor.cancel());
        QCOMPARE(editor.response(), FormResponse::Cancelled);
        QCOMPARE(stored("GLO:DEF_UOM")->value, QStringLiteral("mm"));
    }

    void listWindowEditsThroughItsFormAndChecksTheParametersWhenClosed()
    {
        QVERIFY(checkParameters(db(), context().services));
        SetupParWindow window(context());
        QCOMPARE(window.windowTitle(), QStringLiteral("Parametry konfiguracyjne programu"));
        QCOMPARE(window.model().rowCount(), 5);
        QCOMPARE(scripted_->layouts.formatCount(), 1);   // the list's "&Default Format"
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Enter on the highlighted parameter opens the change form with its title.
        window.highlight(QStringLiteral("GLO:LANGUAGE"));
        QString seenTitle;
        QTimer::singleShot(0, [&seenTitle] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            seenTitle = form->windowTitle();
            edit(*form, SetupParField::Value)->setText(QStringLiteral("en"));
            form->pressOk();
        });
        QTest::keyClick(&window.list(), Qt::Key_Return);
        QCOMPARE(seenTitle, QStringLiteral("Zmiana parametru  (Język programu)"));
        QCOMPARE(window.highlighted(), QStringLiteral("GLO:LANGUAGE"));

        // Delete on a parameter, confirmed: the highlight goes to the one that took its place.
        window.highlight(QStringLiteral("GLO:Saw_Width"));
        dialogs().planAnswers({0});
        QTest::keyClick(&window.list(), Qt::Key_Delete);
        QCOMPARE(window.model().rowCount(), 4);
        QVERIFY(rowOf(window, QStringLiteral("GLO:Saw_Width")) < 0);
        QCOMPARE(window.highlighted(), QStringLiteral("GLO:Selection_Start"));   // the last one left

        glo().sawWidth = 99;
        window.button(QStringLiteral("CLOSE"))->click();
        QCOMPARE(glo().language, QStringLiteral("EN"));
        QCOMPARE(glo().sawWidth, 5u);   // recreated with its default
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("5"));
    }

    void englishTexts()
    {
        QTranslator english;
        QTranslator englishWindows;
        QVERIFY(english.load(QStringLiteral(":/i18n/settings_gui_en.qm")));
        QVERIFY(englishWindows.load(QStringLiteral(":/i18n/ui_en.qm")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::installTranslator(&englishWindows);
        {
            SetupParWindow window(context());
            QCOMPARE(window.windowTitle(), QStringLiteral("Program configuration parameters"));
            QCOMPARE(window.button(QStringLiteral("CLOSE"))->text(), QStringLiteral("&Close"));
            QCOMPARE(window.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                     QStringLiteral("Parameter name"));
            SetupParEditor editor(db(), services(), FormRequest::Insert, {});
            QCOMPARE(editor.title(), QStringLiteral("Adding a parameter  (New)"));
            ui::RecordForm form(context(), editor);
            QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("CANCEL"))->text(), QStringLiteral("&Cancel"));
        }
        QCoreApplication::removeTranslator(&englishWindows);
        QCoreApplication::removeTranslator(&english);
    }

    void changeAndDeleteNeedAHighlightedParameter()
    {
        SetupParWindow window(context());
        QCOMPARE(window.model().rowCount(), 0);
        QVERIFY(!window.button(QStringLiteral("CHANGE"))->isEnabled());
        QVERIFY(!window.button(QStringLiteral("DELETE"))->isEnabled());
        QVERIFY(window.button(QStringLiteral("INSERT"))->isEnabled());
    }
};

QTEST_MAIN(SetupParQtTest)
#include "SetupParQtTest.moc"
