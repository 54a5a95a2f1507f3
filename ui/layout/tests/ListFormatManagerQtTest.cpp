// The list-format manager on a real table view with formats kept in memory.

#include "global/ScriptedServices.h"
#include "ui/layout/ListFormatDialogs.h"
#include "ui/layout/ListFormatManager.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace layout;

namespace {

const QStringList Fields{QStringLiteral("ID"), QStringLiteral("LENGHT"), QStringLiteral("PCS")};

// One opening of the list: a view with the built-in widths 50, 80, 60.
struct OpenList {
    QStandardItemModel model{2, 3};
    QTableView view;
    ListFormatManager manager;

    OpenList(ListFormatStore& store, global::Dialogs& dialogs, const QStringList& fields = Fields)
        : manager(store, dialogs)
    {
        model.setHorizontalHeaderLabels({QStringLiteral("Lp"), QStringLiteral("Długość"), QStringLiteral("Ilość")});
        model.setColumnCount(fields.size());
        view.setModel(&model);
        view.horizontalHeader()->setStretchLastSection(false);
        for (int i = 0; i < fields.size(); ++i)
            view.horizontalHeader()->resizeSection(i, 50 + 30 * (i % 2) + 10 * (i / 2));
        manager.setFatalHandler([this] { ++fatalCalls; });
        opened = manager.init(key(), view, fields);
    }

    static ListKey key()
    {
        ListKey k;
        k.procId = QStringLiteral("MakeOptimalCut");
        k.userId = 3;
        k.ctrlId = 1;
        return k;
    }

    int width(int column) const { return view.horizontalHeader()->sectionSize(column); }
    bool opened = false;
    int fatalCalls = 0;
};

QList<global::ListFormatRecord> storedFormats(MemoryLayoutStore& store)
{
    QList<global::ListFormatRecord> out;
    store.formatsOf(OpenList::key(), out);
    return out;
}

} // namespace

class ListFormatManagerQtTest : public QObject {
    Q_OBJECT
private slots:
    void firstOpeningCreatesOnlyTheProtectedDefault()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        OpenList list(store, dialogs);
        QVERIFY(list.opened);

