// Pictures of the orders browse and of the piece form for the documentation: a small workshop's
// approved orders with their positions, pieces in every state (one of them sectioned, one blocked),
// a cutting order with its heat number, and the stock lengths of the highlighted position, one of
// them excluded for it.
//
//   orders-screenshot --output FILE.png [--piece-form FILE.png] [--language PL|EN]

#include "global/Database.h"
#include "global/Table.h"
#include "orders/gui/OrdersListWindow.h"
#include "orders/gui/PieceForm.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QTranslator>
#include <QTemporaryDir>

#include <cstdio>

using namespace global;

namespace {

struct Sample {
    Database& db;

    template <class R>
    uint32_t add(R record)
    {
        Table<R> table(db);
        table.addWithNewIdentifier(record);
        return toStoredValues(record).value(TableDef<R>::schema().identifierColumn).toUInt();
    }
    uint32_t profile(const QString& code, uint32_t remnant)
    {
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnant;
        p.uom = QStringLiteral("mm");
        return add(p);
    }
    uint32_t length(uint32_t profile, uint32_t lenght, int32_t own, uint32_t external = 0, int32_t incoming = 0,
                    uint16_t unlimited = 0, uint16_t blocked = 0)
    {
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = own;
        l.extStock = external;
        l.incomStock = incoming;
        l.unlimitedStock = unlimited;
        l.blockSelection = blocked;
        return add(l);
    }
    uint32_t order(const QString& number, const QString& customer, const QString& project, const QString& stage,
                   uint16_t status)
    {
        OrderRecord o;
        o.number = number;
        o.customer = customer;
        o.project = project;
        o.etap = stage;
        o.status = status;
        return add(o);
    }
    uint32_t position(uint32_t order, uint32_t profile, const QString& code, uint16_t block = 0)
    {
        OrderProfileRecord p;
        p.orderId = order;
        p.profileId = profile;
        p.profileCode = code;
        p.block = block;
        return add(p);
    }
    uint32_t piece(uint32_t order, uint32_t position, uint32_t profile, uint32_t lenght, uint32_t pcs, uint16_t status,
                   const QString& code, const QString& descr, uint32_t first = 0, uint16_t block = 0)
    {
        CutRecord c;
        c.orderId = order;
        c.orderProfileId = position;
        c.profileId = profile;
        c.lenght = lenght;
        c.pcs = pcs;
        c.status = status;
        c.code = code;
        c.description1 = descr;
        c.block = block;
        if (first > 0) {
            c.lenght1 = first;
            c.lenght2 = lenght - first;
            c.sectionPerc = 100.0 * first / lenght;
        }
        return add(c);
    }

