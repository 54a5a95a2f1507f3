// Pasted imports of orders, pieces and profiles: what they write and say, the rows they leave
// out, the pastes they refuse whole, and all or nothing whichever write fails.

#include "global/Globals.h"
#include "orders/OrderImports.h"
#include "support/OrderScenario.h"

using namespace global;
using namespace orders;

namespace {

class OrderImportsTest : public testing_support::OrderScenario {
protected:
    void SetUp() override
    {
        OrderScenario::SetUp();
        glo() = Globals{};
    }

    CutRecord pieceOf(const QString& code, uint32_t lenght)
    {
        for (const CutRecord& c : all<CutRecord>())
            if (c.lenght == lenght && fetch<ProfileRecord>(c.profileId).profileCode == code)
                return c;
        ADD_FAILURE() << "no piece " << code.toStdString() << " " << lenght;
        return {};
    }
};

const QString OrderPaste = QStringLiteral(
    "Zamówienie\tOpis\tKod profila\tDługość\tSzt\r\n"    // a header: no length, left out
    "Z/100\tRama\tPR-1\t6000\t2\r\n"
    "Z/100\tRama\tpr-1\t6 000,4\t3\r\n"                  // the same profile and length: counts add up
    "Z/100\tSłupek\tPR-2\t2500,5\t1\r\n"
    "Z/101\t\tPR-2\t1200\t4\r\n"
    "Z/101\t\tPR-2\t0\t4\r\n"                            // no length: left out
    "Z/101\t\tPR-2\t1200\t-1\r\n"                        // negative count: left out
    "Z/101\t\tPR-2\t1200\t99999999999");                 // too many: left out

TEST_F(OrderImportsTest, PastedOrdersBecomeOrdersPositionsAndPieces)
{
    profile("PR-1", "Profil ramy");
    profile("PR-2");
    const ImportSummary summary = importOrders(db, services, OrderPaste);
    ASSERT_TRUE(summary.written) << summary.message.toStdString();
    EXPECT_EQ(summary.orders, 2);
    EXPECT_EQ(summary.positions, 3);
    EXPECT_EQ(summary.pieces, 3);
    EXPECT_EQ(summary.merged, 1);
    EXPECT_EQ(summary.leftOut, 4);
    EXPECT_EQ(summary.descriptions, 1);
    EXPECT_EQ(dialogs.messages(),
              QStringList{"Dane poprawnie przepisane do bazy danych|Zamówienia: 2, pozycje: 3, odcinki: 3|Wiersze dodane "
                          "do odcinka o tej samej długości: 1|Uzupełnione opisy profili: 1|Pominięte wiersze bez "
                          "długości lub ilości (od 1 do 2147483647): 4"});

    const QList<OrderRecord> orders = all<OrderRecord>();
    ASSERT_EQ(orders.size(), 2);
    EXPECT_EQ(orders[0].number, QStringLiteral("Z/100"));
    EXPECT_EQ(orders[0].status, 0);
    EXPECT_EQ(pieceOf("PR-1", 6000).pcs, 5u);
    EXPECT_EQ(pieceOf("PR-2", 2501).pcs, 1u);   // 2500,5 rounds half away from zero
    EXPECT_EQ(pieceOf("PR-2", 1200).orderId, orders[1].id);
    EXPECT_EQ(fetch<ProfileRecord>(2).descr, QStringLiteral("Słupek"));          // was blank
    EXPECT_EQ(fetch<ProfileRecord>(1).descr, QStringLiteral("Profil ramy"));     // never overwritten
    for (const CutRecord& c : all<CutRecord>())
        EXPECT_EQ(fetch<OrderProfileRecord>(c.orderProfileId).profileId, c.profileId);
}

TEST_F(OrderImportsTest, LineEndsOfEveryKindGiveTheSameOrders)
{
    profile("PR-1");
    const QString rows = QStringLiteral("Z/1\tA\tPR-1\t100\t1|Z/1\tA\tPR-1\t200\t2|Z/2\tB\tPR-1\t300\t3");
    QList<QList<uint32_t>> seen;
    for (const QString& end : {QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral("\r\n")}) {
        QString text = rows;
        text.replace(QLatin1Char('|'), end);
        text.replace(QStringLiteral("Z/"), QStringLiteral("Z%1/").arg(seen.size()));
        ASSERT_TRUE(importOrders(db, services, text).written);
        QList<uint32_t> lengths;
        for (const CutRecord& c : all<CutRecord>())
            if (fetch<OrderRecord>(c.orderId).number.startsWith(QStringLiteral("Z%1/").arg(seen.size())))
                lengths << c.lenght << c.pcs;
        seen << lengths;
    }
    EXPECT_EQ(seen[0], (QList<uint32_t>{100, 1, 200, 2, 300, 3}));
    EXPECT_EQ(seen[1], seen[0]);
    EXPECT_EQ(seen[2], seen[0]);
}

TEST_F(OrderImportsTest, AnyRowThatCannotBeStoredRefusesThePasteWhole)
{
    profile("PR-1", "Opis");
    profile("PR-2");
    order("Z/7");
    const std::string before = testing_support::databaseSnapshot(db);
    const auto refused = [&](const QString& text, const QString& expected) {
        dialogs.clear();
        const ImportSummary summary = importOrders(db, services, text);
        EXPECT_FALSE(summary.written);
        EXPECT_EQ(summary.orders + summary.pieces + summary.descriptions, 0);
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].startsWith(expected)) << dialogs.messages()[0].toStdString();
        EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    };
    refused("Z/1\tOpis2\tPR-2\t100\t1\nZ/1\t\tXX-9\t100\t1",
            "System nie znalazł profila XX-9 w bazie danych. Dopisz ten materiał i spróbuj ponownie|Nic nie");
    refused("Z/1\tOpis2\tPR-2\t100\t1\nZ/7\t\tPR-1\t100\t1",
            "Zamówienie o numerze Z/7 już istnieje w bazie danych. Transfer niemożliwy|Nic nie");
    refused("Z/1\t\tPR-1\t100\t1\n\x01\t\tPR-1\t100\t1", "Wiersz 2: brak pola \"Zamówienie\"");
    refused("Z/1\t\t \t100\t1", "Wiersz 1: brak pola \"Kod profila\"");
    refused("Z/1\t\tPR-1\t100\t2147483647\nZ/1\t\tPR-1\t100\t1", "Wiersz 2: łączna ilość sztuk");
    refused("Zamówienie\tOpis\tKod\r\n\r\n", "Nic nie zostało dodane do bazy danych.|Prawdopodobnie zły format danych");
}

