// The browse on its own, over a small table of the test: paging through 100,000 records, key
// ranges (status tabs), locating by typing, tags, re-locating after insert, change and delete,
// read failures, and the window with its keys, tabs, list formats and language.

#include "global/tests/support/TempDataDir.h"
#include "ui/browse/TableBrowse.h"
#include "ui/browse/tests/support/PartTable.h"
#include "ui/layout/ListFormatManager.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTranslator>

using ui::BrowseModel;
using ui::FormRequest;
using ui::FormResponse;
using ui::KeyRange;

namespace {

QList<ui::BrowseColumn<PartRecord>> partColumns()
{
    return {{"PART:NAME", QT_TRANSLATE_NOOP("PartBrowse", "Nazwa"), 20, [](const PartRecord& r) { return QVariant(r.name); }},
            {"PART:LENGTH", QT_TRANSLATE_NOOP("PartBrowse", "Długość"), 8,
             [](const PartRecord& r) { return QVariant(qlonglong(r.length)); }, {0, true, true}},
            {"PART:ID", QT_TRANSLATE_NOOP("PartBrowse", "Id"), 6, [](const PartRecord& r) { return QVariant(qlonglong(r.id)); }}};
}

KeyRange<PartRecord> wholeTable(PartTable::Key key = PartTable::ByName)
{
    return {key, {}, 0};
}

KeyRange<PartRecord> withStatus(uint16_t status)
{
    PartRecord prefix;
    prefix.status = status;
    return {PartTable::ByStatusName, prefix, 1};
}

// The window over parts, with a form that records what it was asked and answers as planned.
struct PartBrowse {
    struct Call {
        FormRequest request;
        PartRecord record;
    };
    QList<Call> calls;
    std::function<FormResponse(FormRequest, PartRecord&)> answer = [](FormRequest, PartRecord&) {
        return FormResponse::Cancelled;
    };
    std::unique_ptr<ui::TableBrowse<PartRecord>> window;

    PartBrowse(ui::WindowContext& context, bool tabs)
    {
        ui::BrowseDefinition definition;
        definition.name = QStringLiteral("PartBrowse");
        definition.context = "PartBrowse";
        definition.title = QT_TRANSLATE_NOOP("PartBrowse", "Lista części");
        if (tabs)
            definition.tabs = {QT_TRANSLATE_NOOP("PartBrowse", "Otwarte"), QT_TRANSLATE_NOOP("PartBrowse", "Zamknięte")};
        definition.tags = true;
        window = std::make_unique<ui::TableBrowse<PartRecord>>(
            context, definition, partColumns(),
            tabs ? QList<KeyRange<PartRecord>>{withStatus(0), withStatus(1)} : QList<KeyRange<PartRecord>>{wholeTable()},
            [this](FormRequest request, PartRecord& record, QWidget*) {
                calls.append({request, record});
                return answer(request, record);
            });
    }
};

} // namespace

class BrowseQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<global::Database> db_;

    global::Database& db() { return *db_; }

    void makeParts(int count)
    {
        QVERIFY(parts::create(db()));
        QVERIFY(parts::fill(db(), count));
    }

    // Another station's connection to the same file.
    global::Database otherStation()
    {
        global::Database other = global::Database::atFile(db().filePath());
        other.open();
        return other;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<global::Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
    }

    void cleanup()
    {
        db_.reset();
        dir_.reset();
    }

    void pagesThroughAHundredThousandRecordsInKeyOrder()
    {
        makeParts(100000);
        BrowseModel<PartRecord> model(db(), partColumns(), wholeTable(), "PartBrowse");
        model.setPageSize(1000);
        QElapsedTimer opened;
        opened.start();
        QCOMPARE(model.reload(), 0);
        QCOMPARE(model.rowCount(), 1000);   // one page is read, not the table
        QVERIFY2(opened.elapsed() < 2000, qPrintable(QString::number(opened.elapsed())));
        QVERIFY(!model.canFetchPrevious());
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), 100000);
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.record(row).name != parts::nameOf(row + 1))
                QFAIL(qPrintable(QStringLiteral("row %1 holds %2").arg(row).arg(model.record(row).name)));
        QCOMPARE(model.data(model.index(41, 1), Qt::DisplayRole).toString(), QStringLiteral("42"));
        QCOMPARE(model.data(model.index(99999, 1), Qt::DisplayRole).toString(), QStringLiteral("100 000"));
        QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
                 Qt::AlignRight);

        // The end of the list and back up page by page.
        QCOMPARE(model.loadEnd(), 0);
        QCOMPARE(model.rowCount(), 1000);
        QCOMPARE(model.record(999).name, parts::nameOf(100000));
        QVERIFY(!model.canFetchMore({}));
        QCOMPARE(model.fetchPrevious(), 1000);
        QCOMPARE(model.record(0).name, parts::nameOf(98001));
        QCOMPARE(model.record(1999).name, parts::nameOf(100000));
    }

    void aRangeHoldsOnlyItsRecordsAndATabDropsTheTags()
    {
        makeParts(25);
        BrowseModel<PartRecord> model(db(), partColumns(), withStatus(1), "PartBrowse");
        model.setPageSize(4);
        QCOMPARE(model.reload(), 0);
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), 13);   // the odd ones
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.record(row).status, uint16_t(1));
        QCOMPARE(model.loadEnd(), 0);
        QCOMPARE(model.record(model.rowCount() - 1).name, parts::nameOf(25));
        QCOMPARE(model.record(0).name, parts::nameOf(19));
        QVERIFY(model.canFetchPrevious());

        model.toggleTag(0);
        QCOMPARE(model.taggedCount(), 1);
        QSignalSpy tags(&model, &ui::BrowseModelBase::tagsChanged);
        QCOMPARE(model.setRange(withStatus(0)), 0);
        QCOMPARE(model.taggedCount(), 0);
        QCOMPARE(tags.count(), 1);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.record(0).name, parts::nameOf(2));

        // An empty range: no rows, nothing to fetch, locating finds nothing.
        QCOMPARE(model.setRange(withStatus(7)), 0);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.canFetchMore({}));
        QCOMPARE(model.locateText(QStringLiteral("part")), -1);
        QCOMPARE(model.loadEnd(), 0);
        QCOMPARE(model.rowCount(), 0);
    }

    void typingLocatesWithoutCaseInsideTheRangeAndPastTheEndGoesToTheLast()
    {
        makeParts(100000);
        BrowseModel<PartRecord> model(db(), partColumns(), wholeTable(), "PartBrowse");
        QCOMPARE(model.reload(), 0);
        const int row = model.locateText(QStringLiteral("pART-0500"));
        QVERIFY(row >= 0);
        QCOMPARE(model.record(row).name, parts::nameOf(50000));
        QVERIFY(model.canFetchPrevious());   // only the rows around it were read
        QVERIFY(model.rowCount() <= 2 * model.pageSize() + 1);
        QCOMPARE(model.record(row - 1).name, parts::nameOf(49999));
        QCOMPARE(model.fetchPrevious(), model.pageSize());
        QCOMPARE(model.record(0).name, parts::nameOf(50000 - 2 * model.pageSize()));

        const int last = model.locateText(QStringLiteral("zzz"));
        QCOMPARE(model.record(last).name, parts::nameOf(100000));
        QCOMPARE(last, model.rowCount() - 1);

        // Within a status range the located record keeps the range's status.
        QCOMPARE(model.setRange(withStatus(0)), 0);
        const int even = model.locateText(QStringLiteral("part-000101"));
        QCOMPARE(model.record(even).name, parts::nameOf(102));

        // A number key takes digits only.
        QCOMPARE(model.setRange(wholeTable(PartTable::Auto)), 0);
        QCOMPARE(model.record(model.locateText(QStringLiteral("777"))).id, 777u);
        QCOMPARE(model.locateText(QStringLiteral("7a")), -1);
    }

    void tagsStayOnTheirRecordsAndTagAllCoversTheWholeRange()
    {
        makeParts(1000);
        BrowseModel<PartRecord> model(db(), partColumns(), wholeTable(), "PartBrowse");
        model.setPageSize(50);
        QCOMPARE(model.reload(), 0);
        model.toggleTag(3);
        model.toggleTags(10, 7);   // Shift-click backwards: 7, 8, 9, 10
        QCOMPARE(model.taggedCount(), 5);
        model.toggleTags(8, 12);   // toggles: 8, 9, 10 off; 11, 12 on
        QStringList tagged;
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.data(model.index(row, 0), ui::BrowseModelBase::TaggedRole).toBool())
                tagged << model.record(row).name;
        QCOMPARE(tagged, (QStringList{parts::nameOf(4), parts::nameOf(8), parts::nameOf(12), parts::nameOf(13)}));
        QVERIFY(!model.data(model.index(3, 0), Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(model.data(model.index(3, 1), Qt::DecorationRole).isNull());

        // The tags stay when the rows are read again.
        QCOMPARE(model.loadEnd(), 0);
        QCOMPARE(model.reload(), 0);
        QVERIFY(model.isTagged(3));

        // A tagged record deleted meanwhile is left out of the tagged records.
        {
            global::Database other = otherStation();
            PartTable table(other);
            PartRecord gone = parts::part(8, {});
            QCOMPARE(table.fetch(PartTable::Auto, gone), 0);
            QCOMPARE(table.remove(), 0);
        }
        QStringList stored;
        for (const PartRecord& p : model.taggedRecords())
            stored << p.name;
        QCOMPARE(stored, (QStringList{parts::nameOf(4), parts::nameOf(12), parts::nameOf(13)}));

        QCOMPARE(model.tagAll(), 0);
        QCOMPARE(model.taggedCount(), 999);
        model.untagAll();
        QCOMPARE(model.taggedCount(), 0);
    }

    void relocatesTheRecordAfterInsertChangeAndDelete()
    {
        makeParts(500);
        BrowseModel<PartRecord> model(db(), partColumns(), wholeTable(), "PartBrowse");
        model.setPageSize(20);
        QCOMPARE(model.reload(), 0);
        PartTable table(db());

        // Insert: the new record is found by its identity key, far from the rows shown.
        PartRecord added = parts::part(0, QStringLiteral("Part-000300a"));
        QCOMPARE(table.addWithNewIdentifier(added), 0);
        int row = model.relocate(added);
        QCOMPARE(model.record(row).name, added.name);
        QCOMPARE(model.record(row - 1).name, parts::nameOf(300));
        QCOMPARE(model.record(row + 1).name, parts::nameOf(301));

        // Change: the record moves in the key order; its position finds it again.
        const QString position = model.positionAt(row);
        PartRecord moved = added;
        QCOMPARE(table.fetch(PartTable::Auto, moved), 0);
        moved.name = QStringLiteral("Part-000010b");
        QCOMPARE(table.update(moved), 0);
        row = model.relocateAt(position);
        QCOMPARE(model.record(row).name, moved.name);
        QCOMPARE(model.record(row - 1).name, parts::nameOf(10));

        // Delete: the record after it takes its place; after the last one, the new last.
        QCOMPARE(table.fetch(PartTable::Auto, moved), 0);
        QCOMPARE(table.remove(), 0);
        row = model.relocateAt(position);
        QCOMPARE(model.record(row).name, parts::nameOf(11));
        QCOMPARE(model.loadEnd(), 0);
        const QString lastPosition = model.positionAt(model.rowCount() - 1);
        PartRecord last = parts::part(500, {});
        QCOMPARE(table.fetch(PartTable::Auto, last), 0);
        QCOMPARE(table.remove(), 0);
        row = model.relocateAt(lastPosition);
        QCOMPARE(model.record(row).name, parts::nameOf(499));

        // A record that left the range: the list stands where it would have been.
        QCOMPARE(model.setRange(withStatus(0)), 0);
        PartRecord closed = parts::part(40, {});
        QCOMPARE(table.fetch(PartTable::Auto, closed), 0);
        closed.status = 1;
        QCOMPARE(table.update(closed), 0);
        row = model.relocate(closed);
        QCOMPARE(model.record(row).name, parts::nameOf(42));
    }

    void aFailedReadIsReportedAndTheRowsStay()
    {
        makeParts(300);
        ui::ScriptedWindowContext scripted(db());
        PartBrowse browse(scripted.context, false);
        ui::BrowseModelBase& model = *browse.window->browseModel();
        QCOMPARE(model.rowCount(), ui::BrowseModelBase::DefaultPageSize);
        QVERIFY(parts::exec(db(), QStringLiteral("ALTER TABLE \"TEST_PARTS\" RENAME TO \"TEST_PARTS_GONE\"")));
        QSignalSpy failed(&model, &ui::BrowseModelBase::readFailed);
        model.fetchMore({});
        QCOMPARE(failed.count(), 1);
        QCOMPARE(model.rowCount(), ui::BrowseModelBase::DefaultPageSize);
        QCOMPARE(scripted.dialogs.shown().size(), 1);
        QCOMPARE(scripted.dialogs.shown()[0].caption, QStringLiteral("Record Retrieval Error"));
        QVERIFY(scripted.dialogs.shown()[0].text.contains(QStringLiteral("TEST_PARTS")));
    }

    void theWindowsKeysButtonsAndMouseCallTheFormAndPositionTheList()
    {
        makeParts(300);
        ui::ScriptedWindowContext scripted(db());
        PartBrowse browse(scripted.context, false);
        ui::TableBrowse<PartRecord>& window = *browse.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableView& list = window.list();
        list.setFocus();
        QCOMPARE(window.windowTitle(), QStringLiteral("Lista części"));
        QVERIFY(window.button(QStringLiteral("CHANGE"))->isEnabled());

        // Insert: the form gets a new record; the list stands on the stored one afterwards.
        browse.answer = [&](FormRequest, PartRecord& record) {
            record.name = QStringLiteral("Part-000150x");
            PartTable table(db());
            return table.addWithNewIdentifier(record) == 0 ? FormResponse::Done : FormResponse::Cancelled;
        };
        QTest::keyClick(&list, Qt::Key_Insert);
        QCOMPARE(browse.calls.size(), 1);
        QCOMPARE(browse.calls[0].request, FormRequest::Insert);
        QVERIFY(browse.calls[0].record.name.isEmpty());
        QCOMPARE(window.current()->name, QStringLiteral("Part-000150x"));

        // Enter changes, Delete deletes the highlighted record.
        browse.answer = [](FormRequest, PartRecord&) { return FormResponse::Cancelled; };
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(browse.calls.last().request, FormRequest::Change);
        QCOMPARE(browse.calls.last().record.name, QStringLiteral("Part-000150x"));
        QCOMPARE(window.current()->name, QStringLiteral("Part-000150x"));   // cancelled: it stays
        browse.answer = [&](FormRequest, PartRecord& record) {
            PartTable table(db());
            PartRecord gone = record;
            return table.fetch(PartTable::Auto, gone) == 0 && table.remove() == 0 ? FormResponse::Done
                                                                                    : FormResponse::Cancelled;
        };
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(browse.calls.last().request, FormRequest::Delete);
        QCOMPARE(window.current()->name, parts::nameOf(151));

        // A form answering 40 leaves the list on the existing record it returned.
        browse.answer = [](FormRequest, PartRecord& record) {
            record = parts::part(7, parts::nameOf(7), 1, 7);
            return FormResponse::Duplicate;
        };
        window.insertRecord();
        QCOMPARE(window.current()->name, parts::nameOf(7));

        // Typing locates; Backspace takes a letter back; a move forgets the typed text.
        QTest::keyClicks(&list, QStringLiteral("part-00027"));
        QCOMPARE(window.typedText(), QStringLiteral("part-00027"));
        QCOMPARE(window.current()->name, parts::nameOf(270));
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("LOCATOR"))->isVisible());
        QTest::keyClick(&list, Qt::Key_Backspace);
        QTest::keyClicks(&list, QStringLiteral("1"));
        QCOMPARE(window.typedText(), QStringLiteral("part-00021"));
        QCOMPARE(window.current()->name, parts::nameOf(210));
        QTest::keyClick(&list, Qt::Key_Down);
        QVERIFY(window.typedText().isEmpty());
        QCOMPARE(window.current()->name, parts::nameOf(211));

        // Ctrl+End and Ctrl+Home.
        QTest::keyClick(&list, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(window.current()->name, parts::nameOf(300));
        QTest::keyClick(&list, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(window.current()->name, parts::nameOf(1));

        // Ctrl-click tags one record, Shift-click the rows from the last click; Space toggles.
        auto rowCentre = [&](int row) { return QPoint(20, list.rowViewportPosition(row) + list.rowHeight(row) / 2); };
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(4));
        // Row 1 was tagged; rows 1 to 4 are toggled: 2, 3 and 4 stay tagged.
        QCOMPARE(window.browseModel()->taggedCount(), 3);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("TAGS"))->text(), QStringLiteral("Zaznaczone: 3"));
        QVERIFY(!window.browseModel()->isTagged(1));
        QCOMPARE(window.currentRow(), 4);
        QTest::keyClick(&list, Qt::Key_Space);
        QVERIFY(!window.browseModel()->isTagged(4));
        QCOMPARE(window.browseModel()->taggedCount(), 2);
        window.tagAll();
        QCOMPARE(window.browseModel()->taggedCount(), 300);
    }

    void tabsShowTheirRangeWithTheirListFormatAndDropTheTags()
    {
        makeParts(40);
        ui::ScriptedWindowContext scripted(db());
        PartBrowse browse(scripted.context, true);
        ui::TableBrowse<PartRecord>& window = *browse.window;
        QCOMPARE(window.tabBar()->count(), 2);
        QCOMPARE(window.tabBar()->tabText(1), QStringLiteral("Zamknięte"));
        QCOMPARE(window.current()->name, parts::nameOf(2));
        window.browseModel()->toggleTag(0);
        QCOMPARE(window.formats()->currentFormatId(), layout::DefaultFormatId);

        window.chooseTab(1);
        QCOMPARE(window.current()->name, parts::nameOf(1));
        QCOMPARE(window.browseModel()->taggedCount(), 0);
        QCOMPARE(window.formats()->currentFormatId(), layout::sortOrderFormat(1).id);
        window.list().horizontalHeader()->resizeSection(0, 111);

        // A new record starts in the shown range.
        QTest::keyClick(&window.list(), Qt::Key_Insert);
        QCOMPARE(browse.calls.last().record.status, uint16_t(1));

        // The tab's list format keeps its layout while another tab is shown.
        window.chooseTab(0);
        QCOMPARE(window.formats()->currentFormatId(), layout::DefaultFormatId);
        QVERIFY(window.list().horizontalHeader()->sectionSize(0) != 111);
        window.chooseTab(1);
        QCOMPARE(window.list().horizontalHeader()->sectionSize(0), 111);
    }

    void theWindowKeepsItsPlaceAndFollowsTheLanguage()
    {
        makeParts(10);
        ui::ScriptedWindowContext scripted(db());
        scripted.context.iniFile = dir_->filePath(QStringLiteral("Barmond.ini"));
        {
            PartBrowse browse(scripted.context, true);
            browse.window->show();
            browse.window->setGeometry(40, 50, 640, 330);
            browse.window->close();
        }
        PartBrowse again(scripted.context, true);
        again.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.window.get()));
        QCOMPARE(again.window->size(), QSize(640, 330));

        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/ui_en.qm")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(again.window->windowTitle(), QStringLiteral("Lista części"));   // no English for the test's own
        QCOMPARE(again.window->button(QStringLiteral("INSERT"))->text(), QStringLiteral("&Insert"));
        QCOMPARE(again.window->button(QStringLiteral("CLOSE"))->text(), QStringLiteral("&Close"));
        QCoreApplication::removeTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(again.window->button(QStringLiteral("CLOSE"))->text(), QStringLiteral("Zam&knij"));
    }
};

QTEST_MAIN(BrowseQtTest)
#include "BrowseQtTest.moc"
