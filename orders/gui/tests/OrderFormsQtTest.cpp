// The order form and the piece form offscreen on a real database: the number refusals of the order
// form and its answer 40, the division of a piece into sections as the fields are left, a new length
// carrying the division along, and saving through the order procedures.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "orders/gui/OrderForm.h"
#include "orders/gui/PieceForm.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace global;
using namespace orders;
using ui::FormRequest;

class OrderFormsQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ui::ScriptedWindowContext> scripted_;

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

    OrderProfileRecord positionOfNewOrder(uint16_t status)
    {
        OrderRecord order;
        order.number = QStringLiteral("Z/1");
        order.status = status;
        ProfileRecord profile;
        profile.profileCode = QStringLiteral("PR-1");
        OrderProfileRecord position;
        position.orderId = add(order);
        position.profileId = add(profile);
        position.profileCode = profile.profileCode;
        position.id = add(position);
        return position;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        db_ = std::make_unique<Database>(dir_->path());
        QCOMPARE(db_->open(), 0);
        scripted_ = std::make_unique<ui::ScriptedWindowContext>(db());
    }

    void cleanup()
    {
        QVERIFY2(dialogs().unplanned().isEmpty(), qPrintable(dialogs().unplanned().join(QLatin1Char('|'))));
        scripted_.reset();
        db_.reset();
        dir_.reset();
    }

    void theOrderFormStoresANewOrderAndAnswers40ForAnotherOrdersNumber()
    {
        OrderForm form(context(), FormRequest::Insert, {});
        QCOMPARE(form.windowTitle(), QStringLiteral("Edycja rekordu zamówienia / zlecenia"));
        QCOMPARE(form.field(QStringLiteral("NUMBER"))->maxLength(), 20);
        form.pressSave();
        QCOMPARE(dialogs().messages(), QStringList{"Wprowadź numer zlecenia / zamówienia"});
        form.field(QStringLiteral("NUMBER"))->setText(QStringLiteral("Z/7"));
        form.field(QStringLiteral("CUSTOMER"))->setText(QStringLiteral("Tervox"));
        form.pressSave();
        QCOMPARE(form.response(), OrderResponse::Done);
        QCOMPARE(form.order().status, 0);
        const QList<OrderRecord> orders = Table<OrderRecord>(db()).rows(Table<OrderRecord>::Auto);
        QCOMPARE(orders.size(), 1);
        QCOMPARE(orders[0].customer, QStringLiteral("Tervox"));

        OrderRecord other;
        other.number = QStringLiteral("Z/8");
        other.id = add(other);
        OrderForm change(context(), FormRequest::Change, other);
        change.field(QStringLiteral("NUMBER"))->setText(QStringLiteral("Z/7"));
        change.pressSave();
        QCOMPARE(change.response(), OrderResponse::Duplicate);
        QCOMPARE(change.order().number, QStringLiteral("Z/7"));
        QCOMPARE(dialogs().messages().last(),
                 QStringLiteral("Zlecenie / zamówienie o takim numerze już istnieje. Duplikat niemożliwy"));
        OrderRecord stored = other;
        QCOMPARE(Table<OrderRecord>(db()).fetch(Table<OrderRecord>::Auto, stored), 0);
        QCOMPARE(stored.number, QStringLiteral("Z/8"));
    }

    void sectionsFollowTheFieldsAsTheyAreLeft()
    {
        const OrderProfileRecord position = positionOfNewOrder(1);
        CutRecord start;
        PieceForm form(context(), FormRequest::Insert, position, start);
        QCOMPARE(form.windowTitle(), QStringLiteral("Specyfikacja odcinka do wykonania"));
        form.enter(QStringLiteral("LENGHT"), QStringLiteral("6000"));
        form.enter(QStringLiteral("SECTION_PERC"), QStringLiteral("33,3"));
        QCOMPARE(form.field(QStringLiteral("LENGHT1"))->text(), QStringLiteral("1997"));
        QCOMPARE(form.field(QStringLiteral("LENGHT2"))->text(), QStringLiteral("4003"));
        form.enter(QStringLiteral("LENGHT2"), QStringLiteral("2000"));
        QCOMPARE(form.field(QStringLiteral("LENGHT1"))->text(), QStringLiteral("4000"));
        QVERIFY(form.field(QStringLiteral("SECTION_PERC"))->text().startsWith(QStringLiteral("66,66")));

        const int beeps = scripted_->beeper.count();
        form.enter(QStringLiteral("SECTION_PERC"), QStringLiteral("150"));
        QCOMPARE(scripted_->beeper.count(), beeps + 1);
        QVERIFY(form.field(QStringLiteral("LENGHT1"))->text().isEmpty());
        QVERIFY(form.field(QStringLiteral("SECTION_PERC"))->text().isEmpty());
        form.enter(QStringLiteral("LENGHT1"), QStringLiteral("6000"));   // the second section would be 0
        QVERIFY(form.field(QStringLiteral("LENGHT2"))->text().isEmpty());

        // A new length carries a division by percentage along.
        form.enter(QStringLiteral("SECTION_PERC"), QStringLiteral("25"));
        form.field(QStringLiteral("LENGHT"))->setText(QStringLiteral("4000"));
        form.field(QStringLiteral("PCS"))->setText(QStringLiteral("3"));
        form.pressSave();   // the length is taken even when its field was not left
        QCOMPARE(form.response(), OrderResponse::Done);
        const CutRecord stored = form.piece();
        QCOMPARE(stored.lenght, 4000u);
        QCOMPARE(stored.lenght1, 1000u);
        QCOMPARE(stored.lenght2, 3000u);
        QCOMPARE(stored.pcs, 3u);
        QCOMPARE(stored.status, 1);   // the order's status
        QCOMPARE(Table<CutRecord>(db()).rows(Table<CutRecord>::Auto).size(), 1);
    }

    void aRefusedPieceKeepsTheFormOpenAndChangesAreSaved()
    {
        const OrderProfileRecord position = positionOfNewOrder(0);
        CutRecord start;
        PieceForm empty(context(), FormRequest::Insert, position, start);
        empty.enter(QStringLiteral("LENGHT"), QStringLiteral("2500"));
        empty.pressSave();
        QCOMPARE(empty.response(), OrderResponse::Cancelled);
        QCOMPARE(dialogs().messages(), QStringList{"Poaj ilość sztuk"});
        QVERIFY(Table<CutRecord>(db()).rows(Table<CutRecord>::Auto).isEmpty());

        CutRecord piece;
        piece.orderId = position.orderId;
        piece.orderProfileId = position.id;
        piece.profileId = position.profileId;
        piece.lenght = 2500;
        piece.pcs = 2;
        piece.id = add(piece);
        PieceForm change(context(), FormRequest::Change, position, piece);
        QCOMPARE(change.field(QStringLiteral("LENGHT"))->text(), QStringLiteral("2500"));
        change.field(QStringLiteral("CODE"))->setText(QStringLiteral("K-1"));
        change.blockBox()->setChecked(true);
        change.pressSave();
        QCOMPARE(change.response(), OrderResponse::Done);
        CutRecord stored = piece;
        QCOMPARE(Table<CutRecord>(db()).fetch(Table<CutRecord>::Auto, stored), 0);
        QCOMPARE(stored.code, QStringLiteral("K-1"));
        QCOMPARE(stored.block, 1);
    }
};

QTEST_MAIN(OrderFormsQtTest)
#include "OrderFormsQtTest.moc"
