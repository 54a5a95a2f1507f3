// Pictures of the profile catalogue for the documentation: a small workshop's profiles with their
// stock lengths and pieces, one length tagged, one excluded from optimisation, a hidden length and a
// hidden profile shown on the tabs "Wszystkie".
//
//   catalogue-screenshot --output FILE.png [--language PL|EN]

#include "global/Database.h"
#include "global/Table.h"
#include "stock/gui/ProfileCatalogueWindow.h"
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

    uint32_t profile(const QString& code, const QString& descr, uint32_t remnant, double weight, uint16_t status = 0)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.profileCode = code;
        p.descr = descr;
        p.remnantLenght = remnant;
        p.weight = weight;
        p.status = status;
        p.uom = QStringLiteral("mm");
        p.price = weight * 11.5;
        profiles.addWithNewIdentifier(p);
        return p.id;
    }
    void length(uint32_t profile, uint32_t lenght, int32_t own, uint32_t external = 0, int32_t incoming = 0,
                uint16_t unlimited = 0, uint16_t blocked = 0, uint32_t status = 0)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = own;
        l.extStock = external;
        l.incomStock = incoming;
        l.unlimitedStock = unlimited;
        l.blockSelection = blocked;
        l.status = status;
        l.typicalLength = lenght >= 6000 ? lenght : 0;
        lengths.addWithNewIdentifier(l);
    }
    void order(uint32_t id, const QString& number)
    {
        Table<OrderRecord> orders(db);
        OrderRecord o;
        o.id = id;
        o.number = number;
        o.status = 1;
        orders.add(o);
    }
    void piece(uint32_t profile, uint32_t order, uint32_t lenght, uint32_t pcs, uint16_t status, const QString& code,
               uint32_t first = 0, uint16_t block = 0)
    {
        Table<CutRecord> cuts(db);
        CutRecord c;
        c.profileId = profile;
        c.orderId = order;
        c.lenght = lenght;
        c.pcs = pcs;
        c.status = status;
        c.code = code;
        c.block = block;
        if (first > 0) {
            c.lenght1 = first;
            c.lenght2 = lenght - first;
            c.sectionPerc = 100.0 * first / lenght;
        }
        cuts.addWithNewIdentifier(c);
    }

    void fill()
    {
        order(1, QStringLiteral("Z/2026/014"));
        order(2, QStringLiteral("Z/2026/017"));
        const uint32_t al = profile(QStringLiteral("AL 40x40x2"), QStringLiteral("Kątownik aluminiowy"), 500, 0.84);
        length(al, 6500, 14, 0, 0, 1);
        length(al, 6000, 22, 10, 2);
        length(al, 3200, 3);
        length(al, 2400, 0, 0, 1, 0, 1);
        length(al, 1800, 2, 0, 0, 0, 0, 1);
        piece(al, 1, 2350, 12, 1, QStringLiteral("S-01"));
        piece(al, 1, 1875, 8, 1, QStringLiteral("S-02"), 0, 1);
        piece(al, 2, 7400, 2, 1, QStringLiteral("R-11"), 4000);
        piece(al, 2, 950, 24, 0, QStringLiteral("P-04"));
        const uint32_t rp = profile(QStringLiteral("RP 60x40x3"), QStringLiteral("Rura prostokątna stal"), 800, 4.37);
        length(rp, 12000, 6, 4);
        length(rp, 6000, 11);
        piece(rp, 1, 3150, 6, 1, QStringLiteral("K-02"));
        piece(rp, 2, 5200, 4, 2, QStringLiteral("K-07"));
        const uint32_t ce = profile(QStringLiteral("C 80"), QStringLiteral("Ceownik zimnogięty"), 1000, 6.2);
        length(ce, 12000, 3);
        piece(ce, 2, 2600, 9, 0, QStringLiteral("B-01"));
        const uint32_t pl = profile(QStringLiteral("PL 50x5"), QStringLiteral("Płaskownik"), 300, 1.96);
        length(pl, 6000, 40, 0, 0, 1);
        profile(QStringLiteral("T 30"), QStringLiteral("Teownik (wycofany)"), 300, 1.77, 1);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("output"), QStringLiteral("Picture to write (PNG)."), QStringLiteral("file")});
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
        if (window.load(QStringLiteral(":/i18n/stock_gui_en.qm")))
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
    // The optimizer buttons as the program shows them; the picture never presses them.
    stock::CatalogueHandOvers handOvers;
    handOvers.optimizer = [](const stock::OptimizerRequest&, QWidget*) {};
    stock::ProfileCatalogueWindow catalogue(scripted.context, handOvers);
    catalogue.resize(1280, 800);
    catalogue.lengths().chooseTab(1);
    catalogue.lengths().setCurrentRow(1);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&catalogue.lengths().list(), &space);
    catalogue.show();
    QTimer::singleShot(200, &app, &QApplication::quit);
    app.exec();
    if (!catalogue.grab().save(parser.value(QStringLiteral("output")))) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(parser.value(QStringLiteral("output"))));
        return 1;
    }
    return 0;
}
