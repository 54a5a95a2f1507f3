// The orders browse offscreen on a real database: the four lists follow the highlighted rows, the
// buttons follow the tab and what is highlighted, tags go with a change of tab and after a release,
// the optimizer is handed only the lengths the position offers, and the blocks reach the lists.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "orders/gui/OrdersListWindow.h"
#include "ui/browse/BrowseModel.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace global;
using namespace orders;
using namespace orders::gui;

class OrdersListQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;
    QList<OptimizerRequest> optimizerCalls_;
    QList<uint32_t> printed_;

    Database& db() { return *db_; }
    ScriptedDialogs& dialogs() { return scripted_->dialogs; }
    ui::WindowContext& context() { return scripted_->context; }

    template <class R>
    uint32_t add(R record)
    {
        Table<R> table(db());
        if (table.addWithNewIdentifier(record) != 0)
            qFatal("cannot add a record");
        return toStoredValues(record).value(TableDef<R>::schema().identifierColumn).toUInt();
    }

    template <class R>
    R fetch(uint32_t id)
    {
        R record;
        setIdentifier(record, id);
        if (Table<R>(db()).fetch(typename Table<R>::Key(0), record) != 0)
            qFatal("no such record");
        return record;
    }

    uint32_t profile(const QString& code, uint32_t remnant = 300)
    {
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnant;
        return add(p);
    }

    uint32_t order(const QString& number, uint16_t status = 0)
    {
        OrderRecord o;
        o.number = number;
        o.status = status;
        return add(o);
    }

    uint32_t position(uint32_t orderId, uint32_t profileId)
    {
        OrderProfileRecord p;
        p.orderId = orderId;
        p.profileId = profileId;
        p.profileCode = fetch<ProfileRecord>(profileId).profileCode;
        return add(p);
    }

    uint32_t piece(uint32_t positionId, uint32_t lenght, uint32_t pcs, uint16_t status = 0)
    {
        const OrderProfileRecord p = fetch<OrderProfileRecord>(positionId);
        CutRecord c;
        c.orderId = p.orderId;
        c.orderProfileId = positionId;
        c.profileId = p.profileId;
        c.lenght = lenght;
        c.pcs = pcs;
        c.status = status;
        return add(c);
    }

    uint32_t length(uint32_t profileId, uint32_t lenght, int32_t intStock, uint16_t unlimited = 0)
    {
        ProfileLengthRecord l;
        l.profileId = profileId;
        l.lenght = lenght;
        l.intStock = intStock;
        l.unlimitedStock = unlimited;
        return add(l);
    }

    OrdersListHandOvers handOvers(bool withPrint = false)
    {
        OrdersListHandOvers h;
        h.optimizer = [this](const OptimizerRequest& request, QWidget*) { optimizerCalls_ << request; };
        h.lengthForm = [](ui::FormRequest, ProfileLengthRecord&, uint32_t, QWidget*) {
            return ui::FormResponse::Cancelled;
        };
        h.selectProfile = [](QString&, QWidget*) { return ui::FormResponse::Cancelled; };
        if (withPrint)
            h.printOrder = [this](uint32_t orderId, QWidget*) { printed_ << orderId; };
        return h;
    }

    static bool on(const OrdersListWindow& w, const char* name) { return w.button(QString::fromLatin1(name))->isEnabled(); }

    template <class L>
    static QString cell(L& list, int row, int column)
    {
        return list.model().index(row, column).data().toString();
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(db());
        optimizerCalls_.clear();
        printed_.clear();
    }

    void cleanup()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    void theListsFollowTheHighlightedRows()
    {
        const uint32_t p1 = profile(QStringLiteral("ALU-40"), 450);
        const uint32_t p2 = profile(QStringLiteral("STAL-20"), 700);
        const uint32_t a = order(QStringLiteral("A/1"));
        const uint32_t b = order(QStringLiteral("B/1"));
        const uint32_t aPos = position(a, p1);
        piece(aPos, 2000, 3);
        piece(aPos, 1500, 2);
        const uint32_t bPos1 = position(b, p1);
        const uint32_t bPos2 = position(b, p2);
        piece(bPos1, 999, 1);
        piece(bPos2, 4000, 5);
        piece(bPos2, 3000, 1);
        piece(bPos2, 3500, 1);
        length(p1, 6000, 4);
        length(p2, 12000, 0, 1);
        length(p2, 6000, 2);
        length(p2, 5000, 0);   // nothing in stock, not unlimited: not listed

        OrdersListWindow w(context(), handOvers());
        QCOMPARE(w.windowTitle(), QStringLiteral("Lista zleceń / zamówień"));
        QCOMPARE(w.orders().model().rowCount(), 2);
        QCOMPARE(w.positions().model().rowCount(), 1);
        QCOMPARE(cell(w.positions(), 0, 0), QStringLiteral("ALU-40"));
        QCOMPARE(cell(w.positions(), 0, 1), QStringLiteral("5"));
        QCOMPARE(cell(w.positions(), 0, 2), QStringLiteral("9 000"));   // 2000 × 3 + 1500 × 2
        QCOMPARE(w.pieces().model().rowCount(), 2);
        QCOMPARE(w.lengths().model().rowCount(), 1);
        QCOMPARE(w.extendLength().text(), QStringLiteral("450"));

        w.orders().setCurrentRow(1);   // B/1
        QCOMPARE(w.positions().model().rowCount(), 2);
        QCOMPARE(w.positions().current()->id, bPos1);
        QCOMPARE(w.pieces().model().rowCount(), 1);
        QCOMPARE(w.pieces().current()->lenght, 999u);

        w.positions().setCurrentRow(1);   // STAL-20
        QCOMPARE(w.positions().current()->id, bPos2);
        QCOMPARE(w.pieces().model().rowCount(), 3);
        QCOMPARE(w.pieces().current()->lenght, 4000u);   // longest first
        QCOMPARE(w.pieces().model().record(2).lenght, 3000u);
        QCOMPARE(w.lengths().model().rowCount(), 2);
        QCOMPARE(w.lengths().current()->lenght, 12000u);
        QVERIFY(!w.lengths().model().index(0, 4).data(Qt::DecorationRole).value<QIcon>().isNull());   // the truck
        QVERIFY(w.lengths().model().index(1, 4).data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(w.extendLength().text(), QStringLiteral("700"));

        w.orders().setCurrentRow(0);
        QCOMPARE(w.positions().current()->id, aPos);
        QCOMPARE(w.pieces().model().rowCount(), 2);
        QCOMPARE(w.lengths().model().rowCount(), 1);
    }

    void theButtonsFollowTheTabAndWhatIsHighlighted()
    {
        const uint32_t p = profile(QStringLiteral("P"));
        const uint32_t fresh = order(QStringLiteral("N/1"));
        position(fresh, p);
        const uint32_t approved = order(QStringLiteral("Z/1"), 1);
        const uint32_t approvedPos = position(approved, p);
        piece(approvedPos, 1000, 1, 1);
        length(p, 6000, 3);
        const uint32_t closed = order(QStringLiteral("C/1"), 3);
        piece(position(closed, p), 500, 1, 3);

        OrdersListWindow w(context(), handOvers());
        QCOMPARE(w.orders().currentTab(), 0);
        // "Nowe": the order's position has no pieces.
        for (const char* name : {"INSERT:1", "CHANGE:1", "DELETE:1", "RELEASE", "INSERT:2", "DELETE:2", "BLOCKPROFILE",
                                 "INSERT:3", "PASTECUTS", "INSERT:4", "CHANGE:4", "DELETE:4", "BLOCKLENGHT",
                                 "OPTYMALIZATOR0", "OPTYMALIZATOR5", "EXCIMPORT", "CUTDISPOS"})
            QVERIFY2(on(w, name), name);
        for (const char* name : {"CLOSEORDER", "CHANGE:3", "DELETE:3", "BLOCKCUT", "PRINTORDER"})
            QVERIFY2(!on(w, name), name);
        QCOMPARE(w.button(QStringLiteral("RELEASE"))->text(), QStringLiteral("Zatwierdź"));

        w.orders().chooseTab(1);   // "Zatwierdzone"
        QCOMPARE(w.orders().current()->id, approved);
        QVERIFY(!on(w, "INSERT:1"));
        for (const char* name : {"CHANGE:1", "DELETE:1", "RELEASE", "CLOSEORDER", "INSERT:2", "CHANGE:3", "DELETE:3",
                                 "BLOCKCUT"})
            QVERIFY2(on(w, name), name);
        QCOMPARE(w.button(QStringLiteral("RELEASE"))->text(), QStringLiteral("Wycofaj"));

        w.orders().chooseTab(2);   // "Zamkniete": only looked at
        QCOMPARE(w.orders().current()->id, closed);
        QCOMPARE(w.pieces().model().rowCount(), 1);
        for (const char* name : {"INSERT:1", "CHANGE:1", "DELETE:1", "RELEASE", "CLOSEORDER", "INSERT:2", "DELETE:2",
                                 "BLOCKPROFILE", "INSERT:3", "CHANGE:3", "DELETE:3", "BLOCKCUT", "PASTECUTS",
                                 "INSERT:4", "CHANGE:4", "DELETE:4", "BLOCKLENGHT", "OPTYMALIZATOR1"})
            QVERIFY2(!on(w, name), name);
        QVERIFY(on(w, "CUTDISPOS"));

        // A disabled action does nothing, from a key as from its button.
        w.orders().list().setFocus();
        QTest::keyClick(&w.orders().list(), Qt::Key_Delete);
        w.blockHighlightedPiece();
        w.release();
        QVERIFY(dialogs().shown().isEmpty());
        QCOMPARE(fetch<OrderRecord>(closed).status, 3);

        // An empty tab: only a new order can be added.
        Table<OrderRecord> orders(db());
        OrderRecord gone = fetch<OrderRecord>(fresh);
        QCOMPARE(orders.fetch(Table<OrderRecord>::Auto, gone), 0);
        QCOMPARE(orders.remove(), 0);
        w.orders().chooseTab(0);
        QCOMPARE(w.orders().model().rowCount(), 0);
        QVERIFY(on(w, "INSERT:1"));
        for (const char* name : {"CHANGE:1", "DELETE:1", "RELEASE", "CLOSEORDER", "INSERT:2", "INSERT:3", "INSERT:4",
                                 "PASTECUTS", "OPTYMALIZATOR0"})
            QVERIFY2(!on(w, name), name);
    }

    void thePrintButtonWaitsForItsHandOver()
    {
        const uint32_t o = order(QStringLiteral("N/1"));
        OrdersListWindow without(context(), handOvers(false));
        QVERIFY(!on(without, "PRINTORDER"));
        without.printHighlightedOrder();
        OrdersListWindow with(context(), handOvers(true));
        QVERIFY(on(with, "PRINTORDER"));
        with.button(QStringLiteral("PRINTORDER"))->click();
        QCOMPARE(printed_, QList<uint32_t>{o});
    }

    void theBrowseOpensOnApprovedWhenNoOrderIsNew()
    {
        order(QStringLiteral("Z/1"), 1);
        OrdersListWindow w(context(), handOvers());
        QCOMPARE(w.orders().currentTab(), 1);
        QCOMPARE(w.orders().model().rowCount(), 1);
    }

    void tagsGoWithAChangeOfTabAndAfterARelease()
    {
        const uint32_t a = order(QStringLiteral("A"));
        const uint32_t b = order(QStringLiteral("B"));
        const uint32_t c = order(QStringLiteral("C"));
        order(QStringLiteral("Z"), 1);
        OrdersListWindow w(context(), handOvers());
        w.orders().model().toggleTags(0, 1);
        QCOMPARE(w.orders().model().taggedCount(), 2);
        QVERIFY(w.tagCount().text().contains(QLatin1Char('2')));

        w.orders().chooseTab(1);
        QCOMPARE(w.orders().model().taggedCount(), 0);
        w.orders().chooseTab(0);
        QCOMPARE(w.orders().model().taggedCount(), 0);   // not back either

        // Released: exactly the tagged orders, and the tags are gone.
        w.orders().model().toggleTag(0);
        w.orders().model().toggleTag(2);
        dialogs().planAnswers({0});
        w.button(QStringLiteral("RELEASE"))->click();
        QCOMPARE(fetch<OrderRecord>(a).status, 1);
        QCOMPARE(fetch<OrderRecord>(b).status, 0);
        QCOMPARE(fetch<OrderRecord>(c).status, 1);
        QCOMPARE(w.orders().model().taggedCount(), 0);
        QCOMPARE(w.orders().model().rowCount(), 1);

        // Nothing tagged: the highlighted order; "Nie" leaves it as it is.
        dialogs().planAnswers({1});
        w.release();
        QCOMPARE(fetch<OrderRecord>(b).status, 0);
        dialogs().planAnswers({0});
        w.release();
        QCOMPARE(fetch<OrderRecord>(b).status, 1);
        QCOMPARE(w.orders().model().rowCount(), 0);
    }

    void onlyOfferedLengthsGoToTheOptimizer()
    {
        const uint32_t p = profile(QStringLiteral("P"), 250);
        const uint32_t o = order(QStringLiteral("Z/1"), 1);
        const uint32_t pos = position(o, p);
        piece(pos, 1000, 4, 1);
        const uint32_t market = length(p, 7000, 0, 1);
        const uint32_t stock = length(p, 6000, 5);
        ProfileLengthRecord hidden;
        hidden.profileId = p;
        hidden.lenght = 5000;
        hidden.intStock = 9;
        hidden.status = 1;
        add(hidden);

        OrdersListWindow w(context(), handOvers());
        QCOMPARE(w.lengths().model().rowCount(), 2);   // the hidden length is not listed
        w.selectionStart().setText(QStringLiteral("11"));
        w.button(QStringLiteral("OPTYMALIZATOR5"))->click();
        QCOMPARE(optimizerCalls_.size(), 1);
        QCOMPARE(optimizerCalls_[0].lengths, (std::vector<uint32_t>{market, stock}));
        QCOMPARE(optimizerCalls_[0].orderProfile, pos);
        QCOMPARE(optimizerCalls_[0].mode, uint8_t(2));
        QCOMPARE(optimizerCalls_[0].extend, 250u);
        QCOMPARE(optimizerCalls_[0].selectionStart, 11u);

        // The unlimited length excluded for this position: listed with its padlock, not offered.
        QCOMPARE(w.lengths().current()->id, market);
        QVERIFY(w.lengths().model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        w.button(QStringLiteral("BLOCKLENGHT"))->click();
        QCOMPARE(w.lengths().model().rowCount(), 2);
        QVERIFY(!w.lengths().model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        w.button(QStringLiteral("OPTYMALIZATOR1"))->click();
        QCOMPARE(optimizerCalls_.size(), 2);
        QCOMPARE(optimizerCalls_[1].lengths, std::vector<uint32_t>{stock});
        QCOMPARE(optimizerCalls_[1].extend, 0u);

        // Every length excluded: the optimizer does not start.
        w.lengths().setCurrentRow(1);
        w.button(QStringLiteral("BLOCKLENGHT"))->click();
        w.button(QStringLiteral("OPTYMALIZATOR4"))->click();
        QCOMPARE(optimizerCalls_.size(), 2);
        QCOMPARE(dialogs().messages(), QStringList{noLengthsToOptimizeMessage()});
    }

    void blocksReachTheLists()
    {
        const uint32_t p = profile(QStringLiteral("P"));
        const uint32_t o = order(QStringLiteral("Z/1"), 1);
        const uint32_t pos = position(o, p);
        const uint32_t open = piece(pos, 2000, 1, 1);
        const uint32_t busy = piece(pos, 1000, 1, 2);

        OrdersListWindow w(context(), handOvers());
        QVERIFY(w.positions().model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        w.button(QStringLiteral("BLOCKPROFILE"))->click();
        QCOMPARE(fetch<OrderProfileRecord>(pos).block, 1);
        QCOMPARE(fetch<CutRecord>(open).block, 1);
        QCOMPARE(fetch<CutRecord>(busy).block, 0);
        QVERIFY(!w.positions().model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(w.pieces().model().index(0, 11).data().toInt(), 1);

        // A piece in production is neither blocked, changed nor deleted.
        w.pieces().setCurrentRow(1);
        QCOMPARE(w.pieces().current()->id, busy);
        w.button(QStringLiteral("BLOCKCUT"))->click();
        w.pieces().changeRecord();
        w.pieces().deleteRecord();
        QCOMPARE(dialogs().messages(), (QStringList{QStringLiteral("Element przekazany do produkcji. Zmiany niemożliwe"),
                                                    QStringLiteral("Pozycja w produkcji. Zmiany niemożliwe"),
                                                    QStringLiteral("Pozycja w produkcji. Usunięcie niemożliwe")}));
        QCOMPARE(fetch<CutRecord>(busy).block, 0);

        // An open piece is deleted after the question; the position's totals follow.
        dialogs().clear();
        w.pieces().setCurrentRow(0);
        dialogs().planAnswers({0});
        w.pieces().deleteRecord();
        QCOMPARE(dialogs().shown().at(0).text, QStringLiteral("Usunąć zaznaczoną pozycję?"));
        QCOMPARE(w.pieces().model().rowCount(), 1);
        QCOMPARE(cell(w.positions(), 0, 1), QStringLiteral("1"));
    }

    void theOrderIconAndThePieceColumnsShowTheProgress()
    {
        const uint32_t p = profile(QStringLiteral("P"));
        const uint32_t o = order(QStringLiteral("Z/1"), 1);
        const uint32_t pos = position(o, p);
        const uint32_t cut = piece(pos, 2000, 1, 2);
        StockTransRecord t;
        t.profileCode = QStringLiteral("P");
        const uint32_t trans = add(t);
        StockTransItemRecord bar;
        bar.idTrans = trans;
        bar.heatNumber = QStringLiteral("W-77");
        const uint32_t barId = add(bar);
        StockTransSubitemRecord s;
        s.idTransitem = barId;
        s.idTrans = trans;
        s.cutlenghtId = cut;
        add(s);

        OrdersListWindow w(context(), handOvers());
        w.orders().chooseTab(1);
        QVERIFY(!w.orders().model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(cell(w.pieces(), 0, 5), QString::number(trans));
        QCOMPARE(cell(w.pieces(), 0, 6), QStringLiteral("W-77"));
        QVERIFY(!w.pieces().model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }
};

QTEST_MAIN(OrdersListQtTest)
#include "OrdersListQtTest.moc"
