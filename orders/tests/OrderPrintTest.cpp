// The order print read back from its PDF: the header, one line per piece with its status letter,
// net and gross values and scrap share, the subtotal of a position with several lines, the order's
// total and "Z tego wycięto"; the scrap share never negative whatever lacks a cutting order; pieces
// abandoned, profiles in centimetres and profiles without a weight; a missing order, and Cancel.

#include "orders/OrderPrint.h"

#include "global/ErrorCodes.h"
#include "support/OrderScenario.h"
#include "ui/report/PdfOutput.h"
#include "ui/report/tests/support/GuiApplication.h"
#include "ui/report/tests/support/PdfText.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace global;
using orders::OrderPrint;
using orders::OrderPrintTotals;
using testing_support::squeezed;

namespace {

class OrderPrintTest : public testing_support::OrderScenario {
protected:
    static void SetUpTestSuite() { testing_support::ensureGuiApplication(); }

    void SetUp() override
    {
        OrderScenario::SetUp();
        clock.set(QDateTime(QDate(2026, 4, 2), QTime(9, 41)));
    }

    uint32_t weighedProfile(const QString& code, double weight, const QString& uom = QStringLiteral("mm"),
                            const QString& descr = {})
    {
        ProfileRecord p;
        p.profileCode = code;
        p.weight = weight;
        p.uom = uom;
        p.descr = descr;
        return add(p);
    }

    uint32_t fullOrder(const QString& number, uint16_t status)
    {
        OrderRecord o;
        o.number = number;
        o.status = status;
        o.customer = QStringLiteral("Okna Nowak");
        o.project = QStringLiteral("Hala B");
        o.etap = QStringLiteral("Etap II");
        return add(o);
    }

    void setScrap(uint32_t transaction, double perc)
    {
        Table<StockTransRecord> table(db);
        StockTransRecord t;
        t.id = transaction;
        ASSERT_EQ(table.fetch(Table<StockTransRecord>::Auto, t), 0);
        t.obsoleteScrapPerc = perc;
        ASSERT_EQ(table.update(t), 0);
    }

    void describe(uint32_t piece, const QString& code, const QString& d1, const QString& d2)
    {
        Table<CutRecord> table(db);
        CutRecord c;
        c.id = piece;
        ASSERT_EQ(table.fetch(Table<CutRecord>::Auto, c), 0);
        c.code = code;
        c.description1 = d1;
        c.description2 = d2;
        ASSERT_EQ(table.update(c), 0);
    }

    // The print of the order as text with the runs of spaces squeezed; empty when nothing was written.
    QString printed(uint32_t orderId)
    {
        const QString file = dir.filePath(QStringLiteral("order-%1.pdf").arg(orderId));
        ui::report::PdfOutput pdf(file);
        if (!orders::printOrder(db, services, orderId, pdf))
            return {};
        QStringList lines = squeezed(testing_support::pdfText(file)).split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = line.trimmed();
        return lines.join(QLatin1Char('\n'));
    }