TEST_F(OrderImportsTest, TheClipboardIsEmptiedOnlyWhenTheRowsWereWritten)
{
    profile("PR-1");
    clipboard.setText(QStringLiteral("Z/1\t\tXX\t100\t1"));
    EXPECT_FALSE(importOrdersFromClipboard(db, services).written);
    EXPECT_FALSE(clipboard.text().isEmpty());
    clipboard.setText(QStringLiteral("Z/1\t\tPR-1\t100\t1"));
    EXPECT_TRUE(importOrdersFromClipboard(db, services).written);
    EXPECT_TRUE(clipboard.text().isEmpty());
}

TEST_F(OrderImportsTest, PastedPiecesJoinThePositionWithItsStatusAndBlock)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"), 1);
    const ImportSummary summary = importPieces(db, services, o, pos,
                                               "1200\t2\tA1\tOpis 1\tOpis 2\n1200\t2\tA1\tOpis 1\tOpis 2\n0\t5\n800\t1");
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.pieces, 3);   // identical lines are two pieces
    EXPECT_EQ(summary.leftOut, 1);
    const QList<CutRecord> cuts = all<CutRecord>();
    ASSERT_EQ(cuts.size(), 3);
    for (const CutRecord& c : cuts) {
        EXPECT_EQ(c.status, 1);
        EXPECT_EQ(c.block, 1);
        EXPECT_EQ(c.orderProfileId, pos);
    }
    EXPECT_EQ(cuts[0].description2, QStringLiteral("Opis 2"));
    EXPECT_TRUE(cuts[2].code.isEmpty());
    EXPECT_TRUE(dialogs.messages().last().contains(QStringLiteral("Odcinki: 3 (sztuk: 5)")));

    // Pieces of a closed order would count as cut: refused; so is a position of another order.
    const uint32_t closed = order("Z/2", 3);
    const uint32_t closedPos = position(closed, profile("PR-2"));
    EXPECT_FALSE(importPieces(db, services, closed, closedPos, "100\t1").written);
    EXPECT_FALSE(importPieces(db, services, o, closedPos, "100\t1").written);
    EXPECT_EQ(all<CutRecord>().size(), 3);
}

TEST_F(OrderImportsTest, PastedProfilesAreAddedButTheCatalogueIsNeverOverwritten)
{
    glo().defUom = QStringLiteral("cm");
    profile("PR-1", "Stary opis");
    const ImportSummary summary = importProfiles(
        db, services, "Indeks\tOpis\tOdp.\npr-1\tNowy opis\t500\nPR-9\tKątownik\t300\nPR-9\tDrugi raz\t200\nPR-10\t\t0");
    ASSERT_TRUE(summary.written);
    EXPECT_EQ(summary.profiles, 1);
    EXPECT_EQ(summary.existing, 2);
    EXPECT_EQ(summary.leftOut, 2);
    const QList<ProfileRecord> profiles = all<ProfileRecord>();
    ASSERT_EQ(profiles.size(), 2);
    EXPECT_EQ(profiles[0].descr, QStringLiteral("Stary opis"));
    EXPECT_EQ(profiles[1].profileCode, QStringLiteral("PR-9"));
    EXPECT_EQ(profiles[1].descr, QStringLiteral("Kątownik"));
    EXPECT_EQ(profiles[1].remnantLenght, 300u);
    EXPECT_EQ(profiles[1].uom, QStringLiteral("cm"));
    EXPECT_EQ(profiles[1].status, 0);

    dialogs.clear();
    EXPECT_FALSE(importProfiles(db, services, "PR-11\tA\t100\n\tB\t100").written);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(QStringLiteral("Wiersz 2: brak pola \"Indeks\"")));
    EXPECT_EQ(all<ProfileRecord>().size(), 2);
}

TEST_F(OrderImportsTest, EveryImportWritesAllOrNothing)
{
    profile("PR-1");
    profile("PR-2");
    // Two profile descriptions, two orders, three positions and three pieces.
    EXPECT_EQ(failEachWriteInTurn([&] { return importOrders(db, services, OrderPaste).written; }), 10);
    const uint32_t o = order("Z/9", 1);
    const uint32_t pos = position(o, profile("PR-3"));
    EXPECT_EQ(failEachWriteInTurn([&] { return importPieces(db, services, o, pos, "100\t1\n200\t2\n300\t3").written; }), 3);
    EXPECT_EQ(failEachWriteInTurn([&] { return importProfiles(db, services, "N-1\t\t10\nN-2\t\t20").written; }), 2);
}

} // namespace
