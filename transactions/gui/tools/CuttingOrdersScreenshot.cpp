// Pictures of the cutting-order list and of the bar/piece tree for the documentation: a small
// workshop's cutting orders, open and confirmed, one tagged and the bars of one with heat numbers.
//
//   cutting-orders-screenshot --list FILE.png --tree FILE.png [--language PL|EN]

#include "global/Database.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "optimizer/SolutionAcceptance.h"
#include "transactions/CuttingOrderSettlement.h"
#include "transactions/gui/CuttingOrdersWindow.h"
#include "transactions/gui/TransItemsWindow.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

using namespace global;

namespace {

struct Sample {
    Database& db;
    Services services;
    FixedClock& clock;

    template <class R>
    uint32_t add(R& record)
    {
        Table<R> table(db);
        table.addWithNewIdentifier(record);
        return record.id;
    }

    struct Profile {
        uint32_t id, length, order, position;
    };

    Profile profile(const QString& code, uint32_t remnant, const QString& orderNumber, const QString& customer)
    {
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnant;
        p.weight = 1.2;
        p.uom = QStringLiteral("mm");
        add(p);
        ProfileLengthRecord l;
        l.profileId = p.id;
        l.lenght = 6000;
        l.intStock = 40;
        l.typicalLength = 6000;
        add(l);
        OrderRecord o;
        o.number = orderNumber;
        o.customer = customer;
        o.status = 1;
        add(o);
        OrderProfileRecord op;
        op.orderId = o.id;
        op.profileId = p.id;
        add(op);
        return {p.id, l.id, o.id, op.id};
    }

    // bars of 6000, each cut into the given pieces.
    uint32_t accept(const Profile& p, const QList<QList<uint32_t>>& bars, const QString& description, QDate production)
    {
        kadrel::SolutionItemTable barRows;
        kadrel::SolutionSubitemTable pieceRows;
        uint32_t number = 0;
        for (const QList<uint32_t>& pieces : bars) {
            kadrel::SolutionItemRow bar;
            bar.id = ++number;
            bar.lenghtDbId = p.length;
            bar.lenght = 6000;
            uint32_t used = 0;
            for (const uint32_t piece : pieces) {
                CutRecord c;
                c.orderId = p.order;
                c.orderProfileId = p.position;
                c.profileId = p.id;
                c.status = 1;
                c.lenght = piece;
                c.pcs = 1;
                c.code = QStringLiteral("E-%1").arg(piece);
                c.description1 = QStringLiteral("Słupek");
                add(c);
                kadrel::SolutionSubitemRow row;
                row.itemId = bar.id;
                row.cutlenghtId = c.id;
                row.cutlenght = piece;
                pieceRows.append(row);
                used += piece + 5;
                bar.totalCutsLenght += piece;
            }
            bar.scrap = 6000 - used;
            barRows.append(bar);
        }
        const kadrel::AcceptanceResult r = kadrel::acceptSolution(db, services, p.id, barRows, pieceRows,
                                                                  kadrel::Statistics{},
                                                                  kadrel::AcceptanceEntry{description, production});
        clock.advance(47 * 60 * 1000);
        return r.transaction;
    }

    void heatNumbers(uint32_t transaction)
    {
        Table<StockTransItemRecord> items(db);
        int n = 0;
        for (StockTransItemRecord bar : items.rows(Table<StockTransItemRecord>::Auto)) {
            if (bar.idTrans != transaction || ++n > 2)
                continue;
            if (items.fetch(Table<StockTransItemRecord>::Auto, bar) != 0)
                qFatal("a bar of the sample cannot be read");
            bar.heatNumber = QStringLiteral("W-2026/%1").arg(410 + n);
            if (items.update(bar) != 0)
                qFatal("a heat number of the sample cannot be stored");
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("list"), QStringLiteral("Picture of the list (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("tree"), QStringLiteral("Picture of the tree (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("PL or EN."), QStringLiteral("code"), QStringLiteral("PL")});
    parser.addHelpOption();
    parser.process(app);
    if (!parser.isSet(QStringLiteral("list")) || !parser.isSet(QStringLiteral("tree"))) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }
    const bool english = parser.value(QStringLiteral("language")).toUpper() == QLatin1String("EN");
    QTranslator window;
    QTranslator shared;
    if (english) {
        if (window.load(QStringLiteral(":/i18n/transactions_gui_en.qm")))
            QCoreApplication::installTranslator(&window);
        if (shared.load(QStringLiteral(":/i18n/ui_en.qm")))
            QCoreApplication::installTranslator(&shared);
    }

    QTemporaryDir dir;
    Database db(dir.path());
    if (db.open() != 0) {
        std::fprintf(stderr, "Cannot open a database in %s\n", qPrintable(dir.path()));
        return 1;
    }
    ui::ScriptedWindowContext scripted(db);
    scripted.clock.set(QDateTime(QDate(2026, 5, 4), QTime(7, 40)));
    scripted.identity.setComputerName(QStringLiteral("HALA-2"));
    Sample sample{db, scripted.context.services, scripted.clock};
    const auto al = sample.profile(QStringLiteral("AL 40x40x2"), 500, QStringLiteral("Z/2026/014"), QStringLiteral("Brama-Tech"));
    const auto rp = sample.profile(QStringLiteral("RP 60x40x3"), 800, QStringLiteral("Z/2026/017"), QStringLiteral("Ogrody Nowak"));
    const auto ce = sample.profile(QStringLiteral("C 80"), 1000, QStringLiteral("Z/2026/021"), QStringLiteral("Stalmont"));
    const uint32_t first = sample.accept(al, {{2350, 2350, 1180}, {1875, 1875, 1875}, {2350, 1875}},
                                         QStringLiteral("Brama przesuwna"), QDate(2026, 5, 5));
    const uint32_t second = sample.accept(rp, {{3150, 2600}, {3150, 2600}}, QStringLiteral("Ogrodzenie - słupki"),
                                          QDate(2026, 5, 7));
    const uint32_t third = sample.accept(ce, {{2600, 2600}, {5200}}, QStringLiteral("Konstrukcja wiaty"), QDate(2026, 5, 7));
    sample.accept(al, {{950, 950, 950, 950, 950, 950}}, QStringLiteral("Listwy"), QDate(2026, 5, 12));
    sample.heatNumbers(first);
    transactions::closeTransaction(db, scripted.context.services, second, transactions::CloseMode::Close);
    Q_UNUSED(third);

    transactions::gui::CuttingOrdersHandOvers handOvers;
    handOvers.reportOutput = [] { return std::unique_ptr<ui::report::ReportOutput>(); };   // shows the buttons
    handOvers.spreadsheetExport = [](const QList<uint32_t>&, QWidget*) { return false; };
    transactions::gui::CuttingOrdersWindow list(scripted.context, handOvers);
    list.resize(1400, 420);
    list.setCurrentRow(1);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&list.list(), &space);
    list.setCurrentRow(0);
    list.show();

    transactions::gui::TransItemsWindow tree(scripted.context, first, {});
    tree.load();
    tree.highlightBar(0);
    tree.copyHeatNumber();
    tree.highlightBar(1, 0);
    tree.show();

    QTimer::singleShot(300, &app, &QApplication::quit);
    app.exec();
    if (!list.grab().save(parser.value(QStringLiteral("list"))) || !tree.grab().save(parser.value(QStringLiteral("tree")))) {
        std::fprintf(stderr, "Cannot write the pictures\n");
        return 1;
    }
    return 0;
}
