// Closing an order: refused while its pieces wait in open cutting orders, the question over the
// pieces never cut, which are then abandoned, and all or nothing.

#include "orders/OrderUpdate.h"
#include "support/OrderScenario.h"

using namespace global;
using namespace orders;

namespace {

class OrderCloseTest : public testing_support::OrderScenario {};

TEST_F(OrderCloseTest, AnOrderWithoutPiecesIsClosedAfterTheQuestion)
{
    const uint32_t o = order("Z/1", 1);
    dialogs.planAnswers({1});
    EXPECT_EQ(closeOrder(db, services, o), OrderResponse::Cancelled);
    EXPECT_EQ(fetch<OrderRecord>(o).status, 1);
    dialogs.planAnswers({0});
    EXPECT_EQ(closeOrder(db, services, o), OrderResponse::Done);
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Czy na pewno zamknąć wskazane zamówienie ?"));
    EXPECT_EQ(fetch<OrderRecord>(o).status, 3);
}

TEST_F(OrderCloseTest, PiecesNeverCutAreListedAndAbandonedOnYes)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    const uint32_t uncut = piece(pos, 6000, 2, 0);
    const uint32_t cut = piece(pos, 3000, 1, 3);
    const uint32_t approved = piece(position(o, profile("PR-2")), 1500, 4, 1);

    dialogs.planAnswers({1});
    EXPECT_EQ(closeOrder(db, services, o), OrderResponse::Cancelled);
    EXPECT_EQ(dialogs.shown().last().text,
              QStringLiteral("Następujące odcinki nie zostały wycięte:||PR-1\t6000\t2|PR-2\t1500\t4||Czy pomimo to "
                             "chcesz zamknąć zamówienie ?"));
    EXPECT_EQ(fetch<CutRecord>(uncut).status, 0);

    dialogs.planAnswers({0});
    EXPECT_EQ(closeOrder(db, services, o), OrderResponse::Done);
    EXPECT_EQ(fetch<CutRecord>(uncut).status, 4);
    EXPECT_EQ(fetch<CutRecord>(approved).status, 4);
    EXPECT_EQ(fetch<CutRecord>(cut).status, 3);
    EXPECT_EQ(fetch<OrderRecord>(o).status, 3);
}

TEST_F(OrderCloseTest, PiecesWaitingInAnOpenCuttingOrderPreventClosing)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    const uint32_t inProduction = piece(pos, 2500, 1, 2);
    piece(pos, 1000, 1, 1);
    cuttingOrder(QStringLiteral("PR-1"), {inProduction});
    const uint32_t other = order("Z/2", 1);
    const uint32_t confirmedPiece = piece(position(other, profile("PR-2")), 700, 1, 3);
    cuttingOrder(QStringLiteral("PR-2"), {confirmedPiece}, 1);
    const std::string before = testing_support::databaseSnapshot(db);

    EXPECT_EQ(closeOrder(db, services, o), OrderResponse::Cancelled);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].text,
              QStringLiteral("Następujące odcinki czekają na potwierdzenie wykonania w Poleceniach Cięcia||"
                             "PR-1\t6000\t2500||Zamknięcie niemożliwe przed usunięciem lub potwierdzeniem wykonania"));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    // A confirmed cutting order holds nothing back.
    dialogs.planAnswers({0});
    EXPECT_EQ(closeOrder(db, services, other), OrderResponse::Done);
}

TEST_F(OrderCloseTest, PiecesChangedWhileTheQuestionWasOpenStopTheClosing)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    piece(pos, 6000, 2, 1);
    // Another station adds a piece while the operator reads the list.
    global::ScriptedDialogs& shown = dialogs;
    class AddingDialogs : public Dialogs {
    public:
        AddingDialogs(ScriptedDialogs& inner, std::function<void()> meanwhile) : inner_(inner), meanwhile_(meanwhile) {}
        void message(const QString& text, const QString& caption) override { inner_.message(text, caption); }
        int ask(const QString& text, const QStringList& buttons, const QString& caption) override
        {
            meanwhile_();
            return inner_.ask(text, buttons, caption);
        }

    private:
        ScriptedDialogs& inner_;
        std::function<void()> meanwhile_;
    } adding(shown, [&] { piece(pos, 1000, 1, 1); });
    Services racing{adding, clipboard, clock, identity};
    dialogs.planAnswers({0});
    EXPECT_EQ(closeOrder(db, racing, o), OrderResponse::Cancelled);
    EXPECT_TRUE(dialogs.shown().last().text.contains(QStringLiteral("zmienione na innym stanowisku")));
    EXPECT_EQ(fetch<OrderRecord>(o).status, 1);
    EXPECT_EQ(pieceStatuses(), (QList<uint16_t>{1, 1}));
}

TEST_F(OrderCloseTest, ClosingWritesAllOrNothing)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    piece(pos, 6000, 2, 1);
    piece(pos, 3000, 1, 3);
    piece(pos, 2000, 1, 0);
    // Two abandoned pieces and the order.
    EXPECT_EQ(failEachWriteInTurn([&] {
                  dialogs.planAnswers({0});
                  return closeOrder(db, services, o) == OrderResponse::Done;
              }),
              3);
    EXPECT_EQ(pieceStatuses(), (QList<uint16_t>{4, 3, 4}));
}

} // namespace