    OrderPrintTotals totalsOf(uint32_t orderId, OrderPrint* out = nullptr)
    {
        OrderPrint print;
        QString error;
        EXPECT_EQ(orders::buildOrderPrint(db, services, orderId, print, error), 0) << error.toStdString();
        if (out)
            *out = print;
        return print.total;
    }
};

TEST_F(OrderPrintTest, PrintsLinesSubtotalsTotalsAndThePartAlreadyCut)
{
    const uint32_t rail = weighedProfile(QStringLiteral("AL-40"), 2.0, QStringLiteral("mm"), QStringLiteral("Rura 40x40"));
    const uint32_t post = weighedProfile(QStringLiteral("ST-20"), 1.5);
    const uint32_t order = fullOrder(QStringLiteral("ZL/7"), 1);
    const uint32_t railPosition = position(order, rail);
    const uint32_t postPosition = position(order, post);
    const uint32_t longRail = piece(railPosition, 3000, 2, 3);
    const uint32_t shortRail = piece(railPosition, 1500, 4, 3);
    const uint32_t postPiece = piece(postPosition, 2000, 3, 2);
    describe(longRail, QStringLiteral(" R1 "), QStringLiteral("rama"), QString());
    describe(postPiece, QString(), QString(), QStringLiteral(" słupek  "));
    setScrap(cuttingOrder(QStringLiteral("AL-40"), {longRail, shortRail}, 1), 5);
    setScrap(cuttingOrder(QStringLiteral("ST-20"), {postPiece}), 10);

    const QString text = printed(order);
    ASSERT_FALSE(text.isEmpty()) << dialogs.messages().join('\n').toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Zlecenie numer: ZL/7"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Status: Zatwierdzone")));
    EXPECT_TRUE(text.contains(QStringLiteral("Klient: Okna Nowak")));
    EXPECT_TRUE(text.contains(QStringLiteral("Projekt: Hala B")));
    EXPECT_TRUE(text.contains(QStringLiteral("Etap: Etap II")));
    EXPECT_TRUE(text.contains(QStringLiteral("Wydrukowane dnia: 2026-04-02 godz: 09:41 Strona: 1 Operator: operator PC: STATION1")));

    // One line per piece, longest first within its position; the code only on the first line;
    // 12 kg at 5 % makes 12.63 kg gross.
    EXPECT_TRUE(text.contains(QStringLiteral("AL-40 3000 2 G 6,00 12,00 6,32 5,00 % 12,63 R1 rama"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n1500 4 G 6,00 12,00 6,32 5,00 % 12,63 Rura 40x40"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ST-20 2000 3 P 6,00 9,00 6,67 10,00 % 10,00 słupek"))) << text.toStdString();
    // Only the position with two lines has a subtotal.
    EXPECT_EQ(text.count(QStringLiteral("Suma dla profila")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Suma dla profila 6 12,00 24,00 12,63 5,00 % 25,26"))) << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("Suma dla profila")), text.indexOf(QStringLiteral("ST-20 2000")));
    // 33 kg net, 35.26 kg gross: 6.42 %.
    EXPECT_TRUE(text.contains(QStringLiteral("Suma dla zamówienia 9 18,00 33,00 19,30 6,42 % 35,26"))) << text.toStdString();
    // The pieces cut are the two rail lines.
    EXPECT_TRUE(text.contains(QStringLiteral("Z tego wycięto 6 12,00 24,00 12,63 5,00 % 25,26"))) << text.toStdString();
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join('\n').toStdString();
}

TEST_F(OrderPrintTest, PiecesWithoutACuttingOrderNeverMakeTheScrapNegative)
{
    // A rail cut with 5 % scrap, a heavy profile still waiting in one line, a position with an
    // abandoned line, and a piece in production whose cutting order holds an impossible share.
    const uint32_t rail = weighedProfile(QStringLiteral("AL-40"), 2.0);
    const uint32_t heavy = weighedProfile(QStringLiteral("HEB-200"), 61.3);
    const uint32_t plate = weighedProfile(QStringLiteral("PL-5"), 1.0);
    const uint32_t order = fullOrder(QStringLiteral("ZL/8"), 1);
    const uint32_t railPiece = piece(position(order, rail), 2000, 5, 3);
    piece(position(order, heavy), 6000, 10, 1);
    const uint32_t platePosition = position(order, plate);
    const uint32_t badShare = piece(platePosition, 1000, 2, 2);
    piece(platePosition, 500, 2, 4);
    setScrap(cuttingOrder(QStringLiteral("AL-40"), {railPiece}, 1), 5);
    setScrap(cuttingOrder(QStringLiteral("PL-5"), {badShare}), 100);

    OrderPrint print;
    const OrderPrintTotals total = totalsOf(order, &print);
    // The abandoned line counts in no total: 5 + 10 + 2 pieces.
    EXPECT_EQ(total.pcs, 17u);
    EXPECT_NEAR(total.weight, 20.0 + 3678.0 + 2.0, 1e-9);
    EXPECT_NEAR(total.scrap, 5.0, 1e-9);
    EXPECT_NEAR(print.made.scrap, 5.0, 1e-9);
    ASSERT_EQ(print.positions.size(), 3u);
    EXPECT_EQ(print.positions[2].totals.scrap, 0.0);   // its lines lack a usable cutting order
    EXPECT_EQ(print.positions[2].lines[0].brutLenght, 0.0);

    const QString text = printed(order);
    EXPECT_TRUE(text.contains(QStringLiteral("Suma dla zamówienia 17 72,00 3700,00 10,53 5,00 % 21,05"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("-\\d+,\\d\\d %")))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("inf"))) << text.toStdString();
    // The abandoned line prints with its length and weight.
    EXPECT_TRUE(text.contains(QStringLiteral("500 2 A 1,00 1,00"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Suma dla profila 2 2,00 2,00\n"))) << text.toStdString();
}

TEST_F(OrderPrintTest, CentimetresMissingWeightsAndNoPieceCut)
{
    const uint32_t inCm = weighedProfile(QStringLiteral("DREW-1"), 0.5, QStringLiteral("cm"));
    const uint32_t unweighed = weighedProfile(QStringLiteral("PCV-9"), 0);
    const uint32_t order = fullOrder(QStringLiteral("ZL/9"), 0);
    const uint32_t timber = piece(position(order, inCm), 250, 4, 2);   // 4 × 2.5 m
    piece(position(order, unweighed), 1000, 1, 0);
    setScrap(cuttingOrder(QStringLiteral("DREW-1"), {timber}), 20);

    OrderPrint print;
    const OrderPrintTotals total = totalsOf(order, &print);
    EXPECT_FALSE(print.weightsMeaningful);
    EXPECT_NEAR(total.totalLenght, 11.0, 1e-9);
    EXPECT_EQ(total.weight, 0.0);
    EXPECT_EQ(total.brutWeight, 0.0);
    EXPECT_EQ(total.scrap, 0.0);
    EXPECT_FALSE(print.anyCut());

    const QString text = printed(order);
    EXPECT_TRUE(text.contains(QStringLiteral("Status: Nowe")));
    // The line itself keeps its weight: 10 m × 0.5 kg, 12.5 m gross at 20 %.
    EXPECT_TRUE(text.contains(QStringLiteral("DREW-1 250 4 P 10,00 5,00 12,50 20,00 % 6,25"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("PCV-9 1000 1 N 1,00\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Suma dla zamówienia 5 11,00 12,50\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Z tego wycięto")));
}

TEST_F(OrderPrintTest, ACutPieceWhoseCuttingOrderIsGoneStillCountsAsCut)
{
    const uint32_t rail = weighedProfile(QStringLiteral("AL-40"), 2.0);
    const uint32_t order = fullOrder(QStringLiteral("ZL/11"), 3);
    const uint32_t railPosition = position(order, rail);
    const uint32_t withOrder = piece(railPosition, 3000, 1, 3);
    piece(railPosition, 2000, 2, 3);   // its cutting order has been removed from the database
    setScrap(cuttingOrder(QStringLiteral("AL-40"), {withOrder}, 1), 20);

    OrderPrint print;
    totalsOf(order, &print);
    EXPECT_EQ(print.made.pcs, 3u);
    EXPECT_NEAR(print.made.totalLenght, 7.0, 1e-9);
    EXPECT_NEAR(print.made.weight, 14.0, 1e-9);
    // The share is taken over the piece that has its cutting order: 6 kg net, 7.5 kg gross.
    EXPECT_NEAR(print.made.scrap, 20.0, 1e-9);
    EXPECT_NEAR(print.total.scrap, 20.0, 1e-9);
    EXPECT_EQ(print.positions[0].totals.scrap, 0.0);   // not every line has its cutting order

    const QString text = printed(order);
    EXPECT_TRUE(text.contains(QStringLiteral("Status: Zamknięte")));
    EXPECT_TRUE(text.contains(QStringLiteral("Z tego wycięto 3 7,00 14,00 3,75 20,00 % 7,50"))) << text.toStdString();
}

TEST_F(OrderPrintTest, StatusTextsAndLetters)
{
    EXPECT_EQ(orders::orderStatusText(0), QStringLiteral("Nowe"));
    EXPECT_EQ(orders::orderStatusText(1), QStringLiteral("Zatwierdzone"));
    EXPECT_EQ(orders::orderStatusText(2), QString());
    EXPECT_EQ(orders::orderStatusText(3), QStringLiteral("Zamknięte"));
    EXPECT_EQ(QStringList({orders::cutStatusLetter(0), orders::cutStatusLetter(1), orders::cutStatusLetter(2),
                           orders::cutStatusLetter(3), orders::cutStatusLetter(4), orders::cutStatusLetter(5)}),
              QStringList({"N", "Z", "P", "G", "A", ""}));
}

TEST_F(OrderPrintTest, AMissingOrderOrCancelWritesNoFile)
{
    const QString missing = dir.filePath(QStringLiteral("missing.pdf"));
    ui::report::PdfOutput pdf(missing);
    EXPECT_FALSE(orders::printOrder(db, services, 77, pdf));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Systemowy błąd odwołania do zamówienia. Numer błędu = 35")});
    EXPECT_FALSE(QFileInfo::exists(missing));

    const uint32_t order = fullOrder(QStringLiteral("ZL/10"), 1);
    piece(position(order, weighedProfile(QStringLiteral("AL-40"), 2.0)), 1000, 1, 1);
    piece(position(order, weighedProfile(QStringLiteral("AL-50"), 2.0)), 1000, 1, 1);
    ScriptedProgress progress;
    progress.cancelAt(1);
    Services cancelling{dialogs, clipboard, clock, identity, noFileChooser(), runUserValues(), progress};
    dialogs.clear();
    const QString cancelled = dir.filePath(QStringLiteral("cancelled.pdf"));
    ui::report::PdfOutput cancelledPdf(cancelled);
    EXPECT_FALSE(orders::printOrder(db, cancelling, order, cancelledPdf));
    EXPECT_FALSE(QFileInfo::exists(cancelled));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(progress.texts().value(0), QStringLiteral("Progress..."));
}

} // namespace
