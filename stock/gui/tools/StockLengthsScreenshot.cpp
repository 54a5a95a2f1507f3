// Pictures of the stock-length form and of the stock-log window for the documentation, on a small
// database of their own: one profile with two lengths whose counts were set by hand, booked into a
// cutting order and settled.
//
//   stock-lengths-screenshot --window form|log --output FILE.png [--language PL|EN]

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/StockBooking.h"
#include "global/Table.h"
#include "stock/StockLengths.h"
#include "stock/gui/LengthForm.h"
#include "stock/gui/StockLogWindow.h"
#include "ui/form/RecordForm.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

using namespace global;

namespace {

bool fail(const char* what)
{
    std::fprintf(stderr, "Cannot prepare the sample: %s\n", what);
    return false;
}

// A cutting order takes `bars` bars of the length into production, or settles them.
bool book(Database& db, ui::ScriptedWindowContext& scripted, StockOperation operation, uint32_t order,
          uint32_t lengthId, const StockMove& move)
{
    Transaction tx(db, 3000);
    StockBooking booking(db, operation, LogStamp::of(scripted.clock, scripted.identity), order);
    return tx.ok() && booking.begin() == 0 && booking.move(lengthId, move) == 0 && booking.finish() == 0
        && tx.commit() == 0;
}

bool fillSample(Database& db, ui::ScriptedWindowContext& scripted)
{
    Table<ProfileRecord> profiles(db);
    ProfileRecord profile;
    profile.id = 1;
    profile.profileCode = QStringLiteral("KW-40x40x2");
    if (profiles.add(profile) != 0)
        return fail("profile");
    stock::LengthForm form(db, scripted.context.services);
    ProfileLengthRecord bar;
    bar.lenght = 6000;
    bar.intStock = 24;
    bar.extStock = 10;
    bar.typicalLength = 1;
    if (form.insert(1, bar) != stock::LengthResponse::Done)
        return fail("6000 mm");
    scripted.clock.advance(3600 * 1000);
    ProfileLengthRecord shorter;
    shorter.lenght = 3000;
    shorter.intStock = 6;
    shorter.typicalLength = 1;
    if (form.insert(1, shorter) != stock::LengthResponse::Done)
        return fail("3000 mm");
    scripted.clock.advance(26 * 3600 * 1000);
    if (!book(db, scripted, StockOperation::CuttingOrderCreated, 12, bar.id, StockMove::inProduction(-8)))
        return fail("cutting order");
    scripted.clock.advance(22 * 3600 * 1000);
    if (!book(db, scripted, StockOperation::CuttingOrderConfirmed, 12, bar.id, StockMove{-8, 0, 8}))
        return fail("confirmation");
    scripted.clock.advance(2 * 3600 * 1000);
    ProfileLengthRecord loaded = bar;
    Table<ProfileLengthRecord> lengths(db);
    if (lengths.fetch(Table<ProfileLengthRecord>::Auto, loaded) != 0)
        return fail("reading 6000 mm");
    ProfileLengthRecord counted = loaded;
    counted.intStock = 18;
    counted.extStock = 6;
    if (form.change(loaded, counted) != stock::LengthResponse::Done)
        return fail("stock taking");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("window"), QStringLiteral("form or log."), QStringLiteral("name")});
    parser.addOption({QStringLiteral("output"), QStringLiteral("Picture to write (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("PL or EN."), QStringLiteral("code"), QStringLiteral("PL")});
    parser.addHelpOption();
    parser.process(app);
    const QString window = parser.value(QStringLiteral("window"));
    if (!parser.isSet(QStringLiteral("output")) || (window != QLatin1String("form") && window != QLatin1String("log"))) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }
    QTranslator own;
    QTranslator shared;
    if (parser.value(QStringLiteral("language")).toUpper() == QLatin1String("EN")) {
        if (own.load(QStringLiteral(":/i18n/stock_lengths_en.qm")))
            QCoreApplication::installTranslator(&own);
        if (shared.load(QStringLiteral(":/i18n/ui_en.qm")))
            QCoreApplication::installTranslator(&shared);
    }

    QTemporaryDir dir;
    Database db(dir.path());
    if (db.open() != 0) {
        std::fprintf(stderr, "Cannot create the sample database: %s\n", qPrintable(db.openErrorText()));
        return 1;
    }
    ui::ScriptedWindowContext scripted(db);
    scripted.clock.set(QDateTime(QDate(2026, 3, 9), QTime(7, 45)));
    scripted.identity = FixedIdentity(QStringLiteral("ewa"), QStringLiteral("HALA2"));
    if (!fillSample(db, scripted))
        return 1;

    QWidget* shown = nullptr;
    std::unique_ptr<stock::gui::LengthEditor> editor;
    std::unique_ptr<ui::RecordForm> form;
    std::unique_ptr<stock::gui::StockLogWindow> log;
    if (window == QLatin1String("form")) {
        ProfileLengthRecord length;
        length.id = 1;
        editor = std::make_unique<stock::gui::LengthEditor>(db, scripted.context.services, ui::FormRequest::Change, 1,
                                                            length);
        if (!editor->open())
            return 1;
        form = std::make_unique<ui::RecordForm>(scripted.context, *editor);
        shown = form.get();
    } else {
        log = std::make_unique<stock::gui::StockLogWindow>(scripted.context, 1, 6000);
        log->chooseTab(stock::gui::StockLogWindow::ProfileTab);
        log->resize(1280, 330);
        shown = log.get();
    }
    shown->show();
    QTimer::singleShot(200, &app, &QApplication::quit);
    app.exec();
    if (!shown->grab().save(parser.value(QStringLiteral("output")))) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(parser.value(QStringLiteral("output"))));
        return 1;
    }
    return 0;
}
