// The import field map MAPIMPORTFIELDS and its form UPD_INTERFACE_MAP on a real database, with
// scripted answers: formula-only entries of one type, the duplicate refusals of both keys, the
// form's own checks, CHECKFORMAT over entries stored through the form, and the list window with
// its columns, insert and delete.

#include "global/CheckFormat.h"
#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "orders/gui/InterfaceMapEditor.h"
#include "orders/gui/InterfaceMapWindow.h"
#include "ui/form/RecordForm.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace global;
using namespace orders;
using ui::FormRequest;
using ui::FormResponse;
using MapTable = Table<InterfaceMapRecord>;

namespace {

const QString DuplicatePrefix = QStringLiteral("Adding this record creates a duplicate entry for the key:");

InterfaceMapRecord entry(const QString& type, const QString& name, const QString& external, const QString& formula = {})
{
    InterfaceMapRecord r;
    r.type = type;
    r.internalName = name;
    r.externalName = external;
    r.formula = formula;
    return r;
}

} // namespace

class InterfaceMapQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;

    Database& db() { return *db_; }
    ScriptedDialogs& dialogs() { return scripted_->dialogs; }
    Services services() { return scripted_->context.services; }
    ui::WindowContext& context() { return scripted_->context; }

    QList<InterfaceMapRecord> stored() { return MapTable(db()).rows(MapTable::Auto); }

    // Inserts through the form's rules; whether it was stored.
    bool insert(const InterfaceMapRecord& r)
    {
        InterfaceMapEditor editor(db(), services(), FormRequest::Insert, {});
        editor.setField(InterfaceMapField::Type, r.type);
        editor.setField(InterfaceMapField::InternalName, r.internalName);
        editor.setField(InterfaceMapField::ExternalName, r.externalName);
        editor.setField(InterfaceMapField::Formula, r.formula);
        editor.setField(InterfaceMapField::Description, r.description);
        const bool saved = editor.save();
        lastFocus_ = editor.focusField();
        return saved && editor.response() == FormResponse::Done;
    }
    int lastFocus_ = -1;

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(db());
        InterfaceMapEditor::forgetDitto();
    }

    void cleanup()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        QCOMPARE(dialogs().plannedLeft(), 0);
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    void formulaOnlyEntriesOfOneTypeAreStoredWithTheTypeInUpperCase()
    {
        QVERIFY(insert(entry("cuts", "PROFIL", "Profil")));
        QVERIFY(insert(entry("cuts", "PROFIL2", "", "LEFT(PROFIL, 4)")));
        QVERIFY(insert(entry("Cuts", "WEIGHT_UOM", "", "'kg'")));
        QVERIFY(dialogs().shown().isEmpty());
        const QList<InterfaceMapRecord> rows = stored();
        QCOMPARE(rows.size(), 3);
        for (const InterfaceMapRecord& r : rows)
            QCOMPARE(r.type, QStringLiteral("CUTS"));
        QCOMPARE(rows[1].internalName, QStringLiteral("PROFIL2"));
        QVERIFY(rows[1].externalName.isEmpty());
        QCOMPARE(rows[2].formula, QStringLiteral("'kg'"));
    }

    void duplicatesOfEitherKeyAreRefusedAndTheFormStaysOnTheFirstField()
    {
        QVERIFY(insert(entry("CUTS", "LENGHT", "Długość")));
        // The same external name within the type.
        QVERIFY(!insert(entry("CUTS", "PCS", "Długość")));
        QCOMPARE(dialogs().messages(), QStringList{DuplicatePrefix + "Order by external name"});
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Duplicate Key Error"));
        QCOMPARE(lastFocus_, 0);
        // The same internal name in other letters; the type, too, compares without case.
        dialogs().clear();
        QVERIFY(!insert(entry("cuts", "Lenght", "Inna")));
        QCOMPARE(dialogs().messages(), QStringList{DuplicatePrefix + "Internal Key"});
        QCOMPARE(lastFocus_, 0);
        // Another type may use the same names.
        dialogs().clear();
        QVERIFY(insert(entry("DETR", "LENGHT", "Długość")));
        QCOMPARE(stored().size(), 2);

        // A change onto another entry's external name is refused; the stored entry stays.
        QVERIFY(insert(entry("CUTS", "PCS", "Sztuk")));
        InterfaceMapEditor editor(db(), services(), FormRequest::Change, entry("CUTS", "PCS", ""));
        QVERIFY(editor.open());
        QCOMPARE(editor.field(InterfaceMapField::ExternalName), QStringLiteral("Sztuk"));
        editor.setField(InterfaceMapField::ExternalName, "Długość");
        QVERIFY(!editor.save());
        QCOMPARE(dialogs().messages().last(), DuplicatePrefix + "Order by external name");
        InterfaceMapRecord pcs = entry("CUTS", "PCS", "");
        QCOMPARE(MapTable(db()).fetch(MapTable::Auto, pcs), 0);
        QCOMPARE(pcs.externalName, QStringLiteral("Sztuk"));
        // Blanking it is allowed however many blank ones the type has.
        QVERIFY(insert(entry("CUTS", "WEIGHT", "")));
        editor.setField(InterfaceMapField::ExternalName, "");
        QVERIFY(editor.save());
        QCOMPARE(editor.response(), FormResponse::Done);
    }

    void anEntryNeedsATypeANameAndAFormulaThatReads()
    {
        QVERIFY(!insert(entry(" ", "PROFIL", "Profil")));
        QCOMPARE(lastFocus_, int(InterfaceMapField::Type));
        QVERIFY(!insert(entry("CUTS", "  ", "Profil")));
        QCOMPARE(lastFocus_, int(InterfaceMapField::InternalName));
        QVERIFY(!insert(entry("CUTS", "PROFIL2", "", "LEFT(PROFIL, ")));
        QCOMPARE(lastFocus_, int(InterfaceMapField::Formula));
        QVERIFY(dialogs().messages().last().contains(QStringLiteral("1100")));
        QVERIFY(!insert(entry("CUTS", "PROFIL2", "", "NOSUCH(PROFIL)")));
        QVERIFY(dialogs().messages().last().contains(QStringLiteral("1102")));
        QCOMPARE(dialogs().messages().size(), 4);
        QVERIFY(stored().isEmpty());
        // A name is bound only when the formula is evaluated: an unknown one is no reason to refuse.
        QVERIFY(insert(entry("CUTS", "PROFIL2", "", "LEFT(PROFIL, 4)")));
    }

    void checkFormatUsesTheEntriesStoredThroughTheForm()
    {
        QVERIFY(insert(entry("detr", "DETR:Descr_1", "", "UPPER(VAR) & ' /' & LEN(VAR)")));
        QVERIFY(insert(entry("DETR", "DETR:Descr_2", "")));                       // a blank formula
        QVERIFY(insert(entry("DETR2", "DETR:Descr_1", "", "VAR & ' ' & KOLOR")));  // a name never bound
        QVERIFY(dialogs().shown().isEmpty());

        CheckFormat checkFormat(db());
        QCOMPARE(checkFormat(QStringLiteral("rama okna"), QStringLiteral("detr:descr_1"), QStringLiteral("DETR")),
                 QStringLiteral("RAMA OKNA /9"));
        QCOMPARE(checkFormat(QStringLiteral("bez zmian"), QStringLiteral("DETR:Descr_2"), QStringLiteral("DETR")),
                 QStringLiteral("bez zmian"));
        QVERIFY(!checkFormat.hasProblems());
        QCOMPARE(checkFormat(QStringLiteral("pierwszy"), QStringLiteral("DETR:Descr_1"), QStringLiteral("DETR2")),
                 QStringLiteral("pierwszy"));
        QCOMPARE(checkFormat(QStringLiteral("drugi"), QStringLiteral("DETR:Descr_1"), QStringLiteral("DETR2")),
                 QStringLiteral("drugi"));
        QCOMPARE(checkFormat.problems().size(), 1);
        QCOMPARE(checkFormat.problems()[0].errorCode, 1101);
        QCOMPARE(checkFormat.problems()[0].values, 2);
        QVERIFY(checkFormat.problemMessage().contains(QStringLiteral("KOLOR")));
    }

    void listWindowShowsTheMapAndEditsThroughItsForm()
    {
        MapTable table(db());
        QCOMPARE(table.add(entry("DETR", "DETR:Descr_1", "", "UPPER(VAR)")), 0);
        QCOMPARE(table.add(entry("CUTS", "PROFIL", "Profil")), 0);
        InterfaceMapWindow window(context());
        QCOMPARE(window.objectName(), QStringLiteral("MapImportFields"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Mapowanie pól do importu danych"));
        auto& model = window.model();
        QCOMPARE(model.columnCount(), 4);
        QStringList captions;
        for (int column = 0; column < 4; ++column)
            captions << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(captions, (QStringList{"Nazwa_Syst.", "Nazwa lokalna", "Formuła", "Opis"}));
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("PROFIL"));   // CUTS first
        QCOMPARE(model.data(model.index(1, 2), Qt::DisplayRole).toString(), QStringLiteral("UPPER(VAR)"));

        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QString seenTitle;
        QTimer::singleShot(0, [&seenTitle] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            seenTitle = form->windowTitle();
            QCOMPARE(form->objectName(), QStringLiteral("Upd_Interface_map"));
            form->setFieldText(int(InterfaceMapField::Type), QStringLiteral("cuts"));
            form->setFieldText(int(InterfaceMapField::InternalName), QStringLiteral("LENGHT"));
            form->setFieldText(int(InterfaceMapField::ExternalName), QStringLiteral("Długość"));
            form->pressOk();
        });
        window.button(QStringLiteral("INSERT"))->click();
        QCOMPARE(seenTitle, QStringLiteral("Form INTERFACE_MAP"));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(window.current()->internalName, QStringLiteral("LENGHT"));   // the list stands on the new entry
        QCOMPARE(window.current()->type, QStringLiteral("CUTS"));

        window.highlight(QStringLiteral("CUTS"), QStringLiteral("PROFIL"));
        dialogs().planAnswers({0});
        QTest::keyClick(&window.list(), Qt::Key_Delete);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(stored().size(), 2);
        QVERIFY(window.current());
        QCOMPARE(window.current()->internalName, QStringLiteral("DETR:Descr_1"));
    }
};

QTEST_MAIN(InterfaceMapQtTest)
#include "InterfaceMapQtTest.moc"