    void fill()
    {
        const uint32_t al = profile(QStringLiteral("AL 40x40x2"), 500);
        const uint32_t rp = profile(QStringLiteral("RP 60x40x3"), 800);
        const uint32_t ce = profile(QStringLiteral("C 80"), 1000);
        length(al, 6500, 14, 0, 0, 1);
        const uint32_t excluded = length(al, 6000, 22, 10, 2);
        length(al, 3200, 3);
        length(al, 2400, 1, 0, 0, 0, 1);
        length(rp, 12000, 6, 4);
        length(ce, 12000, 3);

        const uint32_t z14 = order(QStringLiteral("Z/2026/014"), QStringLiteral("Tervox sp. z o.o."),
                                   QStringLiteral("Hala B"), QStringLiteral("1"), 1);
        const uint32_t z17 = order(QStringLiteral("Z/2026/017"), QStringLiteral("Metalbud"), QStringLiteral("Wiata"),
                                   QStringLiteral("2"), 1);
        order(QStringLiteral("Z/2026/018"), QStringLiteral("Okna-Pol"), QStringLiteral("Biuro"), QStringLiteral("1"), 1);
        order(QStringLiteral("Z/2026/021"), QStringLiteral("Tervox sp. z o.o."), QStringLiteral("Hala C"),
              QStringLiteral("1"), 0);
        const uint32_t alPos = position(z14, al, QStringLiteral("AL 40x40x2"));
        const uint32_t rpPos = position(z14, rp, QStringLiteral("RP 60x40x3"));
        position(z14, ce, QStringLiteral("C 80"), 1);
        const uint32_t cut = piece(z14, alPos, al, 2350, 12, 2, QStringLiteral("S-01"), QStringLiteral("Słupek"));
        piece(z14, alPos, al, 1875, 8, 1, QStringLiteral("S-02"), QStringLiteral("Rygiel"), 0, 1);
        piece(z14, alPos, al, 7400, 2, 1, QStringLiteral("R-11"), QStringLiteral("Belka łączona"), 4000);
        piece(z14, alPos, al, 950, 24, 1, QStringLiteral("P-04"), QStringLiteral("Wspornik"));
        piece(z14, rpPos, rp, 3150, 6, 1, QStringLiteral("K-02"), QStringLiteral("Rama"));
        const uint32_t rp17 = position(z17, rp, QStringLiteral("RP 60x40x3"));
        piece(z17, rp17, rp, 5200, 4, 3, QStringLiteral("K-07"), QStringLiteral("Podpora"));
        Table<OrderProfileBlockedLengthRecord>(db).add({z14, al, excluded});

        StockTransRecord t;
        t.profileCode = QStringLiteral("AL 40x40x2");
        t.profileId = al;
        const uint32_t trans = add(t);
        StockTransItemRecord bar;
        bar.idTrans = trans;
        bar.profileLenght = 6500;
        bar.heatNumber = QStringLiteral("W-2291");
        const uint32_t barId = add(bar);
        StockTransSubitemRecord s;
        s.idTransitem = barId;
        s.idTrans = trans;
        s.cutlenght = 2350;
        s.cutlenghtId = cut;
        s.orderId = z14;
        add(s);
    }
};

bool save(QWidget& widget, const QString& file)
{
    if (widget.grab().save(file))
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("output"), QStringLiteral("Picture of the browse (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("piece-form"), QStringLiteral("Picture of the piece form (PNG)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("PL or EN."), QStringLiteral("code"), QStringLiteral("PL")});
    parser.addHelpOption();
    parser.process(app);
    if (!parser.isSet(QStringLiteral("output"))) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }
    const bool english = parser.value(QStringLiteral("language")).toUpper() == QLatin1String("EN");
    QTranslator window;
    QTranslator shared;
    if (english) {
        if (window.load(QStringLiteral(":/i18n/orders_gui_en.qm")))
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
    Sample{db}.fill();
    ui::ScriptedWindowContext scripted(db);
    // Every button as the program shows it; the picture never presses them.
    orders::gui::OrdersListHandOvers handOvers;
    handOvers.optimizer = [](const orders::OptimizerRequest&, QWidget*) {};
    handOvers.lengthForm = [](ui::FormRequest, ProfileLengthRecord&, uint32_t, QWidget*) {
        return ui::FormResponse::Cancelled;
    };
    handOvers.selectProfile = [](QString&, QWidget*) { return ui::FormResponse::Cancelled; };
    handOvers.printOrder = [](uint32_t, QWidget*) {};
    orders::gui::OrdersListWindow browse(scripted.context, handOvers);
    browse.resize(1280, 960);
    browse.orders().chooseTab(1);   // the approved orders, one of them tagged
    browse.orders().model().toggleTag(1);
    browse.show();
    QTimer::singleShot(200, &app, &QApplication::quit);
    app.exec();
    if (!save(browse, parser.value(QStringLiteral("output"))))
        return 1;

    if (parser.isSet(QStringLiteral("piece-form"))) {
        const OrderProfileRecord* highlighted = browse.positions().current();
        browse.pieces().setCurrentRow(0);   // the sectioned piece, the longest
        if (!highlighted || !browse.pieces().current()) {
            std::fprintf(stderr, "The sample shows no piece\n");
            return 1;
        }
        const OrderProfileRecord position = *highlighted;
        orders::PieceForm form(scripted.context, ui::FormRequest::Change, position, *browse.pieces().current());
        form.show();
        QTimer::singleShot(200, &app, &QApplication::quit);
        app.exec();
        if (!save(form, parser.value(QStringLiteral("piece-form"))))
            return 1;
    }
    return 0;
}