        const auto formats = storedFormats(store);
        QCOMPARE(formats.size(), 1);
        QCOMPARE(formats[0].formatId, DefaultFormatId);
        QCOMPARE(formats[0].formatName, QStringLiteral("&Default Format"));
        QCOMPARE(formats[0].flag, uint8_t(ProtectedFlag | CurrentFlag));
        QCOMPARE(formats[0].appName, QStringLiteral("Barmond"));
        QCOMPARE(formats[0].varLine, fieldLine(Fields));
        QCOMPARE(ListFormat::fromText(formats[0].format), list.manager.builtInLayout());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void changedLayoutIsStoredInCurrentFormatNotInTheDefault()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        {
            OpenList list(store, dialogs);
            list.view.horizontalHeader()->resizeSection(1, 140);
            list.view.horizontalHeader()->moveSection(2, 0);
            list.manager.kill();
        }
        const auto formats = storedFormats(store);
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats[0].formatId, DefaultFormatId);
        QCOMPARE(formats[0].flag, ProtectedFlag);
        QCOMPARE(ListFormat::fromText(formats[0].format).columns[1].width, 80);
        QCOMPARE(formats[1].formatId, CurrentFormatId);
        QCOMPARE(formats[1].formatName, QStringLiteral("Current Format"));
        QCOMPARE(formats[1].flag, CurrentFlag);

        // The next opening shows the stored layout.
        OpenList again(store, dialogs);
        QCOMPARE(again.manager.currentFormatId(), CurrentFormatId);
        QCOMPARE(again.width(1), 140);
        QCOMPARE(again.view.horizontalHeader()->logicalIndex(0), 2);
        QCOMPARE(storedFormats(store).size(), 2);
    }

    void listWithChangedFieldsDiscardsItsLayout()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        {
            OpenList list(store, dialogs);
            list.manager.setCurrentFormat(QStringLiteral("Mine"), 7);
            list.view.horizontalHeader()->resizeSection(0, 200);
            list.view.horizontalHeader()->hideSection(2);
            list.manager.kill();
        }
        const QStringList newFields{QStringLiteral("ID"), QStringLiteral("LENGHT"), QStringLiteral("PCS"), QStringLiteral("USED")};
        OpenList changed(store, dialogs, newFields);
        QVERIFY(changed.opened);
        QCOMPARE(changed.manager.currentFormatId(), int16_t(7));
        QCOMPARE(changed.width(0), 50);
        QVERIFY(!changed.view.horizontalHeader()->isSectionHidden(2));
        QVERIFY(!changed.view.horizontalHeader()->isSectionHidden(3));
        for (const auto& record : storedFormats(store)) {
            QCOMPARE(record.varLine, fieldLine(newFields));
            if (record.formatId == 7)
                QCOMPARE(ListFormat::fromText(record.format), changed.manager.builtInLayout());
            else
                QVERIFY(record.format.isEmpty());
        }
        // An emptied format takes the present layout when it is chosen again.
        QVERIFY(changed.manager.setCurrentFormat(QString(), DefaultFormatId));
        QCOMPARE(changed.width(0), 50);
        QVERIFY(!ListFormat::fromText(storedFormats(store)[0].format).isEmpty());
    }

    void sortOrdersSwitchFormatsWithoutTouchingProtectedOnes()
    {
        QCOMPARE(sortOrderFormat(1).id, int16_t(3));
        QCOMPARE(sortOrderFormat(1).name, QStringLiteral("SortOrder2"));
        QCOMPARE(sortOrderFormat(2).id, int16_t(4));
        QCOMPARE(sortOrderFormat(2).name, QStringLiteral("SortOrder3"));
        QCOMPARE(sortOrderFormat(5).id, int16_t(2));
        QCOMPARE(sortOrderFormat(5).name, QStringLiteral("SortOrder1"));

        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        OpenList list(store, dialogs);
        list.view.horizontalHeader()->resizeSection(0, 111);
        QVERIFY(list.manager.selectSortOrder(1));
        QCOMPARE(list.manager.currentFormatId(), int16_t(3));
        list.view.horizontalHeader()->resizeSection(0, 222);
        QVERIFY(list.manager.selectSortOrder(3));
        QCOMPARE(list.manager.currentFormatId(), int16_t(2));
        QVERIFY(list.manager.selectSortOrder(1));
        QCOMPARE(list.width(0), 222);

        const auto formats = storedFormats(store);
        QCOMPARE(formats.size(), 3);
        QCOMPARE(ListFormat::fromText(formats[0].format).columns[0].width, 50);   // default stays built-in
        QCOMPARE(formats[1].formatName, QStringLiteral("SortOrder1"));
        QCOMPARE(formats[2].formatName, QStringLiteral("SortOrder2"));
        int current = 0;
        for (const auto& record : formats)
            current += (record.flag & CurrentFlag) ? 1 : 0;
        QCOMPARE(current, 1);
    }

    void failingFormatTableReportsItsStepAndStopsTheProgram()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        store.failNext(QStringLiteral("addFormat"), 5, QStringLiteral("Access Denied"));
        OpenList list(store, dialogs);
        QVERIFY(!list.opened);
        QVERIFY(!list.manager.working());
        QCOMPARE(list.fatalCalls, 1);
        QCOMPARE(dialogs.messages(),
                 QStringList({QStringLiteral("An error occured: Access Denied (5).|Error level: 6"),
                              QStringLiteral("List Format Manager cannot work properly!|Program is terminated!")}));
        QCOMPARE(dialogs.shown()[0].caption, QStringLiteral("List Format Manager"));

        MemoryLayoutStore other;
        global::ScriptedDialogs otherDialogs;
        OpenList second(other, otherDialogs);
        other.failNext(QStringLiteral("updateFormat"), 33, QStringLiteral("Disk Full"));
        QVERIFY(!second.manager.setCurrentFormat(QStringLiteral("X"), 9));
        QVERIFY(otherDialogs.messages().value(0).endsWith(QStringLiteral("|Error level: 15")));

        // A failed read for the menu is reported, and the list goes on working.
        MemoryLayoutStore third;
        global::ScriptedDialogs thirdDialogs;
        OpenList list3(third, thirdDialogs);
        third.failNext(QStringLiteral("formatsOf"), 90, QStringLiteral("Storage error"));
        QMenu menu;
        list3.manager.makePopup(menu);
        QCOMPARE(thirdDialogs.messages(), QStringList({QStringLiteral("An error occured: Storage error (90).|Error level: 3")}));
        QVERIFY(list3.manager.working());
        QCOMPARE(list3.fatalCalls, 0);
    }

    void contextMenuListsTheFormatsAndMarksTheCurrent()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        OpenList list(store, dialogs);
        list.manager.setCurrentFormat(QStringLiteral("Wide"), 5);
        list.manager.bindInterface(false, QString());
        QMenu menu;
        list.manager.makePopup(menu);
        QCOMPARE(menu.actions().size(), 1);
        QMenu* formats = menu.actions()[0]->menu();
        QVERIFY(formats);
        QCOMPARE(menu.actions()[0]->text(), QStringLiteral("List &Formats"));
        const auto entries = formats->actions();
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries[0]->text(), QStringLiteral("&Default Format"));
        QVERIFY(!entries[0]->isChecked());
        QCOMPARE(entries[1]->text(), QStringLiteral("Wide"));
        QVERIFY(entries[1]->isChecked());
        QVERIFY(entries[2]->isSeparator());
        QCOMPARE(entries[3]->text(), QStringLiteral("Format &Setup..."));

        entries[0]->trigger();
        QCOMPARE(list.manager.currentFormatId(), DefaultFormatId);

        // Sorted by name the formats follow their names, the "&" of a shortcut left aside.
        list.manager.setCurrentFormat(QStringLiteral("Abc"), 6);
        list.manager.bindInterface(true, QString());
        QMenu sorted;
        list.manager.makePopup(sorted);
        QStringList names;
        for (QAction* action : sorted.actions()[0]->menu()->actions())
            names << action->text();
        QCOMPARE(names, QStringList({QStringLiteral("Abc"), QStringLiteral("&Default Format"), QStringLiteral("Wide"),
                                     QString(), QStringLiteral("Format &Setup...")}));
    }

    void changeDialogRequiresAColumnAndKeepsTheOrder()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        OpenList list(store, dialogs);
        global::ListFormatRecord record = storedFormats(store)[0];
        ChangeListFormatDialog dialog(record, Fields, list.manager.captions(), dialogs, QString());
        QCOMPARE(dialog.columnList()->count(), 3);
        QCOMPARE(dialog.columnList()->item(1)->text(), QStringLiteral("Długość"));

        dialog.columnList()->setCurrentRow(2);
        dialog.moveToFirst();
        QCOMPARE(dialog.chosenLayout().columns[0].field, QStringLiteral("PCS"));
        dialog.moveDown();
        QCOMPARE(dialog.chosenLayout().columns[1].field, QStringLiteral("PCS"));

        for (int row = 0; row < 3; ++row)
            dialog.columnList()->item(row)->setCheckState(Qt::Unchecked);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialogs.messages(), QStringList({QStringLiteral("At least one column must be selected !")}));

        dialog.columnList()->item(2)->setCheckState(Qt::Checked);
        dialog.nameEdit()->setText(QStringLiteral("Short"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.record().formatName, QStringLiteral("Short"));
        QCOMPARE(ListFormat::fromText(dialog.record().format).columns.size(), 1);
    }

    void setupDialogInsertsAppliesAndDeletesAll()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        OpenList list(store, dialogs);

        global::ListFormatRecord record;
        record.format = ListFormat{{{QStringLiteral("LENGHT"), 90}}}.toText();
        QVERIFY(list.manager.insertFormat(record));
        QCOMPARE(record.formatId, int16_t(5));
        QCOMPARE(record.formatName, QStringLiteral("Format_5"));

        ListFormatSetupDialog setup(list.manager, dialogs, QString());
        QCOMPARE(setup.formatList()->count(), 2);
        setup.formatList()->setCurrentRow(1);
        setup.applyFormat();
        QCOMPARE(list.manager.currentFormatId(), int16_t(5));
        QVERIFY(list.view.horizontalHeader()->isSectionHidden(0));
        QCOMPARE(list.width(1), 90);

        dialogs.planAnswers({1});
        setup.deleteAll();
        QCOMPARE(storedFormats(store).size(), 2);

        dialogs.planAnswers({0});
        setup.deleteAll();
        QCOMPARE(dialogs.shown().last().text, QStringLiteral("Do you really want to delete all list formats ?"));
        const auto formats = storedFormats(store);
        QCOMPARE(formats.size(), 1);
        QCOMPARE(formats[0].formatId, DefaultFormatId);
        QCOMPARE(list.manager.currentFormatId(), DefaultFormatId);
        QVERIFY(!list.view.horizontalHeader()->isSectionHidden(0));
        QCOMPARE(setup.formatList()->count(), 1);
    }

    void deletingTheCurrentFormatFallsBackToTheDefault()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        OpenList list(store, dialogs);
        list.manager.setCurrentFormat(QStringLiteral("Mine"), 6);
        QVERIFY(list.manager.deleteFormat(6));
        QCOMPARE(list.manager.currentFormatId(), DefaultFormatId);
        const auto formats = storedFormats(store);
        QCOMPARE(formats.size(), 1);
        QCOMPARE(formats[0].flag, uint8_t(ProtectedFlag | CurrentFlag));
        QVERIFY(dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(ListFormatManagerQtTest)
#include "ListFormatManagerQtTest.moc"
