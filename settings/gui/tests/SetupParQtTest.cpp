// The parameter list SETUP_PAR and its form SETUP_PAR_UPD on a real database, with scripted
// answers: the list order and columns, insert with the duplicate refusal, change (unchanged,
// changed, changed meanwhile by another station), delete, cancel after changes, the ditto key,
// and the parameters checked again when the list closes.

#include "settings/CheckParameters.h"
#include "settings/gui/SetupParEditor.h"
#include "settings/gui/SetupParForm.h"
#include "settings/gui/SetupParListModel.h"
#include "settings/gui/SetupParWindow.h"
#include "ui/layout/LayoutStore.h"

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace global;
using namespace settings;
using SetupParTable = Table<SetupParRecord>;

namespace {

const QString DuplicateText = QStringLiteral("Adding this record creates a duplicate entry for the key:Sort by name");
const QString NotUpdatedText = QStringLiteral(
    "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or "
    "Ctrl+' to recall your changes.");
const QString ConfirmDeleteText =
    QStringLiteral("You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.");

SetupParRecord parameter(const QString& techName, const QString& name, const QString& value)
{
    return SetupParRecord{techName, name, value};
}

} // namespace

class SetupParQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Database> db_;
    ScriptedDialogs dialogs_;
    MemoryClipboard clipboard_;
    FixedClock clock_;
    FixedIdentity identity_;

    Services services() { return Services{dialogs_, clipboard_, clock_, identity_}; }
    Database& db() { return *db_; }

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
        dir_ = std::make_unique<QTemporaryDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        dialogs_ = ScriptedDialogs{};
        glo() = Globals{};
        glo().sysCompName = identity_.computerName();
        SetupParEditor::forgetLastSaved();
    }

    void cleanup()
    {
        db_.reset();
        dir_.reset();
    }

    void listShowsEveryParameterInNameOrderWithThreeColumns()
    {
        QVERIFY(checkParameters(db(), *std::make_unique<Services>(services())));
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("ZZ:LAST", "ABC", "1")), 0);   // names compare in upper case
        QCOMPARE(table.add(parameter("AA:FIRST", "abc", "2")), 0);  // then the technical name decides
        SetupParListModel model(db());
        QCOMPARE(model.reload(), 0);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nazwa parametru"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Wartość"));
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nazwa techn."));
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names << model.data(model.index(row, 0), Qt::DisplayRole).toString();
        QCOMPARE(names, (QStringList{"abc", "ABC", "Drukuj informacje o kooperacji", "Jednostka miary", "Język programu",
                                     "Start procedury selekcji od ilości różnych długości > niż", "Szerokość piły"}));
        const int saw = model.rowOf(QStringLiteral("GLO:Saw_Width"));
        QCOMPARE(model.data(model.index(saw, 1), Qt::DisplayRole).toString(), QStringLiteral("5"));
        QCOMPARE(model.data(model.index(saw, 2), Qt::DisplayRole).toString(), QStringLiteral("GLO:Saw_Width"));
    }

    void insertAddsTheParameterAndRefusesADuplicate()
    {
        SetupParEditor editor(db(), dialogs_, FormRequest::Insert, {});
        QVERIFY(editor.open());
        QCOMPARE(editor.title(), QStringLiteral("Dodawanie parametru  (New)"));
        editor.setField(SetupParField::TechName, "GLO:Extra");
        editor.setField(SetupParField::Name, "Dodatkowy");
        editor.setField(SetupParField::Value, "12");
        QVERIFY(editor.save());
        QCOMPARE(editor.response(), FormResponse::Done);
        QCOMPARE(stored("GLO:Extra")->value, QStringLiteral("12"));
        QVERIFY(dialogs_.shown().isEmpty());

        SetupParEditor again(db(), dialogs_, FormRequest::Insert, {});
        again.setField(SetupParField::TechName, "GLO:Extra");
        again.setField(SetupParField::Name, "Inna nazwa");
        QVERIFY(!again.save());   // the form stays open
        QCOMPARE(dialogs_.shown().size(), 1);
        QCOMPARE(dialogs_.shown()[0].text, DuplicateText);
        QCOMPARE(dialogs_.shown()[0].caption, QStringLiteral("Duplicate Key Error"));
        QCOMPARE(stored("GLO:Extra")->name, QStringLiteral("Dodatkowy"));
        QCOMPARE(again.response(), FormResponse::Cancelled);
    }

    void changeWritesOnlyAChangedRecord()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:Saw_Width", "Szerokość piły", "5")), 0);
        SetupParEditor unchanged(db(), dialogs_, FormRequest::Change, parameter("GLO:Saw_Width", "", ""));
        QVERIFY(unchanged.open());
        QCOMPARE(unchanged.title(), QStringLiteral("Zmiana parametru  (Szerokość piły)"));
        QCOMPARE(unchanged.field(SetupParField::Value), QStringLiteral("5"));
        QVERIFY(unchanged.save());
        QCOMPARE(unchanged.response(), FormResponse::Done);

        SetupParEditor changed(db(), dialogs_, FormRequest::Change, parameter("GLO:Saw_Width", "", ""));
        QVERIFY(changed.open());
        changed.setField(SetupParField::Value, "3,5");
        QVERIFY(changed.save());
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("3,5"));
        QVERIFY(dialogs_.shown().isEmpty());
    }

    void changeToAnExistingTechnicalNameIsRefused()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("A", "Pierwszy", "1")), 0);
        QCOMPARE(table.add(parameter("B", "Drugi", "2")), 0);
        SetupParEditor editor(db(), dialogs_, FormRequest::Change, parameter("B", "", ""));
        QVERIFY(editor.open());
        editor.setField(SetupParField::TechName, "A");
        QVERIFY(!editor.save());
        QCOMPARE(dialogs_.messages(), QStringList{DuplicateText});
        QCOMPARE(stored("B")->value, QStringLiteral("2"));
    }

    void changeByAnotherStationShowsItsValuesAndTheDittoKeyRecallsOwn()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:Saw_Width", "Szerokość piły", "5")), 0);

        SetupParForm form(db(), dialogs_, FormRequest::Change, parameter("GLO:Saw_Width", "", ""));
        QVERIFY(form.opened());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* value = form.fieldEdit(SetupParField::Value);
        value->setText("4");
        writeAsOtherStation(parameter("GLO:Saw_Width", "Szerokość piły", "6"));

        form.pressOk();
        QVERIFY(form.isVisible());   // the form stays open
        QCOMPARE(dialogs_.shown().size(), 1);
        QCOMPARE(dialogs_.shown()[0].caption, QStringLiteral("Record Was Not Updated"));
        QCOMPARE(dialogs_.shown()[0].text, NotUpdatedText);
        QCOMPARE(value->text(), QStringLiteral("6"));
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("6"));

        // Ctrl+' recalls the operator's own value; saving over the other station's record works.
        value->setFocus();
        QTest::keyClick(value, Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(value->text(), QStringLiteral("4"));
        value->setText("7");
        form.pressOk();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.editor().response(), FormResponse::Done);
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("7"));

        // Ctrl+' in a new form copies the field from the parameter saved last.
        SetupParForm next(db(), dialogs_, FormRequest::Insert, {});
        next.show();
        QVERIFY(QTest::qWaitForWindowActive(&next));
        QLineEdit* nextValue = next.fieldEdit(SetupParField::Value);
        nextValue->setFocus();
        QTest::keyClick(nextValue, Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(nextValue->text(), QStringLiteral("7"));
        QVERIFY(next.fieldEdit(SetupParField::TechName)->text().isEmpty());
        next.editor().setField(SetupParField::Value, QString());
    }

    void deleteAsksFirst()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:Saw_Width", "Szerokość piły", "5")), 0);
        SetupParRecord record = parameter("GLO:Saw_Width", "Szerokość piły", "5");

        dialogs_.planAnswers({1});
        QCOMPARE(SetupParForm::run(db(), dialogs_, FormRequest::Delete, record), FormResponse::Cancelled);
        QVERIFY(stored("GLO:Saw_Width").has_value());
        QCOMPARE(dialogs_.shown()[0].text, ConfirmDeleteText);
        QCOMPARE(dialogs_.shown()[0].caption, QStringLiteral("Confirm Delete"));

        dialogs_.planAnswers({0});
        QCOMPARE(SetupParForm::run(db(), dialogs_, FormRequest::Delete, record), FormResponse::Done);
        QVERIFY(!stored("GLO:Saw_Width").has_value());
    }

    void cancelAsksOnlyAfterChanges()
    {
        SetupParTable table(db());
        QCOMPARE(table.add(parameter("GLO:DEF_UOM", "Jednostka miary", "mm")), 0);
        SetupParEditor editor(db(), dialogs_, FormRequest::Change, parameter("GLO:DEF_UOM", "", ""));
        QVERIFY(editor.open());
        QVERIFY(editor.cancel());
        QVERIFY(dialogs_.shown().isEmpty());

        editor.setField(SetupParField::Value, "cm");
        dialogs_.planAnswers({1});
        QVERIFY(!editor.cancel());
        QCOMPARE(dialogs_.shown().last().text, QStringLiteral("Are you sure you want to cancel?"));
        dialogs_.planAnswers({0});
        QVERIFY(editor.cancel());
        QCOMPARE(editor.response(), FormResponse::Cancelled);
        QCOMPARE(stored("GLO:DEF_UOM")->value, QStringLiteral("mm"));
    }

    void listWindowEditsThroughItsFormAndChecksTheParametersWhenClosed()
    {
        Services s = services();
        QVERIFY(checkParameters(db(), s));
        layout::MemoryLayoutStore formats;
        SetupParWindow window(db(), s, QString(), &formats);
        QCOMPARE(window.windowTitle(), QStringLiteral("Parametry konfiguracyjne programu"));
        QCOMPARE(window.model().rowCount(), 5);
        QCOMPARE(formats.formatCount(), 1);   // the list's "&Default Format"
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Enter on the highlighted parameter opens the change form with its title.
        window.highlight(QStringLiteral("GLO:LANGUAGE"));
        QString seenTitle;
        QTimer::singleShot(0, [&seenTitle] {
            auto* form = qobject_cast<SetupParForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            seenTitle = form->windowTitle();
            form->fieldEdit(SetupParField::Value)->setText(QStringLiteral("en"));
            form->pressOk();
        });
        QTest::keyClick(&window.list(), Qt::Key_Return);
        QCOMPARE(seenTitle, QStringLiteral("Zmiana parametru  (Język programu)"));
        QCOMPARE(window.highlighted(), QStringLiteral("GLO:LANGUAGE"));

        // Delete on a parameter, confirmed.
        window.highlight(QStringLiteral("GLO:Saw_Width"));
        dialogs_.planAnswers({0});
        QTest::keyClick(&window.list(), Qt::Key_Delete);
        QCOMPARE(window.model().rowCount(), 4);
        QVERIFY(window.model().rowOf(QStringLiteral("GLO:Saw_Width")) < 0);

        glo().sawWidth = 99;
        window.findChild<QPushButton*>(QStringLiteral("CLOSE"))->click();
        QCOMPARE(glo().language, QStringLiteral("EN"));
        QCOMPARE(glo().sawWidth, 5u);   // recreated with its default
        QCOMPARE(stored("GLO:Saw_Width")->value, QStringLiteral("5"));
    }

    void englishTexts()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/settings_gui_en.qm")));
        QCoreApplication::installTranslator(&english);
        Services s = services();
        SetupParWindow window(db(), s);
        QCOMPARE(window.windowTitle(), QStringLiteral("Program configuration parameters"));
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("CLOSE"))->text(), QStringLiteral("&Close"));
        QCOMPARE(window.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Parameter name"));
        SetupParEditor editor(db(), dialogs_, FormRequest::Insert, {});
        QCOMPARE(editor.title(), QStringLiteral("Adding a parameter  (New)"));
        QCoreApplication::removeTranslator(&english);
    }

    void changeAndDeleteNeedAHighlightedParameter()
    {
        Services s = services();
        SetupParWindow window(db(), s);
        QCOMPARE(window.model().rowCount(), 0);
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("CHANGE"))->isEnabled());
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("DELETE"))->isEnabled());
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("INSERT"))->isEnabled());
    }
};

QTEST_MAIN(SetupParQtTest)
#include "SetupParQtTest.moc"
