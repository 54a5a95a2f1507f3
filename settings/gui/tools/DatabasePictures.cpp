// Pictures of the database maintenance for the documentation: the conversion window after
// converting a file of layout version 1, and the report of the database test over a database
// whose pieces point at an order, a profile and a position that are gone.
//
//   settings-database-pictures --layout-v1 FILE.db --conversion OUT.png --test OUT.png [--language PL|EN]

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/Table.h"
#include "settings/gui/ConversionWindow.h"
#include "settings/gui/DatabaseTestRun.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

bool save(QWidget& widget, const QString& file)
{
    widget.show();
    QTimer::singleShot(200, qApp, &QApplication::quit);
    qApp->exec();
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
    parser.addOption({QStringLiteral("layout-v1"), QStringLiteral("A database file of layout version 1."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("conversion"), QStringLiteral("Picture of the conversion (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("test"), QStringLiteral("Picture of the database test (PNG)."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("PL or EN."), QStringLiteral("code"), QStringLiteral("PL")});
    parser.addHelpOption();
    parser.process(app);
    for (const char* required : {"layout-v1", "conversion", "test"})
        if (!parser.isSet(QString::fromLatin1(required))) {
            std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
            return 2;
        }
    QTranslator translator;
    if (parser.value(QStringLiteral("language")).toUpper() == QLatin1String("EN")
        && translator.load(QStringLiteral(":/i18n/settings_gui_en.qm")))
        QCoreApplication::installTranslator(&translator);

    QTemporaryDir converted;
    QDir().mkpath(global::databaseFolder(converted.path()));
    if (!QFile::copy(parser.value(QStringLiteral("layout-v1")), global::databaseFile(converted.path()))) {
        std::fprintf(stderr, "Cannot copy %s\n", qPrintable(parser.value(QStringLiteral("layout-v1"))));
        return 1;
    }
    QFile::setPermissions(global::databaseFile(converted.path()), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    global::Database oldFile(converted.path());
    oldFile.open();
    {
        ui::ScriptedWindowContext scripted(oldFile);
        settings::ConversionWindow window(scripted.context);
        window.convert();
        if (!save(window, parser.value(QStringLiteral("conversion"))))
            return 1;
    }

    QTemporaryDir tested;
    global::Database db(tested.path());
    if (db.open() != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(db.openErrorText()));
        return 1;
    }
    global::CutRecord piece;
    piece.orderId = 41;
    piece.orderProfileId = 7;
    piece.profileId = 3;
    piece.lenght = 2450;
    piece.pcs = 12;
    global::Table<global::CutRecord>(db).addWithNewIdentifier(piece);
    ui::ScriptedWindowContext scripted(db);
    settings::testDatabase(scripted.context, nullptr);
    const auto& shown = scripted.dialogs.shown();
    if (shown.isEmpty())
        return 1;
    QMessageBox box(QMessageBox::Information, shown.last().caption,
                    QString(shown.last().text).replace(QLatin1Char('|'), QLatin1Char('\n')), QMessageBox::Ok);
    return save(box, parser.value(QStringLiteral("test"))) ? 0 : 1;
}
